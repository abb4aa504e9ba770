// The COM object `autozil`: the dual interface Iautozil over one automation object Tautozil, with
// ISupportErrorInfo. Every member is a thin wrapper: BSTRs in and out, signed 8-bit kinds, IDispatch for
// SetApp; a failure returns the member's result code with the message in IErrorInfo. Late-bound calls are
// served by the type library (ITypeInfo::Invoke), which also coerces the arguments to the parameter types.
#pragma once

// The add-in's headers come before the platform's: the platform defines its result codes as macros.
// clang-format off
#include "automation/autozil.h"
#include "automation/com/zil.h"
// clang-format on

#include <atomic>
#include <memory>

namespace zil::com {

class Server;

class AutozilObject final : public Iautozil, public ISupportErrorInfo {
 public:
  AutozilObject(Server& server, std::unique_ptr<automation::Tautozil> object, ITypeInfo* typeInfo);
  ~AutozilObject();
  AutozilObject(const AutozilObject&) = delete;
  AutozilObject& operator=(const AutozilObject&) = delete;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* exception, UINT* argumentError) override;

  // ISupportErrorInfo
  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override;

  // Iautozil
  HRESULT STDMETHODCALLTYPE newtext(BSTR ent) override;
  HRESULT STDMETHODCALLTYPE edit(BSTR ent) override;
  HRESULT STDMETHODCALLTYPE FontTable() override;
  HRESULT STDMETHODCALLTYPE mtext(BSTR ent) override;
  HRESULT STDMETHODCALLTYPE put_aver(BSTR value) override;
  HRESULT STDMETHODCALLTYPE block(BSTR ent) override;
  HRESULT STDMETHODCALLTYPE replace() override;
  HRESULT STDMETHODCALLTYPE acadtostr(BSTR ent, signed char kind) override;
  HRESULT STDMETHODCALLTYPE strtoacad(BSTR ent, signed char type) override;
  HRESULT STDMETHODCALLTYPE get_Hebstr(BSTR* value) override;
  HRESULT STDMETHODCALLTYPE acadversin(BSTR ver) override;
  HRESULT STDMETHODCALLTYPE HtoMtext() override;
  HRESULT STDMETHODCALLTYPE Hlib() override;
  HRESULT STDMETHODCALLTYPE HShowfont() override;
  HRESULT STDMETHODCALLTYPE Hplot() override;
  HRESULT STDMETHODCALLTYPE Cmd(BSTR cmd, BSTR par, BSTR value) override;
  HRESULT STDMETHODCALLTYPE Convert() override;
  HRESULT STDMETHODCALLTYPE SetApp(IDispatch* app) override;

 private:
  template <typename Call>
  HRESULT Run(Call&& call);

  std::atomic<ULONG> references_{1};
  Server& server_;
  std::unique_ptr<automation::Tautozil> object_;
  ITypeInfo* typeInfo_;
};

}  // namespace zil::com
