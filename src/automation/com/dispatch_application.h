// The AutoCAD application object handed to the add-in through SetApp, kept as AutoCAD's IDispatch.
//
// The add-in holds one reference for as long as the host state keeps the application (until the next
// SetApp or module shut-down). The late-bound adapter that reads AutoCAD's automation surface through this
// IDispatch comes with the AutoCAD host; until then the members that work on the drawing fail with a
// message saying they are not available yet.
#pragma once

// clang-format off
#include "automation/hresult.h"
#include "acad/application.h"
// clang-format on

#include <oaidl.h>

namespace zil::com {

class DispatchApplication final : public acad::Application {
 public:
  explicit DispatchApplication(IDispatch* app) : app_(app) { app_->AddRef(); }
  ~DispatchApplication() override {
    if (app_ != nullptr) app_->Release();
  }
  DispatchApplication(const DispatchApplication&) = delete;
  DispatchApplication& operator=(const DispatchApplication&) = delete;

  IDispatch* dispatch() const { return app_; }

  // Forgets the reference without releasing it: at process exit AutoCAD's code may be unloaded already.
  void Abandon() { app_ = nullptr; }

 private:
  IDispatch* app_;
};

}  // namespace zil::com
