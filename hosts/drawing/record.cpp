#include "drawing/record.h"

#include "drawing/tagger.h"

namespace zil::drawing {

const std::vector<Tag>& Record::Tags() const {
  if (!tagged_) {
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
