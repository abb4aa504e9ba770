#include "drawing/standin/entity.h"

#include <cmath>
#include <map>
#include <numbers>

#include "acad/error.h"
#include "drawing/dxf_error.h"
#include "drawing/entity_edit.h"
#include "drawing/entity_extents.h"
#include "drawing/ocs.h"
#include "drawing/standin/document.h"
#include "drawing/table_views.h"
#include "drawing/tag_values.h"
#include "drawing/text_placement.h"
#include "textcore/utf8.h"

namespace zil::standin {
namespace {

using drawing::TextGeometry;

acad::Point ToAcad(drawing::Point p) { return {p.x, p.y, p.z}; }
drawing::Point FromAcad(const acad::Point& p) { return {p.x, p.y, p.z}; }

double Radians(double degrees) { return degrees * std::numbers::pi / 180; }
double Normalised(double radians) {
  double a = std::fmod(radians, 2 * std::numbers::pi);
  if (a < 0) a += 2 * std::numbers::pi;
  return a >= 2 * std::numbers::pi ? 0 : a;
}

// AutoCAD refuses a point or number that is not finite.
void RequireFinite(const acad::Point& p, const char* member) {
  if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z))
    throw acad::Error(std::string(member) + ": a point's coordinates must be finite numbers");
}

// Runs a change of the drawing as AutoCAD reports its failures: as acad::Error.
template <typename Body>
decltype(auto) AsAcad(Body&& body) {
  try {
    return body();
  } catch (const drawing::DxfError& e) {
    throw acad::Error(e.what());
  }
}

int DimensionKind(const drawing::Record& r, const std::string& file) {
  const drawing::Tag* flags = nullptr;
  for (const drawing::Tag& tag : r.Tags())
    if (tag.code == 70) {
      flags = &tag;
      break;
    }
  return flags ? static_cast<int>(drawing::IntegerOf(*flags, file) & 7) : 0;
}

int PolylineFlags(const drawing::Record& r, const std::string& file) {
  const drawing::Tag* flags = r.Find(70);
  return flags ? static_cast<int>(drawing::IntegerOf(*flags, file)) : 0;
}

struct TypeNames {
  const char16_t* objectName;
  int entityType;  // AutoCAD's AcEntityName
};

const std::map<std::string_view, TypeNames>& KnownTypes() {
  static const std::map<std::string_view, TypeNames> kTypes = {
      {"TEXT", {u"AcDbText", acad::kEntityText}},
      {"MTEXT", {u"AcDbMText", acad::kEntityMText}},
      {"INSERT", {u"AcDbBlockReference", acad::kEntityBlockReference}},
      {"ATTRIB", {u"AcDbAttribute", acad::kEntityAttribute}},
      {"ATTDEF", {u"AcDbAttributeDefinition", acad::kEntityAttributeDefinition}},
      {"SOLID", {u"AcDbSolid", acad::kEntitySolid}},
      {"TRACE", {u"AcDbTrace", 34}},
      {"3DFACE", {u"AcDbFace", 1}},
      {"3DSOLID", {u"AcDb3dSolid", 3}},
      {"ARC", {u"AcDbArc", 4}},
      {"CIRCLE", {u"AcDbCircle", 8}},
      {"ELLIPSE", {u"AcDbEllipse", 16}},
      {"HATCH", {u"AcDbHatch", 17}},
      {"LEADER", {u"AcDbLeader", 18}},
      {"LINE", {u"AcDbLine", acad::kEntityLine}},
      {"POINT", {u"AcDbPoint", 22}},
      {"LWPOLYLINE", {u"AcDbPolyline", 24}},
      {"IMAGE", {u"AcDbRasterImage", 26}},
      {"RAY", {u"AcDbRay", 27}},
      {"REGION", {u"AcDbRegion", 28}},
      {"SHAPE", {u"AcDbShape", 29}},
      {"SPLINE", {u"AcDbSpline", 31}},
      {"TOLERANCE", {u"AcDbFcf", 33}},
      {"VIEWPORT", {u"AcDbViewport", 35}},
      {"XLINE", {u"AcDbXline", 36}},
      {"MLINE", {u"AcDbMline", 40}},
  };
  return kTypes;
}

}  // namespace

