// Typed views over the tags of the entities the add-in touches: TEXT, ATTRIB and ATTDEF, MTEXT, INSERT,
// DIMENSION, SOLID. A view holds the drawing and the record, nothing else: every getter reads the tags,
// every setter changes only its own tags through Drawing::SetTags. Strings are UTF-16, decoded and encoded
// with the drawing's code page and escapes; raw tags stay at hand through Record::Tags.
//
// Values in the file are untrusted: a number that does not parse is a DxfError naming its line.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "drawing/drawing.h"
#include "drawing/point.h"
#include "drawing/tag_edit.h"

namespace zil::drawing {

class EntityView {
 public:
  EntityView(Drawing& drawing, Record& record) : drawing_(drawing), record_(record) {}

  Drawing& Owner() const noexcept { return drawing_; }
  Record& Rec() const noexcept { return record_; }
  std::string_view Type() const noexcept { return record_.Type(); }
  std::uint64_t Handle() const noexcept { return record_.Handle(); }
  // The owner's handle (group 330 outside the 102 groups), 0 when there is none (R12).
  std::uint64_t OwnerHandle() const;

  std::u16string Layer() const;
  // The layer's name as the file writes it (group 8), empty when there is none.
  std::string_view LayerValue() const;
  void SetLayer(std::u16string_view name);
  // Group 62: 0 BYBLOCK, 1..255 a colour, 256 BYLAYER (also when the group is missing).
  int Color() const;
  void SetColor(int color);

  // Changes made through the view while a Batch lives go to one copy of the record's tags, which the
  // view's getters read as well, and reach the drawing as one change on Commit; a batch that ends without
  // Commit (an exception) changes nothing. A batch opened inside another is part of it.
  class Batch {
   public:
    explicit Batch(EntityView& view);
    ~Batch();
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;
    void Commit();

   private:
    EntityView& view_;
    bool outer_;
    bool committed_ = false;
  };

 protected:
  const Tag* Get(const Placement& p, int code) const;
  double DoubleOr(const Placement& p, int code, double fallback) const;
  long long IntegerOr(const Placement& p, int code, long long fallback) const;
  std::u16string StringOf(const Placement& p, int code) const;
  Point PointOr(const Placement& p, int code, Point fallback = {}) const;
  bool Has(const Placement& p, int code) const { return Get(p, code) != nullptr; }
  // Get for each of N codes below 256, in one pass over the segment: `ranks` is RanksOf(codes), and the
  // tag of codes[k] is the k-th found. A tag's code is looked up in the table rather than compared with
  // each of the codes.
  template <std::size_t N>
  std::array<const Tag*, N> GetAll(const Placement& p, const RankTable& ranks) const {
    std::array<const Tag*, N> found{};
    const auto& tags = Tags();
    const Segment segment = SegmentOf(p);
    std::size_t missing = N;
    for (std::size_t i = segment.first; i < segment.last && missing > 0; ++i) {
      const auto code = static_cast<unsigned>(tags[i].code);  // a negative code is beyond the table
      if (code >= ranks.size()) continue;
      const int k = ranks[code];
      if (k < 0 || found[static_cast<std::size_t>(k)]) continue;
      found[static_cast<std::size_t>(k)] = &tags[i];
      --missing;
    }
    return found;
  }

  void Set(const Placement& p, int code, std::string_view value);
  void SetDouble(const Placement& p, int code, double value);
  void SetInteger(const Placement& p, int code, long long value);
  void SetString(const Placement& p, int code, std::u16string_view text);
  void SetPoint(const Placement& p, int code, Point point);
  // The point's x and y only (a turn about the z axis leaves its z as written).
  void SetPointXY(const Placement& p, int code, Point point);
  // Where a placement's groups are (FindSegment), kept while the tags stay where they were: a getter after
  // another, and a change of values only, look the segment up once. Inline: every getter asks, and the
  // segment is nearly always known under the very view of the marker's name it was found by. The last
  // slot, which the first segment found takes (LookUpSegment), is looked at first.
  Segment SegmentOf(const Placement& p) const {
    const std::uint64_t revision = record_.Revision();
    for (auto known = segments_.rbegin(); known != segments_.rend(); ++known) {
      if (known->revision == revision && known->occurrence == p.occurrence && known->marker.data() == p.marker.data() &&
          known->marker.size() == p.marker.size())
        return known->segment;
    }
    return LookUpSegment(p);
  }

