// What `zil revit` writes for the sample drawing, byte for byte: the copies in fixtures/ are what zil wrote
// when they were recorded, so any change of the bytes zil saves shows here. When a change of the conversion
// is meant, make the fixtures again with the zil that has it, and read the difference.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_folder.h"
#include "zil_binary.h"

namespace zil::test {
namespace {

TEST(SavedBytes, RevitCopiesOfTheSampleAreTheRecordedOnes) {
  struct Case {
    std::vector<std::string> options;
    const char* copy;
  };
  const Case cases[] = {
      {{}, "hebrew-sample_Revit.dxf"},
      {{"--reverse-ttf", "--suffix", "_RevitReversed"}, "hebrew-sample_RevitReversed.dxf"},
  };
  for (const Case& c : cases) {
    TempFolder work;
    std::filesystem::copy_file(ZIL_SOURCE_DIR "/samples/hebrew-sample.dxf", work / "hebrew-sample.dxf");
    std::vector<std::string> args = {"revit", (work / "hebrew-sample.dxf").string()};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const ProcessResult run = Zil(args, {}, {"ZIL_DATA_FOLDER=" ZIL_SOURCE_DIR "/samples/data"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(TempFolder::Read(work / c.copy) ==
                TempFolder::Read(std::filesystem::path(ZIL_SOURCE_DIR "/tests/cli/fixtures") / c.copy))
        << c.copy << " differs from the recorded copy";
  }
}

}  // namespace
}  // namespace zil::test
