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
// The new text covers the ground the old one covered, along the same baseline, and reads the same way: it
// runs from the left end of that ground to the right end, or from the right end to the left one when
// `style` has a font that draws right to left (`styleRightToLeft`).
//
// A rotated text is first turned back to horizontal about its insertion point; the ends of its new
// baseline are the left and right edges of its horizontal box on the line through its old insertion point,
// turned back to the old angle. So the points lie on its old line whichever way the old text ran (its
// style or its own flag backwards, its font right to left, its alignment). It gets its string, style and
// flag, then the aligned alignment (an error of the host here is ignored), then the two points.
//
// A horizontal text becomes aligned (an error of the host here is not ignored) along the bottom of its
// box: from the lower left corner to the lower right one when it draws backwards or has a generation flag,
// or when its font is DosEnglishR, else from its insertion point to the right edge of the box on its
// baseline. It gets its string, style and flag afterwards.
void RewriteAsAligned(acad::Entity& t, const TextBefore& before, const std::u16string& text,
                      const std::u16string& style, bool styleRightToLeft = false);

}  // namespace zil::conversions
