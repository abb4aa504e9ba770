#include "autocad/entity.h"

#include <oleauto.h>

namespace zil::autocad {
namespace {

// Any AutoCAD object, for its ObjectName: the member every object has, with one dispatch identifier.
class AnyObject final : public LateBound {
 public:
  AnyObject(std::shared_ptr<Session> session, IDispatch* object)
      : LateBound(std::move(session), object, u"AcadObject") {
    object->AddRef();  // the entity made from it takes the caller's reference
  }
  std::u16string ObjectName() const { return GetString("ObjectName"); }
};

}  // namespace

std::shared_ptr<AutoCadEntity> AutoCadEntity::Wrap(const std::shared_ptr<Session>& session, IDispatch* object) {
  std::u16string name;
  try {
    name = AnyObject(session, object).ObjectName();
  } catch (...) {
    if (!session->Abandoned()) object->Release();
    throw;
  }
  return std::make_shared<AutoCadEntity>(session, object, std::move(name));
}

AutoCadEntity::AutoCadEntity(std::shared_ptr<Session> session, IDispatch* object, std::u16string objectName)
    : LateBound(std::move(session), object, std::move(objectName)) {}

int AutoCadEntity::EntityType() const { return GetInt("EntityType"); }
std::u16string AutoCadEntity::EntityName() const { return GetString("EntityName"); }
std::u16string AutoCadEntity::Handle() const { return GetString("Handle"); }
std::u16string AutoCadEntity::Layer() const { return GetString("Layer"); }
void AutoCadEntity::SetLayer(const std::u16string& layer) { Put("Layer", StringArg(layer)); }
int AutoCadEntity::Color() const { return GetInt("Color"); }
void AutoCadEntity::SetColor(int color) { Put("Color", IntArg(color)); }
void AutoCadEntity::Update() { Call("Update"); }
void AutoCadEntity::Erase() { Call("Erase"); }
std::shared_ptr<acad::Entity> AutoCadEntity::Copy() { return Wrap(SharedSession(), CallForObject("Copy")); }
void AutoCadEntity::Move(const acad::Point& from, const acad::Point& to) {
  Call("Move", ArgList(PointArg(from), PointArg(to)));
}
void AutoCadEntity::Rotate(const acad::Point& base, double angle) {
  Call("Rotate", ArgList(PointArg(base), DoubleArg(angle)));
}

std::pair<acad::Point, acad::Point> AutoCadEntity::GetBoundingBox() const {
  OwnedVariant lower, upper;  // the out-parameters MinPoint and MaxPoint
  Call("GetBoundingBox", ArgList(OutArg(lower.get()), OutArg(upper.get())));
  return {AsPoint(lower.get(), Describe("GetBoundingBox")), AsPoint(upper.get(), Describe("GetBoundingBox"))};
}

void AutoCadEntity::Highlight(bool on) { Call("Highlight", ArgList(BoolArg(on))); }

std::u16string AutoCadEntity::StyleName() const { return GetString("StyleName"); }
void AutoCadEntity::SetStyleName(const std::u16string& name) { Put("StyleName", StringArg(name)); }
std::u16string AutoCadEntity::TextString() const { return GetString("TextString"); }
void AutoCadEntity::SetTextString(const std::u16string& text) { Put("TextString", StringArg(text)); }
double AutoCadEntity::Height() const { return GetDouble("Height"); }
void AutoCadEntity::SetHeight(double height) { Put("Height", DoubleArg(height)); }
double AutoCadEntity::Rotation() const { return GetDouble("Rotation"); }
void AutoCadEntity::SetRotation(double angle) { Put("Rotation", DoubleArg(angle)); }
acad::Point AutoCadEntity::InsertionPoint() const { return GetPoint("InsertionPoint"); }
void AutoCadEntity::SetInsertionPoint(const acad::Point& point) { Put("InsertionPoint", PointArg(point)); }
int AutoCadEntity::HorizontalAlignment() const { return GetInt("HorizontalAlignment"); }
void AutoCadEntity::SetHorizontalAlignment(int alignment) { Put("HorizontalAlignment", IntArg(alignment)); }
int AutoCadEntity::VerticalAlignment() const { return GetInt("VerticalAlignment"); }
void AutoCadEntity::SetVerticalAlignment(int alignment) { Put("VerticalAlignment", IntArg(alignment)); }
int AutoCadEntity::Alignment() const { return GetInt("Alignment"); }
void AutoCadEntity::SetAlignment(int alignment) { Put("Alignment", IntArg(alignment)); }
acad::Point AutoCadEntity::TextAlignmentPoint() const { return GetPoint("TextAlignmentPoint"); }
void AutoCadEntity::SetTextAlignmentPoint(const acad::Point& point) { Put("TextAlignmentPoint", PointArg(point)); }
bool AutoCadEntity::Backward() const { return GetBool("Backward"); }
void AutoCadEntity::SetBackward(bool backward) { Put("Backward", BoolArg(backward)); }
int AutoCadEntity::TextGenerationFlag() const { return GetInt("TextGenerationFlag"); }
void AutoCadEntity::SetTextGenerationFlag(int flag) { Put("TextGenerationFlag", IntArg(flag)); }
double AutoCadEntity::ScaleFactor() const { return GetDouble("ScaleFactor"); }
void AutoCadEntity::SetScaleFactor(double factor) { Put("ScaleFactor", DoubleArg(factor)); }
std::u16string AutoCadEntity::TagString() const { return GetString("TagString"); }
void AutoCadEntity::SetTagString(const std::u16string& tag) { Put("TagString", StringArg(tag)); }
std::u16string AutoCadEntity::PromptString() const { return GetString("PromptString"); }
void AutoCadEntity::SetPromptString(const std::u16string& prompt) { Put("PromptString", StringArg(prompt)); }
int AutoCadEntity::AttachmentPoint() const { return GetInt("AttachmentPoint"); }
void AutoCadEntity::SetAttachmentPoint(int point) { Put("AttachmentPoint", IntArg(point)); }
double AutoCadEntity::Width() const { return GetDouble("Width"); }
void AutoCadEntity::SetWidth(double width) { Put("Width", DoubleArg(width)); }
int AutoCadEntity::DrawingDirection() const { return GetInt("DrawingDirection"); }
void AutoCadEntity::SetDrawingDirection(int direction) { Put("DrawingDirection", IntArg(direction)); }
std::u16string AutoCadEntity::TextOverride() const { return GetString("TextOverride"); }
void AutoCadEntity::SetTextOverride(const std::u16string& text) { Put("TextOverride", StringArg(text)); }
std::u16string AutoCadEntity::Name() const { return GetString("Name"); }
bool AutoCadEntity::HasAttributes() const { return GetBool("HasAttributes"); }

std::vector<std::shared_ptr<acad::Entity>> AutoCadEntity::GetAttributes() const {
  std::vector<IDispatch*> objects = AsObjects(Call("GetAttributes").get(), Describe("GetAttributes"));
  std::vector<std::shared_ptr<acad::Entity>> attributes;
  std::size_t next = 0;
  try {
    for (; next < objects.size(); ++next) attributes.push_back(Wrap(SharedSession(), objects[next]));
  } catch (...) {
    for (std::size_t i = next + 1; i < objects.size(); ++i) objects[i]->Release();  // Wrap let go of its own
    throw;
  }
  return attributes;
}

}  // namespace zil::autocad
