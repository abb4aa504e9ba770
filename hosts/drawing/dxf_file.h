// Drawings from and to DXF files on disk. Loading reads the whole file (untrusted) and hands it to the
// loader; saving streams the drawing through the platform's file writer (platform/atomic_file.h), which
// replaces a file whole or not at all and writes a device or pipe in place.
#pragma once

#include <memory>
#include <string>

#include "drawing/drawing.h"

namespace zil::drawing {

// Throws DxfError when the file cannot be read or is not a drawing this host reads.
std::unique_ptr<Drawing> LoadDxfFile(const std::string& path);
void SaveDxfFile(const Drawing& drawing, const std::string& path);

}  // namespace zil::drawing
