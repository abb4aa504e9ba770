#include "drawing/record.h"

#include <algorithm>

#include "drawing/tagger.h"

namespace zil::drawing {

const std::vector<Tag>& Record::Tags() const {
  if (!tagged_) {
    // Two lines a tag: the vector is made at its size at once.
    tags_.reserve(static_cast<std::size_t>(std::count(source_.begin(), source_.end(), '\n') + 1) / 2);
    Tagger tagger(source_, std::string(), line_);
    Tag tag;
    while (tagger.Next(tag)) tags_.push_back(tag);
    tagged_ = true;
  }
  return tags_;
}

const Tag* Record::Find(int code) const {
  for (const Tag& tag : Tags())
    if (tag.code == code) return &tag;
  return nullptr;
}

}  // namespace zil::drawing
