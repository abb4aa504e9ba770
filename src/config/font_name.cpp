#include "config/font_name.h"

namespace zil::config {

std::u16string_view FileNamePart(std::u16string_view name) {
  const auto folderEnd = name.find_last_of(u"\\/:");
  return folderEnd == std::u16string_view::npos ? name : name.substr(folderEnd + 1);
}

std::u16string_view ExtensionOf(std::u16string_view name) {
  const std::u16string_view file = FileNamePart(name);
  const auto dot = file.rfind(u'.');
  return dot == std::u16string_view::npos ? std::u16string_view{} : file.substr(dot);
}

std::u16string_view WithoutExtension(std::u16string_view name) {
  return name.substr(0, name.size() - ExtensionOf(name).size());
}

}  // namespace zil::config
