// zil-workbench: the add-in's desktop command layer over DXF drawings (workbench.h).
#include <QApplication>
#include <iostream>
#include <memory>
#include <string>

#include "automation/dialogs/qt_dialogs.h"
#include "config/data_folder.h"
#include "help_text.h"
#include "platform/clipboard.h"
#include "platform/keyboard_layouts.h"
#include "platform/portable_registry.h"
#include "platform/qt/gui_session.h"
#include "platform/qt/qt_clipboard.h"
#include "platform/qt/qt_file_choosers.h"
#include "platform/qt/qt_messages.h"
#include "platform/special_folders.h"
#include "textcore/utf8.h"
#include "workbench.h"

namespace {

// Messages while no window can show them (before the application runs): on standard error.
class StandardErrorMessages final : public zil::platform::Messages {
 public:
  zil::platform::MessageAnswer Show(const std::u16string& caption, const std::u16string& text,
                                    zil::platform::MessageIcon, zil::platform::MessageButtons buttons) override {
    std::cerr << "zil-workbench: " << zil::textcore::ToUtf8(caption) << ": " << zil::textcore::ToUtf8(text) << '\n';
    return buttons == zil::platform::MessageButtons::YesNo || buttons == zil::platform::MessageButtons::YesNoCancel
               ? zil::platform::MessageAnswer::Yes
               : zil::platform::MessageAnswer::Ok;
  }
};

}  // namespace

int main(int argc, char** argv) {
  // --help and --version answer without a display.
  std::string file;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "-h" || arg == "--help") {
      std::cout << zil::workbench::HelpText();
      return 0;
    }
    if (arg == "--version") {
      std::cout << "zil-workbench " ZIL_VERSION "\n";
      return 0;
    }
    if (!arg.empty() && arg[0] == '-' && arg.size() > 1 && arg.rfind("-platform", 0) != 0) {
      std::cerr << "zil-workbench: unknown option " << arg << " (see zil-workbench --help)\n";
      return 2;
    }
    if (arg.rfind("-platform", 0) == 0) {
      ++i;  // Qt's own option and its value
      continue;
    }
    if (!file.empty()) {
      std::cerr << "zil-workbench: one drawing at a time (see zil-workbench --help)\n";
      return 2;
    }
    file = arg;
  }
  if (const auto why = zil::platform::WhyNoDisplay()) {
    std::cerr << "zil-workbench: " << *why << '\n';
    return 1;
  }

  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("zil-workbench"));
  QApplication::setOrganizationName(QStringLiteral("zil"));
  QApplication::setApplicationVersion(QStringLiteral(ZIL_VERSION));

  zil::platform::PortableKeyboardLayouts keyboard;
  StandardErrorMessages console;
  zil::platform::QtMessages messages(console);
  zil::platform::XdgSpecialFolders folders;
  zil::platform::QtFileChoosers files;
  zil::platform::InProcessClipboard ownClipboard;
  zil::platform::QtClipboard clipboard(ownClipboard);
  zil::platform::PortableRegistry registry([&folders] { return zil::config::ChooseDataFolder(folders); });
  zil::platform::GuiSession gui;  // uses the application above
  zil::automation::QtDialogs dialogs(gui);

  zil::workbench::Workbench workbench({keyboard, messages, folders, files, clipboard, registry}, dialogs);
  workbench.show();
  if (!file.empty()) workbench.Open(file);
  return QApplication::exec();
}
