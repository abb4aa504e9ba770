// The single-line text dialog on a drawing in the stand-in host, driven with key events as a user types
// (Hebrew through the Hebrew layout's keys), through the automation members newtext, edit and block.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QToolButton>
#include <cmath>

#include "acad/error.h"
#include "text_dialog_fixture.h"
#include "textcore/codepage.h"

namespace zil::textdialog::test {
namespace {

using zil::test::Child;
using zil::test::PressKey;

QString Q(std::u16string_view s) { return QString::fromStdU16String(std::u16string(s)); }
std::u16string U(const QString& s) { return s.toStdU16String(); }

const QString kShalom = QString::fromUtf8("שלום");

// Types into a box of the tool bar and leaves it for `editor`, as a user moves on.
void SetBox(Thtext& form, const char* box, const QString& text, const char* editor = "Edit1") {
  auto* line = Child<QLineEdit>(form, box);
  line->setFocus();
  line->selectAll();
  TypeKeys(line, text);
  Editor(form, editor)->setFocus();
}

void ChooseStyle(Thtext& form, const QString& name) {
  for (QAction* item : Child<QMenu>(form, "pupSt")->actions()) {
    if (item->data().toString() != name) continue;
    item->trigger();
    return;
  }
  ADD_FAILURE() << "no style " << name.toStdString() << " in the menu";
}

// Chooses an item of the justification list with the keyboard.
void ChooseJustification(Thtext& form, int index) {
  auto* list = Child<QComboBox>(form, "cbxJust");
  list->setFocus();
  list->setCurrentIndex(index == 0 ? 1 : index - 1);
  PressKey(list, index == 0 ? Qt::Key_Up : Qt::Key_Down);
  ASSERT_EQ(list->currentIndex(), index);
}

QString BoxText(Thtext& form, const char* box) { return Child<QLineEdit>(form, box)->text(); }

void ExpectSamePoint(const acad::Point& a, const acad::Point& b) {
  EXPECT_NEAR(a.x, b.x, 1e-9);
  EXPECT_NEAR(a.y, b.y, 1e-9);
  EXPECT_NEAR(a.z, b.z, 1e-9);
}

TEST_F(TextDialogTest, TypingWritesTheDrawingFormOfTheEditorsTextAtEveryKeystroke) {
  const struct {
    const char16_t* style;
    fntType type;
    bool backwards;
  } styles[] = {
      {u"DosHeb", DosHebrew, false}, {u"Keys", DosEnglish, false}, {u"KeysR", DosEnglishR, false},
      {u"Win", WindowsHeb, false},   {u"Arial", TrueType, false},  {u"Back", DosEnglish, true},
  };
  Start();
  for (const auto& style : styles) {
    for (const bool storedOrder : {false, true}) {
      SCOPED_TRACE(QString::fromStdU16String(style.style).toStdString() + (storedOrder ? ", stored order" : ""));
      addin->frmFonts().inistr.curmapn = storedOrder ? 0 : 1;
      UseStyle(style.style);
      const std::u16string handle = Place();
      const Conversions c(style.type, style.backwards);
      const char* name = storedOrder ? "EditDos" : "Edit1";
      QString typed;
      Run(u"newtext", handle, [&](Thtext& form) {
        EXPECT_TRUE(Editor(form, name)->isVisible());
        const auto written = [&] {
          const std::u16string text = U(EditorText(form, name));
          EXPECT_EQ(Entity(handle)->TextString(),
                    storedOrder ? c.conv.EditToacadDos(text) : c.conv.EditToacadWin(text, c.reverseTTF))
              << "editor: " << EditorText(form, name).toStdString();
        };
        // Hebrew letters from the Hebrew layout's keys, a space, digits and brackets; then Latin capitals.
        TypeKeys(Editor(form, name), QStringLiteral("akuo (12)"), written);
        Click(form, "tbEng");
        TypeKeys(Editor(form, name), QStringLiteral(" AB"), written);
        typed = EditorText(form, name);
        Click(form, "btnOk");
      });
      const std::u16string stored = Entity(handle)->TextString();
      EXPECT_EQ(storedOrder ? c.conv.AcadToEditDos(stored) : c.conv.AcadToEditWin(stored), U(typed));
      if (!storedOrder) {
        EXPECT_EQ(typed, kShalom + QStringLiteral(" (12) AB"));
      }
    }
  }
}

TEST_F(TextDialogTest, CancelLeavesTheDrawingAsItWasBeforeTheCommand) {
  Start();
  UseStyle(u"Keys");
  // A new text: typed, given a height, continued on a new line in another style, then cancelled. The
  // first "U " takes back the dialog's work, the second the placing of the text.
  std::string before = Bytes();
  std::u16string handle = Place();
  Run(u"newtext", handle, [&](Thtext& form) {
    TypeKeys(Editor(form, "Edit1"), QStringLiteral("akuo"));
    SetBox(form, "edH", QStringLiteral("5"));
    EXPECT_EQ(Entity(handle)->Height(), 5);
    Click(form, "btnNext");
    TypeKeys(Editor(form, "Edit1"), QStringLiteral("cd 12"));
    ChooseStyle(form, QStringLiteral("Win"));
    EXPECT_NE(Bytes(), before);
    Click(form, "BitBtn2");
  });
  ASSERT_EQ(ran.size(), 2u);
  for (const standin::CommandReport& report : ran) {
    EXPECT_EQ(report.text, u"U ");
    EXPECT_EQ(report.error, "");
  }
  EXPECT_EQ(Bytes(), before);

  // An existing text: its new text, height, angle and justification, then Escape. One "U ".
  before = Bytes();
  Run(u"edit", Handle("keys"), [&](Thtext& form) {
    TypeKeys(Editor(form, "Edit1"), QStringLiteral("cd"));
    SetBox(form, "edH", QStringLiteral("4"));
    SetBox(form, "edAng", QStringLiteral("45"));
    ChooseJustification(form, 5);
    EXPECT_NE(Bytes(), before);
    PressKey(Editor(form, "Edit1"), Qt::Key_Escape);
  });
  ASSERT_EQ(ran.size(), 1u);
  EXPECT_EQ(ran[0].text, u"U ");
  EXPECT_EQ(Bytes(), before);

  // OK with nothing typed on a new text is Cancel.
  before = Bytes();
  handle = Place();
  Run(u"newtext", handle, [&](Thtext& form) { Click(form, "btnOk"); });
  EXPECT_EQ(ran.size(), 2u);
  EXPECT_EQ(Bytes(), before);
}

TEST_F(TextDialogTest, OkOnAnEmptyNewLineDropsThatLineAndKeepsTheLinesWrittenBefore) {
  Start();
  UseStyle(u"Keys");
  const Conversions keys(DosEnglish, false);
  const std::u16string first = Place();
  std::u16string second, empty;
  Run(u"newtext", first, [&](Thtext& form) {
    TypeKeys(Editor(form, "Edit1"), QStringLiteral("akuo"));
    Click(form, "btnNext");
    second = form.Session().eText->Handle();
    TypeKeys(Editor(form, "Edit1"), QStringLiteral("cd"));
    Click(form, "btnNext");
    empty = form.Session().eText->Handle();
    Click(form, "btnOk");
  });
  EXPECT_TRUE(ran.empty()) << "nothing is undone";
  EXPECT_EQ(Entity(first)->TextString(), keys.conv.EditToacadWin(U(kShalom), keys.reverseTTF));
  EXPECT_EQ(Entity(second)->TextString(), keys.conv.EditToacadWin(u"בג", keys.reverseTTF));
  EXPECT_THROW(Entity(empty), acad::Error);

  // The same on an existing text: the text keeps what it had, the empty copy goes.
  const std::u16string text = Entity(Handle("keys"))->TextString();
  Run(u"edit", Handle("keys"), [&](Thtext& form) {
    Click(form, "btnNext");
    empty = form.Session().eText->Handle();
    Click(form, "btnOk");
  });
  EXPECT_TRUE(ran.empty());
  EXPECT_EQ(Entity(Handle("keys"))->TextString(), text);
  EXPECT_THROW(Entity(empty), acad::Error);
}

TEST_F(TextDialogTest, NewLineContinuesOneAndAHalfHeightsLowerInWorldYAlsoWhenTurned) {
  Start();
  UseStyle(u"Keys");
  for (const double degrees : {0.0, 30.0}) {
    SCOPED_TRACE(degrees);
    const std::u16string handle = Place({10, -20, 0}, 2.5);
    Entity(handle)->SetRotation(degrees * M_PI / 180);
    Run(u"newtext", handle, [&](Thtext& form) {
      TypeKeys(Editor(form, "Edit1"), QStringLiteral("a"));
      Click(form, "btnNext");
      const acad::EntityPtr copy = form.Session().eText;
      ASSERT_NE(copy->Handle(), handle);
      acad::Point expected = Entity(handle)->InsertionPoint();
      expected.y -= 3.75;
      ExpectSamePoint(copy->InsertionPoint(), expected);
      EXPECT_NEAR(copy->Rotation(), degrees * M_PI / 180, 1e-9);
      EXPECT_EQ(copy->TextString(), u"") << "the new line starts empty";
      Click(form, "BitBtn2");
    });
  }
}

TEST_F(TextDialogTest, AJustificationKeepsTheTextWhereItWas) {
  const std::u16string handle = Handle("keys");
  const auto box = Entity(handle)->GetBoundingBox();
  Run(u"edit", handle, [&](Thtext& form) {
    EXPECT_EQ(Child<QComboBox>(form, "cbxJust")->currentText(), QStringLiteral("Left"));
    ChooseJustification(form, 5);  // "Top Center"
    EXPECT_EQ(Entity(handle)->HorizontalAlignment(), 1);
    EXPECT_EQ(Entity(handle)->VerticalAlignment(), 3);
    ExpectSamePoint(Entity(handle)->GetBoundingBox().first, box.first);
    ExpectSamePoint(Entity(handle)->GetBoundingBox().second, box.second);
    Click(form, "btnOk");
  });
  EXPECT_EQ(Entity(handle)->HorizontalAlignment(), 1);
  EXPECT_EQ(Entity(handle)->VerticalAlignment(), 3);
  ExpectSamePoint(Entity(handle)->GetBoundingBox().first, box.first);
}

TEST_F(TextDialogTest, ANewTextOpensWithItsStylesHeightFontTypeAndStartJustification) {
  const struct {
    const char16_t* style;
    const char* height;
    bool red;
    const char* justification;
    const char* fontType;
  } cases[] = {
      {u"Fixed", "5.00", true, "Right", "Dos Hebrew"},  // the style's own height, in red
      {u"Keys", "2.50", false, "Right", "Dos English"},
      {u"Back", "2.50", false, "Left", "Dos English"},  // backwards text starts at its left
      {u"Arial", "2.50", false, "Right", "True Type"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(QString::fromStdU16String(c.style).toStdString());
    UseStyle(c.style);
    const std::u16string handle = Place({0, 0, 0}, 2.5);
    Run(u"newtext", handle, [&](Thtext& form) {
      EXPECT_EQ(BoxText(form, "edH"), QString::fromLatin1(c.height));
      EXPECT_EQ(Child<QLineEdit>(form, "edH")->palette().color(QPalette::Text) == Qt::red, c.red);
      EXPECT_EQ(BoxText(form, "edAng"), QStringLiteral("0.0"));
      EXPECT_EQ(Child<QComboBox>(form, "cbxJust")->currentText(), QString::fromLatin1(c.justification));
      EXPECT_EQ(BoxText(form, "edt1"), QString::fromLatin1(c.fontType));
      EXPECT_EQ(form.windowTitle(), QStringLiteral("  Style: ") + Q(c.style) + QStringLiteral("; Font: ") +
                                        Q(doc->TextStyles()->Item(c.style)->FontFile()));
      EXPECT_EQ(Entity(handle)->HorizontalAlignment(), 0) << "the start justification waits for OK";
      Click(form, "BitBtn2");
    });
  }
}

TEST_F(TextDialogTest, TheLanguageButtonsFollowTheLayoutAndClosingReturnsToEnglish) {
  UseStyle(u"Keys");
  Run(u"newtext", Place(), [&](Thtext& form) {
    EXPECT_EQ(keyboard.Active(), kHebrew);
    EXPECT_TRUE(Child<QToolButton>(form, "tbHeb")->isChecked());
    // A third language while the Hebrew button is down flips the dialog to English.
    keyboard.Activate(kRussian, platform::kActivateReorder);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Child<QToolButton>(form, "tbEng")->isChecked(); }, 2000));
    EXPECT_EQ(keyboard.Active(), kUs);
    Click(form, "tbHeb");
    EXPECT_EQ(keyboard.Active(), kHebrew);
    TypeKeys(Editor(form, "Edit1"), QStringLiteral("a"));
    EXPECT_EQ(EditorText(form, "Edit1"), QString::fromUtf8("ש"));
    Click(form, "btnOk");
  });
  EXPECT_EQ(keyboard.Active(), kUs);
}

