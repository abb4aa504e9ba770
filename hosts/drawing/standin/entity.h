// The stand-in host's drawing objects: one class for every record a handle names, serving the members
// of acad::Entity that its kind has (entity.h of src/acad lists them) over the drawing's tags.
//
// Semantics, as AutoCAD's:
// - A member of an erased object (erased, or taken back by an undo) throws acad::Error. A change to an
//   entity on a locked layer throws acad::Error; reading it does not.
// - Points are world coordinates; texts, attributes and inserts keep theirs in their own coordinate
//   system (their extrusion), into which the members convert. Angles are radians; rotations are kept in
//   [0, 2 pi).
// - Texts, attributes and attribute definitions follow the alignment rules of text_geometry.h: the
//   insertion point defines a text aligned left on its baseline, both points an aligned or fit text, the
//   alignment point any other; every change (string, height, width factor, flags, rotation, alignment)
//   keeps the defining point(s) and computes the rest, so the text stays where AutoCAD keeps it.
//   TextAlignmentPoint of a left/baseline text is (0, 0, 0) and cannot be set, as in AutoCAD; set
//   Alignment first. Rotation turns a left text about its insertion point, an aligned or fit text's
//   second point about its first, any other text about its alignment point.
// - StyleName of a text, attribute or MText in a style the drawing does not define is "Standard", the
//   style AutoCAD shows it in (the entity keeps the name it has until its style is set).
// - GetBoundingBox is entity_extents.h's box; an entity without one there throws acad::Error.
// - Update has the document tell its observers what changed (a host's window then draws it) and fails on
//   an erased object, as AutoCAD's does; Highlight is kept by the document for a display to show.
// - Objects that are not entities (table records, dictionaries) serve ObjectName and Handle only. The parts
//   that close or carry another entity (SEQEND, VERTEX) are not erased, copied, moved or turned alone, and
//   an attribute reference is not copied alone (it would belong to no block reference).
// - A member call that fails changes nothing (undo_stack.h).
// - While the undo keeps no history, a text, attribute or attribute definition keeps the changes its
//   members make and writes them to its record as one change later (document.h, "Changes of a text
//   written later"): the members read what was set, and the record holds what writing each change at
//   once would have written.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "acad/entity.h"
#include "drawing/drawing.h"
#include "drawing/entity_views.h"
#include "drawing/ocs.h"
#include "drawing/standin/document.h"
#include "drawing/text_geometry.h"
#include "drawing/text_placement.h"

namespace zil::standin {

class StandInEntity final : public acad::Entity {
 public:
  StandInEntity(std::shared_ptr<StandInDocument> document, drawing::Record& record);
  // Writes the changes the object holds, and lets go of the tags read for it: a walk over a large drawing
  // keeps those of the entity at hand only.
  ~StandInEntity() override;
  StandInEntity(const StandInEntity&) = delete;
  StandInEntity& operator=(const StandInEntity&) = delete;

  // The record, with the changes the object holds written to it.
  drawing::Record& Rec() const {
    WriteTextChanges();
    return record_;
  }
  // Writes the changes of the text the object holds (see above) to its record, as one change.
  void WriteTextChanges() const;

  std::u16string ObjectName() const override;
  int EntityType() const override;
  std::u16string EntityName() const override;
  std::u16string Handle() const override;
  std::u16string Layer() const override;
  void SetLayer(const std::u16string& layer) override;
  int Color() const override;
  void SetColor(int color) override;
  void Update() override;
  void Erase() override;
  std::shared_ptr<acad::Entity> Copy() override;
  void Move(const acad::Point& from, const acad::Point& to) override;
  void Rotate(const acad::Point& base, double angle) override;
  std::pair<acad::Point, acad::Point> GetBoundingBox() const override;
  void Highlight(bool on) override;

  std::u16string StyleName() const override;
  void SetStyleName(const std::u16string& name) override;

  std::u16string TextString() const override;
  void SetTextString(const std::u16string& text) override;
  double Height() const override;
  void SetHeight(double height) override;
  double Rotation() const override;
  void SetRotation(double angle) override;
  acad::Point InsertionPoint() const override;
  void SetInsertionPoint(const acad::Point& point) override;

  int HorizontalAlignment() const override;
  void SetHorizontalAlignment(int value) override;
  int VerticalAlignment() const override;
  void SetVerticalAlignment(int value) override;
  int Alignment() const override;
  void SetAlignment(int value) override;
  acad::Point TextAlignmentPoint() const override;
  void SetTextAlignmentPoint(const acad::Point& point) override;
  bool Backward() const override;
  void SetBackward(bool on) override;
  int TextGenerationFlag() const override;
  void SetTextGenerationFlag(int flag) override;
  double ScaleFactor() const override;
  void SetScaleFactor(double factor) override;

  std::u16string TagString() const override;
  void SetTagString(const std::u16string& tag) override;
  std::u16string PromptString() const override;
  void SetPromptString(const std::u16string& prompt) override;

  int AttachmentPoint() const override;
  void SetAttachmentPoint(int value) override;
  double Width() const override;
  void SetWidth(double width) override;
  int DrawingDirection() const override;
  void SetDrawingDirection(int value) override;

