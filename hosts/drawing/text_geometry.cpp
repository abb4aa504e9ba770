#include "drawing/text_geometry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

#include "textcore/shx_glyphs.h"

namespace zil::drawing {
namespace {

// The named point of the unmirrored box, in text coordinates.
std::pair<double, double> Anchor(const TextGeometry& t, double length) {
  double x = 0;
  switch (t.horizontal) {
    case kCenter:
      x = length / 2;
      break;
    case kRight:
      x = length;
      break;
    case kMiddle:
      x = length / 2;
      break;
    default:
      break;
  }
  double y = 0;
  if (t.horizontal == kMiddle) {
    y = t.height / 2;
  } else {
    switch (t.vertical) {
      case kVerticalMiddle:
        y = t.height / 2;
        break;
      case kTop:
        y = t.height;
        break;
      default:
        break;  // baseline and bottom
    }
  }
  if (RunsLeftward(t)) x = -x;
  if (t.upsideDown) y = -y;
  return {x, y};
}

// Text coordinates to world coordinates.
Point ToWorld(const TextGeometry& t, double x, double y) {
  const double c = std::cos(t.rotation), s = std::sin(t.rotation);
  return {t.insertion.x + x * c - y * s, t.insertion.y + x * s + y * c, t.insertion.z};
}

double Advance(const TextGeometry& t) { return kCharacterAdvance * t.height * t.widthFactor; }

}  // namespace

double TextLength(const TextGeometry& t) {
  if (UsesBothPoints(t.horizontal)) return std::hypot(t.alignment.x - t.insertion.x, t.alignment.y - t.insertion.y);
  return Advance(t) * t.characters;
}

void Recompute(TextGeometry& t) {
  if (UsesBothPoints(t.horizontal)) {
    const double dx = t.alignment.x - t.insertion.x, dy = t.alignment.y - t.insertion.y;
    const double distance = std::hypot(dx, dy);
    if (distance > 0) {
      // The text runs from the insertion point towards the alignment point; a text that runs towards -x
      // of its baseline turns the other way.
      const bool leftward = RunsLeftward(t);
      t.rotation = std::atan2(leftward ? -dy : dy, leftward ? -dx : dx);
      if (t.characters > 0) {
        const double natural = kCharacterAdvance * t.characters;
        if (t.horizontal == kAligned) {
          t.height = distance / (natural * t.widthFactor);
        } else {
          t.widthFactor = distance / (natural * t.height);
        }
      }
    }
    return;
  }
  if (UsesInsertionPoint(t)) return;
  const auto [ax, ay] = Anchor(t, TextLength(t));
  const double c = std::cos(t.rotation), s = std::sin(t.rotation);
  t.insertion = {t.alignment.x - (ax * c - ay * s), t.alignment.y - (ax * s + ay * c), t.alignment.z};
}

int GlyphCount(std::u16string_view text) { return textcore::GlyphCells(text); }

std::array<Point, 4> Corners(const TextGeometry& t) {
  const double length = TextLength(t);
  const double x1 = 0, x2 = RunsLeftward(t) ? -length : length;
  const double y1 = 0, y2 = t.upsideDown ? -t.height : t.height;
  return {ToWorld(t, x1, y1), ToWorld(t, x2, y1), ToWorld(t, x2, y2), ToWorld(t, x1, y2)};
}

std::pair<Point, Point> BoxAround(std::span<const Point> points) {
  if (points.empty()) return {};
  Point lo = points.front(), hi = points.front();
  for (const Point& p : points) {
    lo.x = std::min(lo.x, p.x), lo.y = std::min(lo.y, p.y), lo.z = std::min(lo.z, p.z);
    hi.x = std::max(hi.x, p.x), hi.y = std::max(hi.y, p.y), hi.z = std::max(hi.z, p.z);
  }
  return {lo, hi};
}

std::pair<Point, Point> BoundingBox(const TextGeometry& t) {
  const auto corners = Corners(t);
  return BoxAround(corners);
}

void SetAlignment(TextGeometry& t, int horizontal, int vertical) {
  const double length = TextLength(t);
  const double direction = RunsLeftward(t) ? -1 : 1;
  t.horizontal = horizontal;
  t.vertical = UsesBothPoints(horizontal) || horizontal == kMiddle ? kBaseline : vertical;
  if (UsesBothPoints(horizontal)) {
    // The text stays: it now runs from its start to the end of its baseline.
    t.alignment = ToWorld(t, direction * length, 0);
    return;
  }
  if (UsesInsertionPoint(t)) {
    t.alignment = {};
    return;
  }
  const auto [ax, ay] = Anchor(t, length);
  t.alignment = ToWorld(t, ax, ay);
}

void SetAlignmentCode(TextGeometry& t, int alignment) {
  // AcAlignment: Left 0, Center 1, Right 2, Aligned 3, Middle 4, Fit 5, then TopLeft 6 ... BottomRight 14.
  if (alignment < 0 || alignment > 14) throw std::invalid_argument("an alignment is 0..14");
  if (alignment <= 5) return SetAlignment(t, alignment, kBaseline);
  const int row = (alignment - 6) / 3;     // 0 top, 1 middle, 2 bottom
  const int column = (alignment - 6) % 3;  // 0 left, 1 center, 2 right
  SetAlignment(t, column, row == 0 ? kTop : row == 1 ? kVerticalMiddle : kBottom);
}

int AlignmentCode(const TextGeometry& t) {
  if (t.vertical == kBaseline || t.horizontal > kRight) return t.horizontal;
  const int row = t.vertical == kTop ? 0 : t.vertical == kVerticalMiddle ? 1 : 2;
  return 6 + row * 3 + t.horizontal;
}

void SetAlignmentPoint(TextGeometry& t, const Point& p) {
  PlaceAlignmentPoint(t, p);
  Recompute(t);
}

void SetInsertionPoint(TextGeometry& t, const Point& p) {
  const bool defines = UsesInsertionPoint(t) || UsesBothPoints(t.horizontal);
  PlaceInsertionPoint(t, p);
  if (defines) Recompute(t);
}

void PlaceInsertionPoint(TextGeometry& t, const Point& p) {
  if (UsesInsertionPoint(t) || UsesBothPoints(t.horizontal)) {
    t.insertion = p;
    return;
  }
  Move(t, t.insertion, p);  // the whole text moves
}

void Move(TextGeometry& t, const Point& from, const Point& to) {
  const double dx = to.x - from.x, dy = to.y - from.y, dz = to.z - from.z;
  for (Point* p : {&t.insertion, &t.alignment}) p->x += dx, p->y += dy, p->z += dz;
}

Point RotatePoint(const Point& p, const Point& base, double angle) {
  const double c = std::cos(angle), s = std::sin(angle);
  const double dx = p.x - base.x, dy = p.y - base.y;
  return {base.x + dx * c - dy * s, base.y + dx * s + dy * c, p.z};
}

void Rotate(TextGeometry& t, const Point& base, double angle) {
  t.insertion = RotatePoint(t.insertion, base, angle);
  if (!UsesInsertionPoint(t)) t.alignment = RotatePoint(t.alignment, base, angle);
  t.rotation += angle;
}

}  // namespace zil::drawing
