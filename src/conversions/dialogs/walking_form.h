// The base of the conversion windows, whose actions walk the whole drawing. While a walk runs the window
// shows its progress on the action's indicator and takes no input: it is disabled, and Cancel, Close and
// Escape wait for the walk's end, so that a second press cannot start a walk inside the first. It keeps
// painting, as the walk lets pending events through before each entity.
#pragma once

#include <functional>

#include "conversions/drawing_walk.h"
#include "dialogs/form.h"

class QCloseEvent;
class QProgressBar;

namespace zil::conversions {

class WalkingForm : public dialogs::Form {
  Q_OBJECT

 public:
  using dialogs::Form::Form;

  bool Busy() const { return busy_; }
  // Cancel, Close and Escape: the window closes, unless a walk is running (it runs to its end).
  void reject() override;

 protected:
  void closeEvent(QCloseEvent* e) override;

  // Runs `walk` (which may stop before walking, with a message) with `indicator` showing its progress and
  // the window taking no input; `afterwards` runs when it has ended, also when it failed.
  WalkReport Walk(QProgressBar& indicator, const std::function<WalkReport(const Progress&)>& walk,
                  const std::function<void()>& afterwards = {});

 private:
  bool busy_ = false;
};

}  // namespace zil::conversions
