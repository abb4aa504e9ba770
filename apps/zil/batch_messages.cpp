#include "batch_messages.h"

#include <ostream>

#include "console_messages.h"
#include "textcore/utf8.h"

namespace zil::cli {

platform::MessageAnswer BatchMessages::Show(const std::u16string&, const std::u16string& text,
                                            platform::MessageIcon icon, platform::MessageButtons buttons) {
  err_ << "zil: ";
  if (!subject.empty()) err_ << subject << ": ";
  if (icon == platform::MessageIcon::Error) err_ << "error: ";
  if (icon == platform::MessageIcon::Warning) err_ << "warning: ";
  err_ << textcore::ToUtf8(text) << '\n';
  return FirstButton(buttons);
}

}  // namespace zil::cli
