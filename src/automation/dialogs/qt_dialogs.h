// The dialogs of the Qt build, as the automation object asks for them: each showing makes its form,
// runs it modally and frees it. The data module is the dialogs' shared icons, made at the add-in's
// start-up and freed at its shut-down. The Qt application starts with the first dialog (the GUI
// session), so an add-in that shows none never needs a display; without a display, showing a dialog
// fails with a message saying so.
#pragma once

#include <memory>

#include "automation/dialogs.h"
#include "dialogs/language_follower.h"
#include "textdialog/text_dialog_state.h"

namespace zil::dialogs {
class DataModule;
}
namespace zil::platform {
class GuiSession;
}
namespace zil::mtext {
struct EditorsState;
}
namespace zil::library {
class TfrmExpl;
}

namespace zil::automation {

class QtDialogs final : public Dialogs {
 public:
  explicit QtDialogs(platform::GuiSession& gui);
  ~QtDialogs() override;

  void CreateDataModule() override;
  void FreeDataModule() override;
  void FreeLibraryWindow() override;
  void ShowFontTable(AddIn& addin) override;
  void ShowAbout(AddIn& addin) override;
  void NewText(AddIn& addin, std::u16string_view handle) override;
  void EditText(AddIn& addin, std::u16string_view handle) override;
  void NewMText(AddIn& addin) override;
  void EditMText(AddIn& addin, std::u16string_view handle) override;
  void ConvertTextsToMText(AddIn& addin) override;
  void ReplaceInTexts(AddIn& addin) override;
  void EditAttributeDefinition(AddIn& addin, std::u16string_view handle) override;
  void EditBlockAttributes(AddIn& addin, std::u16string_view handle) override;
  void ShowLibrary(AddIn& addin) override;
  void ConvertForRevit(AddIn& addin) override;
  void ConvertFonts(AddIn& addin) override;

 private:
  dialogs::DataModule& Prepare();

  platform::GuiSession& gui_;
  std::unique_ptr<dialogs::DataModule> data_;
  // What the editor dialogs keep between showings, for the add-in's lifetime: the keyboard language they
  // share, and the single-line text dialog's editor and pending font type.
  dialogs::LanguageState editorLanguage_;
  textdialog::TextDialogState textDialog_;
  // What the multi-line editors keep from one showing to the next.
  std::unique_ptr<mtext::EditorsState> editors_;
  // The text library window while Hlib runs.
  std::unique_ptr<library::TfrmExpl> library_;
};

}  // namespace zil::automation
