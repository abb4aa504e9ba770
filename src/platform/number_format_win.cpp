#include <windows.h>

#include "platform/number_format.h"

namespace zil::platform {
namespace {

// The classic punctuation with another decimal separator.
class DecimalSeparator final : public std::numpunct<wchar_t> {
 public:
  explicit DecimalSeparator(wchar_t separator) : separator_(separator) {}

 protected:
  wchar_t do_decimal_point() const override { return separator_; }

 private:
  wchar_t separator_;
};

}  // namespace

std::locale UsersNumberLocale() {
  // LOCALE_SDECIMAL may hold up to three characters; a number takes one, the first.
  wchar_t separator[8] = {};
  if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) < 2) separator[0] = L'.';
  return std::locale(std::locale::classic(), new DecimalSeparator(separator[0]));
}

}  // namespace zil::platform