StandInEntity::StandInEntity(std::shared_ptr<StandInDocument> document, drawing::Record& record)
    : document_(std::move(document)), record_(record) {
  const std::string_view type = record.Type();
  if (!document_->IsEntity(record)) {
    kind_ = Kind::NotEntity;
  } else if (type == "TEXT") {
    kind_ = Kind::Text;
  } else if (type == "ATTRIB") {
    kind_ = Kind::Attribute;
  } else if (type == "ATTDEF") {
    kind_ = Kind::AttributeDefinition;
  } else if (type == "MTEXT") {
    kind_ = Kind::MText;
  } else if (type == "INSERT") {
    kind_ = Kind::BlockReference;
  } else if (type == "DIMENSION") {
    kind_ = Kind::Dimension;
  } else {
    kind_ = Kind::Other;
  }
}

StandInEntity::~StandInEntity() { document_->Dwg().ReleaseTags(record_); }

drawing::Record& StandInEntity::Live() const {
  if (record_.Erased()) {
    throw acad::Error("The object " + textcore::ToUtf8(ObjectName()) + " (handle " + textcore::ToUtf8(Handle()) +
                      ") was erased");
  }
  return record_;
}

drawing::Record& StandInEntity::Changeable() const {
  drawing::Record& r = Live();
  if (kind_ != Kind::NotEntity && document_->OnLockedLayer(r)) {
    throw acad::Error("The object " + textcore::ToUtf8(ObjectName()) + " (handle " + textcore::ToUtf8(Handle()) +
                      ") is on a locked layer");
  }
  return r;
}

void StandInEntity::RefuseLonePart(const char* member, bool attributesToo) const {
  const std::string_view type = record_.Type();
  if (type == "SEQEND" || type == "VERTEX" || (attributesToo && type == "ATTRIB")) {
    throw acad::Error(std::string(member) + ": the object " + textcore::ToUtf8(ObjectName()) +
                      " is part of the entity before it and is changed with that entity");
  }
}

// --- every object ---

std::u16string StandInEntity::ObjectName() const {
  const std::string_view type = record_.Type();
  const std::string& file = document_->Dwg().File();
  if (kind_ != Kind::NotEntity) {
    if (type == "DIMENSION") {
      static constexpr const char16_t* kNames[] = {u"AcDbRotatedDimension",      u"AcDbAlignedDimension",
                                                   u"AcDb2LineAngularDimension", u"AcDbDiametricDimension",
                                                   u"AcDbRadialDimension",       u"AcDb3PointAngularDimension",
                                                   u"AcDbOrdinateDimension",     u"AcDbRotatedDimension"};
      return kNames[DimensionKind(record_, file)];
    }
    if (type == "POLYLINE") {
      const int flags = PolylineFlags(record_, file);
      if (flags & 8) return u"AcDb3dPolyline";
      if (flags & 16) return u"AcDbPolygonMesh";
      if (flags & 64) return u"AcDbPolyFaceMesh";
      return u"AcDb2dPolyline";
    }
    const auto it = KnownTypes().find(type);
    if (it != KnownTypes().end()) return it->second.objectName;
  }
  // Others: the last subclass marker names the class; without markers (R12), "AcDb" and the type.
  std::u16string last;
  for (const drawing::Tag& tag : record_.Tags()) {
    if (tag.code >= 1000) break;
    if (tag.code == 100) last = textcore::FromUtf8(drawing::Trimmed(tag.value));
  }
  if (!last.empty()) return last;
  std::u16string name = u"AcDb";
  for (std::size_t i = 0; i < type.size(); ++i) {
    const char c = type[i];
    name += static_cast<char16_t>(i > 0 && c >= 'A' && c <= 'Z' ? c + 32 : c);
  }
  return name;
}

