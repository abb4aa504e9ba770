#include "preview/scene_builder.h"

#include <cmath>
#include <deque>
#include <map>
#include <numbers>
#include <optional>
#include <stdexcept>
#include <utility>

#include "config/font_classification.h"
#include "drawing/entity_views.h"
#include "drawing/spaces.h"
#include "drawing/table_views.h"
#include "preview/entity_groups.h"
#include "textcore/utf8.h"

namespace zil::preview {
namespace {

using drawing::Drawing;
using drawing::Record;

constexpr int kByBlock = 0, kByLayer = 256;
constexpr int kMaxDepth = 64;                // block references inside block references
constexpr long long kMaxArrayItems = 10000;  // columns x rows of one block reference
constexpr double kTwoPi = 2 * std::numbers::pi;

double Radians(double degrees) { return degrees * std::numbers::pi / 180; }

bool Finite(Vec2 p) { return std::isfinite(p.x) && std::isfinite(p.y); }

// Points along an arc about `centre`, from angle `start` turning by `sweep` (counter-clockwise when
// positive), both ends included.
void AppendArc(std::vector<Vec2>& points, Vec2 centre, double radius, double start, double sweep) {
  const double turns = std::abs(sweep) / kTwoPi;
  const int segments = std::isfinite(turns) ? static_cast<int>(std::ceil(std::clamp(turns * 144, 2.0, 1440.0))) : 2;
  for (int i = 0; i <= segments; ++i) {
    const double a = start + sweep * i / segments;
    points.push_back({centre.x + radius * std::cos(a), centre.y + radius * std::sin(a)});
  }
}

// The segment from `from` to `to` with `bulge` (tan of a quarter of the arc's angle; 0 straight), without
// its first point.
void AppendBulge(std::vector<Vec2>& points, Vec2 from, Vec2 to, double bulge) {
  const double dx = to.x - from.x, dy = to.y - from.y;
  if (bulge == 0 || !std::isfinite(bulge) || (dx == 0 && dy == 0)) {
    points.push_back(to);
    return;
  }
  const double k = (1 - bulge * bulge) / (4 * bulge);
  const Vec2 centre{(from.x + to.x) / 2 - dy * k, (from.y + to.y) / 2 + dx * k};
  std::vector<Vec2> arc;
  AppendArc(arc, centre, std::hypot(from.x - centre.x, from.y - centre.y),
            std::atan2(from.y - centre.y, from.x - centre.x), 4 * std::atan(bulge));
  arc.back() = to;
  points.insert(points.end(), arc.begin() + 1, arc.end());
}

struct LayerState {
  bool frozen = false;
  bool off = false;
  int colour = 7;
};

// A text style's font: its font file as the host names it, else its big font file. A style the drawing
// lacks shows as "Standard", and without that as AutoCAD's default font "txt".
struct StyleFont {
  std::u16string file;
  int flags = 0;  // generation flags
};

StyleFont FontOfStyle(Drawing& drawing, std::u16string_view style) {
  Record* record = drawing::FindTableRecord(drawing, "STYLE", style);
  if (record == nullptr) record = drawing::FindTableRecord(drawing, "STYLE", u"Standard");
  if (record == nullptr) return {u"txt", 0};
  const drawing::StyleView view(drawing, *record);
  const std::u16string file = view.FontFileAsNamed();
  return {file.empty() ? view.BigFontFile() : file, view.GenerationFlags()};
}

TextLook LookWith(const FontTypeOf& fontTypeOf, const StyleFont& font, std::u16string_view text) {
  const FontClass c = fontTypeOf(font.file, text);
  return {c.type, (font.flags & 2) != 0, (font.flags & 4) != 0, c.hebrewShx ? Brackets::Mirrored : Brackets::AsGiven};
}

// Where the walk is: the transform into the space, and what block references pass on to their contents.
struct Context {
  Affine toSpace;
  std::u16string referenceLayer;   // the layer that layer 0 stands for; empty outside blocks
  Rgb blockColour = AciColour(7);  // what BYBLOCK means
  bool inBlock = false;
  std::vector<std::u16string> blocks;  // the blocks being drawn, outermost first
};

class SceneBuilder {
 public:
  SceneBuilder(Drawing& drawing, const FontTypeOf& fontTypeOf) : drawing_(drawing), fontTypeOf_(fontTypeOf) {
    for (Record* r : drawing::TableRecords(drawing, "LAYER")) {
      const drawing::LayerView layer(drawing, *r);
      const int colour = layer.Color();
      layers_.push_back({layer.Name(), {layer.IsFrozen(), colour < 0, std::abs(colour)}});
    }
  }

