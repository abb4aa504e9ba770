#include "platform/qt/qt_messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>

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

QWidget* WorkingWindow() {
  QWidget* parent = QApplication::activeModalWidget();
  return parent ? parent : QApplication::activeWindow();
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
  QMessageBox box(ToQt(icon), ToQString(caption), ToQString(text), ToQt(buttons), WorkingWindow());
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

std::size_t QtMessages::Choose(const std::u16string& caption, const std::u16string& text, MessageIcon icon,
                               const std::vector<std::u16string>& choices) {
  if (choices.empty()) return 0;
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return fallback_.Choose(caption, text, icon, choices);
  QMessageBox box(ToQt(icon), ToQString(caption), ToQString(text), QMessageBox::NoButton, WorkingWindow());
  box.setObjectName(QStringLiteral("MessageBox"));
  std::vector<QPushButton*> buttons;
  for (std::size_t i = 0; i < choices.size(); ++i) {
    const QMessageBox::ButtonRole role = i == 0                    ? QMessageBox::AcceptRole
                                         : i + 1 == choices.size() ? QMessageBox::RejectRole
                                                                   : QMessageBox::ActionRole;
    QPushButton* button = box.addButton(ToQString(choices[i]), role);
    button->setObjectName(QStringLiteral("choice") + QString::number(i));
    buttons.push_back(button);
  }
  box.setDefaultButton(buttons.front());
  box.setEscapeButton(buttons.back());
  box.exec();
  const auto chosen = std::find(buttons.begin(), buttons.end(), box.clickedButton());
  return chosen == buttons.end() ? choices.size() - 1 : static_cast<std::size_t>(chosen - buttons.begin());
}

}  // namespace zil::platform
