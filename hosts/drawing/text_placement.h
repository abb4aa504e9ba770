// The geometry of a TEXT, ATTRIB or ATTDEF as the font-metric model of text_geometry.h sees it, read from
// the entity's groups and written back to them.
//
// Reading brings the computed values in line with the defining point(s), as AutoCAD does when it loads a
// drawing: a writer may leave group 10 of a centred text stale, but the text stands where its alignment
// point puts it. Writing sets only the groups whose values differ from the file's (beyond rounding), so
// an unchanged value keeps its bytes.
#pragma once

#include "drawing/entity_views.h"
#include "drawing/ocs.h"
#include "drawing/text_geometry.h"

namespace zil::drawing {

// The text's geometry in its own coordinate system (see AxesOfText).
TextGeometry ReadTextGeometry(const TextView& text);
void WriteTextGeometry(TextView& text, const TextGeometry& geometry);
// The axes of the text's coordinate system (its extrusion).
OcsAxes AxesOfText(const TextView& text);

// World-coordinate corners (lower left, upper right) of the axis-aligned box around the text.
std::pair<acad::Point, acad::Point> TextBoundingBox(const TextView& text);
// The same, of a text's geometry and axes as read.
std::pair<acad::Point, acad::Point> TextBoundingBox(const TextGeometry& geometry, const OcsAxes& axes);

}  // namespace zil::drawing
