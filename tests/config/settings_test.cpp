#include "config/settings.h"

#include <gtest/gtest.h>

#include "config/ini_file.h"
#include "support/temp_folder.h"

namespace zil::config {
namespace {

using test::TempFolder;

TEST(Settings, MissingKeysAndGarbageGiveTheDefaults) {
  TempFolder dir;
  const auto file = dir.Write("Hebrew.ini",
                              "[Textedit]\nWidth=abc\nLeft=$20\nReverseTTF=5\ncharmap=\n"
                              "[Gredit]\nMODE=3\nheight=1e3\n[Lib]\nStandard=std.db\n");
  const Rinistr s = LoadSettings(file);
  EXPECT_EQ(s.txthw, 900);  // "abc"
  EXPECT_EQ(s.txtl, 32);
  EXPECT_TRUE(s.reverseTTF);
  EXPECT_EQ(s.charmap, 2);  // empty value
  EXPECT_EQ(s.grmode, 3);
  EXPECT_EQ(s.grh, 300);
  EXPECT_EQ(s.stFile, u"std.db");
  EXPECT_EQ(s.expld, -1);  // "MtextExpolde" absent
  const Rinistr none = LoadSettings(dir / "missing.ini");
  EXPECT_EQ(none.curmapn, 1);
  EXPECT_EQ(none.txtt, 400);
  EXPECT_FALSE(none.reverseTTF);
}

TEST(Settings, SavedInTheFileOrderAndReadBack) {
  TempFolder dir;
  Rinistr s;
  s.txthw = 1000;
  s.reverseTTF = true;
  s.stFile = u"\u05E1\u05E4\u05E8";
  SaveSettings(s, dir / "Hebrew.ini");
  EXPECT_EQ(TempFolder::Read(dir / "Hebrew.ini"),
            "[Textedit]\r\nWidth=1000\r\nLeft=100\r\nMapNew=1\r\nMapedit=1\r\nTop=400\r\ncharmap=2\r\nReverseTTF=1\r\n"
            "\r\n[Gredit]\r\nleft=300\r\nTop=300\r\nwidth=400\r\nheight=300\r\nmode=0\r\n"
            "\r\n[Lib]\r\nLeft=300\r\nTop=300\r\nWidth=600\r\nheight=400\r\nStandard=\xF1\xF4\xF8\r\n"
            "\r\n[Mtext]\r\nMtextExpolde=-1\r\n");
  const Rinistr back = LoadSettings(dir / "Hebrew.ini");
  EXPECT_EQ(back.txthw, 1000);
  EXPECT_TRUE(back.reverseTTF);
  EXPECT_EQ(back.stFile, s.stFile);
}

TEST(Settings, SavingKeepsWhatTheFileHadBesides) {
  TempFolder dir;
  const auto file = dir.Write("Hebrew.ini", "[Mine]\nkeep=yes\n[Textedit]\nWidth=5\nExtra=1\n");
  SaveSettings(Rinistr{}, file);
  const std::string text = TempFolder::Read(file);
  EXPECT_EQ(text.rfind("[Mine]\nkeep=yes\n[Textedit]\nWidth=900\nExtra=1\nLeft=100\n", 0), 0u) << text;
}

TEST(Settings, AFailedSaveSaysUnableToWrite) {
  TempFolder dir;
  EXPECT_THROW(
      {
        try {
          SaveSettings(Rinistr{}, dir / "absent" / "Hebrew.ini");
        } catch (const IniWriteError& e) {
          EXPECT_NE(std::string(e.what()).find("Unable to write to"), std::string::npos);
          throw;
        }
      },
      IniWriteError);
}

}  // namespace
}  // namespace zil::config
