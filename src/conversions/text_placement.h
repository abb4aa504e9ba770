// The geometry both drawing conversions use to turn a single-line text into an aligned text between two
// points that keeps its place, direction and length.
#pragma once

#include "acad/entity.h"

namespace zil::conversions {

// |a / 2π − 1| < 1e-4: a full turn counts as none.
double WithoutFullTurn(double angle);

// The horizontal and full alignment of `t` := aligned (3). `ignoreErrors`: an error of the host is
// swallowed, as the rotated case of both conversions does.
void MakeAligned(acad::Entity& t, bool ignoreErrors);

// A text generation flag other than 0 becomes 6.
void FlagBackwardUpsideDown(acad::Entity& t);

}  // namespace zil::conversions
