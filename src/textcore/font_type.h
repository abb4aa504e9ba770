// The five ways a font keeps Hebrew (the font type of a text style's font).
#pragma once

#include <optional>
#include <string_view>

namespace zil {

// Codes as stored and passed across the automation interface; see charmaps.h and conversions.h for what
// each type means for a string.
enum fntType : int {
  DosHebrew = 0,    // DOS code page 862 letters, string stored reversed
  DosEnglish = 1,   // letters on the Latin keys of the Hebrew keyboard, stored reversed
  DosEnglishR = 2,  // letters on the Latin keys, only the runs of other characters reversed
  WindowsHeb = 3,   // Windows-1255 letters, stored reversed
  TrueType = 4,     // Windows-1255 letters in bidi order
};

inline constexpr int kFontTypeCount = 5;

// The type for a code 0..4, nothing for any other code.
constexpr std::optional<fntType> FontTypeFromCode(int code) {
  if (code < DosHebrew || code > TrueType) return std::nullopt;
  return static_cast<fntType>(code);
}

// The type's own name: "DosHebrew", "DosEnglish", "DosEnglishR", "WindowsHeb", "TrueType".
constexpr std::string_view FontTypeName(fntType type) {
  switch (type) {
    case DosHebrew:
      return "DosHebrew";
    case DosEnglish:
      return "DosEnglish";
    case DosEnglishR:
      return "DosEnglishR";
    case WindowsHeb:
      return "WindowsHeb";
    case TrueType:
      return "TrueType";
  }
  return "?";
}

}  // namespace zil
