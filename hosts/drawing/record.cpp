#include "drawing/record.h"

#include <cstdint>

#include "drawing/tagger.h"

namespace zil::drawing {

// A drawing keeps a record for every object of its file.
static_assert(sizeof(Record) <= 64, "a record fits in a cache line");

const std::vector<Tag>& Record::Tags() const {
  if (!tags_) {
    const std::string_view source = Source();
    std::vector<Tag>& tags = HeldTags();
    // Two lines a tag: the vector is made at its size at once. The lines are counted in 32 bits: a
    // record is smaller than 4 GiB, and std::count's wider count makes its vectorised loop several times
    // longer.
    std::uint32_t lines = 1;
    for (const char c : source) lines += c == '\n' ? 1 : 0;
    tags.reserve(lines / 2);
    Tagger tagger(source, std::string(), line_);
    Tag tag;
    while (tagger.Next(tag)) tags.push_back(tag);
  }
  return *tags_;
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
