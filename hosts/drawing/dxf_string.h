// DXF string values <-> the UTF-16 strings the add-in sees. Accepts untrusted bytes.
//
// Reading: the bytes are decoded in the drawing's code page (UTF-8 from R2007 on), then the escapes are
// resolved: `\U+XXXX` (four hex digits, either case) is that UTF-16 unit, `\M+nXXXX` a double-byte
// character of East Asian code page n (1 Japanese, 2 Traditional Chinese, 3 Korean (Wansung), 5
// Simplified Chinese), `^ ` a caret and `^` followed by '@'..'_' the control character it stands for.
// Anything else stays as it is. Writing is the inverse: control characters and carets get caret escapes,
// a unit the code page lacks becomes `\U+XXXX` (upper-case hex, as AutoCAD writes it), and a backslash
// that would otherwise start an escape is itself written `\U+005C`, so that reading gives back the string.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "drawing/code_page.h"

namespace zil::drawing {

class DxfStrings {
 public:
  explicit DxfStrings(std::shared_ptr<const CodePage> codePage) : codePage_(std::move(codePage)) {}

  std::u16string Decode(std::string_view bytes) const;
  std::string Encode(std::u16string_view text) const { return Encode(text, nullptr); }
  // Also gives the offsets where the bytes of each character (escapes included) begin: a string may be
  // cut there without breaking an escape or a multi-byte sequence.
  std::string Encode(std::u16string_view text, std::vector<std::size_t>* boundaries) const;

  // True when Decode(Encode(text)) is `text` itself, known without decoding: the code page writes what it
  // reads, and no unit of `text` has a rule of its own (a control character, a caret, a backslash). False
  // says nothing.
  bool ReadsBackAsIs(std::u16string_view text) const noexcept;
  // Encode(text), and ReadsBackAsIs(text) in `readsBackAsIs`, found in the same pass.
  std::string Encode(std::u16string_view text, bool& readsBackAsIs) const;

  const CodePage& Page() const noexcept { return *codePage_; }

 private:
  // Appends the bytes of the character at text[pos] and returns how many units it used.
  std::size_t EncodeCharacter(std::u16string_view text, std::size_t pos, std::string& out) const;
  // The bytes of `text`, and whether no unit of it has a rule of its own; `bytes`: the code page's bytes
  // of units (CodePage::BytesOfUnits) when it has them.
  bool EncodeAll(std::u16string_view text, std::string& out) const;
  bool EncodeAll(std::u16string_view text, const CodePage::ByteTable& bytes, std::string& out) const;

  std::shared_ptr<const CodePage> codePage_;
};

}  // namespace zil::drawing
