#include "textcore/font_converter.h"

#include <gtest/gtest.h>

#include <random>

#include "text_helpers.h"
#include "textcore/codepage.h"
#include "textcore/runs.h"
#include "textcore/utf8.h"

namespace zil::textcore {
namespace {

std::u16string H(std::string_view utf8) { return FromUtf8(utf8); }

struct Fixture {
  FontConverter conv;
  FontConverter& With(fntType type, bool back) {
    conv.cStType = type;
    conv.cStBack = back;
    return conv;
  }
};

TEST(FontConverter, WindowsTextWithoutHebrewOnlyMirrorsItsBrackets) {
  Fixture f;
  FontConverter& c = f.With(WindowsHeb, false);
  EXPECT_EQ(c.AcadToEditWin(u"f(x) < 2"), u"f)x( > 2");
  EXPECT_EQ(c.EditToacadWin(c.AcadToEditWin(u"f(x) < 2"), false), u"f(x) < 2");
}

TEST(FontConverter, BackwardsDosHebrewReadsTheUnreversedString) {
  Fixture f;
  // DOS alef, bet (U+20AC is the byte 0x80, U+0081 the byte 0x81), then " 12": mapped from the string as
  // stored, not reversed, Latin runs reversed.
  EXPECT_EQ(f.With(DosHebrew, true).AcadToEditWin(u"\u20AC\u0081 12"), H("אב") + u"21 ");
  EXPECT_EQ(f.With(DosHebrew, false).AcadToEditWin(u"\u20AC\u0081 12"), u" 12" + H("בא"));
}

TEST(FontConverter, LowerCaseLatinDoesNotSurviveUnderDosEnglish) {
  Fixture f;
  FontConverter& c = f.With(DosEnglish, false);
  EXPECT_EQ(c.EditToacadWin(u"a", false), u"a");
  EXPECT_EQ(c.AcadToEditWin(u"a"), H("ש"));
  EXPECT_EQ(c.AcadToEditWin(c.EditToacadWin(u"AB 12", false)), u"AB 12");
  EXPECT_FALSE(FontConverter::isEnglishOnly(u"AB`", DosEnglish));
  EXPECT_TRUE(FontConverter::isEnglishOnly(u"AB 12", DosEnglishR));
}

TEST(FontConverter, ReverseTTFReversesConvertedTrueTypeText) {
  Fixture f;
  FontConverter& c = f.With(TrueType, false);
  const std::u16string plain = c.EditToacadWin(H("שלום 12"), false);
  const std::u16string reversed = c.EditToacadWin(H("שלום 12"), true);
  EXPECT_NE(plain, reversed);
  EXPECT_EQ(ReverseStrW(plain), reversed);
  EXPECT_EQ(plain, u" " + H("שלום") + u"12");  // shows right under a left-to-right display
}

TEST(FontConverter, StoredOrderTrueTypeWithoutHebrewIsLeftAlone) {
  Fixture f;
  EXPECT_EQ(f.With(TrueType, true).AcadToEditDos(u"abc 12"), u"abc 12");
  EXPECT_EQ(f.With(WindowsHeb, true).AcadToEditDos(u"abc"), u"cba");
  EXPECT_EQ(f.With(DosEnglish, false).AcadToEditDos(u"akuo"), H("שלום"));
}

TEST(FontConverter, WholeDrawingConversions) {
  Fixture f;
  const FontConverter& c = f.conv;
  // Declared DosHebrew, holding Windows letters: converted as WindowsHeb.
  EXPECT_EQ(c.AAcadToEditWin(H("םולש"), DosHebrew, false, true, false), H("שלום"));
  // DosHebrew without DOS letters: returned as it is, brackets unmirrored (AcadToEditWin mirrors them).
  EXPECT_EQ(c.fAcadToEditWinL("(a)", DosHebrew, false, false), "(a)");
  EXPECT_EQ(f.With(DosHebrew, false).AcadToEditWin(u"(a)"), u")a(");
  EXPECT_EQ(c.fAcadToEditWinL("", WindowsHeb, false, false), "");
  // Left-to-right display of a right-to-left text: the form a TrueType style shows right.
  EXPECT_EQ(c.AAcadToEditWin(H(" 12םולש"), WindowsHeb, false, false, false), u" " + H("שלום") + u"12");
  EXPECT_EQ(c.AAcadToEditWin(H(" 12םולש"), WindowsHeb, false, false, true), u"21" + H("םולש") + u" ");
}

// Every font type and both backwards states: what an editor writes comes back when it is read. (A backwards
// TrueType style is the exception in logical order: the written form ignores the flag, the read form
// honours it.)
TEST(FontConverter, EditFormsSurviveTheDrawingForm) {
  std::mt19937 random(1255);
  std::u16string letters;
  for (char16_t c = 0x05D0; c <= 0x05EA; ++c) letters += c;
  const std::u16string others = u"0123456789  ";
  Fixture f;
  for (int round = 0; round < 4000; ++round) {
    const auto type = static_cast<fntType>(round % kFontTypeCount);
    const bool back = (round / kFontTypeCount) % 2 != 0;
    std::u16string edit(1 + random() % 30, u' ');
    for (char16_t& c : edit)
      c = (random() % 3 == 0) ? others[random() % others.size()] : letters[random() % letters.size()];
    if (type == TrueType) {  // a TrueType text reads back when it begins and ends with a letter
      edit.front() = letters[random() % letters.size()];
      edit.back() = letters[random() % letters.size()];
    }
    FontConverter& c = f.With(type, back);
    if (type != TrueType || !back) {
      ASSERT_EQ(c.AcadToEditWin(c.EditToacadWin(edit, false)), edit) << "type " << type << " back " << back;
    }
    ASSERT_EQ(c.AcadToEditDos(c.EditToacadDos(edit)), edit) << "stored order, type " << type << " back " << back;
  }
}

}  // namespace
}  // namespace zil::textcore
