// Messages of the add-in's flows when they run in a batch on the command line: errors and warnings go to
// standard error; information ("Conversion finished") is kept for the command to report as it sees fit;
// a question takes its first button, since nobody is there to answer.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "platform/messages.h"

namespace zil::cli {

class BatchMessages final : public platform::Messages {
 public:
  explicit BatchMessages(std::ostream& err) : err_(err) {}
  platform::MessageAnswer Show(const std::u16string& caption, const std::u16string& text, platform::MessageIcon icon,
                               platform::MessageButtons buttons) override;

  std::vector<std::u16string> information;

 private:
  std::ostream& err_;
};

}  // namespace zil::cli
