// Registration of zil.dll, by DllRegisterServer and DllUnregisterServer:
//   HKCR\CLSID\{autozil}                  "autozil Object"
//     InprocServer32                      the DLL's path; ThreadingModel "Apartment"
//     ProgID                              "zil.autozil"
//     TypeLib                             {zil}
//   HKCR\zil.autozil                      "autozil Object"
//     CLSID                               {autozil}
//   the type library zil 1.0 (locale 1033) with its interface Iautozil, by RegisterTypeLib.
// Unregistration removes exactly these; a registration that fails half-way removes what it wrote.
#pragma once

// clang-format off
#include "automation/hresult.h"
// clang-format on

#include <windows.h>

#include <string>

namespace zil::com {

inline constexpr wchar_t kProgId[] = L"zil.autozil";
inline constexpr wchar_t kClassDescription[] = L"autozil Object";

HRESULT RegisterServer(const std::wstring& modulePath);
HRESULT UnregisterServer();

}  // namespace zil::com
