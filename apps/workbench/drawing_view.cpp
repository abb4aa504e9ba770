#include "drawing_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "preview/scene_painter.h"

namespace zil::workbench {
namespace {

constexpr int kPickPixels = 5;        // the pick box's half side
constexpr int kDragPixels = 4;        // a press that moves further is a drag
constexpr double kWheelStep = 1.25;   // zoom of one wheel notch
constexpr double kArrowStep = 0.125;  // of the view's size, one arrow key

QColor Crosshair() { return QColor(90, 90, 90); }

// Moves the pixels of an image (32 bits a pixel) by `step`; what comes into view keeps old pixels.
void ScrollImage(QImage& image, QPoint step) {
  const int w = image.width(), h = image.height();
  const int dx = step.x(), dy = step.y();
  const auto width = static_cast<std::size_t>(w - std::abs(dx)) * 4;
  const auto copyRow = [&](int y) {
    const uchar* from = image.constScanLine(y - dy) + std::max(-dx, 0) * 4;
    uchar* to = image.scanLine(y) + std::max(dx, 0) * 4;
    std::memmove(to, from, width);
  };
  if (dy > 0) {
    for (int y = h - 1; y >= dy; --y) copyRow(y);
  } else {
    for (int y = 0; y < h + dy; ++y) copyRow(y);
  }
}

}  // namespace

DrawingView::DrawingView(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::BlankCursor);  // the crosshair is the cursor
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(200, 150);
}

void DrawingView::SetScene(const ViewScene* scene) {
  scene_ = scene;
  highlighted_.clear();
  Invalidate();
}

void DrawingView::SetState(const ViewState& state) {
  if (!(state.height > 0) || !std::isfinite(state.height) || !std::isfinite(state.centre.x) ||
      !std::isfinite(state.centre.y))
    return;
  state_ = state;
  Invalidate();
  emit viewChanged();
}

void DrawingView::ZoomWindow(const Box2& window) {
  if (window.Empty()) return;
  const double w = window.hi.x - window.lo.x, h = window.hi.y - window.lo.y;
  const double aspect = static_cast<double>(std::max(1, width())) / std::max(1, height());
  double viewHeight = std::max(h, w / aspect);
  if (!(viewHeight > 0)) viewHeight = state_.height;
  SetState({{(window.lo.x + window.hi.x) / 2, (window.lo.y + window.hi.y) / 2}, viewHeight});
}

void DrawingView::ZoomExtents() { ZoomWindow(preview::WithMargin(scene_ ? scene_->Extents() : Box2{}, 0.02)); }

void DrawingView::ZoomBy(double factor, QPointF about) {
  if (!(factor > 0)) return;
  const Vec2 fixed = ToDrawing(about);
  const Vec2 c = state_.centre;
  SetState({{fixed.x - (fixed.x - c.x) / factor, fixed.y - (fixed.y - c.y) / factor}, state_.height / factor});
}

void DrawingView::PanBy(QPointF pixels) {
  // Whole pixels, so that the kept image moves with the drawing and only what comes into view is painted.
  const QPoint step(static_cast<int>(std::lround(pixels.x())), static_cast<int>(std::lround(pixels.y())));
  if (step.isNull()) return;
  const double perPixel = state_.height / std::max(1, height());
  const bool keep = canvasValid_ && scene_ && canvas_.size() == size() && std::abs(step.x()) < width() &&
                    std::abs(step.y()) < height();
  SetState({{state_.centre.x - step.x() * perPixel, state_.centre.y + step.y() * perPixel}, state_.height});
  if (!keep) return;
  ScrollImage(canvas_, step);
  const QTransform toPixels = ToPixels();
  const int w = width(), h = height();
  if (step.x() != 0)
    painter_.Paint(canvas_, step.x() > 0 ? QRect(0, 0, step.x(), h) : QRect(w + step.x(), 0, -step.x(), h), *scene_,
                   toPixels);
  if (step.y() != 0)
    painter_.Paint(canvas_, step.y() > 0 ? QRect(0, 0, w, step.y()) : QRect(0, h + step.y(), w, -step.y()), *scene_,
                   toPixels);
  canvasValid_ = true;
  ++regionPaints_;
}

