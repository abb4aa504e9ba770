#include "automation/com/autozil_object.h"

#include <new>
#include <utility>

#include "automation/com/com_text.h"
#include "automation/com/dispatch_application.h"
#include "automation/com/error_info.h"
#include "automation/com/server.h"
#include "automation/member_table.h"

namespace zil::com {

AutozilObject::AutozilObject(Server& server, std::unique_ptr<automation::Tautozil> object, ITypeInfo* typeInfo)
    : server_(server), object_(std::move(object)), typeInfo_(typeInfo) {
  typeInfo_->AddRef();
  server_.AddObject();
}

AutozilObject::~AutozilObject() {
  typeInfo_->Release();
  server_.ReleaseObject();
}

HRESULT STDMETHODCALLTYPE AutozilObject::QueryInterface(REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_Iautozil) {
    *out = static_cast<Iautozil*>(this);
  } else if (iid == IID_ISupportErrorInfo) {
    *out = static_cast<ISupportErrorInfo*>(this);
  } else {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG STDMETHODCALLTYPE AutozilObject::AddRef() { return ++references_; }

ULONG STDMETHODCALLTYPE AutozilObject::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

HRESULT STDMETHODCALLTYPE AutozilObject::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 1;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE AutozilObject::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
  if (info == nullptr) return E_POINTER;
  *info = nullptr;
  if (index != 0) return DISP_E_BADINDEX;
  typeInfo_->AddRef();
  *info = typeInfo_;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE AutozilObject::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  return DispGetIDsOfNames(typeInfo_, names, count, ids);
}

HRESULT STDMETHODCALLTYPE AutozilObject::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                                                VARIANT* result, EXCEPINFO* exception, UINT* argumentError) {
  if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  // A member's failure reaches the caller as DISP_E_EXCEPTION with the code and message in EXCEPINFO,
  // taken from the error information the member set; clear what an earlier call may have left.
  SetErrorInfo(0, nullptr);
  // More arguments than a method or property get takes is a wrong call, which the type library's Invoke
  // does not refuse everywhere (some implementations drop the extra ones). Puts it checks itself.
  const automation::MemberInfo* member = automation::FindMember(static_cast<int>(id));
  if (member != nullptr && params != nullptr && (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) == 0 &&
      params->cArgs > static_cast<UINT>(member->paramCount))
    return DISP_E_BADPARAMCOUNT;
  return typeInfo_->Invoke(static_cast<Iautozil*>(this), id, flags, params, result, exception, argumentError);
}

HRESULT STDMETHODCALLTYPE AutozilObject::InterfaceSupportsErrorInfo(REFIID iid) {
  return iid == IID_Iautozil ? S_OK : S_FALSE;
}

template <typename Call>
HRESULT AutozilObject::Run(Call&& call) {
  try {
    const automation::CallResult result = std::forward<Call>(call)();
    if (result.Succeeded()) return S_OK;
    return Fail(static_cast<HRESULT>(result.hr), result.error);
  } catch (const std::bad_alloc&) {
    return Fail(E_OUTOFMEMORY, "Out of memory");
  } catch (...) {
    return Fail(E_UNEXPECTED, "Unexpected failure");
  }
}

HRESULT STDMETHODCALLTYPE AutozilObject::newtext(BSTR ent) {
  return Run([&] { return object_->newtext(FromBstr(ent)); });
}

HRESULT STDMETHODCALLTYPE AutozilObject::edit(BSTR ent) {
  return Run([&] { return object_->edit(FromBstr(ent)); });
}

HRESULT STDMETHODCALLTYPE AutozilObject::FontTable() {
  return Run([&] { return object_->FontTable(); });
}

HRESULT STDMETHODCALLTYPE AutozilObject::mtext(BSTR ent) {
  return Run([&] { return object_->mtext(FromBstr(ent)); });
}

HRESULT STDMETHODCALLTYPE AutozilObject::put_aver(BSTR value) {
  return Run([&] { return object_->put_aver(FromBstr(value)); });
}

HRESULT STDMETHODCALLTYPE AutozilObject::block(BSTR ent) {
  return Run([&] { return object_->block(FromBstr(ent)); });
}

HRESULT STDMETHODCALLTYPE AutozilObject::replace() {
  return Run([&] { return object_->replace(); });
}

HRESULT STDMETHODCALLTYPE AutozilObject::acadtostr(BSTR ent, signed char kind) {
  return Run([&] { return object_->acadtostr(FromBstr(ent), kind); });
}

HRESULT STDMETHODCALLTYPE AutozilObject::strtoacad(BSTR ent, signed char type) {
  return Run([&] { return object_->strtoacad(FromBstr(ent), type); });
}

HRESULT STDMETHODCALLTYPE AutozilObject::get_Hebstr(BSTR* value) {
  if (value == nullptr) return E_POINTER;
  *value = nullptr;
  std::u16string result;
  const HRESULT hr = Run([&] { return object_->get_Hebstr(result); });
  if (FAILED(hr)) return hr;
  *value = ToBstr(result);
  return *value != nullptr ? S_OK : Fail(E_OUTOFMEMORY, "Out of memory");
}

HRESULT STDMETHODCALLTYPE AutozilObject::acadversin(BSTR ver) {
  return Run([&] { return object_->acadversin(FromBstr(ver)); });
}

HRESULT STDMETHODCALLTYPE AutozilObject::HtoMtext() {
  return Run([&] { return object_->HtoMtext(); });
}

HRESULT STDMETHODCALLTYPE AutozilObject::Hlib() {
  return Run([&] { return object_->Hlib(); });
}

HRESULT STDMETHODCALLTYPE AutozilObject::HShowfont() {
  return Run([&] { return object_->HShowfont(); });
}

HRESULT STDMETHODCALLTYPE AutozilObject::Hplot() {
  return Run([&] { return object_->Hplot(); });
}

HRESULT STDMETHODCALLTYPE AutozilObject::Cmd(BSTR cmd, BSTR par, BSTR value) {
  return Run([&] { return object_->Cmd(FromBstr(cmd), FromBstr(par), FromBstr(value)); });
}

HRESULT STDMETHODCALLTYPE AutozilObject::Convert() {
  return Run([&] { return object_->Convert(); });
}

HRESULT STDMETHODCALLTYPE AutozilObject::SetApp(IDispatch* app) {
  return Run([&] {
    automation::ApplicationRef application;
    if (app != nullptr) application = AdaptApplication(app);
    return object_->SetApp(std::move(application));
  });
}

}  // namespace zil::com
