// The exact reading order of the Revit conversion, checked with the preview's own layout of TrueType text
// (ICU bidi, as GlyphRun lays it out): the string written for an SHX text shows the glyphs the SHX text
// showed, in the same order, with few marks.
#include "textcore/exact_order.h"

#include <gtest/gtest.h>
#include <unicode/uchar.h>

#include <iostream>
#include <random>
#include <vector>

#include "conversions/revit_conversion.h"
#include "preview/glyph_run.h"
#include "preview_fixtures.h"
#include "textcore/font_converter.h"
#include "textcore/utf8.h"

namespace zil::preview {
namespace {

using textcore::BidiClass;
using textcore::ExactText;
using textcore::FromUtf8;
using textcore::ToUtf8;
using Drawn = config::FontDefinitions::DrawnFont;

std::string Text(const std::u32string& glyphs) { return ToUtf8(test::Utf16(glyphs)); }

// What the preview shows for a TrueType text.
std::u32string ShownAsTrueType(std::u16string_view text) { return GlyphRun(text, TrueType); }

TEST(ExactOrder, TheModelKnowsTheClassesAndMirrorsIcuKnows) {
  static const std::map<int, BidiClass> fromIcu = {{U_LEFT_TO_RIGHT, BidiClass::L},
                                                   {U_RIGHT_TO_LEFT, BidiClass::R},
                                                   {U_RIGHT_TO_LEFT_ARABIC, BidiClass::AL},
                                                   {U_EUROPEAN_NUMBER, BidiClass::EN},
                                                   {U_EUROPEAN_NUMBER_SEPARATOR, BidiClass::ES},
                                                   {U_EUROPEAN_NUMBER_TERMINATOR, BidiClass::ET},
                                                   {U_ARABIC_NUMBER, BidiClass::AN},
                                                   {U_COMMON_NUMBER_SEPARATOR, BidiClass::CS},
                                                   {U_DIR_NON_SPACING_MARK, BidiClass::NSM},
                                                   {U_BOUNDARY_NEUTRAL, BidiClass::BN},
                                                   {U_BLOCK_SEPARATOR, BidiClass::B},
                                                   {U_SEGMENT_SEPARATOR, BidiClass::S},
                                                   {U_WHITE_SPACE_NEUTRAL, BidiClass::WS},
                                                   {U_OTHER_NEUTRAL, BidiClass::ON}};
  int known = 0;
  for (char32_t c = 0; c < 0x3000; ++c) {
    const BidiClass mine = textcore::BidiClassOf(c);
    if (mine == BidiClass::Unknown) continue;
    ++known;
    const auto icu = fromIcu.find(u_charDirection(static_cast<UChar32>(c)));
    ASSERT_NE(icu, fromIcu.end()) << std::hex << static_cast<int>(c);
    EXPECT_EQ(mine, icu->second) << std::hex << static_cast<int>(c);
    EXPECT_EQ(textcore::Mirrored(c), static_cast<char32_t>(u_charMirror(static_cast<UChar32>(c))))
        << std::hex << static_cast<int>(c);
  }
  EXPECT_GT(known, 700);  // ASCII, Latin-1 and Latin Extended, the Hebrew block, Windows-1255's others
}

TEST(ExactOrder, TheModelLaysOutLogicalStringsAsThePreviewDoes) {
  // Random strings of what drawing texts hold, the marks among them.
  const std::u32string alphabet =
      U"אבגדהוזחטיכלמנסעפצקרשתםןףץךabcXYZ0123456789      .,:;-+/%#$!?\"'()[]{}<>«»‹›₪€°"
      U"\u05B0\u05BE\u05F3\t\u200E\u200F";
  std::mt19937 random(7);
  for (int i = 0; i < 20000; ++i) {
    std::u32string logical;
    for (std::size_t n = random() % 16; n > 0; --n) logical += alphabet[random() % alphabet.size()];
    ASSERT_EQ(Text(textcore::ShowLeftToRight(logical)), Text(ShownAsTrueType(textcore::TrueTypeString(logical))))
        << "\"" << Text(logical) << "\"";
  }
}

// The glyphs an SHX text of `type` shows once the add-in's editor has stored `logical` in it.
struct Stored {
  std::u16string text;
  std::u32string seen;
};
Stored Store(const std::u16string& logical, fntType type, bool backwards, Brackets brackets = Brackets::Mirrored) {
  textcore::FontConverter conv;
  conv.cStType = type;
  conv.cStBack = backwards;
  Stored s{conv.EditToacadWin(logical, false), {}};
  s.seen = SeenGlyphs(GlyphRun(s.text, type, brackets), backwards);
  return s;
}

TEST(ExactOrder, NamedTextsReadAsTheyDidWithTheirMarks) {
  struct Case {
    std::string seen;   // what a Windows SHX text showed, left to right (a reader starts at the right)
    std::string exact;  // the string written, marks as <L> and <R>
  };
  const std::vector<Case> cases = {
      {"םירדח 3", "<R>3 חדרים"},             // "3 חדרים": the number at the right end, typing order
      {"המוק 3-", "<R>-3 קומה"},             // "-3 קומה"
      {"הניש 2B רדח", "שינה<L> 2B חדר"},     // "חדר 2B שינה": "2B" stays whole between the words
      {"20 יבוע RC ריק", "עובי 20 RC קיר"},  // "קיר RC עובי 20": by order alone
      {"(2) רדח", "חדר (2)"},                // "חדר (2)": the brackets pair
      {"(ב א) רדח", "חדר (א ב)"},
      {"ב (א)", "א) ב)"},  // "(א) ב": typing order would need a mark, this order none
      {".םולש", ".שלום"},  // "שלום.": the full stop at the left end
      {" א ", " א "},      // spaces at both ends
      {"3 סלפמ - א המוק תינכת", "תכנית קומה א - מפלס 3"},
  };
  for (const Case& c : cases) {
    // A Hebrew Windows SHX font draws round and angle brackets mirrored: the string holds the other one.
    std::u16string stored = FromUtf8(c.seen);
    for (char16_t& ch : stored) ch = ch == u'(' ? u')' : ch == u')' ? u'(' : ch;
    ASSERT_EQ(Text(GlyphRun(stored, WindowsHeb)), c.seen);
    int marks = -1;
    const std::u16string exact = conversions::ExactRevitString(stored, Drawn{WindowsHeb, true}, false, &marks);
    EXPECT_EQ(Text(ShownAsTrueType(exact)), c.seen);
    std::string written;
    for (char32_t g : textcore::DecodeControlCodes(exact).characters)
      written += g == textcore::kLrm ? "<L>" : g == textcore::kRlm ? "<R>" : Text(std::u32string(1, g));
    EXPECT_EQ(written, c.exact) << c.seen;
    EXPECT_EQ(marks, static_cast<int>(std::count(c.exact.begin(), c.exact.end(), '<'))) << c.seen;
  }
}

TEST(ExactOrder, PercentSignsAndUnknownCharactersStillShowAsTheyDid) {
  // Two percent signs in a row are written so that they read as no control code; a character the model
  // does not know gets the safe form.
  for (const std::u16string stored : {u"%%%%%%d", u"%%%%%%%%c 5", u"\u0100\u4E2D (\u05D0)", u"%%128\u0393%%129"}) {
    const std::u32string seen = GlyphRun(stored, DosHebrew);
    EXPECT_EQ(Text(ShownAsTrueType(conversions::ExactRevitString(stored, Drawn{DosHebrew, true}, false))), Text(seen));
  }
}

// A random text of the kinds drawings hold: Hebrew words, numbers (first, last or inside), Latin words and
// codes joined to numbers, brackets, punctuation, and spaces anywhere, the ends included.
std::u16string RandomText(std::mt19937& random) {
  const auto pick = [&random](std::u16string_view from) { return std::u16string(1, from[random() % from.size()]); };
  const std::u16string_view hebrew = u"אבגדהוזחטיכלמנסעפצקרשתםןףץך";
  const auto word = [&] {
    std::u16string w;
    for (std::size_t n = 1 + random() % 5; n > 0; --n) w += pick(hebrew);
    return w;
  };
  const auto number = [&] {
    std::u16string n = pick(u"0123456789");
    for (std::size_t k = random() % 3; k > 0; --k) n += pick(u"0123456789");
    if (random() % 4 == 0) n += pick(u".,/:-") + pick(u"0123456789");
    if (random() % 6 == 0) n += u"%";
    return n;
  };
  const auto token = [&]() -> std::u16string {
    switch (random() % 10) {
      case 0:
      case 1:
        return number();
      case 2:
        return number() + pick(u"ABCRXabc");
      case 3:
        return pick(u"RC") + pick(u"CDS") + (random() % 2 ? u"" : u"-" + number());
      case 4: {
        const auto [open, close] = std::vector<std::pair<char16_t, char16_t>>{
            {u'(', u')'}, {u'[', u']'}, {u'<', u'>'}, {u'{', u'}'}}[random() % 4];
        const std::u16string inside = random() % 2 ? word() : number();
        return open + inside + (random() % 8 ? std::u16string(1, close) : u"");
      }
      case 5:
        return pick(u".,:;!?-/\"'+*=");
      default:
        return word();
    }
  };
  std::u16string text;
  if (random() % 4 == 0) text += pick(u"  -");
  for (std::size_t n = 1 + random() % 5; n > 0; --n) {
    text += token();
    if (n > 1) text += random() % 5 ? u" " : (random() % 2 ? u"" : u"  ");
  }
  if (random() % 4 == 0) text += pick(u" .:");
  return text;
}

TEST(ExactOrder, TenThousandTextsShowTheSameGlyphsAfterTheConversionInEveryShxFontType) {
  std::mt19937 random(2024);
  textcore::FontConverter conv;
  int conversions = 0, withMarks = 0, marks = 0, partWrong = 0, failures = 0;
  for (int i = 0; i < 10000; ++i) {
    const std::u16string logical = RandomText(random);
    for (fntType type : {DosHebrew, DosEnglish, DosEnglishR, WindowsHeb}) {
      // The text's own flag and its style's, and an SHX font that draws its brackets as given.
      const bool textBack = (i + type) % 4 == 1, styleBack = (i + type) % 4 == 2;
      const bool backwards = textBack || styleBack;
      const Drawn drawn{type, (i + type) % 7 != 3};
      const Stored before = Store(logical, type, backwards, drawn.hebrewShx ? Brackets::Mirrored : Brackets::AsGiven);
      int count = 0;
      const std::u16string exact = conversions::ExactRevitString(before.text, drawn, backwards, &count);
      const std::u32string after = ShownAsTrueType(exact);
      ++conversions;
      withMarks += count > 0;
      marks += count;
      partWrong += ShownAsTrueType(conv.AAcadToEditWin(before.text, type, backwards, false, false)) != before.seen;
      if (after != before.seen && ++failures <= 10)
        ADD_FAILURE() << "type " << static_cast<int>(type) << (backwards ? " backwards" : "") << ": \""
                      << ToUtf8(logical) << "\" showed \"" << Text(before.seen) << "\", shows \"" << Text(after)
                      << "\"";
    }
  }
  EXPECT_EQ(failures, 0);
  std::cout << "exact reading order: " << conversions << " texts (10000 in each SHX font type), " << withMarks
            << " with marks (" << marks << " marks); the edit form read differently for " << partWrong << "\n";
  RecordProperty("texts", conversions);
  RecordProperty("withMarks", withMarks);
  RecordProperty("editFormDifferent", partWrong);
}

}  // namespace
}  // namespace zil::preview
