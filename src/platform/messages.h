// Messages the add-in shows to the user: errors, warnings, information, and questions.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace zil::platform {

enum class MessageIcon { Error, Warning, Information, Question };

// YesNoCancelAll: a question asked over a run of like cases, whose "All" answers yes for the rest of the run.
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel, YesNoCancelAll };

enum class MessageAnswer { Ok, Cancel, Yes, No, All };

// A place on the screen, in pixels of the desktop.
struct ScreenPoint {
  int x = 0;
  int y = 0;
};

class Messages {
 public:
  virtual ~Messages() = default;
  // Shows `text` under `caption` and returns the button the user chose.
  virtual MessageAnswer Show(const std::u16string& caption, const std::u16string& text, MessageIcon icon,
                             MessageButtons buttons) = 0;
  // The same with the box's top left corner at `at`, where the platform lets a box be placed; elsewhere the
  // box goes where Show puts it.
  virtual MessageAnswer ShowAt(const std::u16string& caption, const std::u16string& text, MessageIcon icon,
                               MessageButtons buttons, ScreenPoint at) {
    static_cast<void>(at);
    return Show(caption, text, icon, buttons);
  }
  // Asks with buttons the caller names (`choices`, at least one, in order), and returns the
  // index of the one chosen. The first is the default button; Escape and closing the box choose the last,
  // which is therefore the choice that changes nothing ("Not now", "Cancel").
  //
  // A service that cannot offer named buttons (a console, a log) shows the text with the choices listed
  // and answers the last: nobody there agreed to the others.
  virtual std::size_t Choose(const std::u16string& caption, const std::u16string& text, MessageIcon icon,
                             const std::vector<std::u16string>& choices) {
    if (choices.empty()) return 0;
    std::u16string listed = text + u" (";
    for (const std::u16string& choice : choices) listed += choice + u", ";
    listed += u"answered: " + choices.back() + u")";
    Show(caption, listed, icon, MessageButtons::Ok);
    return choices.size() - 1;
  }
};

}  // namespace zil::platform
