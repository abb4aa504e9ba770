// Messages the add-in shows to the user: errors, warnings, information, and questions.
#pragma once

#include <string>

namespace zil::platform {

enum class MessageIcon { Error, Warning, Information, Question };

enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };

enum class MessageAnswer { Ok, Cancel, Yes, No };

class Messages {
 public:
  virtual ~Messages() = default;
  // Shows `text` under `caption` and returns the button the user chose.
  virtual MessageAnswer Show(const std::u16string& caption, const std::u16string& text, MessageIcon icon,
                             MessageButtons buttons) = 0;
};

}  // namespace zil::platform
