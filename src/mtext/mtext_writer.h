// Writing the MText editor's lines into the drawing: one MText, or, "exploded", one single-line text per
// line, stacked downwards at a line spacing. Every line is converted with EditToacadWin under the
// conversion state the caller has set, which must be that of the style the entities are written with.
#pragma once

#include <string>
#include <vector>

#include "acad/entity.h"
#include "acad/point.h"
#include "mtext/context.h"

namespace zil::mtext {

// Where and how the lines are written.
struct MTextPlacement {
  acad::Point point;         // the MText's insertion point, or the first exploded line's; exploding moves it down
  double height = 0;         // the MText height
  std::u16string styleName;  // the text style given to what is written
};

// The MText alignment codes of a text's horizontal alignment: 2 right, 0 left; exploded texts hang from
// the top.
inline constexpr int kAlignLeft = 0;
inline constexpr int kAlignRight = 2;
inline constexpr int kVerticalTop = 3;
// MText attachment points.
inline constexpr int kAttachTopLeft = 1;
inline constexpr int kAttachTopRight = 3;

// With no lines nothing is written. Exploded: a text for every line, empty ones too, with `alignment` as
// its horizontal alignment and the top as its vertical one, moved so that it starts at the placement
// point (right-aligned ones end there), each `spacing` below the one before. Otherwise one MText at the
// placement point, top right when `alignment` is 2 and top left for any other code, as wide as its
// longest line needs. The entities go into the space that receives new entities, on the layer
// CurLayerName, in the placement's style.
void WriteMTextLines(Context& c, MTextPlacement& place, const std::vector<std::u16string>& lines, bool explode,
                     double spacing, int alignment);

// The reference width an MText needs for a line in drawing form: the width of a text of the line and
// "99" at the placement with its height, in the drawing's current text style, which is added, measured
// and erased again.
double MeasureMTextWidth(Context& c, const std::u16string& longest, const MTextPlacement& place);

// The width of an entity's bounding box.
double BoxWidth(const acad::Entity& entity);

// Moves a new text of a line to where an exploded line goes: its insertion point onto `at`, or, right-aligned,
// its bounding-box width to the left of it.
void PlaceLine(acad::Entity& text, const acad::Point& at, int alignment);

}  // namespace zil::mtext
