// Numbers and handles in tag values. Accepts untrusted values: a value that is not what its group code
// needs is a DxfError naming the line and the group code.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "drawing/tag.h"

namespace zil::drawing {

// Parsing without an error: nullopt for a value that is not a number / handle.
std::optional<double> ToDouble(std::string_view value) noexcept;
std::optional<long long> ToInteger(std::string_view value) noexcept;
std::optional<std::uint64_t> ToHandle(std::string_view value) noexcept;  // hexadecimal, 1..16 digits

// Parsing a tag of the file: `file` names the drawing in the message.
double DoubleOf(const Tag& tag, const std::string& file);
long long IntegerOf(const Tag& tag, const std::string& file);
std::uint64_t HandleOf(const Tag& tag, const std::string& file);

// The shortest text that reads back as the same double; integral values keep a ".0".
std::string FormatDouble(double value);
// The same text written at `text`, which has room for kDoubleRoom characters; returns its end. The room
// may be used past the end (the text has at most 24 characters; its digits are laid out as blocks of a
// fixed size that reach 34 characters at most).
inline constexpr std::size_t kDoubleRoom = 40;
char* WriteDouble(double value, char* text) noexcept;
// The same text, without a string of its own (for the many values a change writes).
class FormattedDouble {
 public:
  explicit FormattedDouble(double value) noexcept;
  operator std::string_view() const noexcept { return {text_, size_}; }

 private:
  char text_[kDoubleRoom];
  std::size_t size_;
};
std::string FormatHandle(std::uint64_t handle);  // upper-case hex without leading zeros

}  // namespace zil::drawing
