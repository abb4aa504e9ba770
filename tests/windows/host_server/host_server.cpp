// zil_test_host.dll: the stand-in CAD host as an in-process COM automation server, for testing zil.dll's
// AutoCAD adapter under Wine. Its class "zilstandin.Application" makes a new application with no drawing
// open (host_objects.h); regsvr32 registers it (apartment threading) and /u removes what it wrote.
#include <windows.h>

#include <atomic>
#include <new>
#include <string>

#include "host_objects.h"

namespace {

// {6E0D2F3B-5C1A-4E7B-9A53-2B8C4D1E7F60}
constexpr CLSID kClassId = {0x6e0d2f3b, 0x5c1a, 0x4e7b, {0x9a, 0x53, 0x2b, 0x8c, 0x4d, 0x1e, 0x7f, 0x60}};
constexpr wchar_t kClassKey[] = L"CLSID\\{6E0D2F3B-5C1A-4E7B-9A53-2B8C4D1E7F60}";
constexpr wchar_t kProgId[] = L"zilstandin.Application";

HMODULE module = nullptr;
std::atomic<long> locks{0};

class Factory final : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    if (iid != IID_IUnknown && iid != IID_IClassFactory) {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    *out = static_cast<IClassFactory*>(this);
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // one static factory for the module
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    try {
      zil::testhost::DispatchObject* application = zil::testhost::NewApplication();
      const HRESULT hr = application->QueryInterface(iid, out);
      application->Release();
      return hr;
    } catch (const std::bad_alloc&) {
      return E_OUTOFMEMORY;
    }
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    if (lock) {
      ++locks;
    } else {
      --locks;
    }
    return S_OK;
  }
};

Factory factory;

HRESULT SetValue(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
  HKEY handle = nullptr;
  LSTATUS status = RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                                   nullptr, &handle, nullptr);
  if (status == ERROR_SUCCESS) {
    status = RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                            static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(handle);
  }
  return HRESULT_FROM_WIN32(status);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    module = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (clsid != kClassId) return CLASS_E_CLASSNOTAVAILABLE;
  return factory.QueryInterface(iid, out);
}

STDAPI DllCanUnloadNow() { return zil::testhost::DispatchObject::Alive() == 0 && locks == 0 ? S_OK : S_FALSE; }

STDAPI DllRegisterServer() {
  wchar_t path[MAX_PATH] = {};
  if (GetModuleFileNameW(module, path, MAX_PATH) == 0) return HRESULT_FROM_WIN32(GetLastError());
  const std::wstring classKey = kClassKey;
  for (HRESULT hr :
       {SetValue(classKey, nullptr, L"zil stand-in host"), SetValue(classKey + L"\\InprocServer32", nullptr, path),
        SetValue(classKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment"),
        SetValue(classKey + L"\\ProgID", nullptr, kProgId), SetValue(kProgId, nullptr, L"zil stand-in host"),
        SetValue(std::wstring(kProgId) + L"\\CLSID", nullptr, classKey.substr(6))}) {
    if (FAILED(hr)) return hr;
  }
  return S_OK;
}

STDAPI DllUnregisterServer() {
  for (const wchar_t* key : {kClassKey, kProgId}) {
    const LSTATUS status = RegDeleteTreeW(HKEY_CLASSES_ROOT, key);
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) return HRESULT_FROM_WIN32(status);
  }
  return S_OK;
}
