#include "textcore/visual_order.h"

#include <unicode/ubidi.h>
#include <unicode/uchar.h>

#include <array>
#include <memory>
#include <vector>

#include "textcore/codepage.h"

namespace zil::textcore {
namespace {

struct BidiCloser {
  void operator()(UBiDi* bidi) const noexcept { ubidi_close(bidi); }
};
using BidiPtr = std::unique_ptr<UBiDi, BidiCloser>;

// The bidi class of every byte's Windows-1255 character.
const std::array<UCharDirection, 256>& ByteClasses() {
  static const std::array<UCharDirection, 256> classes = [] {
    std::array<UCharDirection, 256> table{};
    for (std::size_t b = 0; b < table.size(); ++b)
      table[b] = u_charDirection(DecodeAnsiByte(static_cast<unsigned char>(b)));
    return table;
  }();
  return classes;
}

// A run of neighbours of one class that resolves as a whole goes to the bidi engine as one character:
// strong letters, numbers, number terminators and whitespace. Every rule of the algorithm looks at the
// classes around such a run, never at how many equal characters stand in it, and the whole run gets one
// level. Separators stay single (a lone separator between numbers joins them), and so do other neutrals
// (brackets pair) and marks.
bool Collapsible(UCharDirection c) {
  return c == U_LEFT_TO_RIGHT || c == U_RIGHT_TO_LEFT || c == U_RIGHT_TO_LEFT_ARABIC || c == U_EUROPEAN_NUMBER ||
         c == U_ARABIC_NUMBER || c == U_EUROPEAN_NUMBER_TERMINATOR || c == U_WHITE_SPACE_NEUTRAL;
}

// A buffer on the stack for single text lines, on the heap beyond.
template <typename T, std::size_t Inline = 128>
class Scratch {
 public:
  explicit Scratch(std::size_t size) : data_(size <= Inline ? inline_.data() : (heap_.resize(size), heap_.data())) {}
  T& operator[](std::size_t i) { return data_[i]; }
  T* data() { return data_; }

 private:
  std::array<T, Inline> inline_;
  std::vector<T> heap_;
  T* data_;
};

}  // namespace

std::string VisualOrder(const Canvas& canvas, std::string_view s) { return VisualOrderDC(canvas.dc, s); }

std::string VisualOrderDC(const DeviceContext& dc, std::string_view s) {
  if (s.empty()) return {};
  const auto& classes = ByteClasses();

  // One character per run for the engine; runStart[k] is where the k-th run begins in s.
  Scratch<char16_t> text(s.size());
  Scratch<std::size_t> runStart(s.size() + 1);
  std::size_t runs = 0;
  UCharDirection previous = U_CHAR_DIRECTION_COUNT;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const auto byte = static_cast<unsigned char>(s[i]);
    const UCharDirection c = classes[byte];
    if (c == previous && Collapsible(c)) continue;
    runStart[runs] = i;
    text[runs++] = DecodeAnsiByte(byte);
    previous = c;
  }
  runStart[runs] = s.size();

  UErrorCode status = U_ZERO_ERROR;
  const BidiPtr bidi(ubidi_openSized(static_cast<int32_t>(runs), 0, &status));
  const UBiDiLevel paragraph = dc.reading == ReadingOrder::RightToLeft ? UBIDI_RTL : UBIDI_LTR;
  ubidi_setPara(bidi.get(), text.data(), static_cast<int32_t>(runs), paragraph, nullptr, &status);
  const int32_t visualRuns = ubidi_countRuns(bidi.get(), &status);
  if (U_FAILURE(status)) return std::string(s);

  // Every visual run of the engine shows its characters forward or reversed, and each of them stands for
  // a run of s that shows the same way.
  std::string out;
  out.reserve(s.size());
  for (int32_t v = 0; v < visualRuns; ++v) {
    int32_t first = 0, length = 0;
    const bool reversed = ubidi_getVisualRun(bidi.get(), v, &first, &length) == UBIDI_RTL;
    for (int32_t k = 0; k < length; ++k) {
      const auto unit = static_cast<std::size_t>(reversed ? first + length - 1 - k : first + k);
      const auto begin = s.begin() + static_cast<std::ptrdiff_t>(runStart[unit]);
      const auto end = s.begin() + static_cast<std::ptrdiff_t>(runStart[unit + 1]);
      if (reversed) {
        out.append(std::make_reverse_iterator(end), std::make_reverse_iterator(begin));
      } else {
        out.append(begin, end);
      }
    }
  }
  return out;
}

}  // namespace zil::textcore
