// Plain text files of lines, as the editors import and export them. Written as UTF-8, one line per file
// line, each line ended by a line feed. Read as UTF-8 (a leading byte-order mark is skipped), or, when the
// bytes are not well-formed UTF-8, as Windows-1255, the single-byte form the add-in uses. Lines end at a
// line feed, a carriage return or both; a line break at the end of the file ends the last line and adds no
// empty one.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zil::textcore {

// The lines of a file's bytes, by the rules above.
std::vector<std::u16string> TextLinesOf(std::string_view bytes);

// Throws std::runtime_error naming the file when it cannot be read.
std::vector<std::u16string> ReadTextFileLines(const std::filesystem::path& file);

// Replaces the file whole or not at all; throws std::runtime_error saying why it could not be written.
void WriteTextFileLines(const std::filesystem::path& file, const std::vector<std::u16string>& lines);

}  // namespace zil::textcore
