// The glyphs a text shows, in the order its font lays them: the stage of the preview that decides how a
// string reads in the drawing. No geometry and no Qt here: a run is the sequence of characters the font
// draws, from the left end of the text to the right, each in one character cell of the text's box.
//
// How each font type draws a stored string (input: an entity's string, untrusted):
//   DosHebrew    an SHX font: the bytes 0x80..0x9A of the single-byte form are the Hebrew letters;
//   DosEnglish   an SHX font: the keys of the Hebrew keyboard are the Hebrew letters (the text core's key
//                map: "t" alef, "," tav, "'" a comma, ...);
//   DosEnglishR  as DosEnglish;
//   WindowsHeb   an SHX font: the Windows-1255 letters 0xE0..0xFA are the Hebrew letters;
//   TrueType     the platform's text layout: Unicode bidi (ICU) under a left-to-right paragraph, with
//                the brackets of right-to-left runs mirrored.
// The Hebrew SHX fonts draw round and angle brackets mirrored, "(" as ")" and "<" as ">", as the add-in's
// conversions expect (they mirror those brackets in every SHX form); other SHX fonts (AutoCAD's own txt,
// romans, ...) draw the bracket they are given. An SHX font knows no bidi: it lays
// the glyphs one after another in stored order, left to right, and right to left for DosEnglishR. A
// backwards text mirrors its run; that is geometry (text_layout.h), not part of the run.
//
// AutoCAD's control codes draw as AutoCAD draws them: %%d a degree sign, %%p a plus-minus sign, %%c a
// diameter sign, %%% a percent sign, %%nnn the character of code nnn in the font, and %%o and %%u (over-
// and underline switches) nothing; "%%" followed by any other character draws that character.
#pragma once

#include <string>
#include <string_view>

#include "textcore/font_type.h"

namespace zil::preview {

// The characters of `text` after its control codes, one per glyph cell. A code nnn is kept as the byte
// nnn (when below 256) for the font to map; see GlyphRun.
struct ControlDecoded {
  std::u32string characters;
  std::u32string fromCode;  // parallel: 1 where the character is a %%nnn code's byte, else 0
};
ControlDecoded DecodeControlCodes(std::u16string_view text);

// The number of glyph cells `text` fills: its characters (code points) after the control codes.
int GlyphCount(std::u16string_view text);

// How an SHX font draws round and angle brackets.
enum class Brackets { Mirrored, AsGiven };

// The Unicode character an SHX font of `type` draws for byte `b`.
char32_t ShxGlyph(fntType type, unsigned char b, Brackets brackets = Brackets::Mirrored);

// The glyph run of `text` in a font of `type`: one character per glyph cell, left to right. `brackets`
// matters for the SHX types only.
std::u32string GlyphRun(std::u16string_view text, fntType type, Brackets brackets = Brackets::Mirrored);

// The run as it reads on the drawing: reversed when the text is drawn backwards (its run mirrored).
std::u32string SeenGlyphs(std::u32string run, bool backwards);

}  // namespace zil::preview
