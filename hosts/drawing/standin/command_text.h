// Command-line text that the add-in queues with SendCommand, as the stand-in host understands it.
//
// AutoCAD reads such text as typed at its command prompt: a command name ends with a space or Enter, and
// an AutoLISP expression in parentheses runs when its closing parenthesis is typed. The stand-in host
// knows what the add-in sends and nothing else:
//   U                      undo the last step (undo_stack.h)
//   REDO                   put back the step the last U took back
//   PLOT                   the plot command
//   (alert "text")         a message with an OK button, answered by the input source
//   (command "U" ...)      the commands named by the strings, each as if typed and ended with Enter
// Command names may carry AutoCAD's prefixes "_" (the English name) and "." (the built-in command), in
// any letter case. Any other text is refused as a whole before any of it runs, with a message saying
// what the host did not understand; so is a command name without the space or Enter that would run it.
// PLOT prints through the host's window when it has one (application.h); without one it prints nothing.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zil::standin {

struct CommandAction {
  enum class Kind { Undo, Redo, Plot, Alert };
  Kind kind;
  std::u16string message;  // Alert: the text shown
};

// The actions of `text`, in order; throws acad::Error for text the host does not understand.
std::vector<CommandAction> ParseCommandText(std::u16string_view text);

// One event of a command that ran: "alert" (detail: the message; answer: the button), "undo", "redo" or
// "plot" (detail: what happened).
struct CommandEvent {
  std::string kind;
  std::u16string detail;
  std::u16string answer;
};

// What one queued text did: its events, or the error that stopped it.
struct CommandReport {
  std::u16string text;
  std::vector<CommandEvent> events;
  std::string error;  // empty when it ran
};

}  // namespace zil::standin
