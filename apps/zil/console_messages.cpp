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
  if (!caption.empty()) out_ << textcore::ToUtf8(caption) << ": ";
  out_ << textcore::ToUtf8(text) << '\n';
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
