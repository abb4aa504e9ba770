// The error of the drawing host: every failure of an AutoCAD member surfaces as acad::Error, whose
// message names the member and the object, as a late-bound call would.
#pragma once

#include <stdexcept>
#include <string>

namespace zil::acad {

class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace zil::acad
