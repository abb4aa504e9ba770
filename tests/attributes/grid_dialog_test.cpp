// The attribute grid on a drawing in the stand-in host, through the automation members block and edit,
// driven with mouse clicks and key events as a user works (Hebrew typed through the Hebrew layout's keys).
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>
#include <QTest>

#include "attributes/dialogs/grid_model.h"
#include "grid_fixture.h"
#include "textcore/utf8.h"

namespace zil::attributes::test {
namespace {

using zil::test::Child;
using zil::test::PressKey;

QString Q(std::u16string_view s) { return QString::fromStdU16String(std::u16string(s)); }

const TagType kKeys{u"KEYS", DosEnglish, false};

void SetWidthFactor(TfrmGrid& form, const QString& text) {
  auto* box = Child<QLineEdit>(form, "edWF");
  box->setFocus();
  box->selectAll();
  zil::test::TypeText(box, text);
}

TEST_F(GridTest, EachValueShowsAndIsWrittenUnderItsOwnRowsFontType) {
  Start();
  FillPanel(u"שלום 12");
  Run(u"block", Handle("panel"), [&](TfrmGrid& form) {
    EXPECT_EQ(form.windowTitle(), QStringLiteral("zil Edit Attributes"));
    EXPECT_EQ(Child<QLabel>(form, "lblName")->text(), QStringLiteral("Block:   PANEL"));
    for (const TagType& type : kPanelTypes) {
      SCOPED_TRACE(textcore::ToUtf8(type.tag));
      EXPECT_EQ(Cell(form, RowOf(form, type.tag), kValueColumn), QString::fromUtf8("שלום 12"));
      EXPECT_EQ(Cell(form, RowOf(form, type.tag), kPromptColumn), QStringLiteral("Prompt of ") + Q(type.tag));
    }
    // Prompts from the block definition: the later of two definitions decides; a tag without one, or
    // with an empty prompt, shows itself.
    EXPECT_EQ(Cell(form, RowOf(form, u"DUP"), kPromptColumn), QStringLiteral("second"));
    EXPECT_EQ(Cell(form, RowOf(form, u"EMPTYP"), kPromptColumn), QStringLiteral("EMPTYP"));
    EXPECT_EQ(Cell(form, RowOf(form, u"ORPHAN"), kPromptColumn), QStringLiteral("ORPHAN"));
    // The tag and prompt cells take no typing.
    ClickCell(form, 0, kTagColumn);
    zil::test::TypeText(nullptr, QStringLiteral("x"));
    EXPECT_FALSE(zil::test::IsEditing(*Grid(form)));
    EXPECT_EQ(Cell(form, 0, kTagColumn), QStringLiteral("HEB"));
    // The grid opens in Hebrew: the Latin keys type Hebrew letters.
    for (const TagType& type : kPanelTypes) TypeIntoCell(form, RowOf(form, type.tag), QStringLiteral("cd (5)"));
    Click(form, "BitBtn1");
  });
  for (const TagType& type : kPanelTypes) {
    SCOPED_TRACE(textcore::ToUtf8(type.tag));
    const Conversions c(type.type, type.backwards);
    EXPECT_EQ(Attribute("panel", type.tag)->TextString(), c.ToDrawing(u"בג (5)"));
  }
  EXPECT_EQ(Attribute("panel", u"ORPHAN")->TextString(), u"");
  // All of it is one undo step.
  doc->SendCommand(u"U ");
  app->RunQueuedCommands();
  for (const TagType& type : kPanelTypes) {
    const Conversions c(type.type, type.backwards);
    EXPECT_EQ(Attribute("panel", type.tag)->TextString(), c.ToDrawing(u"שלום 12"));
  }
}

TEST_F(GridTest, OkWithoutChangesLeavesTheDrawingByteForByte) {
  Start();
  FillPanel(u"שלום 12");
  // Windows letters in an attribute of a DOS font: the conversions do not give this string back, so
  // writing it again would change it.
  Attribute("panel", u"HEB")->SetTextString(u"םולש");
  const Conversions dos(DosHebrew, false);
  ASSERT_NE(dos.ToDrawing(dos.conv.AcadToEditWin(u"םולש")), u"םולש");
  const std::string before = Bytes();
  Run(u"block", Handle("panel"), [&](TfrmGrid& form) {
    // A value edited and then put back as it was is no change either.
    const int keys = RowOf(form, u"KEYS");
    TypeIntoCell(form, keys, QStringLiteral("x"));
    TypeIntoCell(form, keys, QStringLiteral("akuo 12"));
    Click(form, "BitBtn1");
  });
  EXPECT_TRUE(Bytes() == before) << "the drawing changed";
  Run(u"edit", Handle("header"), [&](TfrmGrid& form) { Click(form, "BitBtn1"); });
  EXPECT_TRUE(Bytes() == before) << "the drawing changed";
  EXPECT_TRUE(ran.empty());
}

TEST_F(GridTest, OnlyCancelDiscardsAndOnlySelectAnotherBlockAsksForTheNext) {
  Start();
  const struct {
    const char* exit;  // a button, "Escape" or "close"
    bool written;
    std::u16string result;
  } exits[] = {
      {"BitBtn1", true, u""}, {"BitBtn2", false, u""},    {"Escape", false, u""},
      {"close", true, u""},   {"BitBtn3", true, u"NEXT"},
  };
  for (const auto& e : exits) {
    SCOPED_TRACE(e.exit);
    SetValue("panel", u"KEYS", kKeys, u"שלום");
    const std::string before = Bytes();
    addin->ResultString = u"NEXT";  // left by the block before
    const automation::CallResult result = Run(u"block", Handle("panel"), [&](TfrmGrid& form) {
      TypeIntoCell(form, RowOf(form, u"KEYS"), QStringLiteral("cd"));
      if (std::string(e.exit) == "Escape") {
        PressKey(Grid(form), Qt::Key_Escape);
      } else if (std::string(e.exit) == "close") {
        form.close();
      } else {
        Click(form, e.exit);
      }
    });
    EXPECT_EQ(result.hr, automation::S_OK) << result.error;
    EXPECT_EQ(Hebstr(), e.result);
    EXPECT_TRUE(ran.empty());
    if (e.written) {
      EXPECT_EQ(Attribute("panel", u"KEYS")->TextString(), Conversions(DosEnglish, false).ToDrawing(u"בג"));
    } else {
      EXPECT_TRUE(Bytes() == before) << "the drawing changed";
    }
  }
}

TEST_F(GridTest, AnEmptiedValueBecomesOneSpaceAndAnEmptyOneStaysUntouched) {
  Start();
  SetValue("panel", u"KEYS", kKeys, u"שלום");
  Run(u"block", Handle("panel"), [&](TfrmGrid& form) {
    ASSERT_EQ(Cell(form, RowOf(form, u"ORPHAN"), kValueColumn), QString());
    const int keys = RowOf(form, u"KEYS");
    TypeIntoCell(form, keys, QStringLiteral("x"));
    PressKey(Grid(form), Qt::Key_F2);
    PressKey(nullptr, Qt::Key_Backspace);
    PressKey(nullptr, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Cell(form, keys, kValueColumn).isEmpty(); }, 2000));
    Click(form, "BitBtn1");
  });
  EXPECT_EQ(Attribute("panel", u"KEYS")->TextString(), u" ");
  EXPECT_EQ(Attribute("panel", u"ORPHAN")->TextString(), u"");
}

