// Painting a scene (scene.h) with Qt onto an image: lines and fills in their colours on white paper, and
// each text's glyph run in its glyph cells. Every style draws with one font that has the Hebrew letters,
// DejaVu Sans. The font's own advances and heights differ from the font-metric model, so each glyph's
// outline is fitted into its cell: scaled so that the tallest and deepest reference letters reach from
// the bottom to the top of the cell (with a small margin), narrowed when it is wider than its cell, and
// centred in it; a glyph that reaches beyond the reference letters is shrunk to the cell. The ink of a
// text thus never leaves the box the host gives it.
//
// Needs a running QGuiApplication (render.h starts one when there is none).
#pragma once

#include <QImage>
#include <QPainterPath>
#include <QRawFont>
#include <QSize>
#include <QTransform>
#include <unordered_map>

#include "preview/scene.h"

namespace zil::preview {

// The font every style draws with.
inline constexpr const char* kPreviewFontFamily = "DejaVu Sans";

// The transform from the space's coordinates to the pixels of an image of `size` that shows `window`
// whole, centred, with the same scale along x and y (y up in the space, down in the image).
QTransform SpaceToPixels(const Box2& window, QSize size);

// `extents` grown by `margin` (a fraction of its larger side) on every side; a unit box about the origin
// when it is empty.
Box2 WithMargin(const Box2& extents, double margin);

class ScenePainter {
 public:
  // Throws std::runtime_error when DejaVu Sans is not installed.
  ScenePainter();

  // The scene on white paper; `window` is the part of the space shown.
  QImage Paint(const Scene& scene, const Box2& window, QSize size) const;
  // One text onto a painter whose transform maps the space to the device.
  void PaintText(QPainter& painter, const SceneText& text) const;
  // One primitive onto a painter, through `toPixels` (the space to the device); leaves the painter's
  // transform reset.
  void PaintPrimitive(QPainter& painter, const ScenePrimitive& primitive, const QTransform& toPixels) const;

 private:
  const QPainterPath& Outline(char32_t c) const;

  QRawFont font_;
  double bandTop_ = 0;  // the reference letters' ink, in font units, y down from the baseline
  double bandBottom_ = 0;
  mutable std::unordered_map<char32_t, QPainterPath> outlines_;
};

}  // namespace zil::preview
