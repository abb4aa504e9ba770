// Where the stand-in host's prompts are answered: Utility.GetPoint and GetDistance, SelectionSet's
// SelectOnScreen, and the alerts of commands. The workbench's canvas and command line will answer them;
// ScriptedInput answers them from lines of text, in order, for tests and the command-line tool.
#pragma once

#include <cstdint>
#include <deque>
#include <istream>
#include <optional>
#include <string>
#include <vector>

#include "acad/point.h"

namespace zil::standin {

enum class PromptKind { Point, Distance, Pick };

struct Prompt {
  PromptKind kind = PromptKind::Point;
  std::u16string text;              // the prompt the user reads
  std::optional<acad::Point> base;  // the base point of a distance (and of a rubber band)
};

struct Answer {
  enum class Kind { Point, Distance, Enter, Cancel, Pick };
  Kind kind = Kind::Enter;
  acad::Point point;                    // Kind::Point
  double distance = 0;                  // Kind::Distance
  std::vector<std::u16string> handles;  // Kind::Pick: the picked entities
  std::string origin;                   // where the answer came from, for messages ("in.txt line 3")
};

class InputSource {
 public:
  virtual ~InputSource() = default;
  // The user's answer to a prompt. What a prompt accepts is the caller's concern.
  virtual Answer Ask(const Prompt& prompt) = 0;
  // Shows a message with an OK button and returns when the user has closed it; returns the answer shown
  // on the button the user pressed ("OK").
  virtual std::u16string Alert(const std::u16string& message) = 0;
};

// Answers read from text, one per line:
//   point X Y [Z]           a point
//   distance D              a distance
//   enter                   Enter alone
//   cancel                  Escape
//   pick HANDLE [HANDLE...] entities picked on the screen
// Blank lines and lines beginning with "#" are skipped. Alerts are acknowledged with "OK" without taking a
// line. Asking when no line is left throws acad::Error naming the prompt.
class ScriptedInput final : public InputSource {
 public:
  // Throws std::invalid_argument naming the line for text that is not an answer.
  static ScriptedInput Parse(std::istream& in, const std::string& source);

  Answer Ask(const Prompt& prompt) override;
  std::u16string Alert(const std::u16string& message) override;

  std::size_t Left() const noexcept { return answers_.size(); }
  // The alerts shown so far, in order.
  const std::vector<std::u16string>& Alerts() const noexcept { return alerts_; }

 private:
  struct Line {
    long number;
    Answer answer;
  };
  std::deque<Line> answers_;
  std::vector<std::u16string> alerts_;
  std::string source_;
};

}  // namespace zil::standin
