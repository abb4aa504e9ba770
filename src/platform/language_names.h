// The names of a language by its Windows language identifier (the low word of a keyboard layout
// handle): its full name ("Hebrew (Israel)") and an abbreviated name. On Windows these are the locale
// information LOCALE_SLANGUAGE and LOCALE_SABBREVLANGNAME ("HEB", "ENU"); the portable implementation
// takes them from ICU (the abbreviation is the ISO 639-2 code in capitals, "HEB", "ENG").
#pragma once

#include <cstdint>
#include <string>

namespace zil::platform {

struct LanguageNames {
  std::u16string name;
  std::u16string abbreviation;
};

// Empty names for an identifier no locale has.
LanguageNames NamesOfLanguage(std::uint16_t languageId);

}  // namespace zil::platform
