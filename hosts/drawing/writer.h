// Writing a drawing as ASCII DXF: the preamble, every record that is not erased, the trailer. A record
// never changed is written as the bytes it was read from; a changed one tag by tag, each unchanged tag as
// it was read. So an unchanged drawing is written back byte for byte, and a changed one differs only in
// the tags that changed.
#pragma once

#include <string>
#include <string_view>

#include "drawing/drawing.h"

namespace zil::drawing {

class ByteSink {
 public:
  virtual ~ByteSink() = default;
  virtual void Write(std::string_view bytes) = 0;
};

void WriteDxf(const Drawing& drawing, ByteSink& sink);

// The whole file in memory (tests, fuzzing).
std::string WriteDxfToString(const Drawing& drawing);

}  // namespace zil::drawing
