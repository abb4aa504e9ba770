// The code page of a drawing's strings: UTF-8 from R2007 on; before that the code page $DWGCODEPAGE names.
// Accepts untrusted names and bytes.
//
// ANSI_1255 follows the text core's rule (textcore/codepage.h): a byte Windows-1255 leaves undefined is
// the code point of the same value, so DOS Hebrew letters pass a load and a save unchanged. The other
// single-byte code pages come from ICU with the same rule for their undefined bytes, and bytes below 0x80
// are always ASCII. The East Asian double-byte code pages go through ICU's converters. A name that is not
// supported is refused (DxfError from CodePage::ForName), never guessed.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zil::drawing {

class CodePage {
 public:
  // `name` as in $DWGCODEPAGE ("ANSI_1255", "DOS862", case-insensitive). Throws DxfError when the name is
  // not a code page this host supports; `file` names the drawing in the message.
  static std::shared_ptr<const CodePage> ForName(std::string_view name, const std::string& file);
  static std::shared_ptr<const CodePage> Utf8();

  virtual ~CodePage() = default;
  // The canonical name: "ANSI_1255", "DOS862", "UTF-8".
  virtual std::string_view Name() const noexcept = 0;
  // Appends the UTF-16 form of `bytes`.
  virtual void Decode(std::string_view bytes, std::u16string& out) const = 0;
  // Appends the bytes of text[pos] (and of its low surrogate when the code page takes a pair) and returns
  // how many units it used; 0 when the code page cannot hold the unit (the caller escapes it).
  virtual std::size_t EncodeUnit(std::u16string_view text, std::size_t pos, std::string& out) const = 0;
  // Appends the bytes of the units text[pos, end) up to the first one the code page cannot hold and returns
  // where it stopped: `end` when it held them all. The same bytes as EncodeUnit unit by unit, in one call.
  std::size_t EncodeRun(std::u16string_view text, std::size_t pos, std::size_t end, std::string& out) const;
  // True when every unit the code page holds is written as bytes that decode to that very unit (a
  // single-byte code page: its table of units is the inverse of its table of bytes).
  virtual bool WritesWhatItReads() const noexcept { return false; }
  // A single-byte code page's byte for every unit, as EncodeUnit writes it: the unit itself below 0x80, a
  // byte from 0x80 up for the others it holds, 0 for a unit it cannot hold and for unit 0. Nothing for the
  // other code pages.
  using ByteTable = std::array<unsigned char, 0x10000>;
  virtual const ByteTable* BytesOfUnits() const noexcept { return nullptr; }
};

// The names of the code pages this host supports, for messages and documentation.
std::vector<std::string_view> SupportedCodePageNames();

}  // namespace zil::drawing
