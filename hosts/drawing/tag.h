// One DXF tag: a group code and its value, with the exact bytes they were written as.
//
// A tag read from a file points into the file's bytes (which the drawing keeps); a tag made by the host
// points into the drawing's text store. Writing `codeLine`, `value` and `valueEnd` one after the other
// gives back exactly what the file held, so an unchanged tag is written as it was read.
#pragma once

#include <cstdint>
#include <string_view>

namespace zil::drawing {

struct Tag {
  int code = 0;
  std::uint32_t line = 0;     // line of the group code in the file; 0 for a tag made by the host
  std::string_view codeLine;  // the group code line as written, its line end included
  std::string_view value;     // the value line without its line end
  std::string_view valueEnd;  // the value line's line end: "\n", "\r\n" or empty at the end of the file
};

// The value without the spaces and tabs around it, as numbers and names are compared. By hand and inline:
// every number and name read goes through here (find_first_not_of(" \t") searches the set for each
// character).
inline std::string_view Trimmed(std::string_view value) noexcept {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!value.empty() && blank(value.front())) value.remove_prefix(1);
  while (!value.empty() && blank(value.back())) value.remove_suffix(1);
  return value;
}

}  // namespace zil::drawing
