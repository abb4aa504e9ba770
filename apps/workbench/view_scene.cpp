#include "view_scene.h"

#include <algorithm>
#include <boost/geometry.hpp>
#include <boost/geometry/index/rtree.hpp>
#include <cmath>
#include <iterator>
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
// The index keeps boxes in single precision, widened to hold the exact box: half the memory.
using BgPoint = bg::model::point<float, 2, bg::cs::cartesian>;
using BgBox = bg::model::box<BgPoint>;
using Value = std::pair<BgBox, std::uint32_t>;  // a part's box and its order

constexpr std::size_t kFullKept = 4096;  // parts kept with their glyphs

float Down(double v) {
  const auto f = static_cast<float>(v);
  return static_cast<double>(f) > v ? std::nextafter(f, -HUGE_VALF) : f;
}

float Up(double v) {
  const auto f = static_cast<float>(v);
  return static_cast<double>(f) < v ? std::nextafter(f, HUGE_VALF) : f;
}

BgBox ToBg(const Box2& b) { return BgBox(BgPoint(Down(b.lo.x), Down(b.lo.y)), BgPoint(Up(b.hi.x), Up(b.hi.y))); }

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
  for (std::size_t i = 0; i + 1 < points.size(); ++i)
    best = std::min(best, SegmentDistance(p, points[i], points[i + 1]));
  if (closed) best = std::min(best, SegmentDistance(p, points.back(), points.front()));
  return best;
}

double AreaDistance(Vec2 p, const std::vector<Vec2>& points) {
  if (points.size() >= 3 && Inside(p, points)) return 0;
  return OutlineDistance(p, points, true);
}

// How far `p` is from what a primitive draws, and the record it stands for.
std::pair<double, drawing::Record*> Distance(Vec2 p, const preview::ScenePrimitive& primitive) {
  if (const auto* text = std::get_if<preview::SceneText>(&primitive)) {
    const std::array<Vec2, 4> corners = MarkCorners(MarkOf(*text));
    return {AreaDistance(p, std::vector<Vec2>(corners.begin(), corners.end())), text->source};
  }
  if (const auto* line = std::get_if<preview::ScenePolyline>(&primitive))
    return {OutlineDistance(p, line->points, line->closed), nullptr};
  const auto& fill = std::get<preview::SceneFill>(primitive);
  return {AreaDistance(p, fill.points), nullptr};
}

}  // namespace

std::array<Vec2, 4> MarkCorners(const TextMark& mark) {
  const preview::Affine& m = mark.runToSpace;
  return {m({0, 0}), m({mark.length, 0}), m({mark.length, mark.height}), m({0, mark.height})};
}

TextMark MarkOf(const preview::SceneText& text) {
  return {text.text.runToEntity, text.text.length, text.text.height, text.colour};
}

const std::vector<preview::ScenePrimitive>& EntityPart::Primitives() const {
  static const std::vector<preview::ScenePrimitive> kNone;
  const auto* primitives = std::get_if<std::vector<preview::ScenePrimitive>>(&shape);
  return primitives ? *primitives : kNone;
}

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
  index_->tree.clear();  // first: the index points into the parts
  full_.clear();
  parts_.clear();
  orders_.clear();
  const std::vector<drawing::Record*> entities = space->Entities();
  parts_.reserve(entities.size() + entities.size() / 16 + 64);
  orders_.reserve(entities.size());
  std::vector<Value> values;
  values.reserve(entities.size());
  for (drawing::Record* r : entities) {
    EntityPart& part = parts_.emplace_back();
    part.entity = r;
    part.order = static_cast<std::uint32_t>(parts_.size() - 1);
    orders_.emplace(r, part.order);
    Build(part);
    if (!part.box.Empty()) values.emplace_back(ToBg(part.box), part.order);
  }
  index_->tree = bgi::rtree<Value, bgi::rstar<16>>(values.begin(), values.end());  // packed: bulk loading
}

preview::Scene ViewScene::SceneOf(drawing::Record& entity) const {
  if (entity.Erased()) return {};
  preview::Scene scene;
  try {
    scene = builder_->Build(entity);
  } catch (const drawing::DxfError&) {
    // An entity whose values are not numbers draws nothing; the rest of the drawing still shows.
  }
  // The tags read for it are made again when next asked for: a large drawing keeps its bytes only.
  for (drawing::Record* r = &entity; r != nullptr; r = r->Next()) {
    if (r != &entity && !drawing::IsSubEntity(r->Type())) break;
    drawing_.ReleaseTags(*r);
  }
  return scene;
}

void ViewScene::Build(EntityPart& part) {
  preview::Scene scene = SceneOf(*part.entity);
  part.box = scene.extents;
  part.hasTexts = false;
  if (scene.primitives.size() == 1) {
    if (const auto* text = std::get_if<preview::SceneText>(&scene.primitives.front());
        text && text->source == part.entity) {
      part.shape = MarkOf(*text);
      part.hasTexts = true;
      return;
    }
  }
  for (preview::ScenePrimitive& primitive : scene.primitives) {
    if (auto* text = std::get_if<preview::SceneText>(&primitive)) {
      std::u32string().swap(text->text.glyphs);
      part.hasTexts = true;
    }
  }
  scene.primitives.shrink_to_fit();
  part.shape = std::move(scene.primitives);
}

