#include "textcore/text_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "platform/atomic_file.h"
#include "textcore/codepage.h"
#include "textcore/utf8.h"

namespace zil::textcore {

std::vector<std::u16string> TextLinesOf(std::string_view bytes) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (bytes.starts_with(kByteOrderMark)) bytes.remove_prefix(kByteOrderMark.size());
  std::optional<std::u16string> text = FromUtf8Strict(bytes);
  if (!text) text = FromAnsi(bytes);

  std::vector<std::u16string> lines;
  std::size_t start = 0;
  const std::u16string& t = *text;
  while (start < t.size()) {
    const std::size_t end = t.find_first_of(u"\r\n", start);
    if (end == std::u16string::npos) {
      lines.push_back(t.substr(start));
      break;
    }
    lines.push_back(t.substr(start, end - start));
    start = end + (t[end] == u'\r' && end + 1 < t.size() && t[end + 1] == u'\n' ? 2 : 1);
  }
  return lines;
}

std::vector<std::u16string> ReadTextFileLines(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error("Cannot read the file " + file.string() + ": " + std::strerror(errno));
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw std::runtime_error("Cannot read the file " + file.string());
  return TextLinesOf(bytes);
}

void WriteTextFileLines(const std::filesystem::path& file, const std::vector<std::u16string>& lines) {
  std::string bytes;
  for (const std::u16string& line : lines) {
    bytes += ToUtf8(line);
    bytes += '\n';
  }
  platform::WriteFileAtomically(file, bytes);
}

}  // namespace zil::textcore
