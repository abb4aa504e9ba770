// How both drawing conversions rewrite a single-line text (or an attribute reference): it gets its new
// string and style and becomes an aligned text between two points that keeps its place, direction and
// length.
#pragma once

#include <string>

#include "acad/entity.h"
#include "textcore/font_type.h"

namespace zil::conversions {

// |a / 2π − 1| < 1e-4: a full turn counts as none.
double WithoutFullTurn(double angle);

// A single-line text as a conversion found it, before it changed anything.
struct TextBefore {
  double angle = 0;          // its rotation, a full turn counting as none
  acad::Point insertion;     // its insertion point
  bool backwards = false;    // the text or its style draws backwards
  fntType type = DosHebrew;  // the font type of its style
};

// Rewrites `t` (found as `before`) with `text` in `style`; a text generation flag other than 0 becomes 6.
//
// A rotated text is first turned back to horizontal about its insertion point; its two new points lie on
// its old line (through the old insertion point at the old angle), at the distances of the lower corners of
// its horizontal box from that point, on the far side for a text drawn right to left (backwards, or a
// DosEnglishR font). The first is its start unless the text is aligned other than left (its alignment point
// has neither coordinate 0) and that point lies at or left of its insertion point. It gets its string,
// style and flag, then the aligned alignment (an error of the host here is ignored), then the two points.
//
// A horizontal text becomes aligned (an error of the host here is not ignored) along the bottom of its
// box: from the lower left corner to the lower right one when it draws backwards or has a generation flag,
// else, for a DosEnglishR font, from the lower left corner, else from its insertion point to the right
// edge of the box on its baseline. It gets its string, style and flag afterwards.
void RewriteAsAligned(acad::Entity& t, const TextBefore& before, const std::u16string& text,
                      const std::u16string& style);

}  // namespace zil::conversions
