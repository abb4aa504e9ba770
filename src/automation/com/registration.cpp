#include "automation/com/registration.h"

#include <oleauto.h>

#include <array>

#include "automation/com/zil.h"

namespace zil::com {
namespace {

std::wstring GuidText(REFGUID guid) {
  std::array<wchar_t, 40> text{};
  StringFromGUID2(guid, text.data(), static_cast<int>(text.size()));
  return text.data();
}

std::wstring ClassKey() { return L"CLSID\\" + GuidText(CLSID_autozil); }

// Creates HKCR\<key> and sets one value (the default value when `name` is null).
HRESULT SetValue(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
  HKEY handle = nullptr;
  LSTATUS status = RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                                   nullptr, &handle, nullptr);
  if (status != ERROR_SUCCESS) return HRESULT_FROM_WIN32(status);
  const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
  status = RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), bytes);
  RegCloseKey(handle);
  return status == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(status);
}

HRESULT DeleteTree(const std::wstring& key) {
  const LSTATUS status = RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
  if (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) return S_OK;
  return HRESULT_FROM_WIN32(status);
}

HRESULT RegisterClassKeys(const std::wstring& modulePath) {
  const std::wstring classKey = ClassKey();
  const std::wstring classId = GuidText(CLSID_autozil);
  const std::pair<std::wstring, std::pair<const wchar_t*, std::wstring>> values[] = {
      {classKey, {nullptr, kClassDescription}},
      {classKey + L"\\InprocServer32", {nullptr, modulePath}},
      {classKey + L"\\InprocServer32", {L"ThreadingModel", L"Apartment"}},
      {classKey + L"\\ProgID", {nullptr, kProgId}},
      {classKey + L"\\TypeLib", {nullptr, GuidText(LIBID_zil)}},
      {kProgId, {nullptr, kClassDescription}},
      {std::wstring(kProgId) + L"\\CLSID", {nullptr, classId}},
  };
  for (const auto& [key, value] : values) {
    const HRESULT hr = SetValue(key, value.first, value.second);
    if (FAILED(hr)) return hr;
  }
  return S_OK;
}

HRESULT RegisterLibrary(const std::wstring& modulePath) {
  ITypeLib* library = nullptr;
  HRESULT hr = LoadTypeLibEx(modulePath.c_str(), REGKIND_NONE, &library);
  if (FAILED(hr)) return hr;
  std::wstring path = modulePath;  // RegisterTypeLib takes a non-const string
  hr = RegisterTypeLib(library, path.data(), nullptr);
  library->Release();
  return hr;
}

}  // namespace

HRESULT RegisterServer(const std::wstring& modulePath) {
  if (modulePath.empty()) return E_UNEXPECTED;
  HRESULT hr = RegisterClassKeys(modulePath);
  if (SUCCEEDED(hr)) hr = RegisterLibrary(modulePath);
  if (FAILED(hr)) UnregisterServer();
  return FAILED(hr) ? hr : S_OK;
}

HRESULT UnregisterServer() {
  // A library that is not registered is already gone: unregistering twice succeeds. (Asking
  // UnRegisterTypeLib would not tell: its failure for a library it does not find differs between systems.)
  HRESULT library = S_OK;
  BSTR registeredPath = nullptr;
  if (SUCCEEDED(QueryPathOfRegTypeLib(LIBID_zil, 1, 0, 0x0409, &registeredPath))) {
    SysFreeString(registeredPath);
    library = UnRegisterTypeLib(LIBID_zil, 1, 0, 0x0409, SYS_WIN64);
  }
  const HRESULT classKey = DeleteTree(ClassKey());
  const HRESULT progId = DeleteTree(kProgId);
  if (FAILED(classKey)) return classKey;
  if (FAILED(progId)) return progId;
  return SUCCEEDED(library) ? S_OK : library;
}

}  // namespace zil::com
