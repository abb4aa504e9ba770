// The colours of the preview: AutoCAD's colour index (ACI 1..255) as RGB, and the true colours of group
// 420. The preview draws on white paper, so index 7 (white on AutoCAD's dark model space, black on paper)
// is black.
#pragma once

#include <cstdint>

namespace zil::preview {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kPaper{255, 255, 255};

// Index 1..255 as AutoCAD's standard palette gives it (1..9 named colours; 10..249 24 hues of 15 degrees,
// each in five shades, full and half saturated; 250..255 greys). Indices outside 1..255 are black.
Rgb AciColour(int index);

// Group 420: 0x00RRGGBB.
Rgb TrueColour(std::int64_t value);

}  // namespace zil::preview
