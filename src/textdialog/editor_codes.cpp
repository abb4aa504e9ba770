#include "textdialog/editor_codes.h"

#include <cstdio>

namespace zil::textdialog {

std::u16string_view FontTypeCaption(fntType type) {
  switch (type) {
    case DosHebrew:
      return u"Dos Hebrew";
    case DosEnglish:
      return u"Dos English";
    case DosEnglishR:
      return u"Dos English Reversed";
    case WindowsHeb:
      return u"Windows";
    case TrueType:
      return u"True Type";
  }
  return u"";
}

fntType NextFontType(fntType type) { return static_cast<fntType>((static_cast<int>(type) + 1) % kFontTypeCount); }

std::u16string_view AltDigitText(int digit, bool isDim) {
  switch (digit) {
    case 0:
      return isDim ? u"\\U+00A0" : u"%%160";
    case 5:
      return u"%%155";
    case 6:
      return isDim ? u"\\U+009C" : u"%%156";
    case 7:
      return isDim ? u"\\U+009D" : u"%%157";
    case 8:
      return isDim ? u"\\U+009E" : u"%%158";
    case 9:
      return isDim ? u"\\U+009F" : u"%%159";
    default:
      return u"";
  }
}

std::u16string KeyText(const config::KeyTexts& keys, unsigned shift, unsigned key, bool isDim) {
  if (!keys.NoKeyDefs) return keys.GetKeyText(shift, key);
  if (shift == config::kAlt && key >= config::kVk0 && key <= config::kVk9)
    return std::u16string(AltDigitText(static_cast<int>(key - config::kVk0), isDim));
  return {};
}

std::u16string SymbolCodeText(std::uint16_t code, bool isDim) {
  const unsigned low = code & 0xFFu;
  char text[16];
  std::snprintf(text, sizeof text, isDim ? "\\U+00%2.2x" : "%%%%%u", low);
  std::u16string result;
  for (const char* c = text; *c; ++c) result.push_back(static_cast<char16_t>(*c));
  return result;
}

}  // namespace zil::textdialog
