#include "conversions/mtext_paragraphs.h"

#include <gtest/gtest.h>

#include <numbers>

#include "conversions/text_placement.h"

namespace zil::conversions {
namespace {

TEST(MTextParagraphs, TheLeadingFormatGroupIsStripped) {
  const struct {
    std::u16string in, out;
  } cases[] = {
      {u"{\\fArial|b0;abc}", u"abc"},
      {u"{\\fArial|b0;ab\\Pcd}", u"ab\\Pcd"},
      {u"{\\C1;ab}}", u"ab}"},  // only the last "}" goes
      {u"{\\C1;a}b", u"a"},     // the last two go when the second-to-last is "}"
      {u"{\\C1 no semicolon}", u"{\\C1 no semicolon}"},
      {u"{plain}", u"{plain}"},
      {u"{", u"{"},
      {u"", u""},
  };
  for (const auto& c : cases) EXPECT_EQ(StripFormatGroup(c.in), c.out);
}

TEST(MTextParagraphs, SplitsAtParagraphMarks) {
  const auto pieces = [](const std::u16string& s) {
    std::vector<std::pair<std::u16string, bool>> out;
    for (const Paragraph& p : SplitParagraphs(s)) out.emplace_back(p.text, p.followedByMark);
    return out;
  };
  using V = std::vector<std::pair<std::u16string, bool>>;
  EXPECT_EQ(pieces(u"one"), (V{{u"one", false}}));
  EXPECT_EQ(pieces(u"a\\Pb"), (V{{u"a", true}, {u"b", false}}));
  EXPECT_EQ(pieces(u"a\\P"), (V{{u"a", true}, {u"", false}}));  // joins back to "a\P", no empty paragraph
  EXPECT_EQ(pieces(u"\\p is not a mark"), (V{{u"\\p is not a mark", false}}));
}

TEST(TextPlacement, AFullTurnCountsAsNone) {
  const double turn = 2 * std::numbers::pi;
  EXPECT_EQ(WithoutFullTurn(turn), 0);
  EXPECT_EQ(WithoutFullTurn(turn * (1 + 0.5e-4)), 0);
  EXPECT_NE(WithoutFullTurn(turn * (1 + 2e-4)), 0);
  EXPECT_EQ(WithoutFullTurn(0.5), 0.5);
}

}  // namespace
}  // namespace zil::conversions
