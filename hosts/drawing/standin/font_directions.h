// Which fonts the stand-in host draws right to left: those the add-in's font table classifies as
// DosEnglishR (their glyphs advance towards -x), as the previews draw them.
#pragma once

#include "config/font_definitions.h"
#include "drawing/standin/application.h"

namespace zil::standin {

// The font directions of `fonts`' table, read at each question (the table may change while the host
// runs); `fonts` must outlive the function.
StandInApplication::FontDirection RightToLeftFontsOf(const config::FontDefinitions& fonts);

}  // namespace zil::standin
