// The glyph runs: which character each font type draws for each stored character, in which order, and
// that a legacy text and the TrueType text the Revit conversion makes of it show the same glyphs.
#include "preview/glyph_run.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "drawing/text_geometry.h"
#include "preview_fixtures.h"
#include "textcore/font_converter.h"
#include "textcore/utf8.h"

namespace zil::preview {
namespace {

using test::Utf16;
using textcore::ToUtf8;

std::string RunOf(std::u16string_view stored, fntType type) { return ToUtf8(Utf16(GlyphRun(stored, type))); }

TEST(GlyphRun, EachFontTypeDrawsItsLettersInItsOrder) {
  struct Case {
    fntType type;
    std::u16string stored;
    std::string run;  // left to right
  };
  const std::vector<Case> cases = {
      // DOS letters 0x80, 0x81 (read from an ANSI_1255 drawing as U+20AC and U+0081); other bytes as they are.
      {DosHebrew, u"\u20AC\u0081 12", "אב 12"},
      {DosHebrew, u"A-b:", "A-b:"},
      {DosHebrew, u"(x)<y>[z]", ")x(>y<[z]"},  // round and angle brackets mirrored, as the add-in stores them
      // The keys of the Hebrew keyboard, with the punctuation keys the layout moves; capitals stay.
      {DosEnglish, u"ouka", "םולש"},
      {DosEnglish, u"w,'/q;.ABC", "'ת,./ףץABC"},
      // The same glyphs, laid right to left.
      {DosEnglishR, u"akuo 12", "21 םולש"},
      // Windows-1255 letters; a DOS letter's byte is not a letter in a Windows font.
      {WindowsHeb, u"םולש 3", "םולש 3"},
      {WindowsHeb, u"\u20AC", "€"},
      // Bidi under a left-to-right paragraph; the brackets of a right-to-left run mirrored.
      {TrueType, u"שלום 12", "12 םולש"},
      {TrueType, u"abc אבג def", "abc גבא def"},
      {TrueType, u"שלום (א)", "(א) םולש"},
      {TrueType, u"", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RunOf(c.stored, c.type), c.run) << "type " << static_cast<int>(c.type) << ": " << ToUtf8(c.stored);
  }
}

TEST(GlyphRun, ControlCodesDrawAsAutoCadDrawsThem) {
  // Symbols, the percent sign, the over- and underline switches (nothing), a code in the font (128 is a DOS
  // alef), a code of three digits at most, and "%%" at the end, which is no code.
  const std::u16string text = u"%%d%%P%%c%%%%%o%%U%%128%%1234%%q%%";
  EXPECT_EQ(RunOf(text, DosHebrew), "°±⌀%א{4q%%");
  EXPECT_EQ(drawing::GlyphCount(text), 10);
  // In a TrueType font a code is the Windows-1255 character.
  EXPECT_EQ(RunOf(u"%%224%%100", TrueType), "אd");
}

// Reading a legacy run as its users do: from the right, runs of other characters left to right.
std::u32string ReadRightToLeft(std::u32string seen) {
  std::reverse(seen.begin(), seen.end());
  const auto hebrew = [](char32_t c) { return c >= 0x05D0 && c <= 0x05EA; };
  for (auto it = seen.begin(); it != seen.end();) {
    if (hebrew(*it)) {
      ++it;
      continue;
    }
    auto end = std::find_if(it, seen.end(), hebrew);
    std::reverse(it, end);
    it = end;
  }
  return seen;
}

TEST(GlyphRun, ALegacyTextAndItsRevitConversionShowTheSameGlyphs) {
  // Texts that begin with a Hebrew letter and hold Hebrew letters, digits, spaces, "-" and ":" (and "."
  // "," "/" where the font has them), stored by the add-in's own editor conversion for each SHX type; the
  // Revit conversion writes AAcadToEditWin(s, type, backwards, false, reverseTTF) into a TrueType style.
  textcore::FontConverter conv;
  std::mt19937 random(11);
  std::u16string letters;
  for (char16_t c = 0x05D0; c <= 0x05EA; ++c) letters += c;
  for (fntType type : {DosHebrew, DosEnglish, DosEnglishR, WindowsHeb}) {
    const std::u16string others = type == DosHebrew || type == WindowsHeb ? u"0123456789 -:.,/" : u"0123456789 -:";
    const std::u16string all = letters + letters + others;
    conv.cStType = type;
    conv.cStBack = false;
    int failures = 0;
    for (int i = 0; i < 4000 && failures < 5; ++i) {
      std::u16string logical(1, letters[random() % letters.size()]);
      for (std::size_t n = random() % 14; n > 0; --n) logical += all[random() % all.size()];
      const std::u16string stored = conv.EditToacadWin(logical, false);
      const std::u32string before = GlyphRun(stored, type);
      const std::u32string after = GlyphRun(conv.AAcadToEditWin(stored, type, false, false, false), TrueType);
      if (before != after || ReadRightToLeft(before) != DecodeControlCodes(logical).characters) ++failures;
      EXPECT_EQ(ToUtf8(Utf16(after)), ToUtf8(Utf16(before)))
          << "type " << static_cast<int>(type) << ": \"" << ToUtf8(logical) << "\"";
      EXPECT_EQ(ToUtf8(Utf16(ReadRightToLeft(before))), ToUtf8(logical)) << "type " << static_cast<int>(type);
    }
  }
}

TEST(GlyphRun, TextsThatBeginWithANumberJoinOneToLatinOrHoldBracketsReadDifferentlyAfterTheConversion) {
  // In a Windows font, as users read them (from the right, runs of other characters left to right) before
  // and after the Revit conversion: a leading number or sign moves to the left end, a number joined to
  // Latin letters leaves them, brackets break.
  textcore::FontConverter conv;
  conv.cStType = WindowsHeb;
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"3 חדרים", " חדרים3"},
      {"-3 קומה", " קומה3-"},
      {"חדר 2B שינה", "חדרB שינה2 "},
      {"חדר (2)", "(חדר 2("},
      {"קיר RC עובי 20", "קיר RC עובי 20"},  // Latin letters alone inside Hebrew read as before
  };
  for (const auto& [logical, afterwards] : cases) {
    const std::u16string stored = conv.EditToacadWin(textcore::FromUtf8(logical), false);
    const std::u32string before = GlyphRun(stored, WindowsHeb);
    const std::u32string after = GlyphRun(conv.AAcadToEditWin(stored, WindowsHeb, false, false, false), TrueType);
    EXPECT_EQ(ToUtf8(Utf16(ReadRightToLeft(before))), logical);
    EXPECT_EQ(ToUtf8(Utf16(ReadRightToLeft(after))), afterwards) << logical;
  }
}

}  // namespace
}  // namespace zil::preview
