// The AutoCAD application object handed to the add-in through SetApp, kept as AutoCAD's IDispatch and
// read through the late-bound adapter (hosts/autocad), which zil.dll links and which defines these.
//
// The application the host state receives holds one reference to AutoCAD's object (and each object read
// from it one to its own) for as long as the host state keeps it: until the next SetApp or module
// shut-down. Nothing of AutoCAD is called until the first host refresh.
#pragma once

// clang-format off
#include "automation/hresult.h"
#include "acad/application.h"
// clang-format on

#include <oaidl.h>

#include <memory>

namespace zil::com {

// Takes a new reference to `app`.
std::shared_ptr<acad::Application> AdaptApplication(IDispatch* app);

// At process exit AutoCAD's code may be unloaded already: every object read from this application lets
// go of AutoCAD's without calling Release. Does nothing for an application the adapter did not make.
void AbandonApplication(acad::Application& app);

}  // namespace zil::com
