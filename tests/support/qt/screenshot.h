// Screenshots for people to look at, never compared: they land in the build's screenshots folder
// (build/<preset>/screenshots/). A dialog test shows its dialog "in the workbench": one PNG with the
// workbench window, and the drawing the dialog changed, on the left and the dialog beside it on the right,
// both as they show at that moment. See docs/architecture.md for how a dialog test gets a workbench.
#pragma once

#include <filesystem>
#include <string>

class QWidget;

namespace zil::test {

// The folder screenshots go to (made when missing).
std::filesystem::path ScreenshotFolder();

// Saves `widget` as it shows now as `name` (a file name ending in ".png") in the screenshots folder;
// returns its path. Fails the test when it cannot be written.
std::filesystem::path SaveScreenshot(QWidget& widget, const std::string& name);

// Saves one PNG of `workbench` (its whole window) with `dialog` beside it on the right, top edges level,
// on a grey ground; returns its path.
std::filesystem::path SaveDialogBesideWorkbench(QWidget& dialog, QWidget& workbench, const std::string& name);

}  // namespace zil::test