TEST_F(GridTest, AnAttributeDefinitionShowsTagPromptAndDefaultAndWritesTheDefault) {
  Start();
  const Conversions keys(DosEnglish, false);
  const std::string before = Bytes();
  Run(u"edit", Handle("header"), [&](TfrmGrid& form) {
    EXPECT_EQ(Child<QLabel>(form, "lblName")->text(), QStringLiteral("Style: Keys   Font: hebkeys.shx"));
    ASSERT_EQ(Grid(form)->model()->rowCount(), 3);
    const QString expected[3][3] = {
        {"", "", ""}, {"Tag", "Prompt", "Value"}, {"HEADER", "Title", QString::fromUtf8("שלום")}};
    for (int row = 0; row < 3; ++row)
      for (int column = 0; column < 3; ++column) EXPECT_EQ(Cell(form, row, column), expected[row][column]);
    // The default value is selected, and is the only cell that takes typing; there is no width factor.
    EXPECT_EQ(Grid(form)->currentIndex(), Grid(form)->model()->index(2, kValueColumn));
    EXPECT_FALSE(Child<QLineEdit>(form, "edWF")->isEnabled());
    for (int row = 0; row < 2; ++row) {
      ClickCell(form, row, kValueColumn);
      zil::test::TypeText(nullptr, QStringLiteral("x"));
      EXPECT_FALSE(zil::test::IsEditing(*Grid(form)));
    }
    TypeIntoCell(form, 2, QStringLiteral("cd"));
    Click(form, "BitBtn1");
  });
  const acad::EntityPtr header = Entity(Handle("header"));
  EXPECT_EQ(header->TextString(), keys.ToDrawing(u"בג"));
  EXPECT_EQ(header->TagString(), u"HEADER");
  EXPECT_EQ(header->PromptString(), u"Title");
  // One undo step takes it back.
  doc->SendCommand(u"U ");
  app->RunQueuedCommands();
  EXPECT_TRUE(Bytes() == before) << "the drawing changed";

  // Cancel writes nothing; an emptied default becomes one space rather than being dropped.
  Run(u"edit", Handle("header"), [&](TfrmGrid& form) {
    TypeIntoCell(form, 2, QStringLiteral("cd"));
    Click(form, "BitBtn2");
  });
  EXPECT_TRUE(Bytes() == before) << "the drawing changed";
  Run(u"edit", Handle("header"), [&](TfrmGrid& form) {
    TypeIntoCell(form, 2, QStringLiteral("x"));
    PressKey(Grid(form), Qt::Key_F2);
    PressKey(nullptr, Qt::Key_Backspace);
    PressKey(nullptr, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Cell(form, 2, kValueColumn).isEmpty(); }, 2000));
    Click(form, "BitBtn1");
  });
  EXPECT_EQ(header->TextString(), u" ");
}

