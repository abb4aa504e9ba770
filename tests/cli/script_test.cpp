#include <gtest/gtest.h>

#include <sstream>

#include "script_words.h"
#include "support/temp_folder.h"
#include "zil_binary.h"

namespace zil::cli {
namespace {

using test::TempFolder;
using test::Zil;

TEST(ScriptWords, SplitsAsAShellQuotesWords) {
  const struct {
    std::string line;
    std::vector<std::string> words;
  } cases[] = {
      {"Hebstr", {"Hebstr"}},
      {"  acadtostr   \"(a<b\"  0 ", {"acadtostr", "(a<b", "0"}},
      {"Cmd about_zil \"\" ''", {"Cmd", "about_zil", "", ""}},
      {"x 'it''s' a\\ b \"q\\\"\\\\\\$\\n\"", {"x", "its", "a b", "q\"\\$\\n"}},
      {"x \"\xD7\xA9 \xD7\x9C\" 'a#b'", {"x", "\xD7\xA9 \xD7\x9C", "a#b"}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitScriptWords(c.line), c.words) << c.line;
  for (const char* bad : {"x 'open", "x \"open", "x \\"}) EXPECT_THROW(SplitScriptWords(bad), ScriptSyntaxError) << bad;
}

TEST(Script, RunsCallsAgainstOneAddInAndWritesTheSettingsAtTheEnd) {
  TempFolder data;
  const auto run = Zil({"script"},
                       "# the example\n"
                       "Hebstr\n"
                       "acadtostr \"(a<b)\" 0\n"
                       "Hebstr\n"
                       "Cmd DB_SQLEXEC x y\n"
                       "acadtostr abc 1000\n"
                       "\n"
                       "strtoacad '\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D' 1\n"
                       "hebstr\n"
                       "newtext 1F\n"
                       "Nope\n",
                       {"ZIL_DATA_FOLDER=" + data.path().string()});
  // The run goes on past failed calls, and says at the end how many failed.
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, "zil: 3 of 9 calls failed\n");
  EXPECT_EQ(run.out,
            "{\"member\": \"Hebstr\", \"hresult\": \"0x00000000\", \"value\": \"\"}\n"
            "{\"member\": \"acadtostr\", \"hresult\": \"0x00000000\"}\n"
            "{\"member\": \"Hebstr\", \"hresult\": \"0x00000000\", \"value\": \")a>b(\"}\n"
            "{\"member\": \"Cmd\", \"hresult\": \"0x00000000\"}\n"
            "{\"member\": \"acadtostr\", \"hresult\": \"0x8002000A\", \"error\": \"acadtostr: Overflow: the argument "
            "does not fit a signed 8-bit integer (-128..127)\"}\n"
            "{\"member\": \"strtoacad\", \"hresult\": \"0x00000000\"}\n"
            "{\"member\": \"Hebstr\", \"hresult\": \"0x00000000\", \"value\": \"ouka\"}\n"
            "{\"member\": \"newtext\", \"hresult\": \"0x8000FFFF\", \"error\": \"No AutoCAD application: the command "
            "layer must call SetApp before this command\"}\n"
            "{\"member\": \"Nope\", \"hresult\": \"0x80020006\", \"error\": \"Unknown member name \\\"Nope\\\"\"}\n");
  EXPECT_NE(TempFolder::Read(data / "Hebrew.ini").find("[Textedit]\r\nWidth=900\r\n"), std::string::npos);
}

TEST(Script, AScriptThatCannotBeReadRunsNothing) {
  TempFolder data;
  const auto bad = Zil({"script"}, "Hebstr\nacadtostr 'open 0\n", {"ZIL_DATA_FOLDER=" + data.path().string()});
  EXPECT_EQ(bad.exitCode, 2);
  EXPECT_EQ(bad.out, "");
  EXPECT_NE(bad.err.find("line 2"), std::string::npos) << bad.err;
  EXPECT_FALSE(std::filesystem::exists(data / "Hebrew.ini"));

  const auto missing = Zil({"script", (data / "missing.txt").string()});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.err,
            "zil: cannot read the script " + (data / "missing.txt").string() + ": No such file or directory\n");
  // Malformed UTF-8 would reach the add-in as "?": the script is refused.
  const auto malformed = Zil({"script"}, "Hebstr\nacadtostr \xff\xfe 1\n", {"ZIL_DATA_FOLDER=" + data.path().string()});
  EXPECT_EQ(malformed.exitCode, 2);
  EXPECT_EQ(malformed.out, "");
  EXPECT_EQ(malformed.err,
            "zil: standard input line 2 is not valid UTF-8 (at byte 11): \"acadtostr \\xFF\\xFE 1\"; a script is UTF-8 "
            "text\n");
}

TEST(Script, WithoutADataFolderOneWarningSaysTheSettingsWereNotSaved) {
  TempFolder dir;
  const std::string folder = (dir / "Veltro").string();
  const auto run = Zil({"script"}, "acadtostr ouka 1\nHebstr\n", {"ZIL_DATA_FOLDER=" + folder});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err,
            "zil: warning: Unable to write to " + folder + "/Hebrew.ini: the folder " + folder + " does not exist\n");
}

