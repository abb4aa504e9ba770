#include "textcore/charmaps.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <sstream>

#include "support/process.h"
#include "text_helpers.h"
#include "textcore/codepage.h"

namespace zil::textcore {
namespace {

using test::Hex;

std::string AllBytes() {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  return all;
}

TEST(CharMaps, DosAndWindowsLettersAreSixtyApart) {
  const std::string all = AllBytes();
  const std::string win = DosLettersToWin(all);
  const std::string dos = WinLettersToDos(all);
  for (int b = 0; b < 256; ++b) {
    const auto i = static_cast<std::size_t>(b);
    EXPECT_EQ(static_cast<unsigned char>(win[i]), b >= 0x80 && b <= 0x9A ? b + 0x60 : b) << b;
    EXPECT_EQ(static_cast<unsigned char>(dos[i]), b >= 0xE0 && b <= 0xFA ? b - 0x60 : b) << b;
  }
  // The round trip from DOS letters; 0x9B..0x9F and 0xFB..0xFF are left alone by both.
  const std::string dosLetters = "\x80\x8A\x9A\x9B\x9F\xFB\xFF abc";
  EXPECT_EQ(WinLettersToDos(DosLettersToWin(dosLetters)), dosLetters);
}

TEST(CharMaps, KeyMaps) {
  struct Case {
    std::string keys;
    std::string dos;
    std::string win;
  } cases[] = {
      {"abc", "\x99\x90\x81", "\xF9\xF0\xE1"},  // shin, nun, bet
      {"ABC 123", "ABC 123", "ABC 123"},        // capitals, digits, space unchanged
      {";.,", "\x93\x95\x9A", "\xF3\xF5\xFA"},  // final pe, final tsadi, tav
      {"'/wq", ",.'/", ",.'\\"},                // the punctuation keys; q differs
      {"\x80\xE0", "\x80\xE0", "\x80\xE0"},     // letters already mapped pass unchanged
  };
  for (const Case& c : cases) {
    std::string dos = c.keys;
    KeysToDosLetters(dos);
    EXPECT_EQ(dos, c.dos) << c.keys << " -> " << Hex(dos);
    EXPECT_EQ(KeysToWinLetters(c.keys), c.win) << c.keys;
  }
}

TEST(CharMaps, KeyStringsSurviveBothRoundTrips) {
  const std::string keys = std::string(kLetterKeys) + "'/wq";
  std::string viaDos = keys;
  KeysToDosLetters(viaDos);
  DosLettersToKeys(viaDos);
  EXPECT_EQ(viaDos, keys);
  EXPECT_EQ(WinLettersToKeys(KeysToWinLetters(keys)), keys);
  // And the letters survive the way back, in both encodings.
  std::string dosLetters;
  for (int b = 0x80; b <= 0x9A; ++b) dosLetters += static_cast<char>(b);
  std::string dos = dosLetters;
  DosLettersToKeys(dos);
  KeysToDosLetters(dos);
  EXPECT_EQ(dos, dosLetters);
  EXPECT_EQ(KeysToWinLetters(WinLettersToKeys(DosLettersToWin(dosLetters))), DosLettersToWin(dosLetters));
}

TEST(CharMaps, DosLettersToUnicode) {
  // Units 0x80..0x9A, and units whose Windows-1255 byte is 0x80..0x9A (U+20AC is 0x80, U+2122 is 0x99),
  // become letters; Windows letters and everything else stay.
  EXPECT_EQ(DosLettersToUnicode(u"\u0080\u0081\u009A\u20AC\u2122 a\u05D0\u009B"),
            u"\u05D0\u05D1\u05EA\u05D0\u05E9 a\u05D0\u009B");
  EXPECT_EQ(DosLettersToUnicode(u""), u"");
}

// Reads the level-one keysym of every key of an xkb symbols block.
std::map<std::string, std::string> ReadXkbKeys(const std::string& path, const std::string& block) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  const std::string all = text.str();
  const auto start = all.find("xkb_symbols \"" + block + "\"");
  const auto end = all.find("\n};", start);
  const std::string body = all.substr(start, end - start);
  std::map<std::string, std::string> keys;
  const std::regex key(R"(key\s+<(\w+)>\s*\{\s*\[\s*(\w+))");
  for (auto it = std::sregex_iterator(body.begin(), body.end(), key); it != std::sregex_iterator(); ++it)
    keys[(*it)[1]] = (*it)[2];
  return keys;
}

// keysym name -> Unicode code point, from the comments of X11's keysymdef.h.
std::map<std::string, int> ReadKeysymCodePoints() {
  std::ifstream file("/usr/include/X11/keysymdef.h");
  std::map<std::string, int> codePoints;
  const std::regex define(R"(#define XK_(\w+)\s+0x[0-9a-fA-F]+\s*/\*\s*U\+([0-9A-Fa-f]{4,6}))");
  std::string line;
  std::smatch m;
  while (std::getline(file, line))
    if (std::regex_search(line, m, define)) codePoints.emplace(m[1], std::stoi(m[2], nullptr, 16));
  return codePoints;
}

// The key maps are checked against the standard Hebrew keyboard as the system describes it: xkb's "il"
// layout, key by key against the US layout, read when the test runs.
TEST(CharMaps, KeyMapMatchesTheHebrewKeyboard) {
  const auto hebrew = ReadXkbKeys("/usr/share/X11/xkb/symbols/il", "basic");
  const auto us = ReadXkbKeys("/usr/share/X11/xkb/symbols/us", "basic");
  const auto codePoints = ReadKeysymCodePoints();
  ASSERT_GT(hebrew.size(), 30u) << "xkb-data is missing";
  ASSERT_FALSE(codePoints.empty()) << "x11proto-dev is missing";

  int letters = 0, punctuation = 0;
  for (const auto& [position, hebrewSym] : hebrew) {
    const auto usKey = us.find(position);
    if (usKey == us.end() || !codePoints.contains(usKey->second) || !codePoints.contains(hebrewSym)) continue;
    const int usChar = codePoints.at(usKey->second);
    const int hebrewChar = codePoints.at(hebrewSym);
    const bool letter = hebrewChar >= 0x05D0 && hebrewChar <= 0x05EA;
    // Besides the letters the maps move the four punctuation keys; the layout's other differences (the
    // mirrored brackets, the grave key) are not part of the key maps.
    const std::string_view punctuationKeys = "qw/'";
    if (usChar >= 0x80 || (!letter && punctuationKeys.find(static_cast<char>(usChar)) == std::string_view::npos))
      continue;
    const std::string key(1, static_cast<char>(usChar));
    std::string dos = key;
    KeysToDosLetters(dos);
    const auto expected = static_cast<char16_t>(letter ? hebrewChar - 0x550 : hebrewChar);  // DOS code
    EXPECT_EQ(int{static_cast<unsigned char>(dos[0])}, int{expected}) << "key <" << position << "> " << key;
    if (!letter) ++punctuation;
    if (letter) {
      ++letters;
      EXPECT_EQ(FromAnsi(KeysToWinLetters(key)), std::u16string(1, static_cast<char16_t>(hebrewChar))) << key;
    }
  }
  EXPECT_EQ(letters, kLetterCount);
  EXPECT_EQ(punctuation, 4);
}

// The DOS letters are code page 862's, checked against Python's codec.
TEST(CharMaps, DosLettersMatchPythonCp862) {
  const auto python = test::RunProcess(
      {"/usr/bin/python3", "-c", "print(' '.join(str(ord(bytes([b]).decode('cp862'))) for b in range(0x80, 0x9B)))"});
  ASSERT_EQ(python.exitCode, 0) << python.err;
  std::istringstream values(python.out);
  std::string dos;
  for (int b = 0x80; b <= 0x9A; ++b) dos += static_cast<char>(b);
  const std::u16string letters = FromAnsi(DosLettersToWin(dos));
  int codePoint = 0;
  for (char16_t letter : letters) {
    ASSERT_TRUE(values >> codePoint);
    EXPECT_EQ(int{letter}, codePoint);
  }
  EXPECT_EQ(DosLettersToUnicode(FromAnsi(dos)), letters);
}

}  // namespace
}  // namespace zil::textcore
