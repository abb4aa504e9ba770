#include "config/font_table.h"

#include <gtest/gtest.h>

#include "config/font_classification.h"
#include "support/temp_folder.h"

namespace zil::config {
namespace {

using test::TempFolder;

const char* const kDefinitions =
    "[Fonts]\r\nromanh=Windows\r\nHebrew=DosEnglish\r\nArchit=dosenglishr\r\nhebrew=Windows\r\nodd=Whatever\r\n"
    "[SymbolFonts]\r\nsym1=\r\n"
    "[sym1]\r\nb1=65\r\nb13=$FFFF\r\nb7=70000\r\n";

TEST(FontTable, LoadsTheFontsSortedAndTheSymbolFonts) {
  TempFolder dir;
  FontTable table;
  table.Load(dir.Write("HebFonts.txt", kDefinitions));
  EXPECT_EQ(table.fontlist, (std::vector<std::u16string>{u"Archit", u"Hebrew", u"odd", u"romanh"}));
  ASSERT_EQ(table.fontmaps.size(), 4u);
  EXPECT_EQ(table.fontmaps[1].key, u"Hebrew");
  EXPECT_EQ(table.fontmaps[1].value, u"DosEnglish");  // the first of two equal keys
  EXPECT_TRUE(table.fontmaps[1].pickList);
  ASSERT_EQ(table.fontsyms.size(), 1u);
  EXPECT_EQ(table.fontsyms[0].name, u"sym1");
  EXPECT_EQ(table.fontsyms[0].b[0], 65);
  EXPECT_EQ(table.fontsyms[0].b[12], 0xFFFF);
  EXPECT_EQ(table.fontsyms[0].b[6], 70000 % 65536);  // kept as 16 bits
  EXPECT_EQ(table.fontsyms[0].b[1], 0);

  FontTable empty;
  empty.Load(dir / "missing.txt");
  EXPECT_TRUE(empty.fontmaps.empty());
}

TEST(FontTable, ChangefntTouchesOnlyItsRowAndRewritesTheFontsSection) {
  TempFolder dir;
  const auto file = dir.Write("HebFonts.txt", kDefinitions);
  FontTable table;
  table.Load(file);
  table.changefnt(u"C:\\acad\\fonts\\HEBREW.shx", DosHebrew);
  table.changefnt(u"new.shx", 7);  // any other code is "TrueType"
  ASSERT_EQ(table.fontmaps.size(), 5u);
  EXPECT_EQ(table.fontmaps[1].value, u"DosHebrew");
  EXPECT_EQ(table.fontmaps[0].value, u"dosenglishr");
  EXPECT_EQ(table.fontmaps[4].key, u"NEW");
  EXPECT_EQ(table.fontmaps[4].value, u"TrueType");
  EXPECT_EQ(TempFolder::Read(file),
            "[SymbolFonts]\r\nsym1=\r\n[sym1]\r\nb1=65\r\nb13=$FFFF\r\nb7=70000\r\n\r\n"
            "[Fonts]\r\nArchit=dosenglishr\r\nHebrew=DosHebrew\r\nodd=Whatever\r\nromanh=Windows\r\nNEW=TrueType\r\n");
  // Read back, the word changefnt wrote gives the type it stood for.
  FontTable back;
  back.Load(file);
  EXPECT_EQ(ClassifyFont(u"new.shx", back.fontmaps).type, TrueType);
}

TEST(FontTable, ADefinitionFileThatIsALinkStaysALink) {
  TempFolder dir;
  const auto shared = dir.Write("shared/HebFonts.txt", kDefinitions);
  std::filesystem::create_symlink(shared, dir / "HebFonts.txt");
  FontTable table;
  table.Load(dir / "HebFonts.txt");
  table.changefnt(u"new.shx", DosEnglish);
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "HebFonts.txt"));
  EXPECT_NE(TempFolder::Read(shared).find("NEW=DosEnglish\r\n"), std::string::npos);
}

TEST(FontTable, LoadAnotherFileSaveAsAndTheClosingWrite) {
  TempFolder dir;
  FontTable table;
  table.Load(dir.Write("HebFonts.txt", kDefinitions));
  table.LoadDefinitionFile(dir.Write("other.txt", "[Fonts]\nzz=Windows\naa=DosHebrew\n"));
  EXPECT_EQ(table.fontfile, dir / "other.txt");
  ASSERT_EQ(table.fontmaps.size(), 2u);
  EXPECT_EQ(table.fontmaps[0].key, u"aa");

  table.fontmaps.push_back({u"", u"Windows", false});  // an empty row is not written
  table.fontmaps.push_back({u"added", u"DosEnglish", false});
  table.SaveAs(dir / "saved.txt");
  EXPECT_EQ(table.fontfile, dir / "saved.txt");
  EXPECT_EQ(TempFolder::Read(dir / "saved.txt"), "[Fonts]\r\naa=DosHebrew\r\nzz=Windows\r\nadded=DosEnglish\r\n");

  table.fontmaps.erase(table.fontmaps.begin());
  table.WriteFontsSection();
  EXPECT_EQ(TempFolder::Read(dir / "saved.txt"), "[Fonts]\r\nzz=Windows\r\nadded=DosEnglish\r\n");
  EXPECT_EQ(TempFolder::Read(dir / "other.txt"), "[Fonts]\nzz=Windows\naa=DosHebrew\n");  // untouched
}

TEST(FontClassification, ByNameAndTable) {
  const std::vector<FontMapRow> rows = {{u"HEBREW", u"DosEnglish", true}, {u"romanh", u"windows", true},
                                        {u"archr", u"DOSENGLISHR", true}, {u"dos", u"DosHebrew", true},
                                        {u"odd", u"Whatever", true},      {u"odd", u"Windows", true},
                                        {u"arial", u"truetype", false}};
  const struct {
    std::u16string_view name;
    fntType type;
    std::u16string_view fontName;
  } cases[] = {
      {u"arial.ttf", TrueType, u"ARIAL"},
      {u"C:\\Fonts\\ARIAL.TTF", TrueType, u"C:\\FONTS\\ARIAL"},
      {u"romans.shx", DosHebrew, u"ROMANS"},  // not in the table
      {u"hebrew.shx", DosEnglish, u"HEBREW"},
      {u"C:\\acad\\Hebrew.SHX", DosEnglish, u"C:\\ACAD\\HEBREW"},
      {u"hebrew", DosEnglish, u"HEBREW"},
      {u"RomanH.shx", WindowsHeb, u"ROMANH"},
      {u"archr.shx", DosEnglishR, u"ARCHR"},
      {u"dos.shx", DosHebrew, u"DOS"},
      {u"arial", TrueType, u"ARIAL"},            // a user's "arial=TrueType"
      {u"odd.shx", DosHebrew, u"ODD"},           // the first row decides, and its word is none of the four
      {u"Veltro3.shx", WindowsHeb, u"VELTRO3"},  // any case, any extension
      {u"veltro3.ttf", WindowsHeb, u"VELTRO3"},
      {u"C:\\fonts\\veltro3.ttf", TrueType, u"C:\\FONTS\\VELTRO3"},  // the prefix test looks at the whole name
      {u"", TrueType, u""},
      {u"C:\\fonts\\", TrueType, u"C:\\FONTS\\"},
  };
  for (const auto& c : cases) {
    const FontClassification r = ClassifyFont(c.name, rows);
    EXPECT_EQ(r.type, c.type) << std::string(c.name.begin(), c.name.end());
    EXPECT_EQ(r.fontName, c.fontName);
  }
}

}  // namespace
}  // namespace zil::config
