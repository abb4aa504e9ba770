// The workbench driven as a user drives it, offscreen with real events, on a copy of the sample drawing:
// opening it and its spaces, placing a text by clicking, picking by click and by window, undo and redo,
// saving (byte for byte), bad files, plotting, and the add-in's commands calling their members.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QStatusBar>
#include <QTabBar>
#include <QTest>
#include <cmath>
#include <numbers>

#include "acad/error.h"
#include "attributes/dialogs/tfrm_grid.h"
#include "command_line.h"
#include "drawing/standin/document.h"
#include "drawing/tag_values.h"
#include "drawing_view.h"
#include "library/dialogs/tfrm_expl.h"
#include "mtext/dialogs/mtext_form.h"
#include "mtext/dialogs/replace_form.h"
#include "support/qt/screenshot.h"
#include "textcore/utf8.h"
#include "textdialog/dialogs/thtext.h"
#include "workbench_fixture.h"
#include "workbench_input.h"

namespace zil::workbench::test {
namespace {

using namespace Qt::StringLiterals;

using Step = zil::test::WorkbenchDriver::Step;

// Pixels of the view's image that are not paper.
int Inked(const QImage& image) {
  int inked = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) != qRgb(255, 255, 255)) ++inked;
  return inked;
}

// The text dialog a command opens next is closed with Cancel, which takes back what it did.
void CancelTheTextDialog() {
  zil::test::WhenShown<textdialog::Thtext>([](textdialog::Thtext& form) {
    QTest::mouseClick(zil::test::Child<QAbstractButton>(form, "BitBtn2"), Qt::LeftButton);
  });
}

std::u16string HandleOf(const drawing::Record& r) { return textcore::FromUtf8(drawing::FormatHandle(r.Handle())); }

// The TEXT entities of model space whose string is `text`.
std::vector<acad::EntityPtr> TextsSaying(standin::StandInDocument& document, const std::u16string& text) {
  std::vector<acad::EntityPtr> found;
  const auto space = document.ModelSpace();
  for (int i = 0; i < space->Count(); ++i) {
    const auto e = space->Item(i);
    if (e->ObjectName() == u"AcDbText" && e->TextString() == text) found.push_back(e);
  }
  return found;
}

TEST_F(WorkbenchTest, ShowsTheSampleInEverySpaceWithItsTitleStatusAndKeyboardLanguage) {
  OpenSample();
  EXPECT_EQ(wb->windowTitle(), QStringLiteral("hebrew-sample.dxf[*] - zil-workbench"));
  EXPECT_FALSE(wb->windowIcon().pixmap(48, 48).isNull());  // the SVG icon, drawn
  EXPECT_FALSE(wb->isWindowModified());
  ASSERT_EQ(wb->Tabs().count(), 2);
  EXPECT_EQ(wb->Tabs().tabText(0), QStringLiteral("Model"));
  EXPECT_EQ(wb->Tabs().tabText(1), QStringLiteral("Layout1"));
  ASSERT_NE(wb->Scene(), nullptr);
  EXPECT_GT(wb->Scene()->Drawn(), 20u);
  // Zoomed to what is drawn: the extents fill the view, and the texts have ink.
  const Box2 extents = wb->Scene()->Extents();
  const QRectF shown =
      wb->View().ToPixels().mapRect(QRectF(QPointF(extents.lo.x, extents.lo.y), QPointF(extents.hi.x, extents.hi.y)));
  EXPECT_TRUE(QRectF(wb->View().rect()).adjusted(-1, -1, 1, 1).contains(shown));
  EXPECT_TRUE(shown.width() > wb->View().width() * 0.9 || shown.height() > wb->View().height() * 0.9);
  EXPECT_GT(Inked(wb->View().Canvas()), 5000);
  zil::test::SaveScreenshot(*wb, "workbench-sample.png");

  // The crosshair's drawing coordinates.
  user->MoveTo({12.5, 25});
  const QStringList xy = wb->findChild<QLabel*>(QStringLiteral("coordinates"))->text().split(QStringLiteral(", "));
  ASSERT_EQ(xy.size(), 2);
  const double pixel = wb->View().PickTolerance() / 5;
  EXPECT_NEAR(xy[0].toDouble(), 12.5, pixel);
  EXPECT_NEAR(xy[1].toDouble(), 25, pixel);

  // The layout's tab shows paper space.
  wb->Tabs().setCurrentIndex(1);
  ASSERT_NE(wb->Scene(), nullptr);
  EXPECT_EQ(wb->Scene()->Layout(), u"Layout1");
  EXPECT_GE(wb->Scene()->Drawn(), 1u);
  EXPECT_EQ(wb->findChild<QLabel*>(QStringLiteral("space"))->text(), QStringLiteral("Layout1"));
  zil::test::SaveScreenshot(*wb, "workbench-sample-layout1.png");
  wb->Tabs().setCurrentIndex(0);

  // The keyboard language follows the add-in's keyboard service.
  QLabel* keyboard = wb->findChild<QLabel*>(QStringLiteral("keyboardLanguage"));
  EXPECT_EQ(keyboard->text(), QStringLiteral("English"));
  wb->RunCommand(QStringLiteral("HEBKEYS"));
  EXPECT_EQ(keyboard->text(), QStringLiteral("Hebrew"));
  user->Type(QStringLiteral("engkeys"));
  EXPECT_EQ(keyboard->text(), QStringLiteral("English"));
}

