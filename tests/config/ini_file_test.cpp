#include "config/ini_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "support/temp_folder.h"

namespace zil::config {
namespace {

using test::TempFolder;

TEST(IniFile, ReadsByTheProfileStringRules) {
  TempFolder dir;
  const auto file = dir.Write("a.ini",
                              "; a comment\r\n"
                              "[Textedit]\r\n"
                              "Width = 1200 \r\n"
                              "WIDTH=1\r\n"  // the first of equal keys wins
                              "Hex=$1F\r\n"
                              "Hex2=0x1f\r\n"
                              "Neg=-7\r\n"
                              "Bad=12abc\r\n"
                              "Big=99999999999\r\n"
                              "Quoted=\" spaced \"\r\n"
                              "Flag=2\r\n"
                              "noequals\r\n"
                              "[textedit]\r\n"  // a second section of the same name is not read
                              "Left=5\r\n"
                              "[Fonts]\r\n"
                              "hebrew=DosEnglish\r\n"
                              "\xE0\xE1=Windows\r\n");  // Windows-1255 key
  const IniFile ini(file);
  EXPECT_EQ(ini.ReadInteger(u"TEXTEDIT", u"width", 0), 1200);
  EXPECT_EQ(ini.ReadInteger(u"Textedit", u"Hex", 0), 31);
  EXPECT_EQ(ini.ReadInteger(u"Textedit", u"Hex2", 0), 31);
  EXPECT_EQ(ini.ReadInteger(u"Textedit", u"Neg", 0), -7);
  EXPECT_EQ(ini.ReadInteger(u"Textedit", u"Bad", 900), 900);
  EXPECT_EQ(ini.ReadInteger(u"Textedit", u"Big", 900), 900);
  EXPECT_EQ(ini.ReadInteger(u"Textedit", u"Left", 100), 100);
  EXPECT_EQ(ini.ReadInteger(u"Textedit", u"Missing", 42), 42);
  EXPECT_EQ(ini.ReadString(u"Textedit", u"Quoted", u""), u" spaced ");
  EXPECT_TRUE(ini.ReadBool(u"Textedit", u"Flag", false));
  EXPECT_TRUE(ini.ReadBool(u"Textedit", u"Bad", true));  // not a number: the default
  EXPECT_EQ(ini.ReadSection(u"fonts"), (std::vector<std::u16string>{u"hebrew", u"\u05D0\u05D1"}));
  EXPECT_EQ(ini.ReadSection(u"Textedit").size(), 9u);  // the comment and the line without "=" are no keys
  EXPECT_FALSE(ini.SectionExists(u"Nowhere"));
}

TEST(IniFile, IntegerSyntax) {
  const struct {
    std::u16string_view text;
    std::optional<std::int32_t> value;
  } cases[] = {{u"0", 0},
               {u" 12 ", 12},
               {u"+3", 3},
               {u"$FFFFFFFF", -1},
               {u"0X10", 16},
               {u"-0x10", -16},
               {u"2147483647", INT32_MAX},
               {u"-2147483648", INT32_MIN},
               {u"2147483648", {}},
               {u"abc", {}},
               {u"", {}},
               {u"$", {}},
               {u"1.5", {}},
               {u"$1G", {}}};
  for (const auto& c : cases) EXPECT_EQ(IniFile::ParseInteger(c.text), c.value);
}

TEST(IniFile, WritingKeepsEveryUntouchedLine) {
  TempFolder dir;
  const std::string original =
      "; keep me\n[Fonts]\nhebrew=DosEnglish\n\n; comment in section\n[Other]\nx = 1 ; odd spacing\n";
  const auto file = dir.Write("a.ini", original);
  IniFile ini(file);
  ini.WriteString(u"FONTS", u"HEBREW", u"Windows");    // replaced in place, original spelling kept
  ini.WriteString(u"Fonts", u"romans", u"DosHebrew");  // appended after the section's last line
  ini.WriteInteger(u"New", u"n", -3);                  // a new section at the end
  ini.Save();
  EXPECT_EQ(TempFolder::Read(file),
            "; keep me\n[Fonts]\nhebrew=Windows\nromans=DosHebrew\n\n; comment in section\n[Other]\nx = 1 ; odd "
            "spacing\n\n[New]\nn=-3\n");
  IniFile again(file);
  again.EraseSection(u"fonts");
  again.Save();
  EXPECT_EQ(TempFolder::Read(file), "; keep me\n[Other]\nx = 1 ; odd spacing\n\n[New]\nn=-3\n");
}

TEST(IniFile, UnchangedFilesAreWrittenBackByteForByte) {
  TempFolder dir;
  for (const std::string bytes : {"[A]\r\nk=v\r\n", "[A]\nk=v", "", "\xE9\xEC=\xF9\r\n[B]\r\n"}) {
    const auto file = dir.Write("same.ini", bytes);
    IniFile(file).Save();
    EXPECT_EQ(TempFolder::Read(file), bytes);
  }
}

TEST(IniFile, AFailedSaveSaysWhereAndLeavesTheFile) {
  TempFolder dir;
  // A folder that does not exist.
  IniFile missing(dir / "no-such-folder" / "Hebrew.ini");
  missing.WriteInteger(u"A", u"b", 1);
  try {
    missing.Save();
    FAIL() << "saved into a missing folder";
  } catch (const IniWriteError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Unable to write to " + (dir / "no-such-folder" / "Hebrew.ini").string(), 0),
              0u)
        << e.what();
  }
  // A target that cannot be replaced (a folder took its place) keeps what it has.
  IniFile blocked(dir / "blocked.ini");
  blocked.WriteInteger(u"A", u"b", 1);
  std::filesystem::create_directories(dir / "blocked.ini" / "inside");
  EXPECT_THROW(blocked.Save(), IniWriteError);
  EXPECT_TRUE(std::filesystem::is_directory(dir / "blocked.ini"));
  // No temporary files are left behind.
  int entries = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++entries;
  EXPECT_EQ(entries, 1);
}

}  // namespace
}  // namespace zil::config