 private:
  const std::vector<Tag>& Tags() const { return pending_ ? *pending_ : record_.Tags(); }
  // Runs `change` on the open batch's tags, or on a copy that then replaces the record's. `change` gets
  // the tags and the segment of `p` in them, sets groups of that segment (never a marker) and returns
  // the segment as it is afterwards.
  template <typename Change>
  void Edit(const Placement& p, Change&& change);
  // After a change through the view from revision `from` to `to`: the segments known stay true when no tag
  // was added (only values changed), and `p`'s is `segment`.
  void Remember(const Placement& p, Segment segment, bool moved, std::uint64_t from, std::uint64_t to) const;
  // SegmentOf of a segment not known under the same view of the marker's name.
  Segment LookUpSegment(const Placement& p) const;

  struct KnownSegment {  // a segment depends on the marker and its occurrence only
    std::string_view marker;
    int occurrence = 0;
    std::uint64_t revision = 0;
    Segment segment;
  };

  Drawing& drawing_;
  Record& record_;
  std::optional<std::vector<Tag>> pending_;         // the tags of an open batch
  bool dirty_ = false;                              // the open batch changed them
  mutable std::array<KnownSegment, 3> segments_{};  // emptied by a change that adds tags
  mutable std::size_t nextSegment_ = 0;
};

// TEXT, and the text part of ATTRIB and ATTDEF.
class TextView : public EntityView {
 public:
  TextView(Drawing& drawing, Record& record);

  // Where the text's own groups (1, 7, 10, 11, 40, 41, 50, 71, 72) are, for a change made to a copy of
  // the tags (tag_edit.h).
  const Placement& TextPlacement() const noexcept { return text_; }
  // Where they are in the record's tags (FindSegment), as the view last found it.
  Segment TextSegment() const { return SegmentOf(text_); }

  std::u16string TextString() const { return StringOf(text_, 1); }
  void SetTextString(std::u16string_view text) { SetString(text_, 1, text); }
  double Height() const { return DoubleOr(text_, 40, 0); }
  void SetHeight(double height) { SetDouble(text_, 40, height); }
  double RotationDegrees() const { return DoubleOr(text_, 50, 0); }
  void SetRotationDegrees(double degrees) { SetDouble(text_, 50, degrees); }
  double WidthFactor() const { return DoubleOr(text_, 41, 1); }
  void SetWidthFactor(double factor) { SetDouble(text_, 41, factor); }
  std::u16string StyleName() const;  // "Standard" when the group is missing
  // The style's name as the file writes it (group 7); nullopt when the group is missing.
  std::optional<std::string_view> StyleValue() const;
  void SetStyleName(std::u16string_view name) { SetString(text_, 7, name); }
  int GenerationFlags() const { return static_cast<int>(IntegerOr(text_, 71, 0)); }  // 2 backward, 4 upside down
  void SetGenerationFlags(int flags) { SetInteger(text_, 71, flags); }
  int HorizontalAlignment() const { return static_cast<int>(IntegerOr(text_, 72, 0)); }
  void SetHorizontalAlignment(int value) { SetInteger(text_, 72, value); }
  int VerticalAlignment() const;  // the group ValignPlacement finds, 0 when there is none
  void SetVerticalAlignment(int value) { SetInteger(ValignPlacement(), valignCode_, value); }
  Point InsertionPoint() const { return PointOr(text_, 10); }
  void SetInsertionPoint(Point p) { SetPoint(text_, 10, p); }
  // Group 11; nullopt when the file has none.
  std::optional<Point> AlignmentPoint() const;
  void SetAlignmentPoint(Point p) { SetPoint(text_, 11, p); }
  void SetInsertionXY(Point p) { SetPointXY(text_, 10, p); }
  void SetAlignmentXY(Point p) { SetPointXY(text_, 11, p); }

  // The groups of the text's geometry and its string, in the order of kTextTags: the first tag of each
  // among the text's groups, nullptr where there is none. One pass finds them all; each is the tag its
  // getter reads.
  static constexpr std::array<int, 12> kTextTags = {10, 20, 30, 11, 21, 31, 40, 41, 50, 71, 72, 1};
  std::array<const Tag*, kTextTags.size()> TextTags() const;

