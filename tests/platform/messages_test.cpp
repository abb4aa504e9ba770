// A message service that cannot offer buttons named by the caller (a console, a log): the question is
// shown with its choices, and the answer is the last, the one that changes nothing.
#include "platform/messages.h"

#include <gtest/gtest.h>

namespace zil::platform {
namespace {

// Only Show: Choose is the service's default.
class Lines final : public Messages {
 public:
  MessageAnswer Show(const std::u16string&, const std::u16string& text, MessageIcon, MessageButtons buttons) override {
    shown.push_back(text);
    EXPECT_EQ(buttons, MessageButtons::Ok);
    return MessageAnswer::Ok;
  }
  std::vector<std::u16string> shown;
};

TEST(Messages, WithoutNamedButtonsAQuestionIsShownAndAnswersItsLastChoice) {
  Lines lines;
  EXPECT_EQ(lines.Choose(u"Font table", u"Add them?", MessageIcon::Question, {u"Add to font table", u"Not now"}), 1u);
  EXPECT_EQ(lines.shown, std::vector<std::u16string>{u"Add them? (Add to font table, Not now, answered: Not now)"});
}

}  // namespace
}  // namespace zil::platform
