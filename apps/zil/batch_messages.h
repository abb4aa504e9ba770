// Messages of the add-in's flows when they run in a batch on the command line: every message reaches the
// user on standard error ("zil: DRAWING: TEXT", errors and warnings marked so), since a message that
// nobody sees cannot warn anyone; a question takes its first button, since nobody is there to answer.
#pragma once

#include <iosfwd>
#include <string>

#include "platform/messages.h"

namespace zil::cli {

class BatchMessages final : public platform::Messages {
 public:
  explicit BatchMessages(std::ostream& err) : err_(err) {}
  platform::MessageAnswer Show(const std::u16string& caption, const std::u16string& text, platform::MessageIcon icon,
                               platform::MessageButtons buttons) override;

  // What the messages are about: the drawing being worked on.
  std::string subject;

 private:
  std::ostream& err_;
};

}  // namespace zil::cli
