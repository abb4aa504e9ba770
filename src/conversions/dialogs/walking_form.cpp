#include "conversions/dialogs/walking_form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QProgressBar>

namespace zil::conversions {

void WalkingForm::reject() {
  if (!busy_) Form::reject();
}

void WalkingForm::closeEvent(QCloseEvent* e) {
  if (busy_) {
    e->ignore();  // the walk runs to its end
    return;
  }
  Form::closeEvent(e);
}

WalkReport WalkingForm::Walk(QProgressBar& indicator, const std::function<WalkReport(const Progress&)>& walk,
                             const std::function<void()>& afterwards) {
  busy_ = true;
  setEnabled(false);
  indicator.setRange(0, 0);  // busy until the walk knows its total
  indicator.setVisible(true);
  struct Ended {
    WalkingForm& form;
    QProgressBar& indicator;
    const std::function<void()>& afterwards;
    ~Ended() {
      indicator.setVisible(false);
      form.setEnabled(true);
      form.busy_ = false;
      if (afterwards) afterwards();
    }
  } ended{*this, indicator, afterwards};
  return walk([&indicator](std::size_t done, std::size_t total) {
    indicator.setRange(0, static_cast<int>(total));
    indicator.setValue(static_cast<int>(done));
    QApplication::processEvents();
  });
}

}  // namespace zil::conversions
