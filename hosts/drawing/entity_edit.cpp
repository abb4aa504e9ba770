#include "drawing/entity_edit.h"

#include <array>
#include <cmath>
#include <map>
#include <numbers>
#include <optional>
#include <span>
#include <string>

#include "drawing/dxf_error.h"
#include "drawing/ocs.h"
#include "drawing/spaces.h"
#include "drawing/tag_values.h"

namespace zil::drawing {
namespace {

// Which point groups of a type are positions (moved), and whether they are in the entity's coordinate
// system (OCS, given by the extrusion 210/220/230) or in world coordinates.
struct PointGroups {
  std::vector<int> codes;
  bool ocs;
};

std::optional<PointGroups> PointGroupsOf(std::string_view type) {
  static const std::map<std::string_view, PointGroups> kTable = {
      {"LINE", {{10, 11}, false}},
      {"POINT", {{10}, false}},
      {"CIRCLE", {{10}, true}},
      {"ARC", {{10}, true}},
      {"ELLIPSE", {{10}, false}},
      {"TEXT", {{10, 11}, true}},
      {"ATTRIB", {{10, 11}, true}},
      {"ATTDEF", {{10, 11}, true}},
      {"MTEXT", {{10}, false}},
      {"INSERT", {{10}, true}},
      {"SOLID", {{10, 11, 12, 13}, true}},
      {"TRACE", {{10, 11, 12, 13}, true}},
      {"3DFACE", {{10, 11, 12, 13}, false}},
      {"SPLINE", {{10, 11}, false}},
      {"XLINE", {{10}, false}},
      {"RAY", {{10}, false}},
      {"LEADER", {{10}, false}},
      {"SEQEND", {{}, false}},
  };
  const auto it = kTable.find(type);
  if (it == kTable.end()) return std::nullopt;
  return it->second;
}

// Adds `shift` to the values of the tags with `code` before XDATA.
void Shift(Drawing& drawing, std::vector<Tag>& tags, int code, double shift) {
  if (shift == 0) return;
  const std::size_t xdata = XdataStart(tags);
  for (std::size_t i = 1; i < xdata; ++i)
    if (tags[i].code == code)
      tags[i].value = drawing.KeepValue(code, FormatDouble(DoubleOf(tags[i], drawing.File()) + shift));
}

long long IntegerGroup(const Record& record, int code, const std::string& file) {
  const Tag* tag = record.Find(code);
  return tag ? IntegerOf(*tag, file) : 0;
}

// A POLYLINE whose vertices are world points: 3D polylines, polygon and polyface meshes.
bool HasWorldVertices(const Record& polyline, const std::string& file) {
  return (IntegerGroup(polyline, 70, file) & (8 | 16 | 64)) != 0;
}

// The moved tags of one record (`parent`: the POLYLINE of a VERTEX); throws, changing nothing, for a type
// whose geometry is not known here.
std::vector<Tag> Moved(Drawing& drawing, const Record& record, Point displacement, const Record* parent) {
  const std::string& file = drawing.File();
  std::vector<Tag> tags = record.Tags();
  const std::string_view type = record.Type();
  if (type == "LWPOLYLINE") {
    // Two-dimensional vertices in the entity's coordinate system at elevation 38.
    const Point d = ToOcs(displacement, AxesOf(ExtrusionOf(tags, file)));
    Shift(drawing, tags, 10, d.x);
    Shift(drawing, tags, 20, d.y);
    if (d.z != 0) {
      static constexpr std::array kOrder = {90, 70, 43, 38, 39};
      const Placement placement{"AcDbPolyline", 1, kOrder};
      const std::size_t at = FindIn(tags, FindSegment(tags, placement, HasSubclasses(drawing.Version())), 38);
      const double elevation = at == std::string_view::npos ? 0 : DoubleOf(tags[at], file);
      SetIn(drawing, tags, placement, 38, FormatDouble(elevation + d.z));
    }
    return tags;
  }
  if (type == "POLYLINE") {
    // Its point is (0, 0, elevation); a 2D polyline's elevation follows the move along its extrusion.
    if (!HasWorldVertices(record, file))
      Shift(drawing, tags, 30, ToOcs(displacement, AxesOf(ExtrusionOf(tags, file))).z);
    return tags;
  }
  if (type == "VERTEX") {
    if (!parent) ThrowAt(file, record.Line(), "a VERTEX is moved with its POLYLINE");
    const long long flags = IntegerGroup(record, 70, file);
    if ((flags & 128) != 0 && (flags & 64) == 0) return tags;  // a polyface's face: indices, no point
    const bool world = HasWorldVertices(*parent, file);
    const Point d = world ? displacement : ToOcs(displacement, AxesOf(ExtrusionOf(parent->Tags(), file)));
    Shift(drawing, tags, 10, d.x);
    Shift(drawing, tags, 20, d.y);
    if (world) Shift(drawing, tags, 30, d.z);
    return tags;
  }
  const auto groups = PointGroupsOf(type);
  if (!groups) ThrowAt(file, record.Line(), "moving a " + std::string(type) + " entity is not supported");
  const Point d = groups->ocs ? ToOcs(displacement, AxesOf(ExtrusionOf(tags, file))) : displacement;
  for (const int code : groups->codes) {
    Shift(drawing, tags, code, d.x);
    Shift(drawing, tags, code + 10, d.y);
    Shift(drawing, tags, code + 20, d.z);
  }
  return tags;
}

bool HasParts(const Record& entity) {
  if (entity.Type() == "POLYLINE") return true;
  if (entity.Type() != "INSERT") return false;
  const Tag* follow = entity.Find(66);
  return follow != nullptr && Trimmed(follow->value) == "1";
}

// The record that closes the span holding `record` (ENDSEC or ENDBLK).
Record& EndOfSpan(Drawing& drawing, Record& record) {
  for (Record* r = record.Next(); r != nullptr; r = r->Next())
    if (r->Type() == "ENDSEC" || r->Type() == "ENDBLK") return *r;
  ThrowAt(drawing.File(), record.Line(), "the entity lies in no section");
}

}  // namespace

std::vector<Record*> EntityWithParts(Record& entity) {
  std::vector<Record*> records{&entity};
  if (!HasParts(entity)) return records;
  for (Record* r = entity.Next(); r != nullptr && IsSubEntity(r->Type()); r = r->Next()) {
    records.push_back(r);
    if (r->Type() == "SEQEND") break;
  }
  return records;
}

void EraseEntity(Drawing& drawing, Record& entity) {
  for (Record* r : EntityWithParts(entity)) drawing.SetErased(*r, true);
}

Record& CopyEntity(Drawing& drawing, Record& entity) {
  if (entity.Erased()) ThrowAt(drawing.File(), entity.Line(), "an erased entity cannot be copied");
  Record& end = EndOfSpan(drawing, entity);
  const std::vector<Record*> parts = EntityWithParts(entity);
  // Every tag list is made before anything changes, so that a failure leaves the drawing as it was.
  std::vector<std::vector<Tag>> copies;
  for (const Record* part : parts) {
    std::vector<Tag> tags;
    int skipping = 0;
    for (const Tag& tag : part->Tags()) {
      if (tag.code == 102) {
        const std::string_view value = Trimmed(tag.value);
        if (value == "{ACAD_REACTORS" || value == "{ACAD_XDICTIONARY")
          skipping = 1;
        else if (skipping && value == "}") {
          skipping = 0;
          continue;
        }
      }
      if (!skipping) tags.push_back(tag);
    }
    copies.push_back(std::move(tags));
  }
  Record* first = nullptr;
  std::uint64_t parentHandle = 0;
  for (std::size_t k = 0; k < copies.size(); ++k) {
    std::vector<Tag>& tags = copies[k];
    const int handleCode = HandleCode(parts[k]->Type());
    bool ownerDone = k == 0;
    std::uint64_t handle = 0;
    for (Tag& tag : tags) {
      if (tag.code == handleCode && handle == 0 && parts[k]->Handle() != 0) {
        handle = drawing.NewHandle();
        tag.value = drawing.KeepValue(tag.code, FormatHandle(handle));
      } else if (tag.code == 330 && !ownerDone) {
        tag.value = drawing.KeepValue(330, FormatHandle(parentHandle));  // parts belong to the new parent
        ownerDone = true;
      }
    }
    Record& inserted = drawing.InsertBefore(end, std::move(tags));
    if (k == 0) first = &inserted, parentHandle = inserted.Handle();
  }
  return *first;
}

void MoveEntity(Drawing& drawing, Record& entity, Point displacement) {
  const std::vector<Record*> parts = EntityWithParts(entity);
  std::vector<std::vector<Tag>> moved;
  for (const Record* part : parts)
    moved.push_back(Moved(drawing, *part, displacement, part == &entity ? nullptr : &entity));
  for (std::size_t k = 0; k < parts.size(); ++k) drawing.SetTags(*parts[k], std::move(moved[k]));
}

}  // namespace zil::drawing

