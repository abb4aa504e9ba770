#include "mtext/mtext_lines.h"

#include "conversions/mtext_paragraphs.h"
#include "mtext/unicode_escapes.h"

namespace zil::mtext {

std::vector<std::u16string> EditorParagraphs(std::u16string_view contents) {
  std::vector<std::u16string> lines;
  for (conversions::Paragraph& p :
       conversions::SplitParagraphs(conversions::StripFormatGroup(DecodeUnicodeEscapes(contents)))) {
    if (p.followedByMark || !p.text.empty()) lines.push_back(std::move(p.text));
  }
  return lines;
}

std::u16string JoinParagraphs(const std::vector<std::u16string>& lines) {
  std::u16string contents;
  for (const std::u16string& line : lines) {
    contents += line;
    contents += u"\\P";
  }
  return contents;
}

std::size_t LongestLine(const std::vector<std::u16string>& lines) {
  std::size_t longest = 0;
  for (std::size_t i = 1; i < lines.size(); ++i)
    if (lines[i].size() > lines[longest].size()) longest = i;
  return longest;
}

}  // namespace zil::mtext