TEST_F(TextDialogTest, TheStoredOrderEditorTypesHebrewRightToLeftAndDigitsInReadingOrder) {
  Start();
  addin->frmFonts().inistr.curmapn = 0;
  UseStyle(u"Win");
  const std::u16string handle = Place();
  Run(u"newtext", handle, [&](Thtext& form) {
    QWidget* editor = Editor(form, "EditDos");
    EXPECT_EQ(Child<QLabel>(form, "StatusPanel0")->text(), QStringLiteral("Dos Screen Editor"));
    TypeKeys(editor, QStringLiteral("tcd"));  // alef, bet, gimel: the last typed leftmost
    EXPECT_EQ(EditorText(form, "EditDos"), QString::fromUtf8("גבא"));
    TypeKeys(editor, QStringLiteral("12"));  // the digits read left to right, to the left of the letters
    EXPECT_EQ(EditorText(form, "EditDos"), QString::fromUtf8("12גבא"));
    TypeKeys(editor, QStringLiteral("s"));  // dalet, to the left of the digits
    EXPECT_EQ(EditorText(form, "EditDos"), QString::fromUtf8("ד12גבא"));
    // Backspace removes the character before the caret in right-to-left reading: the dalet just typed.
    PressKey(editor, Qt::Key_Backspace);
    EXPECT_EQ(EditorText(form, "EditDos"), QString::fromUtf8("12גבא"));
    PressKey(editor, Qt::Key_Return);  // OK
  });
  const Conversions windows(WindowsHeb, false);
  EXPECT_EQ(windows.conv.AcadToEditWin(Entity(handle)->TextString()), u"אבג12");
}

