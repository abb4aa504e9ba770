#include "platform/qt/qt_messages.h"

#include <QApplication>
#include <QMessageBox>

#include "platform/qt/qt_strings.h"

namespace zil::platform {
namespace {

QMessageBox::Icon ToQt(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Error:
      return QMessageBox::Critical;
    case MessageIcon::Warning:
      return QMessageBox::Warning;
    case MessageIcon::Information:
      return QMessageBox::Information;
    case MessageIcon::Question:
      return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToQt(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::Ok:
      return QMessageBox::Ok;
    case MessageButtons::OkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
  }
  return QMessageBox::Ok;
}

}  // namespace

MessageAnswer QtMessages::Show(const std::u16string& caption, const std::u16string& text, MessageIcon icon,
                               MessageButtons buttons) {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return fallback_.Show(caption, text, icon, buttons);
  QWidget* parent = QApplication::activeModalWidget();
  if (!parent) parent = QApplication::activeWindow();
  QMessageBox box(ToQt(icon), ToQString(caption), ToQString(text), ToQt(buttons), parent);
  box.setObjectName(QStringLiteral("MessageBox"));
  // The first button is the default one, as the platform's message boxes have it.
  box.setDefaultButton(buttons == MessageButtons::Ok || buttons == MessageButtons::OkCancel ? QMessageBox::Ok
                                                                                            : QMessageBox::Yes);
  switch (box.exec()) {
    case QMessageBox::Ok:
      return MessageAnswer::Ok;
    case QMessageBox::Yes:
      return MessageAnswer::Yes;
    case QMessageBox::No:
      return MessageAnswer::No;
    default:
      // Closed without a button (Escape, the window's close box): the box's way out.
      if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
      if (buttons == MessageButtons::YesNo) return MessageAnswer::No;
      return MessageAnswer::Cancel;
  }
}

}  // namespace zil::platform