int StandInEntity::EntityType() const {
  Need(kind_ != Kind::NotEntity, "EntityType");
  const std::string_view type = record_.Type();
  const std::string& file = document_->Dwg().File();
  if (type == "DIMENSION") {
    static constexpr int kTypes[] = {acad::kEntityDimension, 9, 10, 12, 14, 41, 13, acad::kEntityDimension};
    return kTypes[DimensionKind(record_, file)];
  }
  if (type == "POLYLINE") {
    const int flags = PolylineFlags(record_, file);
    if (flags & 8) return 2;
    if (flags & 16) return 25;
    if (flags & 64) return 39;
    return 23;
  }
  const auto it = KnownTypes().find(type);
  return it == KnownTypes().end() ? 0 : it->second.entityType;
}

std::u16string StandInEntity::EntityName() const {
  Need(kind_ != Kind::NotEntity, "EntityName");
  return ObjectName();
}

std::u16string StandInEntity::Handle() const {
  return record_.Handle() == 0 ? std::u16string() : textcore::FromUtf8(drawing::FormatHandle(record_.Handle()));
}

std::u16string StandInEntity::Layer() const {
  Need(kind_ != Kind::NotEntity, "Layer");
  return drawing::EntityView(document_->Dwg(), Live()).Layer();
}

void StandInEntity::SetLayer(const std::u16string& layer) {
  Need(kind_ != Kind::NotEntity, "Layer");
  drawing::Record& r = Changeable();
  document_->RequireTableRecord("LAYER", layer, "layer");
  UndoStack::Operation op(document_->Undo());
  drawing::EntityView(document_->Dwg(), r).SetLayer(layer);
}

int StandInEntity::Color() const {
  Need(kind_ != Kind::NotEntity, "Color");
  return drawing::EntityView(document_->Dwg(), Live()).Color();
}

void StandInEntity::SetColor(int color) {
  Need(kind_ != Kind::NotEntity, "Color");
  if (color < 0 || color > 256) throw acad::Error("Color: " + std::to_string(color) + " is not a colour (0 to 256)");
  drawing::Record& r = Changeable();
  UndoStack::Operation op(document_->Undo());
  drawing::EntityView(document_->Dwg(), r).SetColor(color);
}

void StandInEntity::Update() {
  Need(kind_ != Kind::NotEntity, "Update");
  Live();
  document_->TellObservers();
}

void StandInEntity::Erase() {
  Need(kind_ != Kind::NotEntity, "Erase");
  RefuseLonePart("Erase", false);
  drawing::Record& r = Changeable();
  UndoStack::Operation op(document_->Undo());
  drawing::EraseEntity(document_->Dwg(), r);
  document_->Undo().StructureChanged();
}

std::shared_ptr<acad::Entity> StandInEntity::Copy() {
  Need(kind_ != Kind::NotEntity, "Copy");
  RefuseLonePart("Copy", true);
  drawing::Record& r = Live();
  UndoStack::Operation op(document_->Undo());
  drawing::Record& copy = AsAcad([&]() -> drawing::Record& { return drawing::CopyEntity(document_->Dwg(), r); });
  document_->NoteEntities(copy);
  return document_->Wrap(copy);
}

void StandInEntity::Move(const acad::Point& from, const acad::Point& to) {
  Need(kind_ != Kind::NotEntity, "Move");
  RequireFinite(from, "Move");
  RequireFinite(to, "Move");
  RefuseLonePart("Move", false);
  drawing::Record& r = Changeable();
  UndoStack::Operation op(document_->Undo());
  AsAcad([&] { drawing::MoveEntity(document_->Dwg(), r, {to.x - from.x, to.y - from.y, to.z - from.z}); });
}

void StandInEntity::Rotate(const acad::Point& base, double angle) {
  Need(kind_ != Kind::NotEntity, "Rotate");
  RequireFinite(base, "Rotate");
  RefuseLonePart("Rotate", false);
  if (!std::isfinite(angle)) throw acad::Error("Rotate: the angle must be a finite number");
  drawing::Record& r = Changeable();
  UndoStack::Operation op(document_->Undo());
  AsAcad([&] { drawing::RotateEntity(document_->Dwg(), r, FromAcad(base), angle); });
}

