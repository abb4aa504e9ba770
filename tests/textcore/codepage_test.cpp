#include "textcore/codepage.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/process.h"

namespace zil::textcore {
namespace {

constexpr unsigned char kUndefined[] = {0x81, 0x8A, 0x8C, 0x8D, 0x8E, 0x8F, 0x90, 0x9A, 0x9C, 0x9D, 0x9E, 0x9F,
                                        0xCA, 0xD9, 0xDA, 0xDB, 0xDC, 0xDD, 0xDE, 0xDF, 0xFB, 0xFC, 0xFF};

TEST(CodePage, EveryByteSurvivesDecodeAndEncode) {
  for (int b = 0; b < 256; ++b) {
    const auto byte = static_cast<unsigned char>(b);
    EXPECT_EQ(EncodeAnsiUnit(DecodeAnsiByte(byte)), byte) << "byte " << b;
  }
}

TEST(CodePage, UndefinedBytesAreTheirOwnCodePoints) {
  for (unsigned char b : kUndefined) EXPECT_EQ(DecodeAnsiByte(b), char16_t{b}) << "byte " << int{b};
}

TEST(CodePage, UnitsOutsideTheCodePageBecomeQuestionMarks) {
  // U+0080 is not 0x80 (that is the euro sign); surrogates, Arabic and CJK have no byte.
  const std::u16string text = {0x0080, 0xD800, 0x0627, 0x4E2D, 0x20AC};
  EXPECT_EQ(ToAnsi(text), std::string("????\x80"));
}

TEST(CodePage, StringsKeepTheirLength) {
  const std::string bytes = "\x80\x81 abc \xE0\xFA\xFF";
  const std::u16string text = FromAnsi(bytes);
  EXPECT_EQ(text, u"\u20AC\u0081 abc \u05D0\u05EA\u00FF");
  EXPECT_EQ(ToAnsi(text), bytes);
  EXPECT_EQ(ToAnsi(u""), "");
}

// The table is checked against an independent implementation of Windows-1255: Python's cp1255 codec,
// read when the test runs. Bytes Python leaves undefined must be exactly our undefined bytes.
TEST(CodePage, MatchesPythonCp1255) {
  const auto python = test::RunProcess({"/usr/bin/python3", "-c",
                                        "for b in range(256):\n"
                                        "  try: print(b, ord(bytes([b]).decode('cp1255')))\n"
                                        "  except UnicodeDecodeError: print(b, -1)\n"});
  ASSERT_EQ(python.exitCode, 0) << python.err;
  std::istringstream lines(python.out);
  int byte = 0, codePoint = 0, count = 0;
  while (lines >> byte >> codePoint) {
    ++count;
    const auto b = static_cast<unsigned char>(byte);
    if (codePoint < 0) {
      EXPECT_EQ(DecodeAnsiByte(b), char16_t{b}) << "undefined byte " << byte;
      EXPECT_NE(std::find(std::begin(kUndefined), std::end(kUndefined), b), std::end(kUndefined))
          << "byte " << byte << " is undefined in Python's cp1255";
    } else {
      EXPECT_EQ(int{DecodeAnsiByte(b)}, codePoint) << "byte " << byte;
    }
  }
  EXPECT_EQ(count, 256);
}

}  // namespace
}  // namespace zil::textcore
