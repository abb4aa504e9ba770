// The scene of a drawing: what is drawn, where, in which colour, and how the sample's texts read before
// and after the Revit conversion.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <set>
#include <sstream>

#include "drawing/spaces.h"
#include "drawing/table_views.h"
#include "preview/glyph_run.h"
#include "preview/scene_builder.h"
#include "preview_fixtures.h"
#include "support/process.h"
#include "textcore/font_converter.h"
#include "textcore/utf8.h"

namespace zil::preview {
namespace {

using test::Utf16;
using textcore::ToUtf8;

std::string Glyphs(const SceneText& t) { return ToUtf8(Utf16(t.text.glyphs)); }

// The texts that show `glyphs`.
std::vector<const SceneText*> Showing(const Scene& scene, std::string_view glyphs) {
  std::vector<const SceneText*> found;
  for (const ScenePrimitive& p : scene.primitives)
    if (const auto* t = std::get_if<SceneText>(&p); t && Glyphs(*t) == glyphs) found.push_back(t);
  return found;
}

// The lines and fills that lie wholly inside [lo, hi].
std::vector<const ScenePrimitive*> Within(const Scene& scene, Vec2 lo, Vec2 hi) {
  std::vector<const ScenePrimitive*> found;
  const auto inside = [&](Vec2 p) { return p.x >= lo.x && p.x <= hi.x && p.y >= lo.y && p.y <= hi.y; };
  for (const ScenePrimitive& p : scene.primitives) {
    const std::vector<Vec2>* points = nullptr;
    if (const auto* line = std::get_if<ScenePolyline>(&p)) points = &line->points;
    if (const auto* fill = std::get_if<SceneFill>(&p)) points = &fill->points;
    if (points && std::all_of(points->begin(), points->end(), inside)) found.push_back(&p);
  }
  return found;
}

Rgb ColourOf(const ScenePrimitive& p) {
  return std::visit([](const auto& x) { return x.colour; }, p);
}

void ExpectNear(Vec2 actual, Vec2 expected, const std::string& what) {
  EXPECT_NEAR(actual.x, expected.x, 1e-9) << what;
  EXPECT_NEAR(actual.y, expected.y, 1e-9) << what;
}

TEST(Colours, TheColourIndexIsAutoCadsPalette) {
  // ezdxf's copy of the palette, an independent one; it has slips of its own past index 108 (some x9
  // entries and the greys 250..252).
  const auto ezdxf = zil::test::RunProcess(
      {"/usr/bin/python3", "-c", "from ezdxf.colors import DXF_DEFAULT_COLORS as C\nfor i in range(256): print(C[i])"});
  ASSERT_EQ(ezdxf.exitCode, 0) << ezdxf.err;
  std::istringstream lines(ezdxf.out);
  for (int index = 0; index < 256; ++index) {
    int rgb = 0;
    lines >> rgb;
    if (index == 0 || index == 7 || index > 108) continue;  // 7 is black on paper
    const Rgb c = AciColour(index);
    EXPECT_LE(std::abs(c.r - ((rgb >> 16) & 0xFF)), 1) << index;
    EXPECT_LE(std::abs(c.g - ((rgb >> 8) & 0xFF)), 1) << index;
    EXPECT_LE(std::abs(c.b - (rgb & 0xFF)), 1) << index;
  }
  EXPECT_EQ(AciColour(7), (Rgb{0, 0, 0}));
  EXPECT_EQ(AciColour(255), (Rgb{255, 255, 255}));
}

class LayersScene : public ::testing::Test {
 protected:
  test::SampleFonts fonts;
  std::unique_ptr<drawing::Drawing> drawing = test::Load(test::Fixture("layers.dxf"));
  Scene scene = BuildScene(*drawing, fonts.Classify());
};

TEST_F(LayersScene, FrozenAndOffLayersHideTheirEntitiesAndColoursFollowAutoCadsRules) {
  EXPECT_TRUE(Showing(scene, "frozen").empty());
  EXPECT_TRUE(Showing(scene, "off").empty());
  ASSERT_EQ(Showing(scene, "red").size(), 1u);
  EXPECT_EQ(Showing(scene, "red")[0]->colour, (Rgb{255, 0, 0}));
  ASSERT_EQ(Showing(scene, "blue by entity").size(), 1u);
  EXPECT_EQ(Showing(scene, "blue by entity")[0]->colour, (Rgb{0, 0, 255}));
  ASSERT_EQ(Showing(scene, "true colour").size(), 1u);
  EXPECT_EQ(Showing(scene, "true colour")[0]->colour, (Rgb{0x12, 0x34, 0x56}));

  // A reference on the red layer in green: its layer-0 line is red (the reference's layer), its BYBLOCK
  // line green (the reference's colour), its line on the blue layer blue.
  const auto red = Within(scene, {49, -1}, {53, 3});
  ASSERT_EQ(red.size(), 3u);
  EXPECT_EQ(ColourOf(*red[0]), (Rgb{255, 0, 0}));
  EXPECT_EQ(ColourOf(*red[1]), (Rgb{0, 255, 0}));
  EXPECT_EQ(ColourOf(*red[2]), (Rgb{0, 0, 255}));
  // On a frozen layer nothing of it shows; on a layer that is off only what lies on other layers.
  EXPECT_TRUE(Within(scene, {49, 9}, {53, 13}).empty());
  const auto off = Within(scene, {49, 19}, {53, 23});
  ASSERT_EQ(off.size(), 1u);
  EXPECT_EQ(ColourOf(*off[0]), (Rgb{0, 0, 255}));
}

TEST_F(LayersScene, BlockReferencesPlaceTheirContentsNestedArrayedAndOnce) {
  // TAG (base point 1,1) inside OUTER at (10, 0), scaled 2 and turned 90 degrees; OUTER at (100, 100),
  // scaled 0.5 and turned 30 degrees: TAG's first line (1,1)-(3,1) lands at 100,100 + R30 (5,0)-(5,2).
  const double c = std::cos(std::numbers::pi / 6), s = std::sin(std::numbers::pi / 6);
  const auto nested = Within(scene, {95, 95}, {110, 110});
  ASSERT_EQ(nested.size(), 3u);
  const auto& line = std::get<ScenePolyline>(*nested[0]).points;
  ExpectNear(line.front(), {100 + 5 * c, 100 + 5 * s}, "nested line start");
  ExpectNear(line.back(), {100 + 5 * c - 2 * s, 100 + 5 * s + 2 * c}, "nested line end");
  // Its text (height 1 at the base point) runs at 120 degrees, scaled by 2 x 0.5.
  const auto inBlock = Showing(scene, "in block");
  const auto nestedText = std::find_if(inBlock.begin(), inBlock.end(), [](const SceneText* t) {
    return t->text.runToEntity({0, 0}).x > 100 && t->text.runToEntity({0, 0}).x < 110;
  });
  ASSERT_NE(nestedText, inBlock.end());
  const std::vector<Vec2> corners = RunCorners((*nestedText)->text);
  ExpectNear(corners[0], line.front(), "nested text start");
  ExpectNear(corners[1], {line.front().x - 6.4 / 2, line.front().y + 6.4 * c}, "nested text end");

  // Three columns 10 apart, two rows 5 apart, from (300, 0).
  std::set<std::pair<long, long>> cells;
  for (const SceneText* t : inBlock) {
    const Vec2 at = t->text.runToEntity({0, 0});
    if (at.x >= 299) cells.insert({std::lround(at.x), std::lround(at.y)});
  }
  EXPECT_EQ(cells, (std::set<std::pair<long, long>>{{300, 0}, {310, 0}, {320, 0}, {300, 5}, {310, 5}, {320, 5}}));

  // A block that holds itself is drawn once, its inner reference counted.
  EXPECT_EQ(Within(scene, {199, -1}, {210, 10}).size(), 1u);
  EXPECT_EQ(scene.notDrawn.at("block references inside their own block"), 1);
}

TEST_F(LayersScene, AttributeDefinitionsShowTheirTagAloneAndOnlyWhenConstantInAReference) {
  EXPECT_EQ(Showing(scene, "LONE_TAG").size(), 1u);
  EXPECT_EQ(Showing(scene, "given value").size(), 1u);
  EXPECT_EQ(Showing(scene, "constant value").size(), 1u);
  EXPECT_TRUE(Showing(scene, "normal default").empty());
  EXPECT_TRUE(Showing(scene, "NORMAL").empty());
}

TEST_F(LayersScene, PolylinesFollowTheirBulgesSolidsFillAndOtherTypesAreCounted) {
  // (0,50) to (10,50) with bulge 1: a half circle about (5,50), counter-clockwise, so below the chord.
  const auto shapes = Within(scene, {-1, 40}, {11, 61});
  ASSERT_EQ(shapes.size(), 1u);
  const auto& points = std::get<ScenePolyline>(*shapes[0]).points;
  double lowest = 50;
  for (const Vec2& p : points) {
    if (p.x < 10 - 1e-9) {
      EXPECT_NEAR(std::hypot(p.x - 5, p.y - 50), 5, 1e-9);
    }
    lowest = std::min(lowest, p.y);
  }
  EXPECT_NEAR(lowest, 45, 1e-9);
  ExpectNear(points.back(), {10, 60}, "the straight segment's end");
  // A solid's corners go round as 10, 11, 13, 12.
  const auto solids = Within(scene, {19, 49}, {31, 61});
  ASSERT_EQ(solids.size(), 1u);
  const auto& corners = std::get<SceneFill>(*solids[0]).points;
  ASSERT_EQ(corners.size(), 4u);
  ExpectNear(corners[2], {30, 60}, "third corner");
  ExpectNear(corners[3], {20, 60}, "fourth corner");
  EXPECT_EQ(scene.notDrawn,
            (std::map<std::string, int>{{"HATCH", 1}, {"SPLINE", 1}, {"block references inside their own block", 1}}));
}

TEST(Scene, ALayoutIsFoundByNameAndAnUnknownOneIsNamed) {
  test::SampleFonts fonts;
  const auto drawing = test::Load(test::kSample);
  const Scene paper = BuildScene(*drawing, fonts.Classify(), u"layout1");
  EXPECT_EQ(paper.texts, 1);
  EXPECT_EQ(BuildScene(*drawing, fonts.Classify(), u"Model").texts, BuildScene(*drawing, fonts.Classify()).texts);
  try {
    BuildScene(*drawing, fonts.Classify(), u"Sheet 9");
    FAIL() << "no error";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "The drawing has no layout named \"Sheet 9\"; its layouts: Model, Layout1");
  }
}

TEST(Scene, ClassificationSaysWhichFontsAreHebrewShxAndLeavesTheAddInsConversionStateAlone) {
  test::SampleFonts fonts;
  fonts.fonts().conv.cStType = DosEnglishR;
  fonts.fonts().conv.cStFont = u"EARLIER";
  const FontTypeOf classify = fonts.Classify();
  const struct {
    std::u16string_view font;
    fntType type;
    bool hebrewShx;
  } cases[] = {
      {u"veltro.shx", WindowsHeb, true},  // by its name
      {u"hebkeysr.shx", DosEnglishR, true},
      {u"arial.ttf", TrueType, false},
      {u"romans.shx", DosHebrew, false},  // not in the font table: DosHebrew, but no Hebrew SHX font
  };
  for (const auto& c : cases) {
    const FontClass found = classify(c.font, u"abc");
    EXPECT_EQ(found.type, c.type) << ToUtf8(c.font);
    EXPECT_EQ(found.hebrewShx, c.hebrewShx) << ToUtf8(c.font);
  }
  EXPECT_EQ(fonts.fonts().conv.cStType, DosEnglishR);
  EXPECT_EQ(fonts.fonts().conv.cStFont, u"EARLIER");
}

// The sample's texts in SHX styles: their strings and styles as the drawing holds them.
struct SampleText {
  std::u16string stored;
  TextLook look;
  bool textBackward;
};

std::vector<SampleText> ShxTexts(drawing::Drawing& drawing, const FontTypeOf& classify) {
  std::vector<SampleText> texts;
  const auto add = [&](drawing::Record& r) {
    const drawing::TextView view(drawing, r);
    const std::u16string s = view.TextString();
    const TextLook look = LookOf(drawing, classify, view.StyleName(), s);
    if (look.type != TrueType) texts.push_back({s, look, (view.GenerationFlags() & 2) != 0});
  };
  for (drawing::Record* r : drawing::ModelSpace(drawing).Entities()) {
    if (r->Type() == "TEXT") add(*r);
    if (r->Type() == "INSERT")
      for (drawing::Record* a : drawing::InsertView(drawing, *r).Attributes()) add(*a);
  }
  return texts;
}

// Reading a legacy run as its users do: from the right, runs of other characters left to right.
std::u32string ReadRightToLeft(std::u32string seen) {
  std::reverse(seen.begin(), seen.end());
  const auto hebrew = [](char32_t c) { return c >= 0x05D0 && c <= 0x05EA; };
  for (auto it = seen.begin(); it != seen.end();) {
    auto end = hebrew(*it) ? it + 1 : std::find_if(it, seen.end(), hebrew);
    if (!hebrew(*it)) std::reverse(it, end);
    it = end;
  }
  return seen;
}

TEST(Scene, EveryHebrewTextOfTheSampleReadsRightToLeft) {
  test::SampleFonts fonts;
  const auto drawing = test::Load(test::kSample);
  const Scene scene = BuildScene(*drawing, fonts.Classify());
  // What the sample's author wrote (samples/make_sample.py), less the frozen layer's text.
  std::multiset<std::string> expected = {"תכנית קומה א - מפלס 3",
                                         "תכנית קומה א - מפלס 3",
                                         "תכנית קומה א - מפלס 3",
                                         "תכנית קומה א - מפלס 3",
                                         "תכנית קומה א - מפלס 3",
                                         "חתך 1-1",
                                         "חזית צפונית",
                                         "מטבח",
                                         "חדר שינה 2",
                                         "3 חדרים",
                                         "קיר RC עובי 20",
                                         "שכבה נעולה",
                                         "בית ספר",
                                         "גיליון 4",
                                         "חניה 12",
                                         "דלת",
                                         "חדר 2B שינה",
                                         "הערות כלליות",
                                         "מידות בסמ"};
  std::multiset<std::string> read;
  for (const ScenePrimitive& p : scene.primitives) {
    const auto* t = std::get_if<SceneText>(&p);
    if (t && t->text.type != TrueType && t->text.glyphs != U"30")
      read.insert(ToUtf8(Utf16(ReadRightToLeft(t->text.Seen()))));
  }
  EXPECT_EQ(read, expected);
}

TEST(Scene, SampleTextsShowTheSameGlyphsAfterTheRevitConversionUnlessTheyBeginWithANumberOrJoinOneToLatin) {
  test::SampleFonts fonts;
  const auto drawing = test::Load(test::kSample);
  const textcore::FontConverter& conv = fonts.fonts().conv;
  std::set<std::string> same, different;
  for (const SampleText& t : ShxTexts(*drawing, fonts.Classify())) {
    const bool backwards = t.look.styleBackward || t.textBackward;
    if (backwards) continue;
    const std::u32string before = GlyphRun(t.stored, t.look.type, t.look.brackets);
    const std::u32string after = GlyphRun(conv.AAcadToEditWin(t.stored, t.look.type, false, false, false), TrueType);
    (before == after ? same : different).insert(ToUtf8(Utf16(ReadRightToLeft(before))));
  }
  EXPECT_EQ(different, (std::set<std::string>{"3 חדרים", "חדר 2B שינה"}));
  EXPECT_EQ(same.size(), 10u);  // distinct texts
  EXPECT_TRUE(same.count("קיר RC עובי 20"));
}

}  // namespace
}  // namespace zil::preview
