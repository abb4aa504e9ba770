// Automation arguments and results, and their coercion to a member's parameter types as automation's
// dispatch does it (VariantChangeType): numbers round half to even and must fit the target type, strings
// parse as numbers, an application object goes only where one is expected.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <variant>

#include "acad/application.h"

namespace zil::automation {

using ApplicationRef = std::shared_ptr<acad::Application>;

// Empty, Boolean, 32-bit integer, double, string, application object.
using Variant = std::variant<std::monostate, bool, std::int32_t, double, std::u16string, ApplicationRef>;

enum class ParamType { String, Int8, Application };

// The argument as the parameter type. Throws AutomationError: DISP_E_OVERFLOW for a number outside the
// type's range, DISP_E_TYPEMISMATCH for a value that cannot become the type.
std::u16string CoerceToString(const Variant& v);
std::int8_t CoerceToInt8(const Variant& v);
ApplicationRef CoerceToApplication(const Variant& v);

}  // namespace zil::automation
