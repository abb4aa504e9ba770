#include "drawing/entity_extents.h"

#include <cmath>
#include <numbers>
#include <vector>

#include "drawing/mtext_geometry.h"
#include "drawing/ocs.h"
#include "drawing/spaces.h"
#include "drawing/table_views.h"
#include "drawing/tag_values.h"
#include "drawing/text_placement.h"

namespace zil::drawing {
namespace {

constexpr int kMaxBlockDepth = 16;

double Radians(double degrees) { return degrees * std::numbers::pi / 180; }

// The values of group `code` and the group `code + 10` after each, as points (z from `code + 20`).
std::vector<Point> PointsOf(const Record& record, int code, const std::string& file) {
  std::vector<Point> points;
  const auto& tags = record.Tags();
  for (std::size_t i = 1; i < tags.size() && tags[i].code < 1000; ++i) {
    if (tags[i].code != code) continue;
    Point p{DoubleOf(tags[i], file), 0, 0};
    for (std::size_t j = i + 1; j < tags.size() && tags[j].code != code && j <= i + 2; ++j) {
      if (tags[j].code == code + 10) p.y = DoubleOf(tags[j], file);
      if (tags[j].code == code + 20) p.z = DoubleOf(tags[j], file);
    }
    points.push_back(p);
  }
  return points;
}

double DoubleGroup(const Record& record, int code, double fallback, const std::string& file) {
  const Tag* tag = record.Find(code);
  return tag ? DoubleOf(*tag, file) : fallback;
}

class Measure {
 public:
  explicit Measure(Drawing& drawing) : d_(drawing), file_(drawing.File()) {}

  std::optional<Box> Of(Record& r, int depth) {
    std::vector<Point> points;
    if (!Collect(r, depth, points) || points.empty()) return std::nullopt;
    return BoxAround(points);
  }

 private:
  // Adds points whose box is the entity's box; false when the type has no box here.
  bool Collect(Record& r, int depth, std::vector<Point>& out) {
    const std::string_view type = r.Type();
    const auto& tags = r.Tags();
    if (type == "TEXT" || type == "ATTRIB" || type == "ATTDEF") {
      const auto [lo, hi] = TextBoundingBox(TextView(d_, r));
      out.push_back(lo), out.push_back(hi);
      return true;
    }
    if (type == "MTEXT") {
      const MTextView view(d_, r);
      MTextGeometry m;
      m.insertion = view.InsertionPoint();
      m.height = view.Height();
      m.width = view.Width();
      m.spacing = DoubleGroup(r, 44, 1, file_);
      m.attachment = view.AttachmentPoint();
      const auto direction = PointsOf(r, 11, file_);
      m.rotation = direction.empty() ? Radians(view.RotationDegrees()) : std::atan2(direction[0].y, direction[0].x);
      m.text = view.TextString();
      const auto corners = MTextCorners(m);
      out.insert(out.end(), corners.begin(), corners.end());
      return true;
    }
    if (type == "LINE" || type == "POINT" || type == "3DFACE") {
      const std::vector<int> codes = type == "3DFACE" ? std::vector<int>{10, 11, 12, 13} : std::vector<int>{10, 11};
      for (const int code : codes)
        for (const Point& p : PointsOf(r, code, file_)) out.push_back(p);
      return true;
    }
    const OcsAxes axes = AxesOf(ExtrusionOf(tags, file_));
    const auto world = [&](Point p) { out.push_back(ToWorld(p, axes)); };
    if (type == "SOLID" || type == "TRACE") {
      for (const int code : {10, 11, 12, 13})
        for (const Point& p : PointsOf(r, code, file_)) world(p);
      return true;
    }
    if (type == "LWPOLYLINE") {
      const double elevation = DoubleGroup(r, 38, 0, file_);
      for (Point p : PointsOf(r, 10, file_)) world({p.x, p.y, elevation});
      return true;
    }
    if (type == "CIRCLE" || type == "ARC") {
      const auto centres = PointsOf(r, 10, file_);
      if (centres.empty()) return false;
      const Point c = centres[0];
      const double radius = DoubleGroup(r, 40, 0, file_);
      double start = 0, end = 360;
      if (type == "ARC") {
        start = std::fmod(DoubleGroup(r, 50, 0, file_), 360.0);
        end = std::fmod(DoubleGroup(r, 51, 360, file_), 360.0);
        if (start < 0) start += 360;
        if (end <= start) end += 360;
      }
      const auto at = [&](double degrees) {
        world({c.x + radius * std::cos(Radians(degrees)), c.y + radius * std::sin(Radians(degrees)), c.z});
      };
      at(start), at(end);
      for (double quadrant = 0; quadrant < 720; quadrant += 90)
        if (quadrant > start && quadrant < end) at(quadrant);
      return true;
    }
    if (type == "ELLIPSE") {
      const auto centres = PointsOf(r, 10, file_);
      const auto majors = PointsOf(r, 11, file_);
      if (centres.empty() || majors.empty()) return false;
      const Point c = centres[0], a = majors[0];
      const double ratio = DoubleGroup(r, 40, 1, file_);
      const Point n = axes.z;
      const Point b{ratio * (n.y * a.z - n.z * a.y), ratio * (n.z * a.x - n.x * a.z), ratio * (n.x * a.y - n.y * a.x)};
      const double hx = std::hypot(a.x, b.x), hy = std::hypot(a.y, b.y), hz = std::hypot(a.z, b.z);
      out.push_back({c.x - hx, c.y - hy, c.z - hz});
      out.push_back({c.x + hx, c.y + hy, c.z + hz});
      return true;
    }
    if (type == "INSERT" || type == "DIMENSION") return CollectBlock(r, depth, axes, out);
    return false;
  }