  Scene Build(const drawing::Space& space) {
    Context top;
    for (Record* r : space.Entities()) Entity(*r, top, true);
    return std::move(scene_);
  }

  // What Build draws for one top-level entity.
  Scene One(Record& entity) {
    Context top;
    Entity(entity, top, true);
    return std::exchange(scene_, Scene{});
  }

 private:
  const LayerState& Layer(const std::u16string& name) {
    if (const auto known = layerNames_.find(name); known != layerNames_.end()) return known->second;
    LayerState state;  // a layer the table lacks shows, in white
    for (const auto& [layerName, layerState] : layers_) {
      if (drawing::SameName(layerName, name)) {
        state = layerState;
        break;
      }
    }
    return layerNames_.emplace(name, state).first->second;
  }

  // How a text in `style` draws; the styles' records are looked up once per name.
  TextLook Look(const std::u16string& style, std::u16string_view text) {
    auto known = styles_.find(style);
    if (known == styles_.end()) known = styles_.emplace(style, FontOfStyle(drawing_, style)).first;
    return LookWith(fontTypeOf_, known->second, text);
  }

  // The layer an entity shows on: its own, or the reference's for layer 0 inside a block.
  std::u16string EffectiveLayer(const drawing::EntityView& view, const Context& ctx) {
    std::u16string layer = view.Layer();
    if (layer.empty()) layer = u"0";
    if (layer == u"0" && !ctx.referenceLayer.empty()) return ctx.referenceLayer;
    return layer;
  }

  Rgb Colour(const Groups& groups, const std::u16string& layer, const Context& ctx) {
    if (groups.First(420) != nullptr) return TrueColour(groups.Integer(420, 0));
    const long long index = groups.Integer(62, kByLayer);
    if (index == kByBlock) return ctx.blockColour;
    if (index == kByLayer || index < 0 || index > 255) return AciColour(Layer(layer).colour);
    return AciColour(static_cast<int>(index));
  }

  void Count(const std::string& what) { ++scene_.notDrawn[what]; }

  void Add(ScenePrimitive primitive) {
    const std::optional<Box2> box = PrimitiveBox(primitive);
    if (!box) {
      Count("geometry with numbers out of range");
      return;
    }
    scene_.extents.Add(*box);
    if (std::holds_alternative<SceneText>(primitive)) ++scene_.texts;
    scene_.primitives.push_back(std::move(primitive));
    scene_.entityOf.push_back(scene_.entities);  // the top-level entity being drawn is counted after its parts
  }

  void AddLine(std::vector<Vec2> points, bool closed, const Affine& toSpace, Rgb colour) {
    for (Vec2& p : points) p = toSpace(p);
    Add(ScenePolyline{std::move(points), closed, colour});
  }

  void AddText(const PlacedText& placed, const Affine& toSpace, Rgb colour, Record& source) {
    if (placed.glyphs.empty()) return;
    SceneText text{placed, colour, &source};
    text.text.runToEntity = placed.runToEntity.Then(toSpace);
    Add(std::move(text));
  }

