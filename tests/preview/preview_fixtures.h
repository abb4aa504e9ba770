// What the preview tests share: the bundled sample drawing, the drawings make_fixtures.py writes with
// ezdxf (once per test program, in a temporary folder), and the add-in's font definitions over a
// temporary data folder that holds the sample's font table.
#pragma once

#include <memory>
#include <string>

#include "config/font_definitions.h"
#include "drawing/drawing.h"
#include "preview/scene.h"
#include "preview/scene_builder.h"
#include "support/fake_services.h"
#include "support/temp_folder.h"

namespace zil::preview::test {

inline const std::string kSample = ZIL_SOURCE_DIR "/samples/hebrew-sample.dxf";

// The path of fixture `name` ("layers.dxf", "mtext.dxf").
std::string Fixture(const std::string& name);

std::unique_ptr<drawing::Drawing> Load(const std::string& path);

// The font definitions of a data folder with the sample's "HebFonts.txt".
class SampleFonts {
 public:
  SampleFonts();
  config::FontDefinitions& fonts() { return *fonts_; }
  FontTypeOf Classify() { return ClassifyWith(*fonts_); }

 private:
  zil::test::TempFolder folder_;
  std::unique_ptr<zil::test::FakeServices> fake_;
  std::unique_ptr<config::FontDefinitions> fonts_;
};

// The string of the entity a scene text comes from (an ATTDEF's tag or value as drawn is not told apart).
std::u16string SourceString(drawing::Drawing& drawing, const SceneText& text);

// The scene texts whose entity's string is `s`.
std::vector<const SceneText*> TextsOf(drawing::Drawing& drawing, const Scene& scene, std::u16string_view s);

// The glyphs as a UTF-16 string, for messages and comparisons.
std::u16string Utf16(const std::u32string& glyphs);

}  // namespace zil::preview::test
