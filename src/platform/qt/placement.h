// Where a dialog appears: centred horizontally on the screen under the mouse pointer, its top edge kept.
// The left edge is the screen's left edge plus half of what the screen's width leaves beside the window's
// (frame included), in whole pixels.
#pragma once

class QScreen;
class QWidget;

namespace zil::platform {

// The left edge for a window `windowWidth` wide on a screen from `screenLeft`, `screenWidth` wide.
constexpr int CentredLeft(int screenLeft, int screenWidth, int windowWidth) {
  return screenLeft + (screenWidth - windowWidth) / 2;
}

// The screen under the mouse pointer, else the primary screen; null when there is no screen at all.
QScreen* ScreenUnderPointer();

// Moves `window` (a top-level widget, sized already) to the centred left edge of the screen under the
// pointer; its top stays where it is.
void PlaceOnScreenUnderPointer(QWidget& window);

}  // namespace zil::platform
