// Texts assigned to keys in the key assignment file "editdef.txt": F1..F12, Alt+0..9 and Ctrl+0..9, which
// the text dialog types when such a key is pressed.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

namespace zil::config {

inline constexpr const char* kKeyAssignmentFileName = "editdef.txt";

// Modifier bits of GetKeyText's `shift`.
inline constexpr unsigned kShift = 1, kAlt = 2, kCtrl = 4;
// Windows virtual-key codes.
inline constexpr unsigned kVkF1 = 0x70, kVkF12 = 0x7B, kVk0 = 0x30, kVk9 = 0x39;

class KeyTexts {
 public:
  // Reads "editdef.txt" from the data folder; without it every key text is empty (NoKeyDefs).
  void Load(const std::filesystem::path& dataFolder);

  // The text for a key press: F1..F12 whatever the modifiers, a digit with exactly Alt or exactly Ctrl.
  std::u16string GetKeyText(unsigned shift, unsigned key) const;

  bool NoKeyDefs = true;
  std::array<std::u16string, 13> fkeys;  // indexed 1..12
  std::array<std::u16string, 10> alts;   // indexed 0..9
  std::array<std::u16string, 10> ctrls;  // indexed 0..9
};

}  // namespace zil::config
