// Each font's Hebrew encoding told from a drawing's texts, through the stand-in host: on drawings made by
// make_font_guess_drawings.py, whose truth it writes beside them, on an English drawing, and on the
// bundled sample, whose font table it must propose exactly.
#include "conversions/font_guess_walk.h"

#include <gtest/gtest.h>

#include <iomanip>
#include <iostream>
#include <map>
#include <nlohmann/json.hpp>

#include "config/font_guess_table.h"
#include "config/word_lists.h"
#include "drawing/standin/application.h"
#include "drawing/standin/document.h"
#include "support/process.h"
#include "support/temp_folder.h"
#include "textcore/utf8.h"

namespace zil::conversions {
namespace {

using zil::test::TempFolder;

// The drawings of make_font_guess_drawings.py: `count` drawings of many fonts, and latin_only.dxf. Made
// once per test program.
const TempFolder& GeneratedDrawings(int count) {
  static std::map<int, TempFolder> folders;
  if (const auto it = folders.find(count); it != folders.end()) return it->second;
  const TempFolder& folder = folders[count];
  const auto result =
      zil::test::RunProcess({"/usr/bin/python3", ZIL_SOURCE_DIR "/tests/conversions/make_font_guess_drawings.py",
                             folder.path().string(), std::to_string(count), "27"});
  if (result.exitCode != 0) throw std::runtime_error("make_font_guess_drawings.py failed: " + result.err);
  return folder;
}

const config::WordLists& Lists() {
  static const config::WordLists lists = config::LoadWordLists({"/usr/share/hunspell", "/usr/share/dict"});
  return lists;
}

DrawingFontGuess Guess(const std::filesystem::path& file) {
  const auto application = standin::StandInApplication::Create();
  const auto doc = application->OpenDrawing(file);
  return GuessDrawingFonts(*doc, Lists());
}

std::string Name(const config::FontGuess& g) { return g.type ? std::string(FontTypeName(*g.type)) : "Latin"; }

TEST(FontGuess, TellsTheTypeOfNearlyEveryFontOfTheGeneratedDrawingsAndIsUnsureWhereItErrs) {
  ASSERT_TRUE(Lists().problems.empty()) << Lists().problems[0];
  const TempFolder& folder = GeneratedDrawings(12);
  const auto truth = nlohmann::json::parse(TempFolder::Read(folder / "truth.json"));
  std::map<std::string, std::map<std::string, int>> confusion;  // true type -> proposed -> fonts of 5+ texts
  int fonts = 0, right = 0, sure = 0;
  for (const auto& [drawing, expected] : truth.items()) {
    const DrawingFontGuess guessed = Guess(folder / drawing);
    EXPECT_EQ(guessed.walk.failed, 0u) << guessed.walk.firstFailure;
    int found = 0;
    for (const config::FontGuess& g : guessed.fonts) {
      const std::string font = textcore::ToUtf8(g.font);
      if (!expected.contains(font)) continue;  // the Standard style's font
      ++found;
      const std::string want = expected[font]["type"];
      const std::size_t texts = expected[font]["texts"];
      // Every text, attribute and MText of the font was read: model and paper space, blocks, frozen layers.
      EXPECT_EQ(g.evidence.texts, texts) << drawing << ' ' << font;
      if (Name(g) != want) {
        EXPECT_FALSE(g.sure) << drawing << ' ' << font << " taken for " << Name(g) << " surely";
      }
      if (texts < 5) continue;
      ++fonts;
      ++confusion[want][Name(g)];
      right += Name(g) == want;
      sure += g.sure;
    }
    EXPECT_EQ(found, static_cast<int>(expected.size())) << drawing;
  }
  std::cout << "Fonts with 5 or more texts: " << fonts << ", right " << right << ", sure " << sure << '\n'
            << std::left << std::setw(22) << "true type \\ proposed"
            << " DosHebrew DosEnglish DosEnglishR WindowsHeb TrueType Latin\n";
  for (const auto& [want, row] : confusion) {
    std::cout << std::left << std::setw(22) << want;
    for (const char* got : {"DosHebrew", "DosEnglish", "DosEnglishR", "WindowsHeb", "TrueType", "Latin"})
      std::cout << std::right << std::setw(static_cast<int>(std::string(got).size()) + 1)
                << (row.contains(got) ? row.at(got) : 0);
    std::cout << '\n';
  }
  ASSERT_GT(fonts, 250);
  EXPECT_GE(right * 100, fonts * 99);
  EXPECT_GE(sure * 10, fonts * 9);  // being unsure is kept for where the evidence is thin
}

TEST(FontGuess, ProposesNothingHebrewForAnEnglishDrawing) {
  const DrawingFontGuess guessed = Guess(GeneratedDrawings(0) / "latin_only.dxf");
  ASSERT_EQ(guessed.fonts.size(), 6u);  // five fonts, and the Standard style's
  for (const config::FontGuess& g : guessed.fonts) {
    EXPECT_FALSE(g.type) << textcore::ToUtf8(g.font) << " taken for " << Name(g);
    if (g.font != u"txt") {  // the Standard style's, with empty attribute defaults only
      EXPECT_TRUE(g.sure) << textcore::ToUtf8(g.font);
    }
  }
}

TEST(FontGuess, ProposesTheSampleFontTableExactlyAndLeavesTheDrawingAsItWas) {
  const auto application = standin::StandInApplication::Create();
  const auto doc = application->OpenDrawing(ZIL_SOURCE_DIR "/samples/hebrew-sample.dxf");
  const DrawingFontGuess guessed = GuessDrawingFonts(*doc, Lists());
  // The texts of the frozen layer were read without thawing it; nothing changed.
  EXPECT_TRUE(doc->Saved());
  EXPECT_TRUE(doc->Layers()->Item(u"FROZEN")->Freeze());
  EXPECT_TRUE(doc->Layers()->Item(u"LOCKED")->Lock());

  std::vector<std::pair<std::u16string, std::u16string>> proposed;
  for (const auto& c : config::CompareWithTable(guessed.fonts, {})) {
    if (c.word) proposed.emplace_back(c.key, *c.word);
    EXPECT_TRUE(c.guess.sure || c.guess.evidence.texts == 0) << textcore::ToUtf8(c.guess.font);
  }
  config::FontTable sample;
  sample.Load(ZIL_SOURCE_DIR "/samples/data/HebFonts.txt");
  std::vector<std::pair<std::u16string, std::u16string>> expected;
  for (const config::FontMapRow& row : sample.fontmaps) expected.emplace_back(row.key, row.value);
  EXPECT_EQ(proposed, expected);
}

}  // namespace
}  // namespace zil::conversions
