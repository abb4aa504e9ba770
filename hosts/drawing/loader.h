// The second stage of reading: tags -> the drawing's records, sections, tables, block definitions and
// handle index. Accepts untrusted bytes; every fault is a DxfError naming the file and line and saying
// what was expected.
//
// Checked: the file is ASCII DXF (not binary DXF, DWG or UTF-16); every tag is well formed; the top level
// is sections (SECTION ... ENDSEC) and EOF; TABLES holds TABLE ... ENDTAB and BLOCKS holds BLOCK ...
// ENDBLK; handles are hexadecimal and unique; $ACADVER is R12..R2018; $DWGCODEPAGE is supported (before
// R2007). Sections this host does not know are kept as they are. A missing `0 EOF` is accepted (the
// drawing is then written without one, as it was read).
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "drawing/drawing.h"
#include "drawing/whole_file.h"

namespace zil::drawing {

// `bytes` is the whole file; `file` names it in messages.
std::unique_ptr<Drawing> LoadDxf(WholeFile bytes, std::string file);
// The same for bytes read otherwise; the drawing keeps a copy of them.
std::unique_ptr<Drawing> LoadDxf(std::string_view bytes, std::string file);

}  // namespace zil::drawing
