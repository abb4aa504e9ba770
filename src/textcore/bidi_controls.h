// The Unicode bidi controls: format characters that steer the bidi algorithm (the marks LRM, RLM and ALM,
// the embeddings, overrides and isolates with their ends) and draw nothing, so they take no character
// cell in a text's box.
#pragma once

namespace zil::textcore {

constexpr bool IsBidiControl(char32_t c) noexcept {
  return c == 0x200E || c == 0x200F || c == 0x061C || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

}  // namespace zil::textcore
