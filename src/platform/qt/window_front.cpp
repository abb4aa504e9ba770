#include "platform/qt/window_front.h"

#include <QWidget>

namespace zil::platform {

void BringWindowToFront(QWidget* window) {
  if (window == nullptr) return;
  window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace zil::platform