TEST_F(WorkbenchTest, ATextPlacedByClickingGoesToTheTextDialogAndUndoAndRedoAreByteForByte) {
  OpenSample();
  const int fullPaints = wb->View().FullPaints();
  std::string placed;
  // While the text dialog is open the placement is in the drawing; its Cancel sends "U " twice, which takes
  // back the dialog's work and then the placement.
  CancelTheTextDialog();
  user->Run(u"TEXT"_s, {user->OnClick(u"start point"_s, {20, 60}), user->OnType(u"height"_s, u"3"_s),
                        user->OnClick(u"rotation"_s, {20, 70})});
  EXPECT_EQ(wb->Line().History().count(QStringLiteral("Command: U")), 2) << wb->Line().History().toStdString();
  EXPECT_TRUE(Bytes() == sampleBytes);

  // REDO puts the placement back: a text at the point clicked, 3 high, turned to the second click.
  wb->RunCommand(QStringLiteral("REDO"));
  const auto texts = TextsSaying(*wb->Document(), u" ");
  ASSERT_EQ(texts.size(), 1u);
  const double pixel = wb->View().PickTolerance() / 5;  // a click lands on a pixel
  EXPECT_NEAR(texts[0]->InsertionPoint().x, 20, pixel);
  EXPECT_NEAR(texts[0]->InsertionPoint().y, 60, pixel);
  EXPECT_DOUBLE_EQ(texts[0]->Height(), 3);
  EXPECT_NEAR(texts[0]->Rotation(), std::numbers::pi / 2, 1e-3);
  EXPECT_EQ(texts[0]->StyleName(), wb->Document()->ActiveTextStyle()->Name());
  EXPECT_EQ(texts[0]->Layer(), wb->Document()->ActiveLayer()->Name());
  EXPECT_EQ(std::get<double>(wb->Document()->GetVariable(u"TEXTSIZE")), 3);  // the last height
  EXPECT_TRUE(wb->isWindowModified());
  // The view followed the change entity by entity, without painting everything again.
  const auto handle = texts[0]->Handle();
  const drawing::Record* record = wb->Document()->Dwg().FindByHandle(*drawing::ToHandle(textcore::ToUtf8(handle)));
  ASSERT_NE(wb->Scene()->Find(*record), nullptr);
  EXPECT_FALSE(wb->Scene()->Find(*record)->box.Empty());
  EXPECT_EQ(wb->View().FullPaints(), fullPaints);
  EXPECT_GT(wb->View().RegionPaints(), 0);
  placed = Bytes();
  EXPECT_NE(placed, sampleBytes);

  // Undo gives the sample's bytes back, redo the placement's, from the menu and its keys.
  wb->Action("U")->trigger();
  EXPECT_TRUE(Bytes() == sampleBytes);
  EXPECT_TRUE(wb->Scene()->Find(*record)->box.Empty());
  wb->activateWindow();  // the offscreen platform gives no window the focus back after a modal dialog
  ASSERT_TRUE(QTest::qWaitForWindowActive(wb.get()));
  QTest::keyClick(wb.get(), Qt::Key_Y, Qt::ControlModifier);
  EXPECT_TRUE(Bytes() == placed);
  user->Type(QStringLiteral("u"));
  EXPECT_TRUE(Bytes() == sampleBytes);

  // The drawing, undone to what it was, saves as the sample's bytes.
  ASSERT_TRUE(wb->Save());
  EXPECT_TRUE(zil::test::TempFolder::Read(sample) == sampleBytes);
  EXPECT_FALSE(wb->isWindowModified());
}

