#include "config/ini_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <system_error>

#include "platform/ascii_case.h"
#include "platform/atomic_file.h"
#include "textcore/codepage.h"
#include "textcore/utf8.h"

namespace zil::config {
namespace {

using textcore::FromAnsi;
using textcore::ToAnsi;

std::u16string_view Trim(std::u16string_view s) {
  const auto space = [](char16_t c) { return c == u' ' || c == u'\t'; };
  while (!s.empty() && space(s.front())) s.remove_prefix(1);
  while (!s.empty() && space(s.back())) s.remove_suffix(1);
  return s;
}

// The name of a "[name]" line, if it is one.
std::optional<std::u16string> SectionName(const std::string& line) {
  const std::u16string text = FromAnsi(line);
  const std::u16string_view t = Trim(text);
  if (t.size() < 2 || t.front() != u'[') return std::nullopt;
  const auto close = t.find(u']');
  if (close == std::u16string_view::npos) return std::nullopt;
  return std::u16string(Trim(t.substr(1, close - 1)));
}

struct KeyValue {
  std::u16string key;
  std::u16string value;
};

std::optional<KeyValue> ParseKeyLine(const std::string& line) {
  const std::u16string text = FromAnsi(line);
  const auto eq = text.find(u'=');
  if (eq == std::u16string::npos) return std::nullopt;
  const std::u16string_view key = Trim(std::u16string_view(text).substr(0, eq));
  if (key.empty() || key.front() == u';') return std::nullopt;
  std::u16string_view value = Trim(std::u16string_view(text).substr(eq + 1));
  if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return KeyValue{std::u16string(key), std::u16string(value)};
}

std::u16string ToUtf16(std::string_view ascii) { return FromAnsi(ascii); }

}  // namespace

IniWriteError::IniWriteError(const std::filesystem::path& path, const std::string& reason)
    : std::runtime_error("Unable to write to " + path.string() + (reason.empty() ? "" : ": " + reason)), path_(path) {}

IniFile::IniFile(std::filesystem::path path) : path_(std::move(path)) {
  std::error_code ec;
  if (!std::filesystem::exists(path_, ec)) return;
  if (!std::filesystem::is_regular_file(path_, ec))
    throw std::runtime_error("Unable to read " + path_.string() + ": it is not a file");
  std::ifstream file(path_, std::ios::binary);
  if (!file) throw std::runtime_error("Unable to read " + path_.string() + ": " + std::strerror(errno));
  std::stringstream buffer;
  buffer << file.rdbuf();
  const std::string bytes = buffer.str();
  std::size_t start = 0;
  bool sawEol = false;
  while (start < bytes.size()) {
    const auto nl = bytes.find('\n', start);
    if (nl == std::string::npos) {
      lines_.push_back(bytes.substr(start));
      finalEol_ = false;
      break;
    }
    const bool crlf = nl > start && bytes[nl - 1] == '\r';
    if (!sawEol) eol_ = crlf ? "\r\n" : "\n", sawEol = true;
    lines_.push_back(bytes.substr(start, nl - start - (crlf ? 1 : 0)));
    start = nl + 1;
  }
}

std::optional<IniFile::SectionSpan> IniFile::FindSection(std::u16string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const auto name = SectionName(lines_[i]);
    if (!name || !EqualIgnoringAsciiCase(*name, section)) continue;
    std::size_t end = i + 1;
    while (end < lines_.size() && !SectionName(lines_[end])) ++end;
    return SectionSpan{i, end};
  }
  return std::nullopt;
}

std::optional<std::size_t> IniFile::FindKey(const SectionSpan& span, std::u16string_view key) const {
  for (std::size_t i = span.header + 1; i < span.end; ++i) {
    const auto kv = ParseKeyLine(lines_[i]);
    if (kv && EqualIgnoringAsciiCase(kv->key, key)) return i;
  }
  return std::nullopt;
}

std::optional<std::u16string> IniFile::ReadString(std::u16string_view section, std::u16string_view key) const {
  const auto span = FindSection(section);
  if (!span) return std::nullopt;
  const auto line = FindKey(*span, key);
  if (!line) return std::nullopt;
  return ParseKeyLine(lines_[*line])->value;
}

