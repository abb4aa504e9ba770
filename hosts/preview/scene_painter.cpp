#include "preview/scene_painter.h"

#include <QFont>
#include <QFontDatabase>
#include <QPainter>
#include <QPen>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace zil::preview {
namespace {

constexpr double kFontPixels = 256;  // the size outlines are taken at; only proportions matter
constexpr double kMargin = 0.04;     // of the cell's height (above and below) and width (each side)

QColor ToQColor(Rgb c) { return QColor(c.r, c.g, c.b); }

QTransform ToQTransform(const Affine& m) { return QTransform(m.a, m.b, m.c, m.d, m.e, m.f); }

QString CharacterString(char32_t c) { return QString::fromUcs4(&c, 1); }

}  // namespace

Box2 WithMargin(const Box2& extents, double margin) {
  if (extents.Empty()) return Box2{{-0.5, -0.5}, {0.5, 0.5}};
  const double side = std::max(extents.hi.x - extents.lo.x, extents.hi.y - extents.lo.y);
  const double m = side > 0 ? side * margin : 0.5;
  return Box2{{extents.lo.x - m, extents.lo.y - m}, {extents.hi.x + m, extents.hi.y + m}};
}

QTransform SpaceToPixels(const Box2& window, QSize size) {
  const double w = window.hi.x - window.lo.x, h = window.hi.y - window.lo.y;
  double scale = 1;
  if (w > 0 && h > 0) {
    scale = std::min(size.width() / w, size.height() / h);
  } else if (w > 0) {
    scale = size.width() / w;
  } else if (h > 0) {
    scale = size.height() / h;
  }
  const double left = (size.width() - w * scale) / 2, bottom = (size.height() - h * scale) / 2;
  return QTransform(scale, 0, 0, -scale, left - window.lo.x * scale, size.height() - bottom + window.lo.y * scale);
}

ScenePainter::ScenePainter() {
  if (!QFontDatabase::families().contains(QString::fromLatin1(kPreviewFontFamily)))
    throw std::runtime_error(std::string("The preview draws with the font ") + kPreviewFontFamily +
                             ", which is not installed (on Debian: the package fonts-dejavu-core)");
  QFont font(QString::fromLatin1(kPreviewFontFamily));
  font.setPixelSize(static_cast<int>(kFontPixels));
  font_ = QRawFont::fromFont(font);
  if (!font_.isValid()) throw std::runtime_error(std::string("Could not load the font ") + kPreviewFontFamily);
  // The reference letters: the Hebrew alphabet, the digits and the Latin letters.
  std::u32string reference;
  for (char32_t c = 0x05D0; c <= 0x05EA; ++c) reference += c;
  for (char32_t c = U'0'; c <= U'9'; ++c) reference += c;
  for (char32_t c = U'A'; c <= U'Z'; ++c) reference += c, reference += c - U'A' + U'a';
  QRectF band;
  for (char32_t c : reference) band = band.united(Outline(c).boundingRect());
  bandTop_ = band.top();
  bandBottom_ = band.bottom();
}

const QPainterPath& ScenePainter::Outline(char32_t c) const {
  auto found = outlines_.find(c);
  if (found != outlines_.end()) return found->second;
  QPainterPath path;
  for (quint32 glyph : font_.glyphIndexesForString(CharacterString(c))) path.addPath(font_.pathForGlyph(glyph));
  return outlines_.emplace(c, path).first->second;
}

void ScenePainter::PaintText(QPainter& painter, const SceneText& text) const {
  const PlacedText& run = text.text;
  const std::size_t n = run.glyphs.size();
  if (n == 0 || run.height <= 0 || run.length <= 0) return;
  const QTransform device = painter.transform();
  const QTransform runToSpace = ToQTransform(run.runToEntity);
  const double cell = run.length / static_cast<double>(n);
  const double height = run.height * (1 - 2 * kMargin), bottom = run.height * kMargin;
  const double room = cell * (1 - 2 * kMargin);
  const double bandHeight = bandBottom_ - bandTop_;
  painter.setPen(Qt::NoPen);
  painter.setBrush(ToQColor(text.colour));
  for (std::size_t k = 0; k < n; ++k) {
    const QPainterPath& outline = Outline(run.glyphs[k]);
    const QRectF ink = outline.boundingRect();
    if (outline.isEmpty() || ink.width() <= 0 || ink.height() <= 0) continue;
    // Along the height: the reference band fills the cell; a glyph beyond it is shrunk into the cell.
    double sy = height / bandHeight;
    double base = bottom + bandBottom_ * sy;  // v of the baseline
    if (ink.top() < bandTop_ || ink.bottom() > bandBottom_) {
      sy = std::min(sy, height / ink.height());
      base = bottom + bandBottom_ * sy;
      const double low = base - ink.bottom() * sy, high = base - ink.top() * sy;
      if (low < bottom) base += bottom - low;
      if (high > bottom + height) base -= high - (bottom + height);
    }
    // Along the run: centred in the cell, narrowed to it.
    const double sx = std::min(sy, room / ink.width());
    const double centre = cell * (static_cast<double>(k) + 0.5);
    const double mirror = run.mirrorGlyphs ? -1 : 1;
    const QTransform glyphToRun(mirror * sx, 0, 0, -sy, centre - mirror * ink.center().x() * sx, base);
    painter.setTransform(glyphToRun * runToSpace * device);
    painter.drawPath(outline);
  }
  painter.setTransform(device);
}

void ScenePainter::PaintPrimitive(QPainter& painter, const ScenePrimitive& primitive,
                                  const QTransform& toPixels) const {
  if (const auto* text = std::get_if<SceneText>(&primitive)) {
    painter.setTransform(toPixels);
    PaintText(painter, *text);
    painter.resetTransform();
    return;
  }
  painter.resetTransform();
  const auto polygon = [&toPixels](const std::vector<Vec2>& points) {
    QPolygonF p;
    for (Vec2 v : points) p << toPixels.map(QPointF(v.x, v.y));
    return p;
  };
  if (const auto* line = std::get_if<ScenePolyline>(&primitive)) {
    QPen pen(ToQColor(line->colour));
    pen.setCosmetic(true);
    pen.setWidthF(1);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    if (line->points.size() == 1) {
      painter.drawPoint(toPixels.map(QPointF(line->points[0].x, line->points[0].y)));
    } else if (line->closed) {
      painter.drawPolygon(polygon(line->points));
    } else {
      painter.drawPolyline(polygon(line->points));
    }
  } else if (const auto* fill = std::get_if<SceneFill>(&primitive)) {
    painter.setPen(QPen(ToQColor(fill->colour), 0));
    painter.setBrush(ToQColor(fill->colour));
    painter.drawPolygon(polygon(fill->points));
  }
}

QImage ScenePainter::Paint(const Scene& scene, const Box2& window, QSize size) const {
  QImage image(size, QImage::Format_RGB32);
  image.fill(ToQColor(kPaper));
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  const QTransform toPixels = SpaceToPixels(window, size);
  for (const ScenePrimitive& primitive : scene.primitives) PaintPrimitive(painter, primitive, toPixels);
  painter.end();
  return image;
}

}  // namespace zil::preview
