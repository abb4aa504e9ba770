// "Fonts Definition" driven as a user drives it, through the automation object's FontTable member and
// the Qt dialogs, on a temporary data folder with scripted file choosers and messages.
#include "config/dialogs/fonts_form.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include "automation/addin.h"
#include "automation/autozil.h"
#include "automation/dialogs/qt_dialogs.h"
#include "platform/qt/gui_session.h"
#include "support/fake_services.h"
#include "support/qt/dialog_driver.h"
#include "support/temp_folder.h"
#include "textcore/keyboard.h"

namespace zil::config {
namespace {

using test::Child;
using test::TempFolder;
using test::WhenShown;

const char* const kDefinitions =
    "[SymbolFonts]\r\nsym1=\r\n[sym1]\r\nb1=65\r\n"
    "[Fonts]\r\nromanh=Windows\r\nHebrew=DosEnglish\r\nArchit=DosEnglishR\r\nodd=Whatever\r\n";

class FontsDialog : public ::testing::Test {
 protected:
  FontsDialog() : fake(dir.path()), dialogs(gui), addin(fake.services(), dialogs) {
    dir.Write("HebFonts.txt", kDefinitions);
    addin.Startup();
    object = addin.CreateObject();
  }

  // Shows the dialog through the automation member and runs `drive` on it.
  void Show(std::function<void(TfrmFonts&)> drive) {
    WhenShown<TfrmFonts>(std::move(drive));
    const automation::CallResult result = object->FontTable();
    EXPECT_EQ(result.hr, automation::S_OK) << result.error;
  }

  std::vector<std::u16string> Keys() {
    std::vector<std::u16string> keys;
    for (const FontMapRow& row : addin.frmFonts().table.fontmaps) keys.push_back(row.key);
    return keys;
  }

  static QModelIndex Cell(TfrmFonts& form, int row, int column) {
    return Child<QTableView>(form, "fontmaps")->model()->index(row, column);
  }
  // The drop-down editor a double-click opened (the box, or its line edit, has the focus).
  static QComboBox* PickList(QWidget* editor) {
    if (auto* box = qobject_cast<QComboBox*>(editor)) return box;
    return editor ? qobject_cast<QComboBox*>(editor->parentWidget()) : nullptr;
  }
  static void Click(TfrmFonts& form, const char* button) {
    QTest::mouseClick(Child<QAbstractButton>(form, button), Qt::LeftButton);
  }
  // Double-clicks a cell, types into its editor and presses Return.
  static void EditCell(TfrmFonts& form, int row, int column, const QString& text) {
    QWidget* editor = test::DoubleClickCell(*Child<QTableView>(form, "fontmaps"), Cell(form, row, column));
    if (QComboBox* box = PickList(editor)) {
      editor = box;
      box->lineEdit()->selectAll();
    } else {
      ASSERT_NE(qobject_cast<QLineEdit*>(editor), nullptr);
      qobject_cast<QLineEdit*>(editor)->selectAll();
    }
    test::TypeText(editor, text);
    Commit(form);
  }
  // Return in a cell editor: the view commits and closes it a moment later.
  static void Commit(TfrmFonts& form) {
    test::PressKey(nullptr, Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !test::IsEditing(*Child<QTableView>(form, "fontmaps")); }, 2000));
  }

  test::Watchdog watchdog;
  TempFolder dir;
  test::FakeServices fake;
  platform::GuiSession gui;
  automation::QtDialogs dialogs;
  automation::AddIn addin;
  std::unique_ptr<automation::Tautozil> object;
};

