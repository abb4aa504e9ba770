#include "dialogs/form.h"

#include <QLayout>

#include "platform/qt/placement.h"
#include "textcore/utf8.h"

namespace zil::dialogs {

Form::Form(platform::Services services, QWidget* parent) : QDialog(parent), services_(services) { setModal(true); }

int Form::ShowModal() {
  // The size the layout settles on first, so that the centring uses the width the form will have.
  ensurePolished();
  if (layout()) layout()->activate();
  winId();  // the platform window, and with it the frame where the platform knows it
  if (designedTop_) move(pos().x(), *designedTop_);
  platform::PlaceOnScreenUnderPointer(*this);
  return exec();
}

void Form::ShowError(const std::string& message) {
  services_.messages.Show(u"zil", textcore::FromUtf8(message), platform::MessageIcon::Error,
                          platform::MessageButtons::Ok);
}

}  // namespace zil::dialogs
