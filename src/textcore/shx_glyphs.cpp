#include "textcore/shx_glyphs.h"

#include <algorithm>
#include <array>

#include "textcore/bidi_controls.h"
#include "textcore/charmaps.h"
#include "textcore/codepage.h"

namespace zil::textcore {
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
  const unsigned char b = EncodeAnsiUnit(static_cast<char16_t>(c));
  return b == '?' ? -1 : b;
}

// The key map of the key fonts, as a table: byte -> DOS letter or the byte itself.
const std::array<unsigned char, 256>& KeysToDos() {
  static const std::array<unsigned char, 256> table = [] {
    std::array<unsigned char, 256> t{};
    std::string all(256, '\0');
    for (std::size_t b = 0; b < 256; ++b) all[b] = static_cast<char>(b);
    KeysToDosLetters(all);
    for (std::size_t b = 0; b < 256; ++b) t[b] = static_cast<unsigned char>(all[b]);
    return t;
  }();
  return table;
}

}  // namespace

namespace {

// Calls `cell(character, fromCode)` for the glyph cell of `text` at `i` (see DecodeControlCodes) and
// returns where the next cell begins.
template <typename Cell>
std::size_t NextCell(std::u16string_view text, std::size_t i, Cell&& cell) {
  if (text[i] == u'%' && i + 2 < text.size() && text[i + 1] == u'%') {
    const char16_t code = text[i + 2];
    if (code == u'o' || code == u'O' || code == u'u' || code == u'U') return i + 3;
    if (IsDigit(code)) {
      std::size_t end = i + 2;
      char32_t value = 0;
      while (end < text.size() && end < i + 5 && IsDigit(text[end])) value = value * 10 + (text[end++] - u'0');
      cell(value, value < 0x100);
      return end;
    }
    cell(Symbol(code), false);
    return i + 3;
  }
  const char16_t c = text[i];
  if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
    cell(static_cast<char32_t>(0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00)), false);
    return i + 2;
  }
  cell(c, false);
  return i + 1;
}

// Calls `cell(character, fromCode)` for each glyph cell of `text`, in order.
template <typename Cell>
void ForEachCell(std::u16string_view text, Cell&& cell) {
  for (std::size_t i = 0; i < text.size();) i = NextCell(text, i, cell);
}

// A unit that is a cell of its own and draws: below the first bidi control (U+061C) and the surrogates,
// and no start of a control code. Letters (Hebrew ones too), digits and spaces are.
bool IsPlainCell(char16_t c) { return c < 0x061C && c != u'%'; }

}  // namespace

ControlDecoded DecodeControlCodes(std::u16string_view text) {
  ControlDecoded out;
  ForEachCell(text, [&out](char32_t c, bool code) {
    out.characters += c;
    out.fromCode += code ? U'\1' : U'\0';
  });
  return out;
}

int GlyphCells(std::u16string_view text) {
  // Runs of plain units are counted as they are; only the other units go through the rules of the cells.
  int cells = 0;
  const auto count = [&cells](char32_t c, bool code) { cells += code || !IsBidiControl(c); };
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t run = i;
    i = static_cast<std::size_t>(std::find_if_not(text.begin() + run, text.end(), IsPlainCell) - text.begin());
    cells += static_cast<int>(i - run);
    if (i < text.size()) i = NextCell(text, i, count);
  }
  return cells;
}

char32_t ShxGlyph(fntType type, unsigned char b, Brackets brackets) {
  if (type == DosEnglish || type == DosEnglishR) b = KeysToDos()[b];
  if (type != WindowsHeb && IsDosLetter(b)) return 0x05D0 + (b - 0x80u);
  if (brackets == Brackets::AsGiven) return DecodeAnsiByte(b);
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
      return DecodeAnsiByte(b);
  }
}

std::u32string ShxGlyphRun(std::u16string_view text, fntType type, Brackets brackets) {
  const ControlDecoded decoded = DecodeControlCodes(text);
  std::u32string run;
  run.reserve(decoded.characters.size());
  for (std::size_t i = 0; i < decoded.characters.size(); ++i) {
    const char32_t c = decoded.characters[i];
    const int b = decoded.fromCode[i] != 0 ? static_cast<int>(c) : ShxByte(c);
    run += b < 0 ? c : ShxGlyph(type, static_cast<unsigned char>(b), brackets);
  }
  if (type == DosEnglishR) std::reverse(run.begin(), run.end());
  return run;
}

std::u32string SeenGlyphs(std::u32string run, bool backwards) {
  if (backwards) std::reverse(run.begin(), run.end());
  return run;
}

}  // namespace zil::textcore
