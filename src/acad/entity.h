// A drawing object as late binding sees it: one interface for every kind of entity. Each kind serves the
// members it has; a member a kind lacks throws acad::Error naming the member and the object, as
// AutoCAD's dispatch would fail.
//
// Kinds and the members they serve:
//   every entity       ObjectName, EntityType, EntityName, Handle, Layer, Color, Update,
//                      Erase, Copy, Move, Rotate, GetBoundingBox, Highlight
//   text (TEXT)        TextString, Height, Rotation, HorizontalAlignment, VerticalAlignment, Alignment,
//                      InsertionPoint, TextAlignmentPoint, Backward, TextGenerationFlag, ScaleFactor,
//                      StyleName
//   attribute / attribute definition: the text members, TagString, PromptString (definition)
//   MText              TextString, Height, Rotation, InsertionPoint, AttachmentPoint, Width,
//                      DrawingDirection, StyleName
//   dimension          TextOverride, StyleName (the dimension style)
//   block reference    Name, InsertionPoint, Rotation, HasAttributes, GetAttributes
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "acad/error.h"
#include "acad/point.h"

namespace zil::acad {

// AutoCAD's entity type codes (EntityType) for the kinds the add-in tells apart.
enum EntityTypeCode : int {
  kEntityAttributeDefinition = 5,  // ATTDEF
  kEntityAttribute = 6,            // attribute reference (ATTRIB)
  kEntityBlockReference = 7,       // INSERT
  kEntityDimension = 15,           // a rotated (linear) dimension; the other dimension kinds have codes of their own
  kEntityLine = 19,
  kEntityMText = 21,
  kEntitySolid = 30,
  kEntityText = 32,
};

class Entity {
 public:
  virtual ~Entity() = default;

  // Every object.
  virtual std::u16string ObjectName() const = 0;  // "AcDbText", "AcDbMText", "AcDbBlockReference", ...
  virtual int EntityType() const = 0;
  virtual std::u16string EntityName() const { return ObjectName(); }
  virtual std::u16string Handle() const = 0;
  virtual std::u16string Layer() const = 0;
  virtual void SetLayer(const std::u16string& layer) = 0;
  virtual int Color() const = 0;
  virtual void SetColor(int color) = 0;
  virtual void Update() = 0;
  virtual void Erase() = 0;
  virtual std::shared_ptr<Entity> Copy() = 0;
  virtual void Move(const Point& from, const Point& to) = 0;
  virtual void Rotate(const Point& base, double angle) = 0;
  // World-coordinate corners (lower left, upper right) of the axis-aligned box around the entity.
  virtual std::pair<Point, Point> GetBoundingBox() const = 0;
  virtual void Highlight(bool on) = 0;

  // Style-bearing kinds: the text style (texts, attributes, MText) or dimension style.
  virtual std::u16string StyleName() const { Lacks("StyleName"); }
  virtual void SetStyleName(const std::u16string&) { Lacks("StyleName"); }

  // Texts, attributes, MText.
  virtual std::u16string TextString() const { Lacks("TextString"); }
  virtual void SetTextString(const std::u16string&) { Lacks("TextString"); }
  virtual double Height() const { Lacks("Height"); }
  virtual void SetHeight(double) { Lacks("Height"); }
  virtual double Rotation() const { Lacks("Rotation"); }
  virtual void SetRotation(double) { Lacks("Rotation"); }
  virtual Point InsertionPoint() const { Lacks("InsertionPoint"); }
  virtual void SetInsertionPoint(const Point&) { Lacks("InsertionPoint"); }

  // Single-line texts and attributes.
  virtual int HorizontalAlignment() const { Lacks("HorizontalAlignment"); }
  virtual void SetHorizontalAlignment(int) { Lacks("HorizontalAlignment"); }
  virtual int VerticalAlignment() const { Lacks("VerticalAlignment"); }
  virtual void SetVerticalAlignment(int) { Lacks("VerticalAlignment"); }
  virtual int Alignment() const { Lacks("Alignment"); }
  virtual void SetAlignment(int) { Lacks("Alignment"); }
  virtual Point TextAlignmentPoint() const { Lacks("TextAlignmentPoint"); }
  virtual void SetTextAlignmentPoint(const Point&) { Lacks("TextAlignmentPoint"); }
  virtual bool Backward() const { Lacks("Backward"); }
  virtual void SetBackward(bool) { Lacks("Backward"); }
  virtual int TextGenerationFlag() const { Lacks("TextGenerationFlag"); }
  virtual void SetTextGenerationFlag(int) { Lacks("TextGenerationFlag"); }
  virtual double ScaleFactor() const { Lacks("ScaleFactor"); }
  virtual void SetScaleFactor(double) { Lacks("ScaleFactor"); }

  // Attributes and attribute definitions.
  virtual std::u16string TagString() const { Lacks("TagString"); }
  virtual void SetTagString(const std::u16string&) { Lacks("TagString"); }
  virtual std::u16string PromptString() const { Lacks("PromptString"); }
  virtual void SetPromptString(const std::u16string&) { Lacks("PromptString"); }

  // MText.
  virtual int AttachmentPoint() const { Lacks("AttachmentPoint"); }
  virtual void SetAttachmentPoint(int) { Lacks("AttachmentPoint"); }
  virtual double Width() const { Lacks("Width"); }
  virtual void SetWidth(double) { Lacks("Width"); }
  virtual int DrawingDirection() const { Lacks("DrawingDirection"); }
  virtual void SetDrawingDirection(int) { Lacks("DrawingDirection"); }

  // Dimensions.
  virtual std::u16string TextOverride() const { Lacks("TextOverride"); }
  virtual void SetTextOverride(const std::u16string&) { Lacks("TextOverride"); }

  // Block references.
  virtual std::u16string Name() const { Lacks("Name"); }
  virtual bool HasAttributes() const { Lacks("HasAttributes"); }
  virtual std::vector<std::shared_ptr<Entity>> GetAttributes() const { Lacks("GetAttributes"); }

 protected:
  // Fails as late binding does for a member the object does not have.
  [[noreturn]] void Lacks(const char* member) const;
};

using EntityPtr = std::shared_ptr<Entity>;

}  // namespace zil::acad
