// Font types on the command line: a code 0..4 or one of the names dos-hebrew, dos-english,
// dos-english-r, windows, truetype. An option that names the font type of a style (--type, --from, --to)
// takes only those; the kind of the string commands (--kind) takes them and any other whole number, which
// gives the empty string, as the add-in's automation members do.
#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string_view>

#include "textcore/font_type.h"

namespace zil::cli {

std::optional<fntType> ParseFontType(std::string_view word);

// The command-line name of a type ("dos-hebrew" ...).
std::string_view FontTypeOptionName(fntType type);

// Adds a required font type option; a word that names no type is a usage error.
CLI::Option* AddFontTypeOption(CLI::App& command, const std::string& name, fntType& target,
                               const std::string& description);

// Adds the required --kind option of the string commands.
CLI::Option* AddKindOption(CLI::App& command, int& target);

}  // namespace zil::cli
