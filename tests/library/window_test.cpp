// The text library window offscreen, through the member Hlib on a drawing in the stand-in host, driven
// with mouse and key events (Hebrew typed through the Hebrew layout's keys), with the library file read
// back with SQLite.
#include <SQLiteCpp/SQLiteCpp.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTextBlock>

#include "library/dialogs/library_loop.h"
#include "textcore/keyboard.h"
#include "window_fixture.h"

namespace zil::library::test {
namespace {

using zil::test::Child;
using zil::test::PressKey;
using zil::test::TypeText;

const std::vector<Row> kWalls = {
    {0, -1, std::nullopt, "All Categories", ""},
    {1, 0, 0, "קירות"},
    {2, 1, 2, "בטון", "קיר בטון B30\r\nבטון חשוף\r\n"},
    {3, 1, 2, "גבס", "קיר גבס\r\n"},
    {4, 0, 0, "רצפות"},
    {5, 4, 2, "פרקט", "פרקט אלון\r\n"},
    {6, 1, 2, "בלוקים", "בלוק 20\r\n"},
};

QPlainTextEdit* Memo(TfrmExpl& form) { return Child<QPlainTextEdit>(form, "Memo1"); }

TEST_F(LibraryWindowTest, ANewLibraryKeepsWhatIsAddedNamedAndTyped) {
  ASSERT_FALSE(std::filesystem::exists(LibraryPath()));
  const auto result = Run([&](TfrmExpl& form, int) {
    EXPECT_EQ(form.Model().Count(), 1u);  // the root of a new library
    EXPECT_TRUE(textcore::KeyboardIsHebrew(fake.keyboard));
    ClickNode(form, NodeNamed(form, "All Categories"));
    Click(form, "tbAddCat");
    TypeLabel(form, QString::fromUtf8("קירות"));
    Click(form, "tbAddTitle");
    TypeLabel(form, QString::fromUtf8("בטון"));
    TypeInEditor(form, "ehr cyui");  // the Hebrew layout's keys for "concrete wall"
    PressKey(Memo(form), Qt::Key_Return);
    TypeText(Memo(form), "B30");
    EXPECT_EQ(EditorText(form), QString::fromUtf8("קיר בטון\nB30"));
    Click(form, "BitBtn1");
  });
  ASSERT_EQ(result.hr, automation::S_OK) << result.error;
  EXPECT_EQ(StoredRows(LibraryPath()), (std::vector<std::string>{
                                           "0 -1 - All Categories|",
                                           "1 0 0 קירות|-",
                                           "2 1 2 בטון|קיר בטון\r\nB30\r\n",
                                       }));
  EXPECT_FALSE(textcore::KeyboardIsHebrew(fake.keyboard));  // US English when the library closes
  EXPECT_TRUE(Messages().empty());
}

// The left of a node's row, on its indent.
QPoint IndentOf(TfrmExpl& form, LibraryNode* node) {
  const QPoint label = LabelOf(form, node);
  return {form.Tree().visualRect(form.Model().IndexOf(node)).left() - form.Tree().indentation() - 4, label.y()};
}

TEST_F(LibraryWindowTest, MovesRenamesAndDeletesAreInTheLibrary) {
  LibraryFile& file = UseLibrary(kWalls);
  const auto node = [](TfrmExpl& form, const char* label) { return NodeNamed(form, QString::fromUtf8(label)); };
  const auto result = Run([&](TfrmExpl& form, int) {
    ClickNode(form, node(form, "גבס"));
    Click(form, "btUp");  // before "concrete", in the tree and in the library
    EXPECT_EQ(node(form, "גבס")->Row(), 0);
    EXPECT_LT(file.Outline().find("גבס"), file.Outline().find("בטון"));
    PressKey(&form.Tree(), Qt::Key_F2);
    TypeLabel(form, QString::fromUtf8("גבס ירוק"));

    ClickNode(form, node(form, "קירות"));
    Click(form, "bttrash");  // a category with topics is not deleted
    ClickNode(form, node(form, "פרקט"));
    Click(form, "bttrash");  // asked, and answered Yes

    // Dragged onto the label of "floors": its last child. Onto the indent of "plaster": before it.
    ClickNode(form, node(form, "בלוקים"));
    form.Tree().DropAt(LabelOf(form, node(form, "רצפות")));
    ClickNode(form, node(form, "בטון"));
    form.Tree().DropAt(IndentOf(form, node(form, "גבס ירוק")));
    // Onto a node's expand button, or below the last node: nowhere.
    ClickNode(form, node(form, "בלוקים"));
    const QModelIndex walls = form.Model().IndexOf(node(form, "קירות"));
    form.Tree().DropAt({form.Tree().visualRect(walls).left() - 6, form.Tree().visualRect(walls).center().y()});
    form.Tree().DropAt({20, form.Tree().viewport()->height() - 2});
    Click(form, "BitBtn1");
  });
  ASSERT_EQ(result.hr, automation::S_OK) << result.error;
  EXPECT_EQ(file.Outline(),
            "All Categories [0]\n"
            "  קירות [1]\n"
            "    בטון [2] (topic)\n"
            "    גבס ירוק [3] (topic)\n"
            "  רצפות [4]\n"
            "    בלוקים [6] (topic)\n");
  EXPECT_EQ(Messages(), (std::vector<std::u16string>{u"The category not empty, you have to Delete titles First",
                                                     u"Do you really want to delete this node?"}));
}

TEST_F(LibraryWindowTest, ARefusedAddKeepsTheTopicAndItsText) {
  LibraryFile& file = UseLibrary(kWalls);
  const auto result = Run([&](TfrmExpl& form, int) {
    ClickNode(form, NodeNamed(form, QString::fromUtf8("גבס")));
    const std::size_t nodes = form.Model().Count();
    Click(form, "tbAddCat");  // not under a topic
    ClickNode(form, NodeNamed(form, "All Categories"));
    Click(form, "tbAddTitle");  // not under the root
    EXPECT_EQ(form.Model().Count(), nodes);
    ClickNode(form, NodeNamed(form, QString::fromUtf8("גבס")));
    EXPECT_EQ(EditorText(form), QString::fromUtf8("קיר גבס\n"));
    Click(form, "tbAddCat");
    EXPECT_EQ(EditorText(form), QString::fromUtf8("קיר גבס\n"));  // still the topic's text
    TypeInEditor(form, "2");
    Click(form, "BitBtn1");
  });
  ASSERT_EQ(result.hr, automation::S_OK) << result.error;
  EXPECT_EQ(file.Rows()[3], "3 1 2 גבס|קיר גבס\r\n2\r\n");
}

TEST_F(LibraryWindowTest, ANewNodeIsStoredOnceNamedOrGivenTextAndItsParentFirst) {
  LibraryFile& file = UseLibrary(kWalls);
  const auto result = Run([&](TfrmExpl& form, int) {
    ClickNode(form, NodeNamed(form, "All Categories"));
    Click(form, "tbAddCat");
    PressKey(nullptr, Qt::Key_Escape);  // the first label edit cancelled, and no text: not stored
    ClickNode(form, NodeNamed(form, "All Categories"));
    Click(form, "tbAddCat");
    PressKey(nullptr, Qt::Key_Escape);  // cancelled too, but a topic is stored under it
    Click(form, "tbAddTitle");
    TypeLabel(form, "B30");
    Click(form, "BitBtn1");
  });
  ASSERT_EQ(result.hr, automation::S_OK) << result.error;
  EXPECT_EQ(file.Outline(),
            "All Categories [0]\n"
            "  קירות [1]\n"
            "    בטון [2] (topic)\n"
            "    גבס [3] (topic)\n"
            "    בלוקים [6] (topic)\n"
            "  רצפות [4]\n"
            "    פרקט [5] (topic)\n"
            "  New Category [8]\n"
            "    B30 [9] (topic)\n");
}

TEST_F(LibraryWindowTest, SearchFindsHebrewStepsThroughMatchesAndRemembersTheString) {
  UseLibrary(kWalls);
  const auto result = Run([&](TfrmExpl& form, int) {
    auto* box = Child<QComboBox>(form, "cbxSearch");
    box->lineEdit()->setFocus();
    TypeText(box->lineEdit(), "cyui");  // "concrete" through the Hebrew layout
    PressKey(box->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(form.LastNode(), NodeNamed(form, QString::fromUtf8("בטון")));
    EXPECT_EQ(EditorSelection(form), QString::fromUtf8("בטון"));
    EXPECT_EQ(Memo(form)->textCursor().selectionStart(), 4);
    Click(form, "btnSearchDown");
    EXPECT_EQ(Memo(form)->textCursor().selectionStart(), 13);  // on the second line
    Click(form, "btnSearchDown");
    Click(form, "btnSearchUp");
    EXPECT_EQ(Memo(form)->textCursor().selectionStart(), 4);
    EXPECT_EQ(box->count(), 1);
    Click(form, "BitBtn1");
  });
  ASSERT_EQ(result.hr, automation::S_OK) << result.error;
  // Opened again: the string comes back from the library.
  ASSERT_EQ(Run([&](TfrmExpl& form, int) {
              auto* box = Child<QComboBox>(form, "cbxSearch");
              EXPECT_EQ(box->count(), 1);
              EXPECT_EQ(box->itemText(0), QString::fromUtf8("בטון"));
              Click(form, "BitBtn1");
            }).hr,
            automation::S_OK);
}

TEST_F(LibraryWindowTest, PutPutMtAndPickWorkInTheDrawingBetweenShowings) {
  LibraryFile& file = UseLibrary(kWalls);
  Answer("point 100 50\ndistance 3\npoint 100 0\ndistance 2\npick " + textcore::ToUtf8(FixtureHandle("keys")) + "\n");
  const int before = Count();
  const auto result = Run([&](TfrmExpl& form, int showing) {
    QPlainTextEdit* memo = Memo(form);
    switch (showing) {
      case 0:
        ClickNode(form, NodeNamed(form, QString::fromUtf8("בטון")));
        memo->setFocus();
        memo->moveCursor(QTextCursor::Start);
        Click(form, "Button2");  // the line with the caret
        break;
      case 1:
        EXPECT_EQ(Count(), before + 1);
        memo->setFocus();
        memo->selectAll();
        Click(form, "btnMt");  // each line of the selection
        break;
      case 2:
        EXPECT_EQ(Count(), before + 3);
        memo->moveCursor(QTextCursor::End);
        Click(form, "Button1");
        break;
      default:
        EXPECT_EQ(EditorText(form), QString::fromUtf8("קיר בטון B30\nבטון חשוף\nשלום\n"));
        Click(form, "BitBtn1");
    }
  });
  ASSERT_EQ(result.hr, automation::S_OK) << result.error;
  // In the drawing's current style, "Keys".
  EXPECT_EQ(doc->ModelSpace()->Item(before)->TextString(), DrawingForm(DosEnglish, false, u"קיר בטון B30"));
  EXPECT_EQ(doc->ModelSpace()->Item(before + 2)->TextString(), DrawingForm(DosEnglish, false, u"בטון חשוף"));
  EXPECT_NEAR(doc->ModelSpace()->Item(before + 2)->InsertionPoint().y, -3, 1e-9);
  EXPECT_EQ(file.Rows()[2], "2 1 2 בטון|קיר בטון B30\r\nבטון חשוף\r\nשלום\r\n");  // saved at once
}

// Chooses a value on the Properties page: from the row's drop-down list, or typed.
void SetProperty(TfrmExpl& form, int row, const QString& value) {
  auto* list = Child<QTableWidget>(form, "ValueListEditor1");
  QWidget* editor = zil::test::DoubleClickCell(*list, list->model()->index(row, 1));
  if (auto* choices = qobject_cast<QComboBox*>(editor)) {
    ASSERT_GE(choices->findText(value), 0) << value.toStdString();
    choices->setCurrentIndex(choices->findText(value));
  } else {
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    TypeText(editor, value);
  }
  PressKey(editor, Qt::Key_Return);
}

TEST_F(LibraryWindowTest, ThePropertiesPageChoosesStyleHeightLayerAndExplode) {
  UseLibrary(kWalls);
  Answer("point 0 0\n");  // the height is the page's: not asked
  const int before = Count();
  const auto result = Run([&](TfrmExpl& form, int showing) {
    if (showing == 1) {
      Click(form, "BitBtn1");
      return;
    }
    auto* pages = Child<QTabWidget>(form, "PageControl1");
    pages->setCurrentIndex(1);
    auto* list = Child<QTableWidget>(form, "ValueListEditor1");
    EXPECT_EQ(list->item(0, 1)->text(), "Keys");  // the drawing's current style and layer
    EXPECT_EQ(list->item(2, 1)->text(), "0");
    EXPECT_EQ(list->item(3, 1)->text(), "No");
    SetProperty(form, 0, "Win");
    SetProperty(form, 1, "abc");  // not a number: said, and the height stays empty
    EXPECT_EQ(list->item(1, 1)->text(), "");
    SetProperty(form, 1, "4");
    SetProperty(form, 2, "Notes");
    SetProperty(form, 3, "Yes");
    pages->setCurrentIndex(0);  // the Categories page shows the root
    EXPECT_EQ(form.LastNode(), NodeNamed(form, "All Categories"));
    ClickNode(form, NodeNamed(form, QString::fromUtf8("בטון")));
    Memo(form)->setFocus();
    Memo(form)->selectAll();
    Click(form, "Button2");  // exploded: a text a line
  });
  ASSERT_EQ(result.hr, automation::S_OK) << result.error;
  EXPECT_EQ(Messages(), (std::vector<std::u16string>{u"'abc' is not a valid floating point value"}));
  ASSERT_EQ(Count(), before + 2);
  for (int i = 0; i < 2; ++i) {
    const acad::EntityPtr text = doc->ModelSpace()->Item(before + i);
    EXPECT_EQ(text->TextString(), DrawingForm(WindowsHeb, false, i == 0 ? u"קיר בטון B30" : u"בטון חשוף"));
    EXPECT_EQ(text->StyleName(), u"Win");
    EXPECT_EQ(text->Layer(), u"Notes");
    EXPECT_DOUBLE_EQ(text->Height(), 4);
  }
}

TEST_F(LibraryWindowTest, PutOnABlankLineKeepsTheWindowOpen) {
  UseLibrary(kWalls);
  const auto result = Run([&](TfrmExpl& form, int) {
    ClickNode(form, NodeNamed(form, QString::fromUtf8("גבס")));
    Memo(form)->setFocus();
    Memo(form)->moveCursor(QTextCursor::End);  // the empty line after the text
    Click(form, "Button2");
    EXPECT_TRUE(form.isVisible());
    Click(form, "BitBtn1");
  });
  ASSERT_EQ(result.hr, automation::S_OK) << result.error;
}

TEST_F(LibraryWindowTest, TextFilesAndTheClipboardFillTheTopicAndTheSearchBox) {
  LibraryFile& file = UseLibrary(kWalls);
  file.dir.Write("in.txt", "\xF9\xEC\xE5\xED\r\n");  // Windows-1255
  fake.files.answers = {file.dir / "in.txt", file.dir / "out.txt"};
  fake.clipboard.SetText(u"הדבקה");
  const auto result = Run([&](TfrmExpl& form, int) {
    ClickNode(form, NodeNamed(form, QString::fromUtf8("פרקט")));
    Click(form, "ToolButton1");
    EXPECT_EQ(EditorText(form), QString::fromUtf8("שלום\n"));
    EXPECT_EQ(file.Rows()[5], "5 4 2 פרקט|שלום\r\n");  // saved after the load
    Memo(form)->setFocus();
    Memo(form)->moveCursor(QTextCursor::End);
    QTest::keyClick(Memo(form), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(file.Rows()[5], "5 4 2 פרקט|שלום\r\nהדבקה\r\n");  // saved after the paste
    Click(form, "ToolButton2");

    // The search box: F7 pastes (on the key's release), Ctrl+X cuts, Ctrl+V pastes.
    QLineEdit* box = Child<QComboBox>(form, "cbxSearch")->lineEdit();
    box->setFocus();
    PressKey(box, Qt::Key_F7);
    EXPECT_EQ(box->text(), QString::fromUtf8("הדבקה"));
    box->selectAll();
    PressKey(box, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(box->text(), "");
    fake.clipboard.SetText(u"גבס");
    PressKey(box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box->text(), QString::fromUtf8("גבס"));
    Click(form, "BitBtn1");
  });
  ASSERT_EQ(result.hr, automation::S_OK) << result.error;
  EXPECT_EQ(zil::test::TempFolder::Read(file.dir / "out.txt"),
            "\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D\r\n\xD7\x94\xD7\x93\xD7\x91\xD7\xA7\xD7\x94\r\n");
}

}  // namespace
}  // namespace zil::library::test

namespace zil::library::test {
namespace {

TEST_F(LibraryWindowTest, AWindowLeftAtShutDownIsFreedWithItsSearchStrings) {
  LibraryFile& file = UseLibrary(kWalls);
  addin->Startup();
  addin->host.AcadApp = app;
  addin->host.RefreshHost(fake.keyboard);
  auto window = std::make_unique<TfrmExpl>(addin->host, addin->frmFonts(), fake.services(), DataFolder());
  Child<QComboBox>(*window, "cbxSearch")->setEditText(QString::fromUtf8("גבס"));
  Child<QAbstractButton>(*window, "btnSearch")->click();
  EXPECT_EQ(window->LastNode(), NodeNamed(*window, QString::fromUtf8("גבס")));
  FreeLibraryWindow(window);
  EXPECT_EQ(window, nullptr);
  SQLite::Statement items(file.sql, "SELECT item FROM SearchCombo");
  ASSERT_TRUE(items.executeStep());
  EXPECT_EQ(items.getColumn(0).getString(), "גבס");
  EXPECT_FALSE(items.executeStep());
}

}  // namespace
}  // namespace zil::library::test
