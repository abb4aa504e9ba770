#include "drawing/standin/command_text.h"

#include "acad/error.h"
#include "platform/ascii_case.h"
#include "textcore/utf8.h"

namespace zil::standin {
namespace {

bool EndsCommand(char16_t c) { return c == u' ' || c == u'\n' || c == u'\r'; }
bool Blank(char16_t c) { return EndsCommand(c) || c == u'\t'; }

class Parser {
 public:
  explicit Parser(std::u16string_view text) : text_(text) {}

  std::vector<CommandAction> Run() {
    std::vector<CommandAction> actions;
    for (;;) {
      while (pos_ < text_.size() && Blank(text_[pos_])) ++pos_;
      if (pos_ >= text_.size()) break;
      if (text_[pos_] == u'(') {
        Expression(actions);
      } else {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && !Blank(text_[pos_]) && text_[pos_] != u'(') ++pos_;
        const std::u16string_view word = text_.substr(start, pos_ - start);
        if (pos_ >= text_.size() || !EndsCommand(text_[pos_])) {
          Fail("the command \"" + textcore::ToUtf8(word) +
               "\" is not followed by a space or Enter, so it would wait on the command line");
        }
        actions.push_back(CommandNamed(word));
      }
    }
    if (actions.empty()) Fail("the text holds no command");
    return actions;
  }

 private:
  [[noreturn]] void Fail(const std::string& what) const {
    throw acad::Error("The stand-in host cannot run the command text \"" + textcore::ToUtf8(text_) + "\": " + what +
                      " (it understands U, REDO, PLOT, (alert \"...\") and (command \"...\"))");
  }

  CommandAction CommandNamed(std::u16string_view word) const {
    std::u16string_view name = word;
    for (int i = 0; i < 2 && !name.empty() && (name.front() == u'_' || name.front() == u'.'); ++i)
      name.remove_prefix(1);
    const std::u16string upper = UpperAscii(name);
    if (upper == u"U") return {CommandAction::Kind::Undo, {}};
    if (upper == u"REDO") return {CommandAction::Kind::Redo, {}};
    if (upper == u"PLOT") return {CommandAction::Kind::Plot, {}};
    Fail("the command \"" + textcore::ToUtf8(word) + "\" is not one it knows");
  }

  void SkipBlanks() {
    while (pos_ < text_.size() && Blank(text_[pos_])) ++pos_;
  }

  std::u16string String() {
    if (pos_ >= text_.size() || text_[pos_] != u'"') Fail("a string in double quotes was expected");
    ++pos_;
    std::u16string value;
    for (;;) {
      if (pos_ >= text_.size()) Fail("a string is not closed");
      const char16_t c = text_[pos_++];
      if (c == u'"') return value;
      if (c == u'\\' && pos_ < text_.size()) {
        const char16_t e = text_[pos_++];
        value += e == u'n' ? u'\n' : e == u't' ? u'\t' : e == u'r' ? u'\r' : e;
      } else {
        value += c;
      }
    }
  }

  void Expression(std::vector<CommandAction>& actions) {
    ++pos_;  // (
    SkipBlanks();
    const std::size_t start = pos_;
    while (pos_ < text_.size() && !Blank(text_[pos_]) && text_[pos_] != u'(' && text_[pos_] != u')' &&
           text_[pos_] != u'"')
      ++pos_;
    const std::u16string_view name = text_.substr(start, pos_ - start);
    const std::u16string function = UpperAscii(name);
    std::vector<std::u16string> arguments;
    for (;;) {
      SkipBlanks();
      if (pos_ >= text_.size()) Fail("an expression is not closed");
      if (text_[pos_] == u')') {
        ++pos_;
        break;
      }
      arguments.push_back(String());
    }
    if (function == u"ALERT") {
      if (arguments.size() != 1) Fail("(alert) takes one string");
      actions.push_back({CommandAction::Kind::Alert, arguments[0]});
    } else if (function == u"COMMAND") {
      if (arguments.empty()) Fail("(command) without a command would cancel one; none is running");
      for (const std::u16string& argument : arguments) actions.push_back(CommandNamed(argument));
    } else {
      Fail("the function (" + textcore::ToUtf8(name) + ") is not one it knows");
    }
  }

  std::u16string_view text_;
  std::size_t pos_ = 0;
};

}  // namespace

std::vector<CommandAction> ParseCommandText(std::u16string_view text) { return Parser(text).Run(); }

}  // namespace zil::standin
