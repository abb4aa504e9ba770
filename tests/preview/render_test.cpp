// Painting: every text's ink stays inside the box the host gives the text, a frozen layer's text draws
// nothing, and the sample's previews (before and after the Revit conversion's strings) land in the build
// folder for people to look at.
#include "preview/render.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QRectF>
#include <filesystem>

#include "conversions/mtext_paragraphs.h"
#include "drawing/spaces.h"
#include "drawing/table_views.h"
#include "preview/scene_painter.h"
#include "preview_fixtures.h"
#include "textcore/utf8.h"

namespace zil::preview {
namespace {

const QSize kSize(2400, 1800);

// The pixels of `box` (in the space) on an image painted over `window`, 2 pixels wider on every side
// for antialiasing.
QRectF PixelRect(const Box2& box, const Box2& window, double grow = 2) {
  const QTransform toPixels = SpaceToPixels(window, kSize);
  return QRectF(toPixels.map(QPointF(box.lo.x, box.lo.y)), toPixels.map(QPointF(box.hi.x, box.hi.y)))
      .normalized()
      .adjusted(-grow, -grow, grow, grow);
}

struct Ink {
  int inside = 0;
  int outside = 0;
};

Ink InkIn(const QImage& image, const QRectF& rect) {
  Ink ink;
  for (int y = 0; y < image.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if (line[x] == qRgb(255, 255, 255)) continue;
      (rect.contains(x + 0.5, y + 0.5) ? ink.inside : ink.outside) += 1;
    }
  }
  return ink;
}

Box2 BoxOf(const std::vector<Vec2>& points) {
  Box2 box;
  for (Vec2 p : points) box.Add(p);
  return box;
}

// The box the host gives the entity a scene text comes from: a single-line text's by the font-metric
// model, an MText's whole box; a text inside a block, the model's box placed by the reference.
Box2 HostBox(drawing::Drawing& drawing, const SceneText& text, const FontTypeOf& classify) {
  drawing::Record& r = *text.source;
  if (r.Type() == "MTEXT") {
    const drawing::MTextView view(drawing, r);
    return BoxOf(LayOutMText(view, LookOf(drawing, classify, view.StyleName(), view.TextString())).box);
  }
  if (r.Type() == "ATTRIB" || drawing::ModelSpace(drawing).Holds(r)) {
    const drawing::TextView view(drawing, r);
    const auto [lo, hi] = drawing::BoundingBox(ReadTextGeometry(view, view.TextString()));
    return Box2{{lo.x, lo.y}, {hi.x, hi.y}};
  }
  return BoxOf(RunCorners(text.text));
}

TEST(Render, EveryTextsInkLiesInsideItsBox) {
  test::SampleFonts fonts;
  const auto drawing = test::Load(test::kSample);
  const Scene scene = BuildScene(*drawing, fonts.Classify());
  const Box2 window = DefaultWindow(scene);
  const ScenePainter painter;
  int texts = 0;
  for (const ScenePrimitive& p : scene.primitives) {
    const auto* text = std::get_if<SceneText>(&p);
    if (!text) continue;
    ++texts;
    Scene one;
    one.primitives.push_back(*text);  // one at a time, so that nothing else's ink counts
    const Ink ink =
        InkIn(painter.Paint(one, window, kSize), PixelRect(HostBox(*drawing, *text, fonts.Classify()), window));
    const std::string what = textcore::ToUtf8(test::Utf16(text->text.glyphs));
    EXPECT_GT(ink.inside, 20) << what;
    EXPECT_EQ(ink.outside, 0) << what;
  }
  EXPECT_EQ(texts, 23);  // single-line texts, attributes, MText lines, the door tag, the dimension's text
}

TEST(Render, AFrozenLayersTextDrawsNothing) {
  test::SampleFonts fonts;
  const auto drawing = test::Load(test::kSample);
  drawing::Record* frozen = nullptr;
  for (drawing::Record* r : drawing::ModelSpace(*drawing).Entities())
    if (r->Type() == "TEXT" && drawing::TextView(*drawing, *r).Layer() == u"FROZEN") frozen = r;
  ASSERT_NE(frozen, nullptr);
  const drawing::TextView view(*drawing, *frozen);
  const auto [lo, hi] = drawing::BoundingBox(ReadTextGeometry(view, view.TextString()));
  const Box2 box{{lo.x, lo.y}, {hi.x, hi.y}};

  const Scene scene = BuildScene(*drawing, fonts.Classify());
  const Box2 window = DefaultWindow(scene);
  const ScenePainter painter;
  EXPECT_EQ(InkIn(painter.Paint(scene, window, kSize), PixelRect(box, window, 0)).inside, 0);
  // Thawed, it shows there: the region is free of everything else.
  drawing::LayerView(*drawing, *drawing::FindTableRecord(*drawing, "LAYER", u"FROZEN")).SetFrozen(false);
  const Scene thawed = BuildScene(*drawing, fonts.Classify());
  EXPECT_GT(InkIn(painter.Paint(thawed, window, kSize), PixelRect(box, window, 0)).inside, 20);
}

// The strings (and, for a horizontal text with generation flags, the placement) the Revit conversion
// writes: every text, attribute and MText of an SHX style in model space and in named blocks gets its edit
// form in the TrueType style. Until `zil revit --preview` renders the conversion itself, this shows its
// "after".
void ConvertStringsAsTheRevitConversionDoes(drawing::Drawing& drawing, const FontTypeOf& classify,
                                            const textcore::FontConverter& conv) {
  const auto single = [&](drawing::Record& r) {
    drawing::TextView t(drawing, r);
    const std::u16string s = t.TextString();
    const TextLook look = LookOf(drawing, classify, t.StyleName(), s);
    if (look.type == TrueType) return;
    const bool backwards = look.styleBackward || (t.GenerationFlags() & 2) != 0;
    if (t.GenerationFlags() != 0) {
      ASSERT_EQ(t.RotationDegrees(), 0) << "a turned text with generation flags";
      // Aligned along the bottom of its box, drawn backwards and upside down, which reads as before.
      const auto [lo, hi] = drawing::BoundingBox(ReadTextGeometry(t, s));
      t.SetHorizontalAlignment(drawing::kAligned);
      t.SetInsertionPoint({lo.x, lo.y, 0});
      t.SetAlignmentPoint({hi.x, lo.y, 0});
      t.SetGenerationFlags(6);
    }
    t.SetTextString(conv.AAcadToEditWin(s, look.type, backwards, false, false));
    t.SetStyleName(u"HEB_TTF");
  };
  std::vector<drawing::Space> spaces = {drawing::ModelSpace(drawing)};
  for (const drawing::Space& block : drawing::BlockSpaces(drawing))
    if (!block.IsLayout() && !block.Name().starts_with(u"*")) spaces.push_back(block);
  for (const drawing::Space& space : spaces) {
    for (drawing::Record* r : space.Entities()) {
      if (r->Type() == "TEXT") single(*r);
      if (r->Type() == "INSERT")
        for (drawing::Record* a : drawing::InsertView(drawing, *r).Attributes()) single(*a);
      if (r->Type() != "MTEXT") continue;
      drawing::MTextView m(drawing, *r);
      const TextLook look = LookOf(drawing, classify, m.StyleName(), m.TextString());
      if (look.type == TrueType) continue;
      std::u16string converted;
      for (const auto& p : conversions::SplitParagraphs(conversions::StripFormatGroup(m.TextString())))
        converted += conv.AAcadToEditWin(p.followedByMark ? p.text + u"\\P" : p.text, look.type, look.styleBackward,
                                         false, false);
      m.SetTextString(converted);
      m.SetStyleName(u"HEB_TTF");
    }
  }
}

TEST(Render, TheSamplesPreviewsBeforeAndAfterTheRevitConversion) {
  test::SampleFonts fonts;
  const std::filesystem::path folder = ZIL_PREVIEW_DIR;
  std::filesystem::create_directories(folder);
  const auto before = test::Load(test::kSample);
  RenderOptions options;
  const RenderReport report = RenderDrawingToPng(*before, fonts.fonts(), options, folder / "hebrew-sample.png");
  EXPECT_EQ(report.texts, 23);
  EXPECT_EQ(report.notDrawn, (std::map<std::string, int>{}));
  options.layout = u"Layout1";
  RenderDrawingToPng(*before, fonts.fonts(), options, folder / "hebrew-sample-Layout1.png");
  EXPECT_EQ(QImage(QString::fromStdString((folder / "hebrew-sample.png").string())).size(), QSize(1600, 1200));

  const auto after = test::Load(test::kSample);
  ConvertStringsAsTheRevitConversionDoes(*after, fonts.Classify(), fonts.fonts().conv);
  options = RenderOptions{};
  options.width = kSize.width();
  options.height = kSize.height();
  RenderBeforeAndAfterPng(*before, *after, fonts.fonts(), options, folder / "hebrew-sample_before.png",
                          folder / "hebrew-sample_after.png", folder / "hebrew-sample_before_after.png");
  const QImage first(QString::fromStdString((folder / "hebrew-sample_before.png").string()));
  const QImage second(QString::fromStdString((folder / "hebrew-sample_after.png").string()));
  const QImage both(QString::fromStdString((folder / "hebrew-sample_before_after.png").string()));
  ASSERT_EQ(first.size(), kSize);
  ASSERT_EQ(second.size(), kSize);
  ASSERT_EQ(both.size(), QSize(2 * kSize.width() + 4, kSize.height()));
  EXPECT_EQ(both.copy(0, 0, kSize.width(), kSize.height()), first.convertToFormat(both.format()));
  EXPECT_EQ(both.copy(kSize.width() + 4, 0, kSize.width(), kSize.height()), second.convertToFormat(both.format()));

  // A text that shows the same glyphs after the conversion looks the same, pixel for pixel (one font, the
  // same cells); "3 חדרים" and "חדר 2B שינה" do not; "חניה 12", drawn backwards by its own flag, reads
  // as before once it is aligned, backwards and upside down.
  const Scene scene = BuildScene(*before, fonts.Classify());
  const Box2 window = DefaultWindow(scene);  // both drawings draw the same extents
  const auto region = [&](std::u16string_view stored) {
    const std::vector<const SceneText*> texts = test::TextsOf(*before, scene, stored);
    EXPECT_EQ(texts.size(), 1u) << textcore::ToUtf8(std::u16string(stored));
    return PixelRect(BoxOf(RunCorners(texts.at(0)->text)), window, 0).toAlignedRect();
  };
  const auto same = [&](std::u16string_view stored) {
    return first.copy(region(stored)) == second.copy(region(stored));
  };
  EXPECT_TRUE(same(u" 3סלפמ - א המוק תינכת"));
  EXPECT_TRUE(same(u"תינופצ תיזח"));
  EXPECT_TRUE(same(u" 20יבוע RC ריק"));
  EXPECT_TRUE(same(u"חניה21 "));
  EXPECT_TRUE(same(u" 1-1\u008A\u009A\u2021"));  // turned: "חתך 1-1" in DOS letters
  EXPECT_FALSE(same(u"םירדח3 "));
  EXPECT_FALSE(same(u"הניש 2B רדח"));
}

}  // namespace
}  // namespace zil::preview