  void Entity(Record& r, Context& ctx, bool topLevel) {
    const drawing::EntityView view(drawing_, r);
    const Groups groups(drawing_, r);
    if (groups.Integer(60, 0) == 1) return;  // invisible
    const std::u16string layer = EffectiveLayer(view, ctx);
    const std::string_view type = r.Type();
    // A reference on a layer that is off still shows what its block holds on other layers.
    const bool reference = type == "INSERT" || type == "DIMENSION";
    if (Layer(layer).frozen || (Layer(layer).off && !reference)) return;
    const Rgb colour = Colour(groups, layer, ctx);
    const std::size_t before = scene_.primitives.size();

    if (type == "TEXT") {
      const drawing::TextView text(drawing_, r);
      const std::u16string s = text.TextString();
      AddText(LayOutText(text, s, Look(text.StyleName(), s)), ctx.toSpace, colour, r);
    } else if (type == "ATTDEF") {
      const drawing::AttributeView attdef(drawing_, r);
      const int flags = attdef.Flags();
      // Outside a block an attribute definition shows its tag; in a reference only a constant one shows,
      // with its value (there is no ATTRIB for it).
      if (ctx.inBlock && ((flags & 2) == 0 || (flags & 1) != 0)) return;
      const std::u16string s = ctx.inBlock ? attdef.TextString() : attdef.TagString();
      AddText(LayOutText(attdef, s, Look(attdef.StyleName(), s)), ctx.toSpace, colour, r);
    } else if (type == "MTEXT") {
      const drawing::MTextView mtext(drawing_, r);
      const std::u16string s = mtext.TextString();
      for (const PlacedText& line : LayOutMText(mtext, Look(mtext.StyleName(), s)).lines)
        AddText(line, ctx.toSpace, colour, r);
    } else if (type == "INSERT") {
      Insert(r, groups, ctx, layer, colour);
    } else if (type == "DIMENSION") {
      const std::u16string block = drawing::DimensionView(drawing_, r).BlockName();
      Context inner = Inner(ctx, layer, colour, OcsToPlan(groups.Extrusion(), 0).Then(ctx.toSpace));
      Block(block, inner);
    } else if (type == "LINE") {
      const Vec3 a = groups.PointOr(10, {}), b = groups.PointOr(11, {});
      AddLine({{a.x, a.y}, {b.x, b.y}}, false, ctx.toSpace, colour);
    } else if (type == "LWPOLYLINE") {
      LightPolyline(groups, ctx, colour);
    } else if (type == "POLYLINE") {
      Polyline(r, groups, ctx, colour);
    } else if (type == "CIRCLE" || type == "ARC") {
      const Vec3 c = groups.PointOr(10, {});
      const double radius = groups.Double(40, 0);
      std::vector<Vec2> points;
      if (type == "CIRCLE") {
        AppendArc(points, {c.x, c.y}, radius, 0, kTwoPi);
      } else {
        const double start = Radians(groups.Double(50, 0));
        double sweep = Radians(groups.Double(51, 0)) - start;
        sweep = std::fmod(sweep, kTwoPi);
        if (sweep <= 0) sweep += kTwoPi;
        AppendArc(points, {c.x, c.y}, radius, start, sweep);
      }
      AddLine(std::move(points), type == "CIRCLE", OcsToPlan(groups.Extrusion(), c.z).Then(ctx.toSpace), colour);
    } else if (type == "SOLID" || type == "TRACE") {
      const Vec3 p0 = groups.PointOr(10, {}), p1 = groups.PointOr(11, {}), p2 = groups.PointOr(12, {});
      const Vec3 p3 = groups.PointOr(13, p2);
      const Affine toSpace = OcsToPlan(groups.Extrusion(), p0.z).Then(ctx.toSpace);
      // The third and fourth corners are drawn in the other order: 10, 11, 13, 12 go round the outline.
      Add(SceneFill{{toSpace({p0.x, p0.y}), toSpace({p1.x, p1.y}), toSpace({p3.x, p3.y}), toSpace({p2.x, p2.y})},
                    colour});
    } else if (type == "POINT") {
      const Vec3 p = groups.PointOr(10, {});
      AddLine({{p.x, p.y}}, false, ctx.toSpace, colour);
    } else if (type == "VIEWPORT") {
      // The first viewport of a layout is the sheet itself; the others show as their borders.
      if (groups.Integer(69, 0) == 1) return;
      const Vec3 c = groups.PointOr(10, {});
      const double w = groups.Double(40, 0) / 2, h = groups.Double(41, 0) / 2;
      AddLine({{c.x - w, c.y - h}, {c.x + w, c.y - h}, {c.x + w, c.y + h}, {c.x - w, c.y + h}}, true, ctx.toSpace,
              colour);
    } else {
      Count(std::string(type));
      return;
    }
    if (topLevel && scene_.primitives.size() > before) ++scene_.entities;
  }

