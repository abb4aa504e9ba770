// The AutoCAD application object handed to the add-in through SetApp, kept as AutoCAD's IDispatch.
//
// The add-in holds one reference for as long as the host state keeps the application (until the next
// SetApp or module shut-down). The late-bound adapter that reads AutoCAD's automation surface through this
// IDispatch comes with the AutoCAD host; until then every member of the surface fails with a message
// saying it is not available yet, so the members that work on the drawing fail at the host refresh.
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

  std::shared_ptr<acad::Document> ActiveDocument() override { NotYet(); }
  std::shared_ptr<acad::Documents> Documents() override { NotYet(); }
  void ZoomCenter(const acad::Point&, double) override { NotYet(); }
  void Update() override { NotYet(); }

  // Forgets the reference without releasing it: at process exit AutoCAD's code may be unloaded already.
  void Abandon() { app_ = nullptr; }

 private:
  [[noreturn]] static void NotYet() {
    automation::ThrowNotAvailableYet("Driving AutoCAD through its automation interface");
  }

  IDispatch* app_;
};

}  // namespace zil::com
