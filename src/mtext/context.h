// What the multi-line editors' flows work with: the host state (the active drawing, its space, styles and
// current layer, the current style), the font definitions with the conversion state, and the keyboard
// layouts (every editor gives the keyboard back in US English when it is done).
#pragma once

#include "acad/host_state.h"
#include "config/font_definitions.h"
#include "platform/keyboard_layouts.h"

namespace zil::mtext {

struct Context {
  acad::HostState& host;
  config::FontDefinitions& fonts;
  platform::KeyboardLayouts& keyboard;
};

}  // namespace zil::mtext
