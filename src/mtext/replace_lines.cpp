#include "mtext/replace_lines.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "mtext/numbers.h"

namespace zil::mtext {

std::vector<std::size_t> FindLines(const std::vector<std::u16string>& lines, const std::u16string& text) {
  std::vector<std::size_t> found;
  if (text.empty()) return found;
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (lines[i].find(text) != std::u16string::npos) found.push_back(i);
  return found;
}

int ReplaceInLines(std::vector<std::u16string>& lines, const std::u16string& search, const std::u16string& replacement,
                   bool prompt, const std::function<ReplaceAnswer(std::size_t line, std::size_t position)>& ask,
                   const std::function<void(std::size_t line, std::size_t position)>& replaced) {
  int count = 0;
  if (search.empty()) return count;
  std::size_t line = 0;
  std::size_t from = 0;
  while (line < lines.size()) {
    const std::size_t at = lines[line].find(search, from);
    if (at == std::u16string::npos) {
      ++line;
      from = 0;
      continue;
    }
    ReplaceAnswer answer = ReplaceAnswer::Yes;
    if (prompt) answer = ask(line, at);
    if (answer == ReplaceAnswer::Cancel) break;
    if (answer == ReplaceAnswer::No) {
      from = at + search.size();
      continue;
    }
    if (answer == ReplaceAnswer::All) prompt = false;
    lines[line].replace(at, search.size(), replacement);
    ++count;
    replaced(line, at);
    from = at + replacement.size();
  }
  return count;
}

namespace {

bool StartsANumber(char16_t c) { return c == u'-' || (c >= u'0' && c <= u'9'); }

bool InNumberRun(char16_t c) {
  return c == u'+' || c == u'-' || c == u'.' || (c >= u'0' && c <= u'9') || c == u'E' || c == u'e';
}

}  // namespace

std::u16string FormatAddedNumber(double value) {
  // Six significant digits first, then two decimals; beyond six whole digits the number goes to exponent
  // form, as fixed notation of that precision does.
  char rounded[64];
  std::snprintf(rounded, sizeof rounded, "%.5e", value);
  const double six = std::strtod(rounded, nullptr);
  std::u16string text;
  if (std::fabs(six) >= 1e6) {
    for (const char* c = rounded; *c != '\0'; ++c) {
      text += *c == 'e' ? u'E' : *c == '.' ? UserDecimalSeparator() : static_cast<char16_t>(*c);
    }
    return text;
  }
  return FormatFixed(six, 2);
}

std::optional<std::u16string> AddNumberToLine(const std::u16string& line, double number) {
  std::size_t start = 0;
  while (start < line.size() && !StartsANumber(line[start])) ++start;
  if (start == line.size()) return std::nullopt;
  std::size_t end = start;
  while (end < line.size() && InNumberRun(line[end])) ++end;
  const auto value = ParseDotNumber(std::u16string_view(line).substr(start, end - start));
  if (!value) return std::nullopt;
  std::u16string changed = line;
  changed.replace(start, end - start, FormatAddedNumber(*value + number));
  return changed;
}

std::u16string ReverseLine(const std::u16string& line) {
  std::u16string reversed;
  reversed.reserve(line.size());
  for (std::size_t i = line.size(); i > 0;) {
    --i;
    if (i > 0 && line[i] >= 0xDC00 && line[i] <= 0xDFFF && line[i - 1] >= 0xD800 && line[i - 1] <= 0xDBFF) {
      reversed += line[i - 1];
      reversed += line[i];
      --i;
    } else {
      reversed += line[i];
    }
  }
  return reversed;
}

}  // namespace zil::mtext