  std::u16string TextOverride() const override;
  void SetTextOverride(const std::u16string& text) override;

  std::u16string Name() const override;
  bool HasAttributes() const override;
  std::vector<std::shared_ptr<acad::Entity>> GetAttributes() const override;

 private:
  enum class Kind { Text, Attribute, AttributeDefinition, MText, BlockReference, Dimension, Other, NotEntity };

  bool IsText() const noexcept {
    return kind_ == Kind::Text || kind_ == Kind::Attribute || kind_ == Kind::AttributeDefinition;
  }
  // The object as the messages of its failures name it: "AcDbText (handle 2A)".
  std::string Named() const;
  // The class name, as ObjectName gives it; a fault of the drawing is left as it is.
  std::u16string ClassName() const;
  // Runs the body of member `member`: a fault of the drawing it meets becomes acad::Error naming the
  // member and the object (member_errors.h).
  template <typename Body>
  decltype(auto) Run(const char* member, Body&& body) const;
  // Every change of the object by member `member`, with the set-up all changes share: the kind must have
  // the member (`has`); `prepare` refuses the arguments the member does not take (and works out what the
  // change needs); the object must be changeable. `body` then gets the record, as one undo step, which a
  // failure takes back; all of it is run by Run.
  template <typename Prepare, typename Body>
  void Change(const char* member, bool has, Prepare&& prepare, Body&& body);
  template <typename Body>
  void Change(const char* member, bool has, Body&& body) {
    Change(
        member, has, [] {}, std::forward<Body>(body));
  }
  // The record, when the object is alive; throws acad::Error when it was erased.
  drawing::Record& Live() const;
  // The record, when it may be changed: alive, an entity, and not on a locked layer.
  drawing::Record& Changeable() const;
  // Throws acad::Error for a part of another entity that is changed only with it: a SEQEND or VERTEX,
  // and, for copying, an attribute reference.
  void RefuseLonePart(const char* member, bool attributesToo) const;
  void Need(bool has, const char* member) const {
    if (!has) Lacks(member);
  }
  // The drawing and the undo steps, with the changes of other objects written (document.h).
  drawing::Drawing& Dwg() const { return document_->DrawingFor(*this); }
  UndoStack& Steps() const { return document_->UndoFor(*this); }
  // A text's groups, geometry and axes, read from its tags once for each revision of the record (a
  // conversion asks for one value after another), or kept from what a change of the text set: the
  // groups are what the tags hold, or will hold once the changes are written.
  struct TextState {
    drawing::TextGroups groups;
    drawing::TextGeometry geometry;
    drawing::OcsAxes axes;
  };
  const TextState& Text() const;
  // The string the text's tags hold (kept, see string_).
  const std::u16string& StringInTags() const;
  const std::string& TextLayer() const;
  // The changes of a text not yet written to its tags: the groups (text_placement.h's bits) that take
  // their values from Text().groups, the string and the style.
  struct TextChanges {
    unsigned groups = 0;
    std::optional<std::string> string;  // encoded as the drawing writes it
    std::u16string shownString;         // as the tags will read back
    std::optional<std::string> style;   // encoded
    std::u16string shownStyle;
    bool Any() const noexcept { return groups != 0 || string || style; }
  };
  // The view of a live text's tags (acad::Error when it was erased), kept with the object so that what it
  // found stays found from one member call to the next while the record's revision stays.
  drawing::TextView& View() const;
  // A change of a text's geometry by member `member` (a change as Change makes it, for texts only): reads
  // the geometry, lets `edit` alter it (and the changes held), computes the rest and writes it as one
  // change of the record, now or later (see above).
  template <typename Prepare, typename Edit>
  void ChangeText(const char* member, Prepare&& prepare, Edit&& edit);
  template <typename Edit>
  void ChangeText(const char* member, Edit&& edit) {
    ChangeText(
        member, [] {}, std::forward<Edit>(edit));
  }
  // Rotate of a TEXT whose changes are written later, worked out on its groups; false when the text is not
  // one that can be turned that way (entity_edit.h, TurnTextGroups).
  bool TurnTextLater(const acad::Point& base, double angle);

  std::shared_ptr<StandInDocument> document_;
  drawing::Record& record_;
  Kind kind_;
  mutable std::optional<TextState> text_;
  mutable std::uint64_t textRevision_ = 0;
  mutable std::optional<drawing::TextView> view_;
  mutable TextChanges changes_;
  // The text's string as its tags hold it, once read, while the record's revision stays: read with the
  // groups (for its length) and on its own.
  mutable std::optional<std::u16string> string_;
  mutable std::uint64_t stringRevision_ = 0;
  // The text's layer as its group 8 writes it, kept the same way (every change asks whether it is locked).
  mutable std::optional<std::string> layer_;
  mutable std::uint64_t layerRevision_ = 0;
  // The drawing's state (StandInDocument::State) when the object was last found changeable: while it stays,
  // so does the answer (a batch changes a text with several members one after another).
  mutable std::optional<StandInDocument::DrawingState> changeableIn_;
};

}  // namespace zil::standin
