// The MText editor on drawings in the stand-in host, driven as a user drives it: new MText in every font
// type, editing and exploding MText, the editor's controls, import and export of text files.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>

#include "mtext/dialogs/mtext_form.h"
#include "mtext/mtext_lines.h"
#include "mtext/mtext_writer.h"
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

const Lines kTyped = {u"קומה 2 (א)", u"מידות 120.5-3, [ב]"};

QString Q(const std::u16string& s) { return QString::fromStdU16String(s); }

// Types the lines into the editor as a user does with the Hebrew layout: Enter between lines.
void TypeLines(Tfrmmtext& form, const Lines& lines) {
  auto* memo = Child<QPlainTextEdit>(form, "Memo1");
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) PressKey(memo, Qt::Key_Return);
    TypeText(memo, HebrewKeys(lines[i]));
  }
}

void SetExplode(Tfrmmtext& form, bool explode) {
  auto* box = Child<QCheckBox>(form, "CheckBox1");
  if (box->isChecked() != explode) Click(box);
}

class MTextEditor : public OnDrawing {
 protected:
  // New MText at (10, 50) with the drawing's TEXTSIZE (Enter at the height prompt), typed in `style`.
  std::vector<acad::EntityPtr> TypeNewMText(const std::u16string& style, bool right, bool explode) {
    doc->SetActiveTextStyle(doc->TextStyles()->Item(style));
    Answer("point 10 50\nenter\n");
    const auto before = Handles();
    WhenShown<Tfrmmtext>([&](Tfrmmtext& form) {
      EXPECT_EQ(Child<QLabel>(form, "StatusPanel0")->text(), Q(style));
      EXPECT_EQ(Child<QLabel>(form, "StatusPanel2")->text(), "2.5");
      EXPECT_EQ(Child<QLineEdit>(form, "MaskEdit1")->text(), "3.75");
      SetExplode(form, explode);
      Click(Child<QToolButton>(form, right ? "btnR" : "btnL"));
      TypeLines(form, kTyped);
      Click(Child<QWidget>(form, "BitBtn1"));
    });
    const auto result = object->mtext(u"");
    EXPECT_TRUE(result.Succeeded()) << result.error;
    return AddedSince(before);
  }
};

TEST_F(MTextEditor, NewMTextInEveryFontTypeIsStoredAsTheConversionsGiveItAndOpensAsTyped) {
  const struct {
    std::u16string style;
    bool right;
  } cases[] = {{u"DOSHEB", true}, {u"KEYS", false}, {u"KEYSR", true},
               {u"WIN", false},   {u"TTF", true},   {u"BACK", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "style " << textcore::ToUtf8(c.style));
    const auto added = TypeNewMText(c.style, c.right, false);
    ASSERT_EQ(added.size(), 1u);
    const acad::EntityPtr mtext = added[0];
    EXPECT_EQ(input.prompts, Lines({u">Start point:", u"Height : <2.50>"}));
    UseStyle(c.style);
    EXPECT_EQ(mtext->TextString(), ToDrawing(kTyped[0]) + u"\\P" + ToDrawing(kTyped[1]) + u"\\P");
    EXPECT_EQ(mtext->StyleName(), c.style);
    EXPECT_EQ(mtext->AttachmentPoint(), c.right ? 3 : 1);
    EXPECT_EQ(mtext->Height(), 2.5);
    EXPECT_EQ(mtext->InsertionPoint(), acad::MakePoint(10, 50, 0));
    EXPECT_FALSE(doc->Undo().GroupOpen());

    bool shown = false;
    WhenShown<Tfrmmtext>([&](Tfrmmtext& form) {
      shown = true;
      EXPECT_EQ(form.Lines(), kTyped);
      EXPECT_EQ(Child<QToolButton>(form, "btnR")->isChecked(), c.right);
      Click(Child<QWidget>(form, "BitBtn3"));
    });
    EXPECT_TRUE(object->edit(mtext->Handle()).Succeeded());
    EXPECT_TRUE(shown);
  }
}

