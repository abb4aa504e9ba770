#include "dialogs/language_buttons.h"

#include <QAbstractButton>

namespace zil::dialogs {

LanguageButtons::LanguageButtons(QAbstractButton* hebrew, QAbstractButton* english, platform::KeyboardLayouts& layouts,
                                 LanguageState& state, QTimer& timer, QObject* parent)
    : QObject(parent),
      hebrew_(hebrew),
      english_(english),
      follower_(new LanguageFollower(
          layouts, state, timer, [hebrew] { return hebrew->isChecked(); },
          [this](DialogLanguage language) { Press(language); }, this)) {
  hebrew_->setCheckable(true);
  english_->setCheckable(true);
  connect(hebrew_, &QAbstractButton::clicked, this, [this] { Clicked(hebrew_, english_, DialogLanguage::Hebrew); });
  connect(english_, &QAbstractButton::clicked, this, [this] { Clicked(english_, hebrew_, DialogLanguage::English); });
}

void LanguageButtons::Sync(DialogLanguage language) { follower_->Sync(language); }

void LanguageButtons::Press(DialogLanguage language) {
  hebrew_->setChecked(language == DialogLanguage::Hebrew);
  english_->setChecked(language == DialogLanguage::English);
}

void LanguageButtons::Clicked(QAbstractButton* button, QAbstractButton* other, DialogLanguage language) {
  if (button->isChecked()) other->setChecked(false);
  const bool down = button->isChecked();
  follower_->Sync(language);
  button->setChecked(down);  // a button clicked up stays up
}

}  // namespace zil::dialogs
