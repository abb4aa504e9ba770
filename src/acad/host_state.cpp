#include "acad/host_state.h"

#include "acad/error.h"

namespace zil::acad {

void HostState::RefreshHost() {
  if (!AcadApp)
    throw Error("No AutoCAD application: the command layer must call SetApp before this command");
}

void HostState::Release() { AcadApp.reset(); }

}  // namespace zil::acad
