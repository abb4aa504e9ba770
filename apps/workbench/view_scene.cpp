#include "view_scene.h"

#include <algorithm>
#include <boost/geometry.hpp>
#include <boost/geometry/index/rtree.hpp>
#include <cmath>
#include <stdexcept>
#include <unordered_set>
#include <utility>

#include "drawing/dxf_error.h"
#include "drawing/spaces.h"
#include "drawing/table_views.h"
#include "textcore/utf8.h"

namespace zil::workbench {
namespace {

namespace bg = boost::geometry;
namespace bgi = boost::geometry::index;
using BgPoint = bg::model::point<double, 2, bg::cs::cartesian>;
using BgBox = bg::model::box<BgPoint>;
using Value = std::pair<BgBox, const EntityPart*>;

BgBox ToBg(const Box2& b) { return BgBox(BgPoint(b.lo.x, b.lo.y), BgPoint(b.hi.x, b.hi.y)); }

Box2 FromBg(const BgBox& b) {
  return Box2{{b.min_corner().get<0>(), b.min_corner().get<1>()}, {b.max_corner().get<0>(), b.max_corner().get<1>()}};
}

bool IsLayoutBlockName(std::u16string_view name) {
  return drawing::SameName(name.substr(0, std::min<std::size_t>(name.size(), 12)), u"*Paper_Space") ||
         drawing::SameName(name, u"*Model_Space");
}

// --- distances for picking ---

double SegmentDistance(Vec2 p, Vec2 a, Vec2 b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double length2 = dx * dx + dy * dy;
  double t = length2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// Even-odd rule.
bool Inside(Vec2 p, const std::vector<Vec2>& polygon) {
  bool in = false;
  for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
    const Vec2 a = polygon[i], b = polygon[j];
    if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) in = !in;
  }
  return in;
}

double OutlineDistance(Vec2 p, const std::vector<Vec2>& points, bool closed) {
  if (points.empty()) return HUGE_VAL;
  if (points.size() == 1) return std::hypot(p.x - points[0].x, p.y - points[0].y);
  double best = HUGE_VAL;
  for (std::size_t i = 0; i + 1 < points.size(); ++i) best = std::min(best, SegmentDistance(p, points[i], points[i + 1]));
  if (closed) best = std::min(best, SegmentDistance(p, points.back(), points.front()));
  return best;
}

double AreaDistance(Vec2 p, const std::vector<Vec2>& points) {
  if (points.size() >= 3 && Inside(p, points)) return 0;
  return OutlineDistance(p, points, true);
}

// How far `p` is from what a primitive draws, and the record it stands for.
std::pair<double, drawing::Record*> Distance(Vec2 p, const preview::ScenePrimitive& primitive) {
  if (const auto* text = std::get_if<preview::SceneText>(&primitive))
    return {AreaDistance(p, preview::RunCorners(text->text)), text->source};
  if (const auto* line = std::get_if<preview::ScenePolyline>(&primitive))
    return {OutlineDistance(p, line->points, line->closed), nullptr};
  const auto& fill = std::get<preview::SceneFill>(primitive);
  return {AreaDistance(p, fill.points), nullptr};
}

std::vector<const EntityPart*> InDrawingOrder(const std::vector<Value>& found) {
  std::vector<const EntityPart*> parts;
  parts.reserve(found.size());
  for (const Value& v : found) parts.push_back(v.second);
  std::sort(parts.begin(), parts.end(), [](const EntityPart* a, const EntityPart* b) { return a->order < b->order; });
  return parts;
}

}  // namespace

struct ViewScene::Index {
  bgi::rtree<Value, bgi::rstar<16>> tree;
};

ViewScene::ViewScene(drawing::Drawing& drawing, preview::FontTypeOf fontTypeOf, std::u16string layout)
    : drawing_(drawing), fontTypeOf_(std::move(fontTypeOf)), layout_(std::move(layout)), index_(new Index) {
  if (layout_.empty()) layout_ = u"Model";
  Rebuild();
}

ViewScene::~ViewScene() = default;

void ViewScene::Rebuild() {
  std::optional<drawing::Space> space;
  std::string names;
  for (const drawing::Layout& l : drawing::Layouts(drawing_)) {
    if (drawing::SameName(l.name, layout_)) {
      space = l.space;
      layout_ = l.name;
      break;
    }
    names += (names.empty() ? "" : ", ") + textcore::ToUtf8(l.name);
  }
  if (!space) {
    if (!drawing::SameName(layout_, u"Model"))
      throw std::runtime_error("The drawing has no layout named \"" + textcore::ToUtf8(layout_) +
                               "\"; its layouts: " + names);
    space = drawing::ModelSpace(drawing_);
  }
  // Model space and the active layout are the ENTITIES section; other layouts are blocks.
  paper_ = space->IsModelSpace() ? 0 : space->MarksPaperSpace() ? 1 : -1;
  spaceEnd_ = nullptr;
  if (paper_ >= 0) {
    if (const drawing::Span* entities = drawing_.FindSection("ENTITIES")) spaceEnd_ = entities->end;
  } else {
    for (const drawing::Span& block : drawing_.Blocks()) {
      if (drawing::SameName(drawing::BlockView(drawing_, *block.head).Name(), space->Name())) spaceEnd_ = block.end;
    }
  }

  builder_ = std::make_unique<preview::EntitySceneBuilder>(drawing_, fontTypeOf_);
  parts_.clear();
  const std::vector<drawing::Record*> entities = space->Entities();
  parts_.reserve(entities.size());
  std::vector<Value> values;
  values.reserve(entities.size());
  nextOrder_ = 0;
  for (drawing::Record* r : entities) {
    EntityPart& part = parts_[r];
    part.entity = r;
    part.order = nextOrder_++;
    Build(part);
    if (!part.box.Empty()) values.emplace_back(ToBg(part.box), &part);
  }
  index_->tree = bgi::rtree<Value, bgi::rstar<16>>(values.begin(), values.end());  // packed: bulk loading
}

