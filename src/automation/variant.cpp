#include "automation/variant.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "automation/hresult.h"
#include "textcore/utf8.h"

namespace zil::automation {
namespace {

[[noreturn]] void Mismatch(const char* target) {
  throw AutomationError(DISP_E_TYPEMISMATCH, std::string("Type mismatch: the argument cannot become ") + target);
}

double ParseNumber(const std::u16string& text) {
  std::string ascii;
  for (char16_t unit : text) {
    if (unit > 0x7F) Mismatch("a number");
    ascii += static_cast<char>(unit);
  }
  const auto first = ascii.find_first_not_of(" \t");
  const auto last = ascii.find_last_not_of(" \t");
  if (first == std::string::npos) Mismatch("a number");
  double value = 0;
  const char* begin = ascii.data() + first;
  const char* end = ascii.data() + last + 1;
  if (*begin == '+') ++begin;
  const auto [ptr, ec] = std::from_chars(begin, end, value);
  if (ec != std::errc() || ptr != end) Mismatch("a number");
  return value;
}

std::u16string FormatDouble(double d) {
  std::array<char, 32> text{};
  std::snprintf(text.data(), text.size(), "%.15G", d);
  return textcore::FromUtf8(text.data());
}

}  // namespace

std::u16string CoerceToString(const Variant& v) {
  return std::visit(
      [](const auto& x) -> std::u16string {
        using T = std::decay_t<decltype(x)>;
        if constexpr (std::is_same_v<T, std::monostate>) return u"";
        if constexpr (std::is_same_v<T, bool>) return x ? u"True" : u"False";
        if constexpr (std::is_same_v<T, std::int32_t>) return textcore::FromUtf8(std::to_string(x));
        if constexpr (std::is_same_v<T, double>) return FormatDouble(x);
        if constexpr (std::is_same_v<T, std::u16string>) return x;
        if constexpr (std::is_same_v<T, ApplicationRef>) Mismatch("a string");
      },
      v);
}

std::int8_t CoerceToInt8(const Variant& v) {
  const double value = std::visit(
      [](const auto& x) -> double {
        using T = std::decay_t<decltype(x)>;
        if constexpr (std::is_same_v<T, std::monostate>) return 0;
        if constexpr (std::is_same_v<T, bool>) return x ? -1 : 0;  // VARIANT_TRUE is -1
        if constexpr (std::is_same_v<T, std::int32_t>) return x;
        if constexpr (std::is_same_v<T, double>) return x;
        if constexpr (std::is_same_v<T, std::u16string>) return ParseNumber(x);
        if constexpr (std::is_same_v<T, ApplicationRef>) Mismatch("a signed 8-bit integer");
      },
      v);
  const double rounded = std::nearbyint(value);  // the default rounding: half to even
  if (!(rounded >= -128 && rounded <= 127))
    throw AutomationError(DISP_E_OVERFLOW, "Overflow: the argument does not fit a signed 8-bit integer (-128..127)");
  return static_cast<std::int8_t>(rounded);
}

ApplicationRef CoerceToApplication(const Variant& v) {
  if (std::holds_alternative<std::monostate>(v)) return nullptr;
  if (const auto* app = std::get_if<ApplicationRef>(&v)) return *app;
  Mismatch("an application object");
}

}  // namespace zil::automation
