// The class factory of `autozil`: every CreateInstance makes a new object (multi-instance) over the one
// add-in of the module; aggregation is not supported.
#pragma once

// The add-in's headers come before the platform's: the platform defines its result codes as macros.
// clang-format off
#include "automation/com/server.h"
// clang-format on

#include <unknwn.h>

#include <atomic>

namespace zil::com {

class ClassFactory final : public IClassFactory {
 public:
  explicit ClassFactory(Server& server);
  ~ClassFactory();
  ClassFactory(const ClassFactory&) = delete;
  ClassFactory& operator=(const ClassFactory&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

 private:
  std::atomic<ULONG> references_{1};
  Server& server_;
};

}  // namespace zil::com
