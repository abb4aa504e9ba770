#include "conversions/text_placement.h"

#include <cmath>
#include <numbers>

namespace zil::conversions {

double WithoutFullTurn(double angle) { return std::abs(angle / (2 * std::numbers::pi) - 1) < 1e-4 ? 0 : angle; }

void MakeAligned(acad::Entity& t, bool ignoreErrors) {
  constexpr int kAligned = 3;
  try {
    t.SetHorizontalAlignment(kAligned);
    t.SetAlignment(kAligned);
  } catch (const std::exception&) {
    if (!ignoreErrors) throw;
  }
}

void FlagBackwardUpsideDown(acad::Entity& t) {
  if (t.TextGenerationFlag() != 0) t.SetTextGenerationFlag(6);
}

}  // namespace zil::conversions