TEST_F(MTextEditor, ExplodedEveryLineIsATextStackedDownByTheSpacing) {
  for (const std::u16string style : {u"DOSHEB", u"KEYS", u"KEYSR", u"WIN", u"TTF", u"BACK"}) {
    for (const bool right : {true, false}) {
      SCOPED_TRACE(testing::Message() << textcore::ToUtf8(style) << (right ? " right" : " left"));
      const auto added = TypeNewMText(style, right, true);
      ASSERT_EQ(added.size(), kTyped.size());
      UseStyle(style);
      for (std::size_t i = 0; i < added.size(); ++i) {
        const acad::Entity& text = *added[i];
        EXPECT_EQ(text.ObjectName(), u"AcDbText");
        EXPECT_EQ(conv().AcadToEditWin(text.TextString()), kTyped[i]);
        EXPECT_EQ(text.StyleName(), style);
        EXPECT_EQ(text.Layer(), u"0");
        EXPECT_NEAR(text.InsertionPoint().y, 50 - 3.75 * static_cast<double>(i), 1e-9);
        if (right) {
          EXPECT_NEAR(text.GetBoundingBox().second.x, 10, 1e-6);  // ends at the placement point
        } else {
          EXPECT_NEAR(text.InsertionPoint().x, 10, 1e-9);
        }
      }
    }
  }
}

TEST_F(MTextEditor, AnMTextOpensWithoutItsFormatGroupOneLinePerParagraph) {
  const struct {
    const char* name;
    Lines lines;
    bool right;
  } cases[] = {{"group", {u"שלום (1)", u"עולם 2"}, false}, {"gap", {u"אחת", u"", u"שלוש"}, true}};
  for (const auto& c : cases) {
    WhenShown<Tfrmmtext>([&](Tfrmmtext& form) {
      EXPECT_EQ(form.Lines(), c.lines) << c.name;
      EXPECT_EQ(Child<QToolButton>(form, "btnR")->isChecked(), c.right);
      EXPECT_EQ(Child<QLabel>(form, "StatusPanel1")->text(), "tri.shx");
      EXPECT_EQ(Child<QLabel>(form, "StatusPanel2")->text(), "2");
      EXPECT_EQ(Child<QLineEdit>(form, "MaskEdit1")->text(), "3");
      Click(Child<QWidget>(form, "BitBtn3"));
    });
    EXPECT_TRUE(object->edit(HandleOf(c.name)).Succeeded());
  }
}

TEST_F(MTextEditor, OkWritesTheLinesBackAndExplodingLeavesTheEmptyLinesPlace) {
  // The width the group's MText needs: its longest line and "99" with its height.
  UseStyle(u"WIN");
  const acad::EntityPtr probe = doc->ModelSpace()->AddText(ToDrawing(u"שלום (1)") + u"99", {}, 2);
  const double width = BoxWidth(*probe);
  probe->Erase();
  const std::string before = Bytes();
  const std::size_t steps = doc->Undo().StepCount();

  // The group's MText: written back as its paragraphs, each followed by a mark, format group gone.
  WhenShown<Tfrmmtext>([&](Tfrmmtext& form) {
    SetExplode(form, false);
    Click(Child<QToolButton>(form, "btnR"));
    Click(Child<QWidget>(form, "BitBtn1"));
  });
  ASSERT_TRUE(object->edit(HandleOf("group")).Succeeded());
  const acad::EntityPtr group = Entity("group");
  EXPECT_EQ(group->TextString(), ToDrawing(u"שלום (1)") + u"\\P" + ToDrawing(u"עולם 2") + u"\\P");
  EXPECT_EQ(group->AttachmentPoint(), 3);
  EXPECT_EQ(group->StyleName(), u"WIN");
  EXPECT_NEAR(group->Width(), width, 1e-9);

  // The gap's MText exploded: two texts, the empty line leaving two spacings between them.
  const auto first = Handles();
  WhenShown<Tfrmmtext>([&](Tfrmmtext& form) {
    SetExplode(form, true);
    Click(Child<QToolButton>(form, "btnL"));
    Click(Child<QWidget>(form, "BitBtn1"));
  });
  const acad::Point at = Entity("gap")->InsertionPoint();
  ASSERT_TRUE(object->edit(HandleOf("gap")).Succeeded());
  EXPECT_THROW(Entity("gap"), acad::Error);
  const auto texts = AddedSince(first);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(conv().AcadToEditWin(texts[0]->TextString()), u"אחת");
  EXPECT_EQ(conv().AcadToEditWin(texts[1]->TextString()), u"שלוש");
  EXPECT_EQ(texts[0]->InsertionPoint(), at);
  EXPECT_NEAR(texts[1]->InsertionPoint().y, at.y - 2 * 3.0, 1e-9);
  EXPECT_EQ(texts[1]->StyleName(), u"WIN");
  EXPECT_EQ(texts[1]->Height(), 2.0);
  EXPECT_FALSE(doc->Undo().GroupOpen());

  // Each edit is one undo step.
  ASSERT_EQ(doc->Undo().StepCount(), steps + 2);
  doc->Undo().Undo();
  doc->Undo().Undo();
  EXPECT_EQ(Bytes(), before);
}

