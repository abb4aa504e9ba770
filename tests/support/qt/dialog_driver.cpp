#include "support/qt/dialog_driver.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QTest>

void PrintTo(const QString& s, std::ostream* out) { *out << '"' << s.toStdString() << '"'; }

namespace zil::test {

Watchdog::Watchdog(int seconds) {
  timer_.setInterval(seconds * 1000);
  QObject::connect(&timer_, &QTimer::timeout, [this] {
    if (!fired_) ADD_FAILURE() << "a dialog was still open when the watchdog ran out";
    fired_ = true;
    for (int i = 0; i < 20; ++i) {
      QWidget* open = QApplication::activeModalWidget();
      if (!open) break;
      if (auto* dialog = qobject_cast<QDialog*>(open)) {
        dialog->reject();
      } else {
        open->close();
      }
    }
  });
  timer_.start();
}

Watchdog::~Watchdog() { timer_.stop(); }

void WhenModalShown(std::function<bool(QWidget*)> matches, std::function<void(QWidget&)> drive) {
  auto* poll = new QTimer(qApp);
  poll->setInterval(5);
  QObject::connect(poll, &QTimer::timeout, poll, [poll, matches = std::move(matches), drive = std::move(drive)] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !matches(modal) || !modal->isVisible()) return;
    poll->stop();
    poll->deleteLater();
    if (!QTest::qWaitForWindowActive(modal)) ADD_FAILURE() << "the dialog did not become active";
    drive(*modal);
  });
  poll->start();
}

namespace {

// Counts the showings of the window it watches.
class ShowCounter final : public QObject {
 public:
  int shows = 1;  // it watches a window shown already

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Show) ++shows;
    return false;
  }
};

}  // namespace

int DriveShowingsDuring(const std::function<void()>& call, const std::function<bool(QWidget*)>& matches,
                        const std::function<void(QWidget&, int)>& drive) {
  Watchdog watchdog;
  int driven = 0;      // showings driven, of every dialog
  int drivenHere = 0;  // showings driven of the dialog watched now
  ShowCounter* counter = nullptr;
  QPointer<QWidget> watched;
  QTimer poll;
  poll.setInterval(5);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !matches(modal) || !modal->isVisible()) return;
    if (modal != watched) {
      watched = modal;
      counter = new ShowCounter;
      counter->setParent(modal);
      modal->installEventFilter(counter);
      drivenHere = 0;
    }
    if (counter->shows <= drivenHere) return;
    if (!QTest::qWaitForWindowActive(modal)) ADD_FAILURE() << "the dialog did not become active";
    ++drivenHere;
    const int showing = driven++;
    if (drive) drive(*modal, showing);
  });
  poll.start();
  call();
  poll.stop();
  return driven;
}

namespace {

Qt::Key KeyOf(QChar ch) {
  const char16_t c = ch.toUpper().unicode();
  if (c >= u'A' && c <= u'Z') return static_cast<Qt::Key>(Qt::Key_A + (c - u'A'));
  if (c >= u'0' && c <= u'9') return static_cast<Qt::Key>(Qt::Key_0 + (c - u'0'));
  if (c == u' ') return Qt::Key_Space;
  return static_cast<Qt::Key>(c);
}

}  // namespace

void TypeText(QWidget* widget, const QString& text) {
  for (const QChar ch : text) {
    QWidget* target = widget ? widget : QApplication::focusWidget();
    ASSERT_NE(target, nullptr) << "nothing has the focus";
    QTest::sendKeyEvent(QTest::Click, target, KeyOf(ch), QString(ch), Qt::NoModifier);
  }
}

void PressKey(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers) {
  QWidget* target = widget ? widget : QApplication::focusWidget();
  ASSERT_NE(target, nullptr) << "nothing has the focus";
  QTest::keyClick(target, key, modifiers);
}

bool IsEditing(const QAbstractItemView& view) {
  QWidget* focus = QApplication::focusWidget();
  return focus && focus != &view && view.viewport()->isAncestorOf(focus);
}

QWidget* DoubleClickCell(QAbstractItemView& view, const QModelIndex& index) {
  view.scrollTo(index);
  const QPoint at = view.visualRect(index).center();
  QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, at);
  QTest::mouseDClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, at);
  EXPECT_TRUE(QTest::qWaitFor([&] { return IsEditing(view); }, 2000)) << "no editor opened";
  return QApplication::focusWidget();
}

}  // namespace zil::test
