#include "platform/qt/keyboard_notifier.h"

namespace zil::platform {

KeyboardNotifier::KeyboardNotifier(KeyboardLayouts& layouts, QObject* parent)
    : QObject(parent),
      layouts_(layouts),
      listener_(layouts.AddListener([this](KeyboardLayoutHandle active) { emit layoutChanged(active); })) {}

KeyboardNotifier::~KeyboardNotifier() { layouts_.RemoveListener(listener_); }

}  // namespace zil::platform
