// Helpers for writing text-core cases legibly: Hebrew written as UTF-8 in the test, converted to the
// Windows-1255 bytes the conversions work on, and bytes shown in hex when a case fails.
#pragma once

#include <string>
#include <string_view>

#include "textcore/codepage.h"
#include "textcore/utf8.h"

namespace zil::test {

// The Windows-1255 bytes of UTF-8 text ("שלום" -> F9 EC E5 ED).
inline std::string W(std::string_view utf8) { return textcore::ToAnsi(textcore::FromUtf8(utf8)); }

// The bytes as hex, for failure messages.
inline std::string Hex(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (!out.empty()) out += ' ';
    out += kDigits[b >> 4];
    out += kDigits[b & 0xF];
  }
  return out;
}

}  // namespace zil::test
