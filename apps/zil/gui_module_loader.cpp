#include <dlfcn.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "command_line.h"
#include "gui_module.h"

namespace zil::cli {
namespace {

namespace fs = std::filesystem;

// The module: beside the libraries of the installed program (PREFIX/lib/zil for PREFIX/bin/zil), where the
// build puts it too.
fs::path ModulePath() {
  std::error_code error;
  const fs::path program = fs::read_symlink("/proc/self/exe", error);
  if (error) throw std::runtime_error("the dialogs and previews cannot be loaded: the program's own path is unknown");
  return program.parent_path() / ZIL_GUI_MODULE;
}

}  // namespace

GuiModule& LoadGuiModule() {
  static GuiModule* const module = [] {
    const fs::path path = ModulePath();
    // Kept for the life of the process: the module's objects and Qt's may be in use until it ends.
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
      const char* why = ::dlerror();
      throw std::runtime_error("the dialogs and previews cannot be loaded from " + path.string() + ": " +
                               (why ? why : "unknown error") + " (reinstall zil)");
    }
    const auto entry = reinterpret_cast<GuiModuleEntry>(::dlsym(handle, kGuiModuleEntry));
    if (!entry) throw std::runtime_error(path.string() + " is not zil's module of dialogs and previews");
    return entry();
  }();
  return *module;
}

GuiModule& GuiOf(const CommandLine& cl) { return cl.gui ? cl.gui() : LoadGuiModule(); }

LazyGuiServices::~LazyGuiServices() = default;

GuiServices& LazyGuiServices::Loaded() {
  if (!loaded_) {
    loaded_ = GuiOf(cl_).MakeServices(console_, clipboard_);
    if (dataModule_) loaded_->Dialogs().CreateDataModule();
  }
  return *loaded_;
}

platform::MessageAnswer LazyGuiServices::Show(const std::u16string& caption, const std::u16string& text,
                                              platform::MessageIcon icon, platform::MessageButtons buttons) {
  // Without a dialog shown there is no Qt application, and Qt's message boxes would go to the console.
  return loaded_ ? loaded_->Messages().Show(caption, text, icon, buttons) : console_.Show(caption, text, icon, buttons);
}

std::optional<fs::path> LazyGuiServices::ChooseFileToOpen(const platform::FileChoice& choice) {
  return Loaded().Files().ChooseFileToOpen(choice);
}

std::optional<fs::path> LazyGuiServices::ChooseFileToSave(const platform::FileChoice& choice) {
  return Loaded().Files().ChooseFileToSave(choice);
}

std::u16string LazyGuiServices::Text() const { return loaded_ ? loaded_->Clipboard().Text() : clipboard_.Text(); }

void LazyGuiServices::SetText(const std::u16string& text) {
  if (loaded_) return loaded_->Clipboard().SetText(text);
  clipboard_.SetText(text);
}

void LazyGuiServices::CreateDataModule() {
  dataModule_ = true;
  if (loaded_) loaded_->Dialogs().CreateDataModule();
}

void LazyGuiServices::FreeDataModule() {
  dataModule_ = false;
  if (loaded_) loaded_->Dialogs().FreeDataModule();
}

void LazyGuiServices::FreeLibraryWindow() {
  if (loaded_) loaded_->Dialogs().FreeLibraryWindow();
}

void LazyGuiServices::ShowFontTable(automation::AddIn& addin) { Loaded().Dialogs().ShowFontTable(addin); }
void LazyGuiServices::ShowAbout(automation::AddIn& addin) { Loaded().Dialogs().ShowAbout(addin); }
void LazyGuiServices::NewText(automation::AddIn& addin, std::u16string_view handle) {
  Loaded().Dialogs().NewText(addin, handle);
}
void LazyGuiServices::EditText(automation::AddIn& addin, std::u16string_view handle) {
  Loaded().Dialogs().EditText(addin, handle);
}
void LazyGuiServices::NewMText(automation::AddIn& addin) { Loaded().Dialogs().NewMText(addin); }
void LazyGuiServices::EditMText(automation::AddIn& addin, std::u16string_view handle) {
  Loaded().Dialogs().EditMText(addin, handle);
}
void LazyGuiServices::ConvertTextsToMText(automation::AddIn& addin) { Loaded().Dialogs().ConvertTextsToMText(addin); }
void LazyGuiServices::ReplaceInTexts(automation::AddIn& addin) { Loaded().Dialogs().ReplaceInTexts(addin); }
void LazyGuiServices::EditAttributeDefinition(automation::AddIn& addin, std::u16string_view handle) {
  Loaded().Dialogs().EditAttributeDefinition(addin, handle);
}
void LazyGuiServices::EditBlockAttributes(automation::AddIn& addin, std::u16string_view handle) {
  Loaded().Dialogs().EditBlockAttributes(addin, handle);
}
void LazyGuiServices::ShowLibrary(automation::AddIn& addin) { Loaded().Dialogs().ShowLibrary(addin); }
void LazyGuiServices::ConvertForRevit(automation::AddIn& addin) { Loaded().Dialogs().ConvertForRevit(addin); }
void LazyGuiServices::ConvertFonts(automation::AddIn& addin) { Loaded().Dialogs().ConvertFonts(addin); }

}  // namespace zil::cli