TEST_F(TextDialogTest, ADimensionEditsItsOverrideInTheTextStyleOfItsOwnDimensionStyle) {
  const Conversions windows(WindowsHeb, false);
  // No override: "<>" in edit form, written back by OK.
  Run(u"edit", Handle("dim"), [&](Thtext& form) {
    EXPECT_EQ(EditorText(form, "Edit1"), Q(windows.conv.AcadToEditWin(u"<>")));
    EXPECT_EQ(BoxText(form, "edt1"), QStringLiteral("Windows"));  // "HebDim" names "Win"
    EXPECT_EQ(BoxText(form, "edH"), QString());
    EXPECT_EQ(form.windowTitle(), QStringLiteral("  Style: HebDim; Font: veltro1.shx"));
    Click(form, "btnOk");
  });
  EXPECT_EQ(Entity(Handle("dim"))->TextOverride(), u"<>");
  EXPECT_EQ(doc->ActiveDimStyle()->Name(), u"Standard");
  EXPECT_EQ(std::get<std::u16string>(doc->GetVariable(u"DIMTXSTY")), u"Standard");

  // An override is read and written in the Windows font's form.
  Run(u"edit", Handle("dim_override"), [&](Thtext& form) {
    EXPECT_EQ(EditorText(form, "Edit1"), Q(windows.conv.AcadToEditWin(u"ouka")));
    TypeKeys(Editor(form, "Edit1"), QStringLiteral("akuo"));
    EXPECT_EQ(Entity(Handle("dim_override"))->TextOverride(),
              windows.conv.EditToacadWin(U(kShalom), windows.reverseTTF));
    Click(form, "btnOk");
  });
  EXPECT_EQ(Entity(Handle("dim_override"))->TextOverride(), windows.conv.EditToacadWin(U(kShalom), windows.reverseTTF));
}

