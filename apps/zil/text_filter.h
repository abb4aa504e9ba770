// The text conventions shared by the string commands: the text is either one argument (UTF-8 in, UTF-8
// out) or, without it, standard input read as JSON Lines (one JSON string per line in, one per line out),
// so that every UTF-16 unit passes intact.
#pragma once

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>

namespace zil::cli {

using TextConversion = std::function<std::u16string(std::u16string_view)>;

// Converts the argument, or every line of `in`. Returns the exit code: 0, or 1 after reporting a line
// that is not a JSON string (the lines before it have been answered; nothing after it is read).
int RunTextFilter(const std::optional<std::string>& argument, const TextConversion& convert, std::istream& in,
                  std::ostream& out, std::ostream& err);

}  // namespace zil::cli
