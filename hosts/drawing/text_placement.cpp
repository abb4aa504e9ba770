#include "drawing/text_placement.h"

#include <array>
#include <charconv>
#include <cmath>
#include <numbers>
#include <span>
#include <utility>

#include "drawing/tag_values.h"

namespace zil::drawing {
namespace {

bool Same(double a, double b) { return std::abs(a - b) <= 1e-9 * std::max(1.0, std::abs(a)); }
bool Same(const Point& a, const Point& b) { return Same(a.x, b.x) && Same(a.y, b.y) && Same(a.z, b.z); }

double Radians(double degrees) { return degrees * std::numbers::pi / 180; }
double Degrees(double radians) { return radians * 180 / std::numbers::pi; }

}  // namespace

namespace {

// `characters`: the string's length, or nothing to read it from the string's group.
TextGroups ReadGroups(const TextView& text, std::optional<int> characters) {
  // One pass over the text's groups, each parsed as its getter parses it, in the same order.
  const auto tags = text.TextTags();
  const std::string& file = text.Owner().File();
  const auto number = [&](std::size_t k, double fallback) { return tags[k] ? DoubleOf(*tags[k], file) : fallback; };
  const auto integer = [&](std::size_t k) { return tags[k] ? static_cast<int>(IntegerOf(*tags[k], file)) : 0; };
  const auto point = [&](std::size_t k) { return Point{number(k, 0), number(k + 1, 0), number(k + 2, 0)}; };
  TextGroups g;
  if (tags[0]) g.insertion = point(0);
  if (tags[3]) g.alignment = point(3);
  g.height = number(6, 0);
  g.widthFactor = number(7, 1);
  g.rotationDegrees = number(8, 0);
  g.flags = integer(9);
  g.horizontal = integer(10);
  g.vertical = text.VerticalAlignment();
  g.characters =
      characters ? *characters : GlyphCount(tags[11] ? text.Owner().Decode(tags[11]->value) : std::u16string());
  return g;
}

}  // namespace

TextGroups ReadTextGroups(const TextView& text) { return ReadGroups(text, std::nullopt); }
TextGroups ReadTextGroups(const TextView& text, int characters) { return ReadGroups(text, characters); }

TextGeometry GeometryOf(const TextGroups& g, bool rightToLeftFont) {
  TextGeometry t;
  t.insertion = g.insertion;
  t.horizontal = g.horizontal;
  t.vertical = g.vertical;
  // A text aligned by its alignment point that has none is placed by its insertion point.
  t.alignment = g.alignment.value_or(UsesInsertionPoint(t) ? Point{} : g.insertion);
  t.height = g.height;
  t.widthFactor = g.widthFactor;
  t.rotation = Radians(g.rotationDegrees);
  t.backward = (g.flags & 2) != 0;
  t.upsideDown = (g.flags & 4) != 0;
  t.rightToLeft = rightToLeftFont;
  t.characters = g.characters;
  Recompute(t);
  return t;
}

TextGeometry ReadTextGeometry(const TextView& text) { return GeometryOf(ReadTextGroups(text)); }

unsigned PlanTextGeometry(const TextGeometry& t, TextGroups& g) {
  unsigned which = 0;
  const auto set = [&which](auto& group, const auto& value, unsigned bit) {
    group = value;
    which |= bit;
  };
  if (g.horizontal != t.horizontal) set(g.horizontal, t.horizontal, kHorizontalGroup);
  if (g.vertical != t.vertical) set(g.vertical, t.vertical, kVerticalGroup);
  if (!Same(g.insertion, t.insertion)) set(g.insertion, t.insertion, kInsertionGroup);
  if (g.alignment ? !Same(*g.alignment, t.alignment) : !UsesInsertionPoint(t))
    set(g.alignment, std::optional<Point>(t.alignment), kAlignmentGroup);
  if (!Same(g.height, t.height)) set(g.height, t.height, kHeightGroup);
  if (!Same(g.widthFactor, t.widthFactor)) set(g.widthFactor, t.widthFactor, kWidthFactorGroup);
  if (!Same(Radians(g.rotationDegrees), t.rotation)) set(g.rotationDegrees, Degrees(t.rotation), kRotationGroup);
  const int wanted = (g.flags & ~6) | (t.backward ? 2 : 0) | (t.upsideDown ? 4 : 0);
  if (g.flags != wanted) set(g.flags, wanted, kFlagsGroup);
  return which;
}

void WriteTextGroups(TextView& text, const TextGroups& g, unsigned which, const TextNames& names) {
  // The setters' work, on one copy of the tags: each group set where the setter sets it. The text's own
  // groups are gathered in the order the setters set them and placed together (SetAllIn); a group of
  // another segment is set in its turn, after the own groups before it.
  constexpr std::size_t kRoomForNewGroups = 8;
  constexpr std::size_t kMostGroups = 13;  // the string, the style and the eleven groups below
  Drawing& drawing = text.Owner();
  std::vector<Tag> tags = drawing.TagsToChange(text.Rec(), kRoomForNewGroups);
  const Placement& own = text.TextPlacement();
  Segment segment = text.TextSegment();  // of the text's own groups; first 0: looked up by the next change
  bool changed = false;
  std::array<GroupValue, kMostGroups> groups;
  std::size_t count = 0;
  // The numbers' texts, until they are placed.
  std::array<char, kMostGroups * kDoubleRoom> room;
  char* free = room.data();
  const auto place = [&] {
    segment = SetAllIn(drawing, tags, own, segment, std::span(groups.data(), count));
    count = 0;
  };
  const auto put = [&](const Placement& p, int code, std::string_view value, bool checked) {
    changed = true;
    if (&p == &own) {
      groups[count++] = GroupValue{code, value, checked};
      return;
    }
    place();
    const std::size_t size = tags.size();
    SetIn(drawing, tags, p, Segment{}, code, value);
    if (tags.size() != size) segment = {};  // the text's segment may have moved
  };
  const auto set = [&](int code, std::string_view value) { put(own, code, value, false); };
  const auto setNumber = [&](int code, double value) {
    char* const start = free;
    free = WriteDouble(value, free);
    put(own, code, std::string_view(start, static_cast<std::size_t>(free - start)), true);
  };
  const auto setInteger = [&](const Placement& p, int code, int value) {
    char* const start = free;
    free = std::to_chars(free, free + kDoubleRoom, value).ptr;
    put(p, code, std::string_view(start, static_cast<std::size_t>(free - start)), true);
  };
  const auto setPoint = [&](int code, const Point& p, bool withZ) {
    setNumber(code, p.x);
    setNumber(code + 10, p.y);
    if (withZ) setNumber(code + 20, p.z);
  };

  if (names.string) set(1, *names.string);
  if (names.style) set(7, *names.style);
  if (which & kHorizontalGroup) setInteger(own, 72, g.horizontal);
  // Where the vertical alignment goes is found on the record's tags: nothing set before it adds a group
  // of that code.
  if (which & kVerticalGroup) setInteger(text.ValignPlacement(), text.ValignCode(), g.vertical);
  if (which & (kInsertionGroup | kInsertionTurned)) setPoint(10, g.insertion, (which & kInsertionGroup) != 0);
  if (g.alignment && (which & (kAlignmentGroup | kAlignmentTurned)))
    setPoint(11, *g.alignment, (which & kAlignmentGroup) != 0);
  if (which & kHeightGroup) setNumber(40, g.height);
  if (which & kWidthFactorGroup) setNumber(41, g.widthFactor);
  if (which & kRotationGroup) setNumber(50, g.rotationDegrees);
  if (which & kFlagsGroup) setInteger(own, 71, g.flags);
  if (!changed) return;
  place();
  drawing.WriteTags(text.Rec(), std::move(tags));
}

OcsAxes AxesOfText(const TextView& text) {
  // Nearly every text lies in the world's plane: its axes are worked out once. An extrusion with a
  // negative zero is left to AxesOf, whose axes keep that zero's sign.
  static const OcsAxes kWorld = AxesOf(Point{0, 0, 1});
  const Point e = ExtrusionOf(text.Rec().Tags(), text.Owner().File());
  const bool world = e.x == 0 && e.y == 0 && e.z == 1 && !std::signbit(e.x) && !std::signbit(e.y);
  return world ? kWorld : AxesOf(e);
}

std::pair<Point, Point> TextBoundingBox(const TextView& text) {
  return TextBoundingBox(ReadTextGeometry(text), AxesOfText(text));
}

std::pair<Point, Point> TextBoundingBox(const TextGeometry& t, const OcsAxes& axes) {
  std::array<Point, 4> corners = Corners(t);
  for (Point& p : corners) p = ToWorld(p, axes);
  return BoxAround(corners);
}

}  // namespace zil::drawing