std::pair<acad::Point, acad::Point> StandInEntity::GetBoundingBox() const {
  Need(kind_ != Kind::NotEntity, "GetBoundingBox");
  if (IsText()) {
    return AsAcad([&] {
      const TextState& text = Text();
      return drawing::TextBoundingBox(text.geometry, text.axes);
    });
  }
  const auto box = AsAcad([&] { return drawing::EntityExtents(document_->Dwg(), Live()); });
  if (!box) {
    throw acad::Error("GetBoundingBox: the stand-in host has no extents for the object " +
                      textcore::ToUtf8(ObjectName()));
  }
  return *box;
}

void StandInEntity::Highlight(bool on) {
  Need(kind_ != Kind::NotEntity, "Highlight");
  document_->SetHighlight(Live(), on);
}

// --- style ---

std::u16string StandInEntity::StyleName() const {
  drawing::Drawing& d = document_->Dwg();
  if (IsText() || kind_ == Kind::MText) {
    const std::u16string name = IsText() ? View().StyleName() : drawing::MTextView(d, Live()).StyleName();
    // A style the drawing does not define is shown, and read, as the standard style.
    return drawing::FindTableRecord(d, "STYLE", name) != nullptr ? name : std::u16string(u"Standard");
  }
  if (kind_ == Kind::Dimension) {
    const std::u16string name = drawing::DimensionView(d, Live()).StyleName();
    return name.empty() ? u"Standard" : name;
  }
  Lacks("StyleName");
}

void StandInEntity::SetStyleName(const std::u16string& name) {
  Need(IsText() || kind_ == Kind::MText, "StyleName");
  drawing::Record& r = Changeable();
  document_->RequireTableRecord("STYLE", name, "text style");
  UndoStack::Operation op(document_->Undo());
  if (IsText()) {
    const bool known = text_ && textRevision_ == r.Revision();
    View().SetStyleName(name);
    if (known) textRevision_ = r.Revision();  // the style does not move the text: what was read stands
  } else {
    drawing::MTextView(document_->Dwg(), r).SetStyleName(name);
  }
}

// --- texts ---

const StandInEntity::TextState& StandInEntity::Text() const {
  const drawing::Record& r = Live();
  if (!text_ || textRevision_ != r.Revision()) {
    const drawing::TextGroups groups = drawing::ReadTextGroups(View());
    text_ = TextState{groups, drawing::GeometryOf(groups), drawing::AxesOfText(View())};
    textRevision_ = r.Revision();
  }
  return *text_;
}

drawing::TextView& StandInEntity::View() const {
  Live();
  if (!view_) view_.emplace(document_->Dwg(), record_);
  return *view_;
}

template <typename Change>
void StandInEntity::ChangeText(Change&& change) {
  Changeable();
  UndoStack::Operation op(document_->Undo());
  drawing::TextView& view = View();
  const TextState before = Text();
  TextGeometry t = before.geometry;
  drawing::EntityView::Batch batch(view);  // the change and the geometry: one change of the record
  // The change alters `t`; of the tags, it changes the string (and `t`'s length of it) or nothing.
  change(view, t);
  drawing::Recompute(t);
  t.rotation = Normalised(t.rotation);
  drawing::TextGroups groups = drawing::WriteTextGeometry(view, t, before.groups);
  groups.characters = t.characters;
  batch.Commit();
  // What the tags hold now, as reading them again would give it.
  text_ = TextState{groups, drawing::GeometryOf(groups), before.axes};
  textRevision_ = record_.Revision();
}

std::u16string StandInEntity::TextString() const {
  if (IsText()) return View().TextString();
  if (kind_ == Kind::MText) return drawing::MTextView(document_->Dwg(), Live()).TextString();
  Lacks("TextString");
}

void StandInEntity::SetTextString(const std::u16string& text) {
  Need(IsText() || kind_ == Kind::MText, "TextString");
  if (kind_ == Kind::MText) {
    drawing::Record& r = Changeable();
    UndoStack::Operation op(document_->Undo());
    AsAcad([&] { drawing::MTextView(document_->Dwg(), r).SetTextString(text); });
    return;
  }
  AsAcad([&] {
    ChangeText([&](drawing::TextView& view, TextGeometry& t) {
      view.SetTextString(text);
      t.characters = drawing::GlyphCount(view.TextString());  // as the string reads back
    });
  });
}

