// `zil script --drawing`: the real binary runs the add-in against the stand-in host over a DXF file, runs
// the command text each call queues, and saves the drawing where it is told to, never over its source.
#include <gtest/gtest.h>

#include "host_fixtures.h"
#include "support/process.h"
#include "support/temp_folder.h"
#include "textcore/utf8.h"

namespace zil::standin {
namespace {

using zil::test::TempFolder;

class ScriptOnDrawing : public ::testing::Test {
 protected:
  ScriptOnDrawing() {
    data.Write("HebFonts.txt", "[Fonts]\nhebkeys=DosEnglish\n");
    source = data.Write("plan.dxf", test::FixtureBytes("hebrew.dxf")).string();
  }

  zil::test::ProcessResult Zil(std::vector<std::string> args, const std::string& script) {
    args.insert(args.begin(), {ZIL_BINARY, "script"});
    return zil::test::RunProcess(args, script, {"ZIL_DATA_FOLDER=" + data.path().string()});
  }
  static std::string H(const char* name) { return textcore::ToUtf8(test::HandleOf(name)); }

  TempFolder data;
  std::string source;
};

TEST_F(ScriptOnDrawing, ConvertsEntitiesDrawsTheChartAndPreparesThePlot) {
  const std::string out = (data / "out.dxf").string();
  const auto run = Zil({"--drawing", source, "--save", out}, "acadtostr " + H("keys") +
                                                                 " 11\nHebstr\n"
                                                                 "strtoacad " +
                                                                 H("keys") +
                                                                 " 11\nHebstr\n"
                                                                 "acadtostr " +
                                                                 H("attrib_city") +
                                                                 " 12\nHebstr\n"
                                                                 "acadtostr " +
                                                                 H("line") +
                                                                 " 11\nHebstr\n"
                                                                 "HShowfont\n"
                                                                 "Hplot\n");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::string ok = "\"hresult\": \"0x00000000\"";
  EXPECT_EQ(run.out,
            "{\"member\": \"acadtostr\", " + ok +
                "}\n"
                "{\"member\": \"Hebstr\", " +
                ok +
                ", \"value\": \"\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D\"}\n"
                "{\"member\": \"strtoacad\", " +
                ok +
                "}\n"
                "{\"member\": \"Hebstr\", " +
                ok +
                ", \"value\": \"ouka\"}\n"
                "{\"member\": \"acadtostr\", " +
                ok +
                "}\n"
                "{\"member\": \"Hebstr\", " +
                ok +
                ", \"value\": \"\xD7\x97\xD7\x99\xD7\xA4\xD7\x94\"}\n"
                "{\"member\": \"acadtostr\", " +
                ok +
                "}\n"
                "{\"member\": \"Hebstr\", " +
                ok +
                ", \"value\": \"\xD7\x97\xD7\x99\xD7\xA4\xD7\x94\"}\n"
                "{\"member\": \"HShowfont\", " +
                ok +
                "}\n"
                "{\"command\": \"(alert \\\"Press Ok for continue\\\")(command \\\"_.u\\\") \", \"ran\": "
                "[{\"alert\": \"Press Ok for continue\", \"answer\": \"OK\"}, {\"undo\": \"undid the last undo group "
                "(612 record changes)\"}]}\n"
                "{\"member\": \"Hplot\", " +
                ok +
                "}\n"
                "{\"command\": \"_PLOT \", \"ran\": [{\"plot\": \"the stand-in host has no plotter: nothing was "
                "printed\"}]}\n");
  EXPECT_EQ(TempFolder::Read(source), test::FixtureBytes("hebrew.dxf"));  // the source stays as it was

  // What was saved: the chart is gone, the TrueType texts are in display order, SHX ones are not.
  const auto app = StandInApplication::Create();
  const auto saved = app->OpenDrawing(out);
  EXPECT_EQ(saved->HandleToObject(test::HandleOf("arial"))->TextString(), u"םלוע םולש");
  EXPECT_EQ(saved->HandleToObject(test::HandleOf("keys"))->TextString(), u"ouka");
  EXPECT_EQ(saved->ModelSpace()->Count(), app->OpenDrawing(test::Fixture("hebrew.dxf"))->ModelSpace()->Count());
}

TEST_F(ScriptOnDrawing, PlotPreparationOfADrawingWithoutTextsStartsNoPlot) {
  const std::string plain = data.Write("plain.dxf", test::FixtureBytes("no_texts.dxf")).string();
  const std::string out = (data / "same.dxf").string();
  const auto run = Zil({"--drawing", plain, "--save", out}, "Hplot\n");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "{\"member\": \"Hplot\", \"hresult\": \"0x00000000\"}\n");
  EXPECT_EQ(TempFolder::Read(out), test::FixtureBytes("no_texts.dxf"));
}

TEST_F(ScriptOnDrawing, TheSourceIsWrittenOnlyWhenSaveNamesIt) {
  const std::string script = "strtoacad " + H("arial") + " 12\n";
  auto run = Zil({"--drawing", source}, script);
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(TempFolder::Read(source), test::FixtureBytes("hebrew.dxf"));
  run = Zil({"--drawing", source, "--save", source}, script);
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(TempFolder::Read(source), test::FixtureBytes("hebrew.dxf"));
}

TEST_F(ScriptOnDrawing, FilesThatCannotBeReadOrWrittenStopTheRunWithAMessage) {
  const std::string answers = data.Write("answers.txt", "point 1 2\nfly away\n").string();
  const struct {
    std::vector<std::string> args;
    int exitCode;
    const char* message;
  } cases[] = {
      {{"--drawing", (data / "missing.dxf").string()}, 1, "missing.dxf"},
      {{"--drawing", source, "--input", answers}, 1, "answers.txt line 2"},
      {{"--drawing", source, "--input", (data / "none.txt").string()}, 1, "none.txt"},
      {{"--drawing", source, "--save", (data / "no" / "such" / "folder.dxf").string()}, 1, "not saved"},
      {{"--save", (data / "x.dxf").string()}, 2, "--drawing"},
      {{"--input", answers}, 2, "--drawing"},
  };
  for (const auto& c : cases) {
    const auto run = Zil(c.args, "acadtostr abc 3\n");
    EXPECT_EQ(run.exitCode, c.exitCode) << c.message << ": " << run.err;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
  }
  EXPECT_EQ(TempFolder::Read(source), test::FixtureBytes("hebrew.dxf"));
}

}  // namespace
}  // namespace zil::standin
