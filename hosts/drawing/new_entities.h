// New TEXT, MTEXT and SOLID entities, written as the drawing's version needs them: from R13 on with a
// handle from $HANDSEED, the owner (the space's BLOCK_RECORD) and the subclass markers; in R12 without
// them (a handle only when the drawing keeps handles). They take the current layer ($CLAYER), the current
// entity colour ($CECOLOR, written as group 62 unless it is BYLAYER) and, for texts, the current text style
// ($TEXTSTYLE) when that style exists, else "Standard".
#pragma once

#include <array>
#include <string_view>

#include "drawing/drawing.h"
#include "drawing/entity_views.h"
#include "drawing/spaces.h"

namespace zil::drawing {

Record& AddText(Drawing& drawing, const Space& space, std::u16string_view text, Point insertion, double height);
Record& AddMText(Drawing& drawing, const Space& space, Point insertion, double width, std::u16string_view text);
Record& AddSolid(Drawing& drawing, const Space& space, const std::array<Point, 4>& corners);

}  // namespace zil::drawing