TEST_F(MTextEditor, AnMTextOfTheDrawingOpensWithExplodeUncheckedAndTheSettingKeepsForNewOnes) {
  // Explode set to checked: OK on an MText of the drawing still writes it back as the one MText.
  ASSERT_EQ(addin.frmFonts().inistr.expld, -1);
  WhenShown<Tfrmmtext>([&](Tfrmmtext& form) {
    EXPECT_FALSE(Child<QCheckBox>(form, "CheckBox1")->isChecked());
    EXPECT_FALSE(Child<QLineEdit>(form, "MaskEdit1")->isEnabled());
    TypeLines(form, {u"שינוי"});
    Click(Child<QWidget>(form, "BitBtn1"));
  });
  ASSERT_TRUE(object->edit(HandleOf("group")).Succeeded());
  EXPECT_EQ(Entity("group")->ObjectName(), u"AcDbMText");
  EXPECT_EQ(addin.frmFonts().inistr.expld, -1);

  // Exploding one is the user's choice and stays with it: the setting is left as it was.
  addin.frmFonts().inistr.expld = 0;
  WhenShown<Tfrmmtext>([&](Tfrmmtext& form) {
    SetExplode(form, true);
    Click(Child<QWidget>(form, "BitBtn3"));
  });
  ASSERT_TRUE(object->edit(HandleOf("gap")).Succeeded());
  EXPECT_EQ(addin.frmFonts().inistr.expld, 0);

  // A new MText starts as the setting says.
  addin.frmFonts().inistr.expld = -1;
  Answer("point 0 0\nenter\n");
  WhenShown<Tfrmmtext>([&](Tfrmmtext& form) {
    EXPECT_TRUE(Child<QCheckBox>(form, "CheckBox1")->isChecked());
    EXPECT_TRUE(Child<QLineEdit>(form, "MaskEdit1")->isEnabled());
    Click(Child<QWidget>(form, "BitBtn3"));
  });
  EXPECT_TRUE(object->mtext(u"").Succeeded());
}

TEST_F(MTextEditor, CancelAndAnEmptyEditorLeaveTheMTextAsItWas) {
  const std::string before = Bytes();
  for (const bool empty : {false, true}) {
    WhenShown<Tfrmmtext>([&](Tfrmmtext& form) {
      TypeLines(form, {u"שינוי"});
      if (empty) {
        Child<QPlainTextEdit>(form, "Memo1")->selectAll();
        PressKey(Child<QPlainTextEdit>(form, "Memo1"), Qt::Key_Delete);
        EXPECT_TRUE(form.Lines().empty());
      }
      Click(Child<QWidget>(form, empty ? "BitBtn1" : "BitBtn3"));
    });
    EXPECT_TRUE(object->edit(HandleOf("group")).Succeeded());
    EXPECT_EQ(Bytes(), before);
  }
}

TEST_F(MTextEditor, ACancelledPromptEndsTheCommandBeforeAnythingIsWritten) {
  const std::string before = Bytes();
  for (const char* answers : {"cancel\n", "point 1 1\ncancel\n"}) {
    Answer(answers);
    const auto result = object->mtext(u"");
    EXPECT_FALSE(result.Succeeded()) << answers;
    EXPECT_NE(result.error.find("cancelled"), std::string::npos) << result.error;
    EXPECT_FALSE(doc->Undo().GroupOpen()) << answers;
    EXPECT_EQ(Bytes(), before);
  }
}

