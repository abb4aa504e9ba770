// The first stage of reading a DXF file: lines -> (group code, value) tags. Accepts untrusted bytes.
//
// A tag is two lines: a group code (an integer, spaces allowed around it) and a value. Lines end with
// "\n" or "\r\n"; the last line may lack its end. The tagger keeps every byte: a tag's code line, value
// and line end are views of the input. It stops after the value of the `0 EOF` tag; what follows is the
// trailer, kept as it is. Faults are reported as DxfError with the file name, the line and what was
// expected.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "drawing/tag.h"

namespace zil::drawing {

class Tagger {
 public:
  // `bytes` must outlive the tagger and the tags; `firstLine` is the line number of its first byte.
  Tagger(std::string_view bytes, std::string file, std::uint32_t firstLine = 1);

  // Reads the next tag into `tag`; false at the end of the input or after `0 EOF`. Inline: it runs for
  // every tag of a file and of every record whose tags are made.
  bool Next(Tag& tag);

  // The bytes not yet read: after `0 EOF`, the trailer.
  std::string_view Rest() const noexcept { return bytes_.substr(pos_); }
  std::uint32_t Line() const noexcept { return line_; }
  const std::string& File() const noexcept { return file_; }

  // Reads the tag at `p` as Next does when its code line has the common form (see PlainCode), all but its
  // line, and moves `p` past it; false, `p` left as it was, for a code line of any other form. For a
  // reader of trusted bytes that keeps its place in registers and leaves the rest to a tagger.
  static bool PlainTag(const char*& p, const char* end, Tag& tag) noexcept;
  // After a tag read: it is `0 EOF`, the last tag read.
  static bool IsEndOfFile(const Tag& tag) noexcept { return tag.code == 0 && Trimmed(tag.value) == "EOF"; }
  // Reads the value line at `p` into `tag` and returns where the next line begins.
  static const char* ValueLine(const char* p, const char* end, Tag& tag) noexcept;

 private:
  // The code of a code line in the common form, or -1 (see below).
  static int PlainCode(const char*& at, const char* end) noexcept;
  // The first '\n' from `p` on, or `end` when there is none.
  static const char* LineEnd(const char* p, const char* end) noexcept;
  // Reads the group code line at pos_ in any form and returns its code; throws DxfError when it holds
  // none or the input ends after it.
  int TakeCode();

  std::string_view bytes_;
  std::string file_;
  std::size_t pos_ = 0;
  std::uint32_t line_;
  bool atEof_ = false;
};

// The code of a code line in the form nearly every one has (spaces, at most five digits, a line end),
// read and parsed in one pass, `at` moved past it; -1 for any other line, which is left to TakeCode.
inline int Tagger::PlainCode(const char*& at, const char* end) noexcept {
  const char* p = at;
  while (p != end && *p == ' ') ++p;
  const char* const digits = p;
  const char* const lastDigit = end - p > 5 ? p + 5 : end;
  int code = 0;
  for (; p != lastDigit && *p >= '0' && *p <= '9'; ++p) code = code * 10 + (*p - '0');
  if (p == digits || code > 32767) return -1;
  if (p != end && *p == '\n') {
    at = p + 1;
    return code;
  }
  if (end - p >= 2 && p[0] == '\r' && p[1] == '\n') {
    at = p + 2;
    return code;
  }
  return -1;
}

// Values are mostly a few bytes to a few dozen long: their bytes are looked at eight at a time, as one
// 64-bit word, while eight remain. `x` = word ^ "\n\n..." has a zero byte where the word has '\n', and
// (x - 0x01..01) & ~x & 0x80..80 marks the lowest zero byte of `x` exactly (a mark above it may be false,
// from the borrow, but only the lowest is used); in little-endian order the lowest byte comes first.
inline const char* Tagger::LineEnd(const char* p, const char* end) noexcept {
  if constexpr (std::endian::native == std::endian::little) {
    constexpr std::uint64_t kOnes = 0x0101010101010101;
    constexpr std::uint64_t kHighBits = 0x8080808080808080;
    constexpr std::uint64_t kNewlines = kOnes * '\n';
    for (; end - p >= 8; p += 8) {
      std::uint64_t word;
      std::memcpy(&word, p, sizeof word);
      const std::uint64_t x = word ^ kNewlines;
      const std::uint64_t marks = (x - kOnes) & ~x & kHighBits;
      if (marks != 0) return p + std::countr_zero(marks) / 8;
    }
  }
  while (p != end && *p != '\n') ++p;
  return p;
}

inline const char* Tagger::ValueLine(const char* p, const char* end, Tag& tag) noexcept {
  // The value line, up to its end: "\n", "\r\n", or none at the end of the input.
  const char* const value = p;
  p = LineEnd(p, end);
  if (p == end) {
    tag.value = std::string_view(value, static_cast<std::size_t>(end - value));
    tag.valueEnd = std::string_view();
    return p;
  }
  const char* const valueEnd = p != value && p[-1] == '\r' ? p - 1 : p;
  ++p;
  tag.value = std::string_view(value, static_cast<std::size_t>(valueEnd - value));
  tag.valueEnd = std::string_view(valueEnd, static_cast<std::size_t>(p - valueEnd));
  return p;
}

inline bool Tagger::PlainTag(const char*& p, const char* end, Tag& tag) noexcept {
  const char* const start = p;
  const char* value = p;
  const int code = PlainCode(value, end);
  if (code < 0) return false;
  tag.code = code;
  tag.codeLine = std::string_view(start, static_cast<std::size_t>(value - start));
  p = ValueLine(value, end, tag);
  return true;
}

inline bool Tagger::Next(Tag& tag) {
  if (atEof_ || pos_ >= bytes_.size()) return false;
  const char* p = bytes_.data() + pos_;
  const char* const end = bytes_.data() + bytes_.size();
  if (!PlainTag(p, end, tag)) {
    tag.code = TakeCode();
    const char* const value = bytes_.data() + pos_;
    tag.codeLine = std::string_view(p, static_cast<std::size_t>(value - p));
    p = ValueLine(value, end, tag);
  }
  pos_ = static_cast<std::size_t>(p - bytes_.data());
  tag.line = line_;
  line_ += 2;
  if (IsEndOfFile(tag)) atEof_ = true;
  return true;
}

// Refuses what is not ASCII DXF before tagging: binary DXF, DWG, UTF-16 text, and any file whose first line
// is no group code. Throws DxfError.
void CheckAsciiDxf(std::string_view bytes, const std::string& file);

// The length of a UTF-8 byte order mark at the start of `bytes` (0 or 3).
std::size_t ByteOrderMarkLength(std::string_view bytes) noexcept;

}  // namespace zil::drawing
