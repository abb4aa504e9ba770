// A line of an automation script split into words as a POSIX shell splits them: blanks separate words;
// '...' keeps everything literally; "..." keeps everything but \" \\ \$ \` (a backslash before another
// character stays); a backslash outside quotes keeps the next character; quoted and unquoted parts next
// to each other make one word, and "" is an empty word. No expansion of any kind happens.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zil::cli {

class ScriptSyntaxError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The words of one line (UTF-8). Throws ScriptSyntaxError for an unterminated quote or a trailing
// backslash.
std::vector<std::string> SplitScriptWords(std::string_view line);

}  // namespace zil::cli
