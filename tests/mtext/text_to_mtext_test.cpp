// Picked single-line texts into one MText (HtoMtext), on drawings in the stand-in host, with the editor
// driven as a user drives it.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>

#include "mtext/dialogs/mtext_form.h"
#include "mtext/mtext_lines.h"
#include "mtext_fixtures.h"
#include "textcore/utf8.h"

namespace zil::mtext::test {
namespace {

using zil::test::Child;
using zil::test::WhenShown;
using Lines = std::vector<std::u16string>;

// The picked texts in reading order: the top line, then the middle line from the right, then the bottom.
const Lines kReadingOrder = {u"שורה ראשונה", u"ימין", u"שמאל", u"שורה אחרונה"};

class TextToMText : public OnDrawing {
 protected:
  // Picks the four texts, the one on the left of the middle line first.
  void PickAll() {
    Answer("pick " +
           textcore::ToUtf8(HandleOf("left") + u" " + HandleOf("bottom") + u" " + HandleOf("top") + u" " +
                            HandleOf("right")) +
           "\n");
  }
  bool Erased(const char* name) {
    try {
      Entity(name);
      return false;
    } catch (const acad::Error&) {
      return true;
    }
  }
};

TEST_F(TextToMText, ThePickedTextsOpenInReadingOrderAndOkReplacesThemByOneMText) {
  PickAll();
  const auto before = Handles();
  WhenShown<Tfrmmtext>([&](Tfrmmtext& form) {
    EXPECT_EQ(form.Lines(), kReadingOrder);
    EXPECT_EQ(Child<QLabel>(form, "StatusPanel0")->text(), "WIN");
    EXPECT_EQ(Child<QLabel>(form, "StatusPanel1")->text(), "TRI");
    EXPECT_EQ(Child<QLabel>(form, "StatusPanel2")->text(), "2");
    EXPECT_EQ(Child<QLineEdit>(form, "MaskEdit1")->text(), "3");
    EXPECT_TRUE(Child<QToolButton>(form, "btnL")->isChecked());  // the first text picked is left-aligned
    if (auto* box = Child<QCheckBox>(form, "CheckBox1"); box->isChecked()) Click(box);
    Click(Child<QWidget>(form, "BitBtn1"));
  });
  const auto result = object->HtoMtext();
  ASSERT_TRUE(result.Succeeded()) << result.error;

  for (const char* name : {"top", "right", "left", "bottom"}) EXPECT_TRUE(Erased(name)) << name;
  const auto added = AddedSince(before);
  ASSERT_EQ(added.size(), 1u);
  const acad::Entity& mtext = *added[0];
  // At the topmost text, with its height; in the style and on the layer of the first text picked.
  EXPECT_EQ(mtext.InsertionPoint(), acad::MakePoint(10, 30, 0));
  EXPECT_EQ(mtext.Height(), 2.0);
  EXPECT_EQ(mtext.StyleName(), u"WIN");
  EXPECT_EQ(mtext.Layer(), u"NOTES");
  EXPECT_EQ(mtext.AttachmentPoint(), 1);
  UseStyle(u"WIN");
  Lines read;
  for (const std::u16string& p : EditorParagraphs(mtext.TextString())) read.push_back(conv().AcadToEditWin(p));
  EXPECT_EQ(read, kReadingOrder);
  EXPECT_TRUE(doc->Sets().empty());  // "SSMText" is gone
  EXPECT_FALSE(doc->Undo().GroupOpen());
}

TEST_F(TextToMText, CancelAndASpacingThatIsNoNumberChangeNothing) {
  const std::string before = Bytes();
  for (const bool badSpacing : {false, true}) {
    PickAll();
    WhenShown<Tfrmmtext>([&](Tfrmmtext& form) {
      if (badSpacing) {
        if (auto* box = Child<QCheckBox>(form, "CheckBox1"); !box->isChecked()) Click(box);
        auto* spacing = Child<QLineEdit>(form, "MaskEdit1");
        spacing->clear();
        zil::test::TypeText(spacing, "abc");
        Click(Child<QWidget>(form, "BitBtn1"));
        // Said, and the form stays open with the lines.
        ASSERT_FALSE(fake.messages.shown.empty());
        EXPECT_EQ(fake.messages.shown.back().text, u"The line spacing \"abc\" is not a number");
        EXPECT_TRUE(form.isVisible());
        EXPECT_EQ(form.Lines(), kReadingOrder);
      }
      Click(Child<QWidget>(form, "BitBtn3"));
    });
    EXPECT_TRUE(object->HtoMtext().Succeeded());
    EXPECT_EQ(Bytes(), before);
    EXPECT_TRUE(doc->Sets().empty());
  }
  // Nothing picked: no editor, nothing changed.
  Answer("enter\n");
  EXPECT_TRUE(object->HtoMtext().Succeeded());
  EXPECT_EQ(Bytes(), before);
}

// The lines are written in the first picked text's style: they must be converted under its font type,
// whatever the drawing's active style is.
TEST_F(TextToMText, TheLinesAreWrittenUnderTheFontTypeOfTheStyleTheyAreWrittenIn) {
  doc->SetActiveTextStyle(doc->TextStyles()->Item(u"DOSHEB"));
  PickAll();
  const auto before = Handles();
  WhenShown<Tfrmmtext>([&](Tfrmmtext& form) {
    EXPECT_EQ(Child<QLabel>(form, "StatusPanel0")->text(), "WIN");
    EXPECT_EQ(Child<QLabel>(form, "StatusPanel1")->text(), "TRI");
    if (auto* box = Child<QCheckBox>(form, "CheckBox1"); box->isChecked()) Click(box);
    Click(Child<QWidget>(form, "BitBtn1"));
  });
  ASSERT_TRUE(object->HtoMtext().Succeeded());
  const auto added = AddedSince(before);
  ASSERT_EQ(added.size(), 1u);
  EXPECT_EQ(added[0]->StyleName(), u"WIN");
  UseStyle(u"WIN");
  Lines read;
  for (const std::u16string& p : EditorParagraphs(added[0]->TextString())) read.push_back(conv().AcadToEditWin(p));
  EXPECT_EQ(read, kReadingOrder);
}

TEST_F(TextToMText, TheWrittenAlignmentIsTheFirstTextsUnlessTheButtonsWereTurned) {
  // The first text picked is centred (code 1): "Align Right" is down; left as it is, exploded texts keep the
  // code; turned to "Align Left", they are left-aligned.
  Entity("left")->SetHorizontalAlignment(1);
  for (const bool turn : {false, true}) {
    PickAll();
    const auto before = Handles();
    WhenShown<Tfrmmtext>([&](Tfrmmtext& form) {
      EXPECT_TRUE(Child<QToolButton>(form, "btnR")->isChecked());
      if (turn) Click(Child<QToolButton>(form, "btnL"));
      if (auto* box = Child<QCheckBox>(form, "CheckBox1"); !box->isChecked()) Click(box);
      Click(Child<QWidget>(form, "BitBtn1"));
    });
    ASSERT_TRUE(object->HtoMtext().Succeeded());
    const auto added = AddedSince(before);
    ASSERT_EQ(added.size(), 4u);
    for (std::size_t i = 0; i < added.size(); ++i) {
      EXPECT_EQ(added[i]->HorizontalAlignment(), turn ? 0 : 1);
      EXPECT_NEAR(added[i]->InsertionPoint().y, 30 - 3.0 * static_cast<double>(i), 1e-9);
    }
    doc->Undo().Undo();
  }
}

TEST_F(TextToMText, ScreenshotOfThePickedTextsInTheEditorBesideTheDrawing) {
  PickAll();
  QImage picture;
  WhenShown<Tfrmmtext>([&](Tfrmmtext& form) {
    if (auto* box = Child<QCheckBox>(form, "CheckBox1"); box->isChecked()) Click(box);
    Click(Child<QToolButton>(form, "btnR"));
    picture = form.grab().toImage();
    Click(Child<QWidget>(form, "BitBtn1"));
  });
  ASSERT_TRUE(object->HtoMtext().Succeeded());
  SaveScreenshot(picture, Preview(), "text-to-mtext");
}

}  // namespace
}  // namespace zil::mtext::test
