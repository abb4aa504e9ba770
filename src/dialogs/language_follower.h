// Keeps an editor's language buttons in step with the keyboard layout the user picks outside them (the
// desktop's layout switcher, a hot key). The editors of the add-in type in one of two languages, US English
// (1033) and Hebrew (1037), and show the one in use on a pair of buttons.
//
// A change of the active layout, heard from the keyboard layout service, chooses the dialog's language:
// US English and Hebrew stand for themselves; any other language flips the dialog to the other of the two
// (English when the Hebrew button is down, else Hebrew). The change is applied 100 ms later by the form's
// timer, out of the notification: the button of the language goes down and its layout is activated. While
// a change is pending or being applied, notifications are ignored, so that the dialog's own activation of a
// layout is not taken for the user's.
//
// The language and the pending mark outlive a dialog (they are the add-in's, see LanguageState). A follower
// that goes with a change still pending clears the mark, so that the next dialog hears the user again.
#pragma once

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>

#include "platform/keyboard_layouts.h"

namespace zil::platform {
class KeyboardNotifier;
}

namespace zil::dialogs {

enum class DialogLanguage : std::uint16_t { English = 1033, Hebrew = 1037 };

// What the add-in keeps between its editor dialogs.
struct LanguageState {
  DialogLanguage language = DialogLanguage::Hebrew;  // the dialog's keyboard language
  bool syncBusy = false;                             // a change is pending or being applied
};

// The language a layout change asks for, given whether the Hebrew button is down.
DialogLanguage LanguageForLayout(platform::KeyboardLayoutHandle active, bool hebrewButtonDown);

class LanguageFollower final : public QObject {
  Q_OBJECT

 public:
  // `hebrewButtonDown` tells whether the form's Hebrew button is down; `pressButton` puts the button of a
  // language down (it must not activate a layout: the follower does). `timer` is the form's own 100 ms
  // timer (single shot), which the follower drives.
  LanguageFollower(platform::KeyboardLayouts& layouts, LanguageState& state, QTimer& timer,
                   std::function<bool()> hebrewButtonDown, std::function<void(DialogLanguage)> pressButton,
                   QObject* parent = nullptr);
  ~LanguageFollower() override;
  LanguageFollower(const LanguageFollower&) = delete;
  LanguageFollower& operator=(const LanguageFollower&) = delete;

  // Puts the button of `language` down and activates its layout, with notifications ignored meanwhile;
  // the state then holds `language`.
  void Sync(DialogLanguage language);

  // Applies the pending change now (what the timer does when it fires).
  void TimerFired();

 private:
  void LayoutChanged(platform::KeyboardLayoutHandle active);

  platform::KeyboardLayouts& layouts_;
  LanguageState& state_;
  QTimer& timer_;
  std::function<bool()> hebrewButtonDown_;
  std::function<void(DialogLanguage)> pressButton_;
  platform::KeyboardNotifier* notifier_;
  bool pending_ = false;
};

}  // namespace zil::dialogs
