// Where a single-line text stands, by the stand-in host's font-metric model, and how AutoCAD's alignment
// rules move its two points.
//
// The font-metric model: every character advances 0.8 x height x width factor along the baseline and the
// glyph cell reaches from the baseline (y = 0) to the height (y = height); there are no descenders. A text
// of n characters is a box of length L = 0.8 n h w. Characters are code points; the control codes draw as
// AutoCAD draws them: %%d, %%p, %%c and %%nnn one character each, %%% a percent sign, %%o and %%u (the
// over- and underline switches) nothing, and so do the bidi controls (LRM, RLM, ...). Backward text (generation flag 2)
// is mirrored about its start, so it runs towards -x of its baseline; so does the text of a font that draws right to
// left (its glyphs advance towards -x), and a backward text of such a font runs towards +x again. Upside-down text
// (flag 4) is mirrored about its baseline. The box turns with the rotation about the text's start (group 10 of a
// left-aligned text).
//
// Alignment (horizontal 0 left, 1 center, 2 right, 3 aligned, 4 middle, 5 fit; vertical 0 baseline,
// 1 bottom, 2 middle, 3 top):
//   left/baseline   the insertion point (group 10) is the start and defines the text; the alignment point
//                   (group 11) is not used;
//   aligned, fit    both points define the text: it runs from the insertion point to the alignment point;
//                   aligned scales the height to fill the distance, fit the width factor;
//   any other       the alignment point defines the text: it is the point of the box the alignment names
//                   (center of the baseline, right end, middle of the box; bottom and baseline coincide in
//                   this model), and the insertion point is computed as the start.
// Changing the alignment keeps the text where it stands and computes the point(s) the new alignment uses
// from its place. Setting the alignment point moves the text so that the named point of its box lies
// there; setting the insertion point of a left, aligned or fit text moves that point (the alignment point
// of aligned and fit text stays), and of any other text moves the whole text by the same offset.
#pragma once

#include <array>
#include <span>
#include <string_view>
#include <utility>

#include "drawing/point.h"

namespace zil::drawing {

inline constexpr double kCharacterAdvance = 0.8;  // x height x width factor

struct TextGeometry {
  Point insertion;           // group 10
  Point alignment;           // group 11
  double height = 1;         // group 40
  double widthFactor = 1;    // group 41
  double rotation = 0;       // radians (group 50 holds degrees)
  int horizontal = 0;        // group 72
  int vertical = 0;          // group 73
  bool backward = false;     // generation flag 2
  bool upsideDown = false;   // generation flag 4
  bool rightToLeft = false;  // the style's font draws right to left
  int characters = 0;        // the length of the string in characters
};

// True when the text runs from its start towards -x of its baseline.
constexpr bool RunsLeftward(const TextGeometry& t) { return t.backward != t.rightToLeft; }

inline constexpr int kLeft = 0, kCenter = 1, kRight = 2, kAligned = 3, kMiddle = 4, kFit = 5;
inline constexpr int kBaseline = 0, kBottom = 1, kVerticalMiddle = 2, kTop = 3;

// True when both points define the text.
constexpr bool UsesBothPoints(int horizontal) { return horizontal == kAligned || horizontal == kFit; }
// True when the insertion point alone defines the text.
constexpr bool UsesInsertionPoint(const TextGeometry& t) { return t.horizontal == kLeft && t.vertical == kBaseline; }

// The number of characters the model gives a text string (see above).
int GlyphCount(std::u16string_view text);

// The text's length along its baseline.
double TextLength(const TextGeometry& t);

// Brings the computed values in line with the defining point(s): the insertion point of a text aligned
// by its alignment point; the rotation and the height (aligned) or width factor (fit) of a text between
// two points.
void Recompute(TextGeometry& t);

// The four corners of the text's box (start of the baseline, end of the baseline, end of the top line,
// start of the top line), in the coordinates of its points.
std::array<Point, 4> Corners(const TextGeometry& t);
// Corners (lower left, upper right) of the axis-aligned box around the text, in the coordinates of its points.
std::pair<Point, Point> BoundingBox(const TextGeometry& t);
// The axis-aligned box around points.
std::pair<Point, Point> BoxAround(std::span<const Point> points);

// The alignment properties, by AutoCAD's rules above. `alignment` is an AcAlignment value 0..14.
void SetAlignment(TextGeometry& t, int horizontal, int vertical);
void SetAlignmentCode(TextGeometry& t, int alignment);
int AlignmentCode(const TextGeometry& t);
void SetAlignmentPoint(TextGeometry& t, const Point& p);
void SetInsertionPoint(TextGeometry& t, const Point& p);
// The points set as SetAlignmentPoint and SetInsertionPoint set them, the computed values left for the
// caller's Recompute, which comes next (and which these setters run themselves where the point defines
// the text: Recompute again would only give the same values).
inline void PlaceAlignmentPoint(TextGeometry& t, const Point& p) { t.alignment = p; }
void PlaceInsertionPoint(TextGeometry& t, const Point& p);

// Moves and turns the text with its points.
void Move(TextGeometry& t, const Point& from, const Point& to);
void Rotate(TextGeometry& t, const Point& base, double angle);

// A point turned by `angle` about `base`, in the xy plane.
Point RotatePoint(const Point& p, const Point& base, double angle);

}  // namespace zil::drawing
