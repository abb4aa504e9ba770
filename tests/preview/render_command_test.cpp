// `zil render`, run as a user runs it.
#include <gtest/gtest.h>
#include <sys/stat.h>

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
  EXPECT_NE(paper.out.find("): 1 entity, 1 text line; window 0,0,100,50"), std::string::npos) << paper.out;

  // A window counts what it shows: the title's two lines, one MText.
  const auto part =
      Zil({"render", test::kSample, "-o", (out / "part.png").string(), "--window", "0,60,60,85"}, {}, env);
  EXPECT_NE(part.out.find("): 1 entity, 2 text lines; window 0,60,60,85"), std::string::npos) << part.out;

  // Without -o the preview goes beside the drawing.
  const auto copy = out.Write("plan.dxf", TempFolder::Read(test::kSample));
  ASSERT_EQ(Zil({"render", copy.string(), "--size", "10x10"}, {}, env).exitCode, 0);
  EXPECT_EQ(ImageSize(out / "plan.png"), QSize(10, 10));
}

TEST_F(RenderCommand, WritesPipesInPlace) {
  // Standard output, a pipe here: the PNG goes through it, and what was written is said on standard error.
  const auto piped = Zil({"render", test::kSample, "--size", "10x10", "-o", "/dev/stdout"}, {}, env);
  ASSERT_EQ(piped.exitCode, 0) << piped.err;
  EXPECT_EQ(piped.out.rfind("\x89PNG\r\n", 0), 0u);
  EXPECT_TRUE(piped.out.ends_with(std::string("IEND\xAE\x42\x60\x82", 8)));
  EXPECT_NE(piped.err.find("wrote /dev/stdout (10x10)"), std::string::npos) << piped.err;

  // A FIFO stays a FIFO, and its reader gets the PNG.
  const auto fifo = out / "preview.png";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const auto run = zil::test::RunProcess(
      {"/bin/sh", "-c", "cat \"$1\" > \"$2\" & \"$0\" render \"$3\" --size 10x10 -o \"$1\"; code=$?; wait; exit $code",
       ZIL_BINARY, fifo.string(), (out / "read.png").string(), test::kSample},
      {}, env);
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(std::filesystem::status(fifo).type(), std::filesystem::file_type::fifo);
  EXPECT_EQ(ImageSize(out / "read.png"), QSize(10, 10));
}

TEST_F(RenderCommand, WithoutAFontTableSaysEveryFontCountsAsDosHebrew) {
  const auto run = Zil({"render", test::kSample, "--size", "10x10", "-o", (out / "x.png").string()}, {},
                       {"ZIL_DATA_FOLDER=" + (out / "nowhere").string()});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "zil: warning: no font table: " + (out / "nowhere" / "HebFonts.txt").string() +
                         " does not exist, so every font counts as DosHebrew (the data folder is the one "
                         "ZIL_DATA_FOLDER names); set ZIL_DATA_FOLDER to the folder that holds your HebFonts.txt\n");
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
