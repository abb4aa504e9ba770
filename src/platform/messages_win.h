// Messages and questions on Windows: MessageBoxW, modal to the active window of the calling thread
// (AutoCAD's, when the add-in runs inside it); a question with buttons the caller names is a task dialog.
#pragma once

#include "platform/messages.h"

namespace zil::platform {

class Win32Messages final : public Messages {
 public:
  // When the box cannot be shown at all (no window station), the answer is the one that changes nothing:
  // Cancel where offered, else No, else Ok.
  MessageAnswer Show(const std::u16string& caption, const std::u16string& text, MessageIcon icon,
                     MessageButtons buttons) override;
  // A task dialog with a button per choice (TaskDialogIndirect of the common controls, version 6). Where
  // the process has no task dialogs, a message box with Yes, No (and Cancel) standing for up to three
  // choices, each named in the text; more choices answer the last.
  std::size_t Choose(const std::u16string& caption, const std::u16string& text, MessageIcon icon,
                     const std::vector<std::u16string>& choices) override;
};

}  // namespace zil::platform
