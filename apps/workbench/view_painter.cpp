#include "view_painter.h"

#include <QLineF>
#include <QPen>
#include <QPolygonF>
#include <array>
#include <cmath>

namespace zil::workbench {
namespace {

constexpr double kLinePixels = 1.5;  // texts less high than this are a line along their middle

QColor ToQColor(preview::Rgb c) { return QColor(c.r, c.g, c.b); }

double Scale(const QTransform& t) { return std::sqrt(std::abs(t.determinant())); }

preview::ScenePrimitive InColour(preview::ScenePrimitive primitive, preview::Rgb colour) {
  std::visit([colour](auto& p) { p.colour = colour; }, primitive);
  return primitive;
}

// A point of a text's run space (u along the baseline, v up) in pixels.
QPointF RunPoint(const TextMark& text, const QTransform& toPixels, double u, double v) {
  const preview::Vec2 p = text.runToSpace({u, v});
  return toPixels.map(QPointF(p.x, p.y));
}

// Paints texts too small to read as bars and lines, many at a time: the lines of one colour are drawn in
// one call, and the painter's state changes only when the colour or the kind of mark does.
class Marks {
 public:
  Marks(QPainter& painter, const QTransform& toPixels) : painter_(painter), toPixels_(toPixels) {}
  ~Marks() { Flush(); }

  void Add(const TextMark& text, double pixels) {
    const TextMark& run = text;
    if (pixels < kLinePixels) {
      if (!lines_.empty() && !(text.colour == linesColour_)) Flush();
      linesColour_ = text.colour;
      lines_.append(
          QLineF(RunPoint(run, toPixels_, 0, run.height / 2), RunPoint(run, toPixels_, run.length, run.height / 2)));
      return;
    }
    Flush();
    const std::array<QPointF, 4> box = {RunPoint(run, toPixels_, 0, 0), RunPoint(run, toPixels_, run.length, 0),
                                        RunPoint(run, toPixels_, run.length, run.height),
                                        RunPoint(run, toPixels_, 0, run.height)};
    Prepare();
    if (!fillSet_ || !(fillColour_ == text.colour)) {
      painter_.setPen(Qt::NoPen);
      painter_.setBrush(ToQColor(text.colour));
      fillColour_ = text.colour;
      fillSet_ = true;
    }
    painter_.drawPolygon(box.data(), static_cast<int>(box.size()));
  }

  // Before anything else is painted: the marks so far first, and the painter's state is no longer known.
  void Flush() {
    if (!lines_.empty()) {
      Prepare();
      QPen pen(ToQColor(linesColour_));
      pen.setCosmetic(true);
      painter_.setPen(pen);
      painter_.drawLines(lines_);
      lines_.clear();
    }
    fillSet_ = false;
  }

  void Release() {
    Flush();
    prepared_ = false;
  }

 private:
  void Prepare() {
    if (prepared_) return;
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.resetTransform();
    prepared_ = true;
  }

  QPainter& painter_;
  const QTransform& toPixels_;
  QList<QLineF> lines_;
  preview::Rgb linesColour_;
  preview::Rgb fillColour_;
  bool fillSet_ = false;
  bool prepared_ = false;
};

// Paints the parts, texts too small to read as marks; `full` gives a part's primitives with glyphs.
template <typename Full>
void PaintParts(QPainter& painter, const std::vector<const EntityPart*>& parts, const QTransform& toPixels,
                const preview::ScenePainter& scene, bool smallTextsAsBoxes, Full&& full) {
  const double scale = Scale(toPixels);
  Marks marks(painter, toPixels);
  const auto paint = [&](const preview::ScenePrimitive& primitive) {
    marks.Release();
    painter.setRenderHint(QPainter::Antialiasing, true);
    scene.PaintPrimitive(painter, primitive, toPixels);
  };
  for (const EntityPart* part : parts) {
    if (const TextMark* mark = part->Mark()) {
      const double pixels = mark->height * scale;
      if (smallTextsAsBoxes && pixels < kReadableTextPixels) {
        marks.Add(*mark, pixels);
      } else {
        for (const preview::ScenePrimitive& primitive : full(*part)) paint(primitive);
      }
      continue;
    }
    bool readable = !smallTextsAsBoxes && part->hasTexts;
    if (!readable && part->hasTexts) {
      for (const preview::ScenePrimitive& primitive : part->Primitives()) {
        const auto* text = std::get_if<preview::SceneText>(&primitive);
        if (text && text->text.height * scale >= kReadableTextPixels) readable = true;
      }
    }
    for (const preview::ScenePrimitive& primitive : readable ? full(*part) : part->Primitives()) {
      const auto* text = std::get_if<preview::SceneText>(&primitive);
      if (text && smallTextsAsBoxes && text->text.height * scale < kReadableTextPixels) {
        marks.Add(MarkOf(*text), text->text.height * scale);
      } else {
        paint(primitive);
      }
    }
  }
}

}  // namespace

void ViewPainter::PaintPart(QPainter& painter, const EntityPart& part, const QTransform& toPixels,
                            bool smallTextsAsBoxes, const ViewScene& scene) const {
  PaintParts(painter, {&part}, toPixels, scene_, smallTextsAsBoxes,
             [&scene](const EntityPart& p) -> const std::vector<preview::ScenePrimitive>& { return scene.Full(p); });
}

void ViewPainter::Paint(QImage& image, const QRect& pixels, const ViewScene& scene, const QTransform& toPixels) const {
  QPainter painter(&image);
  painter.setClipRect(pixels);
  painter.fillRect(pixels, ToQColor(preview::kPaper));
  // A little more than the region: antialiasing reaches a pixel beyond a line.
  const QRectF guard = QRectF(pixels).adjusted(-2, -2, 2, 2);
  const QRectF region = toPixels.inverted().mapRect(guard);
  const Box2 box{{region.left(), region.top()}, {region.right(), region.bottom()}};
  PaintParts(painter, scene.InRegion(box), toPixels, scene_, true,
             [&scene](const EntityPart& p) -> const std::vector<preview::ScenePrimitive>& { return scene.Full(p); });
}

void ViewPainter::PaintHighlighted(QPainter& painter, const std::vector<const EntityPart*>& parts,
                                   const ViewScene& scene, const QTransform& toPixels) const {
  const QColor colour = HighlightColour();
  const preview::Rgb rgb{static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
                         static_cast<std::uint8_t>(colour.blue())};
  for (const EntityPart* part : parts) {
    std::vector<preview::ScenePrimitive> recoloured;
    for (const preview::ScenePrimitive& primitive : scene.Full(*part)) recoloured.push_back(InColour(primitive, rgb));
    const EntityPart highlighted{part->entity, part->order, false, part->box, std::move(recoloured)};
    // Its own glyphs are in it already.
    PaintParts(painter, {&highlighted}, toPixels, scene_, true,
               [](const EntityPart& p) -> const std::vector<preview::ScenePrimitive>& { return p.Primitives(); });
    if (part->box.Empty()) continue;
    QPen pen(colour, 1, Qt::DashLine);
    pen.setCosmetic(true);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.resetTransform();
    const QRectF box =
        toPixels.mapRect(QRectF(QPointF(part->box.lo.x, part->box.lo.y), QPointF(part->box.hi.x, part->box.hi.y)))
            .normalized()
            .adjusted(-2, -2, 2, 2);
    painter.drawRect(box);
  }
}

}  // namespace zil::workbench