  Context Inner(const Context& ctx, const std::u16string& layer, Rgb colour, const Affine& toSpace) {
    Context inner;
    inner.toSpace = toSpace;
    inner.referenceLayer = layer;
    inner.blockColour = colour;
    inner.inBlock = true;
    inner.blocks = ctx.blocks;
    return inner;
  }

  void Insert(Record& r, const Groups& groups, const Context& ctx, const std::u16string& layer, Rgb colour) {
    const drawing::InsertView insert(drawing_, r);
    const std::u16string name = groups.String(2);  // also in an array's (MINSERT) subclass
    const Vec3 at = groups.PointOr(10, {});
    const double sx = groups.Double(41, 1), sy = groups.Double(42, 1);
    const double rotation = Radians(groups.Double(50, 0));
    const long long columns = std::max(1LL, groups.Integer(70, 1)), rows = std::max(1LL, groups.Integer(71, 1));
    const double columnSpacing = groups.Double(44, 0), rowSpacing = groups.Double(45, 0);
    const Affine ocs = OcsToPlan(groups.Extrusion(), at.z);
    if (const BlockInfo& block = FindBlock(name); block.space) {
      const drawing::Point base = block.base;
      if (columns > kMaxArrayItems || rows > kMaxArrayItems || columns * rows > kMaxArrayItems) {
        Count("block references with more than 10000 columns x rows");
      } else {
        for (long long row = 0; row < rows; ++row) {
          for (long long column = 0; column < columns; ++column) {
            const Affine toSpace = Affine::Translate(-base.x, -base.y)
                                       .Then(Affine::Scale(sx, sy))
                                       .Then(Affine::Translate(static_cast<double>(column) * columnSpacing,
                                                               static_cast<double>(row) * rowSpacing))
                                       .Then(Affine::Rotate(rotation))
                                       .Then(Affine::Translate(at.x, at.y))
                                       .Then(ocs)
                                       .Then(ctx.toSpace);
            Context inner = Inner(ctx, layer, colour, toSpace);
            Block(name, inner);
          }
        }
      }
    }
    // The attributes stand where they are, in the coordinates the reference lies in.
    for (Record* a : insert.Attributes()) {
      const drawing::AttributeView attribute(drawing_, *a);
      const Groups attributeGroups(drawing_, *a);
      if ((attribute.Flags() & 1) != 0 || attributeGroups.Integer(60, 0) == 1) continue;
      const std::u16string attributeLayer = EffectiveLayer(attribute, ctx);
      if (Layer(attributeLayer).frozen || Layer(attributeLayer).off) continue;
      const std::u16string s = attribute.TextString();
      AddText(LayOutText(attribute, s, Look(attribute.StyleName(), s)), ctx.toSpace,
              Colour(attributeGroups, attributeLayer, ctx), *a);
    }
  }

  struct BlockInfo {
    std::u16string name;
    std::optional<drawing::Space> space;
    drawing::Point base;
  };

