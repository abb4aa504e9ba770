#include "drawing/entity_views.h"

#include <array>

#include "drawing/dxf_error.h"
#include "drawing/tag_values.h"

namespace zil::drawing {
namespace {

constexpr std::array kEntityOrder = {8, 6, 62, 370, 48, 60, 420, 430, 440};
constexpr std::array kTextOrder = {39, 10, 20, 30, 40, 1, 50, 41, 51, 7, 71, 72, 11, 21, 31, 210, 220, 230, 73};
constexpr RankTable kTextRanks = RanksOf(kTextOrder);
// An R12 ATTRIB or ATTDEF has its attribute groups among the text groups.
constexpr std::array kR12AttributeOrder = {10, 20, 30, 40, 1,  3,  2,  70,  73,  50,  41,
                                           51, 7,  71, 72, 11, 21, 31, 210, 220, 230, 74};
constexpr std::array kAttributeOrder = {280, 3, 2, 70, 73, 74};
constexpr std::array kMTextOrder = {10,  20,  30,  40, 41, 46, 71, 72, 3,  1,  7,
                                    210, 220, 230, 11, 21, 31, 42, 43, 50, 73, 44};
constexpr std::array kInsertOrder = {66, 2, 10, 20, 30, 41, 42, 43, 50, 70, 71, 44, 45, 210, 220, 230};
constexpr std::array kDimensionOrder = {280, 2,  10, 20, 30, 11, 21, 31, 12, 22, 32, 70,  71,  72,
                                        41,  42, 73, 74, 75, 1,  52, 53, 54, 51, 3,  210, 220, 230};
constexpr std::array kSolidOrder = {39, 10, 20, 30, 11, 21, 31, 12, 22, 32, 13, 23, 33, 210, 220, 230};

constexpr std::size_t kMTextChunk = 250;

// What FindSegment gives for `p` when `before` is what it gave for the occurrence before in the same tags:
// the search goes on after that segment rather than from the start. A segment that begins at 1 is the
// whole record (no markers, or none looked for), and one that begins at 0 a marker that is missing: the
// same for every later occurrence.
Segment SegmentAfter(const std::vector<Tag>& tags, const Placement& p, Segment before) {
  if (before.first <= 1) return before;
  // The segment before ends at a marker, a 101 group, XDATA or the end.
  for (std::size_t i = before.last; i < tags.size() && !IsXdata(tags[i]); ++i)
    if (tags[i].code == 100 && Trimmed(tags[i].value) == p.marker) return SegmentOpenedAt(tags, i);
  return {};
}

}  // namespace

const Placement& EntityPlacement() {
  static const Placement placement{"AcDbEntity", 1, kEntityOrder};
  return placement;
}

std::uint64_t EntityView::OwnerHandle() const {
  int depth = 0;
  for (const Tag& tag : Tags()) {
    if (tag.code == 102) depth += Trimmed(tag.value).starts_with("{") ? 1 : -1;
    if (tag.code == 330 && depth == 0) return HandleOf(tag, drawing_.File());
    if (tag.code == 100) break;  // the owner comes before the first subclass marker
  }
  return 0;
}

std::u16string EntityView::Layer() const { return StringOf(EntityPlacement(), 8); }
std::string_view EntityView::LayerValue() const {
  // Asked once of a view (whether the entity's layer is locked): the segment, near the start, is found
  // without the bookkeeping of the segments kept, and keeps none of their places.
  const std::vector<Tag>& tags = Tags();
  const std::size_t at = FindIn(tags, FindSegment(tags, EntityPlacement(), HasSubclasses(drawing_.Version())), 8);
  return at == std::string_view::npos ? std::string_view() : std::string_view(tags[at].value);
}
void EntityView::SetLayer(std::u16string_view name) { SetString(EntityPlacement(), 8, name); }
int EntityView::Color() const { return static_cast<int>(IntegerOr(EntityPlacement(), 62, 256)); }
void EntityView::SetColor(int color) { SetInteger(EntityPlacement(), 62, color); }

EntityView::Batch::Batch(EntityView& view) : view_(view), outer_(!view.pending_) {
  if (!outer_) return;
  // Room for the groups a change adds, so that adding them moves the tags once at most.
  constexpr std::size_t kRoomForNewGroups = 8;
  const std::vector<Tag>& tags = view_.record_.Tags();
  view_.pending_.emplace();
  view_.pending_->reserve(tags.size() + kRoomForNewGroups);
  view_.pending_->assign(tags.begin(), tags.end());
  view_.dirty_ = false;
}

EntityView::Batch::~Batch() {
  if (!outer_) return;
  view_.pending_.reset();
  if (!committed_) view_.segments_ = {};  // they may be the abandoned tags'
}

void EntityView::Batch::Commit() {
  if (!outer_ || !view_.pending_) return;
  std::vector<Tag> tags = std::move(*view_.pending_);
  view_.pending_.reset();
  committed_ = true;
  if (!view_.dirty_) return;
  const std::uint64_t from = view_.record_.Revision();
  view_.drawing_.SetTags(view_.record_, std::move(tags));
  // The record now holds the tags the segments were found in.
  for (KnownSegment& known : view_.segments_)
    if (known.revision == from) known.revision = view_.record_.Revision();
}

Segment EntityView::LookUpSegment(const Placement& p) const {
  // Markers are mostly the same view of one name: the bytes are compared only when the views differ.
  const auto sameMarker = [&p](std::string_view marker) {
    return (marker.data() == p.marker.data() && marker.size() == p.marker.size()) || marker == p.marker;
  };
  for (const KnownSegment& known : segments_)
    if (known.occurrence == p.occurrence && known.revision == record_.Revision() && sameMarker(known.marker))
      return known.segment;
  // The segment of the occurrence before, when known, says where to look on.
  const KnownSegment* before = nullptr;
  for (const KnownSegment& known : segments_)
    if (p.occurrence > 1 && known.occurrence == p.occurrence - 1 && known.revision == record_.Revision() &&
        sameMarker(known.marker))
      before = &known;
  const Segment segment =
      before ? SegmentAfter(Tags(), p, before->segment) : FindSegment(Tags(), p, HasSubclasses(drawing_.Version()));
  KnownSegment* slot = nullptr;
  for (KnownSegment& known : segments_)
    if (known.occurrence == 0 || known.revision != record_.Revision()) slot = &known;  // free or stale
  if (!slot) slot = &segments_[nextSegment_++ % segments_.size()];
  *slot = {p.marker, p.occurrence, record_.Revision(), segment};
  return segment;
}

void EntityView::Remember(const Placement& p, Segment segment, bool moved, std::uint64_t from, std::uint64_t to) const {
  KnownSegment* slot = nullptr;
  for (KnownSegment& known : segments_) {
    const bool same = known.occurrence == p.occurrence && known.marker == p.marker;
    if (moved || known.revision != from || same) {
      known = {};
      if (!slot || same) slot = &known;
    } else {
      known.revision = to;
    }
  }
  if (!slot) slot = &segments_[nextSegment_++ % segments_.size()];
  *slot = {p.marker, p.occurrence, to, segment};
}

template <typename Change>
void EntityView::Edit(const Placement& p, Change&& change) {
  const Segment known = SegmentOf(p);
  const std::uint64_t from = record_.Revision();
  if (pending_) {
    const std::size_t size = pending_->size();
    Segment after;
    try {
      after = change(*pending_, known);
    } catch (...) {
      segments_ = {};  // the batch's tags may have changed part way
      throw;
    }
    dirty_ = true;
    Remember(p, after, pending_->size() != size, from, from);
    return;
  }
  std::vector<Tag> tags = record_.Tags();
  const std::size_t size = tags.size();
  const Segment after = change(tags, known);
  const bool moved = tags.size() != size;
  drawing_.SetTags(record_, std::move(tags));
  Remember(p, after, moved, from, record_.Revision());
}

const Tag* EntityView::Get(const Placement& p, int code) const {
  const auto& tags = Tags();
  const std::size_t i = FindIn(tags, SegmentOf(p), code);
  return i == std::string_view::npos ? nullptr : &tags[i];
}

double EntityView::DoubleOr(const Placement& p, int code, double fallback) const {
  const Tag* tag = Get(p, code);
  return tag ? DoubleOf(*tag, drawing_.File()) : fallback;
}

long long EntityView::IntegerOr(const Placement& p, int code, long long fallback) const {
  const Tag* tag = Get(p, code);
  return tag ? IntegerOf(*tag, drawing_.File()) : fallback;
}

std::u16string EntityView::StringOf(const Placement& p, int code) const {
  const Tag* tag = Get(p, code);
  return tag ? drawing_.Decode(tag->value) : std::u16string();
}

Point EntityView::PointOr(const Placement& p, int code, Point fallback) const {
  const Tag* x = Get(p, code);
  if (!x) return fallback;
  return {DoubleOf(*x, drawing_.File()), DoubleOr(p, code + 10, 0), DoubleOr(p, code + 20, 0)};
}

void EntityView::Set(const Placement& p, int code, std::string_view value) {
  Edit(p, [&](std::vector<Tag>& tags, Segment segment) { return SetIn(drawing_, tags, p, segment, code, value); });
}

void EntityView::SetDouble(const Placement& p, int code, double value) { Set(p, code, FormattedDouble(value)); }
void EntityView::SetInteger(const Placement& p, int code, long long value) { Set(p, code, std::to_string(value)); }
void EntityView::SetString(const Placement& p, int code, std::u16string_view text) {
  Set(p, code, drawing_.Encode(text));
}

void EntityView::SetPoint(const Placement& p, int code, Point point) {
  Edit(p, [&](std::vector<Tag>& tags, Segment segment) {
    segment = SetIn(drawing_, tags, p, segment, code, FormattedDouble(point.x));
    segment = SetIn(drawing_, tags, p, segment, code + 10, FormattedDouble(point.y));
    return SetIn(drawing_, tags, p, segment, code + 20, FormattedDouble(point.z));
  });
}

void EntityView::SetPointXY(const Placement& p, int code, Point point) {
  Edit(p, [&](std::vector<Tag>& tags, Segment segment) {
    segment = SetIn(drawing_, tags, p, segment, code, FormattedDouble(point.x));
    return SetIn(drawing_, tags, p, segment, code + 10, FormattedDouble(point.y));
  });
}

// --- TEXT, ATTRIB, ATTDEF ---

TextView::TextView(Drawing& drawing, Record& record)
    : EntityView(drawing, record),
      text_{"AcDbText", 1, kTextOrder, &kTextRanks},
      valign_{"AcDbText", 2, kTextOrder, &kTextRanks},
      valignCode_(73) {
  const bool attribute = record.Type() == "ATTRIB" || record.Type() == "ATTDEF";
  if (attribute) {
    valignCode_ = 74;
    if (HasSubclasses(drawing.Version())) {
      valign_ = {record.Type() == "ATTRIB" ? "AcDbAttribute" : "AcDbAttributeDefinition", 1, kAttributeOrder};
    } else {
      text_ = valign_ = {{}, 1, kR12AttributeOrder};
    }
  } else if (record.Type() != "TEXT") {
    throw DxfError("a " + std::string(record.Type()) + " is not a text entity");
  }
}

const Placement& TextView::ValignPlacement() const {
  if (Type() == "TEXT" && !Has(valign_, valignCode_) && Has(text_, valignCode_)) return text_;
  return valign_;
}

int TextView::VerticalAlignment() const {
  // The tag ValignPlacement's placement holds, each segment looked in once.
  const Tag* tag = Get(valign_, valignCode_);
  if (!tag && Type() == "TEXT") tag = Get(text_, valignCode_);
  return tag ? static_cast<int>(IntegerOf(*tag, Owner().File())) : 0;
}

std::u16string TextView::StyleName() const {
  const auto value = StyleValue();
  return value ? Owner().Decode(*value) : u"Standard";
}

std::array<const Tag*, TextView::kTextTags.size()> TextView::TextTags() const {
  static constexpr RankTable kTextTagRanks = RanksOf(kTextTags);
  return GetAll<kTextTags.size()>(text_, kTextTagRanks);
}

std::optional<std::string_view> TextView::StyleValue() const {
  const Tag* style = Get(text_, 7);
  return style ? std::optional(style->value) : std::nullopt;
}

std::optional<Point> TextView::AlignmentPoint() const {
  if (!Has(text_, 11)) return std::nullopt;
  return PointOr(text_, 11);
}

AttributeView::AttributeView(Drawing& drawing, Record& record) : TextView(drawing, record), attribute_(valign_) {
  if (record.Type() != "ATTRIB" && record.Type() != "ATTDEF") {
    throw DxfError("a " + std::string(record.Type()) + " is not an attribute");
  }
}

void AttributeView::SetPromptString(std::u16string_view prompt) {
  if (!IsDefinition()) throw DxfError("an ATTRIB has no prompt; only an ATTDEF does");
  SetString(attribute_, 3, prompt);
}

// --- MTEXT ---

const Placement& MTextView::Layout() {
  static const Placement placement{"AcDbMText", 1, kMTextOrder};
  return placement;
}

std::u16string MTextView::TextString() const {
  const auto& tags = Rec().Tags();
  const Segment segment = FindSegment(tags, Layout(), HasSubclasses(Owner().Version()));
  std::string bytes;
  for (std::size_t i = segment.first; i < segment.last; ++i)
    if (tags[i].code == 3 || tags[i].code == 1) bytes += tags[i].value;
  return Owner().Decode(bytes);
}

void MTextView::SetTextString(std::u16string_view text) {
  Drawing& drawing = Owner();
  std::vector<std::size_t> boundaries;
  const std::string bytes = drawing.Strings().Encode(text, &boundaries);
  boundaries.push_back(bytes.size());
  std::vector<Tag> chunks;
  std::size_t start = 0;
  while (bytes.size() - start > kMTextChunk) {
    // The last character boundary that keeps the chunk within its size (a character is at most 8 bytes).
    std::size_t cut = start;
    for (const std::size_t b : boundaries) {
      if (b > start + kMTextChunk) break;
      cut = b;
    }
    chunks.push_back(drawing.MakeTag(3, std::string_view(bytes).substr(start, cut - start)));
    start = cut;
  }
  std::vector<Tag> tags = Rec().Tags();
  RemoveIn(drawing, tags, Layout(), 3);
  const Placement& layout = Layout();
  SetIn(drawing, tags, layout, 1, std::string_view(bytes).substr(start));
  const std::size_t at = FindIn(tags, FindSegment(tags, layout, HasSubclasses(drawing.Version())), 1);
  tags.insert(tags.begin() + static_cast<std::ptrdiff_t>(at), chunks.begin(), chunks.end());
  drawing.SetTags(Rec(), std::move(tags));
}

std::u16string MTextView::StyleName() const {
  const Tag* style = Get(Layout(), 7);
  return style ? Owner().Decode(style->value) : u"Standard";
}

// --- INSERT, DIMENSION, SOLID ---

const Placement& InsertView::Layout() {
  static const Placement placement{"AcDbBlockReference", 1, kInsertOrder};
  return placement;
}

std::vector<Record*> InsertView::Attributes() const {
  std::vector<Record*> attributes;
  for (Record* r = Rec().Next(); r != nullptr && (r->Type() == "ATTRIB" || r->Erased()); r = r->Next())
    if (!r->Erased()) attributes.push_back(r);
  return attributes;
}

const Placement& DimensionView::Layout() {
  static const Placement placement{"AcDbDimension", 1, kDimensionOrder};
  return placement;
}

const Placement& SolidView::Layout() {
  static const Placement placement{"AcDbTrace", 1, kSolidOrder};
  return placement;
}

}  // namespace zil::drawing
