#include "platform/file_choosers.h"

#include <stdexcept>

namespace zil::platform {
namespace {

std::vector<std::u16string> Split(std::u16string_view text, char16_t separator) {
  std::vector<std::u16string> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t at = text.find(separator, start);
    parts.emplace_back(text.substr(start, at == std::u16string_view::npos ? std::u16string_view::npos : at - start));
    if (at == std::u16string_view::npos) return parts;
    start = at + 1;
  }
}

[[noreturn]] void NoChooser() {
  throw std::runtime_error("Choosing a file needs the dialogs, which this build of zil does not have");
}

}  // namespace

std::vector<FileFilterEntry> ParseFileFilter(std::u16string_view filter) {
  std::vector<FileFilterEntry> entries;
  if (filter.empty()) return entries;
  const std::vector<std::u16string> parts = Split(filter, u'|');
  if (parts.size() % 2 != 0) throw std::invalid_argument("A file filter needs a pattern after each description");
  for (std::size_t i = 0; i < parts.size(); i += 2) {
    FileFilterEntry entry{parts[i], {}};
    for (const std::u16string& pattern : Split(parts[i + 1], u';'))
      if (!pattern.empty()) entry.patterns.push_back(pattern);
    entries.push_back(std::move(entry));
  }
  return entries;
}

std::u16string BareExtension(std::u16string_view extension) {
  if (extension.starts_with(u"*")) extension.remove_prefix(1);
  if (extension.starts_with(u".")) extension.remove_prefix(1);
  return std::u16string(extension);
}

std::optional<std::filesystem::path> NoFileChoosers::ChooseFileToOpen(const FileChoice&) { NoChooser(); }

std::optional<std::filesystem::path> NoFileChoosers::ChooseFileToSave(const FileChoice&) { NoChooser(); }

}  // namespace zil::platform
