// The one exception of the drawing host: a DXF file that cannot be read, a value that is not what its
// group code needs, or a drawing that cannot be saved. The message names the file and, where there is
// one, the line, and says what was expected, so that a user can find and mend the fault.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace zil::drawing {

class DxfError : public std::runtime_error {
 public:
  explicit DxfError(const std::string& message) : std::runtime_error(message) {}
};

// "FILE line N: WHAT" (or "FILE: WHAT" when line is 0).
[[noreturn]] void ThrowAt(const std::string& file, std::uint32_t line, const std::string& what);

// A short, printable quotation of a value from the file for an error message.
std::string Quote(std::string_view value);

}  // namespace zil::drawing