  bool CollectBlock(Record& r, int depth, const OcsAxes& axes, std::vector<Point>& out) {
    const bool insert = r.Type() == "INSERT";
    if (insert) {
      for (Record* attribute : InsertView(d_, r).Attributes()) {
        if (const auto box = Of(*attribute, depth)) out.push_back(box->first), out.push_back(box->second);
      }
    }
    if (depth >= kMaxBlockDepth) return true;
    const Tag* nameTag = r.Find(2);
    if (!nameTag) return true;
    const std::u16string name = d_.Decode(nameTag->value);
    const auto block = FindBlock(d_, name);
    if (!block) return true;
    Point base;
    for (const Span& span : d_.Blocks()) {
      const BlockView head(d_, *span.head);
      if (SameName(head.Name(), name)) {
        base = head.BasePoint();
        break;
      }
    }
    const auto positions = PointsOf(r, 10, file_);
    const Point at = insert && !positions.empty() ? positions[0] : Point{};
    const double sx = insert ? DoubleGroup(r, 41, 1, file_) : 1;
    const double sy = insert ? DoubleGroup(r, 42, 1, file_) : 1;
    const double sz = insert ? DoubleGroup(r, 43, 1, file_) : 1;
    const double angle = insert ? Radians(DoubleGroup(r, 50, 0, file_)) : 0;
    const double c = std::cos(angle), s = std::sin(angle);
    for (Record* inner : block->Entities()) {
      if (inner->Type() == "ATTDEF") continue;
      const auto box = Of(*inner, depth + 1);
      if (!box) continue;
      const auto& [lo, hi] = *box;
      for (const double x : {lo.x, hi.x})
        for (const double y : {lo.y, hi.y})
          for (const double z : {lo.z, hi.z}) {
            const double px = (x - base.x) * sx, py = (y - base.y) * sy, pz = (z - base.z) * sz;
            const Point placed{at.x + px * c - py * s, at.y + px * s + py * c, at.z + pz};
            out.push_back(insert ? ToWorld(placed, axes) : placed);
          }
    }
    return true;
  }

  Drawing& d_;
  const std::string& file_;
};

}  // namespace

std::optional<Box> EntityExtents(Drawing& drawing, Record& entity) { return Measure(drawing).Of(entity, 0); }

}  // namespace zil::drawing
