#include "drawing/spaces.h"

#include <algorithm>
#include <array>

#include "drawing/dxf_error.h"
#include "drawing/table_views.h"
#include "drawing/tag_values.h"
#include "textcore/utf8.h"

namespace zil::drawing {
namespace {

constexpr std::array kBlockOrder = {2, 70, 10, 20, 30, 3, 1, 4};

const Span& EntitiesSection(const Drawing& drawing) {
  const Span* entities = drawing.FindSection("ENTITIES");
  if (!entities) ThrowAt(drawing.File(), 0, "the drawing has no ENTITIES section");
  return *entities;
}

}  // namespace

bool IsSubEntity(std::string_view type) noexcept { return type == "ATTRIB" || type == "VERTEX" || type == "SEQEND"; }

const Placement& BlockView::Layout() {
  static const Placement placement{"AcDbBlockBegin", 1, kBlockOrder};
  return placement;
}

bool Space::IsModelSpace() const noexcept {
  return SameName(name_, u"*Model_Space") || SameName(name_, u"$MODEL_SPACE");
}

bool Space::IsLayout() const noexcept {
  return paper_ >= 0 || IsModelSpace() || name_.starts_with(u"*Paper_Space") || name_.starts_with(u"*PAPER_SPACE") ||
         SameName(name_, u"$PAPER_SPACE");
}

std::uint64_t Space::BlockRecordHandle() const {
  if (!HasSubclasses(drawing_->Version())) return 0;
  const Record* record = FindTableRecord(*drawing_, "BLOCK_RECORD", name_);
  if (!record) ThrowAt(drawing_->File(), 0, "the drawing has no BLOCK_RECORD for " + textcore::ToUtf8(name_));
  return record->Handle();
}

std::vector<Record*> Space::Entities() const {
  std::vector<Record*> entities;
  for (Record* r = head_->Next(); r != nullptr && r != end_; r = r->Next()) {
    if (r->Erased() || IsSubEntity(r->Type())) continue;
    if (paper_ >= 0 && r->InPaperSpace() != (paper_ == 1)) continue;
    entities.push_back(r);
  }
  return entities;
}

Record& Space::Append(std::vector<Tag> tags) const { return drawing_->InsertBefore(*end_, std::move(tags)); }

bool Space::Holds(const Record& record) const {
  if (paper_ >= 0 && record.InPaperSpace() != (paper_ == 1)) return false;
  for (const Record* r = head_->Next(); r != nullptr && r != end_; r = r->Next())
    if (r == &record) return true;
  return false;
}

Space ModelSpace(Drawing& drawing) {
  return Space(drawing, EntitiesSection(drawing), 0,
               HasSubclasses(drawing.Version()) ? u"*Model_Space" : u"$MODEL_SPACE");
}

Space PaperSpace(Drawing& drawing) {
  return Space(drawing, EntitiesSection(drawing), 1,
               HasSubclasses(drawing.Version()) ? u"*Paper_Space" : u"$PAPER_SPACE");
}

std::vector<Space> BlockSpaces(Drawing& drawing) {
  std::vector<Space> spaces;
  for (const Span& block : drawing.Blocks())
    spaces.push_back(Space(drawing, block, -1, BlockView(drawing, *block.head).Name()));
  return spaces;
}

std::optional<Space> FindBlock(Drawing& drawing, std::u16string_view name) {
  for (Space& space : BlockSpaces(drawing))
    if (SameName(space.Name(), name)) return space;
  return std::nullopt;
}

std::vector<Layout> Layouts(Drawing& drawing) {
  std::vector<Layout> layouts;
  const Span* objects = drawing.FindSection("OBJECTS");
  if (!HasSubclasses(drawing.Version()) || !objects) {
    layouts.push_back({u"Model", 0, ModelSpace(drawing)});
    layouts.push_back({u"Paper", 1, PaperSpace(drawing)});
    return layouts;
  }
  static constexpr std::array kLayoutOrder = {1,  70, 71,  10, 20, 11, 21, 12, 22, 32, 14, 24, 34, 15,
                                              25, 35, 146, 13, 23, 33, 16, 26, 36, 17, 27, 37, 76, 330};
  const Placement layoutPlacement{"AcDbLayout", 1, kLayoutOrder};
  for (Record* r = objects->head->Next(); r != nullptr && r != objects->end; r = r->Next()) {
    if (r->Type() != "LAYOUT" || r->Erased()) continue;
    const auto& tags = r->Tags();
    const Segment segment = FindSegment(tags, layoutPlacement, true);
    if (segment.first == 0) continue;
    const std::size_t name = FindIn(tags, segment, 1);
    const std::size_t owner = FindIn(tags, segment, 330);
    const std::size_t tab = FindIn(tags, segment, 71);
    if (name == std::string_view::npos || owner == std::string_view::npos) continue;
    Record* blockRecord = drawing.FindByHandle(HandleOf(tags[owner], drawing.File()));
    if (!blockRecord) continue;
    const std::u16string blockName = BlockRecordView(drawing, *blockRecord).Name();
    std::optional<Space> space;
    if (SameName(blockName, u"*Model_Space")) {
      space = ModelSpace(drawing);
    } else if (SameName(blockName, u"*Paper_Space")) {
      space = PaperSpace(drawing);
    } else {
      space = FindBlock(drawing, blockName);
    }
    if (!space) continue;
    const int tabOrder = tab == std::string_view::npos ? 0 : static_cast<int>(IntegerOf(tags[tab], drawing.File()));
    layouts.push_back({drawing.Decode(tags[name].value), tabOrder, *space});
  }
  std::stable_sort(layouts.begin(), layouts.end(),
                   [](const Layout& a, const Layout& b) { return a.tabOrder < b.tabOrder; });
  return layouts;
}

}  // namespace zil::drawing
