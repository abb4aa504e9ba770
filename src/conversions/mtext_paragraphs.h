// MText strings as the drawing conversions take them apart: a leading format group ("{\...;" with its
// closing brace) is stripped, and the rest splits into paragraphs at each "\P".
#pragma once

#include <string>
#include <vector>

namespace zil::conversions {

// When s has two or more characters, begins with "{\" and holds a ";": everything up to and including the
// first ";" goes; then a last "}" goes; then, when the second-to-last character is "}", the last two go.
std::u16string StripFormatGroup(std::u16string s);

struct Paragraph {
  std::u16string text;
  bool followedByMark = false;  // "\P" followed it in the string
};

// The pieces between occurrences of "\P"; the piece after the last "\P" is the last paragraph (an empty
// one when the string ends with "\P", which then comes back without an added empty paragraph).
std::vector<Paragraph> SplitParagraphs(const std::u16string& s);

}  // namespace zil::conversions
