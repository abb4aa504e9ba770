#include "drawing/tag_values.h"

#include <fmt/format.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "drawing/dxf_error.h"

namespace zil::drawing {
namespace {

// A number written as plain decimals ("0.731", "-12.5", "3"), as nearly every number of a drawing is, read
// without from_chars: when it has at most 19 digits and they make an integer of at most 2^53, that integer
// and the power of ten (up to 10^19; every one up to 10^22 is exact) are both exact doubles, and their
// quotient (one division, which rounds correctly) is the very double from_chars reads. False for any other
// text (blanks and a '+' included), which from_chars then reads. The number is returned through `result`
// rather than an optional, which the compiler passes through memory.
bool ReadPlainDecimal(std::string_view value, double& result) noexcept {
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
  if (p != end || whole + decimals == 0 || whole + decimals > 19) return false;
  if (significand > (std::uint64_t{1} << 53)) return false;
  const double d = static_cast<double>(significand) / kPowersOfTen[decimals];
  result = negative ? -d : d;
  return true;
}

template <typename T>
std::optional<T> Parse(std::string_view value) noexcept {
  value = Trimmed(value);
  if (!value.empty() && value.front() == '+') value.remove_prefix(1);
  if (value.empty()) return std::nullopt;
  if constexpr (std::is_floating_point_v<T>) {
    if (T plain; ReadPlainDecimal(value, plain)) return plain;
  }
  T result{};
  const std::from_chars_result r = std::from_chars(value.data(), value.data() + value.size(), result);
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
  if (value.empty() || value.size() > 16) return std::nullopt;
  // Hexadecimal digits by hand (every record's handle is read when a file loads and when a record changes);
  // at most 16 of them cannot overflow.
  std::uint64_t handle = 0;
  for (const char c : value) {
    const int digit = c >= '0' && c <= '9'   ? c - '0'
                      : c >= 'A' && c <= 'F' ? c - 'A' + 10
                      : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                             : -1;
    if (digit < 0) return std::nullopt;
    handle = handle * 16 + static_cast<std::uint64_t>(digit);
  }
  return handle;
}

namespace {

// DoubleOf of a value that is not a plain decimal: apart, so that reading a plain one needs no room for
// the message.
[[gnu::noinline]] double OtherDoubleOf(const Tag& tag, const std::string& file) {
  const auto d = ToDouble(tag.value);
  if (!d)
    ThrowAt(file, tag.line + 1,
            "expected a number for group code " + std::to_string(tag.code) + ", found " + Quote(tag.value));
  return *d;
}

}  // namespace

double DoubleOf(const Tag& tag, const std::string& file) {
  // A plain decimal has no blanks to trim and is finite: it is read as ToDouble would read it.
  if (double plain; ReadPlainDecimal(tag.value, plain)) return plain;
  return OtherDoubleOf(tag, file);
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

namespace {

// What std::to_chars writes for `value`, with ".0" after a whole number ("inf" and "nan" keep their 'n');
// returns the end. FormattedDouble falls back on it for the few values it does not lay out itself.
char* ToCharsText(double value, char* first, char* last) noexcept {
  char* end = std::to_chars(first, last - 2, value).ptr;
  if (std::string_view(first, static_cast<std::size_t>(end - first)).find_first_of(".eEn") == std::string_view::npos) {
    *end++ = '.';
    *end++ = '0';
  }
  return end;
}

// Writes the `count` digits of `value` (at most 17), with a point after the first `before` of them unless
// that is all of them; returns the end. The digits after the point are moved a place on for it as a block
// of 16 (a few loads and stores, where a copy of their number of bytes is a call), whatever follows them
// moving along: WriteDouble's room holds the block wherever it lies (see kDoubleRoom).
char* DigitsWithPoint(std::uint64_t value, int count, int before, char* out) noexcept {
  fmt::detail::format_decimal(out, value, count);
  if (before == count) return out + count;
  char block[16];
  std::memcpy(block, out + before, sizeof block);
  out[before] = '.';
  std::memcpy(out + before + 1, block, sizeof block);
  return out + count + 1;
}

}  // namespace

// The text of std::to_chars (the fewest digits that read back as the same double, laid out fixed or
// scientific, whichever is shorter, fixed on a tie) plus ".0" after a whole number, made for about half the
// cost: the digits come from {fmt}'s Dragonbox and are laid out here by std::to_chars's rules. The longest
// text, "-2.2250738585072014e-308", has 24 characters; a whole number has at most 22 digits and ".0".
char* WriteDouble(double value, char* text) noexcept {
  char* const last = text + kDoubleRoom;
  if (!std::isfinite(value)) return ToCharsText(value, text, last);
  char* out = text;
  if (std::signbit(value)) *out++ = '-';
  const double magnitude = std::fabs(value);
  // A whole number below 10^5 (zero, as most elevations are, among them) is written fixed, its digits
  // and ".0": "10000.0" is no longer than "1e+04", which wins only from 100000 on.
  if (magnitude < 1e5) {
    const auto whole = static_cast<std::uint32_t>(magnitude);
    if (static_cast<double>(whole) == magnitude) {
      out = std::to_chars(out, last, whole).ptr;
      *out++ = '.';
      *out++ = '0';
      return out;
    }
  }
  // magnitude = significand * 10^exponent, with the fewest significant digits (0 for zero). {fmt} offers
  // the digits alone only in its detail namespace; the tests compare the text with std::to_chars's.
  // The digits are written in place, once.
  const auto decimal = fmt::detail::dragonbox::to_decimal(magnitude);
  const std::uint64_t significand = decimal.significand;
  const int count = fmt::detail::count_digits(significand);
  const int exponent = decimal.exponent;

  // Scientific: "d.ddde+dd" (no point after a single digit). The exponent has three digits only where the
  // fixed form is over a hundred characters long, so two decide the choice. Fixed: the digits and
  // `exponent` zeros, or the digits with a point among them, or "0." and zeros before them.
  const int scientificSize = count + (count > 1 ? 1 : 0) + 4;
  const int fixedSize = exponent >= 0 ? count + exponent : count + exponent > 0 ? count + 1 : 2 - exponent;
  if (fixedSize > scientificSize) {
    out = DigitsWithPoint(significand, count, count > 1 ? 1 : count, out);
    *out++ = 'e';
    const int power = exponent + count - 1;
    *out++ = power < 0 ? '-' : '+';
    if (power > -10 && power < 10) *out++ = '0';
    out = std::to_chars(out, last, power < 0 ? -power : power).ptr;
  } else if (exponent >= 0) {
    // A whole number, which std::to_chars writes exactly, as printf would: 2^60 is "1152921504606846976",
    // not its shortest digits and zeros, "1152921504606847000". Below 2^64 that is its integer conversion.
    if (magnitude >= 0x1p64) return ToCharsText(value, text, last);
    const auto whole = static_cast<std::uint64_t>(magnitude);
    out = fmt::detail::format_decimal(out, whole, fmt::detail::count_digits(whole)).end;
    *out++ = '.';
    *out++ = '0';
  } else if (count + exponent > 0) {
    out = DigitsWithPoint(significand, count, count + exponent, out);
  } else {
    *out++ = '0';
    *out++ = '.';
    const int zeros = -(count + exponent);
    std::memset(out, '0', static_cast<std::size_t>(zeros));
    out = fmt::detail::format_decimal(out + zeros, significand, count).end;
  }
  return out;
}

FormattedDouble::FormattedDouble(double value) noexcept
    : size_(static_cast<std::size_t>(WriteDouble(value, text_) - text_)) {}

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
