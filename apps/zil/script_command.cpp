// `zil script [--drawing FILE [--save OUT] [--input ANSWERS]] [SCRIPT]`: automation calls against one
// add-in for the whole run, one call per line (the member's name, then its arguments as a shell quotes
// words; "#" starts a comment line), each answered by one JSON object on its own line:
//   {"member": NAME, "hresult": "0x00000000", "value": VALUE, "error": MESSAGE}
// "value" only for members that return one, "error" only when the call failed. The run goes on after a
// failed call; at the end, standard error says how many failed and the exit code is 1. A script that
// cannot be read stops the command before anything runs: exit code 1 for a file that cannot be opened,
// 2 for a line that is not valid UTF-8 or does not split into words.
//
// With --drawing, the drawing is opened in the stand-in CAD host and the add-in is given its application
// (SetApp) before the first line. After each call the command text the call queued runs, each text
// reported on its own line as {"command": TEXT, "ran": [EVENT, ...]} (events: {"alert": MESSAGE,
// "answer": BUTTON}, {"undo": WHAT}, {"plot": WHAT}); a text that failed has "error": MESSAGE, and "ran"
// only when part of it ran before the failure. ANSWERS answers the host's prompts in order
// (input_source.h: point, distance, enter, cancel, pick); alerts are acknowledged. At the end the drawing
// is saved to OUT when given. The drawing FILE itself is never written (the host refuses to save over it)
// unless OUT names it. A drawing or answers file that cannot be read stops the command before anything
// runs (exit code 1); so does a failed save at the end, which leaves OUT as it was.
// Built with Qt, the dialog members show the real dialogs; the Qt application starts with the first
// dialog, and without a display that call fails and says why while the rest of the script runs.
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <locale>
#include <memory>
#include <optional>
#include <span>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "automation/addin.h"
#include "automation/autozil.h"
#include "automation/dispatch.h"
#include "command_line.h"
#include "command_report_json.h"
#include "console_messages.h"
#include "drawing/standin/application.h"
#include "drawing/standin/document.h"
#include "drawing/standin/font_directions.h"
#include "drawing/standin/input_source.h"
#include "font_table_notice.h"
#include "json_string.h"
#include "portable_services.h"
#include "script_words.h"
#include "textcore/utf8.h"
#include "utf8_text.h"

#if ZIL_WITH_QT
#include "gui_module.h"
#endif

