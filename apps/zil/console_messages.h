// Messages written to a stream (standard error) for the command line: the text with its caption, and
// the default answer to questions (the first button), since nobody is there to choose.
#pragma once

#include <iosfwd>

#include "platform/messages.h"

namespace zil::cli {

// The answer of a question nobody is there to answer: its first button.
platform::MessageAnswer FirstButton(platform::MessageButtons buttons);

class ConsoleMessages final : public platform::Messages {
 public:
  explicit ConsoleMessages(std::ostream& out) : out_(out) {}
  platform::MessageAnswer Show(const std::u16string& caption, const std::u16string& text, platform::MessageIcon icon,
                               platform::MessageButtons buttons) override;

 private:
  std::ostream& out_;
};

}  // namespace zil::cli
