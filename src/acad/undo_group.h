// One undo step around an action on a document: StartUndoMark when made, EndUndoMark when it goes, however
// the action ends, so that a failure never leaves the group open.
#pragma once

#include "acad/application.h"

namespace zil::acad {

class UndoGroup {
 public:
  explicit UndoGroup(Document& doc) : doc_(doc) { doc_.StartUndoMark(); }
  UndoGroup(const UndoGroup&) = delete;
  UndoGroup& operator=(const UndoGroup&) = delete;
  ~UndoGroup() {
    try {
      doc_.EndUndoMark();
    } catch (...) {  // the action's own error, if any, is the one to report
    }
  }

 private:
  Document& doc_;
};

}  // namespace zil::acad
