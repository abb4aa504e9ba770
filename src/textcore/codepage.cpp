#include "textcore/codepage.h"

#include <array>

namespace zil::textcore {
namespace {

// Bytes 0x80..0xFF. An undefined byte holds its own value.
constexpr std::array<char16_t, 128> kHighHalf = {
    u'\u20AC', u'\u0081', u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',  // 80
    u'\u02C6', u'\u2030', u'\u008A', u'\u2039', u'\u008C', u'\u008D', u'\u008E', u'\u008F',  // 88
    u'\u0090', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',  // 90
    u'\u02DC', u'\u2122', u'\u009A', u'\u203A', u'\u009C', u'\u009D', u'\u009E', u'\u009F',  // 98
    u'\u00A0', u'\u00A1', u'\u00A2', u'\u00A3', u'\u20AA', u'\u00A5', u'\u00A6', u'\u00A7',  // A0
    u'\u00A8', u'\u00A9', u'\u00D7', u'\u00AB', u'\u00AC', u'\u00AD', u'\u00AE', u'\u00AF',  // A8
    u'\u00B0', u'\u00B1', u'\u00B2', u'\u00B3', u'\u00B4', u'\u00B5', u'\u00B6', u'\u00B7',  // B0
    u'\u00B8', u'\u00B9', u'\u00F7', u'\u00BB', u'\u00BC', u'\u00BD', u'\u00BE', u'\u00BF',  // B8
    u'\u05B0', u'\u05B1', u'\u05B2', u'\u05B3', u'\u05B4', u'\u05B5', u'\u05B6', u'\u05B7',  // C0
    u'\u05B8', u'\u05B9', u'\u00CA', u'\u05BB', u'\u05BC', u'\u05BD', u'\u05BE', u'\u05BF',  // C8
    u'\u05C0', u'\u05C1', u'\u05C2', u'\u05C3', u'\u05F0', u'\u05F1', u'\u05F2', u'\u05F3',  // D0
    u'\u05F4', u'\u00D9', u'\u00DA', u'\u00DB', u'\u00DC', u'\u00DD', u'\u00DE', u'\u00DF',  // D8
    u'\u05D0', u'\u05D1', u'\u05D2', u'\u05D3', u'\u05D4', u'\u05D5', u'\u05D6', u'\u05D7',  // E0
    u'\u05D8', u'\u05D9', u'\u05DA', u'\u05DB', u'\u05DC', u'\u05DD', u'\u05DE', u'\u05DF',  // E8
    u'\u05E0', u'\u05E1', u'\u05E2', u'\u05E3', u'\u05E4', u'\u05E5', u'\u05E6', u'\u05E7',  // F0
    u'\u05E8', u'\u05E9', u'\u05EA', u'\u00FB', u'\u00FC', u'\u200E', u'\u200F', u'\u00FF',  // F8
};

// The byte of every UTF-16 unit, '?' where the code page has none: one look-up per unit instead of a search,
// as every drawing string is encoded unit by unit.
constexpr std::array<unsigned char, 0x10000> kBytes = [] {
  std::array<unsigned char, 0x10000> table{};
  for (std::size_t unit = 0; unit < table.size(); ++unit)
    table[unit] = unit < 0x80 ? static_cast<unsigned char>(unit) : static_cast<unsigned char>('?');
  for (std::size_t i = 0; i < kHighHalf.size(); ++i) table[kHighHalf[i]] = static_cast<unsigned char>(0x80 + i);
  return table;
}();

}  // namespace

char16_t DecodeAnsiByte(unsigned char byte) noexcept { return byte < 0x80 ? char16_t{byte} : kHighHalf[byte - 0x80u]; }

unsigned char EncodeAnsiUnit(char16_t unit) noexcept { return kBytes[unit]; }

std::string ToAnsi(std::u16string_view text) {
  std::string bytes(text.size(), '\0');
  for (std::size_t i = 0; i < text.size(); ++i) bytes[i] = static_cast<char>(EncodeAnsiUnit(text[i]));
  return bytes;
}

std::u16string FromAnsi(std::string_view bytes) {
  std::u16string text(bytes.size(), u'\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) text[i] = DecodeAnsiByte(static_cast<unsigned char>(bytes[i]));
  return text;
}

std::string UnitsToBytes(std::u16string_view text) {
  std::string bytes(text.size(), '\0');
  for (std::size_t i = 0; i < text.size(); ++i)
    bytes[i] = static_cast<char>(text[i] < 256 ? static_cast<unsigned char>(text[i]) : EncodeAnsiUnit(text[i]));
  return bytes;
}

}  // namespace zil::textcore
