// Messages and questions in Qt message boxes: the caption, the text, the icon and the buttons asked for,
// or buttons the caller names, over the window the user is working in, or where the caller places it. Without a running
// Qt application (the command line before any dialog was shown) the message goes to the fallback service instead.
#pragma once

#include <optional>

#include "platform/messages.h"

namespace zil::platform {

class QtMessages final : public Messages {
 public:
  explicit QtMessages(Messages& fallback) : fallback_(fallback) {}
  MessageAnswer Show(const std::u16string& caption, const std::u16string& text, MessageIcon icon,
                     MessageButtons buttons) override;
  MessageAnswer ShowAt(const std::u16string& caption, const std::u16string& text, MessageIcon icon,
                       MessageButtons buttons, ScreenPoint at) override;
  // The buttons are named "choice0", "choice1", ... in the order given.
  std::size_t Choose(const std::u16string& caption, const std::u16string& text, MessageIcon icon,
                     const std::vector<std::u16string>& choices) override;

 private:
  MessageAnswer Ask(const std::u16string& caption, const std::u16string& text, MessageIcon icon, MessageButtons buttons,
                    std::optional<ScreenPoint> at);

  Messages& fallback_;
};

}  // namespace zil::platform
