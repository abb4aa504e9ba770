#include "platform/qt/qt_messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

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
    case MessageButtons::YesNoCancelAll:  // "All" is a button of its own, added after these
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
  }
  return QMessageBox::Ok;
}

}  // namespace

MessageAnswer QtMessages::Show(const std::u16string& caption, const std::u16string& text, MessageIcon icon,
                               MessageButtons buttons) {
  return Ask(caption, text, icon, buttons, std::nullopt);
}

MessageAnswer QtMessages::ShowAt(const std::u16string& caption, const std::u16string& text, MessageIcon icon,
                                 MessageButtons buttons, ScreenPoint at) {
  return Ask(caption, text, icon, buttons, at);
}

MessageAnswer QtMessages::Ask(const std::u16string& caption, const std::u16string& text, MessageIcon icon,
                              MessageButtons buttons, std::optional<ScreenPoint> at) {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
    return at ? fallback_.ShowAt(caption, text, icon, buttons, *at) : fallback_.Show(caption, text, icon, buttons);
  }
  QWidget* parent = QApplication::activeModalWidget();
  if (!parent) parent = QApplication::activeWindow();
  QMessageBox box(ToQt(icon), ToQString(caption), ToQString(text), ToQt(buttons), parent);
  box.setObjectName(QStringLiteral("MessageBox"));
  QPushButton* all = nullptr;
  if (buttons == MessageButtons::YesNoCancelAll) {
    all = box.addButton(QStringLiteral("&All"), QMessageBox::YesRole);
    all->setObjectName(QStringLiteral("All"));
  }
  // The first button is the default one, as the platform's message boxes have it.
  box.setDefaultButton(buttons == MessageButtons::Ok || buttons == MessageButtons::OkCancel ? QMessageBox::Ok
                                                                                            : QMessageBox::Yes);
  if (at) {
    box.winId();
    box.move(at->x, at->y);
  }
  const int result = box.exec();
  if (all != nullptr && box.clickedButton() == all) return MessageAnswer::All;
  switch (result) {
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
