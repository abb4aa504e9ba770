#include "drawing/dxf_error.h"

#include <unicode/utf8.h>

#include <algorithm>
#include <cstdint>

namespace zil::drawing {

void ThrowAt(const std::string& file, std::uint32_t line, const std::string& what) {
  std::string message = file.empty() ? std::string("<drawing>") : file;
  if (line != 0) message += " line " + std::to_string(line);
  message += ": " + what;
  throw DxfError(message);
}

std::string Quote(std::string_view value) {
  constexpr std::int32_t kLimit = 40;  // bytes
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(value.data());
  const auto length = static_cast<std::int32_t>(std::min<std::size_t>(value.size(), kLimit));
  std::string quoted = "\"";
  // Characters in UTF-8 as they are; control characters, and bytes that are no UTF-8 (binary data, or text
  // in another code page), as \xNN, so that the message prints whole on any terminal.
  for (std::int32_t i = 0; i < length;) {
    const std::int32_t start = i;
    UChar32 c = 0;
    U8_NEXT(bytes, i, length, c);
    if (c >= 0x20 && c != 0x7F) {
      quoted.append(value.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(i - start)));
      continue;
    }
    i = start + 1;
    static constexpr char kHex[] = "0123456789ABCDEF";
    quoted += "\\x";
    quoted += kHex[bytes[start] >> 4];
    quoted += kHex[bytes[start] & 0xF];
  }
  if (value.size() > kLimit) quoted += "...";
  return quoted + "\"";
}

}  // namespace zil::drawing
