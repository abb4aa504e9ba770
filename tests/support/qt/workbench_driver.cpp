#include "support/qt/workbench_driver.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include "command_line.h"
#include "drawing_view.h"
#include "support/qt/dialog_driver.h"
#include "workbench.h"
#include "workbench_input.h"

namespace zil::test {
namespace {

constexpr int kPollMilliseconds = 5;
constexpr int kPatienceMilliseconds = 5000;  // for one prompt to show

QPoint Pixel(workbench::DrawingView& view, workbench::Vec2 at) {
  return view.ToPixels().map(QPointF(at.x, at.y)).toPoint();
}

}  // namespace

void WorkbenchDriver::MoveTo(workbench::Vec2 at) { QTest::mouseMove(&workbench_.View(), Pixel(workbench_.View(), at)); }

void WorkbenchDriver::Click(workbench::Vec2 at, Qt::MouseButton button) {
  MoveTo(at);
  QTest::mouseClick(&workbench_.View(), button, Qt::NoModifier, Pixel(workbench_.View(), at));
}

void WorkbenchDriver::Drag(workbench::Vec2 from, workbench::Vec2 to) {
  workbench::DrawingView& view = workbench_.View();
  const QPoint a = Pixel(view, from), b = Pixel(view, to);
  QTest::mouseMove(&view, a);
  QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, a);
  // QTest::mouseMove sends no button state in Qt 6.4: the move event is sent by hand.
  for (int i = 1; i <= 4; ++i) {
    const QPointF p = a + (b - a) * (i / 4.0);
    QMouseEvent move(QEvent::MouseMove, p, view.mapToGlobal(p), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&view, &move);
  }
  QTest::mouseRelease(&view, Qt::LeftButton, Qt::NoModifier, b);
}

void WorkbenchDriver::Type(const QString& line) {
  QLineEdit* input = workbench_.Line().Input();
  input->setFocus();
  TypeText(input, line);
  QTest::keyClick(input, Qt::Key_Return);
}

void WorkbenchDriver::Escape() { QTest::keyClick(workbench_.Line().Input(), Qt::Key_Escape); }

WorkbenchDriver::Step WorkbenchDriver::OnClick(const QString& prompt, workbench::Vec2 at, Qt::MouseButton button,
                                               bool again) {
  return {prompt, [this, at, button] { Click(at, button); }, again};
}

WorkbenchDriver::Step WorkbenchDriver::OnDrag(const QString& prompt, workbench::Vec2 from, workbench::Vec2 to,
                                              bool again) {
  return {prompt, [this, from, to] { Drag(from, to); }, again};
}

WorkbenchDriver::Step WorkbenchDriver::OnType(const QString& prompt, const QString& line, bool again) {
  return {prompt, [this, line] { Type(line); }, again};
}

WorkbenchDriver::Step WorkbenchDriver::OnEscape(const QString& prompt, bool again) {
  return {prompt, [this] { Escape(); }, again};
}

void WorkbenchDriver::Run(const QString& command, std::vector<Step> steps) {
  Answering([&] { workbench_.RunCommand(command); }, std::move(steps));
  EXPECT_FALSE(workbench_.Busy()) << command.toStdString();
}

void WorkbenchDriver::Answering(const std::function<void()>& prompting, std::vector<Step> steps) {
  std::size_t next = 0;
  int lastWait = -1;
  int waited = 0;
  QTimer poll;
  poll.setInterval(kPollMilliseconds);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    workbench::WorkbenchInput& input = workbench_.Input();
    if (next >= steps.size()) return;
    const Step& step = steps[next];
    const bool ready = input.Asking() && workbench_.Line().Prompt().contains(step.prompt, Qt::CaseInsensitive) &&
                       (step.again || input.Waits() != lastWait);
    if (!ready) {
      waited += kPollMilliseconds;
      if (waited > kPatienceMilliseconds && input.Asking()) {
        ADD_FAILURE() << "the prompt \"" << step.prompt.toStdString() << "\" never showed; the prompt was \""
                      << workbench_.Line().Prompt().toStdString() << "\"";
        next = steps.size();
        input.Cancel();
      }
      return;
    }
    waited = 0;
    lastWait = input.Waits();
    ++next;
    step.act();
  });
  poll.start();
  prompting();
  poll.stop();
  EXPECT_EQ(next, steps.size()) << "the prompts ended before the steps " << next << " to " << steps.size();
}

}  // namespace zil::test
