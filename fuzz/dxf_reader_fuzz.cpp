// libFuzzer target for the DXF reader: any bytes either load or are refused with a DxfError; a drawing
// that loads writes back byte for byte, its text entities' strings decode, and every decoded string
// encodes to bytes that decode to it again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "drawing/dxf_error.h"
#include "drawing/entity_views.h"
#include "drawing/loader.h"
#include "drawing/spaces.h"
#include "drawing/writer.h"

namespace {

using namespace zil::drawing;

void ReadTexts(Drawing& d) {
  for (Record* r = d.First(); r != nullptr; r = r->Next()) {
    try {
      std::u16string text;
      if (r->Type() == "TEXT" || r->Type() == "ATTRIB" || r->Type() == "ATTDEF") {
        TextView view(d, *r);
        text = view.TextString();
        view.Height();
        view.InsertionPoint();
      } else if (r->Type() == "MTEXT") {
        text = MTextView(d, *r).TextString();
      } else {
        continue;
      }
      if (d.Decode(d.Encode(text)) != text) std::abort();
    } catch (const DxfError&) {
      // A malformed number in an entity is reported, not a fault of the reader.
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  try {
    const auto drawing = LoadDxf(bytes, "fuzz.dxf");
    if (WriteDxfToString(*drawing) != bytes) std::abort();
    ReadTexts(*drawing);
    if (WriteDxfToString(*drawing) != bytes) std::abort();
  } catch (const DxfError&) {
  }
  return 0;
}