TEST_F(GridTest, EachRowKeepsItsOwnWidthFactor) {
  Start();
  FillPanel(u"שלום");  // the factor of an empty value is not written
  Attribute("panel", u"WIN")->SetScaleFactor(0.75);
  const std::string before = Bytes();
  Run(u"block", Handle("panel"), [&](TfrmGrid& form) {
    auto* box = Child<QLineEdit>(form, "edWF");
    const int keys = RowOf(form, u"KEYS"), win = RowOf(form, u"WIN"), ttf = RowOf(form, u"TTF");
    EXPECT_EQ(box->text(), QStringLiteral("1"));  // the first row's
    ClickCell(form, keys, kValueColumn);
    SetWidthFactor(form, QStringLiteral("0.8"));
    ClickCell(form, win, kValueColumn);
    EXPECT_EQ(box->text(), QStringLiteral("0.75"));
    ClickCell(form, keys, kValueColumn);
    EXPECT_EQ(box->text(), QStringLiteral("0.8"));  // what the user gave it, not the drawing's
    // A factor that is not a number above 0 is 1.
    ClickCell(form, ttf, kValueColumn);
    SetWidthFactor(form, QStringLiteral("0"));
    ClickCell(form, win, kValueColumn);
    SetWidthFactor(form, QStringLiteral("abc"));
    Click(form, "BitBtn1");
  });
  EXPECT_DOUBLE_EQ(Attribute("panel", u"KEYS")->ScaleFactor(), 0.8);
  EXPECT_DOUBLE_EQ(Attribute("panel", u"WIN")->ScaleFactor(), 1);
  EXPECT_DOUBLE_EQ(Attribute("panel", u"TTF")->ScaleFactor(), 1);
  for (const char16_t* tag : {u"HEB", u"KEYSR", u"BACK", u"BIG"})
    EXPECT_DOUBLE_EQ(Attribute("panel", tag)->ScaleFactor(), 1) << textcore::ToUtf8(tag);
  doc->SendCommand(u"U ");
  app->RunQueuedCommands();
  EXPECT_TRUE(Bytes() == before) << "the drawing changed";
}