TEST_F(FontsDialog, ShowsTheTableAndTheFileWithTheControlsNamed) {
  Show([&](TfrmFonts& form) {
    EXPECT_EQ(form.windowTitle(), "Fonts Definition");
    EXPECT_TRUE(form.isModal());
    EXPECT_EQ(form.size(), QSize(TfrmFonts::kClientWidth, TfrmFonts::kClientHeight));
    EXPECT_EQ(Child<QLineEdit>(form, "Edit1")->text().toStdString(), (dir / "HebFonts.txt").string());
    EXPECT_EQ(Child<QToolButton>(form, "SpeedButton1")->toolTip(), "Load  new Font Defenition File");
    EXPECT_EQ(Child<QToolButton>(form, "SpeedButton2")->toolTip(), "Load   Font Defenition File As ..");
    const struct {
      const char* name;
      const char* caption;
    } buttons[] = {{"btnNew", "&New"},
                   {"Button1", "&New from file"},
                   {"btnDelete", "&Delete"},
                   {"btnOk", "OK"},
                   {"btnCancel", "Cancel"}};
    for (const auto& b : buttons) EXPECT_EQ(Child<QPushButton>(form, b.name)->text(), b.caption) << b.name;
    EXPECT_TRUE(Child<QPushButton>(form, "btnOk")->isDefault());
    auto* fontmaps = Child<QTableView>(form, "fontmaps");
    EXPECT_EQ(fontmaps->model()->headerData(0, Qt::Horizontal).toString(), "Fonts");
    EXPECT_EQ(fontmaps->model()->headerData(1, Qt::Horizontal).toString(), "Mapping");
    EXPECT_EQ(fontmaps->columnWidth(0), 250);
    EXPECT_EQ(fontmaps->columnWidth(1), 125);
    ASSERT_EQ(fontmaps->model()->rowCount(), 4);
    EXPECT_EQ(Cell(form, 0, 0).data().toString(), "Archit");  // sorted by name
    EXPECT_EQ(Cell(form, 3, 1).data().toString(), "Windows");

    // A loaded row's value offers the four words, five rows tall, and takes any text.
    QComboBox* box = PickList(test::DoubleClickCell(*fontmaps, Cell(form, 2, 1)));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->objectName(), "fontmapsPickList");
    EXPECT_EQ(box->count(), 4);
    EXPECT_EQ(box->itemText(3), "Windows");
    EXPECT_EQ(box->maxVisibleItems(), 5);
    EXPECT_TRUE(box->isEditable());
    EXPECT_EQ(box->currentText(), "Whatever");
    test::PressKey(nullptr, Qt::Key_Escape);  // leaves the cell as it was
    Click(form, "btnOk");
  });
}

TEST_F(FontsDialog, EditsReachTheFileEvenThroughCancelAndClassifyAtOnce) {
  Show([&](TfrmFonts& form) {
    auto* fontmaps = Child<QTableView>(form, "fontmaps");
    // A new row at the end, current, with the focus: typing names it.
    Click(form, "btnNew");
    ASSERT_EQ(fontmaps->model()->rowCount(), 5);
    EXPECT_EQ(fontmaps->currentIndex(), Cell(form, 4, 0));
    EXPECT_TRUE(fontmaps->hasFocus());
    test::TypeText(nullptr, "myfont");
    Commit(form);
    EditCell(form, 4, 1, "DosEnglish");  // a new row's value is plain text
    // "&New" again on the row just filled adds one more; on an empty current row it adds none.
    Click(form, "btnNew");
    Click(form, "btnNew");
    EXPECT_EQ(fontmaps->model()->rowCount(), 6);

    // Choosing a type from a loaded row's drop-down.
    QComboBox* box = PickList(test::DoubleClickCell(*fontmaps, Cell(form, 3, 1)));
    ASSERT_NE(box, nullptr);
    box->showPopup();
    QListView* list = qobject_cast<QListView*>(box->view());
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return list->isVisible(); }, 2000));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      list->visualRect(list->model()->index(2, 0)).center());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !test::IsEditing(*fontmaps); }, 2000));
    EXPECT_EQ(Cell(form, 3, 1).data().toString(), "DosEnglishR");

    // Deleting the current row.
    fontmaps->setCurrentIndex(Cell(form, 2, 0));
    Click(form, "btnDelete");
    EXPECT_EQ(Cell(form, 2, 0).data().toString(), "romanh");
    Click(form, "btnCancel");
  });
  EXPECT_EQ(Keys(), (std::vector<std::u16string>{u"Archit", u"Hebrew", u"romanh", u"myfont", u""}));
  EXPECT_EQ(TempFolder::Read(dir / "HebFonts.txt"),
            "[SymbolFonts]\r\nsym1=\r\n[sym1]\r\nb1=65\r\n\r\n"
            "[Fonts]\r\nArchit=DosEnglishR\r\nHebrew=DosEnglish\r\nromanh=DosEnglishR\r\nmyfont=DosEnglish\r\n");
  addin.frmFonts().SetFntType(u"C:\\fonts\\MyFont.shx");
  EXPECT_EQ(addin.frmFonts().conv.cStType, DosEnglish);
  addin.frmFonts().SetFntType(u"romanh.shx");
  EXPECT_EQ(addin.frmFonts().conv.cStType, DosEnglishR);
  addin.frmFonts().SetFntType(u"odd.shx");
  EXPECT_EQ(addin.frmFonts().conv.cStType, DosHebrew);
  EXPECT_TRUE(fake.messages.shown.empty());
}