  // The block definition named `name` (any case) and its base point; no space when the drawing lacks it.
  const BlockInfo& FindBlock(const std::u16string& name) {
    for (const BlockInfo& info : blocks_)
      if (drawing::SameName(info.name, name)) return info;
    BlockInfo info{name, drawing::FindBlock(drawing_, name), {}};
    for (const drawing::Span& span : drawing_.Blocks()) {
      const drawing::BlockView block(drawing_, *span.head);
      if (drawing::SameName(block.Name(), name)) {
        info.base = block.BasePoint();
        break;
      }
    }
    if (!info.space) Count("block references to a block the drawing lacks");
    blocks_.push_back(std::move(info));
    return blocks_.back();
  }

  void Block(const std::u16string& name, Context& inner) {
    for (const std::u16string& open : inner.blocks) {
      if (drawing::SameName(open, name)) {
        Count("block references inside their own block");
        return;
      }
    }
    if (inner.blocks.size() >= kMaxDepth) {
      Count("block references nested more than 64 deep");
      return;
    }
    const BlockInfo& block = FindBlock(name);
    if (!block.space) return;
    inner.blocks.push_back(name);
    for (Record* e : block.space->Entities()) Entity(*e, inner, false);
    inner.blocks.pop_back();
  }

  void LightPolyline(const Groups& groups, const Context& ctx, Rgb colour) {
    std::vector<Vec2> vertices;
    std::vector<double> bulges;
    for (const drawing::Tag* tag : groups.Tags()) {
      if (tag->code == 10) {
        vertices.push_back({groups.ToDouble(*tag), 0});
        bulges.push_back(0);
      } else if (tag->code == 20 && !vertices.empty()) {
        vertices.back().y = groups.ToDouble(*tag);
      } else if (tag->code == 42 && !bulges.empty()) {
        bulges.back() = groups.ToDouble(*tag);
      }
    }
    const bool closed = (groups.Integer(70, 0) & 1) != 0;
    Polygon(vertices, bulges, closed, OcsToPlan(groups.Extrusion(), groups.Double(38, 0)).Then(ctx.toSpace), colour);
  }

  void Polyline(Record& r, const Groups& groups, const Context& ctx, Rgb colour) {
    const long long flags = groups.Integer(70, 0);
    if ((flags & (16 | 64)) != 0) {
      Count("POLYLINE meshes");
      return;
    }
    const bool plane = (flags & 8) == 0;  // a 2D polyline lies in its entity coordinate system
    std::vector<Vec2> vertices;
    std::vector<double> bulges;
    for (Record* v = r.Next(); v != nullptr && v->Type() != "SEQEND"; v = v->Next()) {
      if (v->Erased() || v->Type() != "VERTEX") continue;
      const Groups vertex(drawing_, *v);
      if ((vertex.Integer(70, 0) & 16) != 0) continue;  // a spline frame's control point
      const Vec3 p = vertex.PointOr(10, {});
      vertices.push_back({p.x, p.y});
      bulges.push_back(plane ? vertex.Double(42, 0) : 0);
    }
    const Affine toSpace =
        plane ? OcsToPlan(groups.Extrusion(), groups.PointOr(10, {}).z).Then(ctx.toSpace) : ctx.toSpace;
    Polygon(vertices, bulges, (flags & 1) != 0, toSpace, colour);
  }

  void Polygon(const std::vector<Vec2>& vertices, const std::vector<double>& bulges, bool closed, const Affine& toSpace,
               Rgb colour) {
    if (vertices.empty()) return;
    std::vector<Vec2> points{vertices.front()};
    for (std::size_t i = 0; i + 1 < vertices.size(); ++i) AppendBulge(points, vertices[i], vertices[i + 1], bulges[i]);
    if (closed && vertices.size() > 1) {
      AppendBulge(points, vertices.back(), vertices.front(), bulges.back());
      points.pop_back();  // the closing point is the first one
    }
    AddLine(std::move(points), closed, toSpace, colour);
  }

