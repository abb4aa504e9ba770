// The module of what zil needs Qt for (gui_module.h): the one function it exports hands out its GuiModule.
#include "gui_module.h"

#include "automation/dialogs/qt_dialogs.h"
#include "platform/qt/gui_session.h"
#include "platform/qt/qt_clipboard.h"
#include "platform/qt/qt_file_choosers.h"
#include "platform/qt/qt_messages.h"

namespace zil::cli {
namespace {

class QtServices final : public GuiServices {
 public:
  QtServices(platform::Messages& console, platform::Clipboard& clipboard)
      : messages_(console), clipboard_(clipboard), dialogs_(gui_) {}

  platform::Messages& Messages() override { return messages_; }
  platform::FileChoosers& Files() override { return files_; }
  platform::Clipboard& Clipboard() override { return clipboard_; }
  automation::Dialogs& Dialogs() override { return dialogs_; }

 private:
  // Declared first: the Qt application outlives the dialogs.
  platform::GuiSession gui_;
  platform::QtMessages messages_;
  platform::QtFileChoosers files_;
  platform::QtClipboard clipboard_;
  automation::QtDialogs dialogs_;
};

class QtModule final : public GuiModule {
 public:
  std::unique_ptr<GuiServices> MakeServices(platform::Messages& console, platform::Clipboard& clipboard) override {
    return std::make_unique<QtServices>(console, clipboard);
  }
  preview::RenderReport RenderDxfFileToPng(const std::string& dxf, config::FontDefinitions& fonts,
                                           const preview::RenderOptions& options,
                                           const std::filesystem::path& png) override {
    return preview::RenderDxfFileToPng(dxf, fonts, options, png);
  }
  void RenderBeforeAndAfterPng(drawing::Drawing& before, drawing::Drawing& after, config::FontDefinitions& fonts,
                               const preview::RenderOptions& options, const std::filesystem::path& beforePng,
                               const std::filesystem::path& afterPng,
                               const std::optional<std::filesystem::path>& sideBySidePng) override {
    preview::RenderBeforeAndAfterPng(before, after, fonts, options, beforePng, afterPng, sideBySidePng);
  }
};

}  // namespace
}  // namespace zil::cli

zil::cli::GuiModule& zil::cli::LinkedGuiModule() {
  static QtModule module;
  return module;
}

extern "C" __attribute__((visibility("default"))) zil::cli::GuiModule* zil_gui_module() {
  return &zil::cli::LinkedGuiModule();
}
