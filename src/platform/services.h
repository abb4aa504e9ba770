// The platform services the add-in uses, handed to it as one bundle. Each is an interface with a
// portable implementation; tests inject scripted ones.
#pragma once

#include "platform/keyboard_layouts.h"
#include "platform/messages.h"
#include "platform/registry.h"
#include "platform/special_folders.h"

namespace zil::platform {

struct Services {
  KeyboardLayouts& keyboard;
  Messages& messages;
  SpecialFolders& folders;
  Registry& registry;
};

}  // namespace zil::platform
