// The text of a topic as lines, and as a text file: the library window loads a topic from a file and
// saves it into one.
//
// Lines follow the library's convention: in a topic's text each line is followed by CR LF, and a text
// that ends with a line break has no empty line after it. Reading a file accepts UTF-8 (with or without
// a byte-order mark), UTF-16 with its byte-order mark, and, for any other file that is not valid UTF-8,
// Windows-1255, the code page of Hebrew text from older Windows programs. Writing gives UTF-8 without a
// byte-order mark, each line followed by CR LF.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zil::library {

// The lines of a text: breaks are CR LF, LF or CR alone; a final break ends the last line.
std::vector<std::u16string> SplitLines(std::u16string_view text);
// The lines, each followed by CR LF.
std::u16string JoinLines(const std::vector<std::u16string>& lines);

// The text in a file's bytes, by the rules above.
std::u16string DecodeTextFile(std::string_view bytes);
// The bytes of a file holding these lines.
std::string EncodeTextFile(const std::vector<std::u16string>& lines);

// Reading and writing the file itself (a write replaces the file whole or not at all). Failures throw
// std::runtime_error naming the file and the system's reason.
std::u16string ReadTextFile(const std::filesystem::path& file);
void WriteTextFile(const std::filesystem::path& file, const std::vector<std::u16string>& lines);

}  // namespace zil::library