class PickListTest : public GridTest {
 protected:
  PickListTest() {
    // Block names compare without regard to case.
    PutDefaults("door", R"({
      "MAT": {"A": ["בטון", "פלדה", "עץ"], "B": ["C30", "S235"], "S": "DESC"},
      "FIN": {"A": ["צבע", "טיח", "צבע"]},
      "BAD": ["not", "an", "object"],
      "NOSUCHTAG": {"A": ["x"]}
    })");
    dir.Write("registry.ini",
              "[Software\\Dastel\\Lisp\\Blocks]\r\n"
              "GATE={\"KIND\": {\"A\": [\"ציר\", \"הזזה\"]}}\r\n");
  }

  // Opens the pick list and clicks its item `index`.
  static void Pick(TfrmGrid& form, int index) {
    auto* list = Child<QComboBox>(form, "ComboBox1");
    list->showPopup();
    QAbstractItemView* view = list->view();
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->isVisible(); }, 2000));
    const QRect item = view->visualRect(view->model()->index(index, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, item.center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !view->isVisible(); }, 2000));
  }
  static QStringList Items(TfrmGrid& form) {
    auto* list = Child<QComboBox>(form, "ComboBox1");
    QStringList items;
    for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
    return items;
  }
};

TEST_F(PickListTest, MarkedRowsShowTheirPickListAndAPickFillsTheValueAndTheSecondAttribute) {
  Start();
  Run(u"block", Handle("door"), [&](TfrmGrid& form) {
    auto* list = Child<QComboBox>(form, "ComboBox1");
    const struct {
      const char16_t* tag;
      bool marked;
    } rows[] = {{u"MAT", true}, {u"DESC", false}, {u"FIN", true}, {u"BAD", true}, {u"NOTE", false}};
    for (const auto& r : rows) {
      const QVariant colour = Grid(form)->model()->index(RowOf(form, r.tag), kTagColumn).data(Qt::BackgroundRole);
      EXPECT_EQ(colour.isValid() && colour.value<QColor>() == kMarkedTagColour, r.marked) << textcore::ToUtf8(r.tag);
    }
    const int mat = RowOf(form, u"MAT"), desc = RowOf(form, u"DESC"), fin = RowOf(form, u"FIN");
    EXPECT_TRUE(list->isVisible()) << "the first row is selected at showing";
    ClickCell(form, desc, kValueColumn);
    EXPECT_FALSE(list->isVisible());
    ClickCell(form, mat, kValueColumn);
    ASSERT_TRUE(list->isVisible());
    EXPECT_EQ(Items(form),
              (QStringList{QString::fromUtf8("בטון"), QString::fromUtf8("פלדה"), QString::fromUtf8("עץ")}));
    EXPECT_EQ(list->currentIndex(), 2) << "an empty value is what the third item stores";
    Pick(form, 1);
    EXPECT_EQ(Cell(form, mat, kValueColumn), QStringLiteral("S235"));
    EXPECT_EQ(Cell(form, desc, kValueColumn), QString::fromUtf8("פלדה"));
    ClickCell(form, fin, kValueColumn);
    Pick(form, 2);
    EXPECT_EQ(Cell(form, fin, kValueColumn), QString::fromUtf8("צבע"));
    ClickCell(form, desc, kValueColumn);
    ClickCell(form, fin, kValueColumn);
    EXPECT_EQ(list->currentIndex(), 2) << "the last of two equal items";

    // An entry that is no pick list fails for its row only: its message, no list, the grid goes on.
    fake.messages.shown.clear();
    ClickCell(form, RowOf(form, u"BAD"), kValueColumn);
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    const std::string message = textcore::ToUtf8(fake.messages.shown[0].text);
    EXPECT_NE(message.find("\"BAD\""), std::string::npos) << message;
    EXPECT_NE(message.find("not a JSON object"), std::string::npos) << message;
    EXPECT_FALSE(list->isVisible());
    ClickCell(form, mat, kValueColumn);
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(list->currentIndex(), 1);
    Click(form, "BitBtn1");
  });
  // Each written under its own row's font type.
  EXPECT_EQ(Attribute("door", u"MAT")->TextString(), Conversions(DosEnglish, false).ToDrawing(u"S235"));
  EXPECT_EQ(Attribute("door", u"DESC")->TextString(), Conversions(WindowsHeb, false).ToDrawing(u"פלדה"));
  EXPECT_EQ(Attribute("door", u"FIN")->TextString(), Conversions(TrueType, false).ToDrawing(u"צבע"));
}