double StandInEntity::Height() const {
  if (IsText()) return Text().geometry.height;
  if (kind_ == Kind::MText) return drawing::MTextView(document_->Dwg(), Live()).Height();
  Lacks("Height");
}

void StandInEntity::SetHeight(double height) {
  Need(IsText() || kind_ == Kind::MText, "Height");
  if (!(height > 0) || !std::isfinite(height)) throw acad::Error("Height: a height must be above 0");
  if (kind_ == Kind::MText) {
    drawing::Record& r = Changeable();
    UndoStack::Operation op(document_->Undo());
    drawing::MTextView(document_->Dwg(), r).SetHeight(height);
    return;
  }
  ChangeText([&](drawing::TextView&, TextGeometry& t) { t.height = height; });
}

double StandInEntity::Rotation() const {
  drawing::Drawing& d = document_->Dwg();
  if (IsText()) return Normalised(Text().geometry.rotation);
  if (kind_ == Kind::MText) {
    const drawing::Record& r = Live();
    const drawing::Tag* x = r.Find(11);
    const drawing::Tag* y = r.Find(21);
    if (x && y) return Normalised(std::atan2(drawing::DoubleOf(*y, d.File()), drawing::DoubleOf(*x, d.File())));
    return Normalised(Radians(drawing::MTextView(d, Live()).RotationDegrees()));
  }
  if (kind_ == Kind::BlockReference) {
    const drawing::Tag* angle = Live().Find(50);
    return Normalised(Radians(angle ? drawing::DoubleOf(*angle, d.File()) : 0));
  }
  Lacks("Rotation");
}

void StandInEntity::SetRotation(double angle) {
  Need(IsText() || kind_ == Kind::MText || kind_ == Kind::BlockReference, "Rotation");
  if (!std::isfinite(angle)) throw acad::Error("Rotation: the angle must be a finite number");
  angle = Normalised(angle);
  if (IsText()) {
    ChangeText([&](drawing::TextView&, TextGeometry& t) {
      if (drawing::UsesBothPoints(t.horizontal)) {
        // The second point turns about the first.
        t.alignment = drawing::RotatePoint(t.alignment, t.insertion, angle - t.rotation);
      }
      t.rotation = angle;
    });
    return;
  }
  // MText and block references turn about their insertion point.
  const double current = Rotation();
  Rotate(InsertionPoint(), angle - current);
}

acad::Point StandInEntity::InsertionPoint() const {
  drawing::Drawing& d = document_->Dwg();
  if (IsText()) {
    const TextState& text = Text();
    return ToAcad(drawing::ToWorld(FromAcad(text.geometry.insertion), text.axes));
  }
  if (kind_ == Kind::MText) return ToAcad(drawing::MTextView(d, Live()).InsertionPoint());
  if (kind_ == Kind::BlockReference) {
    const drawing::InsertView view(d, Live());
    return ToAcad(
        drawing::ToWorld(view.InsertionPoint(), drawing::AxesOf(drawing::ExtrusionOf(Live().Tags(), d.File()))));
  }
  Lacks("InsertionPoint");
}

void StandInEntity::SetInsertionPoint(const acad::Point& point) {
  Need(IsText() || kind_ == Kind::MText || kind_ == Kind::BlockReference, "InsertionPoint");
  RequireFinite(point, "InsertionPoint");
  if (IsText()) {
    const acad::Point local = ToAcad(drawing::ToOcs(FromAcad(point), Text().axes));
    ChangeText([&](drawing::TextView&, TextGeometry& t) { drawing::SetInsertionPoint(t, local); });
    return;
  }
  Move(InsertionPoint(), point);
}

int StandInEntity::HorizontalAlignment() const {
  Need(IsText(), "HorizontalAlignment");
  return Text().geometry.horizontal;
}

