// The Revit conversion on real drawings in the stand-in host: the "Save As and Convert" sequence and every
// kind of text it meets.
#include "conversions/revit_conversion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "conversion_fixtures.h"
#include "textcore/codepage.h"
#include "textcore/utf8.h"

namespace zil::conversions::test {
namespace {

using textcore::FromUtf8;

// The edit form the conversion must write: logical Hebrew as a left-to-right TrueType line shows it.
std::u16string EditForm(config::FontDefinitions& fonts, std::u16string_view drawing, fntType type, bool back) {
  return fonts.conv.AAcadToEditWin(drawing, type, back, false, fonts.inistr.reverseTTF);
}

// The distance of `p` from the line through `origin` at `angle`.
double OffLine(const acad::Point& p, const acad::Point& origin, double angle) {
  return std::abs((p.x - origin.x) * std::sin(angle) - (p.y - origin.y) * std::cos(angle));
}

class Revit : public OnDrawing {
 protected:
  WalkReport SaveAsAndConvert() {
    flow.Activate();
    flow.targetFile = FromUtf8((work / "mixed_Revit.dxf").string());
    return flow.SaveAsAndConvert();
  }
  RevitConversion flow{host, fonts, fake.messages};
};

TEST_F(Revit, EveryTextOfAnSHXStyleMovesToTheTrueTypeStyleInTheCopy) {
  const std::string before = SourceBytes();
  // What the texts hold before, to compute what they must hold after.
  const std::u16string dos = Entity("dos")->TextString(), win1 = Entity("win1")->TextString();
  const std::u16string back = Entity("back")->TextString(), keysr = Entity("keysr")->TextString();
  const std::u16string attribute = Entity("attrib_num")->TextString(), paper = Entity("paper")->TextString();

  const WalkReport report = SaveAsAndConvert();
  EXPECT_EQ(report.converted, 14u);  // 7 texts, 2 attributes, 4 MText, the paper-space text
  EXPECT_EQ(report.leftAlone, 1u);   // the TrueType text
  EXPECT_EQ(report.failed, 0u) << report.firstFailure;
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_EQ(fake.messages.shown[0].text, u"Conversion finished");

  // The copy is the active document; the drawing the dialog was opened on is as it was.
  EXPECT_EQ(SourceBytes(), before);
  EXPECT_EQ(host.AcadApp->ActiveDocument()->Name(), u"mixed_Revit.dxf");
  host.RefreshHost(fake.keyboard);

  const struct {
    std::string name;
    std::u16string expected;
  } cases[] = {
      {"dos", EditForm(fonts, dos, DosHebrew, false)},
      {"win1", EditForm(fonts, win1, WindowsHeb, false)},
      {"back", EditForm(fonts, back, WindowsHeb, true)},
      {"keysr", EditForm(fonts, keysr, DosEnglishR, false)},
      {"attrib_num", EditForm(fonts, attribute, WindowsHeb, false)},
      {"paper", EditForm(fonts, paper, WindowsHeb, false)},
  };
  for (const auto& c : cases) {
    const auto e = Entity(c.name);
    EXPECT_EQ(e->TextString(), c.expected) << c.name;
    EXPECT_EQ(e->StyleName(), u"ARIALREVIT") << c.name;
    EXPECT_EQ(e->Alignment(), 3) << c.name;  // aligned between two points
  }
  EXPECT_EQ(Entity("win1")->TextString(), FromUtf8("תכנית קומה"));
  EXPECT_EQ(Entity("ttf")->StyleName(), u"TTF");              // TrueType texts stay
  EXPECT_EQ(Entity("anonymous_text")->StyleName(), u"WIN1");  // anonymous blocks are skipped

  const auto style = host.AcadDoc->TextStyles()->Item(u"ARIALREVIT");
  EXPECT_EQ(style->Width(), 1);
  EXPECT_EQ(EzdxfAuditErrors((work / "mixed_Revit.dxf").string()), 0);
}

TEST_F(Revit, MTextLosesItsFormatGroupAndKeepsItsParagraphs) {
  SaveAsAndConvert();
  host.RefreshHost(fake.keyboard);
  EXPECT_EQ(Entity("mtext_group")->TextString(), FromUtf8("הערות כלליות\\Pמידות"));
  EXPECT_EQ(Entity("mtext_group")->StyleName(), u"ARIALREVIT");
  EXPECT_EQ(Entity("mtext_end_mark")->TextString(), FromUtf8("שורה\\P"));
  EXPECT_EQ(Entity("mtext_single")->TextString(), FromUtf8("אחת שתיים"));
}

TEST_F(Revit, RotatedTextsKeepTheirLineAndAFullTurnIsNone) {
  const acad::Point p0 = Entity("win2_rotated")->InsertionPoint();
  const double a = Entity("win2_rotated")->Rotation();
  SaveAsAndConvert();
  host.RefreshHost(fake.keyboard);
  const auto rotated = Entity("win2_rotated");
  EXPECT_LT(OffLine(rotated->InsertionPoint(), p0, a), 1e-9);
  EXPECT_LT(OffLine(rotated->TextAlignmentPoint(), p0, a), 1e-9);
  EXPECT_NEAR(rotated->Rotation(), std::numbers::pi / 6, 1e-9);
  EXPECT_NEAR(Entity("win3_full_turn")->Rotation(), 0, 1e-9);  // handled as horizontal
}

TEST_F(Revit, FrozenAndLockedLayersAreOpenedForTheWalkAndClosedAgain) {
  SaveAsAndConvert();
  host.RefreshHost(fake.keyboard);
  const auto cold = host.AcadDoc->Layers()->Item(u"COLD");
  EXPECT_TRUE(cold->Freeze());
  EXPECT_TRUE(cold->Lock());
  EXPECT_EQ(Entity("cold")->StyleName(), u"ARIALREVIT");
}

TEST_F(Revit, AnUnsavedBaseIsSavedFirstWhenTheUserAgrees) {
  Entity("ttf")->SetTextString(u"changed");
  fake.messages.answers = {platform::MessageAnswer::No};
  SaveAsAndConvert();
  EXPECT_EQ(fake.messages.shown[0].text, u"Base DWG not saved.\r\nPress \"Yes\" to save it.");
  EXPECT_EQ(SourceBytes().find("changed"), std::string::npos);  // No: the base stays as it was on disk
  EXPECT_NE(zil::test::TempFolder::Read(work / "mixed_Revit.dxf").find("changed"), std::string::npos);
}

TEST_F(Revit, ReloadingTheBaseWaitsForTheActiveDrawingToBeSaved) {
  SaveAsAndConvert();
  host.RefreshHost(fake.keyboard);
  Entity("ttf")->SetTextString(u"unsaved");
  flow.ReloadBase();
  EXPECT_EQ(host.AcadApp->ActiveDocument()->Name(), u"mixed_Revit.dxf");
  flow.Save();
  flow.ReloadBase();
  EXPECT_EQ(host.AcadApp->ActiveDocument()->Name(), u"mixed.dxf");
}

TEST_F(Revit, TheReverseOutputChoiceBecomesTheSetting) {
  flow.Activate();
  EXPECT_FALSE(flow.reverseOutputText);
  EXPECT_EQ(flow.targetFile, FromUtf8((work / "mixed_Revit.dxf").string()));
  flow.reverseOutputText = true;
  flow.Close();
  EXPECT_TRUE(fonts.inistr.reverseTTF);
}

class AllTrueType : public OnDrawing {
 protected:
  AllTrueType() : OnDrawing("all_ttf.dxf") {}
};

TEST_F(AllTrueType, OnlyTheNewStyleChangesAndTheCopyIsStillSaved) {
  RevitConversion flow(host, fonts, fake.messages);
  flow.Activate();
  flow.targetFile = FromUtf8((work / "all_ttf_Revit.dxf").string());
  const WalkReport report = flow.SaveAsAndConvert();
  EXPECT_EQ(report.converted, 0u);
  EXPECT_EQ(report.leftAlone, 1u);
  EXPECT_EQ(fake.messages.shown.back().text, u"Conversion finished");
  ASSERT_TRUE(std::filesystem::exists(work / "all_ttf_Revit.dxf"));
  host.RefreshHost(fake.keyboard);
  EXPECT_EQ(host.AcadDoc->TextStyles()->Count(), 3);  // Standard, TT and the new ARIALREVIT
  EXPECT_EQ(Entity("all_ttf_text")->StyleName(), u"TT");
}

}  // namespace
}  // namespace zil::conversions::test
