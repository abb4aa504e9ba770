// `zil script [FILE]`: automation calls against one add-in for the whole run, one call per line (the
// member's name, then its arguments as a shell quotes words; "#" starts a comment line), each answered by
// one JSON object on its own line:
//   {"member": NAME, "hresult": "0x00000000", "value": VALUE, "error": MESSAGE}
// "value" only for members that return one, "error" only when the call failed. The run goes on after a
// failed call. Exit code 0 when the script could be read, 2 otherwise (nothing is run then).
// Built with Qt, the dialog members show the real dialogs; the Qt application starts with the first
// dialog, and without a display that call fails and says why while the rest of the script runs.
#include <fstream>
#include <iostream>
#include <locale>
#include <memory>
#include <optional>
#include <sstream>
#include <vector>

#include "automation/addin.h"
#include "automation/autozil.h"
#include "automation/dispatch.h"
#include "command_line.h"
#include "config/data_folder.h"
#include "console_messages.h"
#include "json_string.h"
#include "platform/clipboard.h"
#include "platform/file_choosers.h"
#include "platform/keyboard_layouts.h"
#include "platform/portable_registry.h"
#include "platform/special_folders.h"
#include "script_words.h"
#include "textcore/utf8.h"

#if ZIL_WITH_QT
#include "automation/dialogs/qt_dialogs.h"
#include "platform/qt/gui_session.h"
#include "platform/qt/qt_clipboard.h"
#include "platform/qt/qt_file_choosers.h"
#include "platform/qt/qt_messages.h"
#endif

namespace zil::cli {
namespace {

struct ScriptCall {
  long line;
  std::vector<std::string> words;
};

// Reads and splits every line first, so that a script with a syntax error runs nothing.
std::optional<std::vector<ScriptCall>> ReadScript(std::istream& in, const std::string& source, std::ostream& err) {
  std::vector<ScriptCall> calls;
  std::string text;
  for (long number = 1; std::getline(in, text); ++number) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos || text[first] == '#') continue;
    try {
      calls.push_back({number, SplitScriptWords(text)});
    } catch (const ScriptSyntaxError& e) {
      err << "zil: " << source << " line " << number << ": " << e.what() << '\n';
      return std::nullopt;
    }
  }
  return calls;
}

std::string Json(std::string_view utf8) { return EncodeJsonString(textcore::FromUtf8(utf8)); }

void RunCall(automation::Tautozil& object, const ScriptCall& call, std::ostream& out) {
  const std::u16string name = textcore::FromUtf8(call.words[0]);
  std::vector<automation::Variant> args;
  for (std::size_t i = 1; i < call.words.size(); ++i) args.emplace_back(textcore::FromUtf8(call.words[i]));
  const automation::InvokeResult result = automation::Invoke(object, name, args);
  const automation::MemberInfo* member = automation::FindMember(name);
  out << "{\"member\": " << (member ? Json(member->name) : EncodeJsonString(name))
      << ", \"hresult\": \"" << automation::FormatHResult(result.hr) << '"';
  if (result.value) out << ", \"value\": " << EncodeJsonString(*result.value);
  if (automation::Failed(result.hr)) out << ", \"error\": " << Json(result.error);
  out << "}\n";
}

// "db_gettable" writes reals in the user's locale, which is the process's C++ locale: its number
// punctuation comes from the environment (LC_ALL, LC_NUMERIC, LANG). Only the number facets are taken, so
// the C library's locale, and with it every other formatting in the process, stays as it is.
void UseTheUsersNumberFormat(std::ostream& err) {
  try {
    const std::locale user("");
    std::locale::global(
        std::locale::classic().combine<std::numpunct<char>>(user).combine<std::numpunct<wchar_t>>(user));
  } catch (const std::runtime_error&) {
    err << "zil: warning: the locale named by the environment is not installed; numbers are written as in the C "
           "locale\n";
  }
}

int RunScript(const std::optional<std::string>& file, CommandLine& cl) {
  std::ifstream stream;
  if (file) {
    stream.open(*file);
    if (!stream) {
      cl.err << "zil: cannot read the script " << *file << '\n';
      return kExitUsage;
    }
  }
  std::istream& in = file ? stream : cl.in;
  const auto calls = ReadScript(in, file ? *file : "standard input", cl.err);
  if (!calls) return kExitUsage;

  UseTheUsersNumberFormat(cl.err);
  platform::PortableKeyboardLayouts keyboard;
  ConsoleMessages console(cl.err);
  platform::XdgSpecialFolders folders;
  platform::InProcessClipboard ownClipboard;
#if ZIL_WITH_QT
  // Declared before the add-in: the Qt application outlives the add-in and its dialogs.
  platform::GuiSession gui;
  platform::QtMessages messages(console);
  platform::QtFileChoosers files;
  platform::QtClipboard clipboard(ownClipboard);
  automation::QtDialogs dialogs(gui);
#else
  ConsoleMessages& messages = console;
  platform::NoFileChoosers files;
  platform::InProcessClipboard& clipboard = ownClipboard;
  automation::NoDialogs dialogs;
#endif
  platform::PortableRegistry registry([&folders] { return config::ChooseDataFolder(folders); });
  automation::AddIn addin({keyboard, messages, folders, files, clipboard, registry}, dialogs);
  addin.Startup();
  const auto object = addin.CreateObject();
  for (const ScriptCall& call : *calls) RunCall(*object, call, cl.out);
  cl.out.flush();
  addin.Shutdown();
  return 0;
}

}  // namespace

void AddScriptCommand(CommandLine& cl) {
  auto file = std::make_shared<std::optional<std::string>>();
  CLI::App* cmd = cl.app.add_subcommand("script", "run automation calls, one per line, and print each result as JSON");
  cmd->add_option("file", *file, "the script; without it, standard input");
  cmd->callback([&cl, file] { cl.action = [&cl, file] { return RunScript(*file, cl); }; });
}

}  // namespace zil::cli
