#include "textcore/keyboard.h"

#include <gtest/gtest.h>

namespace zil::textcore {
namespace {

TEST(Keyboard, SwitchesBetweenHebrewAndUsEnglish) {
  platform::PortableKeyboardLayouts layouts;
  EXPECT_FALSE(KeyboardIsHebrew(layouts));
  std::vector<platform::KeyboardLayoutHandle> heard;
  layouts.AddListener([&heard](platform::KeyboardLayoutHandle h) { heard.push_back(h); });
  HebrewKeyboard(layouts);
  EXPECT_TRUE(KeyboardIsHebrew(layouts));
  EXPECT_EQ(layouts.Active(), 0x040D040Du);
  HebrewKeyboard(layouts);  // no change, no notification
  EnglishKeyboard(layouts);
  EXPECT_FALSE(KeyboardIsHebrew(layouts));
  EXPECT_EQ(heard, (std::vector<platform::KeyboardLayoutHandle>{0x040D040D, 0x04090409}));
}

TEST(Keyboard, AnyLayoutButUsEnglishCountsAsHebrew) {
  platform::PortableKeyboardLayouts layouts({0x04090409, 0x04190419});  // US English, Russian
  layouts.Activate(0x0419, platform::kActivateReorder);
  EXPECT_TRUE(KeyboardIsHebrew(layouts));
  // Hebrew is not installed here: asking for it changes nothing, as on Windows.
  EnglishKeyboard(layouts);
  HebrewKeyboard(layouts);
  EXPECT_FALSE(KeyboardIsHebrew(layouts));
  EXPECT_EQ(layouts.Installed().front(), 0x04090409u);  // reordered to the front
}

}  // namespace
}  // namespace zil::textcore
