// `zil script` with the Qt dialogs, in-process: the dialog members show the real dialogs.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <cstdlib>
#include <sstream>

#include "automation/dialogs/about_form.h"
#include "command_line.h"
#include "config/dialogs/fonts_form.h"
#include "conversions/dialogs/frm_convert.h"
#include "conversions/dialogs/frm_font_convert.h"
#include "drawing/standin/application.h"
#include "drawing/standin/document.h"
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

// Presses `button` on the next message box, after `check` has seen its text.
void AnswerNextMessage(QMessageBox::StandardButton button, std::function<void(const QString&)> check) {
  WhenShown<QMessageBox>([button, check = std::move(check)](QMessageBox& box) {
    check(box.text());
    QTest::mouseClick(box.button(button), Qt::LeftButton);
  });
}

TEST(ScriptWithDialogs, TheConversionDialogsWorkOnTheScriptsDrawing) {
  test::Watchdog watchdog(120);
  test::TempFolder data;
  std::filesystem::copy_file(ZIL_SOURCE_DIR "/samples/data/HebFonts.txt", data / "HebFonts.txt");
  std::filesystem::copy_file(ZIL_SOURCE_DIR "/samples/hebrew-sample.dxf", data / "plan.dxf");
  const std::string drawingBytes = test::TempFolder::Read(data / "plan.dxf");
  ASSERT_EQ(setenv("ZIL_DATA_FOLDER", data.path().c_str(), 1), 0);

  // The DOS font's texts take the Windows style, then the Revit copy is made without saving the base.
  WhenShown<conversions::TfrmFontConvert>([](conversions::TfrmFontConvert& form) {
    Child<QListWidget>(form, "CheckListBox1")
        ->findItems(QStringLiteral("hebdos.shx"), Qt::MatchFixedString)
        .at(0)
        ->setCheckState(Qt::Checked);
    Child<QComboBox>(form, "ComboBox1")->setCurrentText(QStringLiteral("HEB_WIN"));
    AnswerNextMessage(QMessageBox::Ok, [](const QString& text) { EXPECT_EQ(text, "Conversion finished"); });
    QTest::mouseClick(Child<QPushButton>(form, "Button1"), Qt::LeftButton);
    QTest::mouseClick(Child<QPushButton>(form, "btnClose1"), Qt::LeftButton);
  });
  WhenShown<conversions::TfrmConvert>([](conversions::TfrmConvert& form) {
    AnswerNextMessage(QMessageBox::No, [](const QString& text) {
      EXPECT_TRUE(text.startsWith("Base DWG not saved."));
      AnswerNextMessage(QMessageBox::Ok, [](const QString& last) { EXPECT_EQ(last, "Conversion finished"); });
    });
    QTest::mouseClick(Child<QPushButton>(form, "Button2"), Qt::LeftButton);
    QTest::mouseClick(Child<QPushButton>(form, "Button1"), Qt::LeftButton);
  });
  std::istringstream in("Cmd hfont_convert \"\" \"\"\nConvert\n");
  std::ostringstream out, err;
  CommandLine cl(in, out, err);
  cl.gui = LinkedGuiModule;
  AddScriptCommand(cl);
  const std::string drawing = (data / "plan.dxf").string();
  const char* argv[] = {"zil", "script", "--drawing", drawing.c_str()};
  EXPECT_EQ(RunCommandLine(cl, 4, argv), 0) << err.str();
  unsetenv("ZIL_DATA_FOLDER");

  EXPECT_EQ(out.str(),
            "{\"member\": \"Cmd\", \"hresult\": \"0x00000000\"}\n"
            "{\"member\": \"Convert\", \"hresult\": \"0x00000000\"}\n");
  EXPECT_TRUE(test::TempFolder::Read(data / "plan.dxf") == drawingBytes);
  // Every text of the copy is in the TrueType style, the former DOS ones too.
  const auto copy = standin::StandInApplication::Create()->OpenDrawing(data / "plan_Revit.dxf");
  const auto space = copy->ModelSpace();
  int texts = 0;
  for (int i = 0; i < space->Count(); ++i) {
    const auto e = space->Item(i);
    if (e->ObjectName() != u"AcDbText" || e->TextString().find_first_not_of(u' ') == std::u16string::npos) continue;
    ++texts;
    EXPECT_TRUE(e->StyleName() == u"ARIALREVIT" || e->StyleName() == u"HEB_TTF") << i;
  }
  EXPECT_GT(texts, 10);
}

}  // namespace
}  // namespace zil::cli
