#include "textcore/runs.h"

#include <gtest/gtest.h>

#include <random>

#include "text_helpers.h"

namespace zil::textcore {
namespace {

using test::Hex;
using test::W;

TEST(Runs, ReverseStr) {
  EXPECT_EQ(ReverseStr("ab\x80"),
            "\x80"
            "ba");
  EXPECT_EQ(ReverseStr(""), "");
  const std::u16string units = {u'a', 0x05D0, 0xD83D, 0xDE00};  // units, not characters
  EXPECT_EQ(ReverseStrW(units), (std::u16string{0xDE00, 0xD83D, 0x05D0, u'a'}));
}

TEST(Runs, HasNoHebrewLooksAtTheEncodingOfTheType) {
  struct Case {
    std::string s;
    int type;
    bool expected;
  } cases[] = {
      {"", DosHebrew, true},           {"abc", DosHebrew, true},    {"a\x9A", DosHebrew, false},
      {"\x9B\xE0", DosHebrew, true},   {"\xE0", WindowsHeb, false}, {"\xE0", TrueType, false},
      {"\x80", WindowsHeb, true},      {"\xFB", WindowsHeb, true},  {"abc", DosEnglish, true},
      {"\x80\xE0", DosEnglishR, true}, {"\xE0", 7, true},
  };
  for (const Case& c : cases) EXPECT_EQ(HasNoHebrew(c.s, c.type), c.expected) << Hex(c.s) << " type " << c.type;
}

TEST(Runs, ReverseLatinRunsReversesOnlyTheOtherRuns) {
  struct Case {
    std::string in;
    std::string out;
  } cases[] = {
      {"", ""},
      {"abc 12", "21 cba"},
      {W("שלום"), W("שלום")},
      {W("אב") + "12 " + W("גד") + ".", W("אב") + " 21" + W("גד") + "."},
      // DOS letters and points are not Hebrew for the run classification.
      {"\x80\x81" + W("א"), "\x81\x80" + W("א")},
  };
  for (const Case& c : cases) EXPECT_EQ(ReverseLatinRuns(c.in), c.out) << Hex(c.in);
}

TEST(Runs, ReversalWithRunReversalIsAnInvolution) {
  std::mt19937 random(1255);
  const std::string alphabet = "ab 1.(" + W("אבגשת");
  for (int round = 0; round < 2000; ++round) {
    std::string s(random() % 24, ' ');
    for (char& c : s) c = alphabet[random() % alphabet.size()];
    const std::string once = ReverseStr(ReverseLatinRuns(s));
    EXPECT_EQ(ReverseStr(ReverseLatinRuns(once)), s) << Hex(s);
    // The two orders of composition agree.
    EXPECT_EQ(ReverseLatinRuns(ReverseStr(s)), once) << Hex(s);
  }
}

TEST(Runs, MirrorBracketsSwapsOnlyRoundAndAngle) {
  EXPECT_EQ(MirrorBrackets("(a<b>)[c]{d}"),
            ")a>b<("
            "[c]{d}");
}

}  // namespace
}  // namespace zil::textcore
