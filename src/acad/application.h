// The AutoCAD application object as the add-in sees it: the root of the automation surface that the
// command layer hands to the add-in through SetApp.
#pragma once

namespace zil::acad {

class Application {
 public:
  virtual ~Application() = default;
};

}  // namespace zil::acad
