#include "automation/addin.h"

#include "automation/autozil.h"
#include "automation/hresult.h"
#include "config/data_folder.h"

namespace zil::automation {

AddIn::AddIn(platform::Services services, Dialogs& dialogs) : services_(services), dialogs_(dialogs) {}

AddIn::~AddIn() { Shutdown(); }

void AddIn::Startup() {
  if (started_) return;
  classRegistered_ = true;
  if (auto folder = config::FindDataFolder(services_.folders)) DataFolder = *folder;
  fonts_ = std::make_unique<config::FontDefinitions>(services_);
  DataFolder = fonts_->DataFolder();
  dialogs_.CreateDataModule();
  started_ = true;
}

void AddIn::Shutdown() {
  if (!started_) return;
  started_ = false;
  // Each step runs even when an earlier one failed; failures are not reported here because the module is
  // going away and the steps report what the user must know themselves (a failed settings write).
  const auto step = [](const std::function<void()>& run) {
    try {
      run();
    } catch (...) {
    }
  };
  step([this] { dialogs_.FreeLibraryWindow(); });
  step([this] {
    if (fonts_) fonts_->Close();
    fonts_.reset();
  });
  step([this] { dialogs_.FreeDataModule(); });
  AcadVersion.clear();
  ResultString.clear();
  host.Release();
  classRegistered_ = false;
}

std::unique_ptr<Tautozil> AddIn::CreateObject() {
  if (!classRegistered_)
    throw AutomationError(E_UNEXPECTED, "The zil automation class is not registered: the add-in is not started");
  return std::make_unique<Tautozil>(*this);
}

config::FontDefinitions& AddIn::frmFonts() {
  if (!fonts_) throw AutomationError(E_UNEXPECTED, "The add-in is not started");
  return *fonts_;
}

void NoDialogs::ShowFontTable(AddIn&) {
  throw AutomationError(E_NOTIMPL,
                        "The \"Fonts Definition\" dialog is not available in this build of zil (built without Qt)");
}

void NoDialogs::ShowAbout(AddIn&) {
  throw AutomationError(E_NOTIMPL, "The About window is not available in this build of zil (built without Qt)");
}

namespace {
[[noreturn]] void NotInThisBuild(const std::string& what) {
  throw AutomationError(E_NOTIMPL, what + " is not available in this build of zil (built without Qt)");
}
}  // namespace

void NoDialogs::NewText(AddIn&, std::u16string_view) { NotInThisBuild("The text dialog"); }
void NoDialogs::EditText(AddIn&, std::u16string_view) { NotInThisBuild("The text dialog"); }
void NoDialogs::NewMText(AddIn&) { NotInThisBuild("The MText editor"); }
void NoDialogs::EditMText(AddIn&, std::u16string_view) { NotInThisBuild("The MText editor"); }
void NoDialogs::ConvertTextsToMText(AddIn&) { NotInThisBuild("Text to MText conversion"); }
void NoDialogs::ReplaceInTexts(AddIn&) { NotInThisBuild("Find and replace"); }
void NoDialogs::EditAttributeDefinition(AddIn&, std::u16string_view) { NotInThisBuild("The attribute grid"); }
void NoDialogs::EditBlockAttributes(AddIn&, std::u16string_view) { NotInThisBuild("The attribute grid"); }
void NoDialogs::ShowLibrary(AddIn&) { NotInThisBuild("The text library"); }
void NoDialogs::ConvertForRevit(AddIn&) { NotInThisBuild("Conversion for Revit"); }
void NoDialogs::ConvertFonts(AddIn&) { NotInThisBuild("Font conversion and remapping"); }

}  // namespace zil::automation
