#include "preview/aci_colours.h"

#include <array>

namespace zil::preview {
namespace {

std::uint8_t Byte(double v) { return static_cast<std::uint8_t>(v); }

// A colour of the hue wheel at full saturation and value `v` (0..255); hue in degrees, 0..360.
std::array<double, 3> Hue(double degrees, double v) {
  const double sector = degrees / 60;
  const int i = static_cast<int>(sector) % 6;
  const double f = sector - static_cast<int>(sector);
  const double rising = v * f, falling = v * (1 - f);
  switch (i) {
    case 0:
      return {v, rising, 0};
    case 1:
      return {falling, v, 0};
    case 2:
      return {0, v, rising};
    case 3:
      return {0, falling, v};
    case 4:
      return {rising, 0, v};
    default:
      return {v, 0, falling};
  }
}

}  // namespace

Rgb AciColour(int index) {
  static constexpr std::array<Rgb, 10> named = {{{0, 0, 0},
                                                 {255, 0, 0},
                                                 {255, 255, 0},
                                                 {0, 255, 0},
                                                 {0, 255, 255},
                                                 {0, 0, 255},
                                                 {255, 0, 255},
                                                 {0, 0, 0},  // white on a dark screen, black on paper
                                                 {128, 128, 128},
                                                 {192, 192, 192}}};
  static constexpr std::array<std::uint8_t, 6> greys = {51, 91, 132, 173, 214, 255};
  static constexpr std::array<double, 5> shades = {255, 165, 127, 76, 38};
  if (index < 1 || index > 255) return {0, 0, 0};
  if (index < 10) return named[static_cast<std::size_t>(index)];
  if (index >= 250) {
    const std::uint8_t g = greys[static_cast<std::size_t>(index - 250)];
    return {g, g, g};
  }
  const double v = shades[static_cast<std::size_t>((index % 10) / 2)];
  auto rgb = Hue((index / 10 - 1) * 15.0, v);
  if (index % 2 == 1) {
    for (double& channel : rgb) channel = (channel + v) / 2;  // half saturated
  }
  return {Byte(rgb[0]), Byte(rgb[1]), Byte(rgb[2])};
}

Rgb TrueColour(std::int64_t value) {
  return {static_cast<std::uint8_t>((value >> 16) & 0xFF), static_cast<std::uint8_t>((value >> 8) & 0xFF),
          static_cast<std::uint8_t>(value & 0xFF)};
}

}  // namespace zil::preview
