#include "script_words.h"

namespace zil::cli {

std::vector<std::string> SplitScriptWords(std::string_view line) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
      if (inWord) words.push_back(std::move(word)), word.clear(), inWord = false;
      continue;
    }
    inWord = true;
    if (c == '\'') {
      const auto close = line.find('\'', i + 1);
      if (close == std::string_view::npos) throw ScriptSyntaxError("a single quote is not closed");
      word.append(line.substr(i + 1, close - i - 1));
      i = close;
    } else if (c == '"') {
      for (++i;; ++i) {
        if (i >= line.size()) throw ScriptSyntaxError("a double quote is not closed");
        if (line[i] == '"') break;
        if (line[i] == '\\' && i + 1 < line.size() &&
            std::string_view("\"\\$`").find(line[i + 1]) != std::string_view::npos)
          ++i;
        word += line[i];
      }
    } else if (c == '\\') {
      if (i + 1 >= line.size()) throw ScriptSyntaxError("the line ends with a backslash");
      word += line[++i];
    } else {
      word += c;
    }
  }
  if (inWord) words.push_back(std::move(word));
  return words;
}

}  // namespace zil::cli
