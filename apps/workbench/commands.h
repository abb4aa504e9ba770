// The workbench's commands: a table of the name typed at the command line, the menu and the text it
// shows there, and the function that runs it. The add-in's commands do what AutoCAD's command layer does
// around each member of the automation object: pick what the member needs, place a text for `newtext`,
// read `Hebstr`, pick again while `block` answers "NEXT". Each member is called exactly as the command
// layer calls it; a member whose dialog is not built yet fails with its own message, shown in the
// command line.
#pragma once

#include <QStringView>
#include <span>

namespace zil::workbench {

class Workbench;

struct WorkbenchCommand {
  const char* name;      // as typed at the command line (any case)
  const char* menu;      // the menu it is in
  const char* menuText;  // with its accelerator
  const char* shortcut;  // a key sequence, or nullptr
  bool toolBar;          // also on the tool bar
  bool needsDrawing;     // only while a drawing is open
  const char* help;      // one line for --help and the man page
  void (*run)(Workbench& workbench);
};

// Every command, in menu order.
std::span<const WorkbenchCommand> Commands();
// The command named `name` (any case); nullptr when there is none.
const WorkbenchCommand* FindCommand(QStringView name);

}  // namespace zil::workbench
