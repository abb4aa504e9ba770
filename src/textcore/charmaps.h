// Character maps between the four Hebrew encodings of the 27 letters (alef .. tav, with the final forms
// where code page 862 puts them):
//   DOS code    0x80..0x9A   (code page 862)
//   Windows     0xE0..0xFA   (Windows-1255, the DOS code + 0x60)
//   Unicode     U+05D0..U+05EA (the DOS code + 0x550)
//   key         the character the letter's key types on a US English keyboard (the Hebrew layout)
// The key maps also remap four punctuation keys: "'" <-> ",", "/" <-> ".", "w" <-> "'", and "q", which
// becomes "/" in the DOS map and "\" in the Windows map. Every other byte passes unchanged.
// All maps work byte by byte (UTF-16 unit by unit) and keep the length.
#pragma once

#include <string>
#include <string_view>

namespace zil::textcore {

// Every byte 0x80..0x9A gets 0x60 added.
std::string DosLettersToWin(std::string s);
// Every byte 0xE0..0xFA gets 0x60 subtracted.
std::string WinLettersToDos(std::string s);

// Every unit 0x80..0x9A becomes that value + 0x550; otherwise, when the unit's byte in the single-byte
// form of the string is 0x80..0x9A (U+20AC is 0x80, for instance), that byte + 0x550.
std::u16string DosLettersToUnicode(std::u16string_view s);

// The key maps. The DOS pair works in place.
void KeysToDosLetters(std::string& s);
void DosLettersToKeys(std::string& s);
std::string KeysToWinLetters(std::string s);
// The DOS pair as values, for chains of conversions.
inline std::string KeysToDos(std::string s) {
  KeysToDosLetters(s);
  return s;
}
inline std::string DosToKeys(std::string s) {
  DosLettersToKeys(s);
  return s;
}
std::string WinLettersToKeys(std::string s);

// The key of each letter, alef first: "tcdsvuzjyhlfkonibxg;p.mera,".
inline constexpr std::string_view kLetterKeys = "tcdsvuzjyhlfkonibxg;p.mera,";
inline constexpr int kLetterCount = 27;

inline constexpr bool IsDosLetter(unsigned char b) { return b >= 0x80 && b <= 0x9A; }
inline constexpr bool IsWinLetter(unsigned char b) { return b >= 0xE0 && b <= 0xFA; }

}  // namespace zil::textcore
