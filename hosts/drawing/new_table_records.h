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

// AutoCAD opens a drawing that has no text style "Standard" (or no STYLE table at all) with its default
// one: this gives the drawing that style (font "txt"), with the STYLE table and the TABLES section around
// it where the file lacks them, as provisional records (drawing.h): an unchanged drawing is still saved
// as it was read.
void ProvideStandardTextStyle(Drawing& drawing);

}  // namespace zil::drawing
