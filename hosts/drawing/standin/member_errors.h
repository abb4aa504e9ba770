// How the stand-in host's members fail, as AutoCAD's do: every failure is acad::Error. A member refuses an
// argument it cannot take before it touches the drawing, and a fault of the drawing it meets (a value of
// the file that does not parse, a file that cannot be read or written) keeps what the drawing's error says
// (the file, the line, what was expected); an entity's member puts its own name and the object's before it.
#pragma once

#include <cmath>
#include <string>
#include <utility>

#include "acad/error.h"
#include "acad/point.h"
#include "drawing/dxf_error.h"

namespace zil::standin {

// AutoCAD refuses a point that is not a number in each coordinate.
inline void RequireFinite(const acad::Point& p, const char* member) {
  if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z))
    throw acad::Error(std::string(member) + ": a point's coordinates must be finite numbers");
}

// Runs `body`; a DxfError it throws becomes acad::Error, its message after what `context()` says when that
// is not empty. The context (the member, and the object it ran on) is made only for the error.
template <typename Context, typename Body>
decltype(auto) AsAcadError(Context&& context, Body&& body) {
  try {
    return std::forward<Body>(body)();
  } catch (const drawing::DxfError& e) {
    const std::string what = std::forward<Context>(context)();
    throw acad::Error(what.empty() ? std::string(e.what()) : what + ": " + e.what());
  }
}

// The same with the drawing's message alone: it names the file and the line, which is all a reader of the
// file needs (reading, writing, the spaces and records a collection makes).
template <typename Body>
decltype(auto) AsAcadError(Body&& body) {
  return AsAcadError([] { return std::string(); }, std::forward<Body>(body));
}

}  // namespace zil::standin