TEST_F(WorkbenchTest, PromptsTakePointsAndNumbersTypedEnterAndEscape) {
  OpenSample();
  // Typed answers; Escape at the height cancels the command and places nothing.
  user->Run(u"text"_s, {user->OnType(u"start point"_s, u"x"_s), user->OnType(u"start point"_s, u"5,-60"_s, true),
                        user->OnEscape(u"height"_s)});
  EXPECT_TRUE(wb->Line().History().contains(QStringLiteral("Point or \"x,y\" required: x")));
  EXPECT_TRUE(Bytes() == sampleBytes);
  // Enter takes the defaults: the last height and no rotation.
  CancelTheTextDialog();
  user->Run(u"TEXT"_s, {user->OnType(u"start point"_s, u"5,-60"_s), user->OnType(u"height <2.5000>"_s, {}),
                        user->OnType(u"rotation angle of text <0.0000>"_s, u"45"_s)});
  wb->RunCommand(QStringLiteral("REDO"));
  const auto texts = TextsSaying(*wb->Document(), u" ");
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_DOUBLE_EQ(texts[0]->Height(), 2.5);
  EXPECT_NEAR(texts[0]->Rotation(), std::numbers::pi / 4, 1e-9);
  EXPECT_NEAR(texts[0]->InsertionPoint().y, -60, 1e-9);
  // The rotation is remembered for the next text.
  CancelTheTextDialog();
  user->Run(u"TEXT"_s, {user->OnType(u"start point"_s, u"@1,1"_s), user->OnType(u"height"_s, {}),
                        user->OnType(u"<45.0000>"_s, {})});
  EXPECT_TRUE(wb->Line().History().contains(QStringLiteral("Specify start point of text: @1,1")));

  // A zoom window by a click and a corner typed.
  user->Run(u"ZW"_s, {user->OnClick(u"first corner"_s, {0, 0}), user->OnType(u"opposite corner"_s, u"40,30"_s)});
  const ViewState view = wb->View().State();
  EXPECT_NEAR(view.centre.x, 20, 0.1);
  EXPECT_NEAR(view.centre.y, 15, 0.1);
  EXPECT_GE(view.height, 30);
  EXPECT_LT(view.height, 31);
}

