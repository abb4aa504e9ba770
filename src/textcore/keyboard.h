// Switching the keyboard between the Hebrew and the US English layouts.
#pragma once

#include "platform/keyboard_layouts.h"

namespace zil::textcore {

void HebrewKeyboard(platform::KeyboardLayouts& layouts);
void EnglishKeyboard(platform::KeyboardLayouts& layouts);
// True unless the active layout is a US English one (device identifier 0x0409); any other layout, a
// Russian one included, counts as Hebrew.
bool KeyboardIsHebrew(const platform::KeyboardLayouts& layouts);

}  // namespace zil::textcore
