#include "textcore/text_file.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace zil::textcore {
namespace {

using Lines = std::vector<std::u16string>;

TEST(TextFile, LinesOfUtf8Windows1255AndEveryLineEnd) {
  const struct {
    std::string bytes;
    Lines lines;
  } cases[] = {
      {"", {}},
      {"\n", {u""}},
      {"\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D\n12 (\xD7\x90)\n", {u"שלום", u"12 (א)"}},
      {"\xEF\xBB\xBF\xD7\x90\r\n\xD7\x91", {u"א", u"ב"}},  // byte-order mark, CR LF, no final break
      {"a\r\rb\n\nc", {u"a", u"", u"b", u"", u"c"}},       // CR alone ends a line too
      {"\xF9\xEC\xE5\xED 2\r\n", {u"שלום 2"}},             // not UTF-8: Windows-1255
      {"\xEF\xBB\xBF\xE0", {u"א"}},                        // a mark, then Windows-1255
  };
  for (const auto& c : cases) EXPECT_EQ(TextLinesOf(c.bytes), c.lines) << c.bytes;
}

TEST(TextFile, WrittenLinesReadBackAndAFailedWriteLeavesTheFile) {
  test::TempFolder dir;
  const Lines lines = {u"קומה 2 (א)", u"", u"[5] ₪"};
  WriteTextFileLines(dir / "out.txt", lines);
  EXPECT_EQ(test::TempFolder::Read(dir / "out.txt"), "קומה 2 (א)\n\n[5] ₪\n");
  EXPECT_EQ(ReadTextFileLines(dir / "out.txt"), lines);
  EXPECT_THROW(WriteTextFileLines(dir / "missing" / "out.txt", lines), std::runtime_error);
  EXPECT_THROW(ReadTextFileLines(dir / "missing.txt"), std::runtime_error);
}

}  // namespace
}  // namespace zil::textcore