QTransform DrawingView::ToPixels() const {
  const double scale = std::max(1, height()) / state_.height;
  return QTransform(scale, 0, 0, -scale, width() / 2.0 - state_.centre.x * scale,
                    height() / 2.0 + state_.centre.y * scale);
}

Vec2 DrawingView::ToDrawing(QPointF pixel) const {
  const QPointF p = ToPixels().inverted().map(pixel);
  return {p.x(), p.y()};
}

double DrawingView::PickTolerance() const { return kPickPixels * state_.height / std::max(1, height()); }

QRect DrawingView::PixelRect(const Box2& box) const {
  const QRectF r = ToPixels().mapRect(QRectF(QPointF(box.lo.x, box.lo.y), QPointF(box.hi.x, box.hi.y))).normalized();
  // Antialiasing and the highlight's outline reach a few pixels beyond the box.
  return r.toAlignedRect().adjusted(-4, -4, 4, 4).intersected(rect());
}

void DrawingView::Invalidate() {
  canvasValid_ = false;
  update();
}

void DrawingView::PaintAll() {
  if (canvas_.size() != size()) canvas_ = QImage(size(), QImage::Format_RGB32);
  if (scene_) {
    painter_.Paint(canvas_, rect(), *scene_, ToPixels());
  } else {
    canvas_.fill(palette().color(QPalette::Window));
  }
  canvasValid_ = true;
  ++fullPaints_;
}

void DrawingView::Repaint(const Damage& damage) {
  if (damage.Empty()) return;
  if (damage.all || !canvasValid_ || !scene_) {
    Invalidate();
    return;
  }
  const QTransform toPixels = ToPixels();
  for (const Box2& box : damage.boxes) {
    const QRect pixels = PixelRect(box);
    if (pixels.isEmpty()) continue;
    painter_.Paint(canvas_, pixels, *scene_, toPixels);
    ++regionPaints_;
    update(pixels);
  }
}

void DrawingView::SetHighlighted(std::unordered_set<const drawing::Record*> entities) {
  if (entities == highlighted_) return;
  // The highlight is drawn over the kept image: what changes is the boxes of what was and is highlighted.
  for (const auto* set : {&highlighted_, &entities})
    for (const drawing::Record* r : *set)
      if (const EntityPart* part = scene_ ? scene_->Find(*r) : nullptr; part && !part->box.Empty())
        update(PixelRect(part->box));
  highlighted_ = std::move(entities);
}

void DrawingView::SetRubberBand(std::optional<Vec2> base, bool box) {
  update(BandRect());
  rubberBase_ = base;
  rubberBox_ = box;
  update(BandRect());
}

void DrawingView::SetWindowSelection(bool on) {
  windowSelection_ = on;
  if (!on && dragging_) {
    dragging_ = false;
    update();
  }
}

QRect DrawingView::CrosshairRect(QPoint at) const {
  return QRect(0, at.y() - 1, width(), 3).united(QRect(at.x() - 1, 0, 3, height()));
}

QRect DrawingView::BandRect() const {
  if (!cursor_) return {};
  if (dragging_ && leftPress_) return QRect(*leftPress_, *cursor_).normalized().adjusted(-2, -2, 2, 2);
  if (!rubberBase_) return {};
  const QPointF base = ToPixels().map(QPointF(rubberBase_->x, rubberBase_->y));
  return QRectF(base, QPointF(*cursor_)).normalized().toAlignedRect().adjusted(-2, -2, 2, 2);
}

