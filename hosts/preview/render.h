// Drawing previews as PNG files: a drawing's model space, or a layout's paper space, drawn as AutoCAD
// shows its texts (scene_builder.h, scene_painter.h), fitted to what is drawn or to a given window.
//
// These start a Qt GUI application on the offscreen platform for the call when the process has none, so
// they need no display. Files are written whole or not at all (temporary file, then rename).
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "config/font_definitions.h"
#include "drawing/drawing.h"
#include "preview/scene.h"

namespace zil::preview {

struct RenderOptions {
  int width = 1600;  // pixels
  int height = 1200;
  std::u16string layout;       // empty or "Model": model space; else a layout's name (any case)
  std::optional<Box2> window;  // the part of the space to show; default: all that is drawn, with a margin
};

// What a preview drew.
struct RenderReport {
  Box2 window;                          // the part of the space shown
  int entities = 0;                     // entities drawn, those in the window when one was given
  int texts = 0;                        // text lines drawn, likewise
  std::map<std::string, int> notDrawn;  // as Scene::notDrawn
};

// The window a preview shows by default: what `scene` draws with a margin of 2%.
Box2 DefaultWindow(const Scene& scene);

// Draws `drawing` (which is not changed) with the fonts' classification and writes the PNG to `png`.
// Throws DxfError for a value of the drawing that is not a number, std::runtime_error for a layout the
// drawing lacks, a missing font, a size out of range or a file that cannot be written.
RenderReport RenderDrawingToPng(drawing::Drawing& drawing, config::FontDefinitions& fonts, const RenderOptions& options,
                                const std::filesystem::path& png);

// The same for a DXF file.
RenderReport RenderDxfFileToPng(const std::string& dxf, config::FontDefinitions& fonts, const RenderOptions& options,
                                const std::filesystem::path& png);

// Before and after a conversion: both drawings drawn at the same scale over the same window (the one
// given, else what either draws), so the two images can be flipped between; with `sideBySidePng`, also
// one image of both, before on the left, after on the right, parted by a grey line.
void RenderBeforeAndAfterPng(drawing::Drawing& before, drawing::Drawing& after, config::FontDefinitions& fonts,
                             const RenderOptions& options, const std::filesystem::path& beforePng,
                             const std::filesystem::path& afterPng,
                             const std::optional<std::filesystem::path>& sideBySidePng = std::nullopt);

}  // namespace zil::preview