void StandInEntity::SetHorizontalAlignment(int value) {
  Need(IsText(), "HorizontalAlignment");
  if (value < 0 || value > 5) throw acad::Error("HorizontalAlignment: " + std::to_string(value) + " is not 0 to 5");
  ChangeText([&](drawing::TextView&, TextGeometry& t) { drawing::SetAlignment(t, value, t.vertical); });
}

int StandInEntity::VerticalAlignment() const {
  Need(IsText(), "VerticalAlignment");
  return Text().geometry.vertical;
}

void StandInEntity::SetVerticalAlignment(int value) {
  Need(IsText(), "VerticalAlignment");
  if (value < 0 || value > 3) throw acad::Error("VerticalAlignment: " + std::to_string(value) + " is not 0 to 3");
  ChangeText([&](drawing::TextView&, TextGeometry& t) { drawing::SetAlignment(t, t.horizontal, value); });
}

int StandInEntity::Alignment() const {
  Need(IsText(), "Alignment");
  return drawing::AlignmentCode(Text().geometry);
}

void StandInEntity::SetAlignment(int value) {
  Need(IsText(), "Alignment");
  if (value < 0 || value > 14) throw acad::Error("Alignment: " + std::to_string(value) + " is not 0 to 14");
  ChangeText([&](drawing::TextView&, TextGeometry& t) { drawing::SetAlignmentCode(t, value); });
}

acad::Point StandInEntity::TextAlignmentPoint() const {
  Need(IsText(), "TextAlignmentPoint");
  const TextState& text = Text();
  if (drawing::UsesInsertionPoint(text.geometry)) return {};
  return ToAcad(drawing::ToWorld(FromAcad(text.geometry.alignment), text.axes));
}

void StandInEntity::SetTextAlignmentPoint(const acad::Point& point) {
  Need(IsText(), "TextAlignmentPoint");
  RequireFinite(point, "TextAlignmentPoint");
  const acad::Point local = ToAcad(drawing::ToOcs(FromAcad(point), Text().axes));
  ChangeText([&](drawing::TextView&, TextGeometry& t) {
    if (drawing::UsesInsertionPoint(t)) {
      throw acad::Error(
          "TextAlignmentPoint cannot be set on a text aligned left on its baseline: its insertion "
          "point places it (set Alignment first)");
    }
    drawing::SetAlignmentPoint(t, local);
  });
}

bool StandInEntity::Backward() const {
  Need(IsText(), "Backward");
  return Text().geometry.backward;
}

void StandInEntity::SetBackward(bool on) {
  Need(IsText(), "Backward");
  ChangeText([&](drawing::TextView&, TextGeometry& t) { t.backward = on; });
}

int StandInEntity::TextGenerationFlag() const {
  Need(IsText(), "TextGenerationFlag");
  return View().GenerationFlags();
}

void StandInEntity::SetTextGenerationFlag(int flag) {
  Need(IsText(), "TextGenerationFlag");
  if ((flag & ~6) != 0) {
    throw acad::Error("TextGenerationFlag: " + std::to_string(flag) + " is not 0, 2 (backward), 4 (upside down) or 6");
  }
  ChangeText([&](drawing::TextView&, TextGeometry& t) {
    t.backward = (flag & 2) != 0;
    t.upsideDown = (flag & 4) != 0;
  });
}

double StandInEntity::ScaleFactor() const {
  Need(IsText(), "ScaleFactor");
  return Text().geometry.widthFactor;
}

void StandInEntity::SetScaleFactor(double factor) {
  Need(IsText(), "ScaleFactor");
  if (!(factor > 0) || !std::isfinite(factor)) throw acad::Error("ScaleFactor: a width factor must be above 0");
  ChangeText([&](drawing::TextView&, TextGeometry& t) { t.widthFactor = factor; });
}

// --- attributes ---

std::u16string StandInEntity::TagString() const {
  Need(kind_ == Kind::Attribute || kind_ == Kind::AttributeDefinition, "TagString");
  return drawing::AttributeView(document_->Dwg(), Live()).TagString();
}

