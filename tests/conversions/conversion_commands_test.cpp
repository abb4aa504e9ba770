// The batch commands as a user runs them: the real `zil` on copies of the bundled sample drawing.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "conversion_fixtures.h"
#include "support/process.h"
#include "support/temp_folder.h"

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
  EXPECT_NE(run.err.find("broken.dxf"), std::string::npos) << run.err;
  EXPECT_TRUE(std::filesystem::exists(work / "plan-R.dxf"));
  EXPECT_FALSE(std::filesystem::exists(work / "broken-R.dxf"));
  // An empty suffix would replace the drawing: refused.
  EXPECT_EQ(Zil({"revit", Plan(), "--suffix", ""}).exitCode, 1);
  EXPECT_EQ(TempFolder::Read(work / "plan.dxf"), original);
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

}  // namespace
}  // namespace zil::conversions::test
