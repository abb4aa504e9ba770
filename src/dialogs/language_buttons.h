// The pair of language buttons of an editor ("Hebrew", "English"): checkable, both may be up, pressing one
// raises the other, and every click switches the keyboard to its language. The buttons follow the layout
// the user picks outside them through a LanguageFollower on the form's timer.
#pragma once

#include <QObject>
#include <QTimer>

#include "dialogs/language_follower.h"
#include "platform/keyboard_layouts.h"

class QAbstractButton;

namespace zil::dialogs {

class LanguageButtons final : public QObject {
  Q_OBJECT

 public:
  LanguageButtons(QAbstractButton* hebrew, QAbstractButton* english, platform::KeyboardLayouts& layouts,
                  LanguageState& state, QTimer& timer, QObject* parent);

  // Puts the button of `language` down and activates its layout (the follower's Sync).
  void Sync(DialogLanguage language);

 private:
  void Clicked(QAbstractButton* button, QAbstractButton* other, DialogLanguage language);
  void Press(DialogLanguage language);

  QAbstractButton* hebrew_;
  QAbstractButton* english_;
  LanguageFollower* follower_;
};

}  // namespace zil::dialogs