TEST_F(PickListTest, TheRegistryServesABlockTheLibraryLacksAndABlockWithoutDefaultsHasNoPickList) {
  Start();
  Run(u"block", Handle("gate"), [&](TfrmGrid& form) {
    EXPECT_TRUE(Child<QComboBox>(form, "ComboBox1")->isVisible());
    EXPECT_EQ(Items(form), (QStringList{QString::fromUtf8("ציר"), QString::fromUtf8("הזזה")}));
    Pick(form, 1);
    Click(form, "BitBtn1");
  });
  EXPECT_EQ(Attribute("gate", u"KIND")->TextString(), Conversions(WindowsHeb, false).ToDrawing(u"הזזה"));
  Run(u"block", Handle("panel"), [&](TfrmGrid& form) {
    for (int row = 0; row < Grid(form)->model()->rowCount(); ++row) {
      ClickCell(form, row, kValueColumn);
      EXPECT_FALSE(Child<QComboBox>(form, "ComboBox1")->isVisible()) << row;
    }
    Click(form, "BitBtn2");
  });
}

TEST_F(GridTest, ABlockWithoutAttributesIsOnlyAWarning) {
  Start();
  addin->ResultString = u"NEXT";
  const std::string before = Bytes();
  const automation::CallResult result = Run(u"block", Handle("empty"), {});
  EXPECT_EQ(result.hr, automation::S_OK) << result.error;
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_EQ(fake.messages.shown[0].text, u"Block without Attributes.");
  EXPECT_EQ(fake.messages.shown[0].icon, platform::MessageIcon::Warning);
  EXPECT_EQ(Hebstr(), u"");
  EXPECT_TRUE(Bytes() == before) << "the drawing changed";
}

TEST_F(GridTest, AWriteThatFailsPartWayTakesBackWhatWasWritten) {
  Start();
  Attribute("panel", u"WIN")->SetLayer(u"Locked");
  doc->Layers()->Item(u"Locked")->SetLock(true);
  const std::string before = Bytes();
  addin->ResultString.clear();
  const automation::CallResult result = Run(u"block", Handle("panel"), [&](TfrmGrid& form) {
    TypeIntoCell(form, RowOf(form, u"KEYS"), QStringLiteral("cd"));  // written before WIN
    TypeIntoCell(form, RowOf(form, u"WIN"), QStringLiteral("cd"));
    Click(form, "BitBtn3");
  });
  EXPECT_NE(result.hr, automation::S_OK);
  EXPECT_NE(result.error.find("taken back"), std::string::npos) << result.error;
  ASSERT_EQ(ran.size(), 1u);
  EXPECT_EQ(ran[0].text, u"U ");
  EXPECT_TRUE(Bytes() == before) << "the drawing changed";
  EXPECT_EQ(Hebstr(), u"") << "no next block after a failure";
}

