// The glyphs an SHX font draws for a drawing string, in the order it lays them: no bidi, one glyph per
// character cell, left to right in stored order (right to left for a DosEnglishR font), and the run
// mirrored as a whole when the text is drawn backwards.
//
// How each SHX font type draws a stored string (input: an entity's string, untrusted):
//   DosHebrew    the bytes 0x80..0x9A of the single-byte form are the Hebrew letters;
//   DosEnglish   the keys of the Hebrew keyboard are the Hebrew letters (the key map: "t" alef, "," tav,
//                "'" a comma, ...);
//   DosEnglishR  as DosEnglish, laid right to left;
//   WindowsHeb   the Windows-1255 letters 0xE0..0xFA are the Hebrew letters.
// The Hebrew SHX fonts draw round and angle brackets mirrored, "(" as ")" and "<" as ">", as the add-in's
// conversions expect (they mirror those brackets in every SHX form); other SHX fonts (AutoCAD's own txt,
// romans, ...) draw the bracket they are given.
//
// AutoCAD's control codes draw as AutoCAD draws them: %%d a degree sign, %%p a plus-minus sign, %%c a
// diameter sign, %%% a percent sign, %%nnn the character of code nnn in the font, and %%o and %%u (over-
// and underline switches) nothing; "%%" followed by any other character draws that character.
#pragma once

#include <string>
#include <string_view>

#include "textcore/font_type.h"

namespace zil::textcore {

// The characters of `text` after its control codes, one per glyph cell. A code nnn is kept as the byte
// nnn (when below 256) for the font to map.
struct ControlDecoded {
  std::u32string characters;
  std::u32string fromCode;  // parallel: 1 where the character is a %%nnn code's byte, else 0
};
ControlDecoded DecodeControlCodes(std::u16string_view text);
// The number of glyph cells `text` fills: its characters after the control codes, without the bidi
// controls (LRM, RLM, ...), which draw nothing. Makes nothing: text boxes are measured on every change.
int GlyphCells(std::u16string_view text);

// How an SHX font draws round and angle brackets.
enum class Brackets { Mirrored, AsGiven };

// The Unicode character an SHX font of `type` draws for byte `b`.
char32_t ShxGlyph(fntType type, unsigned char b, Brackets brackets = Brackets::Mirrored);

// The glyph run of `text` in an SHX font of `type` (not TrueType): one character per glyph cell, left to
// right as the font lays them.
std::u32string ShxGlyphRun(std::u16string_view text, fntType type, Brackets brackets = Brackets::Mirrored);

// The run as it reads on the drawing: reversed when the text is drawn backwards (its run mirrored).
std::u32string SeenGlyphs(std::u32string run, bool backwards);

}  // namespace zil::textcore
