// The classifier's guesses beside the font table, and adding the fonts the table lacks without touching a
// line the user wrote.
#include "config/font_guess_table.h"

#include <gtest/gtest.h>

#include "config/ini_file.h"
#include "support/temp_folder.h"
#include "textcore/utf8.h"

namespace zil::config {
namespace {

using test::TempFolder;

FontGuess Guess(std::u16string font, std::optional<fntType> type, bool sure = true) {
  FontGuess g;
  g.font = std::move(font);
  g.type = type;
  g.sure = sure;
  g.confidence = sure ? 0.99 : 0.7;
  return g;
}

TEST(FontGuessTable, ComparesEachGuessWithWhatTheTableAndTheNameSayToday) {
  const std::vector<FontMapRow> rows = {
      {u"Hebrew", u"DosEnglish", true}, {u"odd", u"Whatever", true}, {u"keys", u"DosEnglishR", true}};
  const struct {
    const char16_t* font;
    std::optional<fntType> type;
    const char16_t* key;
    fntType now;
    bool listed, disagrees;
    std::optional<std::u16string> word;
  } cases[] = {
      {u"C:\\fonts\\HEBREW.SHX", DosEnglish, u"HEBREW", DosEnglish, true, false, u"DosEnglish"},
      {u"new.shx", WindowsHeb, u"new", DosHebrew, false, true, u"Windows"},
      {u"odd.shx", DosHebrew, u"odd", DosHebrew, true, false, u"DosHebrew"},           // its word is not a type
      {u"veltro2.shx", WindowsHeb, u"veltro2", WindowsHeb, false, false, u"Windows"},  // by its name
      {u"arial.ttf", TrueType, u"arial", TrueType, false, false, std::nullopt},        // a row cannot say TrueType
      {u"other.shx", TrueType, u"other", DosHebrew, false, true, std::nullopt},
      {u"txt", std::nullopt, u"txt", DosHebrew, false, false, std::nullopt},        // Latin text reads alike
      {u"keys.shx", std::nullopt, u"keys", DosEnglishR, true, true, std::nullopt},  // but not as keys
  };
  std::vector<FontGuess> guesses;
  for (const auto& c : cases) guesses.push_back(Guess(c.font, c.type));
  const auto compared = CompareWithTable(guesses, rows);
  ASSERT_EQ(compared.size(), std::size(cases));
  for (std::size_t i = 0; i < compared.size(); ++i) {
    SCOPED_TRACE(textcore::ToUtf8(cases[i].font));
    EXPECT_EQ(compared[i].key, cases[i].key);
    EXPECT_EQ(compared[i].now.type, cases[i].now);
    EXPECT_EQ(compared[i].listed, cases[i].listed);
    EXPECT_EQ(compared[i].disagrees, cases[i].disagrees);
    EXPECT_EQ(compared[i].word, cases[i].word);
  }
  // Of these, a row is offered only for the sure guess the table lacks; an unsure one is not.
  guesses.push_back(Guess(u"maybe.shx", DosHebrew, false));
  std::vector<std::u16string> offered;
  for (const GuessBesideTable& c : SureNewRows(CompareWithTable(guesses, rows))) offered.push_back(c.key);
  EXPECT_EQ(offered, (std::vector<std::u16string>{u"new", u"veltro2"}));
}

TEST(FontGuessTable, AddsTheSureFontsTheTableLacksAndChangesNoLineOfTheUser) {
  const TempFolder dir;
  const std::string before =
      "; my fonts\r\n[Fonts]\r\nHebrew = DosEnglish\r\nodd=Whatever\r\n\r\n[SymbolFonts]\r\nsym1=\r\n";
  const auto file = dir.Write("HebFonts.txt", before);
  FontTable table;
  table.Load(file);
  // A line that reached the file after the table was read is the user's too.
  IniFile edited(file);
  edited.WriteString(u"Fonts", u"late", u"DosHebrew");
  edited.Save();

  const std::vector<FontGuess> guesses = {
      Guess(u"HEBREW.shx", DosHebrew),          // listed: the user's word stays
      Guess(u"new.shx", WindowsHeb),            // added
      Guess(u"NEW.SHX", DosHebrew),             // the same name again
      Guess(u"maybe.shx", DosEnglishR, false),  // unsure
      Guess(u"arial.ttf", TrueType),            // no row to propose
      Guess(u"LATE.shx", DosEnglish),           // in the file already
      Guess(u"C:\\a\\Keys.shx", DosEnglish),    // added, spelled as the drawing spells it
  };
  const TableAdditions additions = AddMissingFonts(table, CompareWithTable(guesses, table.fontmaps));

  ASSERT_EQ(additions.added.size(), 2u);
  EXPECT_EQ(additions.added[0].key, u"new");
  EXPECT_EQ(additions.added[1].key, u"Keys");
  EXPECT_EQ(additions.added[1].value, u"DosEnglish");
  ASSERT_EQ(additions.notAdded.size(), 3u);
  EXPECT_EQ(additions.notAdded[0].second, "another font of that name was added");
  EXPECT_EQ(additions.notAdded[1].second, "unsure");
  EXPECT_EQ(additions.notAdded[2].second, "the definition file already lists it");

  EXPECT_EQ(TempFolder::Read(file),
            "; my fonts\r\n[Fonts]\r\nHebrew = DosEnglish\r\nodd=Whatever\r\nlate=DosHebrew\r\nnew=Windows\r\n"
            "Keys=DosEnglish\r\n\r\n[SymbolFonts]\r\nsym1=\r\n");
  // The table in memory has the rows too, with the drop-down of type words, in the sorted name list.
  ASSERT_TRUE(table.FindRow(u"NEW"));
  EXPECT_TRUE(table.fontmaps[*table.FindRow(u"NEW")].pickList);
  EXPECT_EQ(table.fontlist, (std::vector<std::u16string>{u"Hebrew", u"Keys", u"new", u"odd"}));
}

TEST(FontGuessTable, WritesNothingWhenNothingIsAddedAndFailsWhereTheFileCannotBe) {
  const TempFolder dir;
  FontTable table;
  table.Load(dir / "HebFonts.txt");  // missing: an empty table
  const auto unsure = CompareWithTable({Guess(u"maybe.shx", DosHebrew, false)}, table.fontmaps);
  EXPECT_TRUE(AddMissingFonts(table, unsure).added.empty());
  EXPECT_FALSE(std::filesystem::exists(dir / "HebFonts.txt"));

  FontTable elsewhere;
  elsewhere.Load(dir / "no-such-folder" / "HebFonts.txt");
  const auto sure = CompareWithTable({Guess(u"new.shx", DosHebrew)}, elsewhere.fontmaps);
  EXPECT_THROW(AddMissingFonts(elsewhere, sure), IniWriteError);
  EXPECT_TRUE(elsewhere.fontmaps.empty());  // the table keeps only what the file holds
}

}  // namespace
}  // namespace zil::config
