// Painting the view scene (view_scene.h) with Qt: a region of the view at a time, in drawing order, with
// the preview's painter, so every font type looks as `zil render` draws it. A text too small to read at
// the view's scale is drawn as its box (a bar), or as a line along it when it is thinner than a pixel or
// two, as CAD programs do (such marks are drawn many at a time); what the view highlights is drawn over
// in the highlight colour.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QTransform>

#include "preview/scene_painter.h"
#include "view_scene.h"

namespace zil::workbench {

// Texts less high than this many pixels are drawn as boxes.
inline constexpr double kReadableTextPixels = 4.5;

class ViewPainter {
 public:
  // Throws std::runtime_error when the preview's font is not installed.
  ViewPainter() = default;

  // Paints `pixels` of `image`: paper, then what `scene` shows there through `toPixels` (drawing
  // coordinates to the image's pixels).
  void Paint(QImage& image, const QRect& pixels, const ViewScene& scene, const QTransform& toPixels) const;
  // Paints the given parts over what is there (the pixels of `painter`'s device), all in one colour, each
  // with a dashed outline of its box: highlighting.
  void PaintHighlighted(QPainter& painter, const std::vector<const EntityPart*>& parts, const ViewScene& scene,
                        const QTransform& toPixels) const;
  // One part of `scene` in its own colours; with `smallTextsAsBoxes`, texts too small to read as boxes
  // (printing draws every glyph).
  void PaintPart(QPainter& painter, const EntityPart& part, const QTransform& toPixels, bool smallTextsAsBoxes,
                 const ViewScene& scene) const;

  static QColor HighlightColour() { return QColor(30, 110, 255); }

 private:
  preview::ScenePainter scene_;
};

}  // namespace zil::workbench
