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
  virtual void WillChange(Record& record, const RecordState& before) = 0;
  virtual void Inserted(Record& record) = 0;
};

}  // namespace zil::drawing
