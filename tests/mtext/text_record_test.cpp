// The reading order of gathered texts: highest line first, rightmost first within a line.
#include "mtext/text_record.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace zil::mtext {
namespace {

rstrec At(double x, double y, std::u16string s) {
  rstrec r;
  r.x = x;
  r.y = y;
  r.s = std::move(s);
  return r;
}

std::u16string Order(std::vector<rstrec> records) {
  SortByReadingOrder(records);
  std::u16string out;
  for (const auto& r : records) out += r.s;
  return out;
}

TEST(ReadingOrder, HighestLineFirstAndRightmostFirstWithinALine) {
  const struct {
    std::vector<rstrec> records;
    std::u16string order;
  } cases[] = {
      // Closer than 0.001 in y: one line, the larger x first.
      {{At(1, 10, u"a"), At(5, 10.0005, u"b")}, u"ba"},
      // 0.01 apart: two lines, the higher first whatever the x.
      {{At(9, 9.99, u"a"), At(1, 10, u"b")}, u"ba"},
      // Three lines, two texts on the middle one.
      {{At(0, 0, u"e"), At(2, 5, u"c"), At(8, 5, u"b"), At(4, 9, u"a"), At(1, 5, u"d")}, u"abcde"},
      // The same place keeps the order of gathering (the attributes of one block reference).
      {{At(3, 3, u"a"), At(3, 3, u"b"), At(3.0004, 3.0002, u"c")}, u"abc"},
      // A chain of near values is one line, read right to left.
      {{At(1, 10, u"a"), At(2, 10.0006, u"b"), At(3, 10.0012, u"c"), At(0, 10.5, u"d")}, u"dcba"},
  };
  for (const auto& c : cases) EXPECT_EQ(Order(c.records), c.order);
}

TEST(ReadingOrder, AgreesWithThePairwiseRuleWhenNoPlacesChain) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> coordinate(0, 40);
  for (int round = 0; round < 200; ++round) {
    std::vector<rstrec> records;
    for (int i = 0; i < 12; ++i)
      records.push_back(
          At(coordinate(random) * 0.5, coordinate(random) * 0.25, std::u16string(1, static_cast<char16_t>(u'a' + i))));
    SortByReadingOrder(records);
    for (std::size_t i = 0; i + 1 < records.size(); ++i) {
      EXPECT_LE(CompareTextPosition(records[i], records[i + 1]), 0);
      if (CompareTextPosition(records[i], records[i + 1]) == 0) {
        EXPECT_LT(records[i].s, records[i + 1].s);
      }
    }
  }
}

}  // namespace
}  // namespace zil::mtext
