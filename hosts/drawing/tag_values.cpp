#include "drawing/tag_values.h"

#include <charconv>
#include <cmath>
#include <cstdint>

#include "drawing/dxf_error.h"

namespace zil::drawing {
namespace {

// A number written as plain decimals ("0.731", "-12.5", "3"), as nearly every number of a drawing is, read
// without from_chars: when it has at most 19 digits and they make an integer of at most 2^53, that integer
// and the power of ten (up to 10^19; every one up to 10^22 is exact) are both exact doubles, and their
// quotient (one division, which rounds correctly) is the very double from_chars reads. nullopt for any
// other text, which from_chars then reads.
std::optional<double> PlainDecimal(std::string_view value) noexcept {
  static constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,
                                            1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19};
  const char* p = value.data();
  const char* const end = p + value.size();
  const bool negative = p != end && *p == '-';
  if (negative) ++p;
  // The digits before and after the point, as one integer (refused below when more than 19 digits may
  // have overflowed it).
  std::uint64_t significand = 0;
  const auto digits = [&p, end, &significand] {
    const char* const first = p;
    for (unsigned digit; p != end && (digit = static_cast<unsigned char>(*p) - unsigned{'0'}) <= 9; ++p)
      significand = significand * 10 + digit;
    return p - first;
  };
  const std::ptrdiff_t whole = digits();
  std::ptrdiff_t decimals = 0;
  if (p != end && *p == '.') {
    ++p;
    decimals = digits();
  }
  if (p != end || whole + decimals == 0 || whole + decimals > 19) return std::nullopt;
  if (significand > (std::uint64_t{1} << 53)) return std::nullopt;
  const double d = static_cast<double>(significand) / kPowersOfTen[decimals];
  return negative ? -d : d;
}

template <typename T>
std::optional<T> Parse(std::string_view value, int base = 10) noexcept {
  // Values are mostly written without spaces around them: Trimmed is called only for those that have some.
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  if (!value.empty() && (blank(value.front()) || blank(value.back()))) value = Trimmed(value);
  if (!value.empty() && value.front() == '+') value.remove_prefix(1);
  if (value.empty()) return std::nullopt;
  if constexpr (std::is_floating_point_v<T>) {
    if (const auto plain = PlainDecimal(value)) return plain;
  }
  T result{};
  std::from_chars_result r;
  if constexpr (std::is_floating_point_v<T>) {
    r = std::from_chars(value.data(), value.data() + value.size(), result);
  } else {
    r = std::from_chars(value.data(), value.data() + value.size(), result, base);
  }
  if (r.ec != std::errc() || r.ptr != value.data() + value.size()) return std::nullopt;
  return result;
}

}  // namespace

std::optional<double> ToDouble(std::string_view value) noexcept {
  const auto d = Parse<double>(value);
  if (!d || !std::isfinite(*d)) return std::nullopt;
  return d;
}

std::optional<long long> ToInteger(std::string_view value) noexcept { return Parse<long long>(value); }

std::optional<std::uint64_t> ToHandle(std::string_view value) noexcept {
  value = Trimmed(value);
  if (value.empty() || value.size() > 16 || value.front() == '+' || value.front() == '-') return std::nullopt;
  return Parse<std::uint64_t>(value, 16);
}

double DoubleOf(const Tag& tag, const std::string& file) {
  const auto d = ToDouble(tag.value);
  if (!d)
    ThrowAt(file, tag.line + 1,
            "expected a number for group code " + std::to_string(tag.code) + ", found " + Quote(tag.value));
  return *d;
}

long long IntegerOf(const Tag& tag, const std::string& file) {
  const auto i = ToInteger(tag.value);
  if (!i)
    ThrowAt(file, tag.line + 1,
            "expected an integer for group code " + std::to_string(tag.code) + ", found " + Quote(tag.value));
  return *i;
}

std::uint64_t HandleOf(const Tag& tag, const std::string& file) {
  const auto h = ToHandle(tag.value);
  if (!h)
    ThrowAt(
        file, tag.line + 1,
        "expected a handle (hexadecimal) for group code " + std::to_string(tag.code) + ", found " + Quote(tag.value));
  return *h;
}

FormattedDouble::FormattedDouble(double value) noexcept {
  // 24 characters hold the longest shortest form of a double ("-2.2250738585072014e-308"); ".0" fits after.
  const auto r = std::to_chars(text_, text_ + sizeof text_ - 2, value);
  size_ = static_cast<std::size_t>(r.ptr - text_);
  if (std::string_view(text_, size_).find_first_of(".eEn") == std::string_view::npos) {
    text_[size_++] = '.';
    text_[size_++] = '0';
  }
}

std::string FormatDouble(double value) { return std::string(FormattedDouble(value)); }

std::string FormatHandle(std::uint64_t handle) {
  char buffer[17];
  const auto r = std::to_chars(buffer, buffer + sizeof buffer, handle, 16);
  std::string text(buffer, r.ptr);
  for (char& c : text)
    if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

}  // namespace zil::drawing
