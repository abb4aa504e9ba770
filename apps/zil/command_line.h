// The command line of `zil`: one CLI11 application whose subcommands are added by each command group.
// A subcommand's callback chooses the action; main runs it after parsing and returns its exit code.
#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <iosfwd>
#include <string>

namespace zil::cli {

inline constexpr int kExitUsage = 2;

class GuiModule;

struct CommandLine {
  CommandLine(std::istream& in, std::ostream& out, std::ostream& err);

  CLI::App app;
  std::function<int()> action;
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
  // The dialogs and previews (gui_module.h) for the commands that need them; when empty, the module is
  // loaded (LoadGuiModule). A program that links them in gives its own.
  std::function<GuiModule&()> gui;
};

// The command groups.
void AddTextCommands(CommandLine& cl);
void AddScriptCommand(CommandLine& cl);
void AddFontCommands(CommandLine& cl);
void AddLibraryCommands(CommandLine& cl);
void AddDxfCommands(CommandLine& cl);
void AddConversionCommands(CommandLine& cl);
void AddRenderCommand(CommandLine& cl);

// "1 entity", "2 entities": a count with the word that fits it.
std::string Counted(int n, const char* one, const char* many);

// Parses `argv` and runs the chosen command. A bad command line prints the problem and a usage hint and
// returns kExitUsage.
int RunCommandLine(CommandLine& cl, int argc, const char* const* argv);

}  // namespace zil::cli
