// Driving modal dialogs from a test as a user would, with the offscreen platform:
//   - WhenShown<T>(drive): before the code that runs a modal dialog, arrange for `drive` to run on it once
//     it is shown and active (a timer polls for it; driving starts only when the window is active).
//   - DriveShowingsDuring<T>(call, drive): runs `call`, which shows a modal dialog once or again and again,
//     and `drive` on each showing once it is active.
//   - Watchdog: while one lives, a dialog left open longer than its limit fails the test and is closed,
//     so a broken driver fails instead of hanging the test program.
//   - TypeText: one key event per character (QTest::keyClicks aborts on text outside Latin-1 in Qt 6.4),
//     to a widget or to the widget with the focus.
//   - DoubleClickCell: open a cell's editor with the mouse.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <functional>
#include <ostream>

class QAbstractItemView;
class QModelIndex;

// GoogleTest prints a QString as its text.
void PrintTo(const QString& s, std::ostream* out);

namespace zil::test {

class Watchdog {
 public:
  explicit Watchdog(int seconds = 30);
  ~Watchdog();
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;

 private:
  QTimer timer_;
  bool fired_ = false;
};

// Runs `drive` on the next modal widget of type T that becomes active. Polls every few milliseconds.
void WhenModalShown(std::function<bool(QWidget*)> matches, std::function<void(QWidget&)> drive);

template <typename T>
void WhenShown(std::function<void(T&)> drive) {
  WhenModalShown([](QWidget* w) { return qobject_cast<T*>(w) != nullptr; },
                 [drive = std::move(drive)](QWidget& w) { drive(*qobject_cast<T*>(&w)); });
}

// Runs `call`; `drive` runs on every showing of a modal widget that `matches`, once it is shown and active,
// with the number of the showing (0 first), and must close it. A dialog left open longer than 30 seconds
// fails the test and is closed. Gives the number of showings driven.
int DriveShowingsDuring(const std::function<void()>& call, const std::function<bool(QWidget*)>& matches,
                        const std::function<void(QWidget&, int showing)>& drive);

template <typename T>
int DriveShowingsDuring(const std::function<void()>& call, const std::function<void(T&, int showing)>& drive) {
  return DriveShowingsDuring(
      call, [](QWidget* w) { return qobject_cast<T*>(w) != nullptr; },
      [&drive](QWidget& w, int showing) { drive(*qobject_cast<T*>(&w), showing); });
}

// Types `text` into `widget` (nullptr: into whatever has the focus at each key), one key per character.
void TypeText(QWidget* widget, const QString& text);
// Presses a key on `widget` (nullptr: the focus widget).
void PressKey(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// True while a cell editor of `view` has the focus.
bool IsEditing(const QAbstractItemView& view);

// Clicks and double-clicks the cell, which opens its editor; returns the editor (the focus widget).
QWidget* DoubleClickCell(QAbstractItemView& view, const QModelIndex& index);

// Finds a child by its object name, failing the test when there is none.
template <typename T>
T* Child(QObject& parent, const char* name) {
  T* child = parent.findChild<T*>(QString::fromLatin1(name));
  if (!child) ADD_FAILURE() << "no child " << name;
  return child;
}

}  // namespace zil::test
