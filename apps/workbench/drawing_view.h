// The workbench's drawing view: one space of the drawing (view_scene.h) painted into a kept image, which
// a change repaints only where it damaged it and a pan moves, painting only what comes into view; panning
// (middle button drag, arrow keys), zooming about the cursor (wheel), zoom extents and zoom window; a crosshair; a
// rubber band from a prompt's base point and a selection window while the user picks; highlighted entities drawn over
// in the highlight colour.
//
// The view reports what the user does in drawing coordinates (clicks with the pick tolerance, windows
// dragged, the cursor's position); what that means is the prompt's concern (workbench_input.h). Keys it
// does not use (all but the arrows) go on to its parent, so typing reaches the command line.
#pragma once

#include <QImage>
#include <QPoint>
#include <QTransform>
#include <QWidget>
#include <optional>
#include <unordered_set>

#include "view_painter.h"
#include "view_scene.h"

namespace zil::workbench {

// The part of the space shown: its centre and its height in drawing units (AutoCAD's VIEWCTR and
// VIEWSIZE); the width follows from the view's shape.
struct ViewState {
  Vec2 centre;
  double height = 10;
};

class DrawingView final : public QWidget {
  Q_OBJECT

 public:
  explicit DrawingView(QWidget* parent = nullptr);

  // The scene shown (nullptr: none); the view does not own it. The view is kept as it is.
  void SetScene(const ViewScene* scene);
  const ViewScene* Scene() const noexcept { return scene_; }

  ViewState State() const noexcept { return state_; }
  void SetState(const ViewState& state);
  void ZoomExtents();
  void ZoomWindow(const Box2& window);
  // Zooms in by `factor` (above 1) or out (below 1), keeping the drawing point under `about` in place.
  void ZoomBy(double factor, QPointF about);
  // Moves the drawing by `pixels` on the screen.
  void PanBy(QPointF pixels);

  QTransform ToPixels() const;
  Vec2 ToDrawing(QPointF pixel) const;
  // How far from the cursor a pick reaches, in drawing units.
  double PickTolerance() const;

  // Paints again what a change damaged.
  void Repaint(const Damage& damage);
  // Entities drawn highlighted.
  void SetHighlighted(std::unordered_set<const drawing::Record*> entities);
  const std::unordered_set<const drawing::Record*>& Highlighted() const noexcept { return highlighted_; }

  // Feedback while a prompt waits: a line from `base` to the cursor (with `box`, the rectangle they span);
  // a selection window dragged with the left button.
  void SetRubberBand(std::optional<Vec2> base, bool box = false);
  void SetWindowSelection(bool on);

  // The last image painted (for tests and screenshots).
  const QImage& Canvas() const noexcept { return canvas_; }
  // How often the whole view was painted, and how many regions were painted since (for tests).
  int FullPaints() const noexcept { return fullPaints_; }
  int RegionPaints() const noexcept { return regionPaints_; }

 signals:
  void cursorMoved(zil::workbench::Vec2 at);
  // A left click without a drag.
  void clicked(zil::workbench::Vec2 at, double tolerance);
  // A selection window: dragged from right to left it is a crossing window.
  void windowChosen(zil::workbench::Box2 window, bool crossing);
  void rightClicked();
  // The view has been painted on the screen (after every paint event).
  void painted();
  void viewChanged();
  // The view's size in pixels changed (AutoCAD's SCREENSIZE).
  void resized(QSize pixels);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  void Invalidate();
  void PaintAll();
  QRect PixelRect(const Box2& box) const;
  QRect CrosshairRect(QPoint at) const;
  QRect BandRect() const;

  const ViewScene* scene_ = nullptr;
  ViewState state_;
  ViewPainter painter_;
  QImage canvas_;
  bool canvasValid_ = false;
  std::unordered_set<const drawing::Record*> highlighted_;
  std::optional<Vec2> rubberBase_;
  bool rubberBox_ = false;
  bool windowSelection_ = false;
  std::optional<QPoint> cursor_;
  std::optional<QPoint> leftPress_;
  bool dragging_ = false;
  std::optional<QPoint> panFrom_;
  int fullPaints_ = 0;
  int regionPaints_ = 0;
};

}  // namespace zil::workbench

Q_DECLARE_METATYPE(zil::workbench::Vec2)
Q_DECLARE_METATYPE(zil::workbench::Box2)
