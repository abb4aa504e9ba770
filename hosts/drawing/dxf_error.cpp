#include "drawing/dxf_error.h"

#include <algorithm>
#include <cstdint>

#include "textcore/utf8.h"

namespace zil::drawing {
namespace {

// The length of the well-formed UTF-8 character at the start of `s`; 0 when it starts with none.
std::size_t CharacterLength(std::string_view s) {
  const auto lead = static_cast<unsigned char>(s.front());
  const std::size_t n = lead < 0x80 ? 1 : lead >= 0xF8 ? 0 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
  if (n == 0 || n > s.size()) return 0;
  return n == 1 || textcore::FromUtf8Strict(s.substr(0, n)) ? n : 0;
}

}  // namespace

void ThrowAt(const std::string& file, std::uint32_t line, const std::string& what) {
  std::string message = file.empty() ? std::string("<drawing>") : file;
  if (line != 0) message += " line " + std::to_string(line);
  message += ": " + what;
  throw DxfError(message);
}

std::string Quote(std::string_view value) {
  constexpr std::size_t kLimit = 40;  // bytes
  const std::string_view shown = value.substr(0, kLimit);
  std::string quoted = "\"";
  // Characters in UTF-8 as they are; control characters, and bytes that are no UTF-8 (binary data, or text
  // in another code page), as \xNN, so that the message prints whole on any terminal.
  for (std::size_t i = 0; i < shown.size();) {
    const std::size_t n = CharacterLength(shown.substr(i));
    const auto byte = static_cast<unsigned char>(shown[i]);
    if (n > 0 && !(n == 1 && (byte < 0x20 || byte == 0x7F))) {
      quoted.append(shown.substr(i, n));
      i += n;
      continue;
    }
    static constexpr char kHex[] = "0123456789ABCDEF";
    quoted += "\\x";
    quoted += kHex[byte >> 4];
    quoted += kHex[byte & 0xF];
    ++i;
  }
  if (value.size() > kLimit) quoted += "...";
  return quoted + "\"";
}

}  // namespace zil::drawing