void ViewScene::Build(EntityPart& part) {
  part.primitives.clear();
  part.box = Box2{};
  if (part.entity->Erased()) return;
  try {
    preview::Scene scene = builder_->Build(*part.entity);
    part.primitives = std::move(scene.primitives);
    part.primitives.shrink_to_fit();
    part.box = scene.extents;
  } catch (const drawing::DxfError&) {
    // An entity whose values are not numbers draws nothing; the rest of the drawing still shows.
  }
}

void ViewScene::Unindex(const EntityPart& part) {
  if (!part.box.Empty()) index_->tree.remove(Value(ToBg(part.box), &part));
}

void ViewScene::IndexPart(const EntityPart& part) {
  if (!part.box.Empty()) index_->tree.insert(Value(ToBg(part.box), &part));
}

drawing::Record* ViewScene::OwnerInSpace(drawing::Record& record, bool& elsewhere) const {
  drawing::Record* r = &record;
  if (parts_.count(r) != 0) return r;
  if (r->Prev() == nullptr && r->Next() == nullptr) return nullptr;  // taken out by an undo
  while (drawing::IsSubEntity(r->Type()) && r->Prev() != nullptr) r = r->Prev();
  if (parts_.count(r) != 0) return r;
  if (paper_ >= 0 && r->InPaperSpace() != (paper_ == 1)) return nullptr;
  // A record the scene does not know: a new entity of the space, or a record of another section or block.
  const drawing::Record* end = r->Next();
  while (end != nullptr && end->Type() != "ENDSEC" && end->Type() != "ENDBLK") end = end->Next();
  if (end == nullptr) return nullptr;
  if (end == spaceEnd_) return r;
  if (end->Type() == "ENDBLK") {
    // Inside a block definition, which any block reference may show; another layout's block is not one.
    const drawing::Record* head = r;
    while (head != nullptr && head->Type() != "BLOCK") head = head->Prev();
    if (head == nullptr ||
        !IsLayoutBlockName(drawing::BlockView(drawing_, const_cast<drawing::Record&>(*head)).Name()))
      elsewhere = true;
  }
  return nullptr;
}

Damage ViewScene::Apply(const std::vector<drawing::Record*>& records) {
  std::vector<drawing::Record*> changed;
  std::unordered_set<const drawing::Record*> seen;
  for (drawing::Record* r : records) {
    const std::string_view type = r->Type();
    if (type == "LAYER" || type == "STYLE" || type == "BLOCK_RECORD" || type == "BLOCK" || type == "ENDBLK") {
      Rebuild();
      return {true, {}};
    }
    bool elsewhere = false;
    drawing::Record* owner = OwnerInSpace(*r, elsewhere);
    if (elsewhere) {
      Rebuild();
      return {true, {}};
    }
    if (owner != nullptr && seen.insert(owner).second) changed.push_back(owner);
  }
  Damage damage;
  for (drawing::Record* entity : changed) {
    auto [it, fresh] = parts_.try_emplace(entity);
    EntityPart& part = it->second;
    if (fresh) {
      part.entity = entity;
      part.order = nextOrder_++;
    } else if (!part.box.Empty()) {
      damage.boxes.push_back(part.box);
      Unindex(part);
    }
    Build(part);
    if (!part.box.Empty()) {
      damage.boxes.push_back(part.box);
      IndexPart(part);
    }
  }
  return damage;
}

Box2 ViewScene::Extents() const {
  if (index_->tree.empty()) return Box2{};
  return FromBg(index_->tree.bounds());
}

std::size_t ViewScene::Drawn() const { return index_->tree.size(); }

std::vector<const EntityPart*> ViewScene::InRegion(const Box2& region) const {
  std::vector<Value> found;
  index_->tree.query(bgi::intersects(ToBg(region)), std::back_inserter(found));
  return InDrawingOrder(found);
}

std::vector<const EntityPart*> ViewScene::InWindow(const Box2& window, bool crossing) const {
  std::vector<Value> found;
  if (crossing) {
    index_->tree.query(bgi::intersects(ToBg(window)), std::back_inserter(found));
  } else {
    index_->tree.query(bgi::within(ToBg(window)), std::back_inserter(found));
  }
  return InDrawingOrder(found);
}

std::optional<Hit> ViewScene::Pick(Vec2 at, double tolerance) const {
  const Box2 near{{at.x - tolerance, at.y - tolerance}, {at.x + tolerance, at.y + tolerance}};
  std::optional<Hit> best;
  double bestDistance = HUGE_VAL;
  for (const EntityPart* part : InRegion(near)) {
    for (const preview::ScenePrimitive& primitive : part->primitives) {
      const auto [distance, record] = Distance(at, primitive);
      // Later parts come later in drawing order: of two as near, the one drawn on top wins.
      if (distance <= tolerance && distance <= bestDistance) {
        bestDistance = distance;
        best = Hit{part, record ? record : part->entity};
      }
    }
  }
  return best;
}

const EntityPart* ViewScene::Find(const drawing::Record& entity) const {
  const auto it = parts_.find(&entity);
  return it == parts_.end() ? nullptr : &it->second;
}

}  // namespace zil::workbench
