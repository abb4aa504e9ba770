// The glyphs a text shows, in the order its font lays them: the stage of the preview that decides how a
// string reads in the drawing. No geometry and no Qt here: a run is the sequence of characters the font
// draws, from the left end of the text to the right, each in one character cell of the text's box.
//
// How each font type draws a stored string (input: an entity's string, untrusted): the SHX types as
// textcore/shx_glyphs.h says (stored order, no bidi, Hebrew SHX fonts' round and angle brackets mirrored,
// right to left for DosEnglishR, AutoCAD's control codes); TrueType through the platform's text layout:
// Unicode bidi (ICU) under a left-to-right paragraph, with the brackets of right-to-left runs mirrored and
// the bidi controls (LRM, RLM, ...) drawing nothing. A backwards text mirrors its run; that is geometry
// (text_layout.h), not part of the run.
#pragma once

#include <string>
#include <string_view>

#include "textcore/font_type.h"
#include "textcore/shx_glyphs.h"

namespace zil::preview {

using textcore::Brackets;
using textcore::ControlDecoded;
using textcore::DecodeControlCodes;
using textcore::SeenGlyphs;
using textcore::ShxGlyph;

// The glyph run of `text` in a font of `type`: one character per glyph cell, left to right. `brackets`
// matters for the SHX types only.
std::u32string GlyphRun(std::u16string_view text, fntType type, Brackets brackets = Brackets::Mirrored);

}  // namespace zil::preview
