#include "console_messages.h"

#include <ostream>

#include "textcore/utf8.h"

namespace zil::cli {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;

MessageAnswer ConsoleMessages::Show(const std::u16string& caption, const std::u16string& text, MessageIcon icon,
                                    MessageButtons buttons) {
  const char* kind = icon == MessageIcon::Error ? "error" : icon == MessageIcon::Warning ? "warning" : "note";
  out_ << "zil: " << kind << ": ";
  // The line begins with the program's name already; another caption says where the message comes from.
  if (!caption.empty() && caption != u"zil") out_ << textcore::ToUtf8(caption) << ": ";
  out_ << textcore::ToUtf8(text) << '\n';
  return FirstButton(buttons);
}

MessageAnswer FirstButton(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::Ok:
    case MessageButtons::OkCancel:
      return MessageAnswer::Ok;
    case MessageButtons::YesNo:
    case MessageButtons::YesNoCancel:
    case MessageButtons::YesNoCancelAll:
      return MessageAnswer::Yes;
  }
  return MessageAnswer::Ok;
}

}  // namespace zil::cli
