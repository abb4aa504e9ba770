#include "drawing/standin/undo_stack.h"

#include <algorithm>
#include <exception>
#include <utility>

namespace zil::standin {

UndoStack::UndoStack(drawing::Drawing& drawing) : drawing_(drawing) { drawing_.SetJournal(this); }

UndoStack::~UndoStack() { drawing_.SetJournal(nullptr); }

UndoStack::Operation::Operation(UndoStack& stack) : stack_(stack), exceptions_(std::uncaught_exceptions()) {
  ++stack_.operations_;
}

UndoStack::Operation::~Operation() {
  if (--stack_.operations_ != 0) return;
  if (std::uncaught_exceptions() > exceptions_) {
    Step step = std::exchange(stack_.current_, Step{});
    if (!step.entries.empty()) stack_.TakeBack(step);  // the call failed: nothing of it stays
  } else if (!stack_.history_) {
    // Nothing is kept: the step's room serves the next call.
    stack_.current_.entries.clear();
    stack_.current_.seen.clear();
  } else {
    stack_.Finish(std::exchange(stack_.current_, Step{}));
  }
  // The call is over: nothing holds the drawing's tags any more.
  stack_.drawing_.Settle();
}

bool UndoStack::Step::Holds(const drawing::Record& record) const {
  if (seen.empty()) {
    return std::any_of(entries.begin(), entries.end(), [&](const Entry& e) { return e.record == &record; });
  }
  return seen.count(&record) != 0;
}

void UndoStack::Step::Add(Entry entry) {
  // A member call changes a record or two: the entries are searched until there are many.
  if (!seen.empty() || entries.size() >= kListedEntries) {
    if (seen.empty())
      for (const Entry& e : entries) seen.insert(e.record);
    seen.insert(entry.record);
  }
  entries.push_back(std::move(entry));
}

void UndoStack::Note(drawing::Record& record, drawing::RecordState* before) {
  modified_ = true;
  Touch(record);
  redo_.clear();  // a new change: what was undone cannot be put back over it
  // Undoing a step goes back to the earliest state of each record in it: later states add nothing.
  if (current_.Holds(record)) return;
  current_.Add({&record, before ? std::move(*before) : drawing::RecordState{}, before == nullptr});
  if (operations_ == 0) Finish(std::exchange(current_, Step{}));  // a change outside an operation
}

void UndoStack::WillChange(drawing::Record& record, drawing::RecordState before) { Note(record, &before); }

// Inside an operation, the earliest state of a record is all a step needs (see Note); a change after a
// save inside the operation is still told, so that it counts as a change.
bool UndoStack::Remembers(const drawing::Record& record) const {
  return operations_ > 0 && modified_ && current_.Holds(record);
}

void UndoStack::Inserted(drawing::Record& record) {
  ++structure_;
  Note(record, nullptr);
}

bool UndoStack::HoldsStates() const {
  return !current_.entries.empty() || !steps_.empty() || !groupSteps_.empty() || !redo_.empty();
}

void UndoStack::KeepHistory(bool keep) {
  history_ = keep;
  if (keep) return;
  steps_.clear();
  groupSteps_.clear();
  redo_.clear();
}

void UndoStack::TrackChanges(bool on) {
  tracking_ = on;
  if (on) return;
  touched_.clear();
  touchedSet_.clear();
}

void UndoStack::Touch(drawing::Record& record) {
  if (tracking_ && touchedSet_.insert(&record).second) touched_.push_back(&record);
}

std::vector<drawing::Record*> UndoStack::TakeTouched() {
  touchedSet_.clear();
  return std::exchange(touched_, {});
}

void UndoStack::Finish(Step step) {
  if (step.entries.empty() || !history_) return;
  step.seen.clear();
  if (depth_ > 0) {
    groupSteps_.push_back(std::move(step));
  } else {
    steps_.push_back(std::move(step));
  }
}

void UndoStack::StartMark() { ++depth_; }

void UndoStack::EndMark() {
  if (depth_ == 0) return;
  if (--depth_ > 0) return;
  Step group;
  group.group = true;
  for (Step& step : groupSteps_)
    for (Entry& entry : step.entries) group.entries.push_back(std::move(entry));
  groupSteps_.clear();
  if (history_) steps_.push_back(std::move(group));
  redo_.clear();
}

void UndoStack::TakeBack(Step& step, Undone* undone) {
  if (undone) {
    undone->after.resize(step.entries.size());
    undone->position.resize(step.entries.size(), nullptr);
  }
  for (std::size_t i = step.entries.size(); i-- > 0;) {
    Entry& entry = step.entries[i];
    Touch(*entry.record);
    if (undone) {
      undone->after[i] = drawing_.StateOf(*entry.record);
      if (entry.inserted) undone->position[i] = entry.record->Next();
    }
    if (entry.inserted) {
      drawing_.Remove(*entry.record);
    } else {
      drawing_.Restore(*entry.record, entry.before);
    }
  }
  modified_ = true;
  ++structure_;
}

UndoStack::UndoResult UndoStack::Undo() {
  if (depth_ > 0) {
    // Inside an open group: the group's own operations, which redo does not reach.
    if (groupSteps_.empty()) return {};
    Step step = std::move(groupSteps_.back());
    groupSteps_.pop_back();
    redo_.clear();
    TakeBack(step);
    return {true, step.group, step.entries.size()};
  }
  if (steps_.empty()) return {};
  Undone undone;
  undone.step = std::move(steps_.back());
  steps_.pop_back();
  TakeBack(undone.step, &undone);
  const UndoResult result{true, undone.step.group, undone.step.entries.size()};
  redo_.push_back(std::move(undone));
  return result;
}

UndoStack::UndoResult UndoStack::Redo() {
  if (redo_.empty() || depth_ > 0) return {};
  Undone undone = std::move(redo_.back());
  redo_.pop_back();
  // In the order the step made its changes: an inserted record goes back before the record it stood
  // before when it was taken out, which is back in place by then.
  for (std::size_t i = 0; i < undone.step.entries.size(); ++i) {
    Entry& entry = undone.step.entries[i];
    Touch(*entry.record);
    if (entry.inserted) {
      drawing_.Reinsert(*entry.record, undone.position[i], undone.after[i]);
    } else {
      drawing_.Restore(*entry.record, undone.after[i]);
    }
  }
  modified_ = true;
  ++structure_;
  const UndoResult result{true, undone.step.group, undone.step.entries.size()};
  steps_.push_back(std::move(undone.step));
  return result;
}

}  // namespace zil::standin
