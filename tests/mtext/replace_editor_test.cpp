// Find and replace over a drawing's texts and attributes (replace), on a drawing in the stand-in host, with
// the editor driven as a user drives it.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <random>

#include "mtext/dialogs/replace_form.h"
#include "mtext/dialogs/stored_order_memo.h"
#include "mtext_fixtures.h"
#include "textcore/keyboard.h"
#include "textcore/utf8.h"

namespace zil::mtext::test {
namespace {

using zil::test::Child;
using zil::test::PressKey;
using zil::test::TypeText;
using zil::test::WhenShown;
using Lines = std::vector<std::u16string>;
using platform::MessageAnswer;

// The texts in the order a reader of Hebrew reads them: the block reference's attributes and the DOS text
// share the top line (the block reference is on the right), then down the page; the locked one last.
const char* const kReadingOrder[] = {"attrib_name", "attrib_num", "dos", "keys", "keysr",
                                     "win",         "ab",         "ttf", "back", "locked"};
constexpr int kLines = 10;

class ReplaceEditor : public OnDrawing {
 protected:
  ReplaceEditor() : OnDrawing("replace.dxf") {}

  void PickAll() {
    std::u16string picks;
    for (const char* name : {"ttf", "locked", "insert", "win", "dos", "bare", "back", "keysr", "ab", "keys"})
      picks += u" " + HandleOf(name);
    Answer("pick" + textcore::ToUtf8(picks) + "\n");
  }

  // A text's string in the drawing, read in the stored-order edit form under its own style.
  std::u16string DosForm(const std::string& name) {
    const acad::EntityPtr entity = Entity(name);
    const auto style = doc->TextStyles()->Item(entity->StyleName());
    conv().cStBack = style->TextGenerationFlag() == 2;
    addin.frmFonts().SetFntType(style->FontFile(), entity->TextString());
    return conv().AcadToEditDos(entity->TextString());
  }
  Lines DosForms() {
    Lines lines;
    for (const char* name : kReadingOrder) lines.push_back(DosForm(name));
    return lines;
  }
  std::vector<std::u16string> Strings() {
    std::vector<std::u16string> strings;
    for (const char* name : kReadingOrder) strings.push_back(Entity(name)->TextString());
    return strings;
  }

  // Runs replace on every text, driving the editor with `drive`.
  automation::CallResult Run(const std::function<void(TfrmEditor&, TCPMemo&)>& drive) {
    PickAll();
    WhenShown<TfrmEditor>([&](TfrmEditor& form) { drive(form, *Child<TCPMemo>(form, "Memo1")); });
    return object->replace();
  }

