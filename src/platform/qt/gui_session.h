// The Qt application the dialogs run in, started when the first dialog needs it, so that work without
// dialogs never needs a display. A process that made its own QApplication (a test, a desktop program)
// keeps using that one.
//
// Before starting Qt, the session checks that there is a display to show dialogs on: QT_QPA_PLATFORM
// names a platform, or DISPLAY names an X server that accepts a connection, or WAYLAND_DISPLAY names a
// Wayland socket that exists and Qt has a Wayland platform. Without one, Start() throws a message
// saying so instead of letting Qt end the process.
#pragma once

#include <QApplication>
#include <memory>
#include <optional>
#include <string>

namespace zil::platform {

// Why no dialog can be shown here, or nothing when a display is available. Reads the environment.
std::optional<std::string> WhyNoDisplay();

class GuiSession {
 public:
  GuiSession();
  ~GuiSession();
  GuiSession(const GuiSession&) = delete;
  GuiSession& operator=(const GuiSession&) = delete;

  // Makes sure a QApplication runs. Throws std::runtime_error when there is no display.
  void Start();

 private:
  int argc_ = 1;
  char name_[4] = "zil";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> app_;
};

}  // namespace zil::platform
