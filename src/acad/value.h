// Values of system variables and selection filters: empty, integer, real, string or point.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "acad/point.h"

namespace zil::acad {

using Value = std::variant<std::monostate, std::int32_t, double, std::u16string, Point>;

}  // namespace zil::acad