void DrawingView::paintEvent(QPaintEvent* event) {
  if (!canvasValid_ || canvas_.size() != size()) PaintAll();
  QPainter p(this);
  p.drawImage(event->rect(), canvas_, event->rect());
  p.setClipRegion(event->region());
  if (scene_ && !highlighted_.empty()) {
    std::vector<const EntityPart*> parts;
    for (const drawing::Record* r : highlighted_)
      if (const EntityPart* part = scene_->Find(*r); part && PixelRect(part->box).intersects(event->rect()))
        parts.push_back(part);
    std::sort(parts.begin(), parts.end(), [](const EntityPart* a, const EntityPart* b) { return a->order < b->order; });
    painter_.PaintHighlighted(p, parts, *scene_, ToPixels());
    p.resetTransform();
  }
  p.setRenderHint(QPainter::Antialiasing, false);
  if (cursor_) {
    if (dragging_ && leftPress_) {
      // Left to right: a window (solid, blue); right to left: a crossing window (dashed, green).
      const bool crossing = cursor_->x() < leftPress_->x();
      QPen pen(crossing ? QColor(0, 140, 60) : QColor(30, 90, 220), 1, crossing ? Qt::DashLine : Qt::SolidLine);
      p.setPen(pen);
      p.setBrush(crossing ? QColor(0, 160, 60, 40) : QColor(30, 90, 220, 40));
      p.drawRect(QRect(*leftPress_, *cursor_).normalized());
    } else if (rubberBase_) {
      const QPointF base = ToPixels().map(QPointF(rubberBase_->x, rubberBase_->y));
      p.setPen(QPen(QColor(200, 0, 0), 1, Qt::DashLine));
      p.setBrush(Qt::NoBrush);
      if (rubberBox_) {
        p.drawRect(QRectF(base, QPointF(*cursor_)).normalized());
      } else {
        p.drawLine(base, QPointF(*cursor_));
      }
    }
    p.setPen(Crosshair());
    p.drawLine(0, cursor_->y(), width(), cursor_->y());
    p.drawLine(cursor_->x(), 0, cursor_->x(), height());
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(*cursor_ - QPoint(kPickPixels, kPickPixels), QSize(2 * kPickPixels, 2 * kPickPixels)));
  }
  p.end();
  emit painted();
}

void DrawingView::resizeEvent(QResizeEvent*) {
  Invalidate();
  emit resized(size());
}

void DrawingView::mousePressEvent(QMouseEvent* event) {
  setFocus();
  const QPoint at = event->position().toPoint();
  if (event->button() == Qt::MiddleButton) {
    panFrom_ = at;
  } else if (event->button() == Qt::LeftButton) {
    leftPress_ = at;
    dragging_ = false;
  } else if (event->button() == Qt::RightButton) {
    emit rightClicked();
  }
}

void DrawingView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (cursor_) update(CrosshairRect(*cursor_).united(BandRect()));
  if (panFrom_) {
    PanBy(at - *panFrom_);
    panFrom_ = at;
  }
  if (leftPress_ && windowSelection_ && (at - *leftPress_).manhattanLength() > kDragPixels) dragging_ = true;
  cursor_ = at;
  update(CrosshairRect(at).united(BandRect()));
  emit cursorMoved(ToDrawing(at));
}

void DrawingView::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (event->button() == Qt::MiddleButton) {
    panFrom_.reset();
  } else if (event->button() == Qt::LeftButton && leftPress_) {
    const QPoint from = *leftPress_;
    const bool dragged = dragging_;
    update(BandRect());
    leftPress_.reset();
    dragging_ = false;
    if (dragged) {
      const Vec2 a = ToDrawing(from), b = ToDrawing(at);
      Box2 window;
      window.Add(a);
      window.Add(b);
      emit windowChosen(window, at.x() < from.x());
    } else {
      emit clicked(ToDrawing(at), PickTolerance());
    }
  }
}

void DrawingView::wheelEvent(QWheelEvent* event) {
  const double notches = event->angleDelta().y() / 120.0;
  if (notches != 0) ZoomBy(std::pow(kWheelStep, notches), event->position());
  event->accept();
}

void DrawingView::keyPressEvent(QKeyEvent* event) {
  const double stepX = width() * kArrowStep, stepY = height() * kArrowStep;
  switch (event->key()) {
    case Qt::Key_Left:
      PanBy({stepX, 0});
      break;
    case Qt::Key_Right:
      PanBy({-stepX, 0});
      break;
    case Qt::Key_Up:
      PanBy({0, stepY});
      break;
    case Qt::Key_Down:
      PanBy({0, -stepY});
      break;
    default:
      event->ignore();  // to the parent: typing goes to the command line
      return;
  }
  event->accept();
}

void DrawingView::leaveEvent(QEvent*) {
  if (cursor_) update(CrosshairRect(*cursor_).united(BandRect()));
  cursor_.reset();
}

}  // namespace zil::workbench
