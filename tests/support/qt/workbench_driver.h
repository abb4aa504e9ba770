// Driving the workbench (apps/workbench) in a test as a user does: clicks and drags in its view at drawing
// points, lines typed into its command line, and the answers to a command's prompts, each given when its
// prompt shows. Real events throughout (QTest's mouse and key events on the view and the command line).
//
//   WorkbenchDriver user(workbench);
//   user.Run("TEXT", {user.OnClick("start point", {20, 60}), user.OnType("height", "3"), user.OnType("rotation", "")});
//
// A step acts once the command line's prompt contains its text and a prompt waits; a step marked `again`
// acts in the same prompt as the step before it (more picks before Enter), every other step waits for the
// next prompt. A step whose prompt never shows fails the test (after a few seconds its command is
// cancelled with Escape).
#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "view_scene.h"

namespace zil::workbench {
class Workbench;
}

namespace zil::test {

class WorkbenchDriver {
 public:
  explicit WorkbenchDriver(workbench::Workbench& workbench) : workbench_(workbench) {}

  struct Step {
    QString prompt;
    std::function<void()> act;
    bool again = false;
  };

  // Steps that click, drag, type a line or press Escape once the prompt shows (`again`: see above).
  Step OnClick(const QString& prompt, workbench::Vec2 at, Qt::MouseButton button = Qt::LeftButton, bool again = false);
  Step OnDrag(const QString& prompt, workbench::Vec2 from, workbench::Vec2 to, bool again = false);
  Step OnType(const QString& prompt, const QString& line, bool again = false);
  Step OnEscape(const QString& prompt, bool again = false);

  // Runs the command as typed at the command line, answering its prompts with `steps`.
  void Run(const QString& command, std::vector<Step> steps);
  // Runs anything that prompts (a member of the host, a command) with `steps` answering its prompts.
  void Answering(const std::function<void()>& prompting, std::vector<Step> steps);

  // A click of the left (or another) button at a drawing point; the cursor moves there first.
  void Click(workbench::Vec2 at, Qt::MouseButton button = Qt::LeftButton);
  // A drag with the left button from one drawing point to another (a selection window).
  void Drag(workbench::Vec2 from, workbench::Vec2 to);
  void MoveTo(workbench::Vec2 at);
  // A line typed into the command line, then Return (an empty line is Enter alone).
  void Type(const QString& line);
  void Escape();

 private:
  workbench::Workbench& workbench_;
};

}  // namespace zil::test
