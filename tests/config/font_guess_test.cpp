// The words each reading sees in a drawing string, and the classifier's decisions where the generated
// drawings of the conversion tests do not reach: the backwards flag, no evidence, no word lists.
#include "config/font_guess.h"

#include <gtest/gtest.h>

#include "config/string_readings.h"
#include "textcore/charmaps.h"
#include "textcore/codepage.h"
#include "textcore/runs.h"
#include "textcore/utf8.h"

namespace zil::config {
namespace {

std::string Win(const char* utf8) { return textcore::ToAnsi(textcore::FromUtf8(utf8)); }
std::string Dos(const char* utf8) { return textcore::WinLettersToDos(Win(utf8)); }

// The words as "H:word" (Hebrew, in UTF-8), "L:word" or "J:bytes".
std::vector<std::string> WordsOf(const std::string& bytes, Reading reading) {
  Words words;
  words.Read(bytes, reading);
  std::vector<std::string> out;
  for (const Word& w : words.List()) {
    const std::string text(words.Text(w));
    switch (w.kind) {
      case WordKind::Hebrew:
        out.push_back("H:" + textcore::ToUtf8(textcore::FromAnsi(text)));
        break;
      case WordKind::Latin:
        out.push_back("L:" + text);
        break;
      case WordKind::Junk:
        out.push_back("J:" + std::to_string(w.letters));
        break;
    }
  }
  return out;
}

using V = std::vector<std::string>;

TEST(StringReadings, EachReadingSeesItsOwnLettersInReadingOrder) {
  const struct {
    std::string bytes;
    Reading reading;
    V words;
  } cases[] = {
      {Dos("3 םולש"), Reading::DosHebrew, {"H:שלום"}},
      {Dos("3 םולש"), Reading::WindowsHeb, {"J:4"}},  // DOS letters are stray symbols elsewhere
      {Win("םולש room"), Reading::WindowsHeb, {"H:שלום", "L:room"}},
      {Win("םולש room"), Reading::TrueType, {"H:םולש", "L:room"}},
      {Win("םולש room"), Reading::DosHebrew, {"J:4", "L:room"}},
      {"ouka 12", Reading::DosEnglish, {"H:שלום"}},               // the keys, stored reversed
      {"akuo MOOR", Reading::DosEnglishR, {"H:שלום", "L:ROOM"}},  // other runs stored reversed
      {"akuo MOOR", Reading::Latin, {"L:akuo", "L:MOOR"}},
      {"tbaho ch,", Reading::DosEnglishR, {"H:אנשים", "H:בית"}},  // "," is tav
      {Win("ר\"מ 'א"), Reading::WindowsHeb, {"H:מ\"ר", "H:א"}},   // a quote only inside a word
      {"n\"r", Reading::DosEnglishR, {"H:מ\"ר"}},
      {"hwk", Reading::DosEnglishR, {"H:י'ל"}},  // "w" is the geresh of the keys
      {"(A-B)", Reading::TrueType, {"L:A", "L:B"}},
  };
  for (const auto& c : cases) EXPECT_EQ(WordsOf(c.bytes, c.reading), c.words) << ReadingName(c.reading);
}

TEST(StringReadings, CodesAreNotReadAsWords) {
  std::string bytes = "%%c12 %%uabc%%137 50%%%";
  BlankControlCodes(bytes);
  EXPECT_EQ(bytes, "   12    abc      50   ");
  EXPECT_EQ(PlainMText(u"{\\fArial|b0|i0;abc\\Pdef}"), u"abc def");
  EXPECT_EQ(PlainMText(u"\\H2.5x;\\C1;x\\S1/2;y"), u"x 1 2 y");
  EXPECT_EQ(PlainMText(u"a\\~b\\Lc\\ld\\\\e\\{"), u"a bcd\\e{");
}

WordLists NoLists() { return {}; }

TEST(FontGuesser, TheBackwardsFlagTurnsTheStringBeforeItIsRead) {
  // "שלום עולם" stored for a backwards Windows style reads in logical order; the same string in a style
  // that is not backwards is TrueType.
  FontGuesser guesser(NoLists());
  for (int i = 0; i < 3; ++i) {
    guesser.AddText(u"back.shx", u"שלום עולם", true);
    guesser.AddText(u"ttf.ttf", u"שלום עולם", false);
  }
  const auto guesses = guesser.Guesses();
  ASSERT_EQ(guesses.size(), 2u);
  EXPECT_EQ(guesses[0].font, u"back.shx");
  EXPECT_EQ(guesses[0].type, WindowsHeb);
  EXPECT_EQ(guesses[1].type, TrueType);
  EXPECT_TRUE(guesses[0].sure && guesses[1].sure);
}

TEST(FontGuesser, WithoutEvidenceTheFontIsNotHebrewAndUnsure) {
  FontGuesser guesser(NoLists());
  guesser.AddFont(u"empty.shx");
  guesser.AddText(u"TITLES.shx", u"A-A 1:50", false);  // capitals read alike in every way
  guesser.AddText(u"titles.SHX", u"PLAN", false);      // the same font in another case
  const auto guesses = guesser.Guesses();
  ASSERT_EQ(guesses.size(), 2u);
  for (const FontGuess& g : guesses) {
    EXPECT_FALSE(g.type) << textcore::ToUtf8(g.font);
    EXPECT_DOUBLE_EQ(g.confidence, 0.5);
    EXPECT_FALSE(g.sure);
  }
  EXPECT_EQ(guesses[1].font, u"TITLES.shx");
  EXPECT_EQ(guesses[1].evidence.texts, 2u);
}

TEST(FontGuesser, WithoutWordListsTheFinalLettersStillTellTheOrder) {
  // Final letters stand at a word's end: in reading order for TrueType, at the start when reversed.
  FontGuesser guesser(NoLists());
  for (const char16_t* text : {u"חדרים 3", u"מטבח ושירותים", u"חלון", u"עמוד בטון"}) {
    guesser.AddText(u"logical.ttf", text, false);
    const std::string stored = textcore::ReverseStr(textcore::ToAnsi(text));
    guesser.AddText(u"reversed.shx", textcore::FromAnsi(stored), false);
  }
  const auto guesses = guesser.Guesses();
  EXPECT_EQ(guesses[0].type, TrueType);
  EXPECT_EQ(guesses[1].type, WindowsHeb);
  EXPECT_GT(guesses[0].evidence.Of(Reading::TrueType).hebrewKnown, 0u);
}

}  // namespace
}  // namespace zil::config
