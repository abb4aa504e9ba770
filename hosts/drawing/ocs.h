// Entity coordinate systems (OCS): many entities keep their points in a plane given by their extrusion
// direction (groups 210/220/230), with axes chosen by the arbitrary axis algorithm of the DXF format. These
// helpers turn points and vectors between that system and world coordinates.
#pragma once

#include <string>
#include <vector>

#include "drawing/entity_views.h"

namespace zil::drawing {

struct OcsAxes {
  Point x{1, 0, 0};
  Point y{0, 1, 0};
  Point z{0, 0, 1};
};

// The axes of the coordinate system whose z axis is `extrusion` (normalised; a zero vector is taken as z).
OcsAxes AxesOf(Point extrusion);
// True when the extrusion is the world z axis, so that OCS and world coordinates are the same.
bool IsWorldZ(Point extrusion);

Point ToWorld(Point ocs, const OcsAxes& axes);
Point ToOcs(Point world, const OcsAxes& axes);

// The extrusion of a record's tags (groups 210/220/230 before XDATA), (0, 0, 1) when absent.
Point ExtrusionOf(const std::vector<Tag>& tags, const std::string& file);

}  // namespace zil::drawing
