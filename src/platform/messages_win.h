// Messages and questions on Windows: MessageBoxW, modal to the active window of the calling thread
// (AutoCAD's, when the add-in runs inside it).
#pragma once

#include "platform/messages.h"

namespace zil::platform {

class Win32Messages final : public Messages {
 public:
  // When the box cannot be shown at all (no window station), the answer is the one that changes nothing:
  // Cancel where offered, else No, else Ok.
  MessageAnswer Show(const std::u16string& caption, const std::u16string& text, MessageIcon icon,
                     MessageButtons buttons) override;
};

}  // namespace zil::platform
