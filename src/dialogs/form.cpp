#include "dialogs/form.h"

#include "platform/qt/placement.h"
#include "textcore/utf8.h"

namespace zil::dialogs {

Form::Form(platform::Services services, QWidget* parent) : QDialog(parent), services_(services) {
  setModal(true);
}

int Form::ShowModal() {
  platform::PlaceOnScreenUnderPointer(*this);
  return exec();
}

void Form::ShowError(const std::string& message) {
  services_.messages.Show(u"zil", textcore::FromUtf8(message), platform::MessageIcon::Error,
                          platform::MessageButtons::Ok);
}

}  // namespace zil::dialogs