class TextDialogOnAMissingTextStyle : public TextDialogTest {
 protected:
  TextDialogOnAMissingTextStyle() : TextDialogTest("gone_text_style.dxf") {}
};

TEST_F(TextDialogOnAMissingTextStyle, ADimensionWhoseStyleNamesNoTextStyleOpensAndTheCurrentDimensionStyleStays) {
  const automation::CallResult result = Run(u"edit", Handle("dim_plain"), [&](Thtext& form) {
    EXPECT_EQ(BoxText(form, "edt1"), QStringLiteral("Dos Hebrew"));  // "Standard", the current one's
    Click(form, "btnOk");
  });
  EXPECT_EQ(result.hr, automation::S_OK) << result.error;
  EXPECT_EQ(doc->ActiveDimStyle()->Name(), u"Standard");
}

TEST_F(TextDialogTest, AnAttributeGetsItsTextOnly) {
  const std::u16string handle = Handle("attrib");
  const double height = Entity(handle)->Height();
  const auto box = Entity(handle)->GetBoundingBox();
  Run(u"block", handle, [&](Thtext& form) {
    EXPECT_EQ(BoxText(form, "edH"), QString());
    EXPECT_EQ(BoxText(form, "edAng"), QString());
    EXPECT_EQ(EditorText(form, "Edit1"), kShalom);
    TypeKeys(Editor(form, "Edit1"), QStringLiteral("cd"));
    PressKey(Editor(form, "Edit1"), Qt::Key_Return);  // OK, the default button
  });
  const Conversions keys(DosEnglish, false);
  EXPECT_EQ(Entity(handle)->TextString(), keys.conv.EditToacadWin(u"בג", keys.reverseTTF));
  EXPECT_EQ(Entity(handle)->Height(), height);
  EXPECT_EQ(Entity(handle)->HorizontalAlignment(), 0);
  ExpectSamePoint(Entity(handle)->GetBoundingBox().first, box.first);
}

