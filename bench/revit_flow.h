// The floor under `zil revit`: the Revit conversion of texts held in plain fields, with no drawing behind
// them. Every member the conversion calls is a field read or write, the box a character count. It is the
// least any host adds its own work to, and tells a slow host from a slow conversion: `zil revit` on a
// drawing of N texts cannot be faster than N times this plus loading and saving the file.
#pragma once

#include <cstddef>

namespace zil::bench {

// The seconds ConvertTextForRevit takes on `count` texts as the benchmark drawing holds them (DOS Hebrew
// with numbers and Latin, at angles in steps of 45 degrees), in a style of DOS Hebrew; the median of `runs`.
double RevitFlowSeconds(std::size_t count, int runs = 5);

}  // namespace zil::bench
