#include <windows.h>

#include <array>

#include "platform/language_names.h"

namespace zil::platform {
namespace {

std::u16string LocaleInfo(std::uint16_t languageId, LCTYPE type) {
  std::array<wchar_t, 41> text{};  // at most 40 characters
  const int length = GetLocaleInfoW(MAKELCID(languageId, SORT_DEFAULT), LOCALE_NOUSEROVERRIDE | type, text.data(),
                                    static_cast<int>(text.size()));
  if (length <= 1) return {};
  return std::u16string(text.data(), text.data() + length - 1);
}

}  // namespace

LanguageNames NamesOfLanguage(std::uint16_t languageId) {
  return {LocaleInfo(languageId, LOCALE_SLANGUAGE), LocaleInfo(languageId, LOCALE_SABBREVLANGNAME)};
}

}  // namespace zil::platform
