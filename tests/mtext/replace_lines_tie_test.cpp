// The replace editor keeps every line tied to its own text: no key the user presses joins or splits lines,
// so the write-back can never put a line into another line's text. Also the stored-order typing rules and
// the editor's other members.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QTest>
#include <QTextBlock>
#include <QToolButton>
#include <random>

#include "drawing/standin/entity.h"
#include "mtext/dialogs/replace_form.h"
#include "mtext/dialogs/stored_order_memo.h"
#include "mtext_fixtures.h"
#include "textcore/utf8.h"

namespace zil::mtext::test {
namespace {

using zil::test::Child;
using zil::test::WhenShown;
using Lines = std::vector<std::u16string>;

// Every writable text of the drawing, in reading order (the attributes are those of "insert").
const char* const kNames[] = {"attrib_name", "attrib_num", "dos", "keys", "keysr", "win", "ab", "ttf", "back"};
constexpr int kCount = static_cast<int>(std::size(kNames));
const QString kRefused = QStringLiteral("Each line is its own text: lines cannot be joined or split");

void Key(TCPMemo& memo, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QTest::keyClick(&memo, key, modifiers);
}

class LinesStayTied : public OnDrawing {
 protected:
  LinesStayTied() : OnDrawing("replace.dxf") {
    for (const char* name : kNames) original.push_back(Entity(name)->TextString());
  }

  void Pick(std::initializer_list<const char*> names) {
    std::string picks = "pick";
    for (const char* name : names) picks += " " + textcore::ToUtf8(HandleOf(name));
    Answer(picks + "\n");
  }
  void PickAll() { Pick({"back", "ttf", "ab", "win", "keysr", "keys", "dos", "insert"}); }

  // What `line` becomes in the drawing when it is written back into the text `i`, in that text's font type.
  std::u16string WrittenForm(std::size_t i, const std::u16string& line) {
    const auto style = doc->TextStyles()->Item(Entity(kNames[i])->StyleName());
    conv().cStBack = style->TextGenerationFlag() == 2;
    addin.frmFonts().SetFntType(style->FontFile(), original[i]);
    return conv().EditToacadDos(line);
  }

  // After "Ok": a line left as read left its text as it was; any other line is in its own text, in the
  // text's own form.
  void ExpectEachLineInItsOwnText(const Lines& read, const Lines& final) {
    ASSERT_EQ(final.size(), read.size());
    for (std::size_t i = 0; i < final.size(); ++i) {
      const std::u16string expected = final[i] == read[i] ? original[i] : WrittenForm(i, final[i]);
      EXPECT_EQ(Entity(kNames[i])->TextString(), expected) << kNames[i];
    }
  }

