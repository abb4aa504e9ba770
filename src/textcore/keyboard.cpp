#include "textcore/keyboard.h"

namespace zil::textcore {

void HebrewKeyboard(platform::KeyboardLayouts& layouts) {
  layouts.Activate(platform::kHebrewLanguage, platform::kActivateReorder);
}

void EnglishKeyboard(platform::KeyboardLayouts& layouts) {
  layouts.Activate(platform::kUsEnglishLanguage, platform::kActivateReorder);
}

bool KeyboardIsHebrew(const platform::KeyboardLayouts& layouts) {
  return platform::DeviceOf(layouts.Active()) != platform::kUsEnglishLanguage;
}

}  // namespace zil::textcore
