// Drawings as other programs write them, in the stand-in host: a TrueType style as AutoCAD 2018 saves it,
// and R12 files without any text style.
#include <gtest/gtest.h>

#include "conversion_fixtures.h"
#include "conversions/revit_conversion.h"
#include "drawing/dxf_file.h"
#include "drawing/table_views.h"
#include "drawing/tag_values.h"
#include "preview/scene_builder.h"
#include "textcore/utf8.h"

namespace zil::conversions::test {
namespace {

using textcore::FromUtf8;
using zil::test::TempFolder;

// The glyphs the preview shows for each text of a drawing, by the text's handle.
std::map<std::string, std::u32string> SeenTexts(const std::filesystem::path& file, config::FontDefinitions& fonts) {
  const auto drawing = drawing::LoadDxfFile(file.string());
  const preview::Scene scene = preview::BuildScene(*drawing, preview::ClassifyWith(fonts));
  std::map<std::string, std::u32string> seen;
  for (const preview::ScenePrimitive& p : scene.primitives)
    if (const auto* t = std::get_if<preview::SceneText>(&p))
      seen[drawing::FormatHandle(t->source->Handle())] = t->text.Seen();
  return seen;
}

class AutoCad2018 : public OnDrawing {
 protected:
  AutoCad2018() : OnDrawing("autocad_2018.dxf") {}
};

TEST_F(AutoCad2018, ATrueTypeStyleNamesItsTrueTypeFileAndItsTextsStayAsTheyAre) {
  const auto style = host.AcadDoc->TextStyles()->Item(u"HEBREW_TTF");
  EXPECT_EQ(style->FontFile(), u"arial.ttf");
  EXPECT_EQ(fonts.GetFntType(style->FontFile()), TrueType);

  const auto before = SeenTexts(source, fonts);
  RevitConversion flow(host, fonts, fake.messages);
  flow.Activate();
  flow.targetFile = FromUtf8((work / "copy.dxf").string());
  const WalkReport report = flow.SaveAsAndConvert();
  EXPECT_EQ(report.leftAlone, 2u);  // the Hebrew texts, already TrueType
  EXPECT_EQ(report.converted, 1u);  // the Latin one, in txt
  EXPECT_EQ(Entity("autocad_project")->TextString(), u":פרויקט");
  EXPECT_EQ(Entity("autocad_floor")->TextString(), u"קומה 2 (מפלס 3)");

  // The preview draws the style as the host classifies it, and a Latin text in a font the table does not
  // list with the brackets it has: before and after show the same glyphs.
  const auto after = SeenTexts(work / "copy.dxf", fonts);
  EXPECT_EQ(before, after);
  EXPECT_EQ(before.at(textcore::ToUtf8(HandleOf("autocad_latin"))), U"\u230025 (TYP.)");
}

class WithoutStyles : public OnDrawing {
 protected:
  WithoutStyles() : OnDrawing("without_styles.dxf") {}
};

TEST_F(WithoutStyles, TheHostGivesTheStandardStyleAndAnUnchangedDrawingIsSavedAsItWasRead) {
  const auto styles = host.AcadDoc->TextStyles();
  ASSERT_EQ(styles->Count(), 1);
  EXPECT_EQ(styles->Item(0)->Name(), u"Standard");
  EXPECT_EQ(styles->Item(0)->FontFile(), u"txt");
  // A text in a style the drawing does not define is in the standard style.
  const auto space = host.AcadDoc->ModelSpace();
  EXPECT_EQ(space->Item(0)->StyleName(), u"Standard");
  EXPECT_EQ(space->Item(1)->StyleName(), u"Standard");

  host.AcadDoc->SaveAs(FromUtf8((work / "same.dxf").string()));
  EXPECT_EQ(TempFolder::Read(work / "same.dxf"), SourceBytes());
}

TEST_F(WithoutStyles, TheRevitConversionConvertsItsTextsIntoAStyleTableItMakes) {
  RevitConversion flow(host, fonts, fake.messages);
  flow.Activate();
  flow.targetFile = FromUtf8((work / "copy.dxf").string());
  const WalkReport report = flow.SaveAsAndConvert();
  EXPECT_EQ(report.converted, 2u);
  EXPECT_EQ(report.failed, 0u) << report.firstFailure;
  EXPECT_EQ(EzdxfAuditErrors((work / "copy.dxf").string()), 0);
  const auto copy = drawing::LoadDxfFile((work / "copy.dxf").string());
  EXPECT_NE(drawing::FindTableRecord(*copy, "STYLE", u"Standard"), nullptr);
  EXPECT_NE(drawing::FindTableRecord(*copy, "STYLE", u"ARIALREVIT"), nullptr);
  EXPECT_EQ(SourceBytes(), TempFolder::Read(Fixture("without_styles.dxf")));  // the drawing itself stays
}

}  // namespace
}  // namespace zil::conversions::test
