#include "view_painter.h"

#include <QPen>
#include <QPolygonF>
#include <cmath>

namespace zil::workbench {
namespace {

constexpr double kLinePixels = 1.5;  // texts less high than this are a line along their baseline's middle

QColor ToQColor(preview::Rgb c) { return QColor(c.r, c.g, c.b); }

double Scale(const QTransform& t) { return std::sqrt(std::abs(t.determinant())); }

QPolygonF Pixels(const std::vector<Vec2>& points, const QTransform& toPixels) {
  QPolygonF polygon;
  for (Vec2 v : points) polygon << toPixels.map(QPointF(v.x, v.y));
  return polygon;
}

preview::ScenePrimitive InColour(preview::ScenePrimitive primitive, preview::Rgb colour) {
  std::visit([colour](auto& p) { p.colour = colour; }, primitive);
  return primitive;
}

}  // namespace

void ViewPainter::PaintPart(QPainter& painter, const EntityPart& part, const QTransform& toPixels,
                            bool smallTextsAsBoxes) const {
  const double scale = Scale(toPixels);
  for (const preview::ScenePrimitive& primitive : part.primitives) {
    const auto* text = std::get_if<preview::SceneText>(&primitive);
    const double pixels = text ? text->text.height * scale : 0;
    if (text && smallTextsAsBoxes && pixels < kReadableTextPixels) {
      const QPolygonF box = Pixels(preview::RunCorners(text->text), toPixels);
      painter.setRenderHint(QPainter::Antialiasing, false);
      if (pixels < kLinePixels) {
        QPen pen(ToQColor(text->colour));
        pen.setCosmetic(true);
        painter.setPen(pen);
        painter.drawLine((box[0] + box[3]) / 2, (box[1] + box[2]) / 2);
      } else {
        painter.setPen(Qt::NoPen);
        painter.setBrush(ToQColor(text->colour));
        painter.drawPolygon(box);
      }
      continue;
    }
    painter.setRenderHint(QPainter::Antialiasing, true);
    scene_.PaintPrimitive(painter, primitive, toPixels);
  }
}

void ViewPainter::Paint(QImage& image, const QRect& pixels, const ViewScene& scene, const QTransform& toPixels) const {
  QPainter painter(&image);
  painter.setClipRect(pixels);
  painter.fillRect(pixels, ToQColor(preview::kPaper));
  // A little more than the region: antialiasing reaches a pixel beyond a line.
  const QRectF guard = QRectF(pixels).adjusted(-2, -2, 2, 2);
  const QRectF region = toPixels.inverted().mapRect(guard);
  const Box2 box{{region.left(), region.top()}, {region.right(), region.bottom()}};
  for (const EntityPart* part : scene.InRegion(box)) PaintPart(painter, *part, toPixels, true);
}

void ViewPainter::PaintHighlighted(QPainter& painter, const std::vector<const EntityPart*>& parts,
                                   const QTransform& toPixels) const {
  const QColor colour = HighlightColour();
  const preview::Rgb rgb{static_cast<unsigned char>(colour.red()), static_cast<unsigned char>(colour.green()),
                         static_cast<unsigned char>(colour.blue())};
  for (const EntityPart* part : parts) {
    EntityPart highlighted{part->entity, part->order, part->box, {}};
    for (const preview::ScenePrimitive& primitive : part->primitives)
      highlighted.primitives.push_back(InColour(primitive, rgb));
    PaintPart(painter, highlighted, toPixels, true);
    if (part->box.Empty()) continue;
    QPen pen(colour, 1, Qt::DashLine);
    pen.setCosmetic(true);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QRectF box = toPixels.mapRect(QRectF(QPointF(part->box.lo.x, part->box.lo.y),
                                               QPointF(part->box.hi.x, part->box.hi.y)))
                           .normalized()
                           .adjusted(-2, -2, 2, 2);
    painter.drawRect(box);
  }
}

}  // namespace zil::workbench
