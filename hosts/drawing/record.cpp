#include "drawing/record.h"

#include <cstdint>

#include "drawing/tagger.h"

namespace zil::drawing {

// A drawing keeps a record for every object of its file.
static_assert(sizeof(Record) <= 64, "a record fits in a cache line");

namespace {

// Reads the tag at `p` as Tagger::PlainTag does when its code line is three characters, the digits
// right-aligned after spaces ("  0", " 10", "330"), and a line end: the layout of nearly every code line
// a writer writes. False, `p` left as it was, for a code line of any other form. A record's tags are made
// from its bytes again each time it is worked on after being written back: this form is read without a
// loop over its characters.
bool ShortCodeTag(const char*& p, const char* end, Tag& tag) noexcept {
  const std::ptrdiff_t size = end - p;
  if (size < 4) return false;
  const std::size_t codeLine = p[3] == '\n' ? 4 : size >= 5 && p[3] == '\r' && p[4] == '\n' ? 5 : 0;
  if (codeLine == 0) return false;
  const auto digit = [](char c) { return static_cast<unsigned>(static_cast<unsigned char>(c)) - unsigned{'0'}; };
  const unsigned hundreds = digit(p[0]);
  const unsigned tens = digit(p[1]);
  const unsigned units = digit(p[2]);
  if (units > 9) return false;
  unsigned code = units;
  if (tens <= 9) {
    code += 10 * tens;
    if (hundreds <= 9) {
      code += 100 * hundreds;
    } else if (p[0] != ' ') {
      return false;
    }
  } else if (p[1] != ' ' || p[0] != ' ') {
    return false;
  }
  tag.code = static_cast<int>(code);
  tag.codeLine = std::string_view(p, codeLine);
  p = Tagger::ValueLine(p + codeLine, end, tag);
  return true;
}

}  // namespace

const std::vector<Tag>& Record::MadeTags() const {
  const std::string_view source = Source();
  std::vector<Tag>& tags = HeldTags();
  // Two lines a tag: the vector is made at its size at once. The line ends are counted in blocks of 255
  // bytes, each in 8 bits (a block holds at most 255): so the vectorised loop adds the bytes of a block's
  // comparisons as they are, where a wider count widens every one of them first.
  std::uint32_t lines = 1;
  for (std::size_t start = 0; start < source.size(); start += 255) {
    const std::string_view block = source.substr(start, 255);
    std::uint8_t ends = 0;
    for (const char c : block) ends = static_cast<std::uint8_t>(ends + (c == '\n' ? 1 : 0));
    lines += ends;
  }
  tags.reserve(lines / 2);
  // The bytes were checked when the file was loaded, or written from tags: the tags whose code lines have
  // a common form are read here, with the place kept in registers rather than in a tagger. A tagger
  // reads the rest from the first code line of any other form.
  const char* p = source.data();
  const char* const end = p + source.size();
  std::uint32_t line = line_;
  Tag tag;
  while (p != end && (ShortCodeTag(p, end, tag) || Tagger::PlainTag(p, end, tag))) {
    tag.line = line;
    line += 2;
    tags.push_back(tag);
    if (Tagger::IsEndOfFile(tag)) return tags;
  }
  if (p == end) return tags;
  Tagger tagger(std::string_view(p, static_cast<std::size_t>(end - p)), std::string(), line);
  while (tagger.Next(tag)) tags.push_back(tag);
  return tags;
}

std::vector<Tag>& Record::HeldTags() const {
  if (!tags_) tags_ = std::make_unique<std::vector<Tag>>();
  return *tags_;
}

const Tag* Record::Find(int code) const {
  for (const Tag& tag : Tags())
    if (tag.code == code) return &tag;
  return nullptr;
}

}  // namespace zil::drawing
