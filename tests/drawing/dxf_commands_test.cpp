// `zil dxf info` and `zil dxf copy` as a user runs them: the real binary, its output, exit codes, and
// files left as they were when something goes wrong.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "cli/zil_binary.h"
#include "fixtures.h"
#include "support/temp_folder.h"

namespace zil::drawing {
namespace {

using zil::test::TempFolder;
using zil::test::Zil;

TEST(DxfCommands, InfoDescribesTheDrawing) {
  const auto result = Zil({"dxf", "info", test::Fixture("r2000_ansi_1255.dxf")});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  for (const char* line : {"version: AC1015 (R2000)\n", "code page: ANSI_1255\n", "  TEXT: 4, 1, 0\n",
                           "  ATTRIB: 2, 0, 0\n", "  ATTDEF: 0, 0, 2\n", "  MTEXT: 2, 0, 1\n", "  DIMENSION: 1, 0, 0\n",
                           "  SOLID: 0, 1, 1\n", "  Standard: txt, -, 0\n", "  HebrewShx: hebrew.shx, bigheb.shx, 0\n",
                           "  Arial: arial.ttf, -, 0\n", "  Backward: heb_back.shx, -, 2 backward\n"}) {
    EXPECT_NE(result.out.find(line), std::string::npos) << line << "\n" << result.out;
  }
  const auto r2018 = Zil({"dxf", "info", test::Fixture("r2018.dxf")});
  EXPECT_NE(r2018.out.find("version: AC1032 (R2018)\ncode page: UTF-8 ($DWGCODEPAGE ANSI_1252)\n"), std::string::npos)
      << r2018.out;
}

TEST(DxfCommands, CopyReproducesEveryFixture) {
  const TempFolder folder;
  for (const char* name : {"r12.dxf", "r2000_ansi_1255.dxf", "r2018.dxf", "r2000_crlf.dxf"}) {
    const auto result = Zil({"dxf", "copy", test::Fixture(name), (folder / "out.dxf").string()});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(TempFolder::Read(folder / "out.dxf") == test::FixtureBytes(name)) << name;
  }
}

TEST(DxfCommands, FailuresSayWhyAndLeaveFilesAsTheyWere) {
  const TempFolder folder;
  const std::string dir = folder.path().string();
  const std::string good = test::Fixture("r12.dxf");
  const std::string out = folder.Write("out.dxf", "old contents").string();
  folder.Write("bad.dxf", "0\nSECTION\n2\nENTITIES\nTEXT\n");
  folder.Write("junk.dxf", "0\nSECTION\n2\nENTITIES\n\xFF\xFE\x01junk \xD7\xA9\n");
  folder.Write("program", std::string_view("\x7F"
                                           "ELF\x02\x01\x01\x00\x00\x00\n0\nSECTION\n",
                                           21));
  ::mkdir((dir + "/folder").c_str(), 0755);
  struct Case {
    std::vector<std::string> args;
    std::string message;
  } cases[] = {
      {{"dxf", "copy", dir + "/missing.dxf", out}, "cannot read " + dir + "/missing.dxf: cannot open it"},
      {{"dxf", "copy", dir + "/bad.dxf", out}, "bad.dxf line 5: expected a group code"},
      {{"dxf", "info", dir + "/bad.dxf"}, "bad.dxf line 5: expected a group code"},
      // Bytes that are no text are shown escaped, and characters as they are.
      {{"dxf", "info", dir + "/junk.dxf"},
       "junk.dxf line 5: expected a group code (an integer 0..32767), found \"\\xFF\\xFE\\x01junk \xD7\xA9\"\n"},
      {{"dxf", "info", dir + "/program"},
       "program: this is not a DXF file: a DXF drawing begins with a group code (such as \"0\" before SECTION), "
       "this file with \"\\x7FELF\\x02\\x01\\x01\\x00\\x00\\x00\"\n"},
      {{"dxf", "copy", good, dir + "/no/such/folder/out.dxf"}, "the folder " + dir + "/no/such/folder does not exist"},
      {{"dxf", "copy", good, dir + "/folder"}, "it is a folder"},
  };
  for (const Case& c : cases) {
    const auto result = Zil(c.args);
    EXPECT_EQ(result.exitCode, 1) << c.message;
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
  }
  // A write that fails half way (the file size limit stands in for a full disk).
  const auto full =
      zil::test::RunProcess({"/bin/sh", "-c", "trap '' XFSZ; ulimit -f 4; exec \"$0\" dxf copy \"$1\" \"$2\"",
                             ZIL_BINARY, test::Fixture("r2018.dxf"), out});
  EXPECT_EQ(full.exitCode, 1);
  EXPECT_NE(full.err.find("writing failed"), std::string::npos) << full.err;
  EXPECT_EQ(TempFolder::Read(out), "old contents");
  std::vector<std::string> left;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) left.push_back(entry.path().filename().string());
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left,
            (std::vector<std::string>{"bad.dxf", "folder", "junk.dxf", "out.dxf", "program"}));  // no temporary file
  EXPECT_EQ(Zil({"dxf", "copy", good}).exitCode, 2);
  EXPECT_EQ(Zil({"dxf"}).exitCode, 2);
}

TEST(DxfCommands, CopyWritesPipesInPlaceAndFollowsLinks) {
  const TempFolder folder;
  const std::string good = test::Fixture("r12.dxf");
  // Standard output is a pipe here: the drawing goes through it.
  const auto piped = Zil({"dxf", "copy", good, "/dev/stdout"});
  ASSERT_EQ(piped.exitCode, 0) << piped.err;
  EXPECT_TRUE(piped.out == test::FixtureBytes("r12.dxf"));

  // A link to a drawing: the drawing it names is replaced, the link stays.
  const auto real = folder.Write("real.dxf", "old");
  std::filesystem::create_symlink(real, folder / "link.dxf");
  ASSERT_EQ(Zil({"dxf", "copy", good, (folder / "link.dxf").string()}).exitCode, 0);
  EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.dxf"));
  EXPECT_TRUE(TempFolder::Read(real) == test::FixtureBytes("r12.dxf"));
}

}  // namespace
}  // namespace zil::drawing
