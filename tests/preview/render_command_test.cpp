// `zil render`, run as a user runs it.
#include <gtest/gtest.h>

#include <QImage>
#include <QString>

#include "cli/zil_binary.h"
#include "preview_fixtures.h"
#include "support/temp_folder.h"

namespace zil::preview {
namespace {

using zil::test::TempFolder;
using zil::test::Zil;

class RenderCommand : public ::testing::Test {
 protected:
  RenderCommand() { data.Write("HebFonts.txt", TempFolder::Read(ZIL_SOURCE_DIR "/samples/data/HebFonts.txt")); }
  TempFolder data;
  TempFolder out;
  std::vector<std::string> env = {"ZIL_DATA_FOLDER=" + data.path().string()};
};

QSize ImageSize(const std::filesystem::path& png) { return QImage(QString::fromStdString(png.string())).size(); }

TEST_F(RenderCommand, WritesThePreviewOfModelSpaceOrOfALayout) {
  const auto model = Zil({"render", test::kSample, "-o", (out / "model.png").string(), "--size", "800x600"}, {}, env);
  ASSERT_EQ(model.exitCode, 0) << model.err;
  EXPECT_EQ(ImageSize(out / "model.png"), QSize(800, 600));
  EXPECT_NE(model.out.find("23 entities, 23 text lines"), std::string::npos) << model.out;

  const auto paper = Zil(
      {"render", test::kSample, "--layout", "Layout1", "-o", (out / "paper.png").string(), "--window", "0,0,100,50"},
      {}, env);
  ASSERT_EQ(paper.exitCode, 0) << paper.err;
  EXPECT_EQ(ImageSize(out / "paper.png"), QSize(1600, 1200));
  EXPECT_NE(paper.out.find("1 text lines; window 0,0,100,50"), std::string::npos) << paper.out;

  // Without -o the preview goes beside the drawing.
  const auto copy = out.Write("plan.dxf", TempFolder::Read(test::kSample));
  ASSERT_EQ(Zil({"render", copy.string(), "--size", "10x10"}, {}, env).exitCode, 0);
  EXPECT_EQ(ImageSize(out / "plan.png"), QSize(10, 10));
}

TEST_F(RenderCommand, BadInputIsReportedAndLeavesFilesAsTheyWere) {
  const auto kept = out.Write("kept.png", "earlier bytes");
  struct Case {
    std::vector<std::string> args;
    int exitCode;
    std::string message;
  };
  const std::vector<Case> cases = {
      {{"render", (out / "missing.dxf").string(), "-o", kept.string()}, 1, "missing.dxf"},
      {{"render", test::kSample, "--layout", "Sheet 9", "-o", kept.string()},
       1,
       "no layout named \"Sheet 9\"; its layouts: Model, Layout1"},
      {{"render", test::kSample, "--size", "0x10", "-o", kept.string()}, 2, "WIDTHxHEIGHT"},
      {{"render", test::kSample, "--window", "1,2,3", "-o", kept.string()}, 2, "XMIN,YMIN,XMAX,YMAX"},
      {{"render", test::kSample, "-o", (out / "no such folder" / "x.png").string()}, 1, "Unable to write the preview"},
  };
  for (const Case& c : cases) {
    const auto run = Zil(c.args, {}, env);
    EXPECT_EQ(run.exitCode, c.exitCode) << c.args[1] << " " << c.args[2];
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_EQ(TempFolder::Read(kept), "earlier bytes");
  }
}

}  // namespace
}  // namespace zil::preview
