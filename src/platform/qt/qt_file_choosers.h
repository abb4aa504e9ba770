// The open and save file choosers as Qt file dialogs: the request's filter (as Qt name filters), its
// default extension (added to a name typed without one), its folder and file name. A save dialog asks
// before replacing a file. Needs a running Qt application; without one, asking fails and says why.
#pragma once

#include <QStringList>

#include "platform/file_choosers.h"

namespace zil::platform {

// "Autocad Fonts|*.shx;*.shp|True Type|*.ttf" -> {"Autocad Fonts (*.shx *.shp)", "True Type (*.ttf)"}; a
// description that already ends with its patterns in parentheses is kept as it is.
QStringList ToQtNameFilters(std::u16string_view filter);

class QtFileChoosers final : public FileChoosers {
 public:
  std::optional<std::filesystem::path> ChooseFileToOpen(const FileChoice& choice) override;
  std::optional<std::filesystem::path> ChooseFileToSave(const FileChoice& choice) override;
};

}  // namespace zil::platform
