// Points of the automation surface: x, y, z in drawing units. Angles are radians.
#pragma once

namespace zil::acad {

struct Point {
  double x = 0;
  double y = 0;
  double z = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

// An AutoCAD point from three coordinates, and from two with z = 0.
constexpr Point MakePoint(double x, double y, double z) { return {x, y, z}; }
constexpr Point MakePoint2(double x, double y) { return {x, y, 0}; }

}  // namespace zil::acad
