// What the replace editor does to its lines, apart from the screen: finding a text, replacing it with or
// without asking, adding a number to the number in each line, and reversing a line. Lines are in the
// stored-order edit form; an empty search text is found nowhere.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zil::mtext {

// The indices of the lines that hold `text`.
std::vector<std::size_t> FindLines(const std::vector<std::u16string>& lines, const std::u16string& text);

enum class ReplaceAnswer { Yes, No, All, Cancel };

// Replaces the occurrences of `search` by `replacement`, line by line from the first: after an occurrence
// the search goes on behind it (behind the replacement when it was replaced), so that a replacement is
// never searched again. While `prompt` is set, `ask` decides each occurrence (the line and its position
// from 0): Yes replaces it, No leaves it, All replaces it and every later one without asking, Cancel ends
// the run. `replaced` is told of each replacement once it is in the line. Returns the number made.
int ReplaceInLines(std::vector<std::u16string>& lines, const std::u16string& search, const std::u16string& replacement,
                   bool prompt, const std::function<ReplaceAnswer(std::size_t line, std::size_t position)>& ask,
                   const std::function<void(std::size_t line, std::size_t position)>& replaced);

// The line with `number` added to the first number in it: from its first "-" or digit, the longest run of
// signs, full stops, digits and the letters E and e, read with "." as the decimal point. The sum is written
// with two decimals after rounding to six significant digits, in the user's decimal separator. Nothing for a
// line without such a run or whose run is no number.
std::optional<std::u16string> AddNumberToLine(const std::u16string& line, double number);

// The sum as AddNumberToLine writes it: 12.50, -3.00, 12345.70, 1.23457E+06.
std::u16string FormatAddedNumber(double value);

// The line's characters in reverse order (a character outside the Basic Multilingual Plane stays whole).
std::u16string ReverseLine(const std::u16string& line);

}  // namespace zil::mtext
