// The keyboard layout service's language-change notification as a Qt signal, for the editors that follow
// the input language. Listens for as long as it lives.
#pragma once

#include <QObject>

#include "platform/keyboard_layouts.h"

namespace zil::platform {

class KeyboardNotifier final : public QObject {
  Q_OBJECT

 public:
  explicit KeyboardNotifier(KeyboardLayouts& layouts, QObject* parent = nullptr);
  ~KeyboardNotifier() override;

 signals:
  // After each change of the active layout, with the layout now active.
  void layoutChanged(zil::platform::KeyboardLayoutHandle active);

 private:
  KeyboardLayouts& layouts_;
  int listener_;
};

}  // namespace zil::platform
