#include <unicode/uloc.h>

#include <array>
#include <cctype>

#include "platform/language_names.h"

namespace zil::platform {

LanguageNames NamesOfLanguage(std::uint16_t languageId) {
  std::array<char, ULOC_FULLNAME_CAPACITY> locale{};
  UErrorCode status = U_ZERO_ERROR;
  uloc_getLocaleForLCID(languageId, locale.data(), static_cast<int32_t>(locale.size()), &status);
  if (U_FAILURE(status) || locale[0] == '\0') return {};
  std::array<UChar, 128> name{};
  const int32_t length =
      uloc_getDisplayName(locale.data(), "en", name.data(), static_cast<int32_t>(name.size()), &status);
  LanguageNames names;
  if (U_SUCCESS(status)) names.name.assign(name.data(), name.data() + length);
  for (const char* c = uloc_getISO3Language(locale.data()); c != nullptr && *c != '\0'; ++c)
    names.abbreviation += static_cast<char16_t>(std::toupper(static_cast<unsigned char>(*c)));
  return names;
}

}  // namespace zil::platform
