#include "automation/dialogs/qt_dialogs.h"

#include "attributes/dialogs/tfrm_grid.h"
#include "automation/addin.h"
#include "automation/dialogs/about_form.h"
#include "automation/hresult.h"
#include "config/dialogs/fonts_form.h"
#include "dialogs/data_module.h"
#include "library/dialogs/library_loop.h"
#include "library/dialogs/tfrm_expl.h"
#include "mtext/dialogs/editors_state.h"
#include "mtext/dialogs/mtext_form.h"
#include "mtext/dialogs/replace_form.h"
#include "mtext/mtext_commands.h"
#include "platform/qt/gui_session.h"
#include "textdialog/dialogs/thtext.h"

namespace zil::automation {

QtDialogs::QtDialogs(platform::GuiSession& gui) : gui_(gui), editors_(std::make_unique<mtext::EditorsState>()) {}

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

namespace {

mtext::Context MTextContext(AddIn& addin) { return {addin.host, addin.frmFonts(), addin.services().keyboard}; }

}  // namespace

void QtDialogs::NewMText(AddIn& addin) {
  Prepare();
  mtext::Context context = MTextContext(addin);
  mtext::QtMTextEditor editor(addin.frmFonts().inistr, editors_->mtextLanguage, addin.services());
  mtext::NewMText(context, editor);
}

void QtDialogs::EditMText(AddIn& addin, std::u16string_view handle) {
  Prepare();
  mtext::Context context = MTextContext(addin);
  mtext::QtMTextEditor editor(addin.frmFonts().inistr, editors_->mtextLanguage, addin.services());
  mtext::EditMText(context, editor, handle);
}

void QtDialogs::ConvertTextsToMText(AddIn& addin) {
  Prepare();
  mtext::Context context = MTextContext(addin);
  mtext::QtMTextEditor editor(addin.frmFonts().inistr, editors_->mtextLanguage, addin.services());
  mtext::ConvertTextsToMText(context, editor);
}

void QtDialogs::ReplaceInTexts(AddIn& addin) {
  Prepare();
  mtext::Context context = MTextContext(addin);
  mtext::QtReplaceEditor editor(addin.host, addin.frmFonts().conv, *editors_, addin.services());
  mtext::ReplaceInTexts(context, editor);
}

void QtDialogs::EditAttributeDefinition(AddIn& addin, std::u16string_view handle) {
  Prepare();
  attributes::TfrmGrid form(addin.host, addin.frmFonts(), addin.services(), addin.DataFolder);
  form.EditAttributeDefinition(handle);
}

void QtDialogs::EditBlockAttributes(AddIn& addin, std::u16string_view handle) {
  Prepare();
  // A "NEXT" of the block before does not outlive a grid that fails to open.
  addin.ResultString.clear();
  attributes::TfrmGrid form(addin.host, addin.frmFonts(), addin.services(), addin.DataFolder);
  form.EditBlockAttributes(handle, addin.ResultString);
}

void QtDialogs::ShowLibrary(AddIn& addin) {
  Prepare();
  library::Hlib(library_, addin.host, addin.frmFonts(), addin.services(), addin.DataFolder);
}

// The dialogs below are being built; until each is, its member says so.
void QtDialogs::ConvertForRevit(AddIn&) { ThrowNotAvailableYet("Conversion for Revit (Convert)"); }
void QtDialogs::ConvertFonts(AddIn&) { ThrowNotAvailableYet("Font conversion and remapping (hfont_convert)"); }

}  // namespace zil::automation