  Drawing& drawing_;
  const FontTypeOf& fontTypeOf_;
  std::vector<std::pair<std::u16string, LayerState>> layers_;
  std::map<std::u16string, LayerState> layerNames_;  // by the names entities give
  std::map<std::u16string, StyleFont> styles_;
  std::deque<BlockInfo> blocks_;  // references stay valid as it grows
  Scene scene_;
};

}  // namespace

struct EntitySceneBuilder::Impl {
  Impl(Drawing& drawing, FontTypeOf types) : fontTypeOf(std::move(types)), builder(drawing, fontTypeOf) {}
  FontTypeOf fontTypeOf;  // the builder keeps a reference
  SceneBuilder builder;
};

EntitySceneBuilder::EntitySceneBuilder(Drawing& drawing, const FontTypeOf& fontTypeOf)
    : impl_(std::make_unique<Impl>(drawing, fontTypeOf)) {}

EntitySceneBuilder::~EntitySceneBuilder() = default;

Scene EntitySceneBuilder::Build(Record& entity) { return impl_->builder.One(entity); }

std::vector<Vec2> RunCorners(const PlacedText& t) {
  const Affine& m = t.runToEntity;
  return {m({0, 0}), m({t.length, 0}), m({t.length, t.height}), m({0, t.height})};
}

std::optional<Box2> PrimitiveBox(const ScenePrimitive& primitive) {
  Box2 box;
  bool finite = true;
  std::visit(
      [&](const auto& p) {
        using T = std::decay_t<decltype(p)>;
        if constexpr (std::is_same_v<T, SceneText>) {
          for (Vec2 c : RunCorners(p.text)) finite = finite && Finite(c), box.Add(c);
        } else {
          for (Vec2 c : p.points) finite = finite && Finite(c), box.Add(c);
        }
      },
      primitive);
  if (!finite) return std::nullopt;
  return box;
}

SceneCounts CountWithin(const Scene& scene, const Box2& window) {
  SceneCounts counts;
  int lastEntity = -1;
  for (std::size_t i = 0; i < scene.primitives.size(); ++i) {
    const std::optional<Box2> box = PrimitiveBox(scene.primitives[i]);
    if (!box || box->Empty() || box->hi.x < window.lo.x || box->lo.x > window.hi.x || box->hi.y < window.lo.y ||
        box->lo.y > window.hi.y)
      continue;
    if (std::holds_alternative<SceneText>(scene.primitives[i])) ++counts.texts;
    // An entity's parts come one after another.
    if (scene.entityOf[i] != lastEntity) ++counts.entities, lastEntity = scene.entityOf[i];
  }
  return counts;
}

FontTypeOf ClassifyWith(config::FontDefinitions& fonts) {
  return [&fonts](std::u16string_view fontFile, std::u16string_view text) {
    const config::FontDefinitions::DrawnFont drawn = fonts.DrawnAs(fontFile, text);
    return FontClass{drawn.type, drawn.hebrewShx};
  };
}

TextLook LookOf(Drawing& drawing, const FontTypeOf& fontTypeOf, std::u16string_view style, std::u16string_view text) {
  return LookWith(fontTypeOf, FontOfStyle(drawing, style), text);
}

Scene BuildScene(Drawing& drawing, const FontTypeOf& fontTypeOf, std::u16string_view layout) {
  if (layout.empty() || drawing::SameName(layout, u"Model"))
    return SceneBuilder(drawing, fontTypeOf).Build(drawing::ModelSpace(drawing));
  std::string names;
  for (const drawing::Layout& l : drawing::Layouts(drawing)) {
    if (drawing::SameName(l.name, layout)) return SceneBuilder(drawing, fontTypeOf).Build(l.space);
    names += (names.empty() ? "" : ", ") + textcore::ToUtf8(l.name);
  }
  throw std::runtime_error("The drawing has no layout named \"" + textcore::ToUtf8(std::u16string(layout)) +
                           "\"; its layouts: " + names);
}

}  // namespace zil::preview
