// The texts the text dialog types for the user besides the keys themselves: the names of the font types,
// the AutoCAD codes of the Alt-digit keys (the Windows editor, when there is no key assignment file), the
// codes of the symbol buttons, and the texts of the key assignment file.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "config/key_texts.h"
#include "textcore/font_type.h"

namespace zil::textdialog {

// The name the dialog shows for a font type: "Dos Hebrew", "Dos English", "Dos English Reversed",
// "Windows", "True Type".
std::u16string_view FontTypeCaption(fntType type);

// The font type after `type` in the spin button's cycle 0, 1, 2, 3, 4, 0 (both arrows advance).
fntType NextFontType(fntType type);

// The code Alt with a main-keyboard digit types: Alt+0 and Alt+5..9 give AutoCAD's "%%nnn" codes, or, in
// a dimension's text, the Unicode escapes AutoCAD reads there; Alt+1..4 give nothing.
std::u16string_view AltDigitText(int digit, bool isDim);

// The text a key press types in the Windows editor, before the key itself: with a key assignment file, its
// text for the key (F1..F12, Alt or Ctrl with a digit); without one, the Alt-digit codes. `shift` holds
// the modifier bits of config/key_texts.h, `key` the Windows virtual-key code.
std::u16string KeyText(const config::KeyTexts& keys, unsigned shift, unsigned key, bool isDim);

// The symbol buttons tb1..tb13.
inline constexpr int kSymbolButtons = 13;
// What a button types in a text style whose font is not a symbol font (empty: nothing), and whether it
// shows then.
inline constexpr std::array<std::u16string_view, kSymbolButtons> kFixedSymbolTexts = {
    u"%%d", u"%%p", u"%%c", u"%%160", u"%%157", u"%%158", u"%%159", u"%%161", u"", u"", u"", u"", u""};
inline constexpr std::array<bool, kSymbolButtons> kSymbolButtonShownAtFirst = {
    true, true, true, false, false, false, false, false, true, true, true, true, false};
// The underline code of ToolButton10, whatever the font.
inline constexpr std::u16string_view kUnderlineCode = u"%%u";

// The text of a symbol font's code: its low byte as "%%" and the decimal number, or, for a dimension's
// text, as "\U+00" and two lower-case hexadecimal digits.
std::u16string SymbolCodeText(std::uint16_t code, bool isDim);

}  // namespace zil::textdialog
