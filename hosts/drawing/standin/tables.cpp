#include "drawing/standin/tables.h"

#include <cmath>

#include "acad/error.h"
#include "drawing/dxf_error.h"
#include "drawing/header_view.h"
#include "drawing/new_entities.h"
#include "drawing/new_table_records.h"
#include "drawing/standin/document.h"
#include "drawing/standin/member_errors.h"
#include "drawing/table_views.h"
#include "textcore/utf8.h"

namespace zil::standin {
namespace {

drawing::Record& Alive(drawing::Record& record, const char* what) {
  if (record.Erased()) throw acad::Error(std::string("The ") + what + " was erased (taken back by an undo)");
  return record;
}

bool IsModelOrPaperBlock(std::u16string_view name) {
  return drawing::SameName(name, u"*Model_Space") || drawing::SameName(name, u"*Paper_Space") ||
         drawing::SameName(name, u"$MODEL_SPACE") || drawing::SameName(name, u"$PAPER_SPACE");
}

}  // namespace

// --- text styles ---

StandInTextStyle::StandInTextStyle(std::shared_ptr<StandInDocument> document, drawing::Record& record)
    : document_(std::move(document)), record_(record) {}

drawing::Record& StandInTextStyle::Live() const { return Alive(record_, "text style"); }

std::u16string StandInTextStyle::Name() const { return drawing::StyleView(document_->Dwg(), Live()).Name(); }
std::u16string StandInTextStyle::FontFile() const {
  return drawing::StyleView(document_->Dwg(), Live()).FontFileAsNamed();
}
std::u16string StandInTextStyle::BigFontFile() const {
  return drawing::StyleView(document_->Dwg(), Live()).BigFontFile();
}
int StandInTextStyle::TextGenerationFlag() const {
  return drawing::StyleView(document_->Dwg(), Live()).GenerationFlags();
}
double StandInTextStyle::Height() const { return drawing::StyleView(document_->Dwg(), Live()).FixedHeight(); }
double StandInTextStyle::Width() const { return drawing::StyleView(document_->Dwg(), Live()).WidthFactor(); }

void StandInTextStyle::SetFontFile(const std::u16string& file) {
  UndoStack::Operation op(document_->Undo());
  drawing::StyleView(document_->Dwg(), Live()).SetFontFile(file);
}

void StandInTextStyle::SetBigFontFile(const std::u16string& file) {
  UndoStack::Operation op(document_->Undo());
  drawing::StyleView(document_->Dwg(), Live()).SetBigFontFile(file);
}

void StandInTextStyle::SetTextGenerationFlag(int flag) {
  if ((flag & ~6) != 0) {
    throw acad::Error("TextGenerationFlag: " + std::to_string(flag) + " is not 0, 2 (backward), 4 (upside down) or 6");
  }
  UndoStack::Operation op(document_->Undo());
  drawing::StyleView view(document_->Dwg(), Live());
  view.SetGenerationFlags((view.GenerationFlags() & ~6) | flag);
}

void StandInTextStyle::SetHeight(double height) {
  if (!(height >= 0)) throw acad::Error("Height: a text style's height cannot be below 0");
  UndoStack::Operation op(document_->Undo());
  drawing::StyleView(document_->Dwg(), Live()).SetFixedHeight(height);
}

void StandInTextStyle::SetWidth(double width) {
  if (!(width > 0)) throw acad::Error("Width: a width factor must be above 0");
  UndoStack::Operation op(document_->Undo());
  drawing::StyleView(document_->Dwg(), Live()).SetWidthFactor(width);
}

void StandInTextStyle::SetFont(const std::u16string& typeface, bool bold, bool italic, int charset,
                               int pitchAndFamily) {
  if (typeface.empty()) throw acad::Error("SetFont: the typeface name is empty");
  if (charset < 0 || charset > 255 || pitchAndFamily < 0 || pitchAndFamily > 255)
    throw acad::Error("SetFont: the character set and the pitch and family are 0 to 255");
  const long long flags = pitchAndFamily + charset * 256LL + (italic ? 0x1000000LL : 0) + (bold ? 0x2000000LL : 0);
  UndoStack::Operation op(document_->Undo());
  drawing::StyleView(document_->Dwg(), Live()).SetTrueTypeFont(typeface, flags);
}

// --- layers ---

StandInLayer::StandInLayer(std::shared_ptr<StandInDocument> document, drawing::Record& record)
    : document_(std::move(document)), record_(record) {}

drawing::Record& StandInLayer::Live() const { return Alive(record_, "layer"); }

std::u16string StandInLayer::Name() const { return drawing::LayerView(document_->Dwg(), Live()).Name(); }
bool StandInLayer::Freeze() const { return drawing::LayerView(document_->Dwg(), Live()).IsFrozen(); }
bool StandInLayer::Lock() const { return drawing::LayerView(document_->Dwg(), Live()).IsLocked(); }

void StandInLayer::SetFreeze(bool frozen) {
  drawing::LayerView view(document_->Dwg(), Live());
  if (frozen) {
    const std::u16string current = drawing::HeaderView(document_->Dwg()).String("$CLAYER").value_or(u"0");
    if (drawing::SameName(current, view.Name()))
      throw acad::Error("The layer " + textcore::ToUtf8(view.Name()) + " is the current layer and cannot be frozen");
  }
  UndoStack::Operation op(document_->Undo());
  view.SetFrozen(frozen);
}

void StandInLayer::SetLock(bool locked) {
  UndoStack::Operation op(document_->Undo());
  drawing::LayerView(document_->Dwg(), Live()).SetLocked(locked);
}

// --- dimension styles ---

StandInDimStyle::StandInDimStyle(std::shared_ptr<StandInDocument> document, drawing::Record& record)
    : document_(std::move(document)), record_(record) {}

std::u16string StandInDimStyle::Name() const {
  return drawing::DimStyleView(document_->Dwg(), Alive(record_, "dimension style")).Name();
}

// --- collections of table records ---

template <typename T>
std::vector<drawing::Record*> TableCollection<T>::Records() const {
  std::vector<drawing::Record*> records = drawing::TableRecords(document_->Dwg(), table_);
  if (table_ == "STYLE") {
    std::erase_if(records,
                  [this](drawing::Record* r) { return drawing::StyleView(document_->Dwg(), *r).IsShapeFile(); });
  }
  return records;
}

template <typename T>
std::shared_ptr<T> TableCollection<T>::Make(drawing::Record& record) const {
  if constexpr (std::is_same_v<T, acad::TextStyle>) return std::make_shared<StandInTextStyle>(document_, record);
  if constexpr (std::is_same_v<T, acad::Layer>) return std::make_shared<StandInLayer>(document_, record);
  if constexpr (std::is_same_v<T, acad::DimStyle>) return std::make_shared<StandInDimStyle>(document_, record);
}

template <typename T>
int TableCollection<T>::Count() const {
  return static_cast<int>(Records().size());
}

template <typename T>
std::shared_ptr<T> TableCollection<T>::Item(int index) const {
  const auto records = Records();
  if (index < 0 || static_cast<std::size_t>(index) >= records.size()) {
    throw acad::Error("Item: the index " + std::to_string(index) + " is not 0 to " +
                      std::to_string(static_cast<long>(records.size()) - 1) + " in the " + table_ + " table");
  }
  return Make(*records[static_cast<std::size_t>(index)]);
}

template <typename T>
std::shared_ptr<T> TableCollection<T>::Item(const std::u16string& name) const {
  for (drawing::Record* r : Records()) {
    const drawing::Tag* tag = r->Find(2);
    if (tag && drawing::SameName(document_->Dwg().Decode(tag->value), name)) return Make(*r);
  }
  throw acad::Error("Item: the " + table_ + " table has no record named \"" + textcore::ToUtf8(name) + "\"");
}

template <typename T>
std::shared_ptr<T> TableCollection<T>::Add(const std::u16string& name) {
  if (drawing::Record* existing = drawing::FindTableRecord(document_->Dwg(), table_, name)) return Make(*existing);
  if (name.empty()) throw acad::Error("Add: a name is needed");
  UndoStack::Operation op(document_->Undo());
  return AsAcadError([&]() -> std::shared_ptr<T> {
    if constexpr (std::is_same_v<T, acad::TextStyle>) return Make(drawing::AddTextStyle(document_->Dwg(), name));
    if constexpr (std::is_same_v<T, acad::Layer>) return Make(drawing::AddLayer(document_->Dwg(), name));
    if constexpr (std::is_same_v<T, acad::DimStyle>) {
      throw acad::Error("Add: the stand-in host does not make dimension styles");
    }
  });
}

template class TableCollection<acad::TextStyle>;
template class TableCollection<acad::Layer>;
template class TableCollection<acad::DimStyle>;

// --- blocks ---

StandInBlock::StandInBlock(std::shared_ptr<StandInDocument> document, drawing::Space space, std::u16string name)
    : document_(std::move(document)), space_(std::move(space)), name_(std::move(name)) {}

bool StandInBlock::IsLayout() const { return space_.IsLayout(); }

const std::vector<drawing::Record*>& StandInBlock::Entities() const {
  const unsigned long generation = document_->Undo().StructureGeneration();
  if (generation != generation_) {
    entities_ = space_.Entities();
    generation_ = generation;
  }
  return entities_;
}

int StandInBlock::Count() const { return static_cast<int>(Entities().size()); }

acad::EntityPtr StandInBlock::Item(int index) const {
  const auto& entities = Entities();
  if (index < 0 || static_cast<std::size_t>(index) >= entities.size()) {
    throw acad::Error("Item: the index " + std::to_string(index) + " is not 0 to " +
                      std::to_string(static_cast<long>(entities.size()) - 1) + " in " + textcore::ToUtf8(name_));
  }
  return document_->Wrap(*entities[static_cast<std::size_t>(index)]);
}

acad::EntityPtr StandInBlock::AddText(const std::u16string& text, const acad::Point& insertion, double height) {
  if (!(height > 0) || !std::isfinite(height)) throw acad::Error("AddText: a height must be above 0");
  RequireFinite(insertion, "AddText");
  UndoStack::Operation op(document_->Undo());
  return AsAcadError([&] {
    drawing::Record& r = drawing::AddText(document_->Dwg(), space_, text, insertion, height);
    document_->NoteEntities(r);
    return document_->Wrap(r);
  });
}

acad::EntityPtr StandInBlock::AddMText(const acad::Point& insertion, double width, const std::u16string& text) {
  if (!(width >= 0) || !std::isfinite(width)) throw acad::Error("AddMText: a width cannot be below 0");
  RequireFinite(insertion, "AddMText");
  UndoStack::Operation op(document_->Undo());
  return AsAcadError([&] {
    drawing::Record& r = drawing::AddMText(document_->Dwg(), space_, insertion, width, text);
    document_->NoteEntities(r);
    return document_->Wrap(r);
  });
}

acad::EntityPtr StandInBlock::AddSolid(const acad::Point& p1, const acad::Point& p2, const acad::Point& p3,
                                       const acad::Point& p4) {
  for (const acad::Point* p : {&p1, &p2, &p3, &p4}) RequireFinite(*p, "AddSolid");
  UndoStack::Operation op(document_->Undo());
  return AsAcadError([&] {
    drawing::Record& r = drawing::AddSolid(document_->Dwg(), space_, {p1, p2, p3, p4});
    document_->NoteEntities(r);
    return document_->Wrap(r);
  });
}

std::vector<std::shared_ptr<acad::Block>> StandInBlocks::All() const {
  std::vector<std::shared_ptr<acad::Block>> blocks;
  blocks.push_back(document_->ModelSpace());
  blocks.push_back(document_->PaperSpace());
  for (drawing::Space& space : drawing::BlockSpaces(document_->Dwg())) {
    if (IsModelOrPaperBlock(space.Name())) continue;
    std::u16string name = space.Name();
    blocks.push_back(std::make_shared<StandInBlock>(document_, std::move(space), std::move(name)));
  }
  return blocks;
}

int StandInBlocks::Count() const { return static_cast<int>(All().size()); }

std::shared_ptr<acad::Block> StandInBlocks::Item(int index) const {
  const auto blocks = All();
  if (index < 0 || static_cast<std::size_t>(index) >= blocks.size()) {
    throw acad::Error("Item: the index " + std::to_string(index) + " is not 0 to " +
                      std::to_string(static_cast<long>(blocks.size()) - 1) + " among the blocks");
  }
  return blocks[static_cast<std::size_t>(index)];
}

std::shared_ptr<acad::Block> StandInBlocks::Item(const std::u16string& name) const {
  for (const auto& block : All())
    if (drawing::SameName(block->Name(), name)) return block;
  throw acad::Error("Item: the drawing has no block named \"" + textcore::ToUtf8(name) + "\"");
}

std::shared_ptr<acad::Block> StandInBlocks::Add(const std::u16string& name) {
  for (const auto& block : All())
    if (drawing::SameName(block->Name(), name)) return block;
  throw acad::Error("Add: the stand-in host does not make block definitions (\"" + textcore::ToUtf8(name) + "\")");
}

}  // namespace zil::standin
