#include "conversions/mtext_paragraphs.h"

namespace zil::conversions {

std::u16string StripFormatGroup(std::u16string s) {
  if (s.size() < 2 || s[0] != u'{' || s[1] != u'\\') return s;
  const auto semicolon = s.find(u';');
  if (semicolon == std::u16string::npos) return s;
  s.erase(0, semicolon + 1);
  if (!s.empty() && s.back() == u'}') s.pop_back();
  if (s.size() >= 2 && s[s.size() - 2] == u'}') s.erase(s.size() - 2);
  return s;
}

std::vector<Paragraph> SplitParagraphs(const std::u16string& s) {
  std::vector<Paragraph> paragraphs;
  std::size_t start = 0;
  for (;;) {
    const auto mark = s.find(u"\\P", start);
    if (mark == std::u16string::npos) {
      paragraphs.push_back({s.substr(start), false});
      return paragraphs;
    }
    paragraphs.push_back({s.substr(start, mark - start), true});
    start = mark + 2;
  }
}

}  // namespace zil::conversions
