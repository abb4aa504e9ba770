// The scene of a drawing's model space, or of a layout's paper space: every entity the preview draws,
// placed in the space's coordinates, with the colour AutoCAD shows it in. Input: a loaded drawing
// (untrusted values; a number that does not parse is a DxfError naming its line).
//
// Drawn: TEXT, MTEXT, ATTDEF (its tag; in a block reference only constant ones, with their value),
// INSERT with its block's contents (position, scale, rotation, columns and rows; nested to any depth, a
// block that holds itself drawn once) and its ATTRIBs, DIMENSION through its block, LINE, LWPOLYLINE and
// POLYLINE (bulges followed), CIRCLE, ARC, SOLID and TRACE (filled), POINT (a dot), and the borders of
// paper-space viewports. Entities on frozen or off layers and invisible ones (group 60) are not drawn; in a block,
// entities on layer 0 take the reference's layer and BYBLOCK colours the reference's colour. Every other
// entity type is counted in Scene::notDrawn.
//
// Texts are drawn by their style's font type as the add-in classifies it (SetFntType with the text and
// the data folder's font table), passed in as `FontTypeOf`, the style's font file named as the stand-in
// host's FontFile names it. A text in a style the drawing does not define draws in the style "Standard",
// as AutoCAD shows it (AutoCAD's default font "txt" when the drawing lacks that too). Round and angle
// brackets show mirrored only in the fonts the font table lists as Hebrew SHX fonts.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "config/font_definitions.h"
#include "drawing/drawing.h"
#include "preview/scene.h"
#include "textcore/font_type.h"

namespace zil::preview {

// A font as the add-in classifies it for a text.
struct FontClass {
  fntType type = DosHebrew;
  bool hebrewShx = false;  // the font table (or the "VELTRO" name) makes it an SHX font with Hebrew letters
};

// The class of the font of a text in a style with font file `fontFile`.
using FontTypeOf = std::function<FontClass(std::u16string_view fontFile, std::u16string_view text)>;

// The font as `fonts` says it draws the text (FontDefinitions::DrawnAs: the type SetFntType(fontFile, text)
// decides, and whether the font table lists the font as a Hebrew SHX type); the conversion state of
// `fonts` is not touched.
FontTypeOf ClassifyWith(config::FontDefinitions& fonts);

// `layout`: empty or "Model" for model space, else a layout's name (any case). Throws std::runtime_error
// naming the drawing's layouts when there is no such layout.
Scene BuildScene(drawing::Drawing& drawing, const FontTypeOf& fontTypeOf, std::u16string_view layout = {});

// The scene one top-level entity at a time, with the look-ups of one BuildScene kept between entities
// (layers, text styles, block definitions): for a view that keeps each entity's part of the scene apart
// and builds again only the entities that changed. The look-ups are read once, so a builder is made anew
// after a layer, a text style or a block definition changed.
class EntitySceneBuilder {
 public:
  EntitySceneBuilder(drawing::Drawing& drawing, const FontTypeOf& fontTypeOf);
  ~EntitySceneBuilder();
  EntitySceneBuilder(const EntitySceneBuilder&) = delete;
  EntitySceneBuilder& operator=(const EntitySceneBuilder&) = delete;

  // What BuildScene draws for `entity`, an entity of a space (not a part of one, such as an ATTRIB):
  // its primitives in drawing order, with extents, counts and what was not drawn for it alone.
  Scene Build(drawing::Record& entity);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// How a text style draws: its font type for `text`, and its generation flags. A style the drawing lacks
// draws as "Standard".
TextLook LookOf(drawing::Drawing& drawing, const FontTypeOf& fontTypeOf, std::u16string_view style,
                std::u16string_view text);

}  // namespace zil::preview
