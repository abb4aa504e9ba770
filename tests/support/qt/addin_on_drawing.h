// The add-in with the real Qt dialogs over the stand-in host with a drawing open, driven as the command
// layer drives it: SetApp before the first member, then a member whose modal dialog a test drives as a user
// would; the command text the member queued runs after it returns. The data folder holds the font table
// given; prompts of the host are answered from `input` (none at first).
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "automation/addin.h"
#include "automation/autozil.h"
#include "automation/dialogs/qt_dialogs.h"
#include "drawing/standin/application.h"
#include "drawing/standin/document.h"
#include "drawing/standin/input_source.h"
#include "platform/qt/gui_session.h"
#include "support/fake_services.h"
#include "support/qt/dialog_driver.h"
#include "support/temp_folder.h"

namespace zil::test {

inline constexpr platform::KeyboardLayoutHandle kUsLayout = 0x04090409;
inline constexpr platform::KeyboardLayoutHandle kHebrewLayout = 0x040D040D;

// Starts `addin` when it is not started yet (it reads its data folder then), makes `object` and hands it
// `app`, as the command layer does before its first call.
void StartAddIn(automation::AddIn& addin, std::unique_ptr<automation::Tautozil>& object,
                const std::shared_ptr<standin::StandInApplication>& app);

class AddInOnDrawingTest : public ::testing::Test {
 public:
  // `drawing` is opened (and kept from being overwritten); `fontTable` is the data folder's HebFonts.txt.
  AddInOnDrawingTest(const std::filesystem::path& drawing, const std::string& fontTable,
                     std::vector<platform::KeyboardLayoutHandle> layouts);
  ~AddInOnDrawingTest() override;

  // Starts the add-in when it is not started yet; files it reads at start-up go into `dir` before.
  void Start();

  // Runs `call` on the automation object; `drive` runs on the dialog T once it is shown and active, and must
  // close it (a dialog still open after 30 seconds fails the test and is closed). Then the command text the
  // call queued runs (kept in `ran`).
  template <typename T>
  automation::CallResult RunDriving(const std::function<automation::CallResult(automation::Tautozil&)>& call,
                                    const std::function<void(T&)>& drive) {
    Start();
    automation::CallResult result;
    const int shown = DriveShowingsDuring<T>([&] { result = call(*object); },
                                             [&](T& form, int) {
                                               if (drive) drive(form);
                                             });
    ran = app->RunQueuedCommands();
    if (result.hr == automation::S_OK && drive) {
      EXPECT_EQ(shown, 1) << "the dialog was not shown once";
    }
    return result;
  }

  acad::EntityPtr Entity(const std::u16string& handle) { return doc->HandleToObject(handle); }
  // The bytes the drawing would be saved as.
  std::string Bytes();

  TempFolder dir;  // the data folder
  FakeServices fake;
  platform::PortableKeyboardLayouts keyboard;
  platform::GuiSession gui;
  automation::QtDialogs dialogs;
  std::unique_ptr<automation::AddIn> addin;
  std::unique_ptr<automation::Tautozil> object;
  standin::ScriptedInput input;
  std::shared_ptr<standin::StandInApplication> app;
  std::shared_ptr<standin::StandInDocument> doc;
  std::vector<standin::CommandReport> ran;
};

}  // namespace zil::test
