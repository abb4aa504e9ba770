// Failures of the automation members as COM reports them: the result code, and an IErrorInfo on the
// thread carrying the message (source "zil.autozil", interface Iautozil), which dispatch callers receive
// in EXCEPINFO.
#pragma once

// clang-format off
#include "automation/hresult.h"
// clang-format on

#include <oaidl.h>

#include <string_view>

namespace zil::com {

inline constexpr wchar_t kErrorSource[] = L"zil.autozil";

// Sets the thread's error information to `message` (UTF-8) and returns `hr`.
HRESULT Fail(HRESULT hr, std::string_view message);

}  // namespace zil::com