const std::vector<preview::ScenePrimitive>& ViewScene::Full(const EntityPart& part) const {
  if (!part.hasTexts) return part.Primitives();
  if (const auto kept = full_.find(part.order); kept != full_.end()) return kept->second;
  if (full_.size() >= kFullKept) full_.clear();
  return full_.emplace(part.order, SceneOf(*part.entity).primitives).first->second;
}

std::vector<const EntityPart*> ViewScene::InOrder(const std::vector<std::uint32_t>& orders) const {
  std::vector<const EntityPart*> parts;
  parts.reserve(orders.size());
  if (orders.size() < 1024) {
    std::vector<std::uint32_t> sorted = orders;
    std::sort(sorted.begin(), sorted.end());
    for (std::uint32_t order : sorted) parts.push_back(&parts_[order]);
    return parts;
  }
  // Many: marked, then read in order, which is faster than sorting them.
  marks_.assign(parts_.size(), 0);
  for (std::uint32_t order : orders) marks_[order] = 1;
  for (std::size_t i = 0; i < marks_.size(); ++i)
    if (marks_[i]) parts.push_back(&parts_[i]);
  return parts;
}

void ViewScene::Unindex(const EntityPart& part) {
  if (!part.box.Empty()) index_->tree.remove(Value(ToBg(part.box), part.order));
}

void ViewScene::IndexPart(const EntityPart& part) {
  if (!part.box.Empty()) index_->tree.insert(Value(ToBg(part.box), part.order));
}

drawing::Record* ViewScene::OwnerInSpace(drawing::Record& record, bool& elsewhere) const {
  drawing::Record* r = &record;
  if (orders_.count(r) != 0) return r;
  if (r->Prev() == nullptr && r->Next() == nullptr) return nullptr;  // taken out by an undo
  while (drawing::IsSubEntity(r->Type()) && r->Prev() != nullptr) r = r->Prev();
  if (orders_.count(r) != 0) return r;
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
    if (head == nullptr || !IsLayoutBlockName(drawing::BlockView(drawing_, const_cast<drawing::Record&>(*head)).Name()))
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
    const auto [it, fresh] = orders_.try_emplace(entity, static_cast<std::uint32_t>(parts_.size()));
    if (fresh) {
      EntityPart& added = parts_.emplace_back();
      added.entity = entity;
      added.order = it->second;
    }
    EntityPart& part = parts_[it->second];
    full_.erase(part.order);
    if (!fresh && !part.box.Empty()) {
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

namespace {

// The orders of the values a query found.
struct OrderInserter {
  using iterator_category = std::output_iterator_tag;
  using value_type = void;
  using difference_type = std::ptrdiff_t;
  using pointer = void;
  using reference = void;
  std::vector<std::uint32_t>* orders;
  OrderInserter& operator=(const Value& v) {
    orders->push_back(v.second);
    return *this;
  }
  OrderInserter& operator*() { return *this; }
  OrderInserter& operator++() { return *this; }
  OrderInserter operator++(int) { return *this; }
};

}  // namespace

std::vector<const EntityPart*> ViewScene::InRegion(const Box2& region) const {
  std::vector<std::uint32_t> orders;
  index_->tree.query(bgi::intersects(ToBg(region)), OrderInserter{&orders});
  return InOrder(orders);
}

std::vector<const EntityPart*> ViewScene::InWindow(const Box2& window, bool crossing) const {
  std::vector<std::uint32_t> orders;
  if (crossing) {
    index_->tree.query(bgi::intersects(ToBg(window)), OrderInserter{&orders});
  } else {
    index_->tree.query(bgi::within(ToBg(window)), OrderInserter{&orders});
  }
  return InOrder(orders);
}

std::optional<Hit> ViewScene::Pick(Vec2 at, double tolerance) const {
  const Box2 near{{at.x - tolerance, at.y - tolerance}, {at.x + tolerance, at.y + tolerance}};
  std::optional<Hit> best;
  double bestDistance = HUGE_VAL;
  for (const EntityPart* part : InRegion(near)) {
    if (const TextMark* mark = part->Mark()) {
      const std::array<Vec2, 4> corners = MarkCorners(*mark);
      const double distance = AreaDistance(at, std::vector<Vec2>(corners.begin(), corners.end()));
      if (distance <= tolerance && distance <= bestDistance) {
        bestDistance = distance;
        best = Hit{part, part->entity};
      }
      continue;
    }
    for (const preview::ScenePrimitive& primitive : part->Primitives()) {
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
  const auto it = orders_.find(&entity);
  return it == orders_.end() ? nullptr : &parts_[it->second];
}

}  // namespace zil::workbench
