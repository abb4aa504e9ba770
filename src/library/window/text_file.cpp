#include "library/window/text_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "platform/atomic_file.h"
#include "textcore/codepage.h"
#include "textcore/utf8.h"

namespace zil::library {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

std::u16string DecodeUtf16(std::string_view bytes, bool bigEndian) {
  std::u16string text;
  text.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    text.push_back(static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first));
  }
  return text;
}

}  // namespace

std::vector<std::u16string> SplitLines(std::u16string_view text) {
  std::vector<std::u16string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'\r' && text[i] != u'\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

std::u16string JoinLines(const std::vector<std::u16string>& lines) {
  std::u16string text;
  for (const std::u16string& line : lines) {
    text += line;
    text += u"\r\n";
  }
  return text;
}

std::u16string DecodeTextFile(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Mark)) return textcore::FromUtf8(bytes.substr(kUtf8Mark.size()));
  if (bytes.starts_with(kUtf16LeMark)) return DecodeUtf16(bytes.substr(kUtf16LeMark.size()), false);
  if (bytes.starts_with(kUtf16BeMark)) return DecodeUtf16(bytes.substr(kUtf16BeMark.size()), true);
  if (auto text = textcore::FromUtf8Strict(bytes)) return *std::move(text);
  return textcore::FromAnsi(bytes);
}

std::string EncodeTextFile(const std::vector<std::u16string>& lines) { return textcore::ToUtf8(JoinLines(lines)); }

std::u16string ReadTextFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error("Cannot open the file " + file.string() + ": " + std::strerror(errno));
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw std::runtime_error("Cannot read the file " + file.string() + ": " + std::strerror(errno));
  return DecodeTextFile(bytes);
}

void WriteTextFile(const std::filesystem::path& file, const std::vector<std::u16string>& lines) {
  platform::WriteFileAtomically(file, EncodeTextFile(lines));
}

}  // namespace zil::library
