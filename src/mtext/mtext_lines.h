// MText contents as the MText editor shows them, one line per paragraph, and the contents it writes.
//
// Reading: Unicode escapes are decoded, a leading format group is stripped (the rule the drawing
// conversions use), and the rest splits at each "\P"; contents ending in "\P" give no empty last line, and
// two "\P" in a row give an empty line between them. No other format code is read: the lines keep them as
// plain characters.
// Writing: every line, the last one too, is followed by "\P".
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zil::mtext {

// The paragraphs of MText contents, in drawing form.
std::vector<std::u16string> EditorParagraphs(std::u16string_view contents);

// MText contents of lines in drawing form.
std::u16string JoinParagraphs(const std::vector<std::u16string>& lines);

// The index of the longest line by characters, the first of equal ones; 0 for no lines.
std::size_t LongestLine(const std::vector<std::u16string>& lines);

}  // namespace zil::mtext
