#include "platform/qt/placement.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace zil::platform {

QScreen* ScreenUnderPointer() {
  QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
  return screen ? screen : QGuiApplication::primaryScreen();
}

void PlaceOnScreenUnderPointer(QWidget& window) {
  QScreen* screen = ScreenUnderPointer();
  if (!screen) return;  // no screen at all: nothing to centre on
  const QRect area = screen->geometry();
  const QRect frame = window.frameGeometry();
  window.move(CentredLeft(area.left(), area.width(), frame.width()), frame.top());
}

}  // namespace zil::platform
