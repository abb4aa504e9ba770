// The platform services the add-in uses, handed to it as one bundle. Each is an interface with a
// portable implementation (and a Qt one under src/platform/qt); tests inject scripted ones.
#pragma once

#include "platform/clipboard.h"
#include "platform/file_choosers.h"
#include "platform/keyboard_layouts.h"
#include "platform/messages.h"
#include "platform/registry.h"
#include "platform/special_folders.h"

namespace zil::platform {

struct Services {
  KeyboardLayouts& keyboard;
  Messages& messages;
  SpecialFolders& folders;
  FileChoosers& files;
  Clipboard& clipboard;
  Registry& registry;
};

}  // namespace zil::platform