  // Where the vertical alignment is: its own segment, or (as some writers put it) among the text groups
  // (then TextPlacement() itself); and its group code (73, or 74 of an attribute).
  const Placement& ValignPlacement() const;
  int ValignCode() const noexcept { return valignCode_; }

 protected:
  Placement text_;
  Placement valign_;
  int valignCode_;
};

// ATTRIB and ATTDEF: a text with a tag (and, for ATTDEF, a prompt) and attribute flags.
class AttributeView : public TextView {
 public:
  AttributeView(Drawing& drawing, Record& record);

  bool IsDefinition() const noexcept { return Type() == "ATTDEF"; }
  std::u16string TagString() const { return StringOf(attribute_, 2); }
  void SetTagString(std::u16string_view tag) { SetString(attribute_, 2, tag); }
  // ATTDEF only; empty for ATTRIB.
  std::u16string PromptString() const { return IsDefinition() ? StringOf(attribute_, 3) : std::u16string(); }
  void SetPromptString(std::u16string_view prompt);
  int Flags() const { return static_cast<int>(IntegerOr(attribute_, 70, 0)); }

 private:
  Placement attribute_;
};

class MTextView : public EntityView {
 public:
  MTextView(Drawing& drawing, Record& record) : EntityView(drawing, record) {}

  // The whole text: the group 3 chunks and the last group 1, joined, with format codes as written.
  std::u16string TextString() const;
  // Written as chunks of at most 250 bytes (group 3) before the last group 1; an escape is never split.
  void SetTextString(std::u16string_view text);
  int AttachmentPoint() const { return static_cast<int>(IntegerOr(Layout(), 71, 1)); }
  void SetAttachmentPoint(int value) { SetInteger(Layout(), 71, value); }
  int DrawingDirection() const { return static_cast<int>(IntegerOr(Layout(), 72, 1)); }
  void SetDrawingDirection(int value) { SetInteger(Layout(), 72, value); }
  double Width() const { return DoubleOr(Layout(), 41, 0); }
  void SetWidth(double width) { SetDouble(Layout(), 41, width); }
  double Height() const { return DoubleOr(Layout(), 40, 0); }
  void SetHeight(double height) { SetDouble(Layout(), 40, height); }
  double RotationDegrees() const { return DoubleOr(Layout(), 50, 0); }
  std::u16string StyleName() const;
  void SetStyleName(std::u16string_view name) { SetString(Layout(), 7, name); }
  Point InsertionPoint() const { return PointOr(Layout(), 10); }
  void SetInsertionPoint(Point p) { SetPoint(Layout(), 10, p); }

  static const Placement& Layout();
};

class InsertView : public EntityView {
 public:
  InsertView(Drawing& drawing, Record& record) : EntityView(drawing, record) {}

  std::u16string Name() const { return StringOf(Layout(), 2); }
  Point InsertionPoint() const { return PointOr(Layout(), 10); }
  bool HasAttributes() const { return IntegerOr(Layout(), 66, 0) == 1; }
  // The ATTRIB records that follow the INSERT, erased ones left out.
  std::vector<Record*> Attributes() const;

  static const Placement& Layout();
};

class DimensionView : public EntityView {
 public:
  DimensionView(Drawing& drawing, Record& record) : EntityView(drawing, record) {}

  // Group 1: empty means the measurement, "<>" stands for it inside a text.
  std::u16string TextOverride() const { return StringOf(Layout(), 1); }
  void SetTextOverride(std::u16string_view text) { SetString(Layout(), 1, text); }
  std::u16string StyleName() const { return StringOf(Layout(), 3); }
  std::u16string BlockName() const { return StringOf(Layout(), 2); }

  static const Placement& Layout();
};

class SolidView : public EntityView {
 public:
  SolidView(Drawing& drawing, Record& record) : EntityView(drawing, record) {}

  // The corners as groups 10, 11, 12, 13 hold them.
  Point Corner(int index) const { return PointOr(Layout(), 10 + index); }
  void SetCorner(int index, Point p) { SetPoint(Layout(), 10 + index, p); }

  static const Placement& Layout();
};

// The placements of the common entity groups (layer, colour, paper space flag).
const Placement& EntityPlacement();

}  // namespace zil::drawing
