// The drawing's points are the automation surface's (acad/point.h): the host hands them across the surface
// as they are, with no second type to convert to and from. Coordinates are drawing units, in world or in an
// entity's own coordinate system as each function says.
#pragma once

#include "acad/point.h"

namespace zil::drawing {

using acad::Point;

}  // namespace zil::drawing
