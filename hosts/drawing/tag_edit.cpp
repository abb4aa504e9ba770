#include "drawing/tag_edit.h"

#include <algorithm>
#include <array>

namespace zil::drawing {

std::size_t XdataStart(const std::vector<Tag>& tags) noexcept {
  for (std::size_t i = 0; i < tags.size(); ++i)
    if (IsXdata(tags[i])) return i;
  return tags.size();
}

Segment FindSegment(const std::vector<Tag>& tags, const Placement& placement, bool subclassed) {
  if (!subclassed || placement.marker.empty()) return {1, XdataStart(tags)};
  // One pass up to XDATA: the marker's segment ends at the next marker, the next 101 group or XDATA.
  const auto inData = [&tags](std::size_t i) { return i < tags.size() && !IsXdata(tags[i]); };
  int seen = 0;
  bool markers = false;
  std::size_t i = 1;
  for (; inData(i); ++i) {
    if (tags[i].code != 100) continue;
    markers = true;
    if (Trimmed(tags[i].value) != placement.marker || ++seen < placement.occurrence) continue;
    return SegmentOpenedAt(tags, i);
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

// SetIn's work; `checked`: the value is known to hold no line break.
Segment SetOne(Drawing& drawing, std::vector<Tag>& tags, const Placement& placement, Segment known, int code,
               std::string_view value, bool checked) {
  Segment segment = EnsureSegment(drawing, tags, placement, known);
  const std::size_t found = FindIn(tags, segment, code);
  if (found != std::string_view::npos) {
    if (tags[found].value != value)
      tags[found].value = checked ? drawing.KeepCheckedValue(value) : drawing.KeepValue(code, value);
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
  tags.insert(tags.begin() + static_cast<std::ptrdiff_t>(at),
              checked ? drawing.MakeCheckedTag(code, value) : drawing.MakeTag(code, value));
  ++segment.last;
  return segment;
}

// SetAllIn's one pass, for a placement with a table of ranks and groups whose codes are all in its order;
// false, with the tags as they were, for any others.
//
// With a table of ranks SetIn puts a missing group before the first tag whose code comes later in the
// order, wherever the codes before it are; a group set earlier lies before that tag only when its code
// comes earlier too. So each missing group goes before the first tag of the segment as it was whose code
// comes later than its own, those that go before the same tag in their order; and each group found gets
// the first tag of its code.
bool SetRanked(Drawing& drawing, std::vector<Tag>& tags, const Placement& placement, Segment& segment,
               std::span<const GroupValue> groups) {
  constexpr std::size_t kMost = 16;
  constexpr std::size_t kNone = std::string_view::npos;
  if (!placement.ranks || groups.size() > kMost) return false;
  const RankTable& ranks = *placement.ranks;
  const auto rankOf = [&ranks](int code) -> int {
    const auto c = static_cast<std::size_t>(code);  // a negative code is beyond the table
    return c < ranks.size() ? ranks[c] : -1;
  };
  // The group of each rank (ranks are below 128), and the tag each group found.
  std::array<std::int8_t, 128> groupOfRank;
  groupOfRank.fill(-1);
  std::array<std::size_t, kMost> found;
  for (std::size_t k = 0; k < groups.size(); ++k) {
    const int rank = rankOf(groups[k].code);
    if (rank < 0 || groupOfRank[static_cast<std::size_t>(rank)] >= 0) return false;  // or a code twice
    groupOfRank[static_cast<std::size_t>(rank)] = static_cast<std::int8_t>(k);
    found[k] = kNone;
  }
  for (std::size_t i = segment.first; i < segment.last; ++i) {
    const int rank = rankOf(tags[i].code);
    if (rank < 0) continue;
    const int k = groupOfRank[static_cast<std::size_t>(rank)];
    if (k >= 0 && found[static_cast<std::size_t>(k)] == kNone) found[static_cast<std::size_t>(k)] = i;
  }

  // The missing groups in the order's order, each with the index it goes before.
  struct Missing {
    int rank;
    std::size_t group;
    std::size_t at = 0;
  };
  std::array<Missing, kMost> missing;
  std::size_t count = 0;
  for (std::size_t k = 0; k < groups.size(); ++k) {
    if (found[k] != kNone) {
      Tag& tag = tags[found[k]];
      if (tag.value != groups[k].value) tag.value = drawing.KeepCheckedValue(groups[k].value);
      continue;
    }
    const Missing m{rankOf(groups[k].code), k};
    std::size_t j = count++;
    for (; j > 0 && missing[j - 1].rank > m.rank; --j) missing[j] = missing[j - 1];
    missing[j] = m;
  }
  if (count == 0) return true;
  std::size_t before = segment.first;
  for (std::size_t j = 0; j < count; ++j) {
    while (before < segment.last && rankOf(tags[before].code) <= missing[j].rank) ++before;
    missing[j].at = before;
  }
  // Each run of tags moves once, from the back, leaving room for the missing groups before it; they are
  // made in their order, which lays out their bytes one after another as they are written.
  const std::size_t size = tags.size();
  tags.resize(size + count);
  const auto at = [&tags](std::size_t i) { return tags.begin() + static_cast<std::ptrdiff_t>(i); };
  std::size_t end = size;
  for (std::size_t j = count; j-- > 0;) {
    std::copy_backward(at(missing[j].at), at(end), at(end + j + 1));
    end = missing[j].at;
  }
  for (std::size_t j = 0; j < count; ++j) {
    const GroupValue& group = groups[missing[j].group];
    tags[missing[j].at + j] = drawing.MakeCheckedTag(group.code, group.value);
  }
  segment.last += count;
  return true;
}

}  // namespace

void SetIn(Drawing& drawing, std::vector<Tag>& tags, const Placement& placement, int code, std::string_view value) {
  SetOne(drawing, tags, placement, Segment{}, code, value, false);
}

Segment SetIn(Drawing& drawing, std::vector<Tag>& tags, const Placement& placement, Segment known, int code,
              std::string_view value) {
  return SetOne(drawing, tags, placement, known, code, value, false);
}

Segment SetAllIn(Drawing& drawing, std::vector<Tag>& tags, const Placement& placement, Segment known,
                 std::span<const GroupValue> groups) {
  if (groups.empty()) return known;
  for (const GroupValue& group : groups)
    if (!group.checked) CheckValue(group.code, group.value);
  Segment segment = EnsureSegment(drawing, tags, placement, known);
  if (SetRanked(drawing, tags, placement, segment, groups)) return segment;
  for (const GroupValue& group : groups)
    segment = SetOne(drawing, tags, placement, segment, group.code, group.value, true);
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
