// The workbench's REVIT and FONTCONV commands with their dialogs, driven as a user drives them on the
// sample drawing: the Revit copy under a Hebrew name, the base drawing's buttons, the font conversion that
// makes the DOS font's texts read as the sample's own Windows texts, the messages of what is missing, a
// remap, input while a walk runs, and the view afterwards.
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
#include "textcore/conversions.h"
#include "textcore/runs.h"
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

// The sample's plan title as its Windows font stores it.
std::u16string PlanTitleInTheWindowsFont() { return textcore::FromUtf8(" 3סלפמ - א המוק תינכת"); }

// The first single-line text of the model space.
acad::EntityPtr FirstText(standin::StandInDocument& document) {
  const auto space = document.ModelSpace();
  for (int i = 0; i < space->Count(); ++i)
    if (auto e = space->Item(i); e->ObjectName() == u"AcDbText") return e;
  throw std::runtime_error("the drawing has no text");
}

TEST_F(WorkbenchTest, RevitDialogBrowsesAsksForTheUnsavedBaseReloadsItAndSaves) {
  OpenSample();
  FirstText(*wb->Document())->SetTextString(u"changed");
  const std::filesystem::path chosen = dir / "chosen.dxf";
  fake.files.answers.push_back(chosen);
  messages.recorded.answers.push_back(platform::MessageAnswer::No);  // the base is not saved first
  bool drove = false;
  WhenShown<conversions::TfrmConvert>([&](conversions::TfrmConvert& form) {
    drove = true;
    // The browse button offers DXF drawings, starting at the default target.
    QTest::mouseClick(Child<QWidget>(form, "JvFilenameEdit1Button"), Qt::LeftButton);
    ASSERT_EQ(fake.files.asked.size(), 1u);
    EXPECT_TRUE(fake.files.asked[0].save);
    EXPECT_EQ(fake.files.asked[0].choice.filter, u"DXF drawings (*.dxf)|*.dxf");
    EXPECT_EQ(fake.files.asked[0].choice.fileName, "hebrew-sample_Revit.dxf");
    EXPECT_EQ(Child<QLineEdit>(form, "JvFilenameEdit1")->text().toStdString(), chosen.string());
    // "Reload  base DWG" waits while the drawing has unsaved changes.
    const std::size_t shown = messages.recorded.shown.size();
    QTest::mouseClick(Child<QPushButton>(form, "Button4"), Qt::LeftButton);
    EXPECT_EQ(messages.recorded.shown.size(), shown);
    // While the walk runs the busy indicator shows and CANCEL does not stop it.
    bool sawWalk = false;
    QTimer::singleShot(0, &form, [&] {
      if (!form.Busy()) return;
      sawWalk = true;
      EXPECT_TRUE(Child<QProgressBar>(form, "ActivityIndicator1")->isVisible());
      EXPECT_FALSE(form.isEnabled());
      form.reject();
      EXPECT_TRUE(form.isVisible());
    });
    QTest::mouseClick(Child<QPushButton>(form, "Button2"), Qt::LeftButton);
    EXPECT_TRUE(sawWalk);
    EXPECT_FALSE(Child<QProgressBar>(form, "ActivityIndicator1")->isVisible());
    ASSERT_GE(messages.recorded.shown.size(), shown + 2);
    EXPECT_EQ(messages.recorded.shown[shown].text, u"Base DWG not saved.\r\nPress \"Yes\" to save it.");
    EXPECT_EQ(messages.recorded.shown[shown].buttons, platform::MessageButtons::YesNo);
    EXPECT_EQ(LastMessage(), u"Conversion finished");
    // The copy is saved and active; "Reload  base DWG" now opens the base drawing again.
    QTest::mouseClick(Child<QPushButton>(form, "Button4"), Qt::LeftButton);
    QTest::mouseClick(Child<QPushButton>(form, "Button1"), Qt::LeftButton);
  });
  wb->RunCommand(QStringLiteral("REVIT"));
  ASSERT_TRUE(drove);
  // The answer No left the base's file as it was; the copy has the change, converted.
  EXPECT_TRUE(zil::test::TempFolder::Read(sample) == sampleBytes);
  EXPECT_EQ(wb->Document()->File(), sample);
  EXPECT_NE(zil::test::TempFolder::Read(chosen).find("ARIALREVIT"), std::string::npos);
  EXPECT_NE(zil::test::TempFolder::Read(chosen).find("changed"), std::string::npos);

  // "Save" saves the drawing the window was opened on.
  FirstText(*wb->Document())->SetTextString(u"saved from the window");
  WhenShown<conversions::TfrmConvert>([&](conversions::TfrmConvert& form) {
    QTest::mouseClick(Child<QPushButton>(form, "Button3"), Qt::LeftButton);
    QTest::keyClick(&form, Qt::Key_Escape);
  });
  wb->RunCommand(QStringLiteral("REVIT"));
  EXPECT_TRUE(wb->Document()->Saved());
  EXPECT_NE(zil::test::TempFolder::Read(sample).find("saved from the window"), std::string::npos);
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
  const std::u16string windowsForm = PlanTitleInTheWindowsFont();
  bool drove = false;
  WhenShown<conversions::TfrmFontConvert>([&](conversions::TfrmFontConvert& form) {
    drove = true;
    auto* fonts = Child<QListWidget>(form, "CheckListBox1");
    const auto dos = fonts->findItems(QStringLiteral("hebdos.shx"), Qt::MatchFixedString);
    ASSERT_EQ(dos.size(), 1);
    dos[0]->setCheckState(Qt::Checked);
    Child<QComboBox>(form, "ComboBox1")->setCurrentText(QStringLiteral("HEB_WIN"));
    zil::test::SaveDialogBesideWorkbench(form, *wb, "font-convert-dialog-in-workbench.png");
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

TEST_F(WorkbenchTest, FontDialogSaysWhatIsMissingAndRemapsWithTheChosenMapping) {
  OpenSample();
  const std::u16string windowsForm = PlanTitleInTheWindowsFont();
  bool drove = false;
  WhenShown<conversions::TfrmFontConvert>([&](conversions::TfrmFontConvert& form) {
    drove = true;
    auto* fonts = Child<QListWidget>(form, "CheckListBox1");
    QTest::mouseClick(Child<QPushButton>(form, "Button1"), Qt::LeftButton);
    EXPECT_EQ(LastMessage(), u"Fonts to convert not checked.");
    fonts->findItems(QStringLiteral("veltro.shx"), Qt::MatchFixedString).at(0)->setCheckState(Qt::Checked);
    QTest::mouseClick(Child<QPushButton>(form, "Button1"), Qt::LeftButton);
    EXPECT_EQ(LastMessage(), u"Style to convert not defined.");
    // A message keeps the choices: the font is still checked for the remap.
    EXPECT_EQ(fonts->findItems(QStringLiteral("veltro.shx"), Qt::MatchFixedString).at(0)->checkState(), Qt::Checked);

    Child<QTabWidget>(form, "PageControl1")->setCurrentIndex(1);
    // On its box: the check box is wider than its caption, and only the caption and the box take a click.
    auto* reverse = Child<QCheckBox>(form, "CheckBox1");
    QTest::mouseClick(reverse, Qt::LeftButton, {}, QPoint(6, reverse->height() / 2));
    QTest::mouseClick(Child<QRadioButton>(form, "RadioGroup1Item0"), Qt::LeftButton);  // "Dos Hebrew"
    bool sawWalk = false;
    QTimer::singleShot(0, &form, [&] {
      if (!form.Busy()) return;
      sawWalk = true;
      EXPECT_TRUE(Child<QProgressBar>(form, "ActivityIndicator2")->isVisible());
      EXPECT_FALSE(form.isEnabled());
    });
    QTest::mouseClick(Child<QPushButton>(form, "Button5"), Qt::LeftButton);
    EXPECT_TRUE(sawWalk);
    EXPECT_EQ(LastMessage(), u"Remapping finished");
    for (int i = 0; i < fonts->count(); ++i) EXPECT_EQ(fonts->item(i)->checkState(), Qt::Unchecked);
    QTest::mouseClick(Child<QPushButton>(form, "btnClose2"), Qt::LeftButton);
  });
  wb->RunCommand(QStringLiteral("FONTCONV"));
  ASSERT_TRUE(drove);
  // The Windows font's texts hold their letters in the DOS mapping, reversed, and keep their style.
  const std::u16string remapped = textcore::ReverseStrW(textcore::RemapFontType(windowsForm, WindowsHeb, DosHebrew));
  const auto windows = TextsIn(*wb->Document(), u"HEB_WIN");
  EXPECT_NE(std::find(windows.begin(), windows.end(), remapped), windows.end());
  EXPECT_EQ(std::find(windows.begin(), windows.end(), windowsForm), windows.end());
}

TEST_F(WorkbenchTest, FontConversionToTrueTypeKeepsTheReadingOrderWhenAskedTo) {
  OpenSample();
  const std::u16string read = textcore::FromUtf8("תכנית קומה א - מפלס 3");
  const auto count = [&](const std::u16string& style, const std::u16string& text) {
    const auto texts = TextsIn(*wb->Document(), style);
    return std::count(texts.begin(), texts.end(), text);
  };
  // The plan title in both styles of the Windows font, the backwards one holding it the other way round.
  const auto titles = count(u"HEB_WIN", PlanTitleInTheWindowsFont()) +
                      count(u"HEB_WIN_BACK", textcore::ReverseStrW(PlanTitleInTheWindowsFont()));
  const auto readBefore = count(u"HEB_TTF", read);
  ASSERT_EQ(titles, 2);
  WhenShown<conversions::TfrmFontConvert>([&](conversions::TfrmFontConvert& form) {
    auto* fonts = Child<QListWidget>(form, "CheckListBox1");
    fonts->findItems(QStringLiteral("veltro.shx"), Qt::MatchFixedString).at(0)->setCheckState(Qt::Checked);
    Child<QComboBox>(form, "ComboBox1")->setCurrentText(QStringLiteral("HEB_TTF"));
    auto* rightToLeft = Child<QCheckBox>(form, "chxRightLeft");
    QTest::mouseClick(rightToLeft, Qt::LeftButton, {}, QPoint(6, rightToLeft->height() / 2));
    QTest::mouseClick(Child<QPushButton>(form, "Button1"), Qt::LeftButton);
    EXPECT_EQ(LastMessage(), u"Conversion finished");
    QTest::mouseClick(Child<QPushButton>(form, "btnClose1"), Qt::LeftButton);
  });
  wb->RunCommand(QStringLiteral("FONTCONV"));
  // The Windows font's plan titles, now TrueType, hold the title in the order a person reads it.
  EXPECT_EQ(count(u"HEB_WIN", PlanTitleInTheWindowsFont()), 0);
  EXPECT_EQ(count(u"HEB_TTF", read), readBefore + titles);
}

}  // namespace
}  // namespace zil::workbench::test
