#include "dialogs/data_module.h"

#include <QApplication>
#include <QStyle>
#include <stdexcept>

namespace zil::dialogs {

const QIcon& DataModule::Icon(SharedIcon which) {
  if (!loaded_) {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
      throw std::logic_error("The dialogs' icons need the Qt application");
    QStyle* style = QApplication::style();
    const auto set = [this](SharedIcon at, QIcon icon) { icons_[static_cast<std::size_t>(at)] = std::move(icon); };
    set(SharedIcon::OpenFile, style->standardIcon(QStyle::SP_DialogOpenButton));
    set(SharedIcon::SaveFile, style->standardIcon(QStyle::SP_DialogSaveButton));
    set(SharedIcon::About, style->standardIcon(QStyle::SP_MessageBoxInformation));
    loaded_ = true;
  }
  return icons_.at(static_cast<std::size_t>(which));
}

}  // namespace zil::dialogs
