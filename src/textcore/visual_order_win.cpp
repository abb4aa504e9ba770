// VisualOrderDC on Windows: the platform's bidi engine, Uniscribe. ScriptItemize splits the text into
// runs of one script and one embedding level under the context's paragraph level, ScriptLayout orders the
// runs for display, and a run at an odd level shows its characters reversed. Reorder only: the bytes are
// permuted, nothing is mirrored or shaped.
//
// Uniscribe is what GetCharacterPlacementW with GCP_REORDER uses on Windows; it is called directly so that
// the reading order is the context's: Wine's GetCharacterPlacementW ignores TA_RTLREADING and always lays
// out left to right.
#include <usp10.h>
#include <windows.h>

#include <vector>

#include "textcore/codepage.h"
#include "textcore/visual_order.h"

namespace zil::textcore {

std::string VisualOrder(const Canvas& canvas, std::string_view s) { return VisualOrderDC(canvas.dc, s); }

std::string VisualOrderDC(const DeviceContext& dc, std::string_view s) {
  if (s.empty()) return {};
  const int n = static_cast<int>(s.size());
  std::vector<WCHAR> text(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) text[i] = DecodeAnsiByte(static_cast<unsigned char>(s[i]));

  SCRIPT_CONTROL control{};
  SCRIPT_STATE state{};
  state.uBidiLevel = dc.reading == ReadingOrder::RightToLeft ? 1 : 0;
  // At most one item per character, and ScriptItemize writes one item past the last.
  std::vector<SCRIPT_ITEM> items(s.size() + 2);
  int count = 0;
  if (FAILED(ScriptItemize(text.data(), n, n + 1, &control, &state, items.data(), &count)) || count <= 0)
    return std::string(s);

  std::vector<BYTE> levels(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i)
    levels[static_cast<std::size_t>(i)] = static_cast<BYTE>(items[static_cast<std::size_t>(i)].a.s.uBidiLevel);
  std::vector<int> visualToLogical(static_cast<std::size_t>(count));
  if (FAILED(ScriptLayout(count, levels.data(), visualToLogical.data(), nullptr))) return std::string(s);

  std::string out;
  out.reserve(s.size());
  for (int item : visualToLogical) {
    const auto k = static_cast<std::size_t>(item);
    const auto begin = s.begin() + items[k].iCharPos;
    const auto end = s.begin() + items[k + 1].iCharPos;
    if (levels[k] & 1) {
      out.append(std::make_reverse_iterator(end), std::make_reverse_iterator(begin));
    } else {
      out.append(begin, end);
    }
  }
  return out;
}

}  // namespace zil::textcore
