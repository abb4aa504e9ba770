// Reading the groups of any entity record for the preview, whose typed views (entity_views.h) cover only
// the entities the add-in edits: the first value of a group code, points, repeated vertex groups, and the
// entity's coordinate system (OCS) as a plane transform. Values are untrusted: a number that does not
// parse is a DxfError naming its line.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "drawing/drawing.h"
#include "preview/affine.h"

namespace zil::preview {

struct Vec3 {
  double x = 0, y = 0, z = 0;
};

// The tags of one entity that carry its data: application groups (102 braces) and XDATA are left out.
class Groups {
 public:
  Groups(const drawing::Drawing& drawing, const drawing::Record& record);

  const std::vector<const drawing::Tag*>& Tags() const noexcept { return tags_; }
  const drawing::Tag* First(int code) const;
  double Double(int code, double fallback) const;
  long long Integer(int code, long long fallback) const;
  // A point: x in group `code`, y in code + 10, z in code + 20.
  std::optional<Vec3> Point(int code) const;
  Vec3 PointOr(int code, Vec3 fallback) const { return Point(code).value_or(fallback); }
  std::u16string String(int code) const;
  // The extrusion direction (groups 210, 220, 230), (0, 0, 1) when absent or of no length.
  Vec3 Extrusion() const;

  double ToDouble(const drawing::Tag& tag) const;

 private:
  const drawing::Drawing& drawing_;
  std::vector<const drawing::Tag*> tags_;
};

// The axes of an entity coordinate system by AutoCAD's arbitrary axis rule.
struct Axes {
  Vec3 x, y, z;
};
Axes ArbitraryAxes(Vec3 normal);

// Points of the entity coordinate system with normal `normal`, at height `elevation`, seen from above in
// the world (plan view).
Affine OcsToPlan(Vec3 normal, double elevation);

Vec3 Cross(Vec3 a, Vec3 b);

}  // namespace zil::preview
