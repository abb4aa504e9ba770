#include "platform/portable_registry.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <utility>

#include "platform/ascii_case.h"

namespace zil::platform {
namespace {

std::string_view Trim(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

std::string ReadWholeFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error("Unable to read " + file.string() + ": " + std::strerror(errno));
  std::stringstream buffer;
  buffer << in.rdbuf();
  if (in.bad()) throw std::runtime_error("Unable to read " + file.string());
  return buffer.str();
}

}  // namespace

PortableRegistry::PortableRegistry(std::function<std::filesystem::path()> dataFolder)
    : dataFolder_(std::move(dataFolder)) {}

std::filesystem::path PortableRegistry::File() const { return dataFolder_() / kPortableRegistryFileName; }

std::optional<std::string> PortableRegistry::ReadUserString(std::string_view key, std::string_view name) const {
  const std::filesystem::path file = File();
  std::error_code ec;
  if (!std::filesystem::exists(file, ec)) return std::nullopt;
  if (!std::filesystem::is_regular_file(file, ec))
    throw std::runtime_error("Unable to read " + file.string() + ": it is not a file");
  const std::string bytes = ReadWholeFile(file);
  std::string_view text(bytes);
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);

  while (!key.empty() && key.front() == '\\') key.remove_prefix(1);
  enum class Where { Before, Inside, After } where = Where::Before;
  while (!text.empty() && where != Where::After) {
    const auto eol = text.find('\n');
    const std::string_view line = Trim(text.substr(0, eol));
    text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);
    if (line.starts_with('[')) {
      const auto close = line.find(']');
      if (close == std::string_view::npos) continue;  // not a section header: an ordinary line
      const bool ours = EqualIgnoringAsciiCase(Trim(line.substr(1, close - 1)), key);
      if (where == Where::Inside)
        where = Where::After;  // only the first equal section counts
      else if (ours)
        where = Where::Inside;
      continue;
    }
    if (where != Where::Inside) continue;
    const auto eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    const std::string_view valueName = Trim(line.substr(0, eq));
    if (valueName.empty() || valueName.front() == ';' || !EqualIgnoringAsciiCase(valueName, name)) continue;
    std::string_view value = Trim(line.substr(eq + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
      value = value.substr(1, value.size() - 2);
    return std::string(value);
  }
  return std::nullopt;
}

}  // namespace zil::platform
