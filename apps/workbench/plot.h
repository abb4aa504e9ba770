// PLOT in the workbench: a space of the drawing printed to a PDF file through Qt's printing (QPrinter,
// vector output: lines, fills and every glyph as outlines, no image), its extents fitted to an A4 page
// turned to suit them, with a margin of 10 mm. The file is written whole or not at all: the PDF goes to a
// temporary file beside it, which then takes its name.
#pragma once

#include <QString>
#include <filesystem>

#include "view_scene.h"

namespace zil::workbench {

// Throws std::runtime_error saying why when the PDF cannot be written; `title` is the document's title.
void PlotToPdf(const ViewScene& scene, const std::filesystem::path& pdf, const QString& title);

}  // namespace zil::workbench
