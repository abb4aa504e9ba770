// An AutoCAD entity, late bound: one class for every kind, as acad::Entity is. Its kind for the
// dispatch identifiers is its ObjectName, read once when it is wrapped. Every member is AutoCAD's own:
// a member the entity's kind lacks fails as AutoCAD's dispatch fails ("The object AcDbLine does not
// support the member TextString").
#pragma once

#include <memory>

#include "acad/entity.h"
#include "autocad/late_binding.h"

namespace zil::autocad {

class AutoCadEntity final : public acad::Entity, public LateBound {
 public:
  // Takes over one reference to `object` and reads its ObjectName.
  static std::shared_ptr<AutoCadEntity> Wrap(const std::shared_ptr<Session>& session, IDispatch* object);

  AutoCadEntity(std::shared_ptr<Session> session, IDispatch* object, std::u16string objectName);

  std::u16string ObjectName() const override { return Kind(); }
  int EntityType() const override;
  std::u16string EntityName() const override;
  std::u16string Handle() const override;
  std::u16string Layer() const override;
  void SetLayer(const std::u16string& layer) override;
  int Color() const override;
  void SetColor(int color) override;
  void Update() override;
  void Erase() override;
  std::shared_ptr<Entity> Copy() override;
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
  void SetHorizontalAlignment(int alignment) override;
  int VerticalAlignment() const override;
  void SetVerticalAlignment(int alignment) override;
  int Alignment() const override;
  void SetAlignment(int alignment) override;
  acad::Point TextAlignmentPoint() const override;
  void SetTextAlignmentPoint(const acad::Point& point) override;
  bool Backward() const override;
  void SetBackward(bool backward) override;
  int TextGenerationFlag() const override;
  void SetTextGenerationFlag(int flag) override;
  double ScaleFactor() const override;
  void SetScaleFactor(double factor) override;
  std::u16string TagString() const override;
  void SetTagString(const std::u16string& tag) override;
  std::u16string PromptString() const override;
  void SetPromptString(const std::u16string& prompt) override;
  int AttachmentPoint() const override;
  void SetAttachmentPoint(int point) override;
  double Width() const override;
  void SetWidth(double width) override;
  int DrawingDirection() const override;
  void SetDrawingDirection(int direction) override;
  std::u16string TextOverride() const override;
  void SetTextOverride(const std::u16string& text) override;
  std::u16string Name() const override;
  bool HasAttributes() const override;
  std::vector<std::shared_ptr<Entity>> GetAttributes() const override;
};

}  // namespace zil::autocad
