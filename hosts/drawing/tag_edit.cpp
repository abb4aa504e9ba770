#include "drawing/tag_edit.h"

#include <algorithm>

namespace zil::drawing {

std::size_t XdataStart(const std::vector<Tag>& tags) noexcept {
  for (std::size_t i = 0; i < tags.size(); ++i)
    if (tags[i].code >= 1000) return i;
  return tags.size();
}

Segment FindSegment(const std::vector<Tag>& tags, const Placement& placement, bool subclassed) {
  if (!subclassed || placement.marker.empty()) return {1, XdataStart(tags)};
  // One pass up to XDATA: the marker's segment ends at the next marker, the next 101 group or XDATA.
  const auto inData = [&tags](std::size_t i) { return i < tags.size() && tags[i].code < 1000; };
  int seen = 0;
  bool markers = false;
  std::size_t i = 1;
  for (; inData(i); ++i) {
    if (tags[i].code != 100) continue;
    markers = true;
    if (Trimmed(tags[i].value) != placement.marker || ++seen < placement.occurrence) continue;
    std::size_t last = i + 1;
    while (inData(last) && tags[last].code != 100 && tags[last].code != 101) ++last;
    return {i + 1, last};
  }
  // Some writers leave out every subclass marker; such a record is read as one segment, as in R12.
  return markers ? Segment{0, 0} : Segment{1, i};
}

std::size_t FindIn(const std::vector<Tag>& tags, Segment segment, int code) {
  for (std::size_t i = segment.first; i < segment.last; ++i)
    if (tags[i].code == code) return i;
  return std::string_view::npos;
}

namespace {

std::ptrdiff_t RankOf(const Placement& placement, int code) {
  if (placement.ranks) {
    const auto c = static_cast<std::size_t>(code);  // a negative code is beyond the table
    return c < placement.ranks->size() ? (*placement.ranks)[c] : -1;
  }
  const auto it = std::find(placement.order.begin(), placement.order.end(), code);
  return it == placement.order.end() ? -1 : it - placement.order.begin();
}

Segment EnsureSegment(Drawing& drawing, std::vector<Tag>& tags, const Placement& placement, Segment known) {
  Segment segment = known.first != 0 ? known : FindSegment(tags, placement, HasSubclasses(drawing.Version()));
  if (segment.first != 0) return segment;
  const std::size_t at = XdataStart(tags);
  tags.insert(tags.begin() + static_cast<std::ptrdiff_t>(at), drawing.MakeTag(100, placement.marker));
  return {at + 1, at + 1};
}

}  // namespace

void SetIn(Drawing& drawing, std::vector<Tag>& tags, const Placement& placement, int code, std::string_view value) {
  SetIn(drawing, tags, placement, Segment{}, code, value);
}

Segment SetIn(Drawing& drawing, std::vector<Tag>& tags, const Placement& placement, Segment known, int code,
              std::string_view value) {
  Segment segment = EnsureSegment(drawing, tags, placement, known);
  const std::size_t found = FindIn(tags, segment, code);
  if (found != std::string_view::npos) {
    if (tags[found].value != value) tags[found].value = drawing.KeepValue(code, value);
    return segment;
  }
  // Before the first tag that comes later in the order: one whose code is among those after `code` and
  // not also before it.
  const std::ptrdiff_t rank = RankOf(placement, code);
  std::size_t at = segment.last;
  if (rank >= 0 && placement.ranks) {
    // The same walk, each tag's place in the order looked up (the codes are distinct).
    const RankTable& ranks = *placement.ranks;
    std::ptrdiff_t from = 0;
    for (std::size_t i = segment.first; i < segment.last; ++i) {
      const auto c = static_cast<std::size_t>(tags[i].code);  // a negative code is beyond the table
      const std::ptrdiff_t place = c < ranks.size() ? ranks[c] : -1;
      if (place < 0 || place < from) continue;  // not in the order, or among the codes before `from`
      if (place <= rank) {
        from = place;
        continue;
      }
      at = i;
      break;
    }
  } else if (rank >= 0) {
    const auto order = placement.order;
    const auto earlierEnd = order.begin() + rank + 1;
    // A segment's codes mostly come in their order: the codes before `code` are searched from where the
    // previous tag's code was found, and the rest of them only when that fails.
    auto from = order.begin();
    for (std::size_t i = segment.first; i < segment.last; ++i) {
      const int c = tags[i].code;
      auto place = from;  // mostly a step or two away: a plain loop
      while (place != earlierEnd && *place != c) ++place;
      if (place != earlierEnd) {
        from = place;
        continue;
      }
      if (std::find(order.begin(), from, c) != from) continue;
      if (std::find(earlierEnd, order.end(), c) != order.end()) {
        at = i;
        break;
      }
    }
  }
  tags.insert(tags.begin() + static_cast<std::ptrdiff_t>(at), drawing.MakeTag(code, value));
  ++segment.last;
  return segment;
}

std::size_t RemoveIn(Drawing& drawing, std::vector<Tag>& tags, const Placement& placement, int code) {
  const Segment segment = FindSegment(tags, placement, HasSubclasses(drawing.Version()));
  if (segment.first == 0) return std::string_view::npos;
  std::size_t first = std::string_view::npos;
  std::size_t last = segment.last;
  for (std::size_t i = segment.first; i < last;) {
    if (tags[i].code == code) {
      if (first == std::string_view::npos) first = i;
      tags.erase(tags.begin() + static_cast<std::ptrdiff_t>(i));
      --last;
    } else {
      ++i;
    }
  }
  return first;
}

}  // namespace zil::drawing