namespace zil::cli {
namespace {

struct ScriptCall {
  long line;
  std::vector<std::string> words;
};

struct ScriptOptions {
  std::optional<std::string> file;
  std::optional<std::string> drawing;
  std::optional<std::string> save;
  std::optional<std::string> input;
};

// The stand-in host of a run with a drawing: the application with the drawing open, and the answers.
struct DrawingHost {
  std::shared_ptr<standin::StandInApplication> application;
  std::shared_ptr<standin::StandInDocument> document;
  standin::ScriptedInput input;
};

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  if (std::filesystem::equivalent(a, b, error)) return true;
  return std::filesystem::weakly_canonical(a, error) == std::filesystem::weakly_canonical(b, error);
}

// Opens the drawing and reads the answers; nullopt (with a message) when either cannot be read.
std::optional<DrawingHost> OpenDrawingHost(const ScriptOptions& options, std::ostream& err) {
  DrawingHost host;
  if (options.input) {
    std::ifstream answers(*options.input);
    if (!answers) {
      err << "zil: cannot read the answers " << *options.input << '\n';
      return std::nullopt;
    }
    try {
      host.input = standin::ScriptedInput::Parse(answers, *options.input);
    } catch (const std::invalid_argument& e) {
      err << "zil: " << e.what() << '\n';
      return std::nullopt;
    }
  } else {
    std::istringstream none;
    host.input = standin::ScriptedInput::Parse(none, "no answers (--input was not given)");
  }
  host.application = standin::StandInApplication::Create();
  try {
    host.document = host.application->OpenDrawing(*options.drawing);
  } catch (const std::exception& e) {
    err << "zil: " << e.what() << '\n';
    return std::nullopt;
  }
  if (!options.save || !SameFile(*options.save, *options.drawing)) host.application->ProtectFile(*options.drawing);
  return host;
}

// Prints what each queued command text did; returns how many texts there were and how many failed.
std::pair<int, int> ReportCommands(standin::StandInApplication& application, std::ostream& out) {
  std::pair<int, int> counts{0, 0};
  for (const standin::CommandReport& report : application.RunQueuedCommands()) {
    ++counts.first;
    if (!report.error.empty()) ++counts.second;
    out << CommandReportJson(report) << '\n';
  }
  return counts;
}

// Reads and splits every line first, so that a script with a syntax error runs nothing.
std::optional<std::vector<ScriptCall>> ReadScript(std::istream& in, const std::string& source, std::ostream& err) {
  std::vector<ScriptCall> calls;
  std::string text;
  for (long number = 1; std::getline(in, text); ++number) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos || text[first] == '#') continue;
    if (const auto at = FirstMalformedUtf8(text)) {
      err << "zil: " << source << " line " << number << " is not valid UTF-8 (at byte " << *at + 1 << "): \""
          << EscapedForMessage(text) << "\"; a script is UTF-8 text\n";
      return std::nullopt;
    }
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

// Prints the call's answer; false when the call failed.
bool RunCall(automation::Tautozil& object, const ScriptCall& call, std::ostream& out) {
  const std::u16string name = textcore::FromUtf8(call.words[0]);
  std::vector<automation::Variant> args;
  for (std::size_t i = 1; i < call.words.size(); ++i) args.emplace_back(textcore::FromUtf8(call.words[i]));
  const automation::InvokeResult result = automation::Invoke(object, name, args);
  const automation::MemberInfo* member = automation::FindMember(name);
  out << "{\"member\": " << (member ? Json(member->name) : EncodeJsonString(name)) << ", \"hresult\": \""
      << automation::FormatHResult(result.hr) << '"';
  if (result.value) out << ", \"value\": " << EncodeJsonString(*result.value);
  if (automation::Failed(result.hr)) out << ", \"error\": " << Json(result.error);
  out << "}\n";
  return !automation::Failed(result.hr);
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

int RunScript(const ScriptOptions& options, CommandLine& cl) {
  const std::optional<std::string>& file = options.file;
  std::ifstream stream;
  if (file) {
    stream.open(*file);
    if (!stream) {
      cl.err << "zil: cannot read the script " << *file << ": " << std::strerror(errno) << '\n';
      return 1;
    }
  }
  std::istream& in = file ? stream : cl.in;
  const auto calls = ReadScript(in, file ? *file : "standard input", cl.err);
  if (!calls) return kExitUsage;

  std::optional<DrawingHost> host;
  if (options.drawing) {
    WarnWithoutFontTable(platform::XdgSpecialFolders{}, cl.err);
    host = OpenDrawingHost(options, cl.err);
    if (!host) return 1;
    host->application->SetInputSource(&host->input);
  }

  UseTheUsersNumberFormat(cl.err);
  PortableServices portable;
  ConsoleMessages console(cl.err);
#if ZIL_WITH_QT
  // Declared before the add-in: the Qt application outlives the add-in and its dialogs. The dialogs' own
  // messages, file choosers and clipboard take the place of the portable ones; Qt is loaded with the first
  // dialog or file chooser the script opens.
  LazyGuiServices gui(cl, console, portable.clipboard);
  automation::Dialogs& dialogs = gui.Dialogs();
  const platform::Services services{portable.keyboard, gui.Messages(),  portable.folders,
                                    gui.Files(),       gui.Clipboard(), portable.registry};
#else
  automation::NoDialogs dialogs;
  const platform::Services services = portable.With(console);
#endif
  automation::AddIn addin(services, dialogs);
  addin.Startup();
  const auto object = addin.CreateObject();
  if (host) {
    host->application->SetRightToLeftFonts(standin::RightToLeftFontsOf(addin.frmFonts()));
    const automation::Variant app = automation::ApplicationRef(host->application);
    const automation::InvokeResult given = automation::Invoke(*object, u"SetApp", std::span(&app, 1));
    if (automation::Failed(given.hr)) {
      cl.err << "zil: SetApp failed: " << given.error << '\n';
      return 1;
    }
  }
  int failedCalls = 0, texts = 0, failedTexts = 0;
  for (const ScriptCall& call : *calls) {
    if (!RunCall(*object, call, cl.out)) ++failedCalls;
    if (host) {
      const auto [ran, failed] = ReportCommands(*host->application, cl.out);
      texts += ran;
      failedTexts += failed;
    }
  }
  cl.out.flush();
  if (host) host->application->SetRightToLeftFonts({});  // the font table goes with the add-in
  addin.Shutdown();
  int exitCode = 0;
  if (failedCalls > 0) {
    cl.err << "zil: " << failedCalls << " of " << Counted(static_cast<int>(calls->size()), "call", "calls")
           << " failed\n";
    exitCode = 1;
  }
  if (failedTexts > 0) {
    cl.err << "zil: " << failedTexts << " of " << Counted(texts, "command text", "command texts") << " failed\n";
    exitCode = 1;
  }
  if (host && options.save) {
    try {
      host->document->WriteTo(*options.save);
    } catch (const std::exception& e) {
      cl.err << "zil: the drawing was not saved: " << e.what() << '\n';
      return 1;
    }
  }
  return exitCode;
}

}  // namespace

void AddScriptCommand(CommandLine& cl) {
  auto options = std::make_shared<ScriptOptions>();
  CLI::App* cmd = cl.app.add_subcommand("script", "run automation calls, one per line, and print each result as JSON");
  cmd->add_option("file", options->file, "the script; without it, standard input");
  CLI::Option* drawing = cmd->add_option("--drawing", options->drawing,
                                         "a DXF drawing to open in the stand-in CAD host before the first call");
  cmd->add_option("--save", options->save, "where to save the drawing after the last call")->needs(drawing);
  cmd->add_option("--input", options->input, "the answers to the host's prompts, one per line")->needs(drawing);
  cmd->callback([&cl, options] { cl.action = [&cl, options] { return RunScript(*options, cl); }; });
}

}  // namespace zil::cli
