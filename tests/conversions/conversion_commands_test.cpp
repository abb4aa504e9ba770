// The batch commands as a user runs them: the real `zil` on copies of the bundled sample drawing.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "conversion_fixtures.h"
#include "drawing/dxf_file.h"
#include "drawing/entity_views.h"
#include "drawing/tag_values.h"
#include "preview/scene_builder.h"
#include "support/process.h"
#include "support/temp_folder.h"
#include "textcore/utf8.h"

namespace zil::conversions::test {
namespace {

using zil::test::TempFolder;

class Commands : public ::testing::Test {
 protected:
  Commands() {
    std::filesystem::copy_file(ZIL_SOURCE_DIR "/samples/hebrew-sample.dxf", work / "plan.dxf");
    original = TempFolder::Read(work / "plan.dxf");
  }
  zil::test::ProcessResult Zil(std::vector<std::string> args) {
    args.insert(args.begin(), ZIL_BINARY);
    return zil::test::RunProcess(args, {}, {"ZIL_DATA_FOLDER=" ZIL_SOURCE_DIR "/samples/data"});
  }
  std::string Plan() const { return (work / "plan.dxf").string(); }

  TempFolder work;
  std::string original;
};

TEST_F(Commands, RevitWritesTheCopyTheSummaryAndTheReport) {
  const auto run = Zil({"revit", Plan(), "--report", (work / "report.json").string()});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("plan.dxf -> "), std::string::npos);
  EXPECT_NE(run.out.find(" converted, 2 left alone, 0 failed"), std::string::npos) << run.out;
  EXPECT_EQ(TempFolder::Read(work / "plan.dxf"), original);  // the drawing itself is never changed
  EXPECT_EQ(EzdxfAuditErrors((work / "plan_Revit.dxf").string()), 0);
  const auto report = nlohmann::json::parse(TempFolder::Read(work / "report.json"));
  ASSERT_EQ(report.size(), 1u);
  EXPECT_GT(report[0]["converted"].get<int>(), 15);
  EXPECT_EQ(report[0]["failed"], 0);
  EXPECT_EQ(report[0]["copy"], (work / "plan_Revit.dxf").string());
}

TEST_F(Commands, RevitGoesOnPastADrawingItCannotRead) {
  const auto broken = work.Write("broken.dxf", "0\nSECTION\n2\nHEADER\n");
  const auto run = Zil({"revit", broken.string(), Plan(), "--suffix", "-R"});
  EXPECT_EQ(run.exitCode, 1);
  // The file named once: the reader's message names it with its line.
  EXPECT_NE(run.err.find("zil: " + broken.string() + " line 5: "), std::string::npos) << run.err;
  EXPECT_TRUE(std::filesystem::exists(work / "plan-R.dxf"));
  EXPECT_FALSE(std::filesystem::exists(work / "broken-R.dxf"));
  // An empty suffix would replace the drawing: refused.
  EXPECT_EQ(Zil({"revit", Plan(), "--suffix", ""}).exitCode, 2);
  EXPECT_EQ(TempFolder::Read(work / "plan.dxf"), original);
}

// Each text's glyph runs in the preview (an MText's lines in order), by handle, and whether each is drawn
// backwards.
struct Shown {
  std::vector<std::u32string> runs, seen;
};
std::map<std::string, Shown> ShownTexts(const std::filesystem::path& file, config::FontDefinitions& fonts) {
  const auto drawing = drawing::LoadDxfFile(file.string());
  const preview::Scene scene = preview::BuildScene(*drawing, preview::ClassifyWith(fonts));
  std::map<std::string, Shown> shown;
  for (const preview::ScenePrimitive& p : scene.primitives)
    if (const auto* t = std::get_if<preview::SceneText>(&p)) {
      Shown& s = shown[drawing::FormatHandle(t->source->Handle())];
      s.runs.push_back(t->text.glyphs);
      s.seen.push_back(t->text.Seen());
    }
  return shown;
}

// The height of every single-line text, by handle.
std::map<std::string, double> TextHeights(const std::filesystem::path& file) {
  const auto drawing = drawing::LoadDxfFile(file.string());
  std::map<std::string, double> heights;
  for (drawing::Record* r = drawing->First(); r != nullptr; r = r->Next())
    if (r->Type() == "TEXT") heights[drawing::FormatHandle(r->Handle())] = drawing::TextView(*drawing, *r).Height();
  return heights;
}

TEST_F(Commands, RevitExactWritesTextsThatShowTheSameGlyphsInTheSameOrder) {
  const auto run = Zil({"revit", Plan(), "--exact"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find(" converted, 2 left alone, 0 failed"), std::string::npos) << run.out;

  TempFolder data;
  data.Write("HebFonts.txt", TempFolder::Read(ZIL_SOURCE_DIR "/samples/data/HebFonts.txt"));
  zil::test::FakeServices fake(data.path());
  config::FontDefinitions fonts(fake.services());
  const auto before = ShownTexts(work / "plan.dxf", fonts);
  const auto after = ShownTexts(work / "plan_Revit.dxf", fonts);
  // What each SHX text showed, left to right, is what the TrueType layout of its new string shows (a text
  // drawn backwards by its own flag is drawn backwards and upside down afterwards: its run is compared).
  ASSERT_EQ(before.size(), after.size());
  int texts = 0;
  for (const auto& [handle, shown] : before) {
    ASSERT_TRUE(after.count(handle)) << handle;
    EXPECT_EQ(after.at(handle).runs, shown.seen) << handle;
    ++texts;
  }
  EXPECT_GT(texts, 20);
  // The edit form, the default, shows two of them otherwise.
  ASSERT_EQ(Zil({"revit", Plan(), "--suffix", "_Part"}).exitCode, 0);
  const auto editForm = ShownTexts(work / "plan_Part.dxf", fonts);
  int different = 0;
  for (const auto& [handle, shown] : before) different += editForm.at(handle).runs != shown.seen;
  EXPECT_EQ(different, 2);
  // The marks added draw nothing: every aligned text is as high as without them.
  const auto heights = TextHeights(work / "plan_Revit.dxf");
  for (const auto& [handle, height] : TextHeights(work / "plan_Part.dxf"))
    EXPECT_NEAR(heights.at(handle), height, 1e-9) << handle;
  // The exact order and reversing the output exclude each other.
  EXPECT_EQ(Zil({"revit", Plan(), "--exact", "--reverse-ttf", "--force"}).exitCode, 2);
}

TEST_F(Commands, FontsListsEachFontOnceWithItsTypeAndStyles) {
  const auto run = Zil({"fonts", Plan()});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("veltro.shx\t3 WindowsHeb\tHEB_WIN, HEB_WIN_BACK\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("hebkeysr.shx\t2 DosEnglishR\tHEB_KEYSR\n"), std::string::npos);
}

TEST_F(Commands, FontConvertAndRemapWriteTheirOutputAndRefuseWhatTheyCannotDo) {
  const auto convert = Zil({"font-convert", Plan(), "--fonts", "hebdos.shx,hebkeys.shx", "--target-style", "heb_win",
                            "-o", (work / "converted.dxf").string()});
  ASSERT_EQ(convert.exitCode, 0) << convert.err;
  EXPECT_EQ(EzdxfAuditErrors((work / "converted.dxf").string()), 0);
  const auto remap = Zil({"font-remap", Plan(), "--fonts", "veltro.shx", "--map", "dos-hebrew", "--reverse", "-o",
                          (work / "remapped.dxf").string()});
  ASSERT_EQ(remap.exitCode, 0) << remap.err;
  EXPECT_EQ(TempFolder::Read(work / "plan.dxf"), original);

  const std::vector<std::vector<std::string>> refused = {
      {"font-convert", Plan(), "--fonts", "nope.shx", "--target-style", "HEB_WIN", "-o", "x.dxf"},
      {"font-convert", Plan(), "--fonts", "veltro.shx", "--target-style", "NOPE", "-o", "x.dxf"},
      {"font-remap", Plan(), "--fonts", "veltro.shx", "--map", "none", "-o", "x.dxf"},
      {"font-remap", Plan(), "--fonts", "veltro.shx", "--map", "klingon", "-o", "x.dxf"},
  };
  for (const auto& args : refused) {
    const auto run = Zil(args);
    EXPECT_EQ(run.exitCode, 2) << args[4] << ": " << run.err;
    EXPECT_FALSE(run.err.empty());
  }
}

// A copy of a conversion fixture beside the sample in the work folder.
class Foreign : public Commands {
 protected:
  std::string Copy(const std::string& fixture) {
    std::filesystem::copy_file(Fixture(fixture), work / fixture);
    return (work / fixture).string();
  }
  bool Exists(const std::string& name) const { return std::filesystem::exists(work / name); }
};

TEST_F(Foreign, RevitAndFontsOnDrawingsOthersWrote) {
  const auto autocad = Copy("autocad_2018.dxf");
  const auto fonts = Zil({"fonts", autocad});
  ASSERT_EQ(fonts.exitCode, 0) << fonts.err;
  EXPECT_EQ(fonts.out,
            "font\tfont type\ttext styles\n"
            "arial.ttf\t4 TrueType\tHEBREW_TTF\n"
            "txt\t0 DosHebrew (not in the font table)\tStandard\n");

  const struct {
    std::string fixture;
    int exitCode;
    std::string summary;  // on standard output; empty: the drawing failed
    std::string error;    // on standard error
  } cases[] = {
      {"autocad_2018.dxf", 0, ": 1 converted, 2 left alone, 0 failed\n", ""},
      {"without_styles.dxf", 0, ": 2 converted, 0 left alone, 0 failed\n", ""},
      {"bad_height.dxf", 1, ": 1 converted, 0 left alone, 1 failed (first: ", ""},
      {"bad_style.dxf", 1, "",
       "bad_style.dxf line 20: expected a number for group code 41, found \"wide\"; no copy was made"},
  };
  for (const auto& c : cases) {
    const std::string file = Exists(c.fixture) ? (work / c.fixture).string() : Copy(c.fixture);
    const auto report = work / "report.json";
    const auto run = Zil({"revit", file, "--report", report.string()});
    EXPECT_EQ(run.exitCode, c.exitCode) << c.fixture << ": " << run.err;
    const std::string copy = file.substr(0, file.size() - 4) + "_Revit.dxf";
    const auto entry = nlohmann::json::parse(TempFolder::Read(report))[0];
    if (c.summary.empty()) {
      EXPECT_EQ(run.out, "");
      EXPECT_FALSE(std::filesystem::exists(copy)) << "a drawing that fails leaves no copy";
      EXPECT_FALSE(entry.contains("copy"));
      EXPECT_NE(run.err.find("zil: " + file.substr(0, file.size() - c.fixture.size()) + c.error), std::string::npos)
          << run.err;
    } else {
      EXPECT_NE(run.out.find(file + " -> " + copy + c.summary), std::string::npos) << run.out;
      EXPECT_EQ(entry["copy"], copy);
    }
  }
}

TEST_F(Foreign, RevitSkipsItsOwnCopiesAndReplacesNothingWithoutForce) {
  const auto first = Zil({"revit", Plan()});
  ASSERT_EQ(first.exitCode, 0) << first.err;
  const std::string copy = (work / "plan_Revit.dxf").string();
  const std::string converted = TempFolder::Read(copy);
  work.Write("plan_Revit.dxf", "kept");

  // As `zil revit *.dxf` run again: the copy is no drawing to convert, and it is not replaced.
  const auto again = Zil({"revit", Plan(), copy});
  EXPECT_EQ(again.exitCode, 2);
  EXPECT_NE(again.err.find(copy + ": skipped: its name ends with the suffix _Revit"), std::string::npos) << again.err;
  EXPECT_NE(again.err.find(copy + " exists already; give --force to replace it"), std::string::npos) << again.err;
  EXPECT_EQ(TempFolder::Read(copy), "kept");
  EXPECT_FALSE(Exists("plan_Revit_Revit.dxf"));

  EXPECT_EQ(Zil({"revit", copy}).exitCode, 2);  // nothing to convert

  const auto forced = Zil({"revit", Plan(), copy, "--force"});
  EXPECT_EQ(forced.exitCode, 0) << forced.err;
  EXPECT_EQ(TempFolder::Read(copy), converted);
  EXPECT_FALSE(Exists("plan_Revit_Revit.dxf"));

  // A report that cannot be written: checked before anything is converted.
  std::filesystem::remove(copy);
  const auto noReport = Zil({"revit", Plan(), "--report", (work / "no folder" / "r.json").string()});
  EXPECT_EQ(noReport.exitCode, 1);
  EXPECT_NE(noReport.err.find("the report: cannot write"), std::string::npos) << noReport.err;
  EXPECT_FALSE(Exists("plan_Revit.dxf"));
}

TEST_F(Foreign, FlowMessagesReachTheUserAndARefusalWritesNothing) {
  const std::string out = (work / "out.dxf").string();
  const auto refused = Zil({"font-convert", Plan(), "--fonts", ",", "--target-style", "HEB_TTF", "-o", out});
  EXPECT_EQ(refused.exitCode, 2);
  EXPECT_EQ(refused.err, "zil: " + Plan() + ": Fonts to convert not checked.\n");
  EXPECT_FALSE(Exists("out.dxf"));

  // Fonts named as the font table names them; the mappings by either name.
  const auto converted = Zil({"font-convert", Plan(), "--fonts", "HEBDOS", "--target-style", "HEB_WIN", "-o", out});
  EXPECT_EQ(converted.exitCode, 0) << converted.err;
  EXPECT_EQ(converted.err, "zil: " + Plan() + ": Conversion finished\n");
  for (const char* map : {"english", "dos-english"}) {
    const auto remapped = Zil({"font-remap", Plan(), "--fonts", "C:\\fonts\\Veltro.SHX", "--map", map, "-o", out});
    EXPECT_EQ(remapped.exitCode, 0) << remapped.err;
  }
}

TEST_F(Foreign, WithoutAFontTableTheDrawingCommandsSaySoOnce) {
  const auto none = "ZIL_DATA_FOLDER=" + (work / "nowhere").string();
  const std::string warning = "zil: warning: no font table: " + (work / "nowhere" / "HebFonts.txt").string() +
                              " does not exist, so every font counts as DosHebrew";
  const std::vector<std::vector<std::string>> commands = {
      {"revit", Plan(), Copy("without_styles.dxf")},
      {"fonts", Plan()},
      {"font-remap", Plan(), "--fonts", "veltro", "--map", "windows", "-o", (work / "out.dxf").string()},
  };
  for (const auto& args : commands) {
    std::vector<std::string> argv = args;
    argv.insert(argv.begin(), ZIL_BINARY);
    const auto run = zil::test::RunProcess(argv, {}, {none});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err.find(warning), 0u) << run.err;
    EXPECT_EQ(run.err.find(warning, 1), std::string::npos) << "said once";
  }
}

}  // namespace
}  // namespace zil::conversions::test
