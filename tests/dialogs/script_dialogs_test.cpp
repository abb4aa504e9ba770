// `zil script` with the Qt dialogs, in-process: the dialog members show the real dialogs.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <cstdlib>
#include <sstream>

#include "automation/dialogs/about_form.h"
#include "command_line.h"
#include "config/dialogs/fonts_form.h"
#include "gui_module.h"
#include "support/qt/dialog_driver.h"
#include "support/temp_folder.h"

namespace zil::cli {
namespace {

using test::Child;
using test::WhenShown;

TEST(ScriptWithDialogs, FontTableAndAboutOpenTheRealDialogs) {
  test::Watchdog watchdog;
  test::TempFolder data;
  data.Write("HebFonts.txt", "[Fonts]\r\nhebrew=DosEnglish\r\n");
  ASSERT_EQ(setenv("ZIL_DATA_FOLDER", data.path().c_str(), 1), 0);

  int fontsShown = 0, aboutShown = 0;
  WhenShown<config::TfrmFonts>([&](config::TfrmFonts& form) {
    ++fontsShown;
    QTest::mouseClick(Child<QPushButton>(form, "btnNew"), Qt::LeftButton);
    test::TypeText(nullptr, "added");
    test::PressKey(nullptr, Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !test::IsEditing(*Child<QTableView>(form, "fontmaps")); }, 2000));
    QTest::mouseClick(Child<QPushButton>(form, "btnCancel"), Qt::LeftButton);
  });
  WhenShown<automation::TfrmAbout>([&](automation::TfrmAbout& form) {
    ++aboutShown;
    QTest::mouseClick(Child<QPushButton>(form, "btnOk"), Qt::LeftButton);
  });
  std::istringstream in("FontTable\nCmd about_zil \"\" \"\"\n");
  std::ostringstream out, err;
  CommandLine cl(in, out, err);
  cl.gui = LinkedGuiModule;  // the dialogs of this program, which the test watches for
  AddScriptCommand(cl);
  const char* argv[] = {"zil", "script"};
  EXPECT_EQ(RunCommandLine(cl, 2, argv), 0) << err.str();
  unsetenv("ZIL_DATA_FOLDER");

  EXPECT_EQ(out.str(),
            "{\"member\": \"FontTable\", \"hresult\": \"0x00000000\"}\n"
            "{\"member\": \"Cmd\", \"hresult\": \"0x00000000\"}\n");
  EXPECT_EQ(fontsShown, 1);
  EXPECT_EQ(aboutShown, 1);
  EXPECT_EQ(test::TempFolder::Read(data / "HebFonts.txt"), "[Fonts]\r\nhebrew=DosEnglish\r\nadded=\r\n");
}

}  // namespace
}  // namespace zil::cli
