#include "platform/qt/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include "platform/qt/qt_strings.h"

namespace zil::platform {
namespace {
bool GuiRunning() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }
}  // namespace

std::u16string QtClipboard::Text() const {
  if (!GuiRunning()) return fallback_.Text();
  return FromQString(QGuiApplication::clipboard()->text());
}

void QtClipboard::SetText(const std::u16string& text) {
  if (!GuiRunning()) return fallback_.SetText(text);
  QGuiApplication::clipboard()->setText(ToQString(text));
}

}  // namespace zil::platform
