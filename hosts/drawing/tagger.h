// The first stage of reading a DXF file: lines -> (group code, value) tags. Accepts untrusted bytes.
//
// A tag is two lines: a group code (an integer, spaces allowed around it) and a value. Lines end with
// "\n" or "\r\n"; the last line may lack its end. The tagger keeps every byte: a tag's code line, value
// and line end are views of the input. It stops after the value of the `0 EOF` tag; what follows is the
// trailer, kept as it is. Faults are reported as DxfError with the file name, the line and what was
// expected.
#pragma once

#include <cstdint>
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

 private:
  // The code of a code line in the common form, or -1 (see below).
  static int PlainCode(const char*& at, const char* end) noexcept;
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

inline bool Tagger::Next(Tag& tag) {
  if (atEof_ || pos_ >= bytes_.size()) return false;
  const char* const start = bytes_.data() + pos_;
  const char* const end = bytes_.data() + bytes_.size();
  const char* p = start;
  int code = PlainCode(p, end);
  if (code < 0) {
    code = TakeCode();
    p = bytes_.data() + pos_;
  }
  tag.codeLine = std::string_view(start, static_cast<std::size_t>(p - start));
  // The value line, up to its end: "\n", "\r\n", or none at the end of the input.
  const char* const value = p;
  while (p != end && *p != '\n') ++p;
  if (p == end) {
    tag.value = std::string_view(value, static_cast<std::size_t>(end - value));
    tag.valueEnd = std::string_view();
  } else {
    const char* const valueEnd = p != value && p[-1] == '\r' ? p - 1 : p;
    ++p;
    tag.value = std::string_view(value, static_cast<std::size_t>(valueEnd - value));
    tag.valueEnd = std::string_view(valueEnd, static_cast<std::size_t>(p - valueEnd));
  }
  pos_ = static_cast<std::size_t>(p - bytes_.data());
  tag.code = code;
  tag.line = line_;
  line_ += 2;
  if (code == 0 && Trimmed(tag.value) == "EOF") atEof_ = true;
  return true;
}

// Refuses what is not ASCII DXF before tagging: binary DXF, DWG, UTF-16 text, and any file whose first line
// is no group code. Throws DxfError.
void CheckAsciiDxf(std::string_view bytes, const std::string& file);

// The length of a UTF-8 byte order mark at the start of `bytes` (0 or 3).
std::size_t ByteOrderMarkLength(std::string_view bytes) noexcept;

}  // namespace zil::drawing
