// Controls carry their designed name as their object name, so that code and tests find them by it.
#pragma once

#include <QObject>
#include <QString>

namespace zil::dialogs {

template <typename T>
T* Named(T* control, const char* name) {
  control->setObjectName(QString::fromLatin1(name));
  return control;
}

}  // namespace zil::dialogs