TEST_F(TextDialogTest, AltDigitsTypeAutoCadsCodesInTheWindowsEditor) {
  UseStyle(u"Keys");
  Run(u"newtext", Place(), [&](Thtext& form) {
    QWidget* editor = Editor(form, "Edit1");
    PressKey(editor, Qt::Key_7, Qt::AltModifier);
    EXPECT_EQ(EditorText(form, "Edit1"), QStringLiteral("%%157"));
    PressKey(editor, Qt::Key_1, Qt::AltModifier);
    EXPECT_EQ(EditorText(form, "Edit1"), QStringLiteral("%%157")) << "Alt+1 types nothing";
    PressKey(editor, Qt::Key_0, Qt::AltModifier);
    EXPECT_EQ(EditorText(form, "Edit1"), QStringLiteral("%%157%%160"));
    Click(form, "BitBtn2");
  });
  // In a dimension's text, the Unicode escapes.
  Run(u"edit", Handle("dim"), [&](Thtext& form) {
    PressKey(Editor(form, "Edit1"), Qt::Key_7, Qt::AltModifier);
    EXPECT_EQ(EditorText(form, "Edit1"), QStringLiteral("\\U+009D"));
    Click(form, "BitBtn2");
  });
}

TEST_F(TextDialogTest, KeyTextsTypeInTheWindowsEditorOnly) {
  // F1: קיר (in Windows-1255), Alt+7: a text of its own instead of the code.
  dir.Write("editdef.txt", "[FKeys]\r\nF1=\xf7\xe9\xf8\r\n[Alt]\r\n7=AB\r\n");
  UseStyle(u"Keys");
  Run(u"newtext", Place(), [&](Thtext& form) {
    PressKey(Editor(form, "Edit1"), Qt::Key_F1);
    EXPECT_EQ(EditorText(form, "Edit1"), QString::fromUtf8("קיר"));
    PressKey(Editor(form, "Edit1"), Qt::Key_7, Qt::AltModifier);
    EXPECT_EQ(EditorText(form, "Edit1"), QString::fromUtf8("קירAB"));
    QTest::mouseClick(Child<QLabel>(form, "StatusPanel0"), Qt::LeftButton);  // to the stored-order editor
    const QString stored = EditorText(form, "EditDos");
    PressKey(Editor(form, "EditDos"), Qt::Key_F1);
    EXPECT_EQ(EditorText(form, "EditDos"), stored);
    Click(form, "BitBtn2");
  });
}