TEST_F(FontsDialog, AnEditOpenWhenTheWindowClosesIsKept) {
  Show([&](TfrmFonts& form) {
    test::DoubleClickCell(*Child<QTableView>(form, "fontmaps"), Cell(form, 0, 1));
    test::TypeText(nullptr, "Windows");
    form.close();  // the window's close box, the editor still open
  });
  EXPECT_EQ(addin.frmFonts().table.fontmaps[0].value, u"Windows");
  EXPECT_NE(TempFolder::Read(dir / "HebFonts.txt").find("Archit=Windows\r\n"), std::string::npos);
}

TEST_F(FontsDialog, LoadAnotherFileAndSaveAs) {
  const auto other = dir.Write("defs/other.txt", "[Fonts]\nzz=Windows\naa=DosHebrew\n");
  fake.files.answers = {other, dir / "saved" / "saved.txt"};
  std::filesystem::create_directories(dir / "saved");
  Show([&](TfrmFonts& form) {
    EditCell(form, 0, 1, "Windows");  // an edit to the file in use ...
    Click(form, "SpeedButton1");      // ... goes into it before another file is loaded
    EXPECT_EQ(Child<QLineEdit>(form, "Edit1")->text().toStdString(), other.string());
    ASSERT_EQ(Child<QTableView>(form, "fontmaps")->model()->rowCount(), 2);
    EXPECT_EQ(Cell(form, 0, 0).data().toString(), "aa");
    Click(form, "SpeedButton2");
    EXPECT_EQ(Child<QLineEdit>(form, "Edit1")->text().toStdString(), (dir / "saved" / "saved.txt").string());
    Child<QTableView>(form, "fontmaps")->setCurrentIndex(Cell(form, 0, 0));
    Click(form, "btnDelete");
    Click(form, "btnOk");
  });
  EXPECT_NE(TempFolder::Read(dir / "HebFonts.txt").find("Archit=Windows\r\n"), std::string::npos);
  EXPECT_EQ(TempFolder::Read(other), "[Fonts]\nzz=Windows\naa=DosHebrew\n");
  EXPECT_EQ(TempFolder::Read(dir / "saved" / "saved.txt"), "[Fonts]\r\nzz=Windows\r\n");

  ASSERT_EQ(fake.files.asked.size(), 2u);
  const auto& load = fake.files.asked[0];
  EXPECT_FALSE(load.save);
  EXPECT_EQ(load.choice.filter, u"Font Definitio Files(*.txt)|*.txt");
  EXPECT_EQ(load.choice.defaultExtension, u"txt");
  EXPECT_EQ(load.choice.initialFolder, dir.path() / "");
  EXPECT_EQ(load.choice.fileName, "HebFonts.txt");
  const auto& saveAs = fake.files.asked[1];
  EXPECT_TRUE(saveAs.save);
  EXPECT_EQ(saveAs.choice.filter, load.choice.filter);
  EXPECT_EQ(saveAs.choice.defaultExtension, u"txt");

  // The file chosen last stays the definition file, and its folder the load dialog's, for the next showing.
  Show([&](TfrmFonts& form) {
    EXPECT_EQ(Child<QLineEdit>(form, "Edit1")->text().toStdString(), (dir / "saved" / "saved.txt").string());
    Click(form, "SpeedButton1");  // cancelled: nothing changes
    EXPECT_EQ(Child<QTableView>(form, "fontmaps")->model()->rowCount(), 1);
    Click(form, "btnOk");
  });
  EXPECT_EQ(fake.files.asked.back().choice.initialFolder, dir.path() / "saved");
}

