// Where texts stand: every run fills the box the host's geometry gives its text, backwards and upside-down
// texts mirror their runs, and MText lines stand as the font-metric model puts them.
#include <gtest/gtest.h>

#include "drawing/spaces.h"
#include "preview/glyph_run.h"
#include "preview/text_layout.h"
#include "preview_fixtures.h"
#include "textcore/utf8.h"

namespace zil::preview {
namespace {

using textcore::ToUtf8;

void ExpectNear(Vec2 actual, Vec2 expected, const std::string& what) {
  EXPECT_NEAR(actual.x, expected.x, 1e-9) << what;
  EXPECT_NEAR(actual.y, expected.y, 1e-9) << what;
}

Box2 BoxAround(const std::vector<Vec2>& points) {
  Box2 box;
  for (Vec2 p : points) box.Add(p);
  return box;
}

TEST(TextLayout, EveryTextOfTheSampleFillsTheBoxTheHostGivesIt) {
  test::SampleFonts fonts;
  const auto drawing = test::Load(test::kSample);
  std::vector<drawing::Record*> texts;
  for (drawing::Record* r : drawing::ModelSpace(*drawing).Entities()) {
    if (r->Type() == "TEXT") texts.push_back(r);
    if (r->Type() == "INSERT")
      for (drawing::Record* a : drawing::InsertView(*drawing, *r).Attributes()) texts.push_back(a);
  }
  ASSERT_EQ(texts.size(), 18u);
  std::map<std::string, Box2> boxes;
  for (drawing::Record* r : texts) {
    const drawing::TextView view(*drawing, *r);
    const std::u16string s = view.TextString();
    const TextLook look = LookOf(*drawing, fonts.Classify(), view.StyleName(), s);
    const PlacedText placed = LayOutText(view, s, look);
    const Box2 run = BoxAround(RunCorners(placed));
    const auto [lo, hi] = drawing::BoundingBox(ReadTextGeometry(view, s, look.type == DosEnglishR));
    const std::string what = ToUtf8(s);
    ExpectNear(run.lo, {lo.x, lo.y}, what);
    ExpectNear(run.hi, {hi.x, hi.y}, what);
    boxes[what] = run;
  }
  // The aligned text runs between its two points; the text drawn backwards by its own flag, and the text
  // of a font that draws right to left, end at their insertion points; the right-aligned text turned by 90
  // degrees ends at its alignment point.
  ExpectNear(boxes["תינופצ תיזח"].lo, {0, 15}, "aligned");
  EXPECT_NEAR(boxes["תינופצ תיזח"].hi.x, 40, 1e-9);
  ExpectNear(boxes["חניה21 "].hi, {150, 57.5}, "backward");
  EXPECT_NEAR(boxes["חניה21 "].lo.x, 150 - 7 * 0.8 * 2.5, 1e-9);
  ExpectNear(boxes[" 2הניש רדח"].hi, {100, 10}, "bottom right, turned");
  ExpectNear(boxes[",fbh, eunv t - npkx3 "].hi, {0, 42.5}, "right to left");
}

TEST(TextLayout, BackwardsAndUpsideDownMirrorTheRunWithinTheBox) {
  drawing::TextGeometry g;
  g.insertion = {10, 20, 0};
  g.height = 1;
  g.characters = 4;
  const double length = 3.2;
  struct Case {
    fntType type;
    bool styleBackward, textBackward, styleUpsideDown;
    Vec2 runStart;  // where the run's first cell begins: the bottom of its side of the box
    bool mirrorGlyphs;
  };
  const std::vector<Case> cases = {
      {WindowsHeb, false, false, false, {10, 20}, false},
      {WindowsHeb, true, false, false, {10 + length, 20}, true},  // in the host's box, from its right end
      {WindowsHeb, false, true, false, {10, 20}, true},           // the box runs to the left of the start
      {TrueType, true, false, false, {10 + length, 20}, false},   // mirrored whole, glyphs included
      {WindowsHeb, false, false, true, {10, 21}, false},          // hanging from the top of the box
  };
  for (const Case& c : cases) {
    g.backward = c.textBackward;
    const PlacedText placed = PlaceRun(g, U"abcd", {c.type, c.styleBackward, c.styleUpsideDown});
    const std::string what = "type " + std::to_string(c.type) + (c.styleBackward ? " style backward" : "") +
                             (c.textBackward ? " text backward" : "") + (c.styleUpsideDown ? " upside down" : "");
    ExpectNear(placed.runToEntity({0, 0}), c.runStart, what);
    EXPECT_EQ(placed.mirrorGlyphs, c.mirrorGlyphs) << what;
    EXPECT_EQ(placed.Seen(), c.styleBackward || c.textBackward ? U"dcba" : U"abcd") << what;
    const Box2 box = BoxAround(RunCorners(placed));
    const auto [lo, hi] = drawing::BoundingBox(g);
    ExpectNear(box.lo, {lo.x, lo.y}, what);
    ExpectNear(box.hi, {hi.x, hi.y}, what);
  }
}

TEST(TextLayout, MTextParagraphsAreReadAsTheMTextEditorReadsThem) {
  const std::vector<std::pair<std::u16string, std::vector<std::u16string>>> cases = {
      {u"{\\fArial|b0|i0;ABC\\PDEF}", {u"ABC", u"DEF"}},  // the leading format group goes
      {u"A\\P", {u"A"}},                                  // no empty last paragraph
      {u"A\\P\\PB", {u"A", u"", u"B"}},
      {u"x{\\C1;y}", {u"x{\\C1;y}"}},  // other format codes stay as characters
      {u"", {}},
  };
  for (const auto& [contents, paragraphs] : cases) EXPECT_EQ(MTextParagraphs(contents), paragraphs) << ToUtf8(contents);
}

TEST(TextLayout, MTextLinesWrapAndStandByTheirAttachmentPoint) {
  test::SampleFonts fonts;
  const auto drawing = test::Load(test::Fixture("mtext.dxf"));
  std::vector<PlacedMText> texts;
  for (drawing::Record* r : drawing::ModelSpace(*drawing).Entities()) {
    const drawing::MTextView view(*drawing, *r);
    texts.push_back(LayOutMText(view, LookOf(*drawing, fonts.Classify(), view.StyleName(), view.TextString())));
  }
  ASSERT_EQ(texts.size(), 3u);
  // A width of 8 holds 10 glyphs of 0.8: the words wrap, a longer word stands alone. Top left at (0, 0):
  // baselines 1 below the top, then 5/3 apart.
  const std::vector<std::u32string> wrapped = {U"aaa bbb", U"ccc", U"dddddddddddd", U"e"};
  ASSERT_EQ(texts[0].lines.size(), wrapped.size());
  for (std::size_t i = 0; i < wrapped.size(); ++i) {
    EXPECT_EQ(texts[0].lines[i].glyphs, wrapped[i]);
    ExpectNear(texts[0].lines[i].runToEntity({0, 0}), {0, -1 - static_cast<double>(i) * 5 / 3}, "wrapped line");
  }
  ExpectNear(texts[0].box[0], {0, -1 - 3 * 5.0 / 3}, "box bottom left");
  ExpectNear(texts[0].box[2], {12 * 0.8, 0}, "box top right: the longest line");
  // Middle centre at (50, 0): the box of two lines centred there, each line centred in it.
  ExpectNear(texts[1].box[0], {50 - 11 * 0.4, -(1 + 5.0 / 3) / 2}, "centred box");
  ExpectNear(texts[1].lines[0].runToEntity({0, 0}), {50 - 6 * 0.4, (1 + 5.0 / 3) / 2 - 1}, "centred line");
  // Bottom right at (100, 0), turned by 90 degrees: the text runs up to the insertion point.
  ExpectNear(texts[2].lines[0].runToEntity({0, 0}), {100, -6 * 0.8}, "turned");
  ExpectNear(texts[2].lines[0].runToEntity({6 * 0.8, 0}), {100, 0}, "turned, end");
}

}  // namespace
}  // namespace zil::preview