namespace zil::drawing {
namespace {

// How a type turns: its position groups, its direction vectors (groups turned about the origin), whether
// they are in the entity's coordinate system, and its rotation angle groups (degrees).
struct TurnGroups {
  std::vector<int> points;
  std::vector<int> vectors;
  bool ocs = false;
  std::vector<int> angles;
};

const TurnGroups* TurnGroupsOf(std::string_view type) {
  static const std::map<std::string_view, TurnGroups> kTable = {
      {"TEXT", {{10, 11}, {}, true, {}}},
      {"ATTRIB", {{10, 11}, {}, true, {}}},
      {"ATTDEF", {{10, 11}, {}, true, {}}},
      {"MTEXT", {{10}, {11}, false, {}}},
      {"INSERT", {{10}, {}, true, {}}},
      {"LINE", {{10, 11}, {}, false, {}}},
      {"POINT", {{10}, {}, false, {}}},
      {"CIRCLE", {{10}, {}, true, {}}},
      {"ARC", {{10}, {}, true, {50, 51}}},
      {"ELLIPSE", {{10}, {11}, false, {}}},
      {"SOLID", {{10, 11, 12, 13}, {}, true, {}}},
      {"TRACE", {{10, 11, 12, 13}, {}, true, {}}},
      {"3DFACE", {{10, 11, 12, 13}, {}, false, {}}},
      {"LWPOLYLINE", {{10}, {}, true, {}}},
      {"XLINE", {{10}, {11}, false, {}}},
      {"RAY", {{10}, {11}, false, {}}},
      {"SEQEND", {{}, {}, false, {}}},
  };
  const auto it = kTable.find(type);
  return it == kTable.end() ? nullptr : &it->second;
}

// Turns every x/y pair of group `code` (the y in group code + 10 right after it) about `base`.
void TurnPairs(Drawing& drawing, std::vector<Tag>& tags, int code, Point base, double angle, bool vector) {
  const std::string& file = drawing.File();
  const double c = std::cos(angle), s = std::sin(angle);
  const std::size_t xdata = XdataStart(tags);
  for (std::size_t i = 1; i < xdata; ++i) {
    if (tags[i].code != code) continue;
    std::size_t j = i + 1;
    while (j < xdata && tags[j].code != code + 10 && tags[j].code != code) ++j;
    if (j >= xdata || tags[j].code != code + 10) continue;
    const double x = DoubleOf(tags[i], file), y = DoubleOf(tags[j], file);
    const double bx = vector ? 0 : base.x, by = vector ? 0 : base.y;
    const double dx = x - bx, dy = y - by;
    tags[i].value = drawing.KeepValue(code, FormattedDouble(bx + dx * c - dy * s));
    tags[j].value = drawing.KeepValue(code + 10, FormattedDouble(by + dx * s + dy * c));
  }
}

// The turned tags of one record; throws, changing nothing, for what cannot be turned.
std::vector<Tag> Turned(Drawing& drawing, const Record& record, Point base, double angle) {
  const std::string& file = drawing.File();
  const auto groups = TurnGroupsOf(record.Type());
  if (!groups) ThrowAt(file, record.Line(), "turning a " + std::string(record.Type()) + " entity is not supported");
  std::vector<Tag> tags = record.Tags();
  const Point extrusion = ExtrusionOf(tags, file);
  Point turnBase = base;
  double turnAngle = angle;
  if (groups->ocs || !groups->vectors.empty() || record.Type() == "MTEXT") {
    const OcsAxes axes = AxesOf(extrusion);
    if (std::abs(axes.z.x) > 1e-12 || std::abs(axes.z.y) > 1e-12) {
      ThrowAt(file, record.Line(),
              "a " + std::string(record.Type()) + " whose plane is not parallel to the xy plane " +
                  "cannot be turned about the z axis");
    }
    if (groups->ocs) {
      turnBase = ToOcs(base, axes);
      if (axes.z.z < 0) turnAngle = -angle;  // seen from below, counter-clockwise is clockwise
    }
  }
  std::span<const int> points = groups->points;
  if (record.Type() == "TEXT" || record.Type() == "ATTRIB" || record.Type() == "ATTDEF") {
    // The alignment point of a left-aligned text on its baseline is not used: it stays as it is.
    const TextView text(drawing, const_cast<Record&>(record));
    if (text.HorizontalAlignment() == 0 && text.VerticalAlignment() == 0) points = points.first(1);  // 10
  }
  for (const int code : points) TurnPairs(drawing, tags, code, turnBase, turnAngle, false);
  for (const int code : groups->vectors) TurnPairs(drawing, tags, code, {}, angle, true);
  const double degrees = turnAngle * 180 / std::numbers::pi;
  for (const int code : groups->angles) Shift(drawing, tags, code, degrees);
  return tags;
}

// An angle in degrees brought into [0, 360), as AutoCAD keeps rotations.
double Normalised(double degrees) {
  // An angle already in [0, 360) is what fmod would give back; most are.
  if (degrees >= 0 && degrees < 360) return degrees;
  double d = std::fmod(degrees, 360.0);
  if (d < 0) d += 360;
  return d >= 360 ? 0 : d;
}

}  // namespace

namespace {

// Where a text's tags hold its point groups 10, 20, 11 and 21: the index of each, npos where there is none;
// nothing unless they hold at most one pair of each point, its x before its y.
std::optional<std::array<std::size_t, 4>> PointGroupsAt(const Record& text) {
  constexpr std::size_t kNone = std::string::npos;
  std::array<std::size_t, 4> at{kNone, kNone, kNone, kNone};
  const std::vector<Tag>& tags = text.Tags();
  for (std::size_t i = 1; i < tags.size(); ++i) {
    const int code = tags[i].code;
    if (code != 10 && code != 20 && code != 11 && code != 21) continue;
    const std::size_t k = (code == 11 || code == 21 ? 2u : 0u) + (code >= 20 ? 1u : 0u);
    if (at[k] != kNone || (k % 2 == 1 && at[k - 1] == kNone)) return std::nullopt;  // twice, or a y before its x
    at[k] = i;
  }
  if ((at[0] == kNone) != (at[1] == kNone) || (at[2] == kNone) != (at[3] == kNone)) return std::nullopt;
  return at;
}

}  // namespace

std::optional<unsigned> TurnTextGroups(const TextView& text, TextGroups& groups, const OcsAxes& axes, Point base,
                                       double angle) {
  if (text.Type() != "TEXT" || std::abs(axes.z.x) > 1e-12 || std::abs(axes.z.y) > 1e-12) return std::nullopt;
  // The tags must hold the insertion point among the text's groups (the groups read a missing one as 0),
  // and an alignment point there or nowhere (one that a change is still to write is written where turning
  // finds it). A tag after the extended data counts too: such a text is left to RotateEntity.
  const auto at = PointGroupsAt(text.Rec());
  if (!at) return std::nullopt;
  const Segment own = text.TextSegment();
  const auto inOwn = [&own](std::size_t i) { return i >= own.first && i < own.last; };
  if (!inOwn((*at)[0]) || !inOwn((*at)[1]) || ((*at)[2] != std::string::npos && !(inOwn((*at)[2]) && inOwn((*at)[3]))))
    return std::nullopt;
  // As Turned and RotateEntity compute it, step for step, so that the same values are written.
  const Point turnBase = ToOcs(base, axes);
  const double turnAngle = axes.z.z < 0 ? -angle : angle;
  const double c = std::cos(turnAngle), s = std::sin(turnAngle);
  const auto turn = [&](Point& p) {
    const double dx = p.x - turnBase.x, dy = p.y - turnBase.y;
    p = {turnBase.x + dx * c - dy * s, turnBase.y + dx * s + dy * c, p.z};
  };
  unsigned which = kInsertionTurned | kRotationGroup;
  turn(groups.insertion);
  // The alignment point of a left-aligned text on its baseline is not used: it stays as it is.
  if (groups.alignment && !(groups.horizontal == 0 && groups.vertical == 0)) {
    turn(*groups.alignment);
    which |= kAlignmentTurned;
  }
  const double sign = axes.z.z < 0 ? -1 : 1;
  const double delta = sign * angle * 180 / std::numbers::pi;
  groups.rotationDegrees = Normalised(groups.rotationDegrees + delta);
  return which;
}

void RotateEntity(Drawing& drawing, Record& entity, Point base, double angle) {
  const std::vector<Record*> parts = EntityWithParts(entity);
  if (entity.Type() == "POLYLINE") ThrowAt(drawing.File(), entity.Line(), "turning a POLYLINE entity is not supported");
  // Everything is read and computed first, so that a refusal leaves the entity as it was.
  std::vector<std::vector<Tag>> turned;
  std::vector<double> degrees;  // the rotation of each part afterwards, for the types that keep one
  for (Record* part : parts) {
    turned.push_back(Turned(drawing, *part, base, angle));
    const std::string_view type = part->Type();
    double sign = 1;
    if (type != "MTEXT" && AxesOf(ExtrusionOf(part->Tags(), drawing.File())).z.z < 0) sign = -1;
    const double delta = sign * angle * 180 / std::numbers::pi;
    if (type == "TEXT" || type == "ATTRIB" || type == "ATTDEF") {
      degrees.push_back(Normalised(TextView(drawing, *part).RotationDegrees() + delta));
    } else if (type == "INSERT") {
      const Tag* tag = part->Find(50);
      degrees.push_back(Normalised((tag ? DoubleOf(*tag, drawing.File()) : 0) + delta));
    } else if (type == "MTEXT") {
      degrees.push_back(Normalised(MTextView(drawing, *part).RotationDegrees() + delta));
    } else {
      degrees.push_back(0);
    }
  }
  for (std::size_t k = 0; k < parts.size(); ++k) {
    Record& part = *parts[k];
    const std::string_view type = part.Type();
    std::vector<Tag> tags = std::move(turned[k]);
    if (type == "INSERT") SetIn(drawing, tags, InsertView::Layout(), 50, FormatDouble(degrees[k]));
    if (type == "MTEXT") SetIn(drawing, tags, MTextView::Layout(), 50, FormatDouble(degrees[k]));
    if (type == "TEXT" || type == "ATTRIB" || type == "ATTDEF")
      SetIn(drawing, tags, TextView(drawing, part).TextPlacement(), 50, FormatDouble(degrees[k]));
    drawing.SetTags(part, std::move(tags));
  }
}

}  // namespace zil::drawing
