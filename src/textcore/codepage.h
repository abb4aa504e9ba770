// The single-byte code page of the Hebrew conversions: Windows-1255, always.
//
// Drawing strings are converted as single-byte strings with the Hebrew letters at their Windows-1255
// positions (and, for DOS fonts, at code page 862's positions 0x80..0x9A). Windows-1255 leaves 23 bytes
// undefined; eight DOS Hebrew letters sit on them, so such a byte decodes to the code point of the same
// value (0x81 -> U+0081) and encodes back to that byte. A UTF-16 unit the code page cannot hold encodes
// as '?'. Both directions keep the length: one byte per UTF-16 unit.
#pragma once

#include <string>
#include <string_view>

namespace zil::textcore {

// The UTF-16 unit that `byte` decodes to.
char16_t DecodeAnsiByte(unsigned char byte) noexcept;

// The byte that `unit` encodes to, '?' when the code page has none.
unsigned char EncodeAnsiUnit(char16_t unit) noexcept;

// A(s): the single-byte form of a UTF-16 string.
std::string ToAnsi(std::u16string_view text);

// U(b): the UTF-16 form of a single-byte string.
std::u16string FromAnsi(std::string_view bytes);

// Bytes for text that may hold either encoding of a drawing string: a unit below 256 stands for its own
// byte, any other unit for its Windows-1255 byte.
std::string UnitsToBytes(std::u16string_view text);

}  // namespace zil::textcore
