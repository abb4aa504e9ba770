#include "text_filter.h"

#include <istream>
#include <ostream>

#include "json_string.h"
#include "textcore/utf8.h"

namespace zil::cli {

int RunTextFilter(const std::optional<std::string>& argument, const TextConversion& convert, std::istream& in,
                  std::ostream& out, std::ostream& err) {
  if (argument) {
    out << textcore::ToUtf8(convert(textcore::FromUtf8(*argument))) << '\n';
    return 0;
  }
  std::string line;
  for (long number = 1; std::getline(in, line); ++number) {
    if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
    std::u16string text;
    try {
      text = DecodeJsonString(line);
    } catch (const JsonStringError& e) {
      err << "zil: standard input line " << number << ": " << e.what() << "; each line must hold one JSON string\n";
      return 1;
    }
    out << EncodeJsonString(convert(text)) << '\n';
  }
  out.flush();
  return 0;
}

}  // namespace zil::cli
