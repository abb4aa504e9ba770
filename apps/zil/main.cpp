// zil: the command-line command layer of the add-in.
#include <iostream>

#include "command_line.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  zil::cli::CommandLine cl(std::cin, std::cout, std::cerr);
  zil::cli::AddTextCommands(cl);
  zil::cli::AddFontCommands(cl);
  zil::cli::AddScriptCommand(cl);
  zil::cli::AddLibraryCommands(cl);
  zil::cli::AddDxfCommands(cl);
  zil::cli::AddConversionCommands(cl);
  zil::cli::AddRenderCommand(cl);
  try {
    return zil::cli::RunCommandLine(cl, argc, argv);
  } catch (const std::exception& e) {
    std::cerr << "zil: " << e.what() << '\n';
    return 1;
  }
}
