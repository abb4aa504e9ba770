// Visual reordering: a logical single-byte string in the display order that the bidirectional algorithm
// gives it under a reading order. Reorder only: characters are moved, never mirrored.
//
// Reordering runs on a device context, which fixes the reading order (the paragraph direction). A window's
// canvas reads left to right; the screen context `ScreenDC` reads right to left, always.
#pragma once

#include <string>
#include <string_view>

namespace zil::textcore {

enum class ReadingOrder { LeftToRight, RightToLeft };

struct DeviceContext {
  ReadingOrder reading = ReadingOrder::LeftToRight;
};

// The drawing surface of a window; the font definitions form's canvas reads left to right.
struct Canvas {
  DeviceContext dc;
};

// The context of the whole screen, under right-to-left reading.
inline constexpr DeviceContext ScreenDC{ReadingOrder::RightToLeft};

// The display order of `s` on the canvas's device context.
std::string VisualOrder(const Canvas& canvas, std::string_view s);

// The display order of `s` under the context's reading order. Bytes are classified by their
// Windows-1255 characters (the letters 0xE0..0xFA read right to left). Empty in, empty out; should the
// bidi engine fail, the string comes back in logical order.
std::string VisualOrderDC(const DeviceContext& dc, std::string_view s);

}  // namespace zil::textcore