  std::vector<std::u16string> original;
};

// One line per text, every one beginning with its mark.
::testing::AssertionResult Intact(const TCPMemo& memo) {
  if (memo.document()->blockCount() != kCount || memo.LineCount() != kCount)
    return ::testing::AssertionFailure() << memo.document()->blockCount() << " lines";
  for (QTextBlock b = memo.document()->begin(); b.isValid(); b = b.next())
    if (!b.text().startsWith(QChar(0x202D))) return ::testing::AssertionFailure() << "line " << b.blockNumber();
  return ::testing::AssertionSuccess();
}

TEST_F(LinesStayTied, EditsThatWouldJoinOrSplitLinesAreRefusedAndSaySo) {
  PickAll();
  Lines read, final;
  WhenShown<TfrmEditor>([&](TfrmEditor& form) {
    auto& memo = *Child<TCPMemo>(form, "Memo1");
    auto* status = Child<QLabel>(form, "StatusPanel2");
    read = memo.Lines();
    // In English the keys act where the caret is (Hebrew moves it first: the next test and the typing rules).
    Click(Child<QToolButton>(form, "tbEng"));
    const auto select = [&](int line, int column, int toLine, int toColumn) {
      memo.Select(line, column, 0);
      QTextCursor cursor = memo.textCursor();
      const QTextBlock to = memo.document()->findBlockByNumber(toLine);
      cursor.setPosition(to.position() + 1 + toColumn, QTextCursor::KeepAnchor);
      memo.setTextCursor(cursor);
    };
    const struct {
      const char* what;
      std::function<void()> act;
    } refused[] = {
        {"Backspace at the start of a line", [&] { memo.Select(3, 0, 0), Key(memo, Qt::Key_Backspace); }},
        {"Delete at the end of a line",
         [&] { memo.Select(2, static_cast<int>(read[2].size()), 0), Key(memo, Qt::Key_Delete); }},
        {"Enter", [&] { memo.Select(4, 2, 0), Key(memo, Qt::Key_Return); }},
        {"typing over lines", [&] { select(1, 2, 3, 1), Key(memo, Qt::Key_A); }},
        {"Delete over lines", [&] { select(5, 1, 6, 1), Key(memo, Qt::Key_Delete); }},
        {"Backspace over lines", [&] { select(6, 3, 5, 0), Key(memo, Qt::Key_Backspace); }},
        {"select all, Delete", [&] { Key(memo, Qt::Key_A, Qt::ControlModifier), Key(memo, Qt::Key_Delete); }},
        {"cut over lines", [&] { select(0, 0, 8, 2), Key(memo, Qt::Key_X, Qt::ControlModifier); }},
        {"paste of two lines", [&] { memo.Select(7, 1, 0), Key(memo, Qt::Key_V, Qt::ControlModifier); }},
        {"a word back from the start",
         [&] { memo.Select(8, 0, 0), Key(memo, Qt::Key_Backspace, Qt::ControlModifier); }},
    };
    for (const auto& r : refused) {
      fake.clipboard.SetText(u"two\nlines");
      status->clear();
      r.act();
      EXPECT_TRUE(Intact(memo)) << r.what;
      EXPECT_EQ(memo.Lines(), read) << r.what;
      EXPECT_EQ(status->text(), kRefused) << r.what;
    }
    // An edit within a line goes through, and marks only its own line.
    fake.clipboard.SetText(u"77");
    memo.Select(6, 2, 1);
    Key(memo, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(memo.Line(6), u"ab77ab ab");
    final = memo.Lines();
    Click(Child<QWidget>(form, "btnOk"));
  });
  ASSERT_TRUE(object->replace().Succeeded());
  ExpectEachLineInItsOwnText(read, final);
  EXPECT_NE(Entity("ab")->TextString(), original[6]);
}

// Whatever keys are pressed, in whatever order, each line ends in its own text.
TEST_F(LinesStayTied, NoSequenceOfKeysWritesALineIntoAnotherLinesText) {
  const Qt::Key moves[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_Home, Qt::Key_End};
  const Qt::Key edits[] = {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Return, Qt::Key_Tab};
  const Qt::Key typed[] = {Qt::Key_A, Qt::Key_K,     Qt::Key_U,      Qt::Key_O,     Qt::Key_T,     Qt::Key_1,
                           Qt::Key_2, Qt::Key_Space, Qt::Key_Period, Qt::Key_Comma, Qt::Key_Minus, Qt::Key_ParenLeft};
  const Qt::Key control[] = {Qt::Key_X, Qt::Key_C, Qt::Key_V, Qt::Key_A, Qt::Key_Z, Qt::Key_Backspace, Qt::Key_Delete};
  for (const unsigned seed : {1u, 2u, 3u}) {
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    std::mt19937 random(seed);
    const auto pick = [&random](const auto& keys) {
      return keys[std::uniform_int_distribution<std::size_t>(0, std::size(keys) - 1)(random)];
    };
    PickAll();
    Lines read, final;
    WhenShown<TfrmEditor>([&](TfrmEditor& form) {
      auto& memo = *Child<TCPMemo>(form, "Memo1");
      read = memo.Lines();
      fake.clipboard.SetText(u"x\ny");
      for (int n = 0; n < 400; ++n) {
        switch (std::uniform_int_distribution<int>(0, 9)(random)) {
          case 0:
          case 1:
            Key(memo, pick(moves));
            break;
          case 2:
            Key(memo, pick(moves), Qt::ShiftModifier);
            break;
          case 3:
          case 4:
            Key(memo, pick(edits));
            break;
          case 5:
            Key(memo, pick(control), Qt::ControlModifier);
            break;
          default:
            Key(memo, pick(typed));
            break;
        }
        ASSERT_TRUE(Intact(memo)) << "after key " << n;
      }
      final = memo.Lines();
      Click(Child<QWidget>(form, "btnOk"));
    });
    const auto result = object->replace();
    ASSERT_TRUE(result.Succeeded()) << result.error;
    ExpectEachLineInItsOwnText(read, final);
    EXPECT_NE(final, read);  // the keys did change lines
    for (std::size_t i = 0; i < original.size(); ++i) original[i] = Entity(kNames[i])->TextString();
  }
}

TEST_F(LinesStayTied, HebrewIsTypedRightToLeftInTheStoredOrderAndBackspaceTakesTheLastLetter) {
  Pick({"ab"});
  WhenShown<TfrmEditor>([&](TfrmEditor& form) {
    auto& memo = *Child<TCPMemo>(form, "Memo1");
    memo.Select(0, 0, 0);
    zil::test::TypeText(&memo, HebrewKeys(u"שלום12א"));
    // The letters run right to left; the digits keep their order, left of the letters; the next letter
    // lands left of the digits.
    EXPECT_EQ(memo.Line(0), u"א12םולשab ab ab");
    Key(memo, Qt::Key_Backspace);
    EXPECT_EQ(memo.Line(0), u"12םולשab ab ab");
    // While a left-to-right run is being typed, a shortcut still acts on the selection where it is.
    memo.Select(0, 0, 0);
    zil::test::TypeText(&memo, "3");
    memo.Select(0, 10, 2);
    Key(memo, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(fake.clipboard.Text(), u"ab");
    Click(Child<QWidget>(form, "btnOk"));
  });
  ASSERT_TRUE(object->replace().Succeeded());
  EXPECT_EQ(Entity("ab")->TextString(), u"312םולשab ab ab");  // a Windows font stores the order as shown
}

TEST_F(LinesStayTied, SelectedToScreenZoomsToTheLinesTextAndHighlightsIt) {
  PickAll();
  const acad::EntityPtr keys = Entity("keys");
  const auto& record = dynamic_cast<standin::StandInEntity&>(*keys).Rec();
  WhenShown<TfrmEditor>([&](TfrmEditor& form) {
    Child<TCPMemo>(form, "Memo1")->Select(3, 1, 0);
    Click(Child<QWidget>(form, "Button2"));
    const standin::View view = doc->CurrentView();
    EXPECT_EQ(view.center, keys->InsertionPoint());
    EXPECT_EQ(view.height, 5);
    EXPECT_TRUE(doc->Highlighted(record));
    Click(Child<QWidget>(form, "Button1"));
  });
  ASSERT_TRUE(object->replace().Succeeded());
  EXPECT_FALSE(doc->Highlighted(record));
}

TEST_F(LinesStayTied, NothingPickedNoTextsPickedAndALeftoverSelectionSet) {
  const std::string before = Bytes();
  Answer("enter\n");
  EXPECT_TRUE(object->replace().Succeeded());  // no editor
  Pick({"bare"});
  WhenShown<TfrmEditor>([&](TfrmEditor& form) {
    auto& memo = *Child<TCPMemo>(form, "Memo1");
    EXPECT_EQ(memo.LineCount(), 0);
    EXPECT_TRUE(memo.isReadOnly());
    Click(Child<QToolButton>(form, "ToolButton1"));
    Click(Child<QWidget>(form, "Button2"));
    Click(Child<QWidget>(form, "btnOk"));
  });
  EXPECT_TRUE(object->replace().Succeeded());
  EXPECT_EQ(Bytes(), before);
  EXPECT_TRUE(doc->Sets().empty());
  doc->SelectionSets()->Add(u"SSText");
  const auto result = object->replace();
  EXPECT_FALSE(result.Succeeded());
  EXPECT_NE(result.error.find("SSText"), std::string::npos) << result.error;
}

TEST_F(LinesStayTied, TheHistoriesAreKeptFromOneShowingToTheNext) {
  for (const bool first : {true, false}) {
    Pick({"ab"});
    WhenShown<TfrmEditor>([&](TfrmEditor& form) {
      auto* search = Child<QComboBox>(form, "cbxsearch");
      if (first) {
        Click(Child<QToolButton>(form, "tbEng"));
        search->setFocus();
        zil::test::TypeText(nullptr, "ab");
        zil::test::PressKey(nullptr, Qt::Key_Tab);  // on to the replacement
        auto* replacement = Child<QComboBox>(form, "cbxReplace");
        EXPECT_TRUE(replacement->hasFocus() || replacement->isAncestorOf(QApplication::focusWidget()));
        Click(Child<QToolButton>(form, "btnFind"));
      } else {
        ASSERT_EQ(search->count(), 1);
        EXPECT_EQ(search->itemText(0), "ab");
      }
      Click(Child<QWidget>(form, "Button1"));
    });
    ASSERT_TRUE(object->replace().Succeeded());
  }
}

TEST_F(LinesStayTied, ScreenshotOfTheEditorWithHebrewLinesBesideTheDrawing) {
  PickAll();
  QImage picture;
  WhenShown<TfrmEditor>([&](TfrmEditor& form) {
    auto* search = Child<QComboBox>(form, "cbxsearch");
    auto* replacement = Child<QComboBox>(form, "cbxReplace");
    zil::test::TypeText(search, HebrewKeys(u"קומה"));
    zil::test::TypeText(replacement, HebrewKeys(u"דירה"));
    Click(Child<QCheckBox>(form, "ChAll"));
    Click(Child<QToolButton>(form, "ToolButton1"));
    Child<TCPMemo>(form, "Memo1")->Select(2, 0, 6);
    picture = form.grab().toImage();
    Click(Child<QWidget>(form, "btnOk"));
  });
  ASSERT_TRUE(object->replace().Succeeded());
  SaveScreenshot(picture, Preview(), "replace-editor");
}

}  // namespace
}  // namespace zil::mtext::test