TEST_F(FontsDialog, NewFromFileNamesARowAfterTheFontFile) {
  fake.files.answers = {"/fonts/Heb2.SHX", "/x/arial.ttf", "/y/HEBREW.shx"};
  Show([&](TfrmFonts& form) {
    auto* fontmaps = Child<QTableView>(form, "fontmaps");
    fontmaps->setCurrentIndex(Cell(form, 1, 1));
    Click(form, "Button1");  // inserted before the current row, and current
    EXPECT_EQ(Cell(form, 1, 0).data().toString(), "Heb2");
    EXPECT_EQ(Cell(form, 1, 1).data().toString(), "");
    EXPECT_EQ(Cell(form, 2, 0).data().toString(), "Hebrew");
    EXPECT_EQ(fontmaps->currentIndex(), Cell(form, 1, 1));
    Click(form, "btnNew");
    Click(form, "Button1");  // an empty current row takes the name
    EXPECT_EQ(fontmaps->model()->rowCount(), 6);
    EXPECT_EQ(Cell(form, 5, 0).data().toString(), "arial");
    Click(form, "Button1");  // a font already listed: refused, and its row made current
    EXPECT_EQ(fontmaps->model()->rowCount(), 6);
    EXPECT_EQ(fontmaps->currentIndex().row(), 2);
    Click(form, "Button1");  // cancelled
    EXPECT_EQ(fontmaps->model()->rowCount(), 6);
    Click(form, "btnOk");
  });
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_EQ(fake.messages.shown[0].text, u"The font \"Hebrew\" is in the table already");
  EXPECT_EQ(fake.messages.shown[0].icon, platform::MessageIcon::Error);
  ASSERT_EQ(fake.files.asked.size(), 4u);
  EXPECT_EQ(fake.files.asked[0].choice.filter, u"Autocad Fonts|*.shx;*.shp|True Type|*.ttf");
  EXPECT_EQ(fake.files.asked[0].choice.defaultExtension, u"*.shx");
}

TEST_F(FontsDialog, NamesTheFileCannotKeepOrHasAlreadyAreRefused) {
  Show([&](TfrmFonts& form) {
    EditCell(form, 0, 0, "HEBREW");
    EditCell(form, 0, 0, "a=b");
    EditCell(form, 0, 0, "  spaced  ");
    QTest::qWait(20);  // the refusals are reported once the edit is over
    Click(form, "btnOk");
  });
  EXPECT_EQ(Keys(), (std::vector<std::u16string>{u"spaced", u"Hebrew", u"odd", u"romanh"}));
  ASSERT_EQ(fake.messages.shown.size(), 2u);
  EXPECT_EQ(fake.messages.shown[0].text, u"The font \"Hebrew\" is in the table already");
  EXPECT_NE(fake.messages.shown[1].text.find(u"\"a=b\" cannot be a font name"), std::u16string::npos);
}

TEST_F(FontsDialog, FailedWritesAreReportedAndNothingIsLost) {
  const auto gone = dir / "gone" / "defs.txt";  // a folder that does not exist
  fake.files.answers = {gone, gone};
  Show([&](TfrmFonts& form) {
    Click(form, "SpeedButton2");  // save-as fails: reported, the form stays on its file
    EXPECT_EQ(Child<QLineEdit>(form, "Edit1")->text().toStdString(), (dir / "HebFonts.txt").string());
    EXPECT_TRUE(form.isVisible());
    Click(form, "SpeedButton1");  // loading a file that is not there gives an empty table
    EXPECT_EQ(Child<QTableView>(form, "fontmaps")->model()->rowCount(), 0);
    Click(form, "btnNew");
    test::TypeText(nullptr, "kept");
    Commit(form);
    Click(form, "btnOk");  // the closing write fails: reported, the form closes
  });
  ASSERT_EQ(fake.messages.shown.size(), 2u);
  for (const auto& shown : fake.messages.shown) EXPECT_NE(shown.text.find(u"Unable to write to"), std::u16string::npos);
  EXPECT_NE(fake.messages.shown[1].text.find(u"written again when this dialog next closes"), std::u16string::npos);
  EXPECT_EQ(Keys(), (std::vector<std::u16string>{u"kept"}));

  std::filesystem::create_directories(gone.parent_path());
  Show([&](TfrmFonts& form) { Click(form, "btnCancel"); });
  EXPECT_EQ(TempFolder::Read(gone), "[Fonts]\r\nkept=\r\n");
}

TEST_F(FontsDialog, TypesHebrewWhileTheHebrewLayoutIsActive) {
  textcore::HebrewKeyboard(fake.keyboard);
  Show([&](TfrmFonts& form) {
    Click(form, "btnNew");
    test::TypeText(nullptr, "akuo");
    Commit(form);
    Click(form, "btnOk");
  });
  EXPECT_EQ(Keys().back(), u"\u05E9\u05DC\u05D5\u05DD");
}

TEST(FontsDialogWithoutStart, FailsClearly) {
  TempFolder dir;
  test::FakeServices fake(dir.path());
  platform::GuiSession gui;
  automation::QtDialogs dialogs(gui);
  automation::AddIn addin(fake.services(), dialogs);
  EXPECT_THROW(dialogs.ShowFontTable(addin), std::exception);  // no data module: the add-in is not started
}

}  // namespace
}  // namespace zil::config
