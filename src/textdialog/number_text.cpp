#include "textdialog/number_text.h"

#include <charconv>
#include <cmath>
#include <locale>
#include <stdexcept>

#include "textcore/utf8.h"

namespace zil::textdialog {

char16_t DecimalSeparator() {
  return static_cast<char16_t>(
      static_cast<unsigned char>(std::use_facet<std::numpunct<char>>(std::locale()).decimal_point()));
}

std::u16string FormatFixed(double value, int decimals, char16_t separator) {
  constexpr int kPrecision = 8;
  char text[64];
  // to_chars, not the C library: Qt sets the C library's locale from the environment.
  const bool scientific = std::isfinite(value) && std::fabs(value) >= 1e8;
  const auto written =
      scientific ? std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, kPrecision - 1)
                 : std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
  const std::string_view number(text, static_cast<std::size_t>(written.ptr - text));
  std::u16string result;
  for (const char c : number) result.push_back(c == '.' ? separator : static_cast<char16_t>(c));
  // A zero keeps no minus sign.
  if (!result.empty() && result[0] == u'-' &&
      number.substr(0, number.find('e')).find_first_of("123456789") == std::string_view::npos)
    result.erase(0, 1);
  return result;
}

double ParseNumber(std::u16string_view text, char16_t separator) {
  const auto fail = [&]() -> double {
    throw std::invalid_argument("'" + textcore::ToUtf8(text) + "' is not a valid floating point value");
  };
  std::size_t i = 0, n = text.size();
  while (i < n && text[i] == u' ') ++i;
  while (n > i && text[n - 1] == u' ') --n;
  std::string c;  // the number as from_chars reads it
  if (i < n && (text[i] == u'+' || text[i] == u'-')) {
    if (text[i] == u'-') c.push_back('-');  // from_chars takes no plus sign
    ++i;
  }
  bool digits = false, separatorSeen = false;
  for (; i < n; ++i) {
    const char16_t ch = text[i];
    if (ch >= u'0' && ch <= u'9') {
      c.push_back(static_cast<char>(ch));
      digits = true;
    } else if (ch == separator && !separatorSeen) {
      c.push_back('.');
      separatorSeen = true;
    } else {
      break;
    }
  }
  if (!digits) return fail();
  if (i < n && (text[i] == u'e' || text[i] == u'E')) {
    c.push_back('e');
    ++i;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) c.push_back(static_cast<char>(text[i++]));
    bool exponent = false;
    for (; i < n && text[i] >= u'0' && text[i] <= u'9'; ++i) {
      c.push_back(static_cast<char>(text[i]));
      exponent = true;
    }
    if (!exponent) return fail();
  }
  if (i != n) return fail();
  double value = 0;
  const auto read = std::from_chars(c.data(), c.data() + c.size(), value);
  if (read.ec != std::errc() || !std::isfinite(value)) return fail();
  return value;
}

}  // namespace zil::textdialog
