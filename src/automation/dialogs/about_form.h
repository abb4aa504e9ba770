// The About window (TfrmAbout): the product's name and version, what the add-in is for, the data folder
// in use, and OK. Modal.
#pragma once

#include <filesystem>

#include "dialogs/form.h"

class QLabel;
class QPushButton;

namespace zil::dialogs {
class DataModule;
}

namespace zil::automation {

// The line the window shows on what the add-in does.
inline constexpr const char16_t* kAboutPurpose =
    u"Types, edits and converts Hebrew text in AutoCAD drawings, whichever way the text's font stores it.";

class TfrmAbout final : public dialogs::Form {
  Q_OBJECT

 public:
  TfrmAbout(const std::filesystem::path& dataFolder, platform::Services services, dialogs::DataModule& icons,
            QWidget* parent = nullptr);

 private:
  QLabel* imgIcon;
  QLabel* lblProduct;
  QLabel* lblVersion;
  QLabel* lblPurpose;
  QLabel* lblDataFolder;
  QPushButton* btnOk;
};

}  // namespace zil::automation
