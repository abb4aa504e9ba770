#include "platform/keyboard_layouts_win.h"

#include <windows.h>

#include <algorithm>

namespace zil::platform {
namespace {

// A layout handle is 32 bits wide; on 64-bit Windows the HKL holds it sign-extended.
KeyboardLayoutHandle HandleOf(HKL layout) {
  return static_cast<KeyboardLayoutHandle>(reinterpret_cast<std::uintptr_t>(layout) & 0xFFFFFFFFu);
}

HKL HandleToLayout(KeyboardLayoutHandle layout) {
  return reinterpret_cast<HKL>(static_cast<std::intptr_t>(static_cast<std::int32_t>(layout)));
}

std::vector<HKL> InstalledLayouts() {
  const int count = GetKeyboardLayoutList(0, nullptr);
  std::vector<HKL> layouts(count > 0 ? static_cast<std::size_t>(count) : 0);
  if (count > 0) {
    const int got = GetKeyboardLayoutList(count, layouts.data());
    layouts.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  }
  return layouts;
}

}  // namespace

void Win32KeyboardLayouts::Activate(KeyboardLayoutHandle layout, unsigned flags) {
  const std::vector<HKL> installed = InstalledLayouts();
  const bool bareLanguage = DeviceOf(layout) == 0;
  const auto found = std::find_if(installed.begin(), installed.end(), [layout, bareLanguage](HKL h) {
    return bareLanguage ? LanguageOf(HandleOf(h)) == LanguageOf(layout) : HandleOf(h) == layout;
  });
  // Not in the list: the platform decides, with the language's standard layout for a bare language (an
  // unknown layout changes nothing).
  const KeyboardLayoutHandle wanted = bareLanguage ? (layout << 16 | layout) : layout;
  const HKL chosen = found != installed.end() ? *found : HandleToLayout(wanted);
  const KeyboardLayoutHandle before = Active();
  if (ActivateKeyboardLayout(chosen, flags) == nullptr) return;
  const KeyboardLayoutHandle after = Active();
  if (after == before) return;
  // Copy first: a listener may add or remove listeners.
  const auto listeners = listeners_;
  for (const auto& [id, listener] : listeners) listener(after);
}

KeyboardLayoutHandle Win32KeyboardLayouts::Active() const { return HandleOf(GetKeyboardLayout(0)); }

std::vector<KeyboardLayoutHandle> Win32KeyboardLayouts::Installed() const {
  std::vector<KeyboardLayoutHandle> handles;
  for (HKL layout : InstalledLayouts()) handles.push_back(HandleOf(layout));
  return handles;
}

int Win32KeyboardLayouts::AddListener(ChangeListener listener) {
  listeners_.emplace_back(nextListenerId_, std::move(listener));
  return nextListenerId_++;
}

void Win32KeyboardLayouts::RemoveListener(int id) {
  std::erase_if(listeners_, [id](const auto& entry) { return entry.first == id; });
}

}  // namespace zil::platform
