#include "drawing/standin/undo_stack.h"

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
  {
    Step step = std::exchange(stack_.current_, Step{});
    if (std::uncaught_exceptions() > exceptions_) {
      if (!step.entries.empty()) stack_.TakeBack(step);  // the call failed: nothing of it stays
    } else {
      stack_.Finish(std::move(step));
    }
  }
  // The call is over: nothing holds the drawing's tags any more.
  stack_.drawing_.Settle();
}

void UndoStack::Note(drawing::Record& record, const drawing::RecordState* before) {
  modified_ = true;
  // Undoing a step goes back to the earliest state of each record in it: later states add nothing.
  if (!current_.seen.insert(&record).second) return;
  current_.entries.push_back({&record, before ? *before : drawing::RecordState{}, before == nullptr});
  if (operations_ == 0) Finish(std::exchange(current_, Step{}));  // a change outside an operation
}

void UndoStack::WillChange(drawing::Record& record, const drawing::RecordState& before) { Note(record, &before); }

// Inside an operation, the earliest state of a record is all a step needs (see Note); a change after a
// save inside the operation is still told, so that it counts as a change.
bool UndoStack::Remembers(const drawing::Record& record) const {
  return operations_ > 0 && modified_ && current_.seen.count(&record) != 0;
}

void UndoStack::Inserted(drawing::Record& record) {
  ++structure_;
  Note(record, nullptr);
}

bool UndoStack::HoldsStates() const { return !current_.entries.empty() || !steps_.empty() || !groupSteps_.empty(); }

void UndoStack::KeepHistory(bool keep) {
  history_ = keep;
  if (keep) return;
  steps_.clear();
  groupSteps_.clear();
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
}

void UndoStack::TakeBack(Step& step) {
  for (auto it = step.entries.rbegin(); it != step.entries.rend(); ++it) {
    if (it->inserted) {
      drawing_.Remove(*it->record);
    } else {
      drawing_.Restore(*it->record, it->before);
    }
  }
  modified_ = true;
  ++structure_;
}

UndoStack::UndoResult UndoStack::Undo() {
  std::vector<Step>& from = depth_ > 0 ? groupSteps_ : steps_;
  if (from.empty()) return {};
  Step step = std::move(from.back());
  from.pop_back();
  TakeBack(step);
  return {true, step.group, step.entries.size()};
}

}  // namespace zil::standin
