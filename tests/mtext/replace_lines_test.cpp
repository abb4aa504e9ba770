// The replace editor's line operations, apart from the screen.
#include "mtext/replace_lines.h"

#include <gtest/gtest.h>

#include "textcore/utf8.h"

namespace zil::mtext {
namespace {

using Lines = std::vector<std::u16string>;

TEST(ReplaceLines, EachOccurrenceOnceAReplacementNeverSearchedAgain) {
  const auto never = [](std::size_t, std::size_t) -> ReplaceAnswer {
    ADD_FAILURE() << "asked without prompting";
    return ReplaceAnswer::Cancel;
  };
  std::vector<std::size_t> told;
  const auto tell = [&told](std::size_t line, std::size_t) { told.push_back(line); };

  Lines lines = {u"ab ab ab", u"none", u"xab"};
  EXPECT_EQ(ReplaceInLines(lines, u"ab", u"abab", false, never, tell), 4);
  EXPECT_EQ(lines, Lines({u"abab abab abab", u"none", u"xabab"}));
  EXPECT_EQ(told, std::vector<std::size_t>({0, 0, 0, 2}));

  // Asked at each occurrence: No, Yes, No.
  const struct {
    std::vector<ReplaceAnswer> answers;
    std::u16string result;
    int count;
  } cases[] = {
      {{ReplaceAnswer::No, ReplaceAnswer::Yes, ReplaceAnswer::No}, u"aXaYYaX", 1},
      {{ReplaceAnswer::Yes, ReplaceAnswer::Cancel}, u"aYYaXaX", 1},
      {{ReplaceAnswer::No, ReplaceAnswer::All}, u"aXaYYaYY", 2},
  };
  for (const auto& c : cases) {
    Lines one = {u"aXaXaX"};
    std::size_t asked = 0;
    std::vector<std::size_t> positions;
    const int count = ReplaceInLines(
        one, u"X", u"YY", true,
        [&](std::size_t, std::size_t position) {
          positions.push_back(position);
          return c.answers.at(asked++);
        },
        [](std::size_t, std::size_t) {});
    EXPECT_EQ(one[0], c.result);
    EXPECT_EQ(count, c.count);
    EXPECT_EQ(asked, c.answers.size());
  }
  Lines unchanged = {u"abc"};
  EXPECT_EQ(ReplaceInLines(unchanged, u"", u"x", false, never, tell), 0);
  EXPECT_EQ(FindLines({u"a1", u"b", u"1"}, u"1"), std::vector<std::size_t>({0, 2}));
  EXPECT_TRUE(FindLines({u"a"}, u"").empty());
}

TEST(ReplaceLines, ANumberIsAddedToTheFirstNumberOfALine) {
  const struct {
    std::u16string line;
    double number;
    std::optional<std::u16string> result;
  } cases[] = {
      {u"L=10", 2.5, u"L=12.50"},       {u" 12רדח", 2.5, u" 14.50רדח"},  // an integer inside Hebrew
      {u" 3.75הבוג", 1, u" 4.75הבוג"},                                   // a decimal
      {u" -2.5הבוג", 1, u" -1.50הבוג"},                                  // negative
      {u"5- 7הלפנ", -10, std::nullopt},                                  // the first run, "5-", is no number
      {u"+7 ab", 0, u"+7.00 ab"},                                        // a sign before the digits stays
      {u"1e2 שלום", 1, u"101.00 שלום"}, {u"12345.678", 0, u"12345.70"},  // six significant digits
      {u"9999999", 1, u"1.00000E+07"},  {u"שלום", 1, std::nullopt},      // none
      {u"1.2.3", 1, std::nullopt},                                       // a run that is no number
      {u"3-4", 1, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(AddNumberToLine(c.line, c.number), c.result) << textcore::ToUtf8(c.line);
}

TEST(ReplaceLines, AReversedLineKeepsCharactersWhole) {
  EXPECT_EQ(ReverseLine(u"ab שלום 12"), u"21 םולש ba");
  EXPECT_EQ(ReverseLine(u"a\U0001F600b"), u"b\U0001F600a");
  EXPECT_EQ(ReverseLine(u""), u"");
}

}  // namespace
}  // namespace zil::mtext
