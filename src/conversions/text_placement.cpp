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

// `p` turned by `angle` about `base`, in the xy plane.
Point Turned(const Point& p, const Point& base, double angle) {
  const double c = std::cos(angle), s = std::sin(angle);
  return {base.x + (p.x - base.x) * c - (p.y - base.y) * s, base.y + (p.x - base.x) * s + (p.y - base.y) * c, p.z};
}

// The two ends of the new baseline, left and right.
struct Baseline {
  Point left, right;
};

// Sets the points of an aligned text so that it runs along `ends` in the direction its font draws.
void Place(acad::Entity& t, const Baseline& ends, bool rightToLeft) {
  t.SetInsertionPoint(rightToLeft ? ends.right : ends.left);
  t.SetTextAlignmentPoint(rightToLeft ? ends.left : ends.right);
}

void RewriteRotated(acad::Entity& t, const TextBefore& before, const std::u16string& text, const std::u16string& style,
                    bool rightToLeft) {
  const double a = before.angle;
  const Point p0 = before.insertion;
  t.Rotate(p0, -a);
  // The ground the text covers, horizontal, on its baseline through p0; then back at its angle.
  const auto [lo, hi] = t.GetBoundingBox();
  const Baseline ends{Turned({lo.x, p0.y, p0.z}, p0, a), Turned({hi.x, p0.y, p0.z}, p0, a)};
  Rewrite(t, text, style);
  MakeAligned(t, true);
  Place(t, ends, rightToLeft);
}

void RewriteHorizontal(acad::Entity& t, const TextBefore& before, const std::u16string& text,
                       const std::u16string& style, bool rightToLeft) {
  const double z = before.insertion.z;
  const auto [lo, hi] = t.GetBoundingBox();
  MakeAligned(t, false);
  Baseline ends;
  if (before.backwards || t.TextGenerationFlag() != 0 || before.type == DosEnglishR) {
    ends = {{lo.x, lo.y, z}, {hi.x, lo.y, z}};
  } else {
    const Point p = t.InsertionPoint();
    ends = {{p.x, p.y, z}, {hi.x, p.y, z}};
  }
  Place(t, ends, rightToLeft);
  Rewrite(t, text, style);
}

}  // namespace

double WithoutFullTurn(double angle) { return std::abs(angle / (2 * std::numbers::pi) - 1) < 1e-4 ? 0 : angle; }

void RewriteAsAligned(acad::Entity& t, const TextBefore& before, const std::u16string& text,
                      const std::u16string& style, bool styleRightToLeft) {
  if (before.angle != 0) {
    RewriteRotated(t, before, text, style, styleRightToLeft);
  } else {
    RewriteHorizontal(t, before, text, style, styleRightToLeft);
  }
}

}  // namespace zil::conversions
