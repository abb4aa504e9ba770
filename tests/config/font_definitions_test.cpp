#include "config/font_definitions.h"

#include <gtest/gtest.h>

#include "support/fake_services.h"
#include "support/temp_folder.h"
#include "textcore/utf8.h"

namespace zil::config {
namespace {

using test::TempFolder;

TEST(FontDefinitions, LoadsEverythingFromTheDataFolderAndWritesTheSettingsOnClose) {
  TempFolder dir;
  dir.Write("Hebrew.ini", "[Textedit]\nWidth=1234\n");
  dir.Write("HebFonts.txt", "[Fonts]\nhebrew=DosEnglish\n");
  dir.Write("editdef.txt", "[FKeys]\nF1=hello\n");
  test::FakeServices fake(dir.path());
  FontDefinitions fonts(fake.services());
  EXPECT_EQ(fonts.DataFolder(), dir.path() / "");
  EXPECT_EQ(fonts.inistr.txthw, 1234);
  EXPECT_EQ(fonts.table.fontfile, dir.path() / "HebFonts.txt");
  EXPECT_EQ(fonts.keys.GetKeyText(0, kVkF1), u"hello");
  fonts.inistr.grmode = 2;
  fonts.Close();
  EXPECT_TRUE(fake.messages.shown.empty());
  EXPECT_EQ(LoadSettings(dir / "Hebrew.ini").grmode, 2);
}

TEST(FontDefinitions, ClassificationSetsTheConversionState) {
  TempFolder dir;
  dir.Write("HebFonts.txt", "[Fonts]\nhebrew=DosEnglish\nromanh=Windows\n");
  test::FakeServices fake(dir.path());
  FontDefinitions fonts(fake.services());

  fonts.SetFntType(u"C:\\acad\\Hebrew.SHX");
  EXPECT_EQ(fonts.conv.cStType, DosEnglish);
  EXPECT_EQ(fonts.conv.cStFont, u"C:\\ACAD\\HEBREW");

  // A "Windows" font whose text holds a DOS letter (the byte 0x80 is U+20AC) is DosHebrew...
  fonts.SetFntType(u"romanh.shx", u"\u20AC abc");
  EXPECT_EQ(fonts.conv.cStType, DosHebrew);
  fonts.SetFntType(u"romanh.shx", u"\u05D0 abc");
  EXPECT_EQ(fonts.conv.cStType, WindowsHeb);
  // ...but the text of a .TTF font is not looked at.
  fonts.SetFntType(u"arial.ttf", u"\u20AC");
  EXPECT_EQ(fonts.conv.cStType, TrueType);

  // GetFntType leaves the state alone when the table decides, and sets it when the name does.
  fonts.conv.cStType = DosEnglishR;
  EXPECT_EQ(fonts.GetFntType(u"romanh.shx"), WindowsHeb);
  EXPECT_EQ(fonts.conv.cStType, DosEnglishR);
  EXPECT_EQ(fonts.conv.cStFont, u"ROMANH");
  EXPECT_EQ(fonts.GetFntType(u"unknown.shx"), DosHebrew);
  EXPECT_EQ(fonts.conv.cStType, DosEnglishR);
  EXPECT_EQ(fonts.GetFntType(u"veltro.shx"), WindowsHeb);
  EXPECT_EQ(fonts.conv.cStType, WindowsHeb);
  EXPECT_EQ(fonts.GetFntType(u""), TrueType);
  EXPECT_EQ(fonts.conv.cStType, TrueType);
}

TEST(FontDefinitions, UnwritableDataFolderIsReportedAndNothingIsLost) {
  TempFolder dir;
  // The settings file cannot be replaced: a folder stands where it would go.
  std::filesystem::create_directories(dir / "Hebrew.ini");
  const auto fontsFile = dir.Write("HebFonts.txt", "[Fonts]\nhebrew=DosEnglish\n");
  test::FakeServices fake(dir.path());
  FontDefinitions fonts(fake.services());
  fonts.Close();
  ASSERT_EQ(fake.messages.shown.size(), 2u);  // the unreadable settings at load, the failed write at close
  const std::u16string expected = u"Unable to write to ";
  EXPECT_EQ(fake.messages.shown[1].text.substr(0, expected.size()), expected);
  EXPECT_EQ(fake.messages.shown[1].icon, platform::MessageIcon::Warning);
  EXPECT_EQ(TempFolder::Read(fontsFile), "[Fonts]\nhebrew=DosEnglish\n");

  // A data folder that does not exist at all: defaults, an empty table, and the same report at close.
  test::FakeServices absent(dir / "nowhere");
  FontDefinitions none(absent.services());
  EXPECT_TRUE(none.table.fontmaps.empty());
  EXPECT_TRUE(none.keys.NoKeyDefs);
  EXPECT_TRUE(absent.messages.shown.empty());
  none.Close();
  ASSERT_EQ(absent.messages.shown.size(), 1u);
  const std::string nowhere = (dir / "nowhere").string();
  EXPECT_EQ(
      absent.messages.shown[0].text,
      textcore::FromUtf8("Unable to write to " + nowhere + "/Hebrew.ini: the folder " + nowhere + " does not exist"));
  EXPECT_FALSE(std::filesystem::exists(dir / "nowhere"));  // nothing creates the folder
}

}  // namespace
}  // namespace zil::config