TEST_F(WorkbenchTest, PicksByClickAndByWindowAnswerTheHostsSelectionOnScreen) {
  OpenSample();
  const auto doc = wb->Document();
  const auto select = [&](std::vector<Step> steps) {
    const auto set = doc->SelectionSets()->Add(u"PICKS");
    user->Answering([&] { set->SelectOnScreen({}, {}); }, std::move(steps));
    std::vector<std::u16string> handles;
    for (int i = 0; i < set->Count(); ++i) handles.push_back(set->Item(i)->Handle());
    set->Delete();
    return handles;
  };
  const auto text = [&](double x, double y) {
    const auto hit = wb->Scene()->Pick({x, y}, 0.01);
    return hit ? HandleOf(*hit->part->entity) : std::u16string();
  };
  const std::u16string dos = text(5, 51), keys = text(5, 46), keysR = text(5, 41), win = text(5, 36);
  const std::u16string ttf = text(5, 26), mtext = text(5, 79);
  ASSERT_FALSE(dos.empty() || keys.empty() || keysR.empty() || win.empty() || ttf.empty() || mtext.empty());

  // A window from left to right takes what lies inside it; a click adds one more; Enter ends.
  const QString objects = QStringLiteral("Select objects:");
  auto picked = select({user->OnDrag(objects, {-2, 33}, {58, 53}),
                        user->OnClick(objects, {5, 26}, Qt::LeftButton, true),
                        {objects, [&] { zil::test::SaveScreenshot(*wb, "workbench-picking.png"); }, true},
                        user->OnType(objects, {}, true)});
  EXPECT_EQ(picked, (std::vector<std::u16string>{dos, keys, keysR, win, ttf}));
  EXPECT_TRUE(wb->Line().History().contains(QStringLiteral("4 found, 4 in all")));
  // From right to left it takes what it crosses; the right button is Enter.
  picked = select({user->OnDrag(objects, {5, 47}, {-1, 51}), user->OnClick(objects, {0, 0}, Qt::RightButton, true)});
  EXPECT_EQ(picked, (std::vector<std::u16string>{dos, keys}));
  // Escape picks nothing.
  picked = select({user->OnClick(objects, {5, 26}), user->OnEscape(objects, true)});
  EXPECT_TRUE(picked.empty());
}

TEST_F(WorkbenchTest, TheAddinsCommandsPickWhatTheirMembersNeedAndOpenTheirDialogs) {
  OpenSample();
  // Each dialog the command opens is closed with its Cancel (the library window with OK); `opened` names
  // each dialog as it shows.
  QStringList opened;
  const auto closeWith = [&opened]<typename Form>(Form*, const char* button) {
    zil::test::WhenShown<Form>([&opened, button](Form& form) {
      opened << QString::fromLatin1(Form::staticMetaObject.className());
      QTest::mouseClick(zil::test::Child<QAbstractButton>(form, button), Qt::LeftButton);
    });
  };
  const auto textDialog = static_cast<textdialog::Thtext*>(nullptr);
  // EDIT refuses a block reference (the room), then takes a text.
  closeWith(textDialog, "BitBtn2");
  user->Run(u"EDIT"_s, {user->OnClick(u"Select a text"_s, {120, 20}), user->OnClick(u"Select a text"_s, {5, 26})});
  // BLOCK on an attribute's text picks the attribute (the text dialog); on the block's frame the block
  // reference (the attribute grid).
  closeWith(textDialog, "BitBtn2");
  user->Run(u"BLOCK"_s, {user->OnClick(u"Select a block"_s, {4, -27})});
  closeWith(static_cast<attributes::TfrmGrid*>(nullptr), "BitBtn2");
  user->Run(u"BLOCK"_s, {user->OnClick(u"Select a block"_s, {80, -30})});
  const auto mtextEditor = static_cast<mtext::Tfrmmtext*>(nullptr);
  closeWith(mtextEditor, "BitBtn3");
  user->Run(u"MTEDIT"_s, {user->OnClick(u"Select an MText"_s, {5, 79})});
  closeWith(mtextEditor, "BitBtn3");
  user->Run(u"MTEXT"_s, {user->OnClick(u"Start point"_s, {60, 60}), user->OnType(u"Height"_s, {})});
  const QString objects = QStringLiteral("Select objects:");
  closeWith(static_cast<mtext::TfrmEditor*>(nullptr), "Button1");
  user->Run(u"REPLACE"_s, {user->OnClick(objects, {5, 26}), user->OnType(objects, {}, true)});
  closeWith(mtextEditor, "BitBtn3");
  user->Run(u"TXT2MTXT"_s, {user->OnClick(objects, {5, 51}), user->OnType(objects, {}, true)});
  closeWith(static_cast<library::TfrmExpl*>(nullptr), "BitBtn1");
  wb->RunCommand(QStringLiteral("LIBRARY"));
  for (const char* command : {"REVIT", "FONTCONV"}) wb->RunCommand(QString::fromLatin1(command));

  EXPECT_EQ(opened,
            (QStringList{u"zil::textdialog::Thtext"_s, u"zil::textdialog::Thtext"_s, u"zil::attributes::TfrmGrid"_s,
                         u"zil::mtext::Tfrmmtext"_s, u"zil::mtext::Tfrmmtext"_s, u"zil::mtext::TfrmEditor"_s,
                         u"zil::mtext::Tfrmmtext"_s, u"zil::library::TfrmExpl"_s}));
  const QString history = wb->Line().History();
  for (const char* said :
       {"INSERT picked: select a text", "Convert: Conversion for Revit (Convert) is not available yet",
        "Cmd: Font conversion and remapping (hfont_convert) is not available yet"})
    EXPECT_TRUE(history.contains(QString::fromLatin1(said))) << said << "\n" << history.toStdString();
  // Every dialog was cancelled: the drawing is as it was.
  EXPECT_TRUE(Bytes() == sampleBytes);
  EXPECT_FALSE(wb->Busy());
}

