#include "command_line.h"

#include <ostream>
#include <string_view>

#include "utf8_text.h"

namespace zil::cli {
namespace {

std::string CommandPath(const CLI::App& app) {
  const CLI::App* parent = app.get_parent();
  return parent == nullptr ? app.get_name() : CommandPath(*parent) + " " + app.get_name();
}

std::string CommandList(const CLI::App& app) {
  std::string list;
  for (const CLI::App* sub : app.get_subcommands([](const CLI::App*) { return true; }))
    list += (list.empty() ? "" : ", ") + sub->get_name();
  return list;
}

bool HasCommands(const CLI::App& app) {
  return !app.get_subcommands([](const CLI::App*) { return true; }).empty();
}

// Words a user may try for the version.
bool AsksForTheVersion(std::string_view word) { return word == "version" || word == "-V" || word == "-v"; }

// After a parse error: when the command words of `argv` are at fault (a word that names no command of
// zil, zil dxf or zil library, or such a group without a command after it) says so, lists the commands
// there are and returns true. The command words come first, so a word that begins with "-" where a
// command belongs is none. Otherwise `command` is the command whose options were at fault.
bool ReportCommandWords(const CLI::App& root, int argc, const char* const* argv, const CLI::App*& command,
                        std::ostream& err) {
  command = &root;
  for (int i = 1; i < argc && HasCommands(*command); ++i) {
    const std::string_view word = argv[i];
    const CLI::App* next = nullptr;
    try {
      next = command->get_subcommand(std::string(word));
    } catch (const CLI::OptionNotFound&) {
    }
    if (next == nullptr) {
      err << CommandPath(*command) << ": " << (word.starts_with("-") ? "unknown option '" : "unknown command '") << word
          << "'" << (AsksForTheVersion(word) ? " (the version: zil --version)" : "") << "; the commands are "
          << CommandList(*command) << " (" << CommandPath(*command) << " --help says what each does)\n";
      return true;
    }
    command = next;
  }
  if (!HasCommands(*command)) return false;
  err << CommandPath(*command) << ": a command is needed; the commands are " << CommandList(*command) << " ("
      << CommandPath(*command) << " --help says what each does)\n";
  return true;
}

// Everything zil takes is text in UTF-8: a malformed argument is refused rather than read as "?".
bool CheckArgumentsAreUtf8(int argc, const char* const* argv, std::ostream& err) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (const auto at = FirstMalformedUtf8(argument)) {
      err << "zil: the argument \"" << EscapedForMessage(argument) << "\" (argument " << i
          << ") is not valid UTF-8 (at byte " << *at + 1 << "); zil takes its arguments in UTF-8\n";
      return false;
    }
  }
  return true;
}

}  // namespace

CommandLine::CommandLine(std::istream& input, std::ostream& output, std::ostream& error)
    : app("zil: Hebrew text in CAD drawings", "zil"), in(input), out(output), err(error) {
  app.require_subcommand(1);
  app.set_version_flag("--version", std::string(ZIL_VERSION));
}

std::string Counted(int n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

int RunCommandLine(CommandLine& cl, int argc, const char* const* argv) {
  if (!CheckArgumentsAreUtf8(argc, argv, cl.err)) return kExitUsage;
  try {
    cl.app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return cl.app.exit(e, cl.out, cl.err);
  } catch (const CLI::CallForAllHelp& e) {
    return cl.app.exit(e, cl.out, cl.err);
  } catch (const CLI::CallForVersion& e) {
    return cl.app.exit(e, cl.out, cl.err);
  } catch (const CLI::ParseError& e) {
    const CLI::App* command = nullptr;
    if (!ReportCommandWords(cl.app, argc, argv, command, cl.err)) {
      const std::string path = CommandPath(*command);
      cl.err << path << ": " << e.what() << " (" << path << " --help lists the options)\n";
    }
    return kExitUsage;
  }
  return cl.action ? cl.action() : 0;
}

}  // namespace zil::cli
