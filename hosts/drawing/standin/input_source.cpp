#include "drawing/standin/input_source.h"

#include <charconv>
#include <sstream>
#include <stdexcept>

#include "acad/error.h"
#include "textcore/utf8.h"

namespace zil::standin {
namespace {

double Number(const std::string& word, long line, const std::string& source) {
  double value = 0;
  const char* begin = word.data();
  const char* end = word.data() + word.size();
  if (begin != end && *begin == '+') ++begin;
  const auto [ptr, ec] = std::from_chars(begin, end, value);
  if (ec != std::errc() || ptr != end || begin == end) {
    throw std::invalid_argument(source + " line " + std::to_string(line) + ": \"" + word + "\" is not a number");
  }
  return value;
}

}  // namespace

ScriptedInput ScriptedInput::Parse(std::istream& in, const std::string& source) {
  ScriptedInput input;
  input.source_ = source;
  std::string text;
  for (long number = 1; std::getline(in, text); ++number) {
    if (!text.empty() && text.back() == '\r') text.pop_back();
    std::istringstream words(text);
    std::vector<std::string> w;
    for (std::string word; words >> word;) w.push_back(word);
    if (w.empty() || w[0][0] == '#') continue;
    const auto bad = [&](const std::string& what) {
      return std::invalid_argument(source + " line " + std::to_string(number) + ": " + what);
    };
    Answer a;
    if (w[0] == "point") {
      if (w.size() != 3 && w.size() != 4) throw bad("\"point\" takes X Y and an optional Z");
      a.kind = Answer::Kind::Point;
      a.point = {Number(w[1], number, source), Number(w[2], number, source),
                 w.size() == 4 ? Number(w[3], number, source) : 0};
    } else if (w[0] == "distance") {
      if (w.size() != 2) throw bad("\"distance\" takes one number");
      a.kind = Answer::Kind::Distance;
      a.distance = Number(w[1], number, source);
    } else if (w[0] == "enter" || w[0] == "cancel") {
      if (w.size() != 1) throw bad("\"" + w[0] + "\" takes nothing after it");
      a.kind = w[0] == "enter" ? Answer::Kind::Enter : Answer::Kind::Cancel;
    } else if (w[0] == "pick") {
      if (w.size() < 2) throw bad("\"pick\" takes one or more entity handles");
      a.kind = Answer::Kind::Pick;
      for (std::size_t i = 1; i < w.size(); ++i) a.handles.push_back(textcore::FromUtf8(w[i]));
    } else {
      throw bad("\"" + w[0] + "\" is not an answer (point, distance, enter, cancel or pick)");
    }
    a.origin = source + " line " + std::to_string(number);
    input.answers_.push_back({number, std::move(a)});
  }
  return input;
}

Answer ScriptedInput::Ask(const Prompt& prompt) {
  if (answers_.empty()) {
    throw acad::Error("The input has no answer left for the prompt \"" + textcore::ToUtf8(prompt.text) + "\" (" +
                      source_ + ")");
  }
  Answer answer = std::move(answers_.front().answer);
  answers_.pop_front();
  return answer;
}

std::u16string ScriptedInput::Alert(const std::u16string& message) {
  alerts_.push_back(message);
  return u"OK";
}

}  // namespace zil::standin
