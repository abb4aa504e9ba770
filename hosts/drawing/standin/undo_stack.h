// The stand-in host's undo: the drawing's change journal, grouped into undo steps as AutoCAD groups them.
//
// Steps. Every change of the drawing is made inside an operation (one call of an automation member that
// changes the drawing, or one command); the changes of an operation are one step. Between
// StartUndoMark and EndUndoMark the steps of the operations are kept apart inside the open group and
// become one step when the group is closed. Marks nest as AutoCAD nests them: a StartUndoMark inside an
// open group only counts, and the EndUndoMark that balances the first one closes the group; an
// EndUndoMark without an open group does nothing. A group without changes is still a step, so that a
// "U" meant for it undoes nothing rather than the step before it.
//
// Undo ("U") takes back the last step: records the step inserted are removed, changed ones get their
// earlier tags back, erased ones are revived, the header (with $HANDSEED) included, so the drawing writes
// the bytes it wrote before the step. While a group is open, "U" takes back the last operation inside
// the group and never goes past the group's start, as AutoCAD's UNDO does inside an open group.
//
// An operation that ends with an exception is taken back at once, so a member call that fails leaves
// the drawing as it was, as a failed AutoCAD call does.
//
// Redo puts back the step the last "U" took back, byte for byte, as AutoCAD's REDO does right after an
// undo: the steps taken back one after another can be put back in the opposite order. Any other change
// of the drawing forgets them, and so does a "U" inside an open group (which redo does not reach).
//
// Which records changed: while change tracking is on, every record a change, an undo or a redo touched
// is kept (once, in the order first touched) until TakeTouched hands the list over; the document tells
// its observers with it (document.h).
#pragma once

#include <cstddef>
#include <string>
#include <unordered_set>
#include <vector>

#include "drawing/change_journal.h"
#include "drawing/drawing.h"

namespace zil::standin {

class UndoStack final : public drawing::ChangeJournal {
 public:
  explicit UndoStack(drawing::Drawing& drawing);
  ~UndoStack() override;
  UndoStack(const UndoStack&) = delete;
  UndoStack& operator=(const UndoStack&) = delete;

  // An operation: the changes between construction and destruction are one step (nested operations
  // belong to the outermost one); left by an exception, it is taken back.
  class Operation {
   public:
    explicit Operation(UndoStack& stack);
    ~Operation();
    Operation(const Operation&) = delete;
    Operation& operator=(const Operation&) = delete;

   private:
    UndoStack& stack_;
    int exceptions_;  // exceptions in flight when the operation began
  };

  void StartMark();
  void EndMark();
  bool GroupOpen() const noexcept { return depth_ > 0; }
  int Depth() const noexcept { return depth_; }

  struct UndoResult {
    bool undone = false;      // a step was taken back
    bool wasGroup = false;    // the step was a closed group
    std::size_t changes = 0;  // the record changes taken back
  };
  // Takes back the last step (see above).
  UndoResult Undo();
  // Puts back the step the last undo took back (see above); `undone` is false when there is none.
  UndoResult Redo();
  // Steps that Redo can put back.
  std::size_t RedoCount() const noexcept { return redo_.size(); }

  // Change tracking (see above); off by default.
  void TrackChanges(bool on);
  bool TracksChanges() const noexcept { return tracking_; }
  // The records touched since the last call, in the order first touched; the list is emptied.
  std::vector<drawing::Record*> TakeTouched();

  // Steps that "U" can take back, the open group's operations not included.
  std::size_t StepCount() const noexcept { return steps_.size(); }
  // Counts changes of which records exist (inserted, erased, taken back), for the lists that cache the
  // entities of a space. Inserting and undoing count themselves; erasing is told with StructureChanged.
  unsigned long StructureGeneration() const noexcept { return structure_; }
  void StructureChanged() noexcept { ++structure_; }

  // Whether finished steps are kept for "U" (on by default). Off, as AutoCAD's UNDO Control None, only
  // the running operation's changes are kept, so that a member call that fails is still taken back; a
  // batch that converts a drawing and saves it needs nothing more, and keeps no copy of every entity it
  // changed. Turning it off forgets the steps kept so far.
  void KeepHistory(bool keep);
  bool KeepsHistory() const noexcept { return history_; }
  // An operation is running.
  bool InOperation() const noexcept { return operations_ > 0; }

  // Any change since the drawing was opened or last saved (undoing is a change too).
  bool Modified() const noexcept { return modified_; }
  void MarkSaved() noexcept { modified_ = false; }

  // drawing::ChangeJournal
  void WillChange(drawing::Record& record, drawing::RecordState before) override;
  bool Remembers(const drawing::Record& record) const override;
  void Inserted(drawing::Record& record) override;
  bool HoldsStates() const override;

 private:
  struct Entry {
    drawing::Record* record;
    drawing::RecordState before;
    bool inserted;
  };
  struct Step {
    static constexpr std::size_t kListedEntries = 8;  // more entries than this are indexed in `seen`
    std::vector<Entry> entries;
    std::unordered_set<const drawing::Record*> seen;  // the entries' records, once there are many
    bool group = false;
    // The step holds the earliest state of `record`.
    bool Holds(const drawing::Record& record) const;
    void Add(Entry entry);
  };
  // A step taken back: the step itself, and what each of its records was before the undo (in the order
  // of the step's entries), with the record an inserted one stood before.
  struct Undone {
    Step step;
    std::vector<drawing::RecordState> after;
    std::vector<drawing::Record*> position;
  };

  void Note(drawing::Record& record, drawing::RecordState* before);
  void Touch(drawing::Record& record);
  void Finish(Step step);
  // Takes the step back; with `undone`, keeps what Redo needs to put it back.
  void TakeBack(Step& step, Undone* undone = nullptr);

  drawing::Drawing& drawing_;
  std::vector<Step> steps_;
  std::vector<Step> groupSteps_;  // the open group's operations
  std::vector<Undone> redo_;      // steps taken back, the last one last
  Step current_;                  // the running operation's changes
  int operations_ = 0;            // nesting of running operations
  int depth_ = 0;                 // nesting of undo marks
  bool modified_ = false;
  bool history_ = true;
  unsigned long structure_ = 0;
  bool tracking_ = false;
  std::vector<drawing::Record*> touched_;
  std::unordered_set<const drawing::Record*> touchedSet_;
};

}  // namespace zil::standin
