// The geometry of a TEXT, ATTRIB or ATTDEF as the font-metric model of text_geometry.h sees it, read from
// the entity's groups and written back to them.
//
// Reading brings the computed values in line with the defining point(s), as AutoCAD does when it loads a
// drawing: a writer may leave group 10 of a centred text stale, but the text stands where its alignment
// point puts it. Writing sets only the groups whose values differ from the file's (beyond rounding), so
// an unchanged value keeps its bytes.
#pragma once

#include <optional>
#include <string>

#include "drawing/entity_views.h"
#include "drawing/ocs.h"
#include "drawing/text_geometry.h"

namespace zil::drawing {

// The groups a text's geometry is read from, as its tags hold them.
struct TextGroups {
  Point insertion;                 // 10
  std::optional<Point> alignment;  // 11
  double height = 0;               // 40
  double widthFactor = 1;          // 41
  double rotationDegrees = 0;      // 50
  int flags = 0;                   // 71
  int horizontal = 0;              // 72
  int vertical = 0;                // 73 (74 of an attribute)
  int characters = 0;              // of the string (1)
};
TextGroups ReadTextGroups(const TextView& text);
// The same, with the string's length in characters known (the string is not read).
TextGroups ReadTextGroups(const TextView& text, int characters);
// The geometry the groups give, the computed values brought in line; `rightToLeftFont`: the text's style
// has a font that draws right to left.
TextGeometry GeometryOf(const TextGroups& groups, bool rightToLeftFont = false);

// The text's geometry in its own coordinate system (see AxesOfText): GeometryOf(ReadTextGroups(text)), as
// of a font that draws left to right.
TextGeometry ReadTextGeometry(const TextView& text);
// The groups of a text a change writes, as bits; a turned point has its x and y written, not its z.
enum TextGroupBits : unsigned {
  kHorizontalGroup = 1u << 0,
  kVerticalGroup = 1u << 1,
  kInsertionGroup = 1u << 2,
  kAlignmentGroup = 1u << 3,
  kHeightGroup = 1u << 4,
  kWidthFactorGroup = 1u << 5,
  kRotationGroup = 1u << 6,
  kFlagsGroup = 1u << 7,
  kInsertionTurned = 1u << 8,
  kAlignmentTurned = 1u << 9,
};
// Writing a geometry over the groups a text's tags hold, in two halves, so that the tags may be written
// later: the groups `geometry` gives `groups` (what the tags hold; only those that differ beyond rounding
// change, so that an unchanged value keeps its bytes), and the bits of the ones that changed; then the
// writing of the groups `which` names, as `groups` holds them, as one change of the record. Planning
// several changes one after another and writing once writes what writing each of them would have.
unsigned PlanTextGeometry(const TextGeometry& geometry, TextGroups& groups);
// The string and the style's name a change writes with the groups, as the drawing encodes them; none
// where they stay.
struct TextNames {
  const std::string* string = nullptr;
  const std::string* style = nullptr;
};
// Writes the groups `which` names and `names` as one change of the record, which is written to bytes at
// once (Drawing::WriteTags): the tags get what the view's setters, one after another in a batch, would
// give them (the string, the style, then the groups in the order of TextGroupBits). Nothing changes when
// there is nothing to write. The text must not be in a batch of its view.
void WriteTextGroups(TextView& text, const TextGroups& groups, unsigned which, const TextNames& names = {});
// The axes of the text's coordinate system (its extrusion).
OcsAxes AxesOfText(const TextView& text);

// World-coordinate corners (lower left, upper right) of the axis-aligned box around the text.
std::pair<Point, Point> TextBoundingBox(const TextView& text);
// The same, of a text's geometry and axes as read.
std::pair<Point, Point> TextBoundingBox(const TextGeometry& geometry, const OcsAxes& axes);

}  // namespace zil::drawing