TEST_F(TextDialogTest, TheButtonsOfASymbolFontTypeItsCodes) {
  UseStyle(u"Sym");  // hebsym: b1 176, b2 0, b3 171, b4 200, the rest 0
  Run(u"newtext", Place(), [&](Thtext& form) {
    const bool shown[] = {true, false, true, true, false, false, false, false, false, false, false, false, false};
    for (int i = 0; i < 13; ++i) {
      const std::string name = "tb" + std::to_string(i + 1);
      EXPECT_EQ(Child<QToolButton>(form, name.c_str())->isVisible(), shown[i]) << name;
    }
    Click(form, "tb3");
    EXPECT_EQ(EditorText(form, "Edit1"), QStringLiteral("%%171"));
    Click(form, "ToolButton10");
    EXPECT_EQ(EditorText(form, "Edit1"), QStringLiteral("%%171%%u"));
    // Another style's font is no symbol font: the buttons type their own codes again.
    ChooseStyle(form, QStringLiteral("Keys"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !Child<QToolButton>(form, "tb4")->isVisible(); }, 2000));
    Click(form, "tb1");
    EXPECT_EQ(EditorText(form, "Edit1"), QStringLiteral("%%171%%u%%d"));
    Click(form, "BitBtn2");
  });
  // A dimension's text takes the escape form, with lower-case digits.
  Run(u"edit", Handle("dim_sym"), [&](Thtext& form) {
    Click(form, "tb3");
    EXPECT_EQ(EditorText(form, "Edit1"), QStringLiteral("\\U+00ab"));
    Click(form, "BitBtn2");
  });
}

TEST_F(TextDialogTest, AnUnknownHandleFailsTheMemberAndLeavesTheDrawingAsItWas) {
  Start();
  const std::string before = Bytes();
  for (const char16_t* member : {u"newtext", u"edit", u"block"}) {
    SCOPED_TRACE(QString::fromStdU16String(member).toStdString());
    const automation::CallResult result = Run(member, u"FFFFF", [](Thtext& form) { form.reject(); });
    EXPECT_NE(result.hr, automation::S_OK);
    EXPECT_NE(result.error.find("FFFFF"), std::string::npos) << result.error;
    EXPECT_EQ(Bytes(), before);
    EXPECT_FALSE(doc->Undo().GroupOpen()) << "the undo group is left open";
    EXPECT_EQ(keyboard.Active(), kUs);
  }
}

