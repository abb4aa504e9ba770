#include "library/dialogs/library_loop.h"

#include "library/dialogs/tfrm_expl.h"
#include "library/window/placement.h"
#include "textcore/keyboard.h"
#include "textcore/utf8.h"

namespace zil::library {
namespace {

// Frees the window however the loop ended; the keyboard returns to US English.
class WindowEnd {
 public:
  WindowEnd(std::unique_ptr<TfrmExpl>& window, platform::KeyboardLayouts& keyboard)
      : window_(window), keyboard_(keyboard) {}
  WindowEnd(const WindowEnd&) = delete;
  WindowEnd& operator=(const WindowEnd&) = delete;
  ~WindowEnd() {
    window_.reset();
    textcore::EnglishKeyboard(keyboard_);
  }

 private:
  std::unique_ptr<TfrmExpl>& window_;
  platform::KeyboardLayouts& keyboard_;
};

void Place(TfrmExpl& window, int code, acad::HostState& host, config::FontDefinitions& fonts,
           platform::Services services) {
  try {
    if (code == TfrmExpl::kPut && !window.cprop.explode) {
      PlaceOneText(host, fonts, window.cprop, window.singlestr);
    } else {
      PlaceLines(host, fonts, window.cprop, window.singlestr);
    }
  } catch (const std::exception& e) {
    services.messages.Show(u"zil", textcore::FromUtf8(e.what()), platform::MessageIcon::Error,
                           platform::MessageButtons::Ok);
  }
}

}  // namespace

void Hlib(std::unique_ptr<TfrmExpl>& window, acad::HostState& host, config::FontDefinitions& fonts,
          platform::Services services, const std::filesystem::path& dataFolder) {
  if (!window) window = std::make_unique<TfrmExpl>(host, fonts, services, dataFolder);
  WindowEnd end(window, services.keyboard);
  bool looping = true;
  try {
    while (looping) {
      const int code = window->ShowModal();
      switch (code) {
        case TfrmExpl::kPick:
          window->selects = PickTexts(host, fonts);
          break;
        case TfrmExpl::kPut:
        case TfrmExpl::kPutMt:
          Place(*window, code, host, fonts, services);
          break;
        default:
          looping = false;
      }
    }
  } catch (...) {
    try {
      window->SaveSearchHistory();
    } catch (const std::exception&) {  // the error that ended the loop is the one to report
    }
    throw;
  }
  window->SaveSearchHistory();
}

void FreeLibraryWindow(std::unique_ptr<TfrmExpl>& window) {
  if (!window) return;
  struct Free {
    std::unique_ptr<TfrmExpl>& window;
    ~Free() { window.reset(); }
  } release{window};
  window->SaveSearchHistory();
}

}  // namespace zil::library
