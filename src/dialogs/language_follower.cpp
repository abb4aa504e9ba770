#include "dialogs/language_follower.h"

#include "platform/qt/keyboard_notifier.h"
#include "textcore/keyboard.h"

namespace zil::dialogs {

DialogLanguage LanguageForLayout(platform::KeyboardLayoutHandle active, bool hebrewButtonDown) {
  switch (platform::LanguageOf(active)) {
    case platform::kUsEnglishLanguage:
      return DialogLanguage::English;
    case platform::kHebrewLanguage:
      return DialogLanguage::Hebrew;
    default:
      return hebrewButtonDown ? DialogLanguage::English : DialogLanguage::Hebrew;
  }
}

LanguageFollower::LanguageFollower(platform::KeyboardLayouts& layouts, LanguageState& state, QTimer& timer,
                                   std::function<bool()> hebrewButtonDown,
                                   std::function<void(DialogLanguage)> pressButton, QObject* parent)
    : QObject(parent),
      layouts_(layouts),
      state_(state),
      timer_(timer),
      hebrewButtonDown_(std::move(hebrewButtonDown)),
      pressButton_(std::move(pressButton)),
      notifier_(new platform::KeyboardNotifier(layouts, this)) {
  timer_.setInterval(100);
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, &LanguageFollower::TimerFired);
  connect(notifier_, &platform::KeyboardNotifier::layoutChanged, this, &LanguageFollower::LayoutChanged);
}

LanguageFollower::~LanguageFollower() {
  // A change heard but not applied would otherwise leave the mark set for good, and every later dialog
  // would stop following the user's layout.
  if (pending_) state_.syncBusy = false;
}

void LanguageFollower::LayoutChanged(platform::KeyboardLayoutHandle active) {
  if (state_.syncBusy) return;
  state_.syncBusy = true;
  pending_ = true;
  state_.language = LanguageForLayout(active, hebrewButtonDown_());
  timer_.start();
}

void LanguageFollower::TimerFired() {
  timer_.stop();
  pending_ = false;
  Sync(state_.language);
}

void LanguageFollower::Sync(DialogLanguage language) {
  state_.syncBusy = true;
  state_.language = language;
  pressButton_(language);
  if (language == DialogLanguage::Hebrew) {
    textcore::HebrewKeyboard(layouts_);
  } else {
    textcore::EnglishKeyboard(layouts_);
  }
  state_.syncBusy = false;
}

}  // namespace zil::dialogs