TEST_F(WorkbenchTest, TheFontChartIsDrawnInTheViewShownAndItsAlertsUndoTakesItAway) {
  OpenSample();
  user->Click({0, 0}, Qt::MiddleButton);
  wb->View().ZoomWindow({{0, 0}, {40, 30}});
  const ViewState shown = wb->View().State();
  const auto space = wb->Document()->ModelSpace();
  const int entities = space->Count();
  const std::size_t drawn = wb->Scene()->Drawn();
  int entitiesDuringAlert = 0, unseenDuringAlert = 0;
  std::size_t drawnDuringAlert = 0;
  double groundWidth = 0;
  messages.onShow = [&](const std::u16string&) {
    // The member has returned and the view shows all it added, before the alert of the command it queued.
    entitiesDuringAlert = space->Count();
    drawnDuringAlert = wb->Scene()->Drawn();
    for (int k = entities; k < entitiesDuringAlert; ++k) {
      const auto handle = textcore::ToUtf8(space->Item(k)->Handle());
      if (!wb->Scene()->Find(*wb->Document()->Dwg().FindByHandle(*drawing::ToHandle(handle)))) ++unseenDuringAlert;
    }
    const auto [low, high] = space->Item(entities)->GetBoundingBox();  // the chart's ground, added first
    groundWidth = high.x - low.x;
    zil::test::SaveScreenshot(*wb, "workbench-font-chart.png");
  };
  wb->RunCommand(QStringLiteral("FONTCHART"));
  EXPECT_EQ(LastMessage(), u"Press Ok for continue");
  EXPECT_EQ(entitiesDuringAlert, entities + 1 + 16 + 16 * 17);  // the ground, the headings and the 256 codes
  EXPECT_EQ(unseenDuringAlert, 0);
  EXPECT_GT(drawnDuringAlert, drawn + 250);  // codes without a glyph draw nothing
  EXPECT_EQ(wb->Scene()->Drawn(), drawn);
  EXPECT_TRUE(Bytes() == sampleBytes);
  // The chart stood in the view shown: VIEWCTR, VIEWSIZE and SCREENSIZE are the window's.
  const double viewWidth = shown.height * wb->View().width() / wb->View().height();
  EXPECT_NEAR(groundWidth, 0.9 * viewWidth, 1e-6);
  EXPECT_EQ(std::get<acad::Point>(wb->Document()->GetVariable(u"VIEWCTR")).x, shown.centre.x);
  EXPECT_EQ(std::get<double>(wb->Document()->GetVariable(u"VIEWSIZE")), shown.height);
}

