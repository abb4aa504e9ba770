// The Windows keyboard layouts of the calling thread: ActivateKeyboardLayout, GetKeyboardLayout and
// GetKeyboardLayoutList. A bare language identifier activates the first installed layout of the language,
// or else its standard layout (0x040D040D for Hebrew) when the platform has it. Listeners hear the changes
// made through this object; changes the user makes (the language bar, Alt+Shift) reach the editors through
// their own shell hook.
#pragma once

#include <utility>
#include <vector>

#include "platform/keyboard_layouts.h"

namespace zil::platform {

class Win32KeyboardLayouts final : public KeyboardLayouts {
 public:
  void Activate(KeyboardLayoutHandle layout, unsigned flags) override;
  KeyboardLayoutHandle Active() const override;
  std::vector<KeyboardLayoutHandle> Installed() const override;
  int AddListener(ChangeListener listener) override;
  void RemoveListener(int id) override;

 private:
  std::vector<std::pair<int, ChangeListener>> listeners_;
  int nextListenerId_ = 1;
};

}  // namespace zil::platform
