// What the workbench tests share: a workbench over scripted services (messages recorded and answered, file
// choosers answered from a list) on a copy of the sample drawing, with the sample's data folder, shown
// offscreen and driven with real events.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "automation/dialogs/qt_dialogs.h"
#include "platform/qt/gui_session.h"
#include "support/fake_services.h"
#include "support/qt/dialog_driver.h"
#include "support/qt/workbench_driver.h"
#include "support/temp_folder.h"
#include "workbench.h"

namespace zil::workbench::test {

// Messages recorded and answered as RecordingMessages does; `onShow` runs first when set (a test looks at
// the drawing while an alert is up).
class ProbeMessages final : public platform::Messages {
 public:
  platform::MessageAnswer Show(const std::u16string& caption, const std::u16string& text, platform::MessageIcon icon,
                               platform::MessageButtons buttons) override {
    if (onShow) onShow(text);
    return recorded.Show(caption, text, icon, buttons);
  }
  std::size_t Choose(const std::u16string& caption, const std::u16string& text, platform::MessageIcon icon,
                     const std::vector<std::u16string>& choices) override {
    if (onShow) onShow(text);
    return recorded.Choose(caption, text, icon, choices);
  }
  std::function<void(const std::u16string&)> onShow;
  zil::test::RecordingMessages recorded;
};

class WorkbenchTest : public ::testing::Test {
 protected:
  WorkbenchTest();
  ~WorkbenchTest() override;

  // A fresh workbench over `dialogs` (the Qt dialogs unless a test brings its own).
  void Start(automation::Dialogs& withDialogs);
  // The sample opened, its view zoomed to its extents.
  void OpenSample();
  platform::Services Services();
  // The bytes the document would be saved as.
  std::string Bytes();
  // The last messages shown.
  std::u16string LastMessage() const;

  zil::test::Watchdog watchdog{120};
  zil::test::TempFolder dir;
  zil::test::FakeServices fake;
  ProbeMessages messages;
  platform::GuiSession gui;
  automation::QtDialogs dialogs;
  std::filesystem::path sample;
  std::string sampleBytes;
  std::unique_ptr<Workbench> wb;
  std::unique_ptr<zil::test::WorkbenchDriver> user;
};

}  // namespace zil::workbench::test
