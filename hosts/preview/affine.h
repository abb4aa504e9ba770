// Plane affine transforms for the preview: from a text's run space, an entity's coordinate system or a
// block's coordinates to the coordinates of the space being drawn. x' = a x + c y + e, y' = b x + d y + f.
#pragma once

#include <cmath>

namespace zil::preview {

struct Vec2 {
  double x = 0;
  double y = 0;
  friend bool operator==(const Vec2&, const Vec2&) = default;
};

struct Affine {
  double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;

  Vec2 operator()(Vec2 p) const { return {a * p.x + c * p.y + e, b * p.x + d * p.y + f}; }
  // The transform that applies `this` first, then `outer`.
  Affine Then(const Affine& outer) const {
    return {outer.a * a + outer.c * b, outer.b * a + outer.d * b,           outer.a * c + outer.c * d,
            outer.b * c + outer.d * d, outer.a * e + outer.c * f + outer.e, outer.b * e + outer.d * f + outer.f};
  }
  double Determinant() const { return a * d - b * c; }

  static Affine Translate(double x, double y) { return {1, 0, 0, 1, x, y}; }
  static Affine Scale(double sx, double sy) { return {sx, 0, 0, sy, 0, 0}; }
  static Affine Rotate(double radians) {
    const double cs = std::cos(radians), sn = std::sin(radians);
    return {cs, sn, -sn, cs, 0, 0};
  }
  // The transform whose unit vectors go to `xAxis` and `yAxis` and whose origin goes to `origin`.
  static Affine Frame(Vec2 origin, Vec2 xAxis, Vec2 yAxis) {
    return {xAxis.x, xAxis.y, yAxis.x, yAxis.y, origin.x, origin.y};
  }
};

}  // namespace zil::preview
