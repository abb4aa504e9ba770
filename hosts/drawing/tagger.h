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

  // Reads the next tag into `tag`; false at the end of the input or after `0 EOF`.
  bool Next(Tag& tag);

  // The bytes not yet read: after `0 EOF`, the trailer.
  std::string_view Rest() const noexcept { return bytes_.substr(pos_); }
  std::uint32_t Line() const noexcept { return line_; }
  const std::string& File() const noexcept { return file_; }

 private:
  std::string_view bytes_;
  std::string file_;
  std::size_t pos_ = 0;
  std::uint32_t line_;
  bool atEof_ = false;
};

// Refuses what is not ASCII DXF before tagging: binary DXF, DWG, UTF-16 text, and any file whose first line
// is no group code. Throws DxfError.
void CheckAsciiDxf(std::string_view bytes, const std::string& file);

// The length of a UTF-8 byte order mark at the start of `bytes` (0 or 3).
std::size_t ByteOrderMarkLength(std::string_view bytes) noexcept;

}  // namespace zil::drawing
