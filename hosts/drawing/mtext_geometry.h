// Where an MTEXT stands, by the stand-in host's font-metric model (the model of text_geometry.h, with the
// width factor 1).
//
// The text is read without its format codes: \P ends a paragraph; \~ is a space; \\, \{ and \} are the
// characters; { and } group and draw nothing; \S...; (a fraction) draws its characters but the ^, / or #
// between them; codes with a value up to a semicolon (\f, \F, \H, \W, \Q, \T, \A, \C, \c, \p) and the
// switches \L, \l, \O, \o, \K, \k draw nothing. With a reference width (group 41 above 0), a paragraph
// wraps at spaces so that no line is wider than the reference width unless one word is; without one, each
// paragraph is one line.
//
// Each line is GlyphCount(line) x 0.8 x height long. Lines are 5/3 x height x the spacing factor (group
// 44, default 1) apart; the box reaches from the top of the first line to the baseline of the last:
// height + (lines - 1) x line pitch high, and as wide as the longest line. The attachment point (1..9:
// top left, top center, top right, middle ..., bottom right) is the point of that box at the insertion
// point. The box turns with the text's direction: group 11 when present, else the rotation (group 50, in
// degrees), in the xy plane. An empty text is a box of no size at the insertion point.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "drawing/point.h"

namespace zil::drawing {

inline constexpr double kMTextLinePitch = 5.0 / 3.0;  // x height x spacing factor

struct MTextGeometry {
  Point insertion;      // group 10
  double height = 1;    // group 40
  double width = 0;     // group 41, the reference width; 0: none
  double spacing = 1;   // group 44
  int attachment = 1;   // group 71
  double rotation = 0;  // radians
  std::u16string text;  // groups 3 and 1, with format codes
};

// The characters the model draws, one string per paragraph.
std::vector<std::u16string> MTextParagraphs(std::u16string_view text);
// The lines the model draws, paragraphs wrapped at the reference width.
std::vector<std::u16string> MTextLines(const MTextGeometry& m);
// The four corners of the text's box, and the axis-aligned box around it.
std::array<Point, 4> MTextCorners(const MTextGeometry& m);
std::pair<Point, Point> MTextBoundingBox(const MTextGeometry& m);

}  // namespace zil::drawing