TEST_F(TextDialogTest, TheFontTypeSpinButtonCyclesTheTypeAndOkRecordsItForTheFont) {
  for (const char* arrow : {"btn1Up", "btn1Down"}) {
    SCOPED_TRACE(arrow);
    UseStyle(u"Arial");
    const std::u16string handle = Place();
    Run(u"newtext", handle, [&](Thtext& form) {
      EXPECT_EQ(BoxText(form, "edt1"), QStringLiteral("True Type"));
      TypeKeys(Editor(form, "Edit1"), QStringLiteral("akuo"));
      Click(form, arrow);
      EXPECT_EQ(BoxText(form, "edt1"), QStringLiteral("Dos Hebrew"));
      EXPECT_EQ(Entity(handle)->TextString(), Conversions(DosHebrew, false).conv.EditToacadWin(U(kShalom), false));
      Click(form, "btnOk");
    });
    EXPECT_NE(zil::test::TempFolder::Read(dir / "HebFonts.txt").find("ARIAL=DosHebrew"), std::string::npos);
  }
}

TEST_F(TextDialogTest, ChoosingAStyleWritesTheTextForItsFontAndTheEditorsSwitchOnIt) {
  Start();
  UseStyle(u"Keys");
  const std::u16string handle = Place();
  Run(u"newtext", handle, [&](Thtext& form) {
    TypeKeys(Editor(form, "Edit1"), QStringLiteral("akuo"));
    // A style whose only font is a big font is classified by it, as when the dialog opens.
    ChooseStyle(form, QStringLiteral("BigOnly"));
    EXPECT_EQ(BoxText(form, "edt1"), QStringLiteral("Dos English"));
    EXPECT_EQ(Entity(handle)->StyleName(), u"BigOnly");
    EXPECT_EQ(std::get<std::u16string>(doc->GetVariable(u"TEXTSTYLE")), u"BigOnly");
    ChooseStyle(form, QStringLiteral("Win"));
    const Conversions windows(WindowsHeb, false);
    EXPECT_EQ(Entity(handle)->TextString(), windows.conv.EditToacadWin(U(kShalom), windows.reverseTTF));
    // The status bar switches to the stored-order editor and back, showing the text the style was given.
    QTest::mouseClick(Child<QLabel>(form, "StatusPanel0"), Qt::LeftButton);
    EXPECT_EQ(EditorText(form, "EditDos"), Q(windows.conv.AcadToEditDos(Entity(handle)->TextString())));
    EXPECT_EQ(Child<QLabel>(form, "StatusPanel0")->text(), QStringLiteral("Dos Screen Editor"));
    QTest::mouseClick(Child<QLabel>(form, "StatusPanel0"), Qt::LeftButton);
    EXPECT_EQ(EditorText(form, "Edit1"), kShalom);
    Click(form, "btnOk");
  });
  // A dimension takes its text style from its dimension style: the menu does not change it.
  Run(u"edit", Handle("dim"), [&](Thtext& form) {
    ChooseStyle(form, QStringLiteral("Keys"));
    EXPECT_EQ(Entity(Handle("dim"))->StyleName(), u"HebDim");
    EXPECT_EQ(BoxText(form, "edt1"), QStringLiteral("Windows"));
    Click(form, "BitBtn2");
  });
  ASSERT_FALSE(fake.messages.shown.empty());
  EXPECT_NE(fake.messages.shown.back().text.find(u"dimension style"), std::u16string::npos);
}

TEST_F(TextDialogTest, AHeightThatIsNotANumberIsReportedAndTheTextKeepsItsHeight) {
  const std::u16string handle = Handle("keys");
  Run(u"edit", handle, [&](Thtext& form) {
    SetBox(form, "edH", QStringLiteral("abc"));
    Click(form, "BitBtn2");
  });
  ASSERT_FALSE(fake.messages.shown.empty());
  EXPECT_EQ(fake.messages.shown.back().text, u"'abc' is not a valid floating point value");
  EXPECT_EQ(Entity(handle)->Height(), 2.5);
}

}  // namespace
}  // namespace zil::textdialog::test
