#include "automation/com/class_factory.h"

#include <exception>
#include <new>

#include "automation/com/autozil_object.h"
#include "automation/com/error_info.h"

namespace zil::com {

ClassFactory::ClassFactory(Server& server) : server_(server) { server_.AddObject(); }

ClassFactory::~ClassFactory() { server_.ReleaseObject(); }

HRESULT STDMETHODCALLTYPE ClassFactory::QueryInterface(REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  if (iid != IID_IUnknown && iid != IID_IClassFactory) {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  *out = static_cast<IClassFactory*>(this);
  AddRef();
  return S_OK;
}

ULONG STDMETHODCALLTYPE ClassFactory::AddRef() { return ++references_; }

ULONG STDMETHODCALLTYPE ClassFactory::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

HRESULT STDMETHODCALLTYPE ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (outer != nullptr) return CLASS_E_NOAGGREGATION;
  try {
    auto* object = new AutozilObject(server_, server_.addin().CreateObject(), server_.typeInfo());
    const HRESULT hr = object->QueryInterface(iid, out);
    object->Release();
    return hr;
  } catch (const automation::AutomationError& e) {
    return Fail(static_cast<HRESULT>(e.code()), e.what());
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (const std::exception& e) {
    return Fail(E_UNEXPECTED, e.what());
  }
}

HRESULT STDMETHODCALLTYPE ClassFactory::LockServer(BOOL lock) {
  server_.Lock(lock != FALSE);
  return S_OK;
}

}  // namespace zil::com
