// The clipboard's text.
#pragma once

#include <string>

namespace zil::platform {

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // The text on the clipboard; empty when it holds none.
  virtual std::u16string Text() const = 0;
  virtual void SetText(const std::u16string& text) = 0;
};

// A clipboard of the process's own, where there is no system clipboard to reach (the command line
// without a display, tests).
class InProcessClipboard final : public Clipboard {
 public:
  std::u16string Text() const override { return text_; }
  void SetText(const std::u16string& text) override { text_ = text; }

 private:
  std::u16string text_;
};

}  // namespace zil::platform
