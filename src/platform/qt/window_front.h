// Bringing a window of the add-in to the front, as a dialog does when it is shown over the CAD program:
// the window is restored when minimised, shown, raised above the others and made the active window, so
// that it takes the keyboard. A null window does nothing.
#pragma once

class QWidget;

namespace zil::platform {

void BringWindowToFront(QWidget* window);

}  // namespace zil::platform
