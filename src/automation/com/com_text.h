// Strings across the COM boundary: a BSTR in is read by its length (a null BSTR is the empty string, an
// embedded NUL is kept), a BSTR out is a new allocation the caller frees; messages are UTF-8 inside the
// add-in and UTF-16 in error information.
#pragma once

// clang-format off
#include "automation/hresult.h"
// clang-format on

#include <oleauto.h>

#include <string>
#include <string_view>

namespace zil::com {

inline std::u16string_view FromBstr(BSTR s) {
  return s == nullptr ? std::u16string_view()
                      : std::u16string_view(reinterpret_cast<const char16_t*>(s), SysStringLen(s));
}

// nullptr when out of memory.
inline BSTR ToBstr(std::u16string_view s) {
  return SysAllocStringLen(reinterpret_cast<const OLECHAR*>(s.data()), static_cast<UINT>(s.size()));
}

inline const WCHAR* Wide(const std::u16string& s) { return reinterpret_cast<const WCHAR*>(s.c_str()); }

}  // namespace zil::com
