// MText's Unicode escapes: "\U+" followed by four hexadecimal digits stands for the character of that
// code. The MText editor decodes the escapes whose code is below U+1000 (they begin "\U+0"; the Hebrew
// block is among them) and whose digits are upper case. Everything else stays as it is written: an escape
// of a higher code, one with lower-case digits, one cut short (fewer than four digits, or the end of the
// string), a backslash at the end, and a backslash with the character after it (so the "U" after an
// escaped backslash, "\\", starts no escape).
#pragma once

#include <string>
#include <string_view>

namespace zil::mtext {

std::u16string DecodeUnicodeEscapes(std::u16string_view s);

}  // namespace zil::mtext
