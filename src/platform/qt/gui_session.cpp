#include "platform/qt/gui_session.h"

#include <xcb/xcb.h>

#include <QDir>
#include <QLibraryInfo>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace zil::platform {
namespace {

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

bool XServerAnswers(const std::string& display) {
  xcb_connection_t* connection = xcb_connect(display.c_str(), nullptr);
  const bool ok = xcb_connection_has_error(connection) == 0;
  xcb_disconnect(connection);
  return ok;
}

bool QtHasPlatform(const QString& prefix) {
  const QDir platforms(QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms"));
  return !platforms.entryList({QStringLiteral("libq") + prefix + QStringLiteral("*.so")}, QDir::Files).isEmpty();
}

}  // namespace

std::optional<std::string> WhyNoDisplay() {
  if (!Env("QT_QPA_PLATFORM").empty()) return std::nullopt;  // a platform chosen on purpose
  const std::string display = Env("DISPLAY");
  if (!display.empty()) {
    if (XServerAnswers(display)) return std::nullopt;
    return "The dialogs cannot be shown: the X display \"" + display + "\" (DISPLAY) does not answer";
  }
  const std::string wayland = Env("WAYLAND_DISPLAY");
  if (!wayland.empty()) {
    const std::filesystem::path socket = wayland.front() == '/'
                                             ? std::filesystem::path(wayland)
                                             : std::filesystem::path(Env("XDG_RUNTIME_DIR")) / wayland;
    if (!std::filesystem::exists(socket))
      return "The dialogs cannot be shown: the Wayland display \"" + wayland + "\" (WAYLAND_DISPLAY) does not exist";
    if (!QtHasPlatform(QStringLiteral("wayland")))
      return "The dialogs cannot be shown: Qt has no Wayland platform here, and DISPLAY names no X server";
    return std::nullopt;
  }
  return "The dialogs cannot be shown: there is no display (set DISPLAY or WAYLAND_DISPLAY, or QT_QPA_PLATFORM)";
}

GuiSession::GuiSession() = default;

GuiSession::~GuiSession() = default;

void GuiSession::Start() {
  if (QCoreApplication::instance()) {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
      throw std::runtime_error("The dialogs cannot be shown: this program runs Qt without widgets");
    return;
  }
  if (const auto why = WhyNoDisplay()) throw std::runtime_error(*why);
  // Only a Wayland display was found: Qt's default platform would look for X.
  if (Env("QT_QPA_PLATFORM").empty() && Env("DISPLAY").empty()) qputenv("QT_QPA_PLATFORM", "wayland");
  app_ = std::make_unique<QApplication>(argc_, argv_);
}

}  // namespace zil::platform
