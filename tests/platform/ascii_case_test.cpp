#include "platform/ascii_case.h"

#include <gtest/gtest.h>

namespace zil {
namespace {

TEST(AsciiCase, OnlyAsciiLettersFoldAndBytesCompareWithUnitsByValue) {
  EXPECT_TRUE(EqualIgnoringAsciiCase(u"Hebstr", u"HEBSTR"));
  EXPECT_TRUE(EqualIgnoringAsciiCase("Software\\Dastel", "SOFTWARE\\dastel"));
  EXPECT_TRUE(EqualIgnoringAsciiCase("SetApp", u"setapp"));
  EXPECT_FALSE(EqualIgnoringAsciiCase("SetApp", u"SetAp"));
  // Neighbours of the letters, letters of other scripts and bytes above 0x7F do not fold.
  EXPECT_FALSE(EqualIgnoringAsciiCase(u"[", u"{"));
  EXPECT_FALSE(EqualIgnoringAsciiCase(u"@", u"`"));
  EXPECT_FALSE(EqualIgnoringAsciiCase(u"\u00E4", u"\u00C4"));
  EXPECT_FALSE(EqualIgnoringAsciiCase("\xE4", "\xC4"));
  EXPECT_TRUE(EqualIgnoringAsciiCase("\xE9", u"\u00E9"));  // a byte is the unit of the same value
  EXPECT_FALSE(EqualIgnoringAsciiCase(u"\u05D0", u"\u05D0a"));

  EXPECT_EQ(UpperAscii(u"hebfonts.txt \u05E9\u00E9"), u"HEBFONTS.TXT \u05E9\u00E9");
  EXPECT_EQ(UpperAscii("decimal(10,2)"), "DECIMAL(10,2)");
  EXPECT_EQ(LowerAscii(".DXF\xC9"), ".dxf\xC9");
}

}  // namespace
}  // namespace zil