std::u16string IniFile::ReadString(std::u16string_view section, std::u16string_view key,
                                   std::u16string_view def) const {
  auto value = ReadString(section, key);
  return value ? *value : std::u16string(def);
}

std::optional<std::int32_t> IniFile::ParseInteger(std::u16string_view text) {
  text = Trim(text);
  bool negative = false;
  if (!text.empty() && (text.front() == u'-' || text.front() == u'+')) {
    negative = text.front() == u'-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (!text.empty() && text.front() == u'$') {
    base = 16;
    text.remove_prefix(1);
  } else if (text.size() >= 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  if (text.empty()) return std::nullopt;
  std::int64_t value = 0;
  for (char16_t c : text) {
    int digit = -1;
    if (c >= u'0' && c <= u'9') digit = c - u'0';
    if (base == 16 && c >= u'a' && c <= u'f') digit = c - u'a' + 10;
    if (base == 16 && c >= u'A' && c <= u'F') digit = c - u'A' + 10;
    if (digit < 0) return std::nullopt;
    value = value * base + digit;
    if (value > 0xFFFFFFFFll) return std::nullopt;
  }
  if (base == 16) {
    // Hexadecimal covers the 32 bits: $FFFFFFFF is -1.
    const auto bits = static_cast<std::uint32_t>(value);
    const auto signedValue = static_cast<std::int32_t>(bits);
    return negative ? -signedValue : signedValue;
  }
  if (negative) value = -value;
  if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

std::int32_t IniFile::ReadInteger(std::u16string_view section, std::u16string_view key, std::int32_t def) const {
  const auto text = ReadString(section, key);
  if (!text) return def;
  return ParseInteger(*text).value_or(def);
}

bool IniFile::ReadBool(std::u16string_view section, std::u16string_view key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

std::vector<std::u16string> IniFile::ReadSection(std::u16string_view section) const {
  std::vector<std::u16string> keys;
  const auto span = FindSection(section);
  if (!span) return keys;
  for (std::size_t i = span->header + 1; i < span->end; ++i)
    if (auto kv = ParseKeyLine(lines_[i])) keys.push_back(std::move(kv->key));
  return keys;
}

bool IniFile::SectionExists(std::u16string_view section) const { return FindSection(section).has_value(); }

void IniFile::WriteString(std::u16string_view section, std::u16string_view key, std::u16string_view value) {
  auto span = FindSection(section);
  if (!span) {
    if (!lines_.empty() && !lines_.back().empty()) lines_.emplace_back();
    lines_.push_back(ToAnsi(u"[" + std::u16string(section) + u"]"));
    lines_.push_back(ToAnsi(std::u16string(key) + u"=" + std::u16string(value)));
    return;
  }
  if (const auto line = FindKey(*span, key)) {
    const std::u16string existingKey = ParseKeyLine(lines_[*line])->key;
    lines_[*line] = ToAnsi(existingKey + u"=" + std::u16string(value));
    return;
  }
  // After the section's last key, or right after its header.
  std::size_t at = span->header + 1;
  for (std::size_t i = span->header + 1; i < span->end; ++i)
    if (ParseKeyLine(lines_[i])) at = i + 1;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at),
                ToAnsi(std::u16string(key) + u"=" + std::u16string(value)));
}

void IniFile::WriteInteger(std::u16string_view section, std::u16string_view key, std::int32_t value) {
  WriteString(section, key, ToUtf16(std::to_string(value)));
}

void IniFile::WriteBool(std::u16string_view section, std::u16string_view key, bool value) {
  WriteString(section, key, value ? u"1" : u"0");
}

void IniFile::EraseSection(std::u16string_view section) {
  const auto span = FindSection(section);
  if (!span) return;
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(span->header),
               lines_.begin() + static_cast<std::ptrdiff_t>(span->end));
}

void IniFile::Save() const {
  std::string bytes;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    bytes += lines_[i];
    if (i + 1 < lines_.size() || finalEol_) bytes += eol_;
  }
  try {
    platform::WriteFileAtomically(path_, bytes);
  } catch (const platform::WriteError& e) {
    throw IniWriteError(path_, e.Reason());
  }
}

}  // namespace zil::config
