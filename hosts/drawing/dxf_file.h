// Drawings from and to DXF files on disk. Loading reads the whole file (untrusted) and hands it to the
// loader; saving writes through ReplaceFileAtomically, so a failed save leaves the old file.
#pragma once

#include <memory>
#include <string>

#include "drawing/drawing.h"

namespace zil::drawing {

// Throws DxfError when the file cannot be read or is not a drawing this host reads.
std::unique_ptr<Drawing> LoadDxfFile(const std::string& path);
void SaveDxfFile(const Drawing& drawing, const std::string& path);

}  // namespace zil::drawing
