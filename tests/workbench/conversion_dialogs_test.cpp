// The workbench's REVIT and FONTCONV commands with their dialogs, driven as a user drives them on the
// sample drawing: the Revit copy under a Hebrew name, the font conversion that makes the DOS font's texts
// read as the sample's own Windows texts, a remap, input while a walk runs, and the view afterwards.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "conversions/dialogs/frm_convert.h"
#include "conversions/dialogs/frm_font_convert.h"
#include "support/qt/screenshot.h"
#include "textcore/utf8.h"
#include "workbench_fixture.h"

namespace zil::workbench::test {
namespace {

using zil::test::Child;
using zil::test::WhenShown;

// The strings of the model space's texts in `style`.
std::vector<std::u16string> TextsIn(standin::StandInDocument& document, const std::u16string& style) {
  std::vector<std::u16string> found;
  const auto space = document.ModelSpace();
  for (int i = 0; i < space->Count(); ++i) {
    const auto e = space->Item(i);
    if (e->ObjectName() == u"AcDbText" && e->StyleName() == style) found.push_back(e->TextString());
  }
  return found;
}

TEST_F(WorkbenchTest, RevitConvertsACopyUnderTheNameTypedAndTheViewShowsIt) {
  OpenSample();
  const std::filesystem::path copy = dir / "תכנית_Revit.dxf";
  bool drove = false;
  WhenShown<conversions::TfrmConvert>([&](conversions::TfrmConvert& form) {
    drove = true;
    QLineEdit* target = Child<QLineEdit>(form, "JvFilenameEdit1");
    // The default target: the drawing's name with "_Revit"; the hidden choice is the setting.
    EXPECT_EQ(target->text().toStdString(), (dir / "hebrew-sample_Revit.dxf").string());
    EXPECT_FALSE(Child<QCheckBox>(form, "CheckBox1")->isVisible());
    target->selectAll();
    zil::test::TypeText(target, QString::fromStdString(copy.string()));
    QTest::mouseClick(Child<QPushButton>(form, "Button2"), Qt::LeftButton);
    EXPECT_EQ(LastMessage(), u"Conversion finished");
    EXPECT_EQ(form.LastReport().failed, 0u);
    EXPECT_GT(form.LastReport().converted, 15u);
    zil::test::SaveDialogBesideWorkbench(form, *wb, "revit-dialog-in-workbench.png");
    // Activating the window again keeps the name the user typed.
    form.activateWindow();
    QApplication::processEvents();
    EXPECT_EQ(target->text().toStdString(), copy.string());
    QTest::mouseClick(Child<QPushButton>(form, "Button1"), Qt::LeftButton);
  });
  wb->RunCommand(QStringLiteral("REVIT"));
  ASSERT_TRUE(drove);
  // The workbench shows the copy, converted; the sample's file is as it was.
  EXPECT_EQ(wb->Document()->File(), copy);
  EXPECT_TRUE(wb->windowTitle().startsWith(QString::fromStdString(copy.filename().string())));
  EXPECT_TRUE(TextsIn(*wb->Document(), u"HEB_DOS").empty());
  EXPECT_FALSE(TextsIn(*wb->Document(), u"ARIALREVIT").empty());
  EXPECT_TRUE(zil::test::TempFolder::Read(sample) == sampleBytes);
  EXPECT_TRUE(std::filesystem::exists(copy));
}

TEST_F(WorkbenchTest, KeepExactReadingOrderIsOffAtFirstAndWritesTheExactStringsWhenChecked) {
  OpenSample();
  bool drove = false;
  WhenShown<conversions::TfrmConvert>([&](conversions::TfrmConvert& form) {
    drove = true;
    QCheckBox* exact = Child<QCheckBox>(form, "chkExactOrder");
    EXPECT_TRUE(exact->isVisible());
    EXPECT_EQ(exact->text(), QStringLiteral("Keep exact reading order"));
    EXPECT_FALSE(exact->isChecked());
    QTest::mouseClick(exact, Qt::LeftButton, {}, QPoint(8, exact->height() / 2));  // on its box
    EXPECT_TRUE(exact->isChecked());
    zil::test::SaveScreenshot(form, "revit-dialog-exact.png");
    QTest::mouseClick(Child<QPushButton>(form, "Button2"), Qt::LeftButton);
    EXPECT_EQ(LastMessage(), u"Conversion finished");
    EXPECT_EQ(form.LastReport().failed, 0u);
    QTest::mouseClick(Child<QPushButton>(form, "Button1"), Qt::LeftButton);
  });
  wb->RunCommand(QStringLiteral("REVIT"));
  ASSERT_TRUE(drove);
  // "3 חדרים" showed its number against the word and a space at the right end (the editor stored "3 " as
  // one run); it still does, with a right-to-left mark first. "2B" stays whole with a left-to-right mark.
  const auto converted = TextsIn(*wb->Document(), u"ARIALREVIT");
  EXPECT_EQ(std::count(converted.begin(), converted.end(), textcore::FromUtf8("\u200F 3חדרים")), 1);
  EXPECT_EQ(std::count(converted.begin(), converted.end(), textcore::FromUtf8("שינה\u200E 2B חדר")), 1);
}

TEST_F(WorkbenchTest, FontConversionMakesTheDosTextsReadAsTheWindowsOnesAndClearsTheChoices) {
  OpenSample();
  const std::u16string windowsForm = textcore::FromUtf8(" 3סלפמ - א המוק תינכת");
  bool drove = false;
  WhenShown<conversions::TfrmFontConvert>([&](conversions::TfrmFontConvert& form) {
    drove = true;
    auto* fonts = Child<QListWidget>(form, "CheckListBox1");
    const auto dos = fonts->findItems(QStringLiteral("hebdos.shx"), Qt::MatchFixedString);
    ASSERT_EQ(dos.size(), 1);
    dos[0]->setCheckState(Qt::Checked);
    Child<QComboBox>(form, "ComboBox1")->setCurrentText(QStringLiteral("HEB_WIN"));
    // A second press while the walk runs finds the window taking no input: one walk, one message.
    int pressesDuringWalk = 0;
    QTimer::singleShot(0, &form, [&] {
      if (!form.Busy()) return;
      ++pressesDuringWalk;
      QTest::mouseClick(Child<QPushButton>(form, "Button1"), Qt::LeftButton);
      EXPECT_FALSE(Child<QPushButton>(form, "btnClose1")->isEnabled());
    });
    const std::size_t messagesBefore = messages.recorded.shown.size();
    QTest::mouseClick(Child<QPushButton>(form, "Button1"), Qt::LeftButton);
    EXPECT_EQ(pressesDuringWalk, 1);
    ASSERT_EQ(messages.recorded.shown.size(), messagesBefore + 1);
    EXPECT_EQ(LastMessage(), u"Conversion finished");
    // The check marks and the target style are cleared.
    for (int i = 0; i < fonts->count(); ++i) EXPECT_EQ(fonts->item(i)->checkState(), Qt::Unchecked);
    EXPECT_EQ(Child<QComboBox>(form, "ComboBox1")->currentIndex(), -1);
    Child<QTabWidget>(form, "PageControl1")->setCurrentIndex(0);
    zil::test::SaveDialogBesideWorkbench(form, *wb, "font-convert-dialog-in-workbench.png");

    // Remap with nothing to do says so; "None" with "Reverse" only reverses.
    Child<QTabWidget>(form, "PageControl1")->setCurrentIndex(1);
    QTest::mouseClick(Child<QPushButton>(form, "Button2"), Qt::LeftButton);  // select all
    QTest::mouseClick(Child<QPushButton>(form, "Button5"), Qt::LeftButton);
    EXPECT_EQ(LastMessage(), u"No Action selected");
    QTest::mouseClick(Child<QPushButton>(form, "Button4"), Qt::LeftButton);  // unselect all
    QTest::mouseClick(Child<QPushButton>(form, "Button5"), Qt::LeftButton);
    EXPECT_EQ(LastMessage(), u"Fonts to remap not checked.");
    QTest::mouseClick(Child<QPushButton>(form, "btnClose2"), Qt::LeftButton);
  });
  wb->RunCommand(QStringLiteral("FONTCONV"));
  ASSERT_TRUE(drove);
  // The DOS font's plan title now reads as the sample's own Windows one, in the Windows style.
  EXPECT_TRUE(TextsIn(*wb->Document(), u"HEB_DOS").empty());
  const auto windows = TextsIn(*wb->Document(), u"HEB_WIN");
  EXPECT_EQ(std::count(windows.begin(), windows.end(), windowsForm), 2);
  EXPECT_TRUE(wb->isWindowModified());
  // One undo step takes the whole conversion back.
  wb->RunCommand(QStringLiteral("U"));
  EXPECT_TRUE(Bytes() == sampleBytes);
}

}  // namespace
}  // namespace zil::workbench::test
