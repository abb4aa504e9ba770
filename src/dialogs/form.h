// The base of every modal form of the add-in. A form is created for one showing and freed after it
// (ShowModal places it, then runs it). Event handlers run through Guard: an exception in a handler is
// shown to the user in an error box and the form stays open, as the toolkit does with an unhandled
// exception in an event.
#pragma once

#include <QDialog>
#include <exception>
#include <optional>
#include <utility>

#include "platform/services.h"

namespace zil::dialogs {

class Form : public QDialog {
  Q_OBJECT

 public:
  explicit Form(platform::Services services, QWidget* parent = nullptr);

  // Centres the form horizontally on the screen under the pointer (its top kept) and runs it modally.
  // Returns the modal result (QDialog::Accepted or QDialog::Rejected).
  int ShowModal();

 protected:
  // The top edge of the window, frame included, where the form keeps it when shown.
  void SetDesignedTop(int top) { designedTop_ = top; }

  // Runs `handler`; an exception ends the handler and is shown in an error box.
  template <typename Handler>
  void Guard(Handler&& handler) {
    try {
      std::forward<Handler>(handler)();
    } catch (const std::exception& e) {
      ShowError(e.what());
    }
  }
  void ShowError(const std::string& message);

  platform::Services services_;

 private:
  std::optional<int> designedTop_;
};

}  // namespace zil::dialogs
