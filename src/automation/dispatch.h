// Late-bound calls on the automation object, as automation's dispatch makes them: a member chosen by its
// dispatch identifier or its name (compared without regard to case), arguments coerced to the member's
// parameter types, the result code, the error message and, for a property get, the value.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "automation/autozil.h"
#include "automation/member_table.h"
#include "automation/variant.h"

namespace zil::automation {

struct InvokeResult {
  HRESULT hr = S_OK;
  std::string error;
  std::optional<std::u16string> value;  // a property get's value
};

// Invokes `member` with `args` in parameter order. A wrong number of arguments is DISP_E_BADPARAMCOUNT;
// an argument that cannot become its parameter's type DISP_E_TYPEMISMATCH or DISP_E_OVERFLOW.
InvokeResult Invoke(Tautozil& object, const MemberInfo& member, std::span<const Variant> args);

InvokeResult Invoke(Tautozil& object, int dispid, std::span<const Variant> args);

// By name; an unknown name is DISP_E_UNKNOWNNAME.
InvokeResult Invoke(Tautozil& object, std::u16string_view name, std::span<const Variant> args);

}  // namespace zil::automation
