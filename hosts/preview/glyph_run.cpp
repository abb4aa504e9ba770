#include "preview/glyph_run.h"

#include <unicode/ubidi.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>

#include "textcore/codepage.h"

namespace zil::preview {
namespace {

std::u16string ToUtf16(const std::u32string& s) {
  std::u16string out;
  out.reserve(s.size());
  for (char32_t c : s) {
    if (c > 0xFFFF) {
      out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(c);
    }
  }
  return out;
}

std::u32string ToUtf32(std::u16string_view s) {
  std::u32string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char16_t c = s[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
      out += static_cast<char32_t>(0x10000 + ((c - 0xD800) << 10) + (s[i + 1] - 0xDC00));
      ++i;
    } else {
      out += c;
    }
  }
  return out;
}

struct BidiCloser {
  void operator()(UBiDi* bidi) const noexcept { ubidi_close(bidi); }
};

// The display order of `text` under a left-to-right paragraph, mirrored characters mirrored; the bidi
// controls (the marks LRM and RLM, ...) take no cell: a TrueType font draws nothing for them.
std::u32string LeftToRightDisplay(const std::u32string& text) {
  const std::u16string logical = ToUtf16(text);
  UErrorCode status = U_ZERO_ERROR;
  const std::unique_ptr<UBiDi, BidiCloser> bidi(ubidi_open());
  ubidi_setPara(bidi.get(), logical.data(), static_cast<int32_t>(logical.size()), UBIDI_LTR, nullptr, &status);
  std::u16string visual(logical.size(), u'\0');
  if (U_SUCCESS(status)) {
    const int32_t length = ubidi_writeReordered(bidi.get(), visual.data(), static_cast<int32_t>(visual.size()),
                                                UBIDI_DO_MIRRORING | UBIDI_REMOVE_BIDI_CONTROLS, &status);
    visual.resize(static_cast<std::size_t>(std::max(length, 0)));
  }
  if (U_FAILURE(status)) throw std::runtime_error(std::string("Bidi layout failed: ") + u_errorName(status));
  return ToUtf32(visual);
}

}  // namespace

std::u32string GlyphRun(std::u16string_view text, fntType type, Brackets brackets) {
  if (type != TrueType) return textcore::ShxGlyphRun(text, type, brackets);
  const ControlDecoded decoded = DecodeControlCodes(text);
  std::u32string run;
  run.reserve(decoded.characters.size());
  for (std::size_t i = 0; i < decoded.characters.size(); ++i) {
    const char32_t c = decoded.characters[i];
    run +=
        decoded.fromCode[i] != 0 ? static_cast<char32_t>(textcore::DecodeAnsiByte(static_cast<unsigned char>(c))) : c;
  }
  return LeftToRightDisplay(run);
}

}  // namespace zil::preview
