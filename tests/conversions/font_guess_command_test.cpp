// zil fonts --guess and --write as a user runs them: the real zil on a copy of the bundled sample.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/process.h"
#include "support/temp_folder.h"

namespace zil::conversions::test {
namespace {

using zil::test::TempFolder;

class GuessCommand : public ::testing::Test {
 protected:
  GuessCommand() {
    std::filesystem::copy_file(ZIL_SOURCE_DIR "/samples/hebrew-sample.dxf", work / "plan.dxf");
    std::filesystem::create_directory(work / "data");
    original = TempFolder::Read(work / "plan.dxf");
  }
  zil::test::ProcessResult Zil(std::vector<std::string> args, std::vector<std::string> environment = {}) {
    args.insert(args.begin(), ZIL_BINARY);
    const bool ownFolder = std::any_of(environment.begin(), environment.end(),
                                       [](const std::string& e) { return e.rfind("ZIL_DATA_FOLDER=", 0) == 0; });
    if (!ownFolder) environment.push_back("ZIL_DATA_FOLDER=" + (work / "data").string());
    return zil::test::RunProcess(args, {}, environment);
  }
  std::string Plan() const { return (work / "plan.dxf").string(); }
  // The line of the output that begins with `font`.
  static std::string LineOf(const std::string& out, const std::string& font) {
    const auto at = out.find('\n' + font + ' ');
    if (at == std::string::npos) return {};
    return out.substr(at + 1, out.find('\n', at + 1) - at - 1);
  }

  TempFolder work;
  std::string original;
};

TEST_F(GuessCommand, WriteFillsAnEmptyTableWithTheSampleTableAndSaysWhatItAdded) {
  const auto first = Zil({"fonts", Plan(), "--guess", "--write"});
  ASSERT_EQ(first.exitCode, 0) << first.err;
  EXPECT_NE(LineOf(first.out, "hebkeys.shx").find("DosEnglish   sure"), std::string::npos) << first.out;
  EXPECT_NE(LineOf(first.out, "hebkeys.shx").find("DosHebrew (not in the table)"), std::string::npos);
  EXPECT_NE(LineOf(first.out, "hebkeys.shx").find("  DIFFERS"), std::string::npos);
  EXPECT_EQ(LineOf(first.out, "arial.ttf").find("DIFFERS"), std::string::npos);  // TrueType by its name
  EXPECT_NE(first.out.find("Added to " + (work / "data" / "HebFonts.txt").string() +
                           ": hebdos=DosHebrew hebkeys=DosEnglish hebkeysr=DosEnglishR veltro=Windows\n"),
            std::string::npos)
      << first.out;
  EXPECT_EQ(TempFolder::Read(work / "data" / "HebFonts.txt"),
            TempFolder::Read(ZIL_SOURCE_DIR "/samples/data/HebFonts.txt"));
  EXPECT_EQ(TempFolder::Read(work / "plan.dxf"), original);

  // Now the table agrees, and a second run adds nothing.
  const auto second = Zil({"fonts", Plan(), "--guess", "--write"});
  ASSERT_EQ(second.exitCode, 0) << second.err;
  EXPECT_EQ(second.out.find("DIFFERS"), std::string::npos) << second.out;
  EXPECT_NE(second.out.find("lacks no Hebrew font of this drawing"), std::string::npos);
  EXPECT_EQ(TempFolder::Read(work / "data" / "HebFonts.txt"),
            TempFolder::Read(ZIL_SOURCE_DIR "/samples/data/HebFonts.txt"));
}

TEST_F(GuessCommand, KeepsTheUsersRowThatDisagreesAndShowsTheEvidence) {
  work.Write("data/HebFonts.txt", "[Fonts]\r\nHEBDOS = Windows\r\n");
  const auto run = Zil({"fonts", Plan(), "--guess", "--write"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(LineOf(run.out, "hebdos.shx").find("WindowsHeb (the table)"), std::string::npos) << run.out;
  EXPECT_NE(LineOf(run.out, "hebdos.shx").find("  DIFFERS"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("3 texts; Hebrew words known as DosHebrew 6/6\n"), std::string::npos) << run.out;
  EXPECT_EQ(TempFolder::Read(work / "data" / "HebFonts.txt"),
            "[Fonts]\r\nHEBDOS = Windows\r\nhebkeys=DosEnglish\r\nhebkeysr=DosEnglishR\r\nveltro=Windows\r\n");
}

TEST_F(GuessCommand, WithoutWordListsSaysWhatToInstallAndStillGuesses) {
  const TempFolder empty;
  const auto run = Zil({"fonts", Plan(), "--guess"}, {"ZIL_WORD_LISTS=" + empty.path().string()});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.err.find("install the package hunspell-he"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("install the package wamerican"), std::string::npos) << run.err;
  EXPECT_NE(LineOf(run.out, "veltro.shx").find("WindowsHeb"), std::string::npos) << run.out;
}

TEST_F(GuessCommand, WriteNeedsGuessAndAFolderItCanWriteTo) {
  EXPECT_EQ(Zil({"fonts", Plan(), "--write"}).exitCode, 2);
  const auto run = Zil({"fonts", Plan(), "--guess", "--write"}, {"ZIL_DATA_FOLDER=" + (work / "gone").string()});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("Unable to write to"), std::string::npos) << run.err;
  EXPECT_FALSE(std::filesystem::exists(work / "gone"));
}

}  // namespace
}  // namespace zil::conversions::test