  static void Search(TfrmEditor& form, const std::u16string& search, const std::u16string& replacement) {
    Click(Child<QToolButton>(form, "tbEng"));
    for (const auto& [name, text] : {std::pair{"cbxsearch", search}, std::pair{"cbxReplace", replacement}}) {
      auto* box = Child<QComboBox>(form, name);
      box->setEditText({});
      TypeText(box, QString::fromStdU16String(text));
    }
  }
};

TEST_F(ReplaceEditor, TextsAndAttributesComeInReadingOrderEachInTheStoredFormOfItsFontType) {
  const std::string before = Bytes();
  const std::size_t steps = doc->Undo().StepCount();
  const Lines expected = DosForms();
  const auto result = Run([&](TfrmEditor& form, TCPMemo& memo) {
    EXPECT_EQ(memo.Lines(), expected);
    EXPECT_EQ(form.windowTitle(), "zil Replace");
    EXPECT_TRUE(Child<QToolButton>(form, "tbHeb")->isChecked());
    EXPECT_TRUE(textcore::KeyboardIsHebrew(fake.keyboard));
    Click(Child<QWidget>(form, "btnOk"));
  });
  ASSERT_TRUE(result.Succeeded()) << result.error;
  EXPECT_EQ(Bytes(), before);  // nothing edited, nothing written
  EXPECT_EQ(doc->Undo().StepCount(), steps);
  EXPECT_TRUE(doc->Sets().empty());
  EXPECT_FALSE(textcore::KeyboardIsHebrew(fake.keyboard));
  // The DOS Hebrew, key and Windows texts read in the order they are stored.
  EXPECT_EQ(expected[2], u" 1המוק");
  EXPECT_EQ(expected[3], u" 12רדח");
  EXPECT_EQ(expected[0], u" 1ןיינב");
}

TEST_F(ReplaceEditor, ReplaceAllWithoutAskingChangesExactlyTheLinesThatHoldTheText) {
  const std::vector<std::u16string> strings = Strings();
  const std::size_t steps = doc->Undo().StepCount();
  const auto result = Run([&](TfrmEditor& form, TCPMemo& memo) {
    Click(Child<QCheckBox>(form, "ChAll"));
    Search(form, u"ab", u"abab");
    Click(Child<QToolButton>(form, "ToolButton1"));
    EXPECT_EQ(memo.Line(6), u"abab abab abab");
    Click(Child<QWidget>(form, "btnOk"));
  });
  ASSERT_TRUE(result.Succeeded()) << result.error;
  ASSERT_FALSE(fake.messages.shown.empty());
  EXPECT_EQ(fake.messages.shown.back().text, u"3 replacement was made");
  EXPECT_EQ(Entity("ab")->TextString(), u"abab abab abab");
  EXPECT_EQ(doc->Undo().StepCount(), steps + 1);  // one undo step
  const std::vector<std::u16string> after = Strings();
  for (std::size_t i = 0; i < after.size(); ++i) {
    if (i != 6) {
      EXPECT_EQ(after[i], strings[i]) << kReadingOrder[i];
    }
  }
}

TEST_F(ReplaceEditor, ReplaceWhileAskingYesNoAllAndCancel) {
  const struct {
    std::u16string search, replacement;
    std::vector<MessageAnswer> answers;
    int count;
    std::vector<std::pair<int, std::u16string>> changed;  // memo line, its text afterwards
  } cases[] = {
      {u"X", u"YY", {MessageAnswer::No, MessageAnswer::Yes, MessageAnswer::No}, 1, {{5, u"aXaYYaX"}}},
      {u"X", u"Z", {MessageAnswer::No, MessageAnswer::All}, 2, {{5, u"aXaZaZ"}}},
      {u"ab", u"c", {MessageAnswer::Yes, MessageAnswer::Cancel}, 1, {{6, u"c ab ab"}}},
  };
  for (const auto& c : cases) {
    fake.messages.shown.clear();
    fake.messages.answers.assign(c.answers.begin(), c.answers.end());
    Lines expected;
    QPoint panel;
    Run([&](TfrmEditor& form, TCPMemo& memo) {
      expected = memo.Lines();
      for (const auto& [line, text] : c.changed) expected[static_cast<std::size_t>(line)] = text;
      Search(form, c.search, c.replacement);
      panel = Child<QWidget>(form, "pnlSearch")->mapToGlobal(QPoint(0, 0));
      Click(Child<QToolButton>(form, "ToolButton1"));
      EXPECT_EQ(memo.Lines(), expected);
      Click(Child<QWidget>(form, "Button1"));  // Cancel: nothing is written
    });
    ASSERT_EQ(fake.messages.shown.size(), c.answers.size() + 1);
    EXPECT_EQ(fake.messages.shown[0].text, u"Replace this occurrence?");
    EXPECT_EQ(fake.messages.shown[0].buttons, platform::MessageButtons::YesNoCancelAll);
    ASSERT_TRUE(fake.messages.shown[0].at.has_value());
    EXPECT_EQ(fake.messages.shown[0].at->x, panel.x());
    EXPECT_EQ(fake.messages.shown[0].at->y, panel.y());
    EXPECT_EQ(fake.messages.shown.back().text,
              std::u16string(1, static_cast<char16_t>(u'0' + c.count)) + u" replacement was made");
  }
}

// Hebrew typed in reading order finds and replaces Hebrew stored in every font type; each changed line goes
// back into its own entity in its own font type.
TEST_F(ReplaceEditor, HebrewReplacedInEveryFontTypeIsWrittenBackInEachEntitysOwnForm) {
  Lines lines;
  const auto result = Run([&](TfrmEditor& form, TCPMemo& memo) {
    Click(Child<QCheckBox>(form, "ChAll"));
    Click(Child<QToolButton>(form, "tbHeb"));
    for (const auto& [name, text] : {std::pair{"cbxsearch", u"1"}, std::pair{"cbxReplace", u"9 א"}}) {
      auto* box = Child<QComboBox>(form, name);
      box->setEditText({});
      TypeText(box, HebrewKeys(text));
    }
    Click(Child<QToolButton>(form, "ToolButton1"));
    lines = memo.Lines();
    Click(Child<QWidget>(form, "btnOk"));
  });
  // The locked text cannot be written; every other one is, and the command says so.
  EXPECT_FALSE(result.Succeeded());
  EXPECT_NE(result.error.find("1 changed text was not written back"), std::string::npos) << result.error;
  EXPECT_NE(result.error.find("locked"), std::string::npos) << result.error;
  int changed = 0;
  for (int i = 0; i < kLines - 1; ++i) {
    EXPECT_EQ(DosForm(kReadingOrder[i]), lines[static_cast<std::size_t>(i)]) << kReadingOrder[i];
    changed += lines[static_cast<std::size_t>(i)].find(u'1') == std::u16string::npos ? 1 : 0;
  }
  EXPECT_GE(changed, 5);
  EXPECT_FALSE(doc->Undo().GroupOpen());
}

TEST_F(ReplaceEditor, FindSelectsAndTheArrowsStepThroughTheFoundLines) {
  Run([&](TfrmEditor& form, TCPMemo& memo) {
    Search(form, u"1", u"");
    Click(Child<QToolButton>(form, "btnFind"));
    // "1" is in the attribute NAME, the DOS text, the key text ("21"), the TrueType text and the backwards one.
    const QString found = Child<QLabel>(form, "StatusPanel2")->text();
    EXPECT_TRUE(memo.isReadOnly());
    EXPECT_EQ(memo.CaretLine(), 0);
    EXPECT_EQ(memo.textCursor().selectedText(), "1");
    Click(Child<QToolButton>(form, "btnDown"));
    EXPECT_EQ(memo.CaretLine(), 2);
    Click(Child<QToolButton>(form, "btnDown"));
    EXPECT_EQ(memo.CaretLine(), 3);
    Click(Child<QToolButton>(form, "btnUp"));
    EXPECT_EQ(memo.CaretLine(), 2);
    EXPECT_TRUE(found.startsWith("Found ") && found.endsWith(" items")) << found.toStdString();
    Click(Child<QWidget>(form, "Button1"));
  });
}

TEST_F(ReplaceEditor, AddANumberReverseAndUndo) {
  const std::string before = Bytes();
  Run([&](TfrmEditor& form, TCPMemo& memo) {
    const Lines read = memo.Lines();
    auto* number = Child<QLineEdit>(form, "Edit1");
    TypeText(number, "abc");
    Click(Child<QToolButton>(form, "btnNumber"));
    EXPECT_EQ(fake.messages.shown.back().text, u"the input is wrong");
    EXPECT_EQ(memo.Lines(), read);
    number->clear();
    TypeText(number, "2.5");
    Click(Child<QToolButton>(form, "btnNumber"));
    EXPECT_EQ(memo.Line(2), u" 3.50המוק");
    EXPECT_EQ(memo.Line(5), read[5]);  // no number: left alone
    Click(Child<QToolButton>(form, "btn1"));
    EXPECT_EQ(memo.Line(6), u"ba ba ba");
    Click(Child<QToolButton>(form, "ToolButton4"));
    EXPECT_EQ(memo.Lines(), read);
    Click(Child<QWidget>(form, "btnOk"));
  });
  EXPECT_EQ(Bytes(), before);  // undone before "Ok": nothing to write
}

// After "#" or "Reverse" the lines typed into are tracked again: they are written back too.
TEST_F(ReplaceEditor, LinesTypedIntoAfterANumberOrReverseAreWrittenBack) {
  for (const char* button : {"btnNumber", "btn1"}) {
    Lines lines;
    Run([&](TfrmEditor& form, TCPMemo& memo) {
      Click(Child<QToolButton>(form, "tbEng"));
      TypeText(Child<QLineEdit>(form, "Edit1"), "1");
      Click(Child<QToolButton>(form, button));
      memo.Select(5, 0, 0);
      TypeText(&memo, "Z");
      lines = memo.Lines();
      Click(Child<QWidget>(form, "btnOk"));
    });
    EXPECT_EQ(Entity("win")->TextString(), lines[5]) << button;
    EXPECT_EQ(lines[5].front(), u'Z') << button;
  }
}

// A line typed into and typed back to what was read leaves its text exactly as it was, in every font type.
TEST_F(ReplaceEditor, ALineEditedBackToWhatWasReadIsNotWritten) {
  const std::string before = Bytes();
  const auto result = Run([&](TfrmEditor& form, TCPMemo& memo) {
    Click(Child<QToolButton>(form, "tbEng"));
    for (int line = 0; line < kLines; ++line) {
      memo.Select(line, 1, 0);
      TypeText(&memo, "Z");
      PressKey(&memo, Qt::Key_Backspace);
    }
    Click(Child<QWidget>(form, "btnOk"));
  });
  EXPECT_TRUE(result.Succeeded()) << result.error;
  EXPECT_EQ(Bytes(), before);
}

TEST_F(ReplaceEditor, CancelAfterReplacementsWritesNothing) {
  const std::string before = Bytes();
  Run([&](TfrmEditor& form, TCPMemo& memo) {
    Click(Child<QCheckBox>(form, "ChAll"));
    Search(form, u"a", u"b");
    Click(Child<QToolButton>(form, "ToolButton1"));
    EXPECT_NE(memo.Line(6), u"ab ab ab");
    Click(Child<QToolButton>(form, "btn1"));
    Click(Child<QWidget>(form, "Button1"));
  });
  EXPECT_EQ(Bytes(), before);
}

}  // namespace
}  // namespace zil::mtext::test
