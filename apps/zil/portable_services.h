// The platform services a command of the command line gives the add-in when it needs no screen: the
// keyboard layouts and the clipboard kept in the process, the XDG special folders, no file choosers, and
// the registry file of the data folder (asked for at each read). Each command brings its own messages.
#pragma once

#include "config/data_folder.h"
#include "platform/clipboard.h"
#include "platform/file_choosers.h"
#include "platform/keyboard_layouts.h"
#include "platform/messages.h"
#include "platform/portable_registry.h"
#include "platform/services.h"
#include "platform/special_folders.h"

namespace zil::cli {

struct PortableServices {
  PortableServices() = default;
  PortableServices(const PortableServices&) = delete;  // the registry asks this object's folders
  PortableServices& operator=(const PortableServices&) = delete;

  // The bundle, with the command's messages.
  platform::Services With(platform::Messages& messages) {
    return {keyboard, messages, folders, files, clipboard, registry};
  }

  platform::PortableKeyboardLayouts keyboard;
  platform::XdgSpecialFolders folders;
  platform::NoFileChoosers files;
  platform::InProcessClipboard clipboard;
  platform::PortableRegistry registry{[this] { return config::ChooseDataFolder(folders); }};
};

}  // namespace zil::cli
