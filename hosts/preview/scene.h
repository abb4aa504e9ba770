// What the preview draws, in the coordinates of the space being drawn (model space or a layout's paper
// space): lines and filled polygons with their colours, and texts as placed glyph runs. Made by
// BuildScene (scene_builder.h), painted by PaintScene (scene_painter.h). No Qt here.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "drawing/record.h"
#include "preview/aci_colours.h"
#include "preview/affine.h"
#include "preview/text_layout.h"

namespace zil::preview {

struct ScenePolyline {
  std::vector<Vec2> points;  // one point: a dot
  bool closed = false;
  Rgb colour;
};

struct SceneFill {
  std::vector<Vec2> points;
  Rgb colour;
};

// A text line; its run space maps into the space through text.runToEntity.
struct SceneText {
  PlacedText text;
  Rgb colour;
  drawing::Record* source = nullptr;  // the TEXT, ATTRIB, ATTDEF or MTEXT it comes from
};

using ScenePrimitive = std::variant<ScenePolyline, SceneFill, SceneText>;

// An axis-aligned box; empty until a point is added.
struct Box2 {
  Vec2 lo{HUGE_VAL, HUGE_VAL};
  Vec2 hi{-HUGE_VAL, -HUGE_VAL};

  bool Empty() const { return lo.x > hi.x || lo.y > hi.y; }
  void Add(Vec2 p) {
    lo = {std::min(lo.x, p.x), std::min(lo.y, p.y)};
    hi = {std::max(hi.x, p.x), std::max(hi.y, p.y)};
  }
  void Add(const Box2& b) {
    if (!b.Empty()) Add(b.lo), Add(b.hi);
  }
};

// The corners of a text's run box in the space: start of the baseline, its end, end of the top line,
// start of the top line.
std::vector<Vec2> RunCorners(const PlacedText& text);

// The box of a primitive in the space; nothing when a coordinate is not finite.
std::optional<Box2> PrimitiveBox(const ScenePrimitive& primitive);

struct Scene {
  std::vector<ScenePrimitive> primitives;  // in drawing order
  std::vector<int> entityOf;               // per primitive: the number of the entity drawn, from 0
  Box2 extents;                            // of everything drawn
  int entities = 0;                        // entities drawn (an insert counts once, with its contents)
  int texts = 0;                           // text lines drawn
  std::map<std::string, int> notDrawn;     // entity types not drawn, and why others were not
};

struct SceneCounts {
  int entities = 0;
  int texts = 0;
};

// The entities and text lines of `scene` that show in `window`: a part of them lies in it.
SceneCounts CountWithin(const Scene& scene, const Box2& window);

}  // namespace zil::preview
