#include "drawing/tag_values.h"

#include <charconv>
#include <cmath>

#include "drawing/dxf_error.h"

namespace zil::drawing {
namespace {

template <typename T>
std::optional<T> Parse(std::string_view value, int base = 10) noexcept {
  value = Trimmed(value);
  if (!value.empty() && value.front() == '+') value.remove_prefix(1);
  if (value.empty()) return std::nullopt;
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
