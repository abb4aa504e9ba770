// Messages and questions in Qt message boxes: the caption, the text, the icon and the buttons asked for,
// over the window the user is working in. Without a running Qt application (the command line before any
// dialog was shown) the message goes to the fallback service instead.
#pragma once

#include "platform/messages.h"

namespace zil::platform {

class QtMessages final : public Messages {
 public:
  explicit QtMessages(Messages& fallback) : fallback_(fallback) {}
  MessageAnswer Show(const std::u16string& caption, const std::u16string& text, MessageIcon icon,
                     MessageButtons buttons) override;

 private:
  Messages& fallback_;
};

}  // namespace zil::platform
