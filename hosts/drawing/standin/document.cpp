#include "drawing/standin/document.h"

#include <algorithm>
#include <functional>
#include <utility>

#include "acad/error.h"
#include "drawing/dxf_error.h"
#include "drawing/dxf_file.h"
#include "drawing/entity_edit.h"
#include "drawing/header_view.h"
#include "drawing/standin/application.h"
#include "drawing/standin/entity.h"
#include "drawing/standin/host_window.h"
#include "drawing/standin/member_errors.h"
#include "drawing/standin/selection.h"
#include "drawing/standin/system_variables.h"
#include "drawing/standin/tables.h"
#include "drawing/table_views.h"
#include "drawing/tag_values.h"
#include "platform/ascii_case.h"
#include "textcore/utf8.h"

namespace zil::standin {
namespace {

[[noreturn]] void NoTableRecord(std::u16string_view name, const char* what) {
  throw acad::Error(std::string("The drawing has no ") + what + " named \"" + textcore::ToUtf8(name) + "\"");
}

std::u16string HeaderName(drawing::Drawing& d, std::string_view variable, std::u16string_view fallback) {
  const auto name = drawing::HeaderView(d).String(variable);
  return name && !name->empty() ? *name : std::u16string(fallback);
}

bool IsModelOrPaperBlock(std::u16string_view name) {
  return drawing::SameName(name, u"*Model_Space") || drawing::SameName(name, u"*Paper_Space") ||
         drawing::SameName(name, u"$MODEL_SPACE") || drawing::SameName(name, u"$PAPER_SPACE");
}

}  // namespace

StandInDocument::StandInDocument(std::weak_ptr<StandInApplication> application,
                                 std::unique_ptr<drawing::Drawing> drawing, std::filesystem::path file)
    : application_(std::move(application)), drawing_(std::move(drawing)), undo_(*drawing_), file_(std::move(file)) {
  IndexEntities();
}

StandInDocument::~StandInDocument() = default;

void StandInDocument::IndexEntities() {
  const auto index = [this](const drawing::Span& span) {
    for (const drawing::Record* r = span.head->Next(); r != nullptr && r != span.end; r = r->Next())
      entities_.push_back(r);
  };
  if (const drawing::Span* section = drawing_->FindSection("ENTITIES")) index(*section);
  for (const drawing::Span& block : drawing_->Blocks()) index(block);
  std::sort(entities_.begin(), entities_.end(), std::less<>());
  entities_.shrink_to_fit();
}

std::shared_ptr<StandInApplication> StandInDocument::Application() const {
  auto application = application_.lock();
  if (!application) throw acad::Error("The stand-in host's application is gone");
  return application;
}

// --- spaces and collections ---

int StandInDocument::ActiveSpace() const {
  const auto tilemode = drawing::HeaderView(*drawing_).Integer("$TILEMODE");
  return tilemode && *tilemode == 0 ? 0 : acad::kModelSpace;
}

std::shared_ptr<acad::Block> StandInDocument::ModelSpace() {
  WriteTextChanges();
  return AsAcadError([&] {
    return std::make_shared<StandInBlock>(shared_from_this(), drawing::ModelSpace(*drawing_), u"*Model_Space");
  });
}

std::shared_ptr<acad::Block> StandInDocument::PaperSpace() {
  WriteTextChanges();
  return AsAcadError([&] {
    return std::make_shared<StandInBlock>(shared_from_this(), drawing::PaperSpace(*drawing_), u"*Paper_Space");
  });
}

std::shared_ptr<acad::TextStyles> StandInDocument::TextStyles() {
  return std::make_shared<StandInTextStyles>(shared_from_this(), "STYLE");
}

std::shared_ptr<acad::Layers> StandInDocument::Layers() {
  return std::make_shared<StandInLayers>(shared_from_this(), "LAYER");
}

std::shared_ptr<acad::Blocks> StandInDocument::Blocks() { return std::make_shared<StandInBlocks>(shared_from_this()); }

std::shared_ptr<acad::DimStyles> StandInDocument::DimStyles() {
  return std::make_shared<StandInDimStyles>(shared_from_this(), "DIMSTYLE");
}

std::shared_ptr<acad::SelectionSets> StandInDocument::SelectionSets() {
  return std::make_shared<StandInSelectionSets>(shared_from_this());
}

std::shared_ptr<acad::Utility> StandInDocument::Utility() {
  return std::make_shared<StandInUtility>(shared_from_this());
}

// --- current layer and styles ---

std::shared_ptr<acad::Layer> StandInDocument::ActiveLayer() {
  WriteTextChanges();
  return Layers()->Item(HeaderName(*drawing_, "$CLAYER", u"0"));
}

void StandInDocument::SetActiveLayer(const std::shared_ptr<acad::Layer>& layer) {
  if (!layer) throw acad::Error("ActiveLayer: no layer was given");
  WriteSystemVariable(*this, u"CLAYER", layer->Name());
}

std::shared_ptr<acad::TextStyle> StandInDocument::ActiveTextStyle() {
  WriteTextChanges();
  return TextStyles()->Item(HeaderName(*drawing_, "$TEXTSTYLE", u"Standard"));
}

void StandInDocument::SetActiveTextStyle(const std::shared_ptr<acad::TextStyle>& style) {
  if (!style) throw acad::Error("ActiveTextStyle: no text style was given");
  WriteSystemVariable(*this, u"TEXTSTYLE", style->Name());
}

std::shared_ptr<acad::DimStyle> StandInDocument::ActiveDimStyle() {
  WriteTextChanges();
  return DimStyles()->Item(HeaderName(*drawing_, "$DIMSTYLE", u"Standard"));
}

void StandInDocument::SetActiveDimStyle(const std::shared_ptr<acad::DimStyle>& style) {
  WriteTextChanges();
  if (!style) throw acad::Error("ActiveDimStyle: no dimension style was given");
  const std::u16string name = style->Name();
  drawing::Record* record = drawing::FindTableRecord(*drawing_, "DIMSTYLE", name);
  if (!record) throw acad::Error("ActiveDimStyle: the drawing has no dimension style " + textcore::ToUtf8(name));
  const std::u16string textStyle = DimensionTextStyle(*drawing_, *record);
  UndoStack::Operation op(undo_);
  drawing::HeaderView header(*drawing_);
  header.SetString("$DIMSTYLE", 2, name);
  if (!textStyle.empty()) header.SetString("$DIMTXSTY", 7, textStyle);
}

// --- objects ---

acad::EntityPtr StandInDocument::HandleToObject(const std::u16string& handle) {
  WriteTextChanges();
  const auto value = drawing::ToHandle(textcore::ToUtf8(handle));
  drawing::Record* record = value && *value != 0 ? drawing_->FindByHandle(*value) : nullptr;
  if (record == nullptr || record->Erased()) {
    throw acad::Error("HandleToObject: no object of the drawing has the handle \"" + textcore::ToUtf8(handle) + "\"");
  }
  return Wrap(*record);
}

void StandInDocument::HoldTextChanges(StandInEntity& entity) {
  WriteTextChanges(&entity);
  textHolder_ = &entity;
}

void StandInDocument::WriteHeldTextChanges() { textHolder_->WriteTextChanges(); }

acad::EntityPtr StandInDocument::Wrap(drawing::Record& record) {
  return std::make_shared<StandInEntity>(shared_from_this(), record);
}

bool StandInDocument::IsEntity(const drawing::Record& record) const {
  return std::binary_search(entities_.begin(), entities_.end(), &record, std::less<>()) ||
         madeEntities_.count(&record) != 0;
}

void StandInDocument::NoteEntities(drawing::Record& entity) {
  for (const drawing::Record* r : drawing::EntityWithParts(entity)) madeEntities_.insert(r);
}

std::vector<drawing::Record*> StandInDocument::AllLayoutEntities() {
  WriteTextChanges();
  std::vector<drawing::Record*> all = drawing::ModelSpace(*drawing_).Entities();
  for (drawing::Record* r : drawing::PaperSpace(*drawing_).Entities()) all.push_back(r);
  for (const drawing::Space& space : drawing::BlockSpaces(*drawing_)) {
    if (!space.IsLayout() || IsModelOrPaperBlock(space.Name())) continue;
    for (drawing::Record* r : space.Entities()) all.push_back(r);
  }
  return all;
}

bool StandInDocument::OnLockedLayer(const drawing::Record& entity) {
  return LayerLocked(drawing::EntityView(*drawing_, const_cast<drawing::Record&>(entity)).LayerValue());
}

const StandInDocument::EncodedName& StandInDocument::Encoded(int code, std::u16string_view name) {
  if (!lastEncoded_ || lastEncoded_->code != code || lastEncoded_->name != name) {
    std::string encoded = drawing_->Encode(name);
    drawing::CheckValue(code, encoded);
    std::u16string shown = drawing_->Decode(encoded);
    lastEncoded_ = EncodedName{code, std::u16string(name), std::move(encoded), std::move(shown)};
  }
  return *lastEncoded_;
}

bool StandInDocument::LayerLocked(std::string_view name) {
  if (knownLayer_ && knownLayer_->name == name && knownLayer_->layer->Revision() == knownLayer_->revision)
    return knownLayer_->locked;
  const std::u16string layer = drawing_->Decode(name);
  const drawing::Record* record = drawing::FindTableRecord(*drawing_, "LAYER", layer.empty() ? u"0" : layer);
  if (!record) return false;
  const bool locked = drawing::LayerView(*drawing_, const_cast<drawing::Record&>(*record)).IsLocked();
  knownLayer_ = KnownLayer{std::string(name), record, record->Revision(), locked};
  return locked;
}

drawing::Record* StandInDocument::FindTextStyle(std::u16string_view name) {
  // Nothing changed since the last look (no record, none inserted or removed), or the table as it was:
  // the same records, each unchanged (a new name, erased, an undo: a new revision).
  const bool unchanged = styleNames_ && styleNames_->lastRevision == drawing_->LastRevision() &&
                         styleNames_->structure == undo_.StructureGeneration();
  if (!unchanged && !UpdateStyleNames()) return nullptr;
  auto& found = styleNames_->found;
  // std::equal compares the names' bytes at once; == would compare them unit by unit, in order.
  const auto known = std::find_if(found.begin(), found.end(), [&](const auto& f) {
    return std::equal(f.first.begin(), f.first.end(), name.begin(), name.end());
  });
  if (known != found.end()) return known->second;
  drawing::Record* style = drawing::FindTableRecord(*drawing_, "STYLE", name);
  constexpr std::size_t kNamesKept = 16;
  if (found.size() == kNamesKept) found.erase(found.begin());
  found.emplace_back(std::u16string(name), style);
  return style;
}

bool StandInDocument::UpdateStyleNames() {
  // The tables stay where the loader put them; only a record inserted or removed sends us looking again.
  const bool sameTables = styleNames_ && styleNames_->structure == undo_.StructureGeneration();
  const drawing::Span* table = sameTables ? styleNames_->table : drawing_->FindTable("STYLE");
  if (!table) {
    styleNames_.reset();
    return false;
  }
  const auto same = [&] {
    auto known = styleNames_->records.begin();
    for (const drawing::Record* r = table->head->Next(); r != nullptr && r != table->end; r = r->Next(), ++known)
      if (known == styleNames_->records.end() || known->first != r || known->second != r->Revision()) return false;
    return known == styleNames_->records.end();
  };
  if (!styleNames_ || !same()) {
    styleNames_.emplace();
    for (const drawing::Record* r = table->head->Next(); r != nullptr && r != table->end; r = r->Next())
      styleNames_->records.emplace_back(r, r->Revision());
  }
  styleNames_->table = table;
  styleNames_->lastRevision = drawing_->LastRevision();
  styleNames_->structure = undo_.StructureGeneration();
  return true;
}

bool StandInDocument::StyleDrawsRightToLeft(std::u16string_view styleName) {
  const auto application = application_.lock();
  if (!application || !application->KnowsFontDirections()) return false;
  drawing::Record* style = FindTextStyle(styleName);
  return style != nullptr && StyleDrawsRightToLeft(*application, *style);
}

bool StandInDocument::StyleDrawsRightToLeft(drawing::Record& style) {
  const auto application = application_.lock();
  return application && application->KnowsFontDirections() && StyleDrawsRightToLeft(*application, style);
}

bool StandInDocument::StyleDrawsRightToLeft(const StandInApplication& application, drawing::Record& record) {
  drawing::Record* style = &record;
  const auto known =
      std::find_if(knownStyles_.begin(), knownStyles_.end(), [style](const KnownStyle& k) { return k.style == style; });
  if (known != knownStyles_.end() && known->revision == style->Revision() &&
      known->fontDirections == application.FontDirections())
    return known->rightToLeft;
  const drawing::StyleView view(*drawing_, *style);
  const std::u16string font = view.FontFileAsNamed();
  const KnownStyle now{style, style->Revision(), application.FontDirections(),
                       application.DrawsRightToLeft(font.empty() ? view.BigFontFile() : font)};
  constexpr std::size_t kStylesKept = 8;
  if (known != knownStyles_.end()) {
    *known = now;
  } else {
    if (knownStyles_.size() == kStylesKept) knownStyles_.erase(knownStyles_.begin());
    knownStyles_.push_back(now);
  }
  return now.rightToLeft;
}

void StandInDocument::RequireTableRecord(std::string_view table, std::u16string_view name, const char* what) {
  if (table == "STYLE") {
    RequireTextStyle(name);
    return;
  }
  if (!drawing::FindTableRecord(*drawing_, table, name)) NoTableRecord(name, what);
}

drawing::Record& StandInDocument::RequireTextStyle(std::u16string_view name) {
  drawing::Record* style = FindTextStyle(name);
  if (!style) NoTableRecord(name, "text style");
  return *style;
}

void StandInDocument::SetHighlight(const drawing::Record& entity, bool on) {
  const bool changed = on ? highlighted_.insert(&entity).second : highlighted_.erase(&entity) != 0;
  if (changed && !observers_.empty()) highlightChanged_.push_back(const_cast<drawing::Record*>(&entity));
}

bool StandInDocument::Highlighted(const drawing::Record& entity) const { return highlighted_.count(&entity) != 0; }

// --- observers ---

void StandInDocument::AddObserver(ChangeObserver* observer) {
  observers_.push_back(observer);
  undo_.TrackChanges(true);
}

void StandInDocument::RemoveObserver(ChangeObserver* observer) {
  std::erase(observers_, observer);
  if (!observers_.empty()) return;
  undo_.TrackChanges(false);
  highlightChanged_.clear();
}

void StandInDocument::TellObservers() {
  WriteTextChanges();
  if (observers_.empty()) return;
  std::vector<drawing::Record*> records = undo_.TakeTouched();
  for (drawing::Record* r : std::exchange(highlightChanged_, {}))
    if (std::find(records.begin(), records.end(), r) == records.end()) records.push_back(r);
  if (records.empty()) return;
  // An observer may go away while it is told.
  const std::vector<ChangeObserver*> observers = observers_;
  for (ChangeObserver* observer : observers)
    if (std::find(observers_.begin(), observers_.end(), observer) != observers_.end())
      observer->RecordsChanged(*this, records);
}

// --- variables, view, undo, commands ---

acad::Value StandInDocument::GetVariable(const std::u16string& name) { return ReadSystemVariable(*this, name); }

void StandInDocument::SetVariable(const std::u16string& name, const acad::Value& value) {
  WriteSystemVariable(*this, name, value);
}

View StandInDocument::CurrentView() {
  if (const auto application = application_.lock(); application && application->Window()) {
    if (auto shown = application->Window()->ShownView(*this)) return *shown;
  }
  return ReadView(*this);
}

void StandInDocument::SetView(const View& view) { WriteView(*this, view); }

void StandInDocument::StartUndoMark() { Undo().StartMark(); }

void StandInDocument::EndUndoMark() { Undo().EndMark(); }

void StandInDocument::SendCommand(const std::u16string& text) {
  WriteTextChanges();
  Application()->QueueCommand(shared_from_this(), text);
}

void StandInDocument::Regen(int which) {
  if (which != 0 && which != 1) {
    throw acad::Error("Regen: " + std::to_string(which) + " is neither 0 (the active viewport) nor 1 (all viewports)");
  }
  TellObservers();
}

// --- files ---

// Changes of a text not yet written are changes too.
bool StandInDocument::Saved() const { return !undo_.Modified() && textHolder_ == nullptr; }

void StandInDocument::WriteTo(const std::filesystem::path& file) {
  WriteTextChanges();
  const std::string extension = LowerAscii(file.extension().string());
  if (extension == ".dwg") {
    throw acad::Error("The stand-in host writes DXF drawings only; " + file.string() + " names a DWG file");
  }
  if (Application()->IsProtected(file)) {
    throw acad::Error("The drawing " + file.string() + " is open for reading only and is not written over");
  }
  AsAcadError([&] { drawing::SaveDxfFile(*drawing_, file.string()); });
}

void StandInDocument::Save() {
  WriteTo(file_);
  undo_.MarkSaved();
}

void StandInDocument::SaveAs(const std::u16string& fileName) {
  if (fileName.empty()) throw acad::Error("SaveAs: no file name was given");
  const std::filesystem::path file = std::filesystem::absolute(std::filesystem::path(textcore::ToUtf8(fileName)));
  WriteTo(file);
  file_ = file;
  undo_.MarkSaved();
}

std::u16string StandInDocument::Path() const { return textcore::FromUtf8(file_.parent_path().string()); }

std::u16string StandInDocument::Name() const { return textcore::FromUtf8(file_.filename().string()); }

}  // namespace zil::standin
