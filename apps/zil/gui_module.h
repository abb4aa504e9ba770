// What of zil needs Qt (the dialogs a script's add-in shows, the message boxes, file choosers and
// clipboard that come with them, and the PNG previews), behind an interface. It is built as a module of its
// own (zil-gui.so, beside the program's libraries) and loaded when a command first needs it, so that the
// commands that show nothing (--version, the conversions, dxf copy) start without loading Qt at all.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "automation/dialogs.h"
#include "config/font_definitions.h"
#include "drawing/drawing.h"
#include "platform/clipboard.h"
#include "platform/file_choosers.h"
#include "platform/messages.h"
#include "preview/render.h"

namespace zil::cli {

// The Qt services of one script run. The message boxes and the clipboard fall back on those given while no
// Qt application runs; the first dialog starts one.
class GuiServices {
 public:
  virtual ~GuiServices() = default;
  virtual platform::Messages& Messages() = 0;
  virtual platform::FileChoosers& Files() = 0;
  virtual platform::Clipboard& Clipboard() = 0;
  virtual automation::Dialogs& Dialogs() = 0;
};

class GuiModule {
 public:
  virtual ~GuiModule() = default;
  virtual std::unique_ptr<GuiServices> MakeServices(platform::Messages& console, platform::Clipboard& clipboard) = 0;
  // As preview/render.h.
  virtual preview::RenderReport RenderDxfFileToPng(const std::string& dxf, config::FontDefinitions& fonts,
                                                   const preview::RenderOptions& options,
                                                   const std::filesystem::path& png) = 0;
  virtual void RenderBeforeAndAfterPng(drawing::Drawing& before, drawing::Drawing& after,
                                       config::FontDefinitions& fonts, const preview::RenderOptions& options,
                                       const std::filesystem::path& beforePng, const std::filesystem::path& afterPng,
                                       const std::optional<std::filesystem::path>& sideBySidePng) = 0;
};

// The name of the function the module exports; it returns the module's GuiModule, which lives as long as
// the process.
inline constexpr const char* kGuiModuleEntry = "zil_gui_module";
using GuiModuleEntry = GuiModule* (*)();

// Loads the module on first use (it then stays loaded). Throws std::runtime_error saying what is missing
// when it cannot be loaded.
GuiModule& LoadGuiModule();

struct CommandLine;
// The command line's own module, if it has one, else LoadGuiModule().
GuiModule& GuiOf(const CommandLine& cl);

// The module's own GuiModule, for a program that links the module's code in.
GuiModule& LinkedGuiModule();

// The services of a script run, loading the module when the first dialog is shown or a file chooser
// asked for: until then the console's messages and the process's own clipboard serve.
class LazyGuiServices final : public GuiServices,
                              private platform::Messages,
                              private platform::FileChoosers,
                              private platform::Clipboard,
                              private automation::Dialogs {
 public:
  LazyGuiServices(const CommandLine& cl, platform::Messages& console, platform::Clipboard& clipboard)
      : cl_(cl), console_(console), clipboard_(clipboard) {}
  ~LazyGuiServices() override;

  platform::Messages& Messages() override { return *this; }
  platform::FileChoosers& Files() override { return *this; }
  platform::Clipboard& Clipboard() override { return *this; }
  automation::Dialogs& Dialogs() override { return *this; }

 private:
  GuiServices& Loaded();

  // platform::Messages
  platform::MessageAnswer Show(const std::u16string& caption, const std::u16string& text, platform::MessageIcon icon,
                               platform::MessageButtons buttons) override;
  // platform::FileChoosers
  std::optional<std::filesystem::path> ChooseFileToOpen(const platform::FileChoice& choice) override;
  std::optional<std::filesystem::path> ChooseFileToSave(const platform::FileChoice& choice) override;
  // platform::Clipboard
  std::u16string Text() const override;
  void SetText(const std::u16string& text) override;
  // automation::Dialogs
  void CreateDataModule() override;
  void FreeDataModule() override;
  void FreeLibraryWindow() override;
  void ShowFontTable(automation::AddIn& addin) override;
  void ShowAbout(automation::AddIn& addin) override;
  void NewText(automation::AddIn& addin, std::u16string_view handle) override;
  void EditText(automation::AddIn& addin, std::u16string_view handle) override;
  void NewMText(automation::AddIn& addin) override;
  void EditMText(automation::AddIn& addin, std::u16string_view handle) override;
  void ConvertTextsToMText(automation::AddIn& addin) override;
  void ReplaceInTexts(automation::AddIn& addin) override;
  void EditAttributeDefinition(automation::AddIn& addin, std::u16string_view handle) override;
  void EditBlockAttributes(automation::AddIn& addin, std::u16string_view handle) override;
  void ShowLibrary(automation::AddIn& addin) override;
  void ConvertForRevit(automation::AddIn& addin) override;
  void ConvertFonts(automation::AddIn& addin) override;

  const CommandLine& cl_;
  platform::Messages& console_;
  platform::Clipboard& clipboard_;
  std::unique_ptr<GuiServices> loaded_;
  bool dataModule_ = false;  // the add-in asked for the dialogs' data module
};

}  // namespace zil::cli