// Without a display the dialog members fail with a message saying so, and the script goes on.
TEST(Script, DialogMembersWithoutADisplayFailClearlyAndTheScriptGoesOn) {
  TempFolder data;
  const struct {
    std::string display;
    std::string error;
  } cases[] = {
#if ZIL_WITH_QT
    {"", "The dialogs cannot be shown: there is no display"},
    {":987", "The dialogs cannot be shown: the X display \\\":987\\\" (DISPLAY) does not answer"},
#else
    {"", "not available in this build of zil (built without Qt)"},
#endif
  };
  for (const auto& c : cases) {
    const auto run = Zil(
        {"script"}, "FontTable\nCmd about_zil \"\" \"\"\nacadtostr abc 3\n",
        {"ZIL_DATA_FOLDER=" + data.path().string(), "DISPLAY=" + c.display, "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM="});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "zil: 2 of 3 calls failed\n");
    std::istringstream lines(run.out);
    std::string line;
    for (const char* member : {"FontTable", "Cmd"}) {
      ASSERT_TRUE(std::getline(lines, line));
      EXPECT_NE(line.find(std::string("{\"member\": \"") + member + "\", \"hresult\": \"0x80"), std::string::npos)
          << line;
      EXPECT_NE(line.find(c.error), std::string::npos) << line;
    }
    ASSERT_TRUE(std::getline(lines, line));
    EXPECT_EQ(line, "{\"member\": \"acadtostr\", \"hresult\": \"0x00000000\"}");
  }
}

TEST(FontCommands, EditAndDrawingForms) {
  const struct {
    std::vector<std::string> args;
    std::string out;
  } cases[] = {
      {{"edit-form", "--type", "windows", " 2\xD7\x94\xD7\x9E\xD7\x95\xD7\xA7"},
       "\xD7\xA7\xD7\x95\xD7\x9E\xD7\x94 2\n"},
      {{"drawing-form", "--type", "dos-english", "\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D"}, "ouka\n"},
      {{"drawing-form", "--type", "dos-english", "--backwards", "\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D"}, "akuo\n"},
      {{"edit-form", "--type", "dos-english", "--stored-order", "akuo"}, "\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D\n"},
      {{"drawing-form", "--type", "truetype", "\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D 12"},
       " \xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D"
       "12\n"},
      {{"drawing-form", "--type", "truetype", "--reverse-ttf", "\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D 12"},
       "21\xD7\x9D\xD7\x95\xD7\x9C\xD7\xA9 \n"},
  };
  for (const auto& c : cases) {
    const auto r = Zil(c.args);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, c.out) << c.args[0] << " " << c.args.back();
  }
  EXPECT_EQ(Zil({"edit-form", "--type", "windows", "--reverse-ttf", "x"}).exitCode, 2);
}

TEST(FontCommands, ClassifyByTheDataFolderFontTable) {
  TempFolder data;
  data.Write("HebFonts.txt", "[Fonts]\r\nhebrew=DosEnglish\r\nromanh=Windows\r\n");
  const std::vector<std::string> env = {"ZIL_DATA_FOLDER=" + data.path().string()};
  const struct {
    std::vector<std::string> args;
    std::string out;
  } cases[] = {
      {{"classify", "C:\\acad\\Hebrew.SHX"}, "1 DosEnglish\n"},
      {{"classify", "romans.shx"}, "0 DosHebrew\n"},
      {{"classify", "arial.ttf"}, "4 TrueType\n"},
      {{"classify", "romanh.shx"}, "3 WindowsHeb\n"},
      {{"classify", "romanh.shx", "--text", "\xE2\x82\xAC"}, "0 DosHebrew\n"},
  };
  for (const auto& c : cases) {
    const auto r = Zil(c.args, {}, env);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, c.out) << c.args[1];
  }
  EXPECT_FALSE(std::filesystem::exists(data / "Hebrew.ini"));  // classifying writes nothing
}

}  // namespace
}  // namespace zil::cli
