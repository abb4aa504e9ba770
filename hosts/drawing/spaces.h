// Where entities live: model space, paper space and the block definitions, and the layouts that show
// them. Model space and the active paper space are the ENTITIES section (paper space entities carry group
// 67 = 1); every other layout and every block definition is a BLOCK ... ENDBLK span of the BLOCKS section.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "drawing/drawing.h"
#include "drawing/entity_views.h"

namespace zil::drawing {

class Space {
 public:
  // The block record's name: "*Model_Space", "*Paper_Space", "*Paper_Space0", or a block's name.
  const std::u16string& Name() const noexcept { return name_; }
  bool IsModelSpace() const noexcept;
  bool IsLayout() const noexcept;
  // New entities of this space carry group 67 = 1.
  bool MarksPaperSpace() const noexcept { return paper_ == 1; }
  // The handle of the space's BLOCK_RECORD, 0 in R12 drawings.
  std::uint64_t BlockRecordHandle() const;
  // The entities, in file order, without erased ones and without the ATTRIB, VERTEX and SEQEND records
  // that belong to an INSERT or POLYLINE.
  std::vector<Record*> Entities() const;
  // Inserts a new entity after the last one.
  Record& Append(std::vector<Tag> tags) const;
  // True when `record` lies in this space.
  bool Holds(const Record& record) const;

 private:
  friend Space ModelSpace(Drawing& drawing);
  friend Space PaperSpace(Drawing& drawing);
  friend std::vector<Space> BlockSpaces(Drawing& drawing);
  Space(Drawing& drawing, const Span& span, int paper, std::u16string name)
      : drawing_(&drawing), head_(span.head), end_(span.end), paper_(paper), name_(std::move(name)) {}

  Drawing* drawing_;
  Record* head_;
  Record* end_;
  int paper_;  // -1 every entity of the span; 0 / 1 the ENTITIES section's model / paper space entities
  std::u16string name_;
};

// Throw DxfError when the drawing has no ENTITIES section.
Space ModelSpace(Drawing& drawing);
Space PaperSpace(Drawing& drawing);
// Every BLOCK ... ENDBLK span, layouts' blocks and anonymous blocks included, in file order.
std::vector<Space> BlockSpaces(Drawing& drawing);
// The block definition named `name` (any case), nullopt when there is none.
std::optional<Space> FindBlock(Drawing& drawing, std::u16string_view name);

// Types of the records that belong to the entity before them.
bool IsSubEntity(std::string_view type) noexcept;

struct Layout {
  std::u16string name;  // "Model", "Layout1", ...
  int tabOrder = 0;
  Space space;
};
// The layouts in tab order: from the LAYOUT objects (R2000 on), or Model and Paper for older drawings.
std::vector<Layout> Layouts(Drawing& drawing);

// The BLOCK record at the head of a block definition.
class BlockView : public EntityView {
 public:
  BlockView(Drawing& drawing, Record& record) : EntityView(drawing, record) {}
  std::u16string Name() const { return StringOf(Layout(), 2); }
  int Flags() const { return static_cast<int>(IntegerOr(Layout(), 70, 0)); }
  Point BasePoint() const { return PointOr(Layout(), 10); }
  // Anonymous blocks (flag 1, names beginning with '*') are made by the program: *U, *D, *X...
  bool IsAnonymous() const { return (Flags() & 1) != 0 || Name().starts_with(u"*"); }

  static const Placement& Layout();
};

}  // namespace zil::drawing
