// Finding and placing tags inside a record, for the typed views: where a group belongs (its subclass
// segment and its place among the groups of that segment), reading it, and setting it so that only that
// tag changes. Works on a copy of a record's tags, which the view then hands to Drawing::SetTags.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "drawing/drawing.h"
#include "drawing/dxf_error.h"

namespace zil::drawing {

// The place of each group code below 256 in an order of distinct codes, -1 for one that is not in it
// (RanksOf makes it).
using RankTable = std::array<std::int8_t, 256>;

// Where the groups of one subclass live: after the `occurrence`-th `100 marker` tag (from R13 on; an R12
// record has no markers and its segment is the whole record), in the order `order` gives; `ranks`, when
// given, is RanksOf(order), which finds a new group's place faster.
struct Placement {
  std::string_view marker;
  int occurrence = 1;
  std::span<const int> order;
  const RankTable* ranks = nullptr;
};

constexpr RankTable RanksOf(std::span<const int> order) {
  RankTable ranks{};
  ranks.fill(-1);
  for (std::size_t k = 0; k < order.size(); ++k) {
    // Made at compile time, this fails to compile for a code beyond the table or one that comes twice.
    const auto code = static_cast<std::size_t>(order[k]);
    if (order[k] < 0 || code >= ranks.size() || ranks[code] != -1 || k > 127)
      throw DxfError("an order of distinct group codes below 256");
    ranks[code] = static_cast<std::int8_t>(k);
  }
  return ranks;
}

// [first, last) of the segment in `tags`; first == 0 when the marker is missing (R13 on) while others are
// there. A record without any marker is one segment.
struct Segment {
  std::size_t first = 0;
  std::size_t last = 0;
};
Segment FindSegment(const std::vector<Tag>& tags, const Placement& placement, bool subclassed);
// A group of the extended data (XDATA: groups 1000 and above), which ends an object's own groups.
constexpr bool IsXdata(const Tag& tag) noexcept { return tag.code >= 1000; }
// The segment that the subclass marker at `marker` opens: it ends at the next marker, the next 101 group
// or XDATA.
inline Segment SegmentOpenedAt(const std::vector<Tag>& tags, std::size_t marker) {
  std::size_t last = marker + 1;
  while (last < tags.size() && !IsXdata(tags[last]) && tags[last].code != 100 && tags[last].code != 101) ++last;
  return {marker + 1, last};
}

// The index of the first tag with `code` in the segment, or npos.
std::size_t FindIn(const std::vector<Tag>& tags, Segment segment, int code);

// Sets group `code` to `value` in `tags`: the existing tag's value is replaced (its group code line and
// line end kept), a missing one is made and put in its place; a missing marker is added before XDATA.
void SetIn(Drawing& drawing, std::vector<Tag>& tags, const Placement& placement, int code, std::string_view value);
// The same, in the segment `known` that FindSegment gave for these tags (looked up again when its first is
// 0); returns the segment as it is afterwards, for the next change of the same tags.
Segment SetIn(Drawing& drawing, std::vector<Tag>& tags, const Placement& placement, Segment known, int code,
              std::string_view value);

// A group for SetAllIn to set: `checked` when the value is known to hold no line break (a number the host
// wrote), which spares looking for one.
struct GroupValue {
  int code = 0;
  std::string_view value;
  bool checked = false;
};
// Sets each of `groups` (of distinct codes) as SetIn would, one after another, in the segment `known` as
// SetIn takes it, and returns the segment as it is afterwards. A value with a line break is refused
// (DxfError) before any tag changes. Groups whose codes are all in an order with its table of ranks are
// placed in one pass.
Segment SetAllIn(Drawing& drawing, std::vector<Tag>& tags, const Placement& placement, Segment known,
                 std::span<const GroupValue> groups);

// Removes every tag with `code` in the segment; returns the index where the first was (or npos).
std::size_t RemoveIn(Drawing& drawing, std::vector<Tag>& tags, const Placement& placement, int code);

// The index where XDATA begins, or tags.size().
std::size_t XdataStart(const std::vector<Tag>& tags) noexcept;

}  // namespace zil::drawing
