#include "mtext/numbers.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <locale>
#include <stdexcept>

#include "textcore/utf8.h"

namespace zil::mtext {

char16_t UserDecimalSeparator() {
  return static_cast<char16_t>(
      static_cast<unsigned char>(std::use_facet<std::numpunct<char>>(std::locale()).decimal_point()));
}

namespace {

std::u16string WithUserSeparator(const char* formatted) {
  std::u16string out;
  for (const char* c = formatted; *c != '\0'; ++c)
    out += *c == '.' ? UserDecimalSeparator() : static_cast<char16_t>(*c);
  return out;
}

std::optional<double> ParseNumber(std::u16string_view text, char16_t separator) {
  while (!text.empty() && text.front() == u' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == u' ') text.remove_suffix(1);
  if (!text.empty() && text.front() == u'+') text.remove_prefix(1);
  std::string ascii;
  for (const char16_t c : text) {
    if (c == separator) {
      ascii += '.';
    } else if ((c >= u'0' && c <= u'9') || c == u'-' || c == u'+' || c == u'e' || c == u'E') {
      ascii += static_cast<char>(c);
    } else {
      return std::nullopt;  // letters, other separators, "inf" and "nan" included
    }
  }
  if (ascii.empty() || ascii[0] == '+') return std::nullopt;
  double value = 0;
  const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
  if (error != std::errc() || end != ascii.data() + ascii.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace

std::u16string FormatGeneral5(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.5G", value);
  return WithUserSeparator(buffer);
}

std::u16string FormatFixed(double value, int decimals) {
  char buffer[400];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  return WithUserSeparator(buffer);
}

std::optional<double> ParseUserNumber(std::u16string_view text) { return ParseNumber(text, UserDecimalSeparator()); }

std::optional<double> ParseDotNumber(std::u16string_view text) { return ParseNumber(text, u'.'); }

double ParseLineSpacing(std::u16string_view text) {
  if (const auto value = ParseUserNumber(text)) return *value;
  throw std::runtime_error("The line spacing \"" + textcore::ToUtf8(text) + "\" is not a number");
}

}  // namespace zil::mtext
