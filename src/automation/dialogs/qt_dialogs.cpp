#include "automation/dialogs/qt_dialogs.h"

#include "automation/addin.h"
#include "automation/dialogs/about_form.h"
#include "automation/hresult.h"
#include "config/dialogs/fonts_form.h"
#include "dialogs/data_module.h"
#include "library/dialogs/library_loop.h"
#include "library/dialogs/tfrm_expl.h"
#include "platform/qt/gui_session.h"
#include "textdialog/dialogs/thtext.h"

namespace zil::automation {

QtDialogs::QtDialogs(platform::GuiSession& gui) : gui_(gui) {}

QtDialogs::~QtDialogs() = default;

void QtDialogs::CreateDataModule() { data_ = std::make_unique<dialogs::DataModule>(); }

void QtDialogs::FreeDataModule() { data_.reset(); }

void QtDialogs::FreeLibraryWindow() { library::FreeLibraryWindow(library_); }

dialogs::DataModule& QtDialogs::Prepare() {
  if (!data_) throw AutomationError(E_UNEXPECTED, "The dialogs are not loaded: the add-in is not started");
  gui_.Start();
  return *data_;
}

void QtDialogs::ShowFontTable(AddIn& addin) {
  dialogs::DataModule& data = Prepare();
  config::TfrmFonts form(addin.frmFonts(), addin.services(), data);
  form.ShowModal();  // the modal result is not used: the form writes the table however it closes
}

void QtDialogs::ShowAbout(AddIn& addin) {
  dialogs::DataModule& data = Prepare();
  TfrmAbout form(addin.DataFolder, addin.services(), data);
  form.ShowModal();
}

void QtDialogs::NewText(AddIn& addin, std::u16string_view handle) {
  Prepare();
  textdialog::Thtext form(addin.host, addin.frmFonts(), addin.services(), textDialog_, editorLanguage_);
  form.SetHandle(handle);
  form.GetinputNewtext();
  form.ShowModal();  // the modal result is not used: the dialog has done its work however it closed
}

void QtDialogs::EditText(AddIn& addin, std::u16string_view handle) {
  Prepare();
  textdialog::Thtext form(addin.host, addin.frmFonts(), addin.services(), textDialog_, editorLanguage_);
  form.SetHandle(handle);
  form.GetinputEdittext();
  form.ShowModal();
}

void QtDialogs::ShowLibrary(AddIn& addin) {
  Prepare();
  library::Hlib(library_, addin.host, addin.frmFonts(), addin.services(), addin.DataFolder);
}

// The dialogs below are being built; until each is, its member says so.
void QtDialogs::NewMText(AddIn&) { ThrowNotAvailableYet("The MText editor (mtext)"); }
void QtDialogs::EditMText(AddIn&, std::u16string_view) { ThrowNotAvailableYet("The MText editor (edit on an MText)"); }
void QtDialogs::ConvertTextsToMText(AddIn&) { ThrowNotAvailableYet("Text to MText conversion (HtoMtext)"); }
void QtDialogs::ReplaceInTexts(AddIn&) { ThrowNotAvailableYet("Find and replace (replace)"); }
void QtDialogs::EditAttributeDefinition(AddIn&, std::u16string_view) {
  ThrowNotAvailableYet("The attribute grid (edit on an attribute definition)");
}
void QtDialogs::EditBlockAttributes(AddIn&, std::u16string_view) {
  ThrowNotAvailableYet("The attribute grid (block on a block reference)");
}
void QtDialogs::ConvertForRevit(AddIn&) { ThrowNotAvailableYet("Conversion for Revit (Convert)"); }
void QtDialogs::ConvertFonts(AddIn&) { ThrowNotAvailableYet("Font conversion and remapping (hfont_convert)"); }

}  // namespace zil::automation