TEST_F(MTextEditor, TheSpacingArrowsTheCodeButtonsExplodeAndTheKeyboard) {
  Answer("point 0 0\ndistance 2.5\n");
  addin.frmFonts().inistr.expld = 0;
  WhenShown<Tfrmmtext>([&](Tfrmmtext& form) {
    auto* memo = Child<QPlainTextEdit>(form, "Memo1");
    auto* spacing = Child<QLineEdit>(form, "MaskEdit1");
    EXPECT_FALSE(Child<QCheckBox>(form, "CheckBox1")->isChecked());
    EXPECT_FALSE(spacing->isEnabled());
    SetExplode(form, true);
    EXPECT_TRUE(spacing->isEnabled());
    EXPECT_TRUE(Child<QWidget>(form, "SpinButton1")->isEnabled());
    Click(Child<QToolButton>(form, "UpButton"));
    EXPECT_EQ(spacing->text(), "4");
    Click(Child<QToolButton>(form, "DownButton"));
    Click(Child<QToolButton>(form, "DownButton"));
    EXPECT_EQ(spacing->text(), "3.5");

    // Hebrew from the start; English from its button; the codes at the caret.
    EXPECT_TRUE(Child<QToolButton>(form, "btnHeb")->isChecked());
    EXPECT_TRUE(textcore::KeyboardIsHebrew(fake.keyboard));
    TypeText(memo, "akuo");
    Click(Child<QToolButton>(form, "btnEng"));
    EXPECT_FALSE(Child<QToolButton>(form, "btnHeb")->isChecked());
    EXPECT_FALSE(textcore::KeyboardIsHebrew(fake.keyboard));
    memo->setFocus();
    TypeText(memo, " R");
    for (const char* code : {"ToolButton3", "ToolButton7", "ToolButton8"}) Click(Child<QToolButton>(form, code));
    EXPECT_EQ(form.Lines(), Lines({u"שלום R%%d%%p%%c"}));

    // A layout picked outside the buttons presses its button.
    textcore::HebrewKeyboard(fake.keyboard);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Child<QToolButton>(form, "btnHeb")->isChecked(); }, 2000));
    Click(Child<QWidget>(form, "BitBtn3"));
  });
  EXPECT_TRUE(object->mtext(u"").Succeeded());
  EXPECT_FALSE(textcore::KeyboardIsHebrew(fake.keyboard));
  EXPECT_EQ(addin.frmFonts().inistr.expld, -1);  // "Explode" was left checked
}

TEST_F(MTextEditor, ImportedHebrewLinesExportExactly) {
  const std::string file = "קומה 2 (א)\n\nמידות 120.5-3, [ב]\n";
  fake.files.answers = {work / "in.txt", work / "out.txt"};
  work.Write("in.txt", file);
  Answer("point 0 0\nenter\n");
  WhenShown<Tfrmmtext>([&](Tfrmmtext& form) {
    TypeLines(form, {u"נמחק"});
    Click(Child<QToolButton>(form, "btnOPen"));
    EXPECT_EQ(form.Lines(), Lines({u"קומה 2 (א)", u"", u"מידות 120.5-3, [ב]"}));
    Click(Child<QToolButton>(form, "btnSave"));
    Click(Child<QWidget>(form, "BitBtn3"));
  });
  EXPECT_TRUE(object->mtext(u"").Succeeded());
  EXPECT_EQ(zil::test::TempFolder::Read(work / "out.txt"), file);
  ASSERT_EQ(fake.files.asked.size(), 2u);
  EXPECT_EQ(fake.files.asked[0].choice.filter, u"Text files(*.txt)|*.txt|All files|*.*");
  EXPECT_TRUE(fake.files.asked[1].save);
}

TEST_F(MTextEditor, ScreenshotOfANewMTextBesideTheDrawing) {
  doc->SetActiveTextStyle(doc->TextStyles()->Item(u"WIN"));
  Answer("point 40 0\nenter\n");
  QImage picture;
  WhenShown<Tfrmmtext>([&](Tfrmmtext& form) {
    SetExplode(form, false);
    TypeLines(form, kTyped);
    picture = form.grab().toImage();
    Click(Child<QWidget>(form, "BitBtn1"));
  });
  ASSERT_TRUE(object->mtext(u"").Succeeded());
  SaveScreenshot(picture, Preview(), "mtext-editor-new");
}

}  // namespace
}  // namespace zil::mtext::test
