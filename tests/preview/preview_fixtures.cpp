#include "preview_fixtures.h"

#include "drawing/dxf_file.h"
#include "drawing/entity_views.h"
#include "support/ezdxf_fixtures.h"

namespace zil::preview::test {
namespace {

const zil::test::TempFolder& FixtureFolder() { return zil::test::FixturesMadeBy("preview/make_fixtures.py"); }

}  // namespace

std::string Fixture(const std::string& name) { return (FixtureFolder() / name).string(); }

std::unique_ptr<drawing::Drawing> Load(const std::string& path) { return drawing::LoadDxfFile(path); }

SampleFonts::SampleFonts() {
  folder_.Write("HebFonts.txt", zil::test::TempFolder::Read(ZIL_SOURCE_DIR "/samples/data/HebFonts.txt"));
  fake_ = std::make_unique<zil::test::FakeServices>(folder_.path());
  fonts_ = std::make_unique<config::FontDefinitions>(fake_->services());
}

std::u16string SourceString(drawing::Drawing& drawing, const SceneText& text) {
  drawing::Record& r = *text.source;
  if (r.Type() == "MTEXT") return drawing::MTextView(drawing, r).TextString();
  return drawing::TextView(drawing, r).TextString();
}

std::vector<const SceneText*> TextsOf(drawing::Drawing& drawing, const Scene& scene, std::u16string_view s) {
  std::vector<const SceneText*> found;
  for (const ScenePrimitive& p : scene.primitives)
    if (const auto* t = std::get_if<SceneText>(&p); t && SourceString(drawing, *t) == s) found.push_back(t);
  return found;
}

std::u16string Utf16(const std::u32string& glyphs) {
  std::u16string s;
  for (char32_t c : glyphs) {
    if (c > 0xFFFF) {
      s += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      s += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      s += static_cast<char16_t>(c);
    }
  }
  return s;
}

}  // namespace zil::preview::test
