// MText contents as the MText editor reads and writes them, and the numbers it shows and reads.
#include "mtext/mtext_lines.h"

#include <gtest/gtest.h>

#include "mtext/numbers.h"
#include "mtext/unicode_escapes.h"
#include "textcore/utf8.h"

namespace zil::mtext {
namespace {

using Lines = std::vector<std::u16string>;

TEST(UnicodeEscapes, WholeLowEscapesAreDecodedEverythingElseStaysAsWritten) {
  const struct {
    std::u16string in, out;
  } cases[] = {
      {u"\\U+05D0", u"א"},
      {u"\\U+05D01", u"א1"},  // a fourth digit ends the escape
      {u"x\\U+05E9\\U+05DC\\U+05D5\\U+05DD", u"xשלום"},
      {u"\\U+2013", u"\\U+2013"},                        // not below U+1000
      {u"\\U+05d0", u"\\U+05d0"},                        // lower-case digits
      {u"a\\b \\U", u"a\\b \\U"},                        // a backslash before another character, "\U" at the end
      {u"\\U+0 \\U+05D \\U+0", u"\\U+0 \\U+05D \\U+0"},  // cut short: no digit, two digits, the end
      {u"\\U+05D0\\", u"א\\"},                           // a backslash at the end stays
      {u"\\\\U+05D0", u"\\\\U+05D0"},                    // an escaped backslash starts no escape
      {u"no escape \\P", u"no escape \\P"},
  };
  for (const auto& c : cases) EXPECT_EQ(DecodeUnicodeEscapes(c.in), c.out) << textcore::ToUtf8(c.in);
}

TEST(MTextLines, AFormatGroupGoesAndEachParagraphIsALine) {
  const struct {
    std::u16string contents;
    Lines lines;
  } cases[] = {
      {u"", {}},
      {u"A", {u"A"}},
      {u"A\\PB\\P", {u"A", u"B"}},       // a final mark gives no empty line
      {u"A\\P\\PB", {u"A", u"", u"B"}},  // two marks in a row give one
      {u"\\P", {u""}},
      {u"{\\fArial|b0;םולש}", {u"םולש"}},  // the format group and its brace go
      {u"{\\fArial;A\\PB}", {u"A", u"B"}},
      {u"{\\H2;A}x", {u"A"}},                    // a brace before the last character takes it along
      {u"{no group}", {u"{no group}"}},          // not "{\": nothing goes
      {u"A\\pB {\\C1;x}", {u"A\\pB {\\C1;x}"}},  // other codes stay as written
      {u"\\U+05D0\\PB", {u"א", u"B"}},
  };
  for (const auto& c : cases) EXPECT_EQ(EditorParagraphs(c.contents), c.lines) << textcore::ToUtf8(c.contents);
  EXPECT_EQ(JoinParagraphs({u"A", u"", u"B"}), u"A\\P\\PB\\P");
  EXPECT_EQ(JoinParagraphs({u"A"}), u"A\\P");
  EXPECT_EQ(LongestLine({u"ab", u"abc", u"xyz", u""}), 1u);
}

TEST(MTextNumbers, ShownInGeneralFormatAndReadStrictly) {
  EXPECT_EQ(FormatGeneral5(3.75), u"3.75");
  EXPECT_EQ(FormatGeneral5(4.0), u"4");
  EXPECT_EQ(FormatGeneral5(1.0 / 3), u"0.33333");
  EXPECT_EQ(FormatFixed(2.5, 2), u"2.50");
  const struct {
    std::u16string text;
    std::optional<double> value;
  } cases[] = {{u"3.75", 3.75},        {u" -4 ", -4.0},         {u"+1e2", 100.0},    {u"1.", 1.0},
               {u"abc", std::nullopt}, {u"3,75", std::nullopt}, {u"", std::nullopt}, {u"1.2.3", std::nullopt},
               {u"inf", std::nullopt}, {u"--1", std::nullopt}};
  for (const auto& c : cases) EXPECT_EQ(ParseUserNumber(c.text), c.value) << textcore::ToUtf8(c.text);
  EXPECT_THROW(ParseLineSpacing(u"abc"), std::runtime_error);
}

}  // namespace
}  // namespace zil::mtext
