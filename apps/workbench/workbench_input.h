// Where the stand-in host's prompts are answered in the workbench (GetPoint, GetDistance, SelectOnScreen,
// and the workbench's own commands): a prompt shows in the command line and waits, in a nested event
// loop, until the view or the command line answers it, as AutoCAD's prompts do:
//   - a point: a click, or "x,y" / "x,y,z" typed ("@dx,dy" from the base point or the last point);
//   - a distance: a number typed, or a point (a click, with a rubber band from the base point);
//   - objects: clicks and selection windows (left to right: what lies inside; right to left: what it
//     crosses) add to the selection, which shows highlighted; Enter (or the right button) ends it;
//   - Enter alone and Escape answer every prompt as AutoCAD's do ("enter" and "cancel").
// A line typed that a prompt cannot take is said so, and the prompt goes on waiting. Alerts are message
// boxes. Lines typed, and Escape pressed, while no prompt waits are commands: commandTyped, escaped.
#pragma once

#include <QObject>
#include <QString>
#include <optional>
#include <unordered_set>

#include "drawing/drawing.h"
#include "drawing/standin/input_source.h"
#include "platform/messages.h"
#include "view_scene.h"

class QEventLoop;

namespace zil::workbench {

class CommandLine;
class DrawingView;

// An entity the workbench's own commands pick.
struct EntityAnswer {
  drawing::Record* record = nullptr;  // nullptr: Enter or Escape
  bool cancelled = false;             // Escape
};

class WorkbenchInput final : public QObject, public standin::InputSource {
  Q_OBJECT

 public:
  WorkbenchInput(DrawingView& view, CommandLine& line, platform::Messages& messages, QObject* parent = nullptr);
  ~WorkbenchInput() override;

  standin::Answer Ask(const standin::Prompt& prompt) override;
  std::u16string Alert(const std::u16string& message) override;

  // The opposite corner of a rectangle from `corner` (a rubber rectangle follows the cursor): as a point.
  standin::Answer AskCorner(const QString& prompt, const acad::Point& corner);

  // One entity, picked with a click; with `nested`, the attribute of a block reference whose text was hit
  // rather than the block reference.
  EntityAnswer AskEntity(const QString& prompt, bool nested);

  bool Asking() const noexcept { return loop_ != nullptr; }
  // How many prompts have waited so far (the one waiting included): tells one prompt from the next.
  int Waits() const noexcept { return waits_; }
  // Answers the waiting prompt with Escape.
  void Cancel();

 signals:
  void commandTyped(const QString& line);
  void escaped();
  // The objects picked so far by the waiting prompt (to show highlighted).
  void picksChanged(const std::unordered_set<const zil::drawing::Record*>& picked);

 private:
  enum class Mode { Point, Distance, Objects, Entity };
  struct Waiting {
    Mode mode;
    QString prompt;
    std::optional<acad::Point> base;
    bool nested = false;
    bool box = false;  // the rubber band is a rectangle
  };

  standin::Answer Wait(const Waiting& waiting);
  void Finish(standin::Answer answer, const QString& echo);
  void OnClicked(Vec2 at, double tolerance);
  void OnWindow(const Box2& window, bool crossing);
  void OnSubmitted(const QString& line);
  void OnCancelled();
  void OnEnter();
  void AddPicks(const std::vector<drawing::Record*>& records);
  std::optional<acad::Point> ParsePoint(const QString& text) const;

  DrawingView& view_;
  CommandLine& line_;
  platform::Messages& messages_;
  QEventLoop* loop_ = nullptr;
  std::optional<Waiting> waiting_;
  standin::Answer answer_;
  drawing::Record* entity_ = nullptr;
  std::vector<drawing::Record*> picks_;
  std::unordered_set<const drawing::Record*> picked_;
  std::optional<acad::Point> lastPoint_;
  int waits_ = 0;
};

}  // namespace zil::workbench
