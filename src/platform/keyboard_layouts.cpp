#include "platform/keyboard_layouts.h"

#include <algorithm>
#include <utility>

namespace zil::platform {

namespace {
constexpr KeyboardLayoutHandle kUsEnglishLayout = 0x04090409;
constexpr KeyboardLayoutHandle kHebrewLayout = 0x040D040D;
}  // namespace

PortableKeyboardLayouts::PortableKeyboardLayouts() : PortableKeyboardLayouts({kUsEnglishLayout, kHebrewLayout}) {}

PortableKeyboardLayouts::PortableKeyboardLayouts(std::vector<KeyboardLayoutHandle> installed)
    : installed_(std::move(installed)), active_(installed_.empty() ? kUsEnglishLayout : installed_.front()) {}

void PortableKeyboardLayouts::Activate(KeyboardLayoutHandle layout, unsigned flags) {
  auto found = std::find(installed_.begin(), installed_.end(), layout);
  if (found == installed_.end() && DeviceOf(layout) == 0) {
    found = std::find_if(installed_.begin(), installed_.end(),
                         [layout](KeyboardLayoutHandle h) { return LanguageOf(h) == LanguageOf(layout); });
  }
  if (found == installed_.end()) return;
  const KeyboardLayoutHandle chosen = *found;
  if (flags & kActivateReorder) std::rotate(installed_.begin(), found, found + 1);
  if (chosen == active_) return;
  active_ = chosen;
  // Copy first: a listener may add or remove listeners.
  const auto listeners = listeners_;
  for (const auto& [id, listener] : listeners) listener(active_);
}

int PortableKeyboardLayouts::AddListener(ChangeListener listener) {
  listeners_.emplace_back(nextListenerId_, std::move(listener));
  return nextListenerId_++;
}

void PortableKeyboardLayouts::RemoveListener(int id) {
  std::erase_if(listeners_, [id](const auto& entry) { return entry.first == id; });
}

}  // namespace zil::platform
