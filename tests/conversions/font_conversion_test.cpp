// Font conversion and remapping on real drawings in the stand-in host.
#include "conversions/font_conversion.h"

#include <gtest/gtest.h>

#include <cmath>

#include "conversion_fixtures.h"
#include "drawing/writer.h"
#include "textcore/conversions.h"
#include "textcore/runs.h"
#include "textcore/utf8.h"

namespace zil::conversions::test {
namespace {

using textcore::FromUtf8;

class FontActions : public OnDrawing {
 protected:
  std::string DrawingBytes() {
    return drawing::WriteDxfToString(std::static_pointer_cast<standin::StandInDocument>(host.AcadDoc)->Dwg());
  }
  FontConversion flow{host, fonts, fake.messages};
};

TEST_F(FontActions, AFontOfThreeStylesIsListedOnceAndConvertsThemAll) {
  flow.LoadStyleTable();
  EXPECT_EQ(std::count(flow.Fonts().begin(), flow.Fonts().end(), u"tri.shx"), 1);
  const std::u16string win1 = Entity("win1")->TextString(), rotated = Entity("win2_rotated")->TextString();
  ASSERT_TRUE(flow.Check(u"TRI.SHX"));
  flow.targetStyle = u"TARGET";  // a TrueType style
  const WalkReport report = flow.Convert();
  EXPECT_EQ(report.failed, 0u) << report.firstFailure;
  // Four texts, two attributes and three MText of the tri.shx styles, one text in paper space.
  EXPECT_EQ(report.converted, 10u);
  EXPECT_EQ(fake.messages.shown.back().text, u"Conversion finished");

  for (const char* name : {"win1", "win2_rotated", "win3_full_turn", "attrib_name", "mtext_single", "paper"})
    EXPECT_EQ(Entity(name)->StyleName(), u"TARGET") << name;
  EXPECT_EQ(Entity("win1")->TextString(), fonts.conv.AAcadToEditWin(win1, WindowsHeb, false, false, false));
  EXPECT_EQ(Entity("win2_rotated")->TextString(), fonts.conv.AAcadToEditWin(rotated, WindowsHeb, false, false, false));
  EXPECT_EQ(Entity("mtext_group")->TextString(), FromUtf8("הערות כלליות\\Pמידות"));
  EXPECT_EQ(Entity("mtext_end_mark")->TextString(), FromUtf8("שורה\\P"));  // no empty paragraph added
  EXPECT_EQ(Entity("dos")->StyleName(), u"DOS");                           // its font was not checked
  EXPECT_EQ(Entity("mtext_dos")->StyleName(), u"DOS");
  EXPECT_EQ(Entity("anonymous_text")->StyleName(), u"WIN1");  // anonymous blocks are skipped
  EXPECT_EQ(Entity("cold")->StyleName(), u"TARGET");          // frozen and locked, converted...
  const auto cold = host.AcadDoc->Layers()->Item(u"COLD");
  EXPECT_TRUE(cold->Freeze() && cold->Lock());  // ...and frozen and locked again

  // The window's check marks and target style are cleared; the next action needs them again.
  EXPECT_TRUE(std::none_of(flow.checked.begin(), flow.checked.end(), [](bool b) { return b; }));
  EXPECT_FALSE(flow.targetStyle);
  EXPECT_EQ(flow.Convert().converted, 0u);
  EXPECT_EQ(fake.messages.shown.back().text, u"Fonts to convert not checked.");
}

TEST_F(FontActions, ARotatedTextBecomesAnAlignedTextOnItsOldLine) {
  const auto before = Entity("win2_rotated");
  const acad::Point p0 = before->InsertionPoint();
  const double a = before->Rotation();
  flow.LoadStyleTable();
  flow.Check(u"tri.shx");
  flow.targetStyle = u"DOS";  // to DOS Hebrew: transcoded
  flow.Convert();
  const auto t = Entity("win2_rotated");
  EXPECT_EQ(t->Alignment(), 3);
  for (const acad::Point& p : {t->InsertionPoint(), t->TextAlignmentPoint()})
    EXPECT_LT(std::abs((p.x - p0.x) * std::sin(a) - (p.y - p0.y) * std::cos(a)), 1e-9);
  EXPECT_NEAR(Entity("win3_full_turn")->Rotation(), 0, 1e-9);  // a full turn is none
}

TEST_F(FontActions, TheSameFontTypeChangesOnlyTheStyleOfTextsAndLeavesMTextAlone) {
  const std::u16string win1 = Entity("win1")->TextString(), mtext = Entity("mtext_single")->TextString();
  flow.LoadStyleTable();
  flow.Check(u"tri.shx");
  flow.targetStyle = u"back";  // veltro.shx, a "Windows" font too
  flow.Convert();
  EXPECT_EQ(Entity("win1")->StyleName(), u"back");
  EXPECT_EQ(Entity("win1")->TextString(), win1);
  EXPECT_EQ(Entity("mtext_single")->StyleName(), u"WIN3");
  EXPECT_EQ(Entity("mtext_single")->TextString(), mtext);
}

TEST_F(FontActions, RemapWithNoneAndReverseOnlyReverses) {
  const std::u16string win1 = Entity("win1")->TextString();
  flow.LoadStyleTable();
  flow.Check(u"tri.shx");
  flow.mapping = Mapping::None;
  EXPECT_EQ(flow.Remap().converted, 0u);
  EXPECT_EQ(fake.messages.shown.back().text, u"No Action selected");
  flow.Check(u"tri.shx");
  flow.reverse = true;
  const WalkReport report = flow.Remap();
  EXPECT_EQ(report.converted, 10u);
  EXPECT_EQ(fake.messages.shown.back().text, u"Remapping finished");
  EXPECT_EQ(Entity("win1")->TextString(), textcore::ReverseStrW(win1));
  EXPECT_EQ(Entity("win1")->StyleName(), u"WIN1");  // a remap keeps the style
  // MText: the format group goes, each paragraph is reversed by itself (the stored "תויללכ תורעה" and
  // "תודימ").
  EXPECT_EQ(Entity("mtext_group")->TextString(), FromUtf8("הערות כלליות\\Pמידות"));
}

TEST_F(FontActions, RemapToDosHebrewMapsTheLetters) {
  const std::u16string win1 = Entity("win1")->TextString();
  flow.LoadStyleTable();
  flow.Check(u"tri.shx");
  flow.mapping = Mapping::DosHebrew;
  flow.Remap();
  EXPECT_EQ(Entity("win1")->TextString(), textcore::RemapFontType(win1, WindowsHeb, DosHebrew));
}

TEST_F(FontActions, EachActionIsOneUndoStep) {
  const std::string before = DrawingBytes();
  flow.LoadStyleTable();
  flow.Check(u"tri.shx");
  flow.Check(u"hebdos.shx");
  flow.targetStyle = u"TARGET";
  ASSERT_GT(flow.Convert().converted, 0u);
  EXPECT_NE(DrawingBytes(), before);
  host.AcadDoc->SendCommand(u"U ");
  app->RunQueuedCommands();
  EXPECT_EQ(DrawingBytes(), before);
}

TEST_F(FontActions, AFailingWalkPutsTheLayersBackAndClosesItsUndoStep) {
  const std::string before = DrawingBytes();
  flow.LoadStyleTable();
  flow.Check(u"tri.shx");
  flow.targetStyle = u"TARGET";
  // The progress report runs outside the handling of single entities: its failure ends the walk.
  int reported = 0;
  EXPECT_THROW(flow.Convert([&reported](std::size_t, std::size_t) {
    if (++reported == 5) throw std::runtime_error("interrupted");
  }),
               std::runtime_error);
  const auto cold = host.AcadDoc->Layers()->Item(u"COLD");
  EXPECT_TRUE(cold->Freeze() && cold->Lock());
  // The undo step was closed: one "U" takes the partial conversion back.
  host.AcadDoc->SendCommand(u"U ");
  app->RunQueuedCommands();
  EXPECT_EQ(DrawingBytes(), before);
}

}  // namespace
}  // namespace zil::conversions::test
