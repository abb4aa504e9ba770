#include "conversions/text_placement.h"

#include <cmath>
#include <numbers>

namespace zil::conversions {
namespace {

using acad::Point;

constexpr int kAligned = 3;

// The horizontal and full alignment := aligned. `ignoreErrors`: an error of the host is swallowed.
void MakeAligned(acad::Entity& t, bool ignoreErrors) {
  try {
    t.SetHorizontalAlignment(kAligned);
    t.SetAlignment(kAligned);
  } catch (const std::exception&) {
    if (!ignoreErrors) throw;
  }
}

void Rewrite(acad::Entity& t, const std::u16string& text, const std::u16string& style) {
  t.SetTextString(text);
  t.SetStyleName(style);
  if (t.TextGenerationFlag() != 0) t.SetTextGenerationFlag(6);
}

void RewriteRotated(acad::Entity& t, const TextBefore& before, const std::u16string& text,
                    const std::u16string& style) {
  const double a = before.angle;
  const Point p0 = before.insertion;
  t.Rotate(p0, -a);
  const Point p1 = t.InsertionPoint();
  const Point q = t.TextAlignmentPoint();
  const auto [lo, hi] = t.GetBoundingBox();
  const double d1 = std::hypot(p0.x - lo.x, p0.y - lo.y);
  const double d2 = std::hypot(p0.x - hi.x, p0.y - lo.y);
  // A text drawn right to left runs from its insertion point the other way along its line.
  const double side = (before.backwards || before.type == DosEnglishR) ? -1 : 1;
  const Point first{p0.x + side * d1 * std::cos(a), p0.y + side * d1 * std::sin(a), p0.z};
  const Point second{p0.x + side * d2 * std::cos(a), p0.y + side * d2 * std::sin(a), p0.z};
  // A text aligned other than left, whose alignment point is not right of its insertion point, starts at the
  // second point.
  const bool notLeft = q.x != 0 && q.y != 0;
  const bool swap = notLeft && q.x <= p1.x;
  Rewrite(t, text, style);
  MakeAligned(t, true);
  t.SetInsertionPoint(swap ? second : first);
  t.SetTextAlignmentPoint(swap ? first : second);
}

void RewriteHorizontal(acad::Entity& t, const TextBefore& before, const std::u16string& text,
                       const std::u16string& style) {
  const double z = before.insertion.z;
  const auto [lo, hi] = t.GetBoundingBox();
  if (before.backwards || t.TextGenerationFlag() != 0) {
    MakeAligned(t, false);
    t.SetTextAlignmentPoint({hi.x, lo.y, z});
    t.SetInsertionPoint({lo.x, lo.y, z});
  } else if (before.type != DosEnglishR) {
    MakeAligned(t, false);
    t.SetTextAlignmentPoint({hi.x, t.InsertionPoint().y, z});
  } else {
    MakeAligned(t, false);
    t.SetInsertionPoint({lo.x, lo.y, z});
    t.SetTextAlignmentPoint({hi.x, lo.y, z});
  }
  Rewrite(t, text, style);
}

}  // namespace

double WithoutFullTurn(double angle) { return std::abs(angle / (2 * std::numbers::pi) - 1) < 1e-4 ? 0 : angle; }

void RewriteAsAligned(acad::Entity& t, const TextBefore& before, const std::u16string& text,
                      const std::u16string& style) {
  if (before.angle != 0) {
    RewriteRotated(t, before, text, style);
  } else {
    RewriteHorizontal(t, before, text, style);
  }
}

}  // namespace zil::conversions
