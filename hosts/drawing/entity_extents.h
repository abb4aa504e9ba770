// The axis-aligned box in world coordinates around an entity, by the stand-in host's geometry: texts,
// attributes and MTEXT by the font-metric model (text_geometry.h, mtext_geometry.h); lines, points,
// circles, arcs, ellipses (the whole ellipse), solids, traces, 3D faces and light polylines (their
// vertices; bulges are not followed) by their points; an INSERT by the boxes of its block's entities,
// placed, scaled and turned as the insert places them, and of its attributes (a block's attribute
// definitions are not drawn in a reference); a DIMENSION by its block. Other entities have no box here.
#pragma once

#include <optional>
#include <utility>

#include "drawing/drawing.h"
#include "drawing/point.h"

namespace zil::drawing {

using Box = std::pair<Point, Point>;

// nullopt for an entity whose type has no box here (and for an insert of a block without any).
std::optional<Box> EntityExtents(Drawing& drawing, Record& entity);

}  // namespace zil::drawing
