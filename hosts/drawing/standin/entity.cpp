#include "drawing/standin/entity.h"

#include <cmath>
#include <numbers>
#include <optional>
#include <unordered_map>

#include "acad/error.h"
#include "drawing/dxf_error.h"
#include "drawing/entity_edit.h"
#include "drawing/entity_extents.h"
#include "drawing/ocs.h"
#include "drawing/standin/document.h"
#include "drawing/standin/member_errors.h"
#include "drawing/table_views.h"
#include "drawing/tag_values.h"
#include "drawing/text_placement.h"
#include "platform/ascii_case.h"
#include "textcore/utf8.h"

namespace zil::standin {
namespace {

using drawing::TextGeometry;

double Radians(double degrees) { return degrees * std::numbers::pi / 180; }
double Normalised(double radians) {
  // An angle already in [0, 2 pi) is what fmod would give back; most are.
  if (radians >= 0 && radians < 2 * std::numbers::pi) return radians;
  double a = std::fmod(radians, 2 * std::numbers::pi);
  if (a < 0) a += 2 * std::numbers::pi;
  return a >= 2 * std::numbers::pi ? 0 : a;
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

const std::unordered_map<std::string_view, TypeNames>& KnownTypes() {
  static const std::unordered_map<std::string_view, TypeNames> kTypes = {
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

// The class name and entity type of an entity, nothing for a type AutoCAD's automation has no class of
// here. A dimension's come from its kind, a polyline's from its flags.
std::optional<TypeNames> NamesOf(const drawing::Record& r, const std::string& file) {
  const std::string_view type = r.Type();
  if (type == "DIMENSION") {
    static constexpr TypeNames kDimensions[] = {{u"AcDbRotatedDimension", acad::kEntityDimension},
                                                {u"AcDbAlignedDimension", 9},
                                                {u"AcDb2LineAngularDimension", 10},
                                                {u"AcDbDiametricDimension", 12},
                                                {u"AcDbRadialDimension", 14},
                                                {u"AcDb3PointAngularDimension", 41},
                                                {u"AcDbOrdinateDimension", 13},
                                                {u"AcDbRotatedDimension", acad::kEntityDimension}};
    return kDimensions[DimensionKind(r, file)];
  }
  if (type == "POLYLINE") {
    const int flags = PolylineFlags(r, file);
    if (flags & 8) return TypeNames{u"AcDb3dPolyline", 2};
    if (flags & 16) return TypeNames{u"AcDbPolygonMesh", 25};
    if (flags & 64) return TypeNames{u"AcDbPolyFaceMesh", 39};
    return TypeNames{u"AcDb2dPolyline", 23};
  }
  const auto it = KnownTypes().find(type);
  if (it == KnownTypes().end()) return std::nullopt;
  return it->second;
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

StandInEntity::~StandInEntity() {
  try {
    WriteTextChanges();
  } catch (...) {
    // The members checked every change when it was made, so that writing it cannot fail but for want of
    // memory; there is no caller left to tell.
    document_->TextChangesWritten(*this);
  }
  document_->ReleaseTags(record_);
}

std::string StandInEntity::Named() const {
  std::string name;
  try {
    name = textcore::ToUtf8(ClassName());
  } catch (const drawing::DxfError&) {  // a name that cannot be read: the record's type names the object
    name = std::string(record_.Type());
  }
  return name + " (handle " + textcore::ToUtf8(Handle()) + ")";
}

template <typename Body>
decltype(auto) StandInEntity::Run(const char* member, Body&& body) const {
  document_->WriteTextChanges(this);  // another object's changes of this record are read from it
  return AsAcadError([&] { return std::string(member) + ": the object " + Named(); }, std::forward<Body>(body));
}

template <typename Prepare, typename Body>
void StandInEntity::Change(const char* member, bool has, Prepare&& prepare, Body&& body) {
  Run(member, [&] {
    Need(has, member);
    prepare();
    WriteTextChanges();  // the change works on the record's tags
    drawing::Record& r = Changeable();
    UndoStack::Operation op(Steps());
    body(r);
  });
}

drawing::Record& StandInEntity::Live() const {
  if (record_.Erased()) throw acad::Error("The object " + Named() + " was erased");
  return record_;
}

drawing::Record& StandInEntity::Changeable() const {
  drawing::Record& r = Live();
  const StandInDocument::DrawingState state = document_->State();
  if (changeableIn_ == state) return r;
  if (kind_ != Kind::NotEntity && (IsText() ? document_->LayerLocked(TextLayer()) : document_->OnLockedLayer(r)))
    throw acad::Error("The object " + Named() + " is on a locked layer");
  changeableIn_ = state;
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
  return Run("ObjectName", [&] { return ClassName(); });
}

std::u16string StandInEntity::ClassName() const {
  if (kind_ != Kind::NotEntity) {
    if (const auto names = NamesOf(record_, Dwg().File())) return names->objectName;
  }
  const std::string_view type = record_.Type();
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
    name += static_cast<char16_t>(i > 0 ? LowerAscii(c) : c);
  }
  return name;
}

int StandInEntity::EntityType() const {
  return Run("EntityType", [&] {
    Need(kind_ != Kind::NotEntity, "EntityType");
    const auto names = NamesOf(record_, Dwg().File());
    return names ? names->entityType : 0;
  });
}

std::u16string StandInEntity::EntityName() const {
  Need(kind_ != Kind::NotEntity, "EntityName");
  return ObjectName();
}

std::u16string StandInEntity::Handle() const {
  return record_.Handle() == 0 ? std::u16string() : textcore::FromUtf8(drawing::FormatHandle(record_.Handle()));
}

std::u16string StandInEntity::Layer() const {
  return Run("Layer", [&] {
    Need(kind_ != Kind::NotEntity, "Layer");
    return drawing::EntityView(Dwg(), Live()).Layer();
  });
}

void StandInEntity::SetLayer(const std::u16string& layer) {
  Change("Layer", kind_ != Kind::NotEntity, [&](drawing::Record& r) {
    document_->RequireTableRecord("LAYER", layer, "layer");
    drawing::EntityView(Dwg(), r).SetLayer(layer);
  });
}

int StandInEntity::Color() const {
  return Run("Color", [&] {
    Need(kind_ != Kind::NotEntity, "Color");
    return drawing::EntityView(Dwg(), Live()).Color();
  });
}

void StandInEntity::SetColor(int color) {
  Change(
      "Color", kind_ != Kind::NotEntity,
      [&] {
        if (color < 0 || color > 256)
          throw acad::Error("Color: " + std::to_string(color) + " is not a colour (0 to 256)");
      },
      [&](drawing::Record& r) { drawing::EntityView(Dwg(), r).SetColor(color); });
}

void StandInEntity::Update() {
  Need(kind_ != Kind::NotEntity, "Update");
  Run("Update", [&] {
    Live();
    WriteTextChanges();
    document_->TellObservers();
  });
}

void StandInEntity::Erase() {
  Change(
      "Erase", kind_ != Kind::NotEntity, [&] { RefuseLonePart("Erase", false); },
      [&](drawing::Record& r) {
        drawing::EraseEntity(Dwg(), r);
        Steps().StructureChanged();
      });
}

std::shared_ptr<acad::Entity> StandInEntity::Copy() {
  // A copy may be made of an entity on a locked layer: only its being alive is needed.
  return Run("Copy", [&] {
    Need(kind_ != Kind::NotEntity, "Copy");
    RefuseLonePart("Copy", true);
    WriteTextChanges();
    drawing::Record& r = Live();
    UndoStack::Operation op(Steps());
    drawing::Record& copy = drawing::CopyEntity(Dwg(), r);
    document_->NoteEntities(copy);
    return document_->Wrap(copy);
  });
}

void StandInEntity::Move(const acad::Point& from, const acad::Point& to) {
  Change(
      "Move", kind_ != Kind::NotEntity,
      [&] {
        RequireFinite(from, "Move");
        RequireFinite(to, "Move");
        RefuseLonePart("Move", false);
      },
      [&](drawing::Record& r) {
        drawing::MoveEntity(Dwg(), r, {to.x - from.x, to.y - from.y, to.z - from.z});
      });
}

void StandInEntity::Rotate(const acad::Point& base, double angle) {
  if (kind_ == Kind::Text && document_->DefersTextWrites() && TurnTextLater(base, angle)) return;
  Change(
      "Rotate", kind_ != Kind::NotEntity,
      [&] {
        RequireFinite(base, "Rotate");
        RefuseLonePart("Rotate", false);
        if (!std::isfinite(angle)) throw acad::Error("Rotate: the angle must be a finite number");
      },
      [&](drawing::Record& r) {
        const bool known = IsText() && text_ && textRevision_ == r.Revision();
        drawing::RotateEntity(Dwg(), r, base, angle);
        if (!known) return;
        // Turning leaves the string, the style and the text's plane: only the points and the angle are
        // read again.
        const drawing::TextGroups groups = drawing::ReadTextGroups(View(), text_->groups.characters);
        text_ = TextState{groups, drawing::GeometryOf(groups, text_->geometry.rightToLeft), text_->axes};
        textRevision_ = r.Revision();
      });
}

std::pair<acad::Point, acad::Point> StandInEntity::GetBoundingBox() const {
  return Run("GetBoundingBox", [&] {
    Need(kind_ != Kind::NotEntity, "GetBoundingBox");
    if (IsText()) {
      const TextState& text = Text();
      return drawing::TextBoundingBox(text.geometry, text.axes);
    }
    const auto box = drawing::EntityExtents(Dwg(), Live());
    if (!box) {
      throw acad::Error("GetBoundingBox: the stand-in host has no extents for the object " +
                        textcore::ToUtf8(ObjectName()));
    }
    return *box;
  });
}

void StandInEntity::Highlight(bool on) {
  Need(kind_ != Kind::NotEntity, "Highlight");
  Run("Highlight", [&] { document_->SetHighlight(Live(), on); });
}

// --- style ---

std::u16string StandInEntity::StyleName() const {
  return Run("StyleName", [&] {
    drawing::Drawing& d = Dwg();
    if (IsText() || kind_ == Kind::MText) {
      std::u16string name = !IsText()        ? drawing::MTextView(d, Live()).StyleName()
                            : changes_.style ? changes_.shownStyle
                                             : View().StyleName();
      // A style the drawing does not define is shown, and read, as the standard style.
      if (document_->FindTextStyle(name) == nullptr) name = u"Standard";
      return name;
    }
    if (kind_ == Kind::Dimension) {
      const std::u16string name = drawing::DimensionView(d, Live()).StyleName();
      return name.empty() ? u"Standard" : name;
    }
    Lacks("StyleName");
  });
}

void StandInEntity::SetStyleName(const std::u16string& name) {
  if (IsText()) {
    // The text keeps its defining point(s); a font that draws the other way turns the rest about them.
    // The style is found once: nothing done between finding and reading it changes the style table.
    drawing::Record* style = nullptr;
    ChangeText(
        "StyleName", [&] { style = &document_->RequireTextStyle(name); },
        [&](TextGeometry& t) {
          const StandInDocument::EncodedName& encoded = document_->Encoded(7, name);
          t.rightToLeft = document_->StyleDrawsRightToLeft(*style);
          changes_.shownStyle = encoded.shown;
          changes_.style = encoded.encoded;
        });
    return;
  }
  Change(
      "StyleName", kind_ == Kind::MText, [&] { document_->RequireTextStyle(name); },
      [&](drawing::Record& r) { drawing::MTextView(Dwg(), r).SetStyleName(name); });
}

// --- texts ---

const StandInEntity::TextState& StandInEntity::Text() const {
  const drawing::Record& r = Live();
  if (!text_ || textRevision_ != r.Revision()) {
    const drawing::TextGroups groups = drawing::ReadTextGroups(View(), drawing::GlyphCount(StringInTags()));
    // Most texts of the standard style leave its name out: no string is made for it.
    const auto style = View().StyleValue();
    const bool rightToLeft =
        document_->StyleDrawsRightToLeft(style ? std::u16string_view(Dwg().Decode(*style)) : u"Standard");
    text_ = TextState{groups, drawing::GeometryOf(groups, rightToLeft), drawing::AxesOfText(View())};
    textRevision_ = r.Revision();
  }
  return *text_;
}

const std::string& StandInEntity::TextLayer() const {
  if (!layer_ || layerRevision_ != Live().Revision()) {
    layer_ = std::string(View().LayerValue());
    layerRevision_ = record_.Revision();
  }
  return *layer_;
}

const std::u16string& StandInEntity::StringInTags() const {
  if (!string_ || stringRevision_ != Live().Revision()) {
    string_ = View().TextString();
    stringRevision_ = record_.Revision();
  }
  return *string_;
}

drawing::TextView& StandInEntity::View() const {
  Live();
  if (!view_) view_.emplace(Dwg(), record_);
  return *view_;
}

template <typename Prepare, typename Edit>
void StandInEntity::ChangeText(const char* member, Prepare&& prepare, Edit&& edit) {
  Run(member, [&] {
    Need(IsText(), member);
    prepare();
    Changeable();
    const bool later = document_->DefersTextWrites();
    if (later) document_->HoldTextChanges(*this);
    Text();
    TextState& state = *text_;
    // The edit alters a copy `t` (the computed values are brought in line after it); of the changes held,
    // it sets the string (and `t`'s length of it), the style, or nothing, once nothing it does can fail.
    // Nothing after it fails: the state kept is then changed in place.
    TextGeometry t = state.geometry;
    edit(t);
    drawing::Recompute(t);
    t.rotation = Normalised(t.rotation);
    const unsigned written = drawing::PlanTextGeometry(t, state.groups);
    changes_.groups |= written;
    // The geometry the groups give; the one kept stays when they, the length and the font's direction do.
    const bool same =
        written == 0 && t.characters == state.geometry.characters && t.rightToLeft == state.geometry.rightToLeft;
    state.groups.characters = t.characters;
    if (!same) state.geometry = drawing::GeometryOf(state.groups, t.rightToLeft);
    if (later) return;
    try {
      WriteTextChanges();
    } catch (...) {
      changes_ = {};
      text_.reset();  // read again from the tags the failed change left as they were
      throw;
    }
  });
}

void StandInEntity::WriteTextChanges() const {
  if (changes_.Any()) {
    UndoStack::Operation op(Steps());  // one change; taken back when writing fails
    const drawing::TextNames names{changes_.string ? &*changes_.string : nullptr,
                                   changes_.style ? &*changes_.style : nullptr};
    drawing::WriteTextGroups(View(), text_->groups, changes_.groups, names);
    if (changes_.string) {
      string_ = std::move(changes_.shownString);
      stringRevision_ = record_.Revision();
    }
    changes_ = {};
    textRevision_ = record_.Revision();  // the state kept is what the tags now hold
  }
  document_->TextChangesWritten(*this);
}

bool StandInEntity::TurnTextLater(const acad::Point& base, double angle) {
  return Run("Rotate", [&] {
    RequireFinite(base, "Rotate");
    if (!std::isfinite(angle)) throw acad::Error("Rotate: the angle must be a finite number");
    Changeable();
    document_->HoldTextChanges(*this);
    Text();
    TextState& state = *text_;
    // Turning leaves the groups as they were when it fails or refuses the text.
    const auto turned = drawing::TurnTextGroups(View(), state.groups, state.axes, base, angle);
    if (!turned) return false;
    state.geometry = drawing::GeometryOf(state.groups, state.geometry.rightToLeft);
    changes_.groups |= *turned;
    return true;
  });
}

std::u16string StandInEntity::TextString() const {
  return Run("TextString", [&] {
    if (IsText()) return changes_.string ? changes_.shownString : StringInTags();
    if (kind_ == Kind::MText) return drawing::MTextView(Dwg(), Live()).TextString();
    Lacks("TextString");
  });
}

void StandInEntity::SetTextString(const std::u16string& text) {
  if (IsText()) {
    ChangeText("TextString", [&](TextGeometry& t) {
      drawing::Drawing& d = Dwg();
      bool asIs = false;
      std::string encoded = d.Strings().Encode(text, asIs);
      drawing::CheckValue(1, encoded);
      // As the string reads back: mostly the string itself, known without decoding what was written.
      std::u16string shown = asIs ? text : d.Decode(encoded);
      t.characters = drawing::GlyphCount(shown);
      changes_.string = std::move(encoded);
      changes_.shownString = std::move(shown);
    });
    return;
  }
  Change("TextString", kind_ == Kind::MText,
         [&](drawing::Record& r) { drawing::MTextView(Dwg(), r).SetTextString(text); });
}

double StandInEntity::Height() const {
  return Run("Height", [&] {
    if (IsText()) return Text().geometry.height;
    if (kind_ == Kind::MText) return drawing::MTextView(Dwg(), Live()).Height();
    Lacks("Height");
  });
}

void StandInEntity::SetHeight(double height) {
  const auto check = [&] {
    if (!(height > 0) || !std::isfinite(height)) throw acad::Error("Height: a height must be above 0");
  };
  if (IsText()) {
    ChangeText("Height", check, [&](TextGeometry& t) { t.height = height; });
    return;
  }
  Change("Height", kind_ == Kind::MText, check,
         [&](drawing::Record& r) { drawing::MTextView(Dwg(), r).SetHeight(height); });
}

double StandInEntity::Rotation() const {
  return Run("Rotation", [&] {
    drawing::Drawing& d = Dwg();
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
  });
}

void StandInEntity::SetRotation(double angle) {
  const auto check = [&] {
    if (!std::isfinite(angle)) throw acad::Error("Rotation: the angle must be a finite number");
  };
  if (IsText()) {
    ChangeText("Rotation", check, [&](TextGeometry& t) {
      const double turned = Normalised(angle);
      if (drawing::UsesBothPoints(t.horizontal)) {
        // The second point turns about the first.
        t.alignment = drawing::RotatePoint(t.alignment, t.insertion, turned - t.rotation);
      }
      t.rotation = turned;
    });
    return;
  }
  // MText and block references turn about their insertion point.
  Need(kind_ == Kind::MText || kind_ == Kind::BlockReference, "Rotation");
  check();
  const double current = Rotation();
  Rotate(InsertionPoint(), Normalised(angle) - current);
}

acad::Point StandInEntity::InsertionPoint() const {
  return Run("InsertionPoint", [&] {
    drawing::Drawing& d = Dwg();
    if (IsText()) {
      const TextState& text = Text();
      return drawing::ToWorld(text.geometry.insertion, text.axes);
    }
    if (kind_ == Kind::MText) return drawing::MTextView(d, Live()).InsertionPoint();
    if (kind_ == Kind::BlockReference) {
      const drawing::InsertView view(d, Live());
      return drawing::ToWorld(view.InsertionPoint(), drawing::AxesOf(drawing::ExtrusionOf(Live().Tags(), d.File())));
    }
    Lacks("InsertionPoint");
  });
}

void StandInEntity::SetInsertionPoint(const acad::Point& point) {
  if (IsText()) {
    acad::Point local;
    ChangeText(
        "InsertionPoint",
        [&] {
          RequireFinite(point, "InsertionPoint");
          local = drawing::ToOcs(point, Text().axes);
        },
        [&](TextGeometry& t) { drawing::PlaceInsertionPoint(t, local); });  // the rest computed after the edit
    return;
  }
  Need(kind_ == Kind::MText || kind_ == Kind::BlockReference, "InsertionPoint");
  RequireFinite(point, "InsertionPoint");
  Move(InsertionPoint(), point);
}

int StandInEntity::HorizontalAlignment() const {
  return Run("HorizontalAlignment", [&] {
    Need(IsText(), "HorizontalAlignment");
    return Text().geometry.horizontal;
  });
}

void StandInEntity::SetHorizontalAlignment(int value) {
  ChangeText(
      "HorizontalAlignment",
      [&] {
        if (value < 0 || value > 5)
          throw acad::Error("HorizontalAlignment: " + std::to_string(value) + " is not 0 to 5");
      },
      [&](TextGeometry& t) { drawing::SetAlignment(t, value, t.vertical); });
}

int StandInEntity::VerticalAlignment() const {
  return Run("VerticalAlignment", [&] {
    Need(IsText(), "VerticalAlignment");
    return Text().geometry.vertical;
  });
}

void StandInEntity::SetVerticalAlignment(int value) {
  ChangeText(
      "VerticalAlignment",
      [&] {
        if (value < 0 || value > 3) throw acad::Error("VerticalAlignment: " + std::to_string(value) + " is not 0 to 3");
      },
      [&](TextGeometry& t) { drawing::SetAlignment(t, t.horizontal, value); });
}

int StandInEntity::Alignment() const {
  return Run("Alignment", [&] {
    Need(IsText(), "Alignment");
    return drawing::AlignmentCode(Text().geometry);
  });
}

void StandInEntity::SetAlignment(int value) {
  ChangeText(
      "Alignment",
      [&] {
        if (value < 0 || value > 14) throw acad::Error("Alignment: " + std::to_string(value) + " is not 0 to 14");
      },
      [&](TextGeometry& t) { drawing::SetAlignmentCode(t, value); });
}

acad::Point StandInEntity::TextAlignmentPoint() const {
  return Run("TextAlignmentPoint", [&]() -> acad::Point {
    Need(IsText(), "TextAlignmentPoint");
    const TextState& text = Text();
    if (drawing::UsesInsertionPoint(text.geometry)) return {};
    return drawing::ToWorld(text.geometry.alignment, text.axes);
  });
}

void StandInEntity::SetTextAlignmentPoint(const acad::Point& point) {
  acad::Point local;
  ChangeText(
      "TextAlignmentPoint",
      [&] {
        RequireFinite(point, "TextAlignmentPoint");
        local = drawing::ToOcs(point, Text().axes);
      },
      [&](TextGeometry& t) {
        if (drawing::UsesInsertionPoint(t)) {
          throw acad::Error(
              "TextAlignmentPoint cannot be set on a text aligned left on its baseline: its insertion "
              "point places it (set Alignment first)");
        }
        drawing::PlaceAlignmentPoint(t, local);  // the rest computed after the edit
      });
}

bool StandInEntity::Backward() const {
  return Run("Backward", [&] {
    Need(IsText(), "Backward");
    return Text().geometry.backward;
  });
}

void StandInEntity::SetBackward(bool on) {
  ChangeText("Backward", [&](TextGeometry& t) { t.backward = on; });
}

int StandInEntity::TextGenerationFlag() const {
  return Run("TextGenerationFlag", [&] {
    Need(IsText(), "TextGenerationFlag");
    return changes_.Any() ? Text().groups.flags : View().GenerationFlags();
  });
}

void StandInEntity::SetTextGenerationFlag(int flag) {
  ChangeText(
      "TextGenerationFlag",
      [&] {
        if ((flag & ~6) != 0) {
          throw acad::Error("TextGenerationFlag: " + std::to_string(flag) +
                            " is not 0, 2 (backward), 4 (upside down) or 6");
        }
      },
      [&](TextGeometry& t) {
        t.backward = (flag & 2) != 0;
        t.upsideDown = (flag & 4) != 0;
      });
}

double StandInEntity::ScaleFactor() const {
  return Run("ScaleFactor", [&] {
    Need(IsText(), "ScaleFactor");
    return Text().geometry.widthFactor;
  });
}

void StandInEntity::SetScaleFactor(double factor) {
  ChangeText(
      "ScaleFactor",
      [&] {
        if (!(factor > 0) || !std::isfinite(factor)) throw acad::Error("ScaleFactor: a width factor must be above 0");
      },
      [&](TextGeometry& t) { t.widthFactor = factor; });
}

// --- attributes ---

std::u16string StandInEntity::TagString() const {
  return Run("TagString", [&] {
    Need(kind_ == Kind::Attribute || kind_ == Kind::AttributeDefinition, "TagString");
    return drawing::AttributeView(Dwg(), Live()).TagString();
  });
}

void StandInEntity::SetTagString(const std::u16string& tag) {
  Change("TagString", kind_ == Kind::Attribute || kind_ == Kind::AttributeDefinition,
         [&](drawing::Record& r) { drawing::AttributeView(Dwg(), r).SetTagString(tag); });
}

std::u16string StandInEntity::PromptString() const {
  return Run("PromptString", [&] {
    Need(kind_ == Kind::AttributeDefinition, "PromptString");
    return drawing::AttributeView(Dwg(), Live()).PromptString();
  });
}

void StandInEntity::SetPromptString(const std::u16string& prompt) {
  Change("PromptString", kind_ == Kind::AttributeDefinition,
         [&](drawing::Record& r) { drawing::AttributeView(Dwg(), r).SetPromptString(prompt); });
}

// --- MText ---

int StandInEntity::AttachmentPoint() const {
  return Run("AttachmentPoint", [&] {
    Need(kind_ == Kind::MText, "AttachmentPoint");
    return drawing::MTextView(Dwg(), Live()).AttachmentPoint();
  });
}

void StandInEntity::SetAttachmentPoint(int value) {
  Change(
      "AttachmentPoint", kind_ == Kind::MText,
      [&] {
        if (value < 1 || value > 9) throw acad::Error("AttachmentPoint: " + std::to_string(value) + " is not 1 to 9");
      },
      [&](drawing::Record& r) { drawing::MTextView(Dwg(), r).SetAttachmentPoint(value); });
}

double StandInEntity::Width() const {
  return Run("Width", [&] {
    Need(kind_ == Kind::MText, "Width");
    return drawing::MTextView(Dwg(), Live()).Width();
  });
}

void StandInEntity::SetWidth(double width) {
  Change(
      "Width", kind_ == Kind::MText,
      [&] {
        if (!(width >= 0) || !std::isfinite(width)) throw acad::Error("Width: a width cannot be below 0");
      },
      [&](drawing::Record& r) { drawing::MTextView(Dwg(), r).SetWidth(width); });
}

int StandInEntity::DrawingDirection() const {
  return Run("DrawingDirection", [&] {
    Need(kind_ == Kind::MText, "DrawingDirection");
    return drawing::MTextView(Dwg(), Live()).DrawingDirection();
  });
}

void StandInEntity::SetDrawingDirection(int value) {
  Change(
      "DrawingDirection", kind_ == Kind::MText,
      [&] {
        if (value < 1 || value > 5) throw acad::Error("DrawingDirection: " + std::to_string(value) + " is not 1 to 5");
      },
      [&](drawing::Record& r) { drawing::MTextView(Dwg(), r).SetDrawingDirection(value); });
}

// --- dimensions ---

std::u16string StandInEntity::TextOverride() const {
  return Run("TextOverride", [&] {
    Need(kind_ == Kind::Dimension, "TextOverride");
    return drawing::DimensionView(Dwg(), Live()).TextOverride();
  });
}

void StandInEntity::SetTextOverride(const std::u16string& text) {
  Change("TextOverride", kind_ == Kind::Dimension,
         [&](drawing::Record& r) { drawing::DimensionView(Dwg(), r).SetTextOverride(text); });
}

// --- block references ---

std::u16string StandInEntity::Name() const {
  return Run("Name", [&] {
    Need(kind_ == Kind::BlockReference, "Name");
    return drawing::InsertView(Dwg(), Live()).Name();
  });
}

bool StandInEntity::HasAttributes() const {
  return Run("HasAttributes", [&] {
    Need(kind_ == Kind::BlockReference, "HasAttributes");
    return !drawing::InsertView(Dwg(), Live()).Attributes().empty();
  });
}

std::vector<std::shared_ptr<acad::Entity>> StandInEntity::GetAttributes() const {
  return Run("GetAttributes", [&] {
    Need(kind_ == Kind::BlockReference, "GetAttributes");
    std::vector<std::shared_ptr<acad::Entity>> attributes;
    for (drawing::Record* r : drawing::InsertView(Dwg(), Live()).Attributes())
      attributes.push_back(document_->Wrap(*r));
    return attributes;
  });
}

}  // namespace zil::standin