void StandInEntity::SetTagString(const std::u16string& tag) {
  Need(kind_ == Kind::Attribute || kind_ == Kind::AttributeDefinition, "TagString");
  drawing::Record& r = Changeable();
  UndoStack::Operation op(document_->Undo());
  AsAcad([&] { drawing::AttributeView(document_->Dwg(), r).SetTagString(tag); });
}

std::u16string StandInEntity::PromptString() const {
  Need(kind_ == Kind::AttributeDefinition, "PromptString");
  return drawing::AttributeView(document_->Dwg(), Live()).PromptString();
}

void StandInEntity::SetPromptString(const std::u16string& prompt) {
  Need(kind_ == Kind::AttributeDefinition, "PromptString");
  drawing::Record& r = Changeable();
  UndoStack::Operation op(document_->Undo());
  AsAcad([&] { drawing::AttributeView(document_->Dwg(), r).SetPromptString(prompt); });
}

// --- MText ---

int StandInEntity::AttachmentPoint() const {
  Need(kind_ == Kind::MText, "AttachmentPoint");
  return drawing::MTextView(document_->Dwg(), Live()).AttachmentPoint();
}

void StandInEntity::SetAttachmentPoint(int value) {
  Need(kind_ == Kind::MText, "AttachmentPoint");
  if (value < 1 || value > 9) throw acad::Error("AttachmentPoint: " + std::to_string(value) + " is not 1 to 9");
  drawing::Record& r = Changeable();
  UndoStack::Operation op(document_->Undo());
  drawing::MTextView(document_->Dwg(), r).SetAttachmentPoint(value);
}

double StandInEntity::Width() const {
  Need(kind_ == Kind::MText, "Width");
  return drawing::MTextView(document_->Dwg(), Live()).Width();
}

void StandInEntity::SetWidth(double width) {
  Need(kind_ == Kind::MText, "Width");
  if (!(width >= 0) || !std::isfinite(width)) throw acad::Error("Width: a width cannot be below 0");
  drawing::Record& r = Changeable();
  UndoStack::Operation op(document_->Undo());
  drawing::MTextView(document_->Dwg(), r).SetWidth(width);
}

int StandInEntity::DrawingDirection() const {
  Need(kind_ == Kind::MText, "DrawingDirection");
  return drawing::MTextView(document_->Dwg(), Live()).DrawingDirection();
}

void StandInEntity::SetDrawingDirection(int value) {
  Need(kind_ == Kind::MText, "DrawingDirection");
  if (value < 1 || value > 5) throw acad::Error("DrawingDirection: " + std::to_string(value) + " is not 1 to 5");
  drawing::Record& r = Changeable();
  UndoStack::Operation op(document_->Undo());
  drawing::MTextView(document_->Dwg(), r).SetDrawingDirection(value);
}

// --- dimensions ---

std::u16string StandInEntity::TextOverride() const {
  Need(kind_ == Kind::Dimension, "TextOverride");
  return drawing::DimensionView(document_->Dwg(), Live()).TextOverride();
}

void StandInEntity::SetTextOverride(const std::u16string& text) {
  Need(kind_ == Kind::Dimension, "TextOverride");
  drawing::Record& r = Changeable();
  UndoStack::Operation op(document_->Undo());
  AsAcad([&] { drawing::DimensionView(document_->Dwg(), r).SetTextOverride(text); });
}

// --- block references ---

std::u16string StandInEntity::Name() const {
  Need(kind_ == Kind::BlockReference, "Name");
  return drawing::InsertView(document_->Dwg(), Live()).Name();
}

bool StandInEntity::HasAttributes() const {
  Need(kind_ == Kind::BlockReference, "HasAttributes");
  return !drawing::InsertView(document_->Dwg(), Live()).Attributes().empty();
}

std::vector<std::shared_ptr<acad::Entity>> StandInEntity::GetAttributes() const {
  Need(kind_ == Kind::BlockReference, "GetAttributes");
  std::vector<std::shared_ptr<acad::Entity>> attributes;
  for (drawing::Record* r : drawing::InsertView(document_->Dwg(), Live()).Attributes())
    attributes.push_back(document_->Wrap(*r));
  return attributes;
}

}  // namespace zil::standin
