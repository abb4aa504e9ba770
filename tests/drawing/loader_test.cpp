// Reading untrusted files: faults are reported with the line and what was expected, other formats are
// refused, and no input crashes the reader.
#include "drawing/loader.h"

#include <gtest/gtest.h>

#include "drawing/dxf_error.h"
#include "drawing/writer.h"
#include "fixtures.h"

namespace zil::drawing {
namespace {

std::string LoadError(const std::string& bytes) {
  try {
    LoadDxf(bytes, "bad.dxf");
  } catch (const DxfError& e) {
    return e.what();
  }
  return "(loaded)";
}

TEST(Loader, FaultsNameTheLineAndWhatWasExpected) {
  struct Case {
    std::string bytes;
    std::string message;
  } cases[] = {
      {"0\nSECTION\n2\nENTITIES\nx\nTEXT\n",
       "bad.dxf line 5: expected a group code (an integer 0..32767), found \"x\""},
      {"0\nSECTION\n\n", "line 3: expected a group code (an integer), found an empty line"},
      {"0\nSECTION\n2", "line 3: the file ends after group code 2 where its value was expected"},
      {"2\nHEADER\n", "line 1: expected group code 0 (the start of a section), found group code 2"},
      {"0\nTEXT\n0\nEOF\n", "line 1: expected 0 SECTION or 0 EOF, found 0 \"TEXT\""},
      {"0\nSECTION\n2\nENTITIES\n0\nTEXT\n",
       "line 7: the file ends inside section ENTITIES (line 1); expected 0 ENDSEC"},
      {"0\nSECTION\n2\nENTITIES\n0\nSECTION\n2\nX\n0\nENDSEC\n", "line 5: expected 0 ENDSEC to close section ENTITIES"},
      {"0\nSECTION\n0\nENDSEC\n", "line 1: expected the section's name (group 2) after 0 SECTION"},
      {"0\nSECTION\n2\nTABLES\n0\nLAYER\n0\nENDSEC\n",
       "line 5: expected 0 TABLE in the TABLES section, found 0 \"LAYER\""},
      {"0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n0\nENDSEC\n",
       "line 9: expected 0 ENDTAB before 0 ENDSEC (opened at line 5)"},
      {"0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n0\nBLOCK\n", "line 7: expected 0 ENDBLK to close the block at line 5"},
      {"0\nSECTION\n2\nENTITIES\n0\nTEXT\n5\nXYZ\n0\nENDSEC\n",
       "line 8: expected a handle (hexadecimal) for group code 5, found \"XYZ\""},
      {"0\nSECTION\n2\nENTITIES\n0\nTEXT\n5\n1F\n0\nLINE\n5\n1f\n0\nENDSEC\n",
       "line 9: handle 1F is already used by the object at line 5; expected every handle to be unique"},
      {"0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1006\n0\nENDSEC\n",
       "line 8: the drawing's version $ACADVER \"AC1006\" is not supported"},
      {"0\nSECTION\n2\nHEADER\n9\n$DWGCODEPAGE\n3\nANSI_42\n0\nENDSEC\n", "$DWGCODEPAGE \"ANSI_42\" is not supported"},
      {"0\nSECTION\n2\nHEADER\n9\n$HANDSEED\n5\n-1\n0\nENDSEC\n",
       "line 8: expected a handle (hexadecimal) for group code 5"},
      {"", "bad.dxf: the file is empty"},
      {"AutoCAD Binary DXF\r\n\x1a", "binary DXF file; only ASCII DXF can be read"},
      {"AC1032\0\0\0", "this is a DWG drawing, not DXF"},
      {"\xFF\xFE\x30\x00", "UTF-16"},
  };
  for (const Case& c : cases) {
    const std::string message = LoadError(c.bytes);
    EXPECT_NE(message.find(c.message), std::string::npos) << "got: " << message << "\nwanted: " << c.message;
  }
}

TEST(Loader, KeepsWhatSurroundsTheRecords) {
  // A byte order mark, comments, a stray ENDSEC, no line end after EOF and lines after it.
  for (const std::string& bytes :
       {std::string("\xEF\xBB\xBF"
                    "999\nhello\n  0\nSECTION\n  2\nX\n  0\nENDSEC\n  0\nEOF"),
        std::string("0\r\nSECTION\r\n2\r\nHEADER\r\n0\r\nENDSEC\r\n9\r\n$X\r\n0\r\nENDSEC\r\n0\r\nEOF\r\n\r\n\r\n"),
        std::string("0\nSECTION\n2\nENTITIES\n0\nENDSEC\n")}) {
    EXPECT_EQ(WriteDxfToString(*LoadDxf(bytes, "ok.dxf")), bytes);
  }
}

TEST(Loader, NoCutOfARealDrawingCrashes) {
  // Every prefix of a drawing either loads (and writes back as read) or is refused with a DxfError.
  const std::string bytes = test::FixtureBytes("r12.dxf");
  int loaded = 0;
  for (std::size_t cut = 0; cut <= bytes.size(); ++cut) {
    const std::string part = bytes.substr(0, cut);
    try {
      EXPECT_EQ(WriteDxfToString(*LoadDxf(part, "cut.dxf")), part);
      ++loaded;
    } catch (const DxfError&) {
    }
  }
  EXPECT_GT(loaded, 0);
}

}  // namespace
}  // namespace zil::drawing
