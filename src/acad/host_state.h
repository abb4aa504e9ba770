// The host state: what the add-in knows of the running AutoCAD between and during automation calls.
// SetApp gives the application; RefreshHost runs first in every member that works on the drawing.
#pragma once

#include <memory>

#include "acad/application.h"

namespace zil::acad {

class HostState {
 public:
  std::shared_ptr<Application> AcadApp;

  // Re-reads the active drawing from AcadApp. Fails with acad::Error when no application has been given.
  void RefreshHost();

  // Drops every reference to the host (module shut-down).
  void Release();
};

}  // namespace zil::acad
