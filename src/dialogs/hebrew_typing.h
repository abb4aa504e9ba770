// Typing Hebrew from Latin keys, as the Hebrew keyboard layout does, in the add-in's own editors. While
// the keyboard layout service says the Hebrew layout is active, a key that types a Latin letter on a US
// keyboard inserts the Hebrew letter on that key (the text core's key map) and the four punctuation keys
// the Hebrew layout moves insert what it puts there; with Shift, Ctrl, Alt or Meta held, and for every
// other character (Hebrew typed through an input method or a Hebrew system layout included), the key
// goes to the editor unchanged.
#pragma once

#include <QObject>
#include <optional>

#include "platform/keyboard_layouts.h"

class QWidget;

namespace zil::dialogs {

// The character the Hebrew layout types for the key whose US character is `key`, when it differs.
std::optional<char16_t> HebrewForKey(char16_t key);

class HebrewTyping final : public QObject {
  Q_OBJECT

 public:
  explicit HebrewTyping(platform::KeyboardLayouts& layouts, QObject* parent = nullptr);

  // Types Hebrew into `editor` from now on (it must accept key events with text, as line edits do).
  void Watch(QWidget* editor);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  platform::KeyboardLayouts& layouts_;
  bool resending_ = false;
};

}  // namespace zil::dialogs
