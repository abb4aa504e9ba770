#include "textcore/charmaps.h"

#include <array>

#include "textcore/codepage.h"

namespace zil::textcore {
namespace {

using ByteMap = std::array<unsigned char, 256>;

constexpr ByteMap Identity() {
  ByteMap map{};
  for (std::size_t i = 0; i < map.size(); ++i) map[i] = static_cast<unsigned char>(i);
  return map;
}

constexpr unsigned char Byte(char c) { return static_cast<unsigned char>(c); }

// Key -> DOS code. `backslashForQ`: the Windows map sends "q" to "\" instead of "/".
constexpr ByteMap KeysToLetters(unsigned char firstLetter, bool backslashForQ) {
  ByteMap map = Identity();
  for (int i = 0; i < kLetterCount; ++i)
    map[Byte(kLetterKeys[static_cast<std::size_t>(i)])] = static_cast<unsigned char>(firstLetter + i);
  map[Byte('\'')] = Byte(',');
  map[Byte('/')] = Byte('.');
  map[Byte('w')] = Byte('\'');
  map[Byte('q')] = backslashForQ ? Byte('\\') : Byte('/');
  return map;
}

constexpr ByteMap LettersToKeys(unsigned char firstLetter, bool backslashForQ) {
  ByteMap map = Identity();
  for (int i = 0; i < kLetterCount; ++i)
    map[static_cast<unsigned char>(firstLetter + i)] = Byte(kLetterKeys[static_cast<std::size_t>(i)]);
  map[Byte('\'')] = Byte('w');
  map[Byte(',')] = Byte('\'');
  map[Byte('.')] = Byte('/');
  map[backslashForQ ? Byte('\\') : Byte('/')] = Byte('q');
  return map;
}

constexpr ByteMap kKeysToDos = KeysToLetters(0x80, false);
constexpr ByteMap kKeysToWin = KeysToLetters(0xE0, true);
constexpr ByteMap kDosToKeys = LettersToKeys(0x80, false);
constexpr ByteMap kWinToKeys = LettersToKeys(0xE0, true);

void Apply(const ByteMap& map, std::string& s) {
  for (char& c : s) c = static_cast<char>(map[static_cast<unsigned char>(c)]);
}

}  // namespace

std::string DosLettersToWin(std::string s) {
  for (char& c : s)
    if (IsDosLetter(static_cast<unsigned char>(c))) c = static_cast<char>(static_cast<unsigned char>(c) + 0x60);
  return s;
}

std::string WinLettersToDos(std::string s) {
  for (char& c : s)
    if (IsWinLetter(static_cast<unsigned char>(c))) c = static_cast<char>(static_cast<unsigned char>(c) - 0x60);
  return s;
}

std::u16string DosLettersToUnicode(std::u16string_view s) {
  std::u16string out(s);
  for (char16_t& unit : out) {
    if (unit >= 0x80 && unit <= 0x9A) {
      unit = static_cast<char16_t>(unit + 0x550);
    } else if (const unsigned char b = EncodeAnsiUnit(unit); IsDosLetter(b)) {
      unit = static_cast<char16_t>(b + 0x550);
    }
  }
  return out;
}

void KeysToDosLetters(std::string& s) { Apply(kKeysToDos, s); }
void DosLettersToKeys(std::string& s) { Apply(kDosToKeys, s); }

std::string KeysToWinLetters(std::string s) {
  Apply(kKeysToWin, s);
  return s;
}

std::string WinLettersToKeys(std::string s) {
  Apply(kWinToKeys, s);
  return s;
}

}  // namespace zil::textcore
