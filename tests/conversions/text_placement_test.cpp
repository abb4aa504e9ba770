// Where converted texts stand and how they read: a text of every kind of placement in every SHX font type
// (its own flag and its style's backwards, rotated, aligned every way, a font that draws right to left),
// converted for Revit and to a style of every font type, shows each of its glyphs where the same glyph
// showed before, as the previews draw them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <nlohmann/json.hpp>

#include "conversion_fixtures.h"
#include "conversions/font_conversion.h"
#include "conversions/revit_conversion.h"
#include "drawing/standin/font_directions.h"
#include "drawing/tag_values.h"
#include "preview/scene_builder.h"
#include "support/fake_services.h"
#include "support/temp_folder.h"
#include "textcore/utf8.h"

namespace zil::conversions::test {
namespace {

using textcore::FromUtf8;
using textcore::ToUtf8;

struct Placement {
  std::u16string handle;
  std::string style;
  int flag = 0;
  int angle = 0;
  std::string alignment;

  std::string Name() const {
    return style + " flag " + std::to_string(flag) + " at " + std::to_string(angle) + " " + alignment;
  }
};

std::vector<Placement> ReadPlacements() {
  const auto handles = nlohmann::json::parse(zil::test::TempFolder::Read(Fixture("handles.json")));
  std::vector<Placement> all;
  for (const auto& p : handles.at("placements"))
    all.push_back({FromUtf8(p[0].get<std::string>()), p[1], p[2], p[3], p[4]});
  return all;
}

fntType TypeOfStyle(const std::string& style) {
  if (style == "DOS") return DosHebrew;
  if (style == "KEYS") return DosEnglish;
  if (style == "KEYSR") return DosEnglishR;
  return WindowsHeb;
}

// One glyph as the preview draws it: what it shows and the middle of its cell in the drawing.
struct Glyph {
  char32_t c;
  double x, y;
};

std::vector<Glyph> GlyphsOf(standin::StandInDocument& doc, const std::u16string& handle,
                            const preview::FontTypeOf& classify) {
  drawing::Drawing& d = doc.Dwg();
  drawing::Record* r = d.FindByHandle(*drawing::ToHandle(ToUtf8(handle)));
  const drawing::TextView view(d, *r);
  const std::u16string s = view.TextString();
  const preview::PlacedText placed = preview::LayOutText(view, s, preview::LookOf(d, classify, view.StyleName(), s));
  std::vector<Glyph> glyphs;
  const double n = static_cast<double>(placed.glyphs.size());
  for (std::size_t k = 0; k < placed.glyphs.size(); ++k) {
    const preview::Vec2 p = placed.runToEntity({(static_cast<double>(k) + 0.5) * placed.length / n, placed.height / 2});
    glyphs.push_back({placed.glyphs[k], p.x, p.y});
  }
  std::sort(glyphs.begin(), glyphs.end(),
            [](const Glyph& a, const Glyph& b) { return std::tie(a.x, a.y) < std::tie(b.x, b.y); });
  return glyphs;
}

std::string Show(const std::vector<Glyph>& glyphs) {
  std::string s;
  for (const Glyph& g : glyphs) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, " (%.2f %.2f)", g.x, g.y);
    s += ToUtf8(std::u16string(1, static_cast<char16_t>(g.c))) + buffer;
  }
  return s;
}

// The placements drawing, each text holding "חדר 12 - א" as its font stores it, in a host of its own.
class Placements : public ::testing::Test {
 protected:
  Placements() : fonts(fake.services()) {}

  // A fresh copy of the drawing, open in a host that knows the fonts that draw right to left.
  void Open() {
    const auto file = work / ("placements" + std::to_string(++opened) + ".dxf");
    std::filesystem::copy_file(Fixture("placements.dxf"), file);
    app = standin::StandInApplication::Create();
    app->SetRightToLeftFonts(standin::RightToLeftFontsOf(fonts));
    doc = app->OpenDrawing(file);
    host.AcadApp = app;
    host.RefreshHost(fake.keyboard);
    for (const Placement& p : cases) {
      textcore::FontConverter conv;
      conv.cStType = TypeOfStyle(p.style);
      conv.cStBack = p.flag == 2 || p.style == "WINBACK";
      doc->HandleToObject(p.handle)->SetTextString(conv.EditToacadWin(FromUtf8("חדר 12 - א"), false));
    }
  }

  std::map<std::u16string, std::vector<Glyph>> Seen() {
    std::map<std::u16string, std::vector<Glyph>> seen;
    for (const Placement& p : cases) seen[p.handle] = GlyphsOf(*doc, p.handle, classify);
    return seen;
  }

  void ExpectSameGlyphs(const std::map<std::u16string, std::vector<Glyph>>& before, const std::string& conversion) {
    for (const Placement& p : cases) {
      const std::vector<Glyph> after = GlyphsOf(*doc, p.handle, classify);
      const std::vector<Glyph>& was = before.at(p.handle);
      bool same = after.size() == was.size();
      for (std::size_t k = 0; same && k < after.size(); ++k)
        same =
            after[k].c == was[k].c && std::abs(after[k].x - was[k].x) < 1e-6 && std::abs(after[k].y - was[k].y) < 1e-6;
      EXPECT_TRUE(same) << conversion << ": " << p.Name() << "\n before:" << Show(was) << "\n after: " << Show(after);
    }
  }

  zil::test::TempFolder work;
  zil::test::FakeServices fake{work.Write("HebFonts.txt",
                                          "[Fonts]\r\nhebkeys=DosEnglish\r\nhebkeysr=DosEnglishR\r\n"
                                          "tri=Windows\r\ntri2=Windows\r\ntri3=Windows\r\n"
                                          "tri4=Windows\r\nkeys2=DosEnglish\r\nrtl2=DosEnglishR\r\n")
                                   .parent_path()};
  config::FontDefinitions fonts;
  preview::FontTypeOf classify = preview::ClassifyWith(fonts);
  std::vector<Placement> cases = ReadPlacements();
  int opened = 0;
  std::shared_ptr<standin::StandInApplication> app;
  std::shared_ptr<standin::StandInDocument> doc;
  acad::HostState host;
};

TEST_F(Placements, TextsConvertedForRevitShowEveryGlyphWhereItWas) {
  ASSERT_EQ(cases.size(), 150u);
  Open();
  const auto before = Seen();
  const WalkReport report = ConvertDrawingForRevit(*doc, fonts, {});
  EXPECT_EQ(report.failed, 0u) << report.firstFailure;
  EXPECT_EQ(report.converted, 150u);
  ExpectSameGlyphs(before, "Revit");
}

TEST_F(Placements, TextsConvertedToAStyleOfEveryFontTypeShowEveryGlyphWhereItWas) {
  for (const char* target : {"TO_DOS", "TO_KEYS", "TO_KEYSR", "TO_WIN", "TO_WINBACK", "TO_TTF"}) {
    Open();
    const auto before = Seen();
    FontConversion flow(host, fonts, fake.messages);
    flow.LoadStyleTable();
    for (const char16_t* font : {u"hebdos.shx", u"hebkeys.shx", u"hebkeysr.shx", u"tri.shx", u"tri2.shx"})
      ASSERT_TRUE(flow.Check(font)) << ToUtf8(font);
    flow.targetStyle = FromUtf8(target);
    const WalkReport report = flow.Convert();
    EXPECT_EQ(report.failed, 0u) << report.firstFailure;
    EXPECT_EQ(report.converted, 150u) << target;
    ExpectSameGlyphs(before, target);
  }
}

}  // namespace
}  // namespace zil::conversions::test