TEST_F(GridTest, TheReadingDirectionAndTheKeyboardFollowTheSwitchAndAreKept) {
  Start();
  addin->frmFonts().inistr.grw = 700;
  addin->frmFonts().inistr.grh = 420;
  Run(u"block", Handle("panel"), [&](TfrmGrid& form) {
    EXPECT_EQ(form.size(), QSize(700, 420));
    EXPECT_TRUE(form.RightToLeft());
    EXPECT_EQ(Grid(form)->layoutDirection(), Qt::RightToLeft);
    EXPECT_EQ(keyboard.Active(), kHebrew);
    auto* button = Child<QPushButton>(form, "btnH");
    EXPECT_EQ(button->text(), QStringLiteral("&English"));
    Click(form, "btnH");
    EXPECT_EQ(Grid(form)->layoutDirection(), Qt::LeftToRight);
    EXPECT_EQ(button->text(), QStringLiteral("&Hebrew"));
    EXPECT_EQ(keyboard.Active(), kUs);
    Click(form, "btnH");
    EXPECT_EQ(Grid(form)->layoutDirection(), Qt::RightToLeft);
    EXPECT_EQ(keyboard.Active(), kHebrew);
    Click(form, "btnH");
    Click(form, "BitBtn2");
  });
  EXPECT_EQ(keyboard.Active(), kUs);
  EXPECT_EQ(addin->frmFonts().inistr.grmode, 1);
  Run(u"block", Handle("panel"), [&](TfrmGrid& form) {
    EXPECT_FALSE(form.RightToLeft());
    EXPECT_EQ(keyboard.Active(), kUs);
    EXPECT_EQ(Child<QPushButton>(form, "btnH")->text(), QStringLiteral("&Hebrew"));
    Click(form, "BitBtn2");
  });
}

// Every column lies whole in the grid's viewport, without scrolling, and the window stays on its screen.
void ExpectEveryColumnInView(TfrmGrid& form) {
  QTableView* grid = Grid(form);
  const QRect view = grid->viewport()->rect();
  EXPECT_EQ(grid->horizontalScrollBar()->maximum(), 0) << "the grid scrolls sideways";
  for (int column : {kTagColumn, kPromptColumn, kValueColumn}) {
    SCOPED_TRACE(column);
    const QRect cell = grid->visualRect(grid->model()->index(0, column));
    EXPECT_TRUE(view.contains(cell)) << "the column lies outside the viewport";
    EXPECT_GT(cell.width(), 40);
  }
  EXPECT_LE(form.frameGeometry().width(), form.screen()->availableGeometry().width());
}

TEST_F(GridTest, OnOpeningEveryColumnShowsWholeInEitherEditor) {
  Start();
  // The window's stored width is the narrow default, far below the three columns.
  ASSERT_EQ(addin->frmFonts().inistr.grw, 400);
  FillPanel(u"דלת ראשית של הבניין");
  Run(u"block", Handle("panel"), [&](TfrmGrid& form) {
    EXPECT_TRUE(form.RightToLeft());
    ExpectEveryColumnInView(form);
    // The columns are as wide as their texts.
    const QAbstractItemView& view = *Grid(form);
    for (int column : {kTagColumn, kPromptColumn, kValueColumn})
      EXPECT_GE(Grid(form)->columnWidth(column), view.sizeHintForColumn(column)) << column;
    Click(form, "BitBtn2");
  });
  // A value wider than the screen: the columns share the screen's width.
  SetValue("panel", u"WIN", kPanelTypes[3], QString::fromUtf8("חדר מדרגות ").repeated(30).toStdU16String());
  addin->frmFonts().inistr.grw = 400;
  Run(u"block", Handle("panel"), [&](TfrmGrid& form) {
    ExpectEveryColumnInView(form);
    Click(form, "BitBtn2");
  });
  addin->frmFonts().inistr.grw = 400;
  Run(u"edit", Handle("header"), [&](TfrmGrid& form) {
    ExpectEveryColumnInView(form);
    Click(form, "BitBtn2");
  });
}

}  // namespace
}  // namespace zil::attributes::test
