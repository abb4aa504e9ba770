// The text dialog's flows that need no drawing: the numbers of its boxes, the justification table read
// both ways, and Delete in the stored-order editor.
#include <gtest/gtest.h>

#include <stdexcept>

#include "textdialog/justification.h"
#include "textdialog/number_text.h"
#include "textdialog/stored_order.h"

namespace zil::textdialog {
namespace {

TEST(NumberText, NumbersAreWrittenAndReadWithTheUsersSeparator) {
  const struct {
    double value;
    int decimals;
    char16_t separator;
    const char16_t* text;
  } written[] = {
      {2.5, 2, u'.', u"2.50"},
      {2.5, 2, u',', u"2,50"},
      {30, 1, u'.', u"30.0"},
      {-0.001, 1, u'.', u"0.0"},
      {123456.789, 2, u'.', u"123456.79"},
      {123456789.0, 2, u'.', u"1.2345679e+08"},
  };
  for (const auto& w : written) EXPECT_EQ(FormatFixed(w.value, w.decimals, w.separator), w.text) << w.value;

  EXPECT_EQ(ParseNumber(u" 2,75 ", u','), 2.75);
  EXPECT_EQ(ParseNumber(u"-45", u'.'), -45);
  EXPECT_EQ(ParseNumber(u"+1.5e2", u'.'), 150);
  for (const char16_t* bad : {u"", u"abc", u"2.5", u"1,2,3", u"1e", u"--1", u"5 m"}) {
    EXPECT_THROW(ParseNumber(bad, u','), std::invalid_argument);
  }
  try {
    ParseNumber(u"abc", u'.');
  } catch (const std::invalid_argument& e) {
    EXPECT_STREQ(e.what(), "'abc' is not a valid floating point value");
  }
}

TEST(Justification, EveryItemStandsForItsPairAndPairsWithoutAnItemSelectNone) {
  for (int i = 0; i < static_cast<int>(kJustifications.size()); ++i) EXPECT_EQ(JustToCombo(*ComboToJust(i)), i);
  EXPECT_EQ(*ComboToJust(5), (Justification{1, 3}));  // "Top Center"
  EXPECT_FALSE(JustToCombo({3, 0}));                  // aligned
  EXPECT_FALSE(JustToCombo({4, 0}));                  // middle
  EXPECT_FALSE(JustToCombo({0, 4}));
  EXPECT_FALSE(ComboToJust(12));
}

TEST(StoredOrder, DeleteNextToHebrewRemovesTheCharacterAfterTheCaretInRightToLeftReading) {
  // "גבא" shown left to right; the caret between gimel and bet. Read right to left, the character after
  // the caret is the gimel: Delete removes it by acting one place to the left.
  StoredOrderCaret state;
  EXPECT_EQ(StoredOrderKeyDown(state, StoredOrderKey::Delete, true, u"גבא", u"גבא", 1, false), 0);
  EXPECT_TRUE(state.deleteF);
  // Nothing moves with text selected, in English, or next to Latin text.
  EXPECT_FALSE(StoredOrderKeyDown(state, StoredOrderKey::Delete, true, u"גבא", u"גבא", 1, true));
  EXPECT_FALSE(StoredOrderKeyDown(state, StoredOrderKey::Backspace, false, u"גבא", u"גבא", 1, false));
  EXPECT_FALSE(StoredOrderKeyDown(state, StoredOrderKey::Backspace, true, u"ab", u"ab", 1, false));
  // A change after Backspace leaves the caret where the deletion put it.
  EXPECT_FALSE(AfterStoredOrderChange(state, u"בא", 1, true));
}

}  // namespace
}  // namespace zil::textdialog
