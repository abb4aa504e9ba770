#include "autocad/objects.h"

#include "acad/error.h"
#include "autocad/entity.h"

namespace zil::autocad {
namespace {

template <typename Wrapper>
std::shared_ptr<Wrapper> Wrap(const LateBound& owner, IDispatch* object) {
  return std::make_shared<Wrapper>(owner.SharedSession(), object);
}

template <typename T, typename Wrapper>
std::shared_ptr<acad::Collection<T>> WrapCollection(const LateBound& owner, IDispatch* object, const char16_t* kind) {
  return std::make_shared<AutoCadCollection<T, Wrapper>>(owner.SharedSession(), object, kind);
}

// AutoCAD's object behind an object of the surface; only objects this adapter made have one.
template <typename T>
IDispatch* DispatchOf(const std::shared_ptr<T>& object, const char* what) {
  const auto* bound = dynamic_cast<const LateBound*>(object.get());
  if (bound == nullptr) throw acad::Error(std::string(what) + ": the object given is not one of AutoCAD's");
  return bound->Dispatch();
}

// An optional point: missing when there is none.
OwnedVariant OptionalPoint(const std::optional<acad::Point>& point) { return point ? PointArg(*point) : MissingArg(); }

// Selection filters: missing when there are none.
Args Filters(const std::vector<std::int16_t>& types, const std::vector<acad::Value>& data) {
  if (types.empty() && data.empty()) return ArgList(MissingArg(), MissingArg());
  return ArgList(ShortArrayArg(types), ValueArrayArg(data));
}

}  // namespace

// --- Application ---

AutoCadApplication::AutoCadApplication(IDispatch* application)
    : LateBound(std::make_shared<Session>(), application, u"AcadApplication") {}

std::shared_ptr<acad::Document> AutoCadApplication::ActiveDocument() {
  return Wrap<AutoCadDocument>(*this, GetObject("ActiveDocument"));
}

std::shared_ptr<acad::Documents> AutoCadApplication::Documents() {
  return Wrap<AutoCadDocuments>(*this, GetObject("Documents"));
}

void AutoCadApplication::ZoomCenter(const acad::Point& center, double magnification) {
  Call("ZoomCenter", ArgList(PointArg(center), DoubleArg(magnification)));
}

void AutoCadApplication::Update() { Call("Update"); }

AutoCadDocuments::AutoCadDocuments(std::shared_ptr<Session> session, IDispatch* object)
    : LateBound(std::move(session), object, u"AcadDocuments") {}

int AutoCadDocuments::Count() const { return GetInt("Count"); }

std::shared_ptr<acad::Document> AutoCadDocuments::Open(const std::u16string& fileName) {
  return Wrap<AutoCadDocument>(*this, CallForObject("Open", ArgList(StringArg(fileName))));
}

// --- Document ---

AutoCadDocument::AutoCadDocument(std::shared_ptr<Session> session, IDispatch* object)
    : LateBound(std::move(session), object, u"AcadDocument") {}

int AutoCadDocument::ActiveSpace() const { return GetInt("ActiveSpace"); }
std::shared_ptr<acad::Block> AutoCadDocument::ModelSpace() {
  return Wrap<AutoCadBlock>(*this, GetObject("ModelSpace"));
}
std::shared_ptr<acad::Block> AutoCadDocument::PaperSpace() {
  return Wrap<AutoCadBlock>(*this, GetObject("PaperSpace"));
}

std::shared_ptr<acad::TextStyles> AutoCadDocument::TextStyles() {
  return WrapCollection<acad::TextStyle, AutoCadTextStyle>(*this, GetObject("TextStyles"), u"AcadTextStyles");
}
std::shared_ptr<acad::Layers> AutoCadDocument::Layers() {
  return WrapCollection<acad::Layer, AutoCadLayer>(*this, GetObject("Layers"), u"AcadLayers");
}
std::shared_ptr<acad::Blocks> AutoCadDocument::Blocks() {
  return WrapCollection<acad::Block, AutoCadBlock>(*this, GetObject("Blocks"), u"AcadBlocks");
}
std::shared_ptr<acad::DimStyles> AutoCadDocument::DimStyles() {
  return WrapCollection<acad::DimStyle, AutoCadDimStyle>(*this, GetObject("DimStyles"), u"AcadDimStyles");
}
std::shared_ptr<acad::SelectionSets> AutoCadDocument::SelectionSets() {
  return WrapCollection<acad::SelectionSet, AutoCadSelectionSet>(*this, GetObject("SelectionSets"),
                                                                 u"AcadSelectionSets");
}
std::shared_ptr<acad::Utility> AutoCadDocument::Utility() { return Wrap<AutoCadUtility>(*this, GetObject("Utility")); }

std::shared_ptr<acad::Layer> AutoCadDocument::ActiveLayer() {
  return Wrap<AutoCadLayer>(*this, GetObject("ActiveLayer"));
}
void AutoCadDocument::SetActiveLayer(const std::shared_ptr<acad::Layer>& layer) {
  Put("ActiveLayer", ObjectArg(DispatchOf(layer, "ActiveLayer")));
}
std::shared_ptr<acad::TextStyle> AutoCadDocument::ActiveTextStyle() {
  return Wrap<AutoCadTextStyle>(*this, GetObject("ActiveTextStyle"));
}
void AutoCadDocument::SetActiveTextStyle(const std::shared_ptr<acad::TextStyle>& style) {
  Put("ActiveTextStyle", ObjectArg(DispatchOf(style, "ActiveTextStyle")));
}
std::shared_ptr<acad::DimStyle> AutoCadDocument::ActiveDimStyle() {
  return Wrap<AutoCadDimStyle>(*this, GetObject("ActiveDimStyle"));
}
void AutoCadDocument::SetActiveDimStyle(const std::shared_ptr<acad::DimStyle>& style) {
  Put("ActiveDimStyle", ObjectArg(DispatchOf(style, "ActiveDimStyle")));
}

acad::EntityPtr AutoCadDocument::HandleToObject(const std::u16string& handle) {
  return AutoCadEntity::Wrap(SharedSession(), CallForObject("HandleToObject", ArgList(StringArg(handle))));
}

acad::Value AutoCadDocument::GetVariable(const std::u16string& name) {
  return AsValue(Call("GetVariable", ArgList(StringArg(name))).get(), Describe("GetVariable"));
}

void AutoCadDocument::SetVariable(const std::u16string& name, const acad::Value& value) {
  Call("SetVariable", ArgList(StringArg(name), ValueArg(value)));
}

void AutoCadDocument::StartUndoMark() { Call("StartUndoMark"); }
void AutoCadDocument::EndUndoMark() { Call("EndUndoMark"); }
void AutoCadDocument::SendCommand(const std::u16string& text) { Call("SendCommand", ArgList(StringArg(text))); }
void AutoCadDocument::Regen(int which) { Call("Regen", ArgList(IntArg(which))); }
bool AutoCadDocument::Saved() const { return GetBool("Saved"); }
void AutoCadDocument::Save() { Call("Save"); }
void AutoCadDocument::SaveAs(const std::u16string& fileName) { Call("SaveAs", ArgList(StringArg(fileName))); }
std::u16string AutoCadDocument::Path() const { return GetString("Path"); }
std::u16string AutoCadDocument::Name() const { return GetString("Name"); }

// --- Utility ---

AutoCadUtility::AutoCadUtility(std::shared_ptr<Session> session, IDispatch* object)
    : LateBound(std::move(session), object, u"AcadUtility") {}

acad::Point AutoCadUtility::GetPoint(const std::optional<acad::Point>& base, const std::u16string& prompt) {
  return AsPoint(Call("GetPoint", ArgList(OptionalPoint(base), StringArg(prompt))).get(), Describe("GetPoint"));
}

double AutoCadUtility::GetDistance(const std::optional<acad::Point>& base, const std::u16string& prompt) {
  return AsDouble(Call("GetDistance", ArgList(OptionalPoint(base), StringArg(prompt))).get(), Describe("GetDistance"));
}

// --- Table records ---

AutoCadTextStyle::AutoCadTextStyle(std::shared_ptr<Session> session, IDispatch* object)
    : LateBound(std::move(session), object, u"AcadTextStyle") {}

std::u16string AutoCadTextStyle::Name() const { return GetString("Name"); }
std::u16string AutoCadTextStyle::FontFile() const { return GetString("FontFile"); }
void AutoCadTextStyle::SetFontFile(const std::u16string& file) { Put("FontFile", StringArg(file)); }
std::u16string AutoCadTextStyle::BigFontFile() const { return GetString("BigFontFile"); }
void AutoCadTextStyle::SetBigFontFile(const std::u16string& file) { Put("BigFontFile", StringArg(file)); }
int AutoCadTextStyle::TextGenerationFlag() const { return GetInt("TextGenerationFlag"); }
void AutoCadTextStyle::SetTextGenerationFlag(int flag) { Put("TextGenerationFlag", IntArg(flag)); }
double AutoCadTextStyle::Height() const { return GetDouble("Height"); }
void AutoCadTextStyle::SetHeight(double height) { Put("Height", DoubleArg(height)); }
double AutoCadTextStyle::Width() const { return GetDouble("Width"); }
void AutoCadTextStyle::SetWidth(double width) { Put("Width", DoubleArg(width)); }

void AutoCadTextStyle::SetFont(const std::u16string& typeface, bool bold, bool italic, int charset,
                               int pitchAndFamily) {
  Call("SetFont",
       ArgList(StringArg(typeface), BoolArg(bold), BoolArg(italic), IntArg(charset), IntArg(pitchAndFamily)));
}

AutoCadLayer::AutoCadLayer(std::shared_ptr<Session> session, IDispatch* object)
    : LateBound(std::move(session), object, u"AcadLayer") {}

std::u16string AutoCadLayer::Name() const { return GetString("Name"); }
bool AutoCadLayer::Freeze() const { return GetBool("Freeze"); }
void AutoCadLayer::SetFreeze(bool frozen) { Put("Freeze", BoolArg(frozen)); }
bool AutoCadLayer::Lock() const { return GetBool("Lock"); }
void AutoCadLayer::SetLock(bool locked) { Put("Lock", BoolArg(locked)); }

AutoCadDimStyle::AutoCadDimStyle(std::shared_ptr<Session> session, IDispatch* object)
    : LateBound(std::move(session), object, u"AcadDimStyle") {}

std::u16string AutoCadDimStyle::Name() const { return GetString("Name"); }

// --- Blocks and selection sets ---

AutoCadBlock::AutoCadBlock(std::shared_ptr<Session> session, IDispatch* object)
    : LateBound(std::move(session), object, u"AcadBlock") {}

std::u16string AutoCadBlock::Name() const { return GetString("Name"); }
bool AutoCadBlock::IsLayout() const { return GetBool("IsLayout"); }
int AutoCadBlock::Count() const { return GetInt("Count"); }

acad::EntityPtr AutoCadBlock::Item(int index) const {
  return AutoCadEntity::Wrap(SharedSession(), CallForObject("Item", ArgList(IntArg(index))));
}

acad::EntityPtr AutoCadBlock::AddText(const std::u16string& text, const acad::Point& insertion, double height) {
  return AutoCadEntity::Wrap(
      SharedSession(), CallForObject("AddText", ArgList(StringArg(text), PointArg(insertion), DoubleArg(height))));
}

acad::EntityPtr AutoCadBlock::AddMText(const acad::Point& insertion, double width, const std::u16string& text) {
  return AutoCadEntity::Wrap(
      SharedSession(), CallForObject("AddMText", ArgList(PointArg(insertion), DoubleArg(width), StringArg(text))));
}

acad::EntityPtr AutoCadBlock::AddSolid(const acad::Point& p1, const acad::Point& p2, const acad::Point& p3,
                                       const acad::Point& p4) {
  return AutoCadEntity::Wrap(
      SharedSession(), CallForObject("AddSolid", ArgList(PointArg(p1), PointArg(p2), PointArg(p3), PointArg(p4))));
}

AutoCadSelectionSet::AutoCadSelectionSet(std::shared_ptr<Session> session, IDispatch* object)
    : LateBound(std::move(session), object, u"AcadSelectionSet") {}

std::u16string AutoCadSelectionSet::Name() const { return GetString("Name"); }

void AutoCadSelectionSet::Select(int mode, const acad::Point& p1, const acad::Point& p2,
                                 const std::vector<std::int16_t>& filterTypes,
                                 const std::vector<acad::Value>& filterData) {
  Args args = ArgList(IntArg(mode), PointArg(p1), PointArg(p2));
  for (OwnedVariant& filter : Filters(filterTypes, filterData)) args.push_back(std::move(filter));
  Call("Select", std::move(args));
}

void AutoCadSelectionSet::SelectOnScreen(const std::vector<std::int16_t>& filterTypes,
                                         const std::vector<acad::Value>& filterData) {
  Call("SelectOnScreen", Filters(filterTypes, filterData));
}

int AutoCadSelectionSet::Count() const { return GetInt("Count"); }

acad::EntityPtr AutoCadSelectionSet::Item(int index) const {
  return AutoCadEntity::Wrap(SharedSession(), CallForObject("Item", ArgList(IntArg(index))));
}

void AutoCadSelectionSet::Erase() { Call("Erase"); }
void AutoCadSelectionSet::Delete() { Call("Delete"); }

}  // namespace zil::autocad
