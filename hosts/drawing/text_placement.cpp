#include "drawing/text_placement.h"

#include <cmath>
#include <numbers>

namespace zil::drawing {
namespace {

acad::Point ToAcad(Point p) { return {p.x, p.y, p.z}; }
Point FromAcad(acad::Point p) { return {p.x, p.y, p.z}; }

bool Same(double a, double b) { return std::abs(a - b) <= 1e-9 * std::max(1.0, std::abs(a)); }
bool Same(const Point& a, const acad::Point& b) { return Same(a.x, b.x) && Same(a.y, b.y) && Same(a.z, b.z); }

double Radians(double degrees) { return degrees * std::numbers::pi / 180; }
double Degrees(double radians) { return radians * 180 / std::numbers::pi; }

}  // namespace

TextGeometry ReadTextGeometry(const TextView& text) {
  TextGeometry t;
  t.insertion = ToAcad(text.InsertionPoint());
  t.horizontal = text.HorizontalAlignment();
  t.vertical = text.VerticalAlignment();
  // A text aligned by its alignment point that has none is placed by its insertion point.
  t.alignment = ToAcad(text.AlignmentPoint().value_or(UsesInsertionPoint(t) ? Point{} : text.InsertionPoint()));
  t.height = text.Height();
  t.widthFactor = text.WidthFactor();
  t.rotation = Radians(text.RotationDegrees());
  const int flags = text.GenerationFlags();
  t.backward = (flags & 2) != 0;
  t.upsideDown = (flags & 4) != 0;
  t.characters = GlyphCount(text.TextString());
  Recompute(t);
  return t;
}

void WriteTextGeometry(TextView& text, const TextGeometry& t) {
  EntityView::Batch batch(text);  // one change of the record, however many groups change
  if (text.HorizontalAlignment() != t.horizontal) text.SetHorizontalAlignment(t.horizontal);
  if (text.VerticalAlignment() != t.vertical) text.SetVerticalAlignment(t.vertical);
  if (!Same(text.InsertionPoint(), t.insertion)) text.SetInsertionPoint(FromAcad(t.insertion));
  const auto alignment = text.AlignmentPoint();
  if (alignment ? !Same(*alignment, t.alignment) : !UsesInsertionPoint(t))
    text.SetAlignmentPoint(FromAcad(t.alignment));
  if (!Same(text.Height(), t.height)) text.SetHeight(t.height);
  if (!Same(text.WidthFactor(), t.widthFactor)) text.SetWidthFactor(t.widthFactor);
  if (!Same(Radians(text.RotationDegrees()), t.rotation)) text.SetRotationDegrees(Degrees(t.rotation));
  const int flags = text.GenerationFlags();
  const int wanted = (flags & ~6) | (t.backward ? 2 : 0) | (t.upsideDown ? 4 : 0);
  if (flags != wanted) text.SetGenerationFlags(wanted);
  batch.Commit();
}

OcsAxes AxesOfText(const TextView& text) { return AxesOf(ExtrusionOf(text.Rec().Tags(), text.Owner().File())); }

std::pair<acad::Point, acad::Point> TextBoundingBox(const TextView& text) {
  return TextBoundingBox(ReadTextGeometry(text), AxesOfText(text));
}

std::pair<acad::Point, acad::Point> TextBoundingBox(const TextGeometry& t, const OcsAxes& axes) {
  std::array<acad::Point, 4> corners = Corners(t);
  for (acad::Point& p : corners) p = ToAcad(ToWorld(FromAcad(p), axes));
  return BoxAround(corners);
}

}  // namespace zil::drawing
