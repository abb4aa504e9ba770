#include "drawing/dxf_error.h"

namespace zil::drawing {

void ThrowAt(const std::string& file, std::uint32_t line, const std::string& what) {
  std::string message = file.empty() ? std::string("<drawing>") : file;
  if (line != 0) message += " line " + std::to_string(line);
  message += ": " + what;
  throw DxfError(message);
}

std::string Quote(std::string_view value) {
  constexpr std::size_t kLimit = 40;
  std::string quoted = "\"";
  for (std::size_t i = 0; i < value.size() && i < kLimit; ++i) {
    const auto c = static_cast<unsigned char>(value[i]);
    if (c < 0x20 || c == 0x7F) {
      static constexpr char kHex[] = "0123456789ABCDEF";
      quoted += "\\x";
      quoted += kHex[c >> 4];
      quoted += kHex[c & 0xF];
    } else {
      quoted += static_cast<char>(c);
    }
  }
  if (value.size() > kLimit) quoted += "...";
  return quoted + "\"";
}

}  // namespace zil::drawing
