#include "preview/entity_groups.h"

#include <cmath>

#include "drawing/tag_values.h"

namespace zil::preview {
namespace {

Vec3 Normalized(Vec3 v) {
  const double length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
  return length > 0 ? Vec3{v.x / length, v.y / length, v.z / length} : Vec3{0, 0, 1};
}

}  // namespace

Groups::Groups(const drawing::Drawing& drawing, const drawing::Record& record) : drawing_(drawing) {
  int depth = 0;
  for (const drawing::Tag& tag : record.Tags()) {
    if (tag.code >= 1000) break;
    if (tag.code == 102) {
      depth += drawing::Trimmed(tag.value).starts_with("{") ? 1 : (depth > 0 ? -1 : 0);
      continue;
    }
    if (depth == 0) tags_.push_back(&tag);
  }
}

const drawing::Tag* Groups::First(int code) const {
  for (const drawing::Tag* tag : tags_)
    if (tag->code == code) return tag;
  return nullptr;
}

double Groups::ToDouble(const drawing::Tag& tag) const { return drawing::DoubleOf(tag, drawing_.File()); }

double Groups::Double(int code, double fallback) const {
  const drawing::Tag* tag = First(code);
  return tag ? ToDouble(*tag) : fallback;
}

long long Groups::Integer(int code, long long fallback) const {
  const drawing::Tag* tag = First(code);
  return tag ? drawing::IntegerOf(*tag, drawing_.File()) : fallback;
}

std::optional<Vec3> Groups::Point(int code) const {
  const drawing::Tag* x = First(code);
  if (!x) return std::nullopt;
  return Vec3{ToDouble(*x), Double(code + 10, 0), Double(code + 20, 0)};
}

std::u16string Groups::String(int code) const {
  const drawing::Tag* tag = First(code);
  return tag ? drawing_.Decode(tag->value) : std::u16string();
}

Vec3 Groups::Extrusion() const { return Normalized(PointOr(210, {0, 0, 1})); }

Vec3 Cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }

Axes ArbitraryAxes(Vec3 normal) {
  const Vec3 n = Normalized(normal);
  constexpr double kLimit = 1.0 / 64;
  const Vec3 x =
      Normalized(std::abs(n.x) < kLimit && std::abs(n.y) < kLimit ? Cross({0, 1, 0}, n) : Cross({0, 0, 1}, n));
  return {x, Normalized(Cross(n, x)), n};
}

Affine OcsToPlan(Vec3 normal, double elevation) {
  const Axes axes = ArbitraryAxes(normal);
  return {axes.x.x, axes.x.y, axes.y.x, axes.y.y, elevation * axes.z.x, elevation * axes.z.y};
}

}  // namespace zil::preview
