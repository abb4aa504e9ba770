// The drawing as the workbench's view shows it: every entity of one space (model space or a layout) with
// its part of the preview's scene (hosts/preview) and its box, in drawing order, and a spatial index over
// the boxes (Boost.Geometry's R-tree) that answers picks and which entities a region of the screen shows.
//
// It follows the records a change touched (the stand-in document's observers are told them): the
// entities those records belong to are built again, and nothing else; an entity's old and new boxes are
// what must be painted again. A change of a layer, a text style, a block definition or an entity inside
// one builds the whole space again, since any entity may show it. No Qt here.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "drawing/drawing.h"
#include "preview/scene.h"
#include "preview/scene_builder.h"

namespace zil::workbench {

using preview::Box2;
using preview::Vec2;

struct EntityPart {
  drawing::Record* entity = nullptr;
  std::uint64_t order = 0;  // drawing order: file order, new entities after the others
  Box2 box;                 // empty when the entity draws nothing (then it is not in the index)
  std::vector<preview::ScenePrimitive> primitives;
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
  // The part of an entity of the space; nullptr for a record that is none.
  const EntityPart* Find(const drawing::Record& entity) const;

 private:
  struct Index;

  void Build(EntityPart& part);
  void Unindex(const EntityPart& part);
  void IndexPart(const EntityPart& part);
  // The entity of this space that `record` belongs to, nullptr when none; `elsewhere` is set for an
  // entity inside a block definition (or another layout's block).
  drawing::Record* OwnerInSpace(drawing::Record& record, bool& elsewhere) const;

  drawing::Drawing& drawing_;
  preview::FontTypeOf fontTypeOf_;
  std::u16string layout_;
  const drawing::Record* spaceEnd_ = nullptr;  // the ENDSEC or ENDBLK that closes the space's records
  int paper_ = -1;                             // in the ENTITIES section: 0 model space, 1 paper space
  std::unique_ptr<preview::EntitySceneBuilder> builder_;
  std::unordered_map<const drawing::Record*, EntityPart> parts_;
  std::unique_ptr<Index> index_;
  std::uint64_t nextOrder_ = 0;
};

}  // namespace zil::workbench
