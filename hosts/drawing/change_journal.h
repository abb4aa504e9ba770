// The hook through which every change of a drawing passes, for undo. The drawing calls it before a record
// changes (with the record's state before the change) and after a record is inserted; putting the states
// back in reverse order (Drawing::Restore) and removing the inserted records (Drawing::Remove) gives back
// the drawing byte for byte.
#pragma once

#include "drawing/record.h"

namespace zil::drawing {

class ChangeJournal {
 public:
  virtual ~ChangeJournal() = default;
  // `before` is the record's state, handed over: a record whose tags are being replaced gives its old tags
  // up rather than a copy of them.
  virtual void WillChange(Record& record, RecordState before) = 0;
  // True when the journal already holds the state it needs of `record` to take back what comes next:
  // the drawing then skips WillChange and the copy of the record's state it would take.
  virtual bool Remembers(const Record& record) const = 0;
  virtual void Inserted(Record& record) = 0;
  // True while the journal keeps states of records: their tags may point into values the drawing made,
  // which Drawing::Settle then keeps.
  virtual bool HoldsStates() const { return true; }
};

}  // namespace zil::drawing
