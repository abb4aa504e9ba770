// Loading then writing an unchanged drawing gives back the same bytes: the ezdxf fixtures (R12, R2000 in
// Windows-1255 with DOS letters, R2018, CRLF with comments and an unknown section) and every DXF file of
// LibreCAD's parts library, written by other programs.
#include <gtest/gtest.h>

#include <filesystem>

#include "drawing/loader.h"
#include "drawing/writer.h"
#include "fixtures.h"
#include "support/temp_folder.h"

namespace zil::drawing {
namespace {

TEST(RoundTrip, FixturesComeBackByteForByte) {
  for (const char* name : {"r12.dxf", "r2000_ansi_1255.dxf", "r2018.dxf", "r2000_crlf.dxf"}) {
    const std::string bytes = test::FixtureBytes(name);
    const auto drawing = LoadDxf(bytes, name);
    // Reading every record's tags must not change what is written.
    for (const Record* r = drawing->First(); r != nullptr; r = r->Next()) r->Tags();
    EXPECT_TRUE(WriteDxfToString(*drawing) == bytes) << name;
  }
}

TEST(RoundTrip, ForeignDrawingsComeBackByteForByte) {
  const std::filesystem::path library = "/usr/share/librecad/library";
  ASSERT_TRUE(std::filesystem::is_directory(library)) << "librecad-data is missing: run scripts/bootstrap";
  int files = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(library)) {
    if (entry.path().extension() != ".dxf") continue;
    ++files;
    const std::string bytes = zil::test::TempFolder::Read(entry.path());
    try {
      EXPECT_TRUE(WriteDxfToString(*LoadDxf(bytes, entry.path().string())) == bytes) << entry.path();
    } catch (const std::exception& e) {
      ADD_FAILURE() << e.what();
    }
  }
  EXPECT_GT(files, 1000);
}

}  // namespace
}  // namespace zil::drawing
