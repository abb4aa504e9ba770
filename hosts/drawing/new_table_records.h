// New records of the STYLE and LAYER tables, written as the drawing's version needs them (handle, owner
// and subclass markers from R13 on), appended at the end of their table.
#pragma once

#include <string_view>

#include "drawing/drawing.h"

namespace zil::drawing {

// A text style with the font "txt", no big font, no fixed height, width factor 1, no flags.
Record& AddTextStyle(Drawing& drawing, std::u16string_view name);
// A layer, thawed and unlocked, colour 7, line type CONTINUOUS.
Record& AddLayer(Drawing& drawing, std::u16string_view name);

}  // namespace zil::drawing
