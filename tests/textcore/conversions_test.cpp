#include "textcore/conversions.h"

#include <gtest/gtest.h>

#include <random>

#include "text_helpers.h"
#include "textcore/codepage.h"

namespace zil::textcore {
namespace {

using test::Hex;
using test::W;

// The DOS codes of a Hebrew word written in UTF-8.
std::string D(std::string_view utf8) {
  std::string s = W(utf8);
  for (char& c : s) c = static_cast<char>(static_cast<unsigned char>(c) - 0x60);
  return s;
}

struct FormCase {
  int kind;
  bool backwards;
  std::string drawing;
  std::string edit;
};

// Drawing form <-> edit form, both ways, for the same pairs (TrueType, whose reordering is not its own
// inverse, has a test of its own).
const FormCase kForms[] = {
    {DosHebrew, false, " 12" + D("םולש"), W("שלום 12")},
    {DosHebrew, true, D("שלום") + "21 ", W("שלום 12")},
    {DosHebrew, false, ")a>b(", "(a<b)"},  // no Hebrew: only the brackets are mirrored
    {DosEnglish, false, "ouka", W("שלום")},
    {DosEnglish, false, " 12ouka", W("שלום 12")},
    {DosEnglishR, false, "akuo21 ", W("שלום 12")},
    {WindowsHeb, false, " 12" + W("םולש"), W("שלום 12")},
    {WindowsHeb, false, " )1(" + W("םולש"), W("שלום (1)")},
    {WindowsHeb, true, W("שלום") + "(1) ", W("שלום (1)")},
    {WindowsHeb, false, "a)b(", "a(b)"},
};

TEST(Conversions, AcadToStrReadsTheDrawingForm) {
  for (const FormCase& c : kForms)
    EXPECT_EQ(AcadToStr(c.drawing, c.kind, c.backwards), c.edit)
        << "kind " << c.kind << " backwards " << c.backwards << ": " << Hex(c.drawing);
}

TEST(Conversions, StrToAcadWritesTheDrawingForm) {
  for (const FormCase& c : kForms) {
    EXPECT_EQ(StrToAcad(c.edit, c.kind, c.backwards), c.drawing)
        << "kind " << c.kind << " backwards " << c.backwards << ": " << Hex(c.edit);
  }
}

TEST(Conversions, TrueTypeIsReorderedUnderRightToLeftReading) {
  // Runs reversed, then reordered right to left: the number keeps its reversed digits.
  EXPECT_EQ(StrToAcad(W("שלום 12"), TrueType, false), " 21" + W("םולש"));
  // Reordered right to left, then runs and string reversed.
  EXPECT_EQ(AcadToStr("12 " + W("םולש"), TrueType, false), " 12" + W("םולש"));
  EXPECT_EQ(AcadToStr(W("שלום"), TrueType, false), W("שלום"));
  EXPECT_EQ(StrToAcad(W("שלום"), TrueType, false), W("םולש"));
  EXPECT_EQ(AcadToStr("abc", TrueType, false), "abc");
  EXPECT_EQ(StrToAcad("abc", TrueType, false), "cba");
  // Backwards plays no part after the reordering, and brackets are not mirrored.
  EXPECT_EQ(StrToAcad("(a)", TrueType, true), "(a)");
  EXPECT_EQ(AcadToStr("(a)", TrueType, true), "(a)");
}

TEST(Conversions, EmptyInputAndUnknownKindsGiveTheEmptyString) {
  for (int kind : {-1, 0, 1, 2, 3, 4, 5, 10, 11}) {
    EXPECT_EQ(AcadToStr("", kind, false), "");
    EXPECT_EQ(StrToAcad("", kind, true), "");
  }
  for (int kind : {-1, 5, 10}) {
    EXPECT_EQ(AcadToStr("abc", kind, false), "") << kind;
    EXPECT_EQ(StrToAcad(W("שלום"), kind, false), "") << kind;
  }
}

TEST(Conversions, BackwardsStrToAcadReversesAfterTheRunsThenMirrors) {
  EXPECT_EQ(StrToAcad(W("שלום (1)"), WindowsHeb, true), W("שלום") + "(1) ");
  EXPECT_EQ(StrToAcad("(ab", WindowsHeb, true), "ba)");
}

// Property: for kinds 0..3 every string of Hebrew letters, digits and spaces comes back from its drawing
// form, and every drawing form made from one comes back from its edit form; both backwards states.
TEST(Conversions, RoundTripsOfHebrewLettersDigitsAndSpaces) {
  std::mt19937 random(862);
  std::string alphabet = "0123456789  ";
  for (int b = 0xE0; b <= 0xFA; ++b) alphabet += static_cast<char>(b);
  for (int round = 0; round < 3000; ++round) {
    std::string edit(1 + random() % 40, ' ');
    for (char& c : edit) c = alphabet[random() % alphabet.size()];
    const int kind = static_cast<int>(random() % 4);
    const bool backwards = (random() % 2) != 0;
    const std::string drawing = StrToAcad(edit, kind, backwards);
    ASSERT_EQ(AcadToStr(drawing, kind, backwards), edit) << "kind " << kind << ": " << Hex(edit);
    ASSERT_EQ(StrToAcad(AcadToStr(drawing, kind, backwards), kind, backwards), drawing);
  }
}

TEST(Conversions, ConvertFontType) {
  struct Case {
    std::string s;
    int from;
    bool fromBack;
    int to;
    bool toBack;
    std::string expected;
  } cases[] = {
      // The SHX types store Hebrew in one order (DosEnglishR in reading order): letters map, order stays.
      {W("אב"), WindowsHeb, false, DosHebrew, false, "\x80\x81"},
      {"\x80\x81", DosHebrew, false, WindowsHeb, false, W("אב")},
      {"\x80\x81", DosHebrew, false, DosEnglish, false, "tc"},
      {"tc", DosEnglish, false, DosHebrew, false, "\x80\x81"},
      {"tc", DosEnglish, false, WindowsHeb, false, W("אב")},
      {"tc", DosEnglishR, false, DosEnglish, false, "ct"},
      {"tc", DosEnglishR, false, WindowsHeb, false, W("בא")},
      {W("אב"), WindowsHeb, false, DosEnglishR, false, "ct"},
      {"\x80\x81 12", DosHebrew, false, DosEnglishR, false, "21 ct"},  // drawn from the right
      {"abc", WindowsHeb, true, WindowsHeb, false, "cba"},             // the backwards flags differ: reversed
      {"abc", WindowsHeb, true, WindowsHeb, true, "abc"},
      {W("אב"), WindowsHeb, false, TrueType, false, ""},
      {W("אב 12"), TrueType, false, WindowsHeb, false, "12 " + W("בא")},  // the reordered text
      {W("אב 12"), TrueType, false, DosHebrew, false, "12 \x81\x80"},
      {"", DosHebrew, false, WindowsHeb, false, ""},
      {"abc", 7, false, DosHebrew, false, ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ConvertFontType(c.s, c.from, c.fromBack, c.to, c.toBack), c.expected)
        << Hex(c.s) << " " << c.from << " -> " << c.to;
}

// Property: between any two SHX types, with any backwards flags, a converted string reads under its new
// type as the original read under its own (the texts hold what every SHX type can show: Hebrew letters,
// digits, capitals, spaces, brackets and the punctuation the Hebrew keys carry).
TEST(Conversions, ConvertFontTypeBetweenShxTypesKeepsTheReading) {
  std::mt19937 random(1255);
  std::string alphabet = "0123456789   ABZ-:()<>,./'";
  for (int b = 0xE0; b <= 0xFA; ++b) alphabet += static_cast<char>(b);
  const int shx[] = {DosHebrew, DosEnglish, DosEnglishR, WindowsHeb};
  for (int round = 0; round < 2000; ++round) {
    std::string edit(1 + random() % 30, ' ');
    for (char& c : edit) c = alphabet[random() % alphabet.size()];
    const int from = shx[random() % 4], to = shx[random() % 4];
    const bool fromBack = random() % 2 != 0, toBack = random() % 2 != 0;
    const std::string converted = ConvertFontType(StrToAcad(edit, from, fromBack), from, fromBack, to, toBack);
    ASSERT_EQ(AcadToStr(converted, to, toBack), edit)
        << from << (fromBack ? "b" : "") << " -> " << to << (toBack ? "b" : "") << ": " << Hex(edit);
  }
}

TEST(Conversions, ConvertFontTypeWCorrectsTheSourceTypeFromTheText) {
  // Declared DosHebrew but holding Windows letters: read as WindowsHeb.
  EXPECT_EQ(ConvertFontTypeW(u"\u05D0\u05D1", DosHebrew, false, DosHebrew, false), u"\u20AC\u0081");
  // Declared WindowsHeb but holding DOS letters (U+0081 is the DOS bet): read as DosHebrew.
  EXPECT_EQ(ConvertFontTypeW(u"\u0081a", WindowsHeb, false, WindowsHeb, false), u"\u05D1a");
  // A unit below 256 stands for its own byte: U+00E0 is the Windows alef here.
  EXPECT_EQ(ConvertFontTypeW(u"\u00E0", WindowsHeb, false, DosHebrew, false), u"\u20AC");
}

TEST(Conversions, RemapFontTypeMapsWithoutReordering) {
  struct Case {
    std::u16string s;
    int from;
    int to;
    std::u16string expected;
  } cases[] = {
      {u"\u20AC\u0081 ab", DosHebrew, DosEnglishR, u"\u20AC\u0081 ab"},  // unchanged
      {u"\u20AC\u0081 ab", DosHebrew, DosEnglish, u"tc ab"},
      {u"\u20AC\u0081 ab", DosHebrew, WindowsHeb, u"\u05D0\u05D1 ab"},
      {u"tc A", DosEnglishR, WindowsHeb, u"\u05D0\u05D1 A"},
      {u"tc A", DosEnglish, DosHebrew, u"\u20AC\u0081 A"},
      {u"\u05D0\u05D1", WindowsHeb, DosEnglish, u"tc"},
      {u"\u05D0\u05D1", WindowsHeb, DosEnglishR, u"\u05D0\u05D1"},
      {u"\u05D0\u05D1", WindowsHeb, DosHebrew, u"\u20AC\u0081"},
      {u"\u05D0\u05D1", TrueType, DosHebrew, u"\u05D0\u05D1"},
  };
  for (const Case& c : cases) EXPECT_EQ(RemapFontType(c.s, c.from, c.to), c.expected) << c.from << " -> " << c.to;
}

}  // namespace
}  // namespace zil::textcore
