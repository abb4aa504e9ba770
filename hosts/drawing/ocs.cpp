#include "drawing/ocs.h"

#include <cmath>

#include "drawing/tag_edit.h"
#include "drawing/tag_values.h"

namespace zil::drawing {
namespace {

Point Cross(Point a, Point b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double Dot(Point a, Point b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Point Unit(Point a) {
  const double length = std::sqrt(Dot(a, a));
  return length == 0 ? a : Point{a.x / length, a.y / length, a.z / length};
}

}  // namespace

OcsAxes AxesOf(Point extrusion) {
  Point n = Unit(extrusion);
  if (n == Point{}) n = {0, 0, 1};
  OcsAxes axes;
  axes.z = n;
  axes.x = Unit(std::abs(n.x) < 1.0 / 64 && std::abs(n.y) < 1.0 / 64 ? Cross({0, 1, 0}, n) : Cross({0, 0, 1}, n));
  axes.y = Unit(Cross(n, axes.x));
  return axes;
}

bool IsWorldZ(Point extrusion) {
  const Point n = Unit(extrusion);
  return n == Point{} || (n.x == 0 && n.y == 0 && n.z > 0);
}

Point ToWorld(Point p, const OcsAxes& a) {
  return {p.x * a.x.x + p.y * a.y.x + p.z * a.z.x, p.x * a.x.y + p.y * a.y.y + p.z * a.z.y,
          p.x * a.x.z + p.y * a.y.z + p.z * a.z.z};
}

Point ToOcs(Point p, const OcsAxes& a) { return {Dot(p, a.x), Dot(p, a.y), Dot(p, a.z)}; }

Point ExtrusionOf(const std::vector<Tag>& tags, const std::string& file) {
  // One pass, up to XDATA.
  Point n{0, 0, 1};
  for (const Tag& tag : tags) {
    if (IsXdata(tag)) break;
    if (tag.code == 210) n.x = DoubleOf(tag, file);
    if (tag.code == 220) n.y = DoubleOf(tag, file);
    if (tag.code == 230) n.z = DoubleOf(tag, file);
  }
  return n;
}

}  // namespace zil::drawing
