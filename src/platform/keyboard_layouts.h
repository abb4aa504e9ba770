// Keyboard layouts: activating one, asking which is active, listing the installed ones, and hearing when
// the active one changes. Handles are Windows keyboard layout handles: the low word is the language
// identifier (0x040D Hebrew, 0x0409 US English), the high word the layout's device identifier.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace zil::platform {

using KeyboardLayoutHandle = std::uint32_t;

inline constexpr KeyboardLayoutHandle kHebrewLanguage = 0x040D;
inline constexpr KeyboardLayoutHandle kUsEnglishLanguage = 0x0409;
// Activation flag: move the layout to the front of the list (KLF_REORDER).
inline constexpr unsigned kActivateReorder = 8;

constexpr std::uint16_t LanguageOf(KeyboardLayoutHandle layout) { return static_cast<std::uint16_t>(layout & 0xFFFFu); }
constexpr std::uint16_t DeviceOf(KeyboardLayoutHandle layout) { return static_cast<std::uint16_t>(layout >> 16); }

class KeyboardLayouts {
 public:
  using ChangeListener = std::function<void(KeyboardLayoutHandle active)>;

  virtual ~KeyboardLayouts() = default;

  // Activates the installed layout with this handle, or, for a bare language identifier, the first
  // installed layout of that language. Like the platform call, an unknown layout changes nothing.
  virtual void Activate(KeyboardLayoutHandle layout, unsigned flags) = 0;
  // The layout active for the calling thread.
  virtual KeyboardLayoutHandle Active() const = 0;
  // The installed layouts, in the platform's order.
  virtual std::vector<KeyboardLayoutHandle> Installed() const = 0;

  // Calls `listener` after each change of the active layout; returns an id for RemoveListener.
  virtual int AddListener(ChangeListener listener) = 0;
  virtual void RemoveListener(int id) = 0;
};

// The layouts kept in-process: on Linux the add-in's own editors read the active layout from here and
// type Hebrew letters from Latin keys while the Hebrew layout is active. Starts with US English and
// Hebrew installed and US English active.
class PortableKeyboardLayouts final : public KeyboardLayouts {
 public:
  PortableKeyboardLayouts();
  explicit PortableKeyboardLayouts(std::vector<KeyboardLayoutHandle> installed);

  void Activate(KeyboardLayoutHandle layout, unsigned flags) override;
  KeyboardLayoutHandle Active() const override { return active_; }
  std::vector<KeyboardLayoutHandle> Installed() const override { return installed_; }
  int AddListener(ChangeListener listener) override;
  void RemoveListener(int id) override;

 private:
  std::vector<KeyboardLayoutHandle> installed_;
  KeyboardLayoutHandle active_;
  std::vector<std::pair<int, ChangeListener>> listeners_;
  int nextListenerId_ = 1;
};

}  // namespace zil::platform
