#include "preview/glyph_run.h"

#include <unicode/ubidi.h>

#include <algorithm>
#include <array>
#include <memory>
#include <stdexcept>
#include <string>

#include "textcore/charmaps.h"
#include "textcore/codepage.h"

namespace zil::preview {
namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

char32_t Symbol(char16_t code) {
  switch (code) {
    case u'd':
    case u'D':
      return U'\u00B0';  // degree sign
    case u'p':
    case u'P':
      return U'\u00B1';  // plus-minus sign
    case u'c':
    case u'C':
      return U'\u2300';  // diameter sign
    default:
      return code;  // %%% and any other character: the character itself
  }
}

// The byte an SHX font receives for a character of the string: a unit below 256 stands for its own byte,
// any other for its Windows-1255 byte (as the add-in reads drawing strings); none when the code page has
// no byte for it.
int ShxByte(char32_t c) {
  if (c < 0x100) return static_cast<int>(c);
  if (c > 0xFFFF) return -1;
  const unsigned char b = textcore::EncodeAnsiUnit(static_cast<char16_t>(c));
  return b == '?' ? -1 : b;
}

// The key map of the key fonts, as a table: byte -> DOS letter or the byte itself.
const std::array<unsigned char, 256>& KeysToDos() {
  static const std::array<unsigned char, 256> table = [] {
    std::array<unsigned char, 256> t{};
    std::string all(256, '\0');
    for (std::size_t b = 0; b < 256; ++b) all[b] = static_cast<char>(b);
    textcore::KeysToDosLetters(all);
    for (std::size_t b = 0; b < 256; ++b) t[b] = static_cast<unsigned char>(all[b]);
    return t;
  }();
  return table;
}

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

// The display order of `text` under a left-to-right paragraph, mirrored characters mirrored.
std::u32string LeftToRightDisplay(const std::u32string& text) {
  const std::u16string logical = ToUtf16(text);
  UErrorCode status = U_ZERO_ERROR;
  const std::unique_ptr<UBiDi, BidiCloser> bidi(ubidi_open());
  ubidi_setPara(bidi.get(), logical.data(), static_cast<int32_t>(logical.size()), UBIDI_LTR, nullptr, &status);
  std::u16string visual(logical.size(), u'\0');
  if (U_SUCCESS(status)) {
    const int32_t length = ubidi_writeReordered(bidi.get(), visual.data(), static_cast<int32_t>(visual.size()),
                                                UBIDI_DO_MIRRORING, &status);
    visual.resize(static_cast<std::size_t>(std::max(length, 0)));
  }
  if (U_FAILURE(status)) throw std::runtime_error(std::string("Bidi layout failed: ") + u_errorName(status));
  return ToUtf32(visual);
}

}  // namespace

ControlDecoded DecodeControlCodes(std::u16string_view text) {
  ControlDecoded out;
  const auto push = [&out](char32_t c, bool code) {
    out.characters += c;
    out.fromCode += code ? U'\1' : U'\0';
  };
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] == u'%' && i + 2 < text.size() && text[i + 1] == u'%') {
      const char16_t code = text[i + 2];
      if (code == u'o' || code == u'O' || code == u'u' || code == u'U') {
        i += 3;
        continue;
      }
      if (IsDigit(code)) {
        std::size_t end = i + 2;
        char32_t value = 0;
        while (end < text.size() && end < i + 5 && IsDigit(text[end])) value = value * 10 + (text[end++] - u'0');
        push(value, value < 0x100);
        i = end;
        continue;
      }
      push(Symbol(code), false);
      i += 3;
      continue;
    }
    const char16_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      push(static_cast<char32_t>(0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00)), false);
      i += 2;
      continue;
    }
    push(c, false);
    ++i;
  }
  return out;
}

int GlyphCount(std::u16string_view text) { return static_cast<int>(DecodeControlCodes(text).characters.size()); }

char32_t ShxGlyph(fntType type, unsigned char b, Brackets brackets) {
  if (type == DosEnglish || type == DosEnglishR) b = KeysToDos()[b];
  if (type != WindowsHeb && textcore::IsDosLetter(b)) return 0x05D0 + (b - 0x80u);
  if (brackets == Brackets::AsGiven) return textcore::DecodeAnsiByte(b);
  switch (b) {
    case '(':
      return U')';
    case ')':
      return U'(';
    case '<':
      return U'>';
    case '>':
      return U'<';
    default:
      return textcore::DecodeAnsiByte(b);
  }
}

std::u32string GlyphRun(std::u16string_view text, fntType type, Brackets brackets) {
  const ControlDecoded decoded = DecodeControlCodes(text);
  std::u32string run;
  run.reserve(decoded.characters.size());
  for (std::size_t i = 0; i < decoded.characters.size(); ++i) {
    const char32_t c = decoded.characters[i];
    if (type == TrueType) {
      run +=
          decoded.fromCode[i] != 0 ? static_cast<char32_t>(textcore::DecodeAnsiByte(static_cast<unsigned char>(c))) : c;
      continue;
    }
    const int b = decoded.fromCode[i] != 0 ? static_cast<int>(c) : ShxByte(c);
    run += b < 0 ? c : ShxGlyph(type, static_cast<unsigned char>(b), brackets);
  }
  if (type == TrueType) return LeftToRightDisplay(run);
  if (type == DosEnglishR) std::reverse(run.begin(), run.end());
  return run;
}

std::u32string SeenGlyphs(std::u32string run, bool backwards) {
  if (backwards) std::reverse(run.begin(), run.end());
  return run;
}

}  // namespace zil::preview
