// What the editors' commands undo however they end: the keyboard is given back in US English, and the
// selection set a command made is deleted. A failure while doing so is not reported: the command's own
// error, if any, is the one the user must see.
#pragma once

#include <memory>

#include "acad/selection.h"
#include "platform/keyboard_layouts.h"
#include "textcore/keyboard.h"

namespace zil::mtext {

class EnglishAtEnd {
 public:
  explicit EnglishAtEnd(platform::KeyboardLayouts& keyboard) : keyboard_(keyboard) {}
  EnglishAtEnd(const EnglishAtEnd&) = delete;
  EnglishAtEnd& operator=(const EnglishAtEnd&) = delete;
  ~EnglishAtEnd() { textcore::EnglishKeyboard(keyboard_); }

 private:
  platform::KeyboardLayouts& keyboard_;
};

class SelectionSetAtEnd {
 public:
  explicit SelectionSetAtEnd(std::shared_ptr<acad::SelectionSet> set) : set_(std::move(set)) {}
  SelectionSetAtEnd(const SelectionSetAtEnd&) = delete;
  SelectionSetAtEnd& operator=(const SelectionSetAtEnd&) = delete;
  ~SelectionSetAtEnd() {
    try {
      set_->Delete();
    } catch (...) {
    }
  }
  acad::SelectionSet* operator->() const { return set_.get(); }

 private:
  std::shared_ptr<acad::SelectionSet> set_;
};

}  // namespace zil::mtext
