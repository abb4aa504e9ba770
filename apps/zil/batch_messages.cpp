#include "batch_messages.h"

#include <ostream>

#include "textcore/utf8.h"

namespace zil::cli {

platform::MessageAnswer BatchMessages::Show(const std::u16string&, const std::u16string& text,
                                            platform::MessageIcon icon, platform::MessageButtons buttons) {
  if (icon == platform::MessageIcon::Information) {
    information.push_back(text);
  } else {
    err_ << "zil: " << (icon == platform::MessageIcon::Error ? "error" : "warning") << ": " << textcore::ToUtf8(text)
         << '\n';
  }
  switch (buttons) {
    case platform::MessageButtons::Ok:
    case platform::MessageButtons::OkCancel:
      return platform::MessageAnswer::Ok;
    case platform::MessageButtons::YesNo:
    case platform::MessageButtons::YesNoCancel:
    case platform::MessageButtons::YesNoCancelAll:
      return platform::MessageAnswer::Yes;
  }
  return platform::MessageAnswer::Ok;
}

}  // namespace zil::cli