TEST_F(WorkbenchTest, PlotPreparationPlotsTheSpaceShownToAPdfTheUserChooses) {
  OpenSample();
  const std::filesystem::path pdf = dir / "plan.pdf";
  fake.files.answers.push_back(pdf);
  wb->RunCommand(QStringLiteral("PLOTPREP"));
  ASSERT_EQ(fake.files.asked.size(), 1u);
  EXPECT_TRUE(fake.files.asked[0].save);
  EXPECT_EQ(fake.files.asked[0].choice.fileName, std::filesystem::path("hebrew-sample.pdf"));
  ASSERT_TRUE(std::filesystem::exists(pdf));
  const std::string bytes = zil::test::TempFolder::Read(pdf);
  EXPECT_EQ(bytes.substr(0, 5), "%PDF-");
  EXPECT_EQ(bytes.find("/Subtype /Image"), std::string::npos);  // vector output: no picture in it
  EXPECT_GT(bytes.size(), 10000u);
  EXPECT_TRUE(
      wb->Line().History().contains(QStringLiteral("plotted Model to ") + QString::fromStdString(pdf.string())));
  // The preparation changed the TrueType texts; undo takes it back. Cancelled, PLOT says so.
  EXPECT_FALSE(Bytes() == sampleBytes);
  wb->RunCommand(QStringLiteral("U"));
  EXPECT_TRUE(Bytes() == sampleBytes);
  wb->RunCommand(QStringLiteral("PLOT"));
  EXPECT_TRUE(wb->Line().History().contains(QStringLiteral("PLOT was cancelled: no PDF file was chosen")));
}

TEST_F(WorkbenchTest, FilesThatCannotBeReadAreReportedAndTheDrawingShownStays) {
  OpenSample();
  const auto shown = wb->Document();
  const struct {
    const char* name;
    std::string bytes;
    const char* said;
  } cases[] = {
      {"letter.dxf", "Dear reader,\nthis is not a drawing.\n", "letter.dxf"},
      {"binary.dxf", std::string("AutoCAD Binary DXF\r\n\x1a\0", 22) + "junk", "binary DXF"},
      {"plan.dwg", "AC1018\0\0\0\0\0junk", "DWG"},
      {"truncated.dxf", sampleBytes.substr(0, sampleBytes.size() / 2), "truncated.dxf"},
  };
  for (const auto& c : cases) {
    const auto file = dir.Write(c.name, c.bytes);
    EXPECT_FALSE(wb->Open(file)) << c.name;
    const std::u16string message = LastMessage();
    EXPECT_NE(message.find(textcore::FromUtf8(c.name)), std::u16string::npos) << textcore::ToUtf8(message);
    EXPECT_NE(message.find(textcore::FromUtf8(c.said)), std::u16string::npos) << textcore::ToUtf8(message);
    EXPECT_EQ(messages.recorded.shown.back().icon, platform::MessageIcon::Error);
    EXPECT_EQ(zil::test::TempFolder::Read(file), c.bytes) << c.name;  // nothing written
    EXPECT_EQ(wb->Document(), shown);
  }
  EXPECT_FALSE(wb->Open(dir / "missing.dxf"));
  EXPECT_NE(LastMessage().find(u"missing.dxf"), std::u16string::npos);
  // The window goes on working.
  wb->RunCommand(QStringLiteral("ZE"));
  EXPECT_TRUE(wb->Action("TEXT")->isEnabled());
  EXPECT_TRUE(zil::test::TempFolder::Read(sample) == sampleBytes);
}

