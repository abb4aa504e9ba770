// The drawing as the workbench's view shows it: every entity of one space (model space or a layout) with
// its part of the preview's scene (hosts/preview) and its box, in drawing order, and a spatial index over
// the boxes (Boost.Geometry's R-tree) that answers picks and which entities a region of the screen shows.
//
// It follows the records a change touched (the stand-in document's observers are told them): the
// entities those records belong to are built again, and nothing else; an entity's old and new boxes are
// what must be painted again. A change of a layer, a text style, a block definition or an entity inside
// one builds the whole space again, since any entity may show it. No Qt here.
//
// Memory: a part keeps its texts without their glyphs (a text too small to read is drawn as its box,
// which needs none), and an entity that is one text line (most of a drawing's) only as that line's mark;
// the glyphs of the entities painted large enough to read are built again when asked for (Full) and
// kept for the last few thousand. The records' tags read for a part are let go again.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <variant>
#include <vector>

#include "drawing/drawing.h"
#include "preview/scene.h"
#include "preview/scene_builder.h"

namespace zil::workbench {

using preview::Box2;
using preview::Vec2;

// A text line without its glyphs: its run's place in the space (preview::PlacedText's run space), its
// size and colour.
struct TextMark {
  preview::Affine runToSpace;
  double length = 0;
  double height = 0;
  preview::Rgb colour;
};

// The corners of a mark's run: start of the baseline, its end, end of the top line, start of the top line.
std::array<Vec2, 4> MarkCorners(const TextMark& mark);
TextMark MarkOf(const preview::SceneText& text);

struct EntityPart {
  drawing::Record* entity = nullptr;
  std::uint32_t order = 0;  // drawing order: file order, new entities after the others
  bool hasTexts = false;    // some of what it draws are texts, kept without their glyphs
  Box2 box;                 // empty when the entity draws nothing (then it is not in the index)
  // An entity that draws one text line of its own is that line's mark; any other its primitives.
  std::variant<std::vector<preview::ScenePrimitive>, TextMark> shape;

  const TextMark* Mark() const { return std::get_if<TextMark>(&shape); }
  // The primitives of a part that is no mark (none for a mark).
  const std::vector<preview::ScenePrimitive>& Primitives() const;
};

// What a change means for the screen: the boxes to paint again (each changed entity's old and new box),
// or everything.
struct Damage {
  bool all = false;
  std::vector<Box2> boxes;
  bool Empty() const noexcept { return !all && boxes.empty(); }
};

// What a pick hit: the entity, and the record of the primitive hit (the ATTRIB of a block reference when
// its text was hit, else the entity itself).
struct Hit {
  const EntityPart* part = nullptr;
  drawing::Record* record = nullptr;
};

class ViewScene {
 public:
  // The scene of `layout` ("Model" or a layout's name, any case). Throws std::runtime_error for a layout
  // the drawing lacks, DxfError for a value that is not a number.
  ViewScene(drawing::Drawing& drawing, preview::FontTypeOf fontTypeOf, std::u16string layout);
  ~ViewScene();
  ViewScene(const ViewScene&) = delete;
  ViewScene& operator=(const ViewScene&) = delete;

  const std::u16string& Layout() const noexcept { return layout_; }
  // The box of everything drawn; empty when nothing is.
  Box2 Extents() const;
  // Entities that draw something.
  std::size_t Drawn() const;

  // Follows a change: `records` are those it touched (see above).
  Damage Apply(const std::vector<drawing::Record*>& records);
  // Builds everything again (the font table changed, for one).
  void Rebuild();

  // Drawn entities whose boxes meet `region`, in drawing order.
  std::vector<const EntityPart*> InRegion(const Box2& region) const;
  // Entities whose boxes lie inside `window`, or with `crossing` meet it, in drawing order.
  std::vector<const EntityPart*> InWindow(const Box2& window, bool crossing) const;
  // The entity drawn nearest `at`, within `tolerance` drawing units: a text is hit inside its box, a line
  // near it, a fill inside it; of two as near, the one drawn last.
  std::optional<Hit> Pick(Vec2 at, double tolerance) const;
  // The part of an entity of the space; nullptr for a record that is none. Valid until the next Apply.
  const EntityPart* Find(const drawing::Record& entity) const;
  // A part's primitives with the glyphs of its texts, built again when not kept (see above).
  const std::vector<preview::ScenePrimitive>& Full(const EntityPart& part) const;

 private:
  struct Index;

  void Build(EntityPart& part);
  // What the builder draws for the entity, its tags let go afterwards; nothing for an erased one.
  preview::Scene SceneOf(drawing::Record& entity) const;
  void Unindex(const EntityPart& part);
  void IndexPart(const EntityPart& part);
  std::vector<const EntityPart*> InOrder(const std::vector<std::uint32_t>& orders) const;
  // The entity of this space that `record` belongs to, nullptr when none; `elsewhere` is set for an
  // entity inside a block definition (or another layout's block).
  drawing::Record* OwnerInSpace(drawing::Record& record, bool& elsewhere) const;

  drawing::Drawing& drawing_;
  preview::FontTypeOf fontTypeOf_;
  std::u16string layout_;
  const drawing::Record* spaceEnd_ = nullptr;  // the ENDSEC or ENDBLK that closes the space's records
  int paper_ = -1;                             // in the ENTITIES section: 0 model space, 1 paper space
  std::unique_ptr<preview::EntitySceneBuilder> builder_;
  std::vector<EntityPart> parts_;  // by order
  std::unordered_map<const drawing::Record*, std::uint32_t> orders_;
  std::unique_ptr<Index> index_;
  mutable std::unordered_map<std::uint32_t, std::vector<preview::ScenePrimitive>> full_;  // parts with glyphs
  mutable std::vector<char> marks_;                                                       // InOrder's scratch
};

}  // namespace zil::workbench
