// Following the keyboard layout the user picks outside a dialog's language buttons: the language chosen,
// the deferred application, and the dialog's own switches not taken for the user's.
#include "dialogs/language_follower.h"

#include <gtest/gtest.h>

#include <QTest>
#include <optional>

#include "platform/keyboard_layouts.h"

namespace zil::dialogs {
namespace {

using platform::KeyboardLayoutHandle;

constexpr KeyboardLayoutHandle kUs = 0x04090409;
constexpr KeyboardLayoutHandle kHebrew = 0x040D040D;
constexpr KeyboardLayoutHandle kRussian = 0x04190419;

struct Buttons {
  bool hebrewDown = true;
  std::optional<DialogLanguage> pressed;
};

struct Fixture {
  platform::PortableKeyboardLayouts layouts{{kUs, kHebrew, kRussian}};
  LanguageState state;
  QTimer timer;
  Buttons buttons;
  std::optional<LanguageFollower> follower;

  // The layout active before the dialog opens.
  explicit Fixture(KeyboardLayoutHandle before = kHebrew) {
    layouts.Activate(before, platform::kActivateReorder);
    Make();
  }
  void Make() {
    follower.emplace(
        layouts, state, timer, [this] { return buttons.hebrewDown; },
        [this](DialogLanguage l) {
          buttons.pressed = l;
          buttons.hebrewDown = l == DialogLanguage::Hebrew;
        });
  }
};

TEST(LanguageFollower, AFollowedLayoutChangePressesTheButtonAndActivatesTheLayoutAfterTheTimer) {
  const struct {
    KeyboardLayoutHandle before;
    KeyboardLayoutHandle chosen;
    bool hebrewDown;
    DialogLanguage language;
    KeyboardLayoutHandle active;  // after the timer
  } cases[] = {
      {kHebrew, kUs, true, DialogLanguage::English, kUs},
      {kUs, kHebrew, false, DialogLanguage::Hebrew, kHebrew},
      // A third language flips the dialog to the other of its two.
      {kHebrew, kRussian, true, DialogLanguage::English, kUs},
      {kUs, kRussian, false, DialogLanguage::Hebrew, kHebrew},
  };
  for (const auto& c : cases) {
    Fixture f(c.before);
    f.buttons.hebrewDown = c.hebrewDown;
    f.layouts.Activate(c.chosen, platform::kActivateReorder);
    EXPECT_TRUE(f.state.syncBusy);
    EXPECT_EQ(f.state.language, c.language);
    EXPECT_FALSE(f.buttons.pressed) << "applied before the timer";
    EXPECT_TRUE(f.timer.isActive());
    EXPECT_EQ(f.timer.interval(), 100);

    ASSERT_TRUE(QTest::qWaitFor([&] { return f.buttons.pressed.has_value(); }, 2000));
    EXPECT_EQ(*f.buttons.pressed, c.language);
    EXPECT_EQ(f.layouts.Active(), c.active);
    EXPECT_FALSE(f.state.syncBusy);
    EXPECT_FALSE(f.timer.isActive());
  }
}

TEST(LanguageFollower, TheDialogsOwnSwitchAndChangesWhileOneIsPendingAreNotFollowed) {
  Fixture f(kUs);
  f.follower->Sync(DialogLanguage::Hebrew);
  EXPECT_EQ(f.layouts.Active(), kHebrew);
  EXPECT_FALSE(f.timer.isActive()) << "the dialog's own activation was taken for the user's";
  EXPECT_FALSE(f.state.syncBusy);

  f.layouts.Activate(kUs, platform::kActivateReorder);
  f.layouts.Activate(kRussian, platform::kActivateReorder);  // ignored: a change is pending
  EXPECT_EQ(f.state.language, DialogLanguage::English);
  f.follower->TimerFired();
  EXPECT_EQ(f.layouts.Active(), kUs);
  EXPECT_EQ(*f.buttons.pressed, DialogLanguage::English);
}

TEST(LanguageFollower, ADialogClosedWithAChangePendingLeavesTheNextOneFollowing) {
  Fixture f;
  f.layouts.Activate(kUs, platform::kActivateReorder);
  ASSERT_TRUE(f.state.syncBusy);
  f.follower.reset();  // the dialog closes before its timer fires
  EXPECT_FALSE(f.state.syncBusy);

  f.Make();  // the next dialog, over the same add-in state
  f.layouts.Activate(kHebrew, platform::kActivateReorder);
  EXPECT_TRUE(f.timer.isActive());
  EXPECT_EQ(f.state.language, DialogLanguage::Hebrew);
}

}  // namespace
}  // namespace zil::dialogs