TEST_F(WorkbenchTest, AFailedSaveKeepsTheOldFileAndSaysWhySaveAsNamesTheDrawingAnew) {
  OpenSample();
  wb->Document()->ModelSpace()->AddText(u"x", {0, 0, 0}, 1);
  wb->Host().Update();
  wb->Host().ProtectFile(sample);
  EXPECT_FALSE(wb->Save());
  EXPECT_NE(LastMessage().find(u"The drawing was not saved; " + textcore::FromUtf8(sample.string()) + u" is as it was"),
            std::u16string::npos);
  EXPECT_NE(LastMessage().find(u"open for reading only"), std::u16string::npos);
  EXPECT_TRUE(zil::test::TempFolder::Read(sample) == sampleBytes);
  EXPECT_TRUE(wb->isWindowModified());

  fake.files.answers.push_back(dir / "missing folder" / "copy.dxf");
  EXPECT_FALSE(wb->SaveAs());
  EXPECT_NE(LastMessage().find(u"copy.dxf"), std::u16string::npos);
  fake.files.answers.push_back(dir / "copy.dxf");
  ASSERT_TRUE(wb->SaveAs());
  EXPECT_EQ(wb->windowTitle(), QStringLiteral("copy.dxf[*] - zil-workbench"));
  EXPECT_FALSE(wb->isWindowModified());
  EXPECT_EQ(zil::test::TempFolder::Read(dir / "copy.dxf"), Bytes());
  EXPECT_EQ(wb->RecentFiles().front(), QString::fromStdString((dir / "copy.dxf").string()));
}

TEST_F(WorkbenchTest, ClosingWithUnsavedChangesAsksToSaveDiscardOrCancel) {
  OpenSample();
  wb->Document()->ModelSpace()->AddText(u"x", {0, 0, 0}, 1);
  messages.recorded.answers = {platform::MessageAnswer::Cancel};
  EXPECT_FALSE(wb->close());
  EXPECT_EQ(messages.recorded.shown.back().buttons, platform::MessageButtons::YesNoCancel);
  EXPECT_EQ(LastMessage(), u"Save the changes to hebrew-sample.dxf?");
  messages.recorded.answers = {platform::MessageAnswer::Yes};
  EXPECT_TRUE(wb->close());
  EXPECT_FALSE(zil::test::TempFolder::Read(sample) == sampleBytes);
  EXPECT_NE(zil::test::TempFolder::Read(sample).find("\n  1\nx\n"), std::string::npos);
}

// A dialog member that throws something that is no exception class of ours: the command line says so and
// the workbench goes on.
class ThrowingDialogs final : public automation::Dialogs {
 public:
  void CreateDataModule() override {}
  void FreeDataModule() override {}
  void FreeLibraryWindow() override {}
  void ShowFontTable(automation::AddIn&) override { throw std::runtime_error("the font table broke"); }
  void ShowAbout(automation::AddIn&) override { throw 42; }
  void NewText(automation::AddIn&, std::u16string_view) override {}
  void EditText(automation::AddIn&, std::u16string_view) override {}
  void NewMText(automation::AddIn&) override {}
  void EditMText(automation::AddIn&, std::u16string_view) override {}
  void ConvertTextsToMText(automation::AddIn&) override {}
  void ReplaceInTexts(automation::AddIn&) override {}
  void EditAttributeDefinition(automation::AddIn&, std::u16string_view) override {}
  void EditBlockAttributes(automation::AddIn&, std::u16string_view) override {}
  void ShowLibrary(automation::AddIn&) override {}
  void ConvertForRevit(automation::AddIn&) override {}
  void ConvertFonts(automation::AddIn&) override {}
};

TEST_F(WorkbenchTest, AMemberThatThrowsIsReportedAndTheWorkbenchGoesOn) {
  ThrowingDialogs throwing;
  Start(throwing);
  OpenSample();
  wb->RunCommand(QStringLiteral("FONTS"));
  wb->RunCommand(QStringLiteral("ABOUT"));
  wb->RunCommand(QStringLiteral("NOSUCHCOMMAND"));
  const QString history = wb->Line().History();
  EXPECT_TRUE(history.contains(QStringLiteral("FontTable: the font table broke")));
  EXPECT_TRUE(history.contains(QStringLiteral("Cmd: Unexpected failure")));
  EXPECT_TRUE(history.contains(QStringLiteral("Unknown command \"NOSUCHCOMMAND\"")));
  EXPECT_FALSE(wb->Busy());
  EXPECT_TRUE(wb->Action("TEXT")->isEnabled());
  wb.reset();  // before the dialogs it uses
}

}  // namespace
}  // namespace zil::workbench::test
