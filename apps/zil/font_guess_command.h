// zil fonts FILE --guess [--write]: each font's Hebrew encoding told from the drawing's own texts, beside
// what the data folder's font table says, and, with --write, the fonts the table lacks added to it.
#pragma once

#include <memory>
#include <string>

#include "command_line.h"

namespace zil::cli {

struct FontGuessOptions {
  bool guess = false;
  bool write = false;
};

// Adds --guess and --write to the fonts command.
std::shared_ptr<FontGuessOptions> AddFontGuessOptions(CLI::App& fonts);

int RunFontGuess(const std::string& file, const FontGuessOptions& options, CommandLine& cl);

}  // namespace zil::cli
