// One drawing open in the stand-in host: the acad::Document over a DXF drawing, with its undo steps,
// selection sets and highlighted entities. Semantics the add-in relies on, as AutoCAD's:
// - ActiveSpace is 1 (model space) unless $TILEMODE is 0 (a layout: paper space). New entities of
//   ModelSpace and PaperSpace are written to the ENTITIES section, those of paper space with group 67.
// - ActiveLayer, ActiveTextStyle and ActiveDimStyle are $CLAYER, $TEXTSTYLE and $DIMSTYLE; a name the
//   table does not hold makes the read fail. Setting the active dimension style also sets $DIMTXSTY to
//   the style's text style, as making a dimension style current does. A frozen layer cannot be current.
// - HandleToObject fails for a handle no live object has.
// - Undo marks, "U" and the steps of member calls: undo_stack.h. SendCommand only queues its text with the
//   application, which runs it after the automation call has returned (application.h).
// - System variables: system_variables.h.
// - Saved is false after any change (an undo included) until Save or SaveAs. Save writes the file the
//   document is named by; SaveAs writes another and names the document by it. Both write ASCII DXF
//   (atomically): a name ending in ".dwg" is refused, and so is a file the application protects (a drawing
//   opened for reading only).
// - Regen has nothing to regenerate (the host computes geometry when asked): it checks its argument and
//   tells the observers what changed.
//
// Observers: a host that shows the drawing is told which records changed (entities, their parts, table
// records, the header: every record a change, an undo or a redo touched, erased and removed ones
// included, and the entities whose highlight changed), after each Update of an entity or of the
// application, each Regen and each command the application runs, and whenever the host asks with
// TellObservers (after each automation call it makes). Records are tracked only while the document has an
// observer.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "acad/application.h"
#include "drawing/drawing.h"
#include "drawing/spaces.h"
#include "drawing/standin/undo_stack.h"

namespace zil::standin {

class StandInApplication;
class StandInDocument;
class StandInEntity;
class StandInSelectionSet;

// What a view shows: its centre and its height in drawing units.
struct View {
  acad::Point center;
  double height = 0;
};

class ChangeObserver {
 public:
  virtual ~ChangeObserver() = default;
  // `records` changed since the observers were last told (see above), in the order first touched.
  virtual void RecordsChanged(StandInDocument& document, const std::vector<drawing::Record*>& records) = 0;
};

class StandInDocument final : public acad::Document, public std::enable_shared_from_this<StandInDocument> {
 public:
  StandInDocument(std::weak_ptr<StandInApplication> application, std::unique_ptr<drawing::Drawing> drawing,
                  std::filesystem::path file);
  ~StandInDocument() override;

  // acad::Document
  int ActiveSpace() const override;
  std::shared_ptr<acad::Block> ModelSpace() override;
  std::shared_ptr<acad::Block> PaperSpace() override;
  std::shared_ptr<acad::TextStyles> TextStyles() override;
  std::shared_ptr<acad::Layers> Layers() override;
  std::shared_ptr<acad::Blocks> Blocks() override;
  std::shared_ptr<acad::DimStyles> DimStyles() override;
  std::shared_ptr<acad::SelectionSets> SelectionSets() override;
  std::shared_ptr<acad::Utility> Utility() override;
  std::shared_ptr<acad::Layer> ActiveLayer() override;
  void SetActiveLayer(const std::shared_ptr<acad::Layer>& layer) override;
  std::shared_ptr<acad::TextStyle> ActiveTextStyle() override;
  void SetActiveTextStyle(const std::shared_ptr<acad::TextStyle>& style) override;
  std::shared_ptr<acad::DimStyle> ActiveDimStyle() override;
  void SetActiveDimStyle(const std::shared_ptr<acad::DimStyle>& style) override;
  acad::EntityPtr HandleToObject(const std::u16string& handle) override;
  acad::Value GetVariable(const std::u16string& name) override;
  void SetVariable(const std::u16string& name, const acad::Value& value) override;
  void StartUndoMark() override;
  void EndUndoMark() override;
  void SendCommand(const std::u16string& text) override;
  void Regen(int which) override;
  bool Saved() const override;
  void Save() override;
  void SaveAs(const std::u16string& fileName) override;
  std::u16string Path() const override;
  std::u16string Name() const override;

  // --- for the stand-in's objects and the host ---
  // The drawing and its undo steps, with every change of a text made so far written to its record.
  drawing::Drawing& Dwg() {
    WriteTextChanges();
    return *drawing_;
  }
  UndoStack& Undo() {
    WriteTextChanges();
    return undo_;
  }

  // Changes of a text written later. While the undo keeps no history (a batch), a text object keeps the
  // changes its members make and writes them to its record as one change when anything else may read
  // the record: before the document, the drawing or the undo steps are used by anyone but that object
  // (the accessors above, the members of the document that read the drawing or change it, saving and
  // telling the observers included), before a member of another object, and when
  // the object goes. The record then holds what writing each change at once would have written. The
  // document knows the one object that holds such changes. A change made inside a running operation (a
  // command) is written at once, so that the operation's failure takes it back.
  bool DefersTextWrites() const noexcept { return !undo_.KeepsHistory() && !undo_.InOperation(); }
  // `entity` holds changes from now on; those another object holds are written first.
  void HoldTextChanges(StandInEntity& entity);
  // `entity` holds no changes any more.
  void TextChangesWritten(const StandInEntity& entity) noexcept {
    if (textHolder_ == &entity) textHolder_ = nullptr;
  }
  // Writes the changes an object other than `besides` holds.
  void WriteTextChanges(const StandInEntity* besides = nullptr) {
    if (textHolder_ != nullptr && textHolder_ != besides) WriteHeldTextChanges();
  }
  // Lets go of the tags made from an unchanged record's bytes (Drawing::ReleaseTags).
  void ReleaseTags(drawing::Record& record) noexcept { drawing_->ReleaseTags(record); }
  // The drawing and the undo steps for the members of `entity`, which keeps its own changes in view.
  drawing::Drawing& DrawingFor(const StandInEntity& entity) {
    WriteTextChanges(&entity);
    return *drawing_;
  }
  UndoStack& UndoFor(const StandInEntity& entity) {
    WriteTextChanges(&entity);
    return undo_;
  }
  const std::filesystem::path& File() const noexcept { return file_; }
  // The application; throws acad::Error when it is gone.
  std::shared_ptr<StandInApplication> Application() const;

  // The object for a record, of the kind its type gives.
  acad::EntityPtr Wrap(drawing::Record& record);
  // True for records that are entities (in the ENTITIES section or a block definition).
  bool IsEntity(const drawing::Record& record) const;
  // Records the host made that are entities (new entities and copies, with their parts).
  void NoteEntities(drawing::Record& entity);
  // Every live entity of model space and of every layout, without sub-entities, in file order.
  std::vector<drawing::Record*> AllLayoutEntities();
  // True when the entity's layer is locked.
  bool OnLockedLayer(const drawing::Record& entity);
  // The text style of that name (drawing::FindTableRecord), nullptr when the drawing has none; the
  // answers are remembered while the style table stays as it was (a walk asks for every text).
  drawing::Record* FindTextStyle(std::u16string_view name);
  // True when the text style of that name has a font that draws right to left (application.h).
  bool StyleDrawsRightToLeft(std::u16string_view styleName);
  // The same of a style FindTextStyle found.
  bool StyleDrawsRightToLeft(drawing::Record& style);
  // True when the layer an entity names (group 8 as written, empty when it has none) is locked.
  bool LayerLocked(std::string_view layerValue);
  // Where the drawing stands: its last revision and the undo's count of records inserted and removed. While
  // it stays the same, no record changed, came or went.
  struct DrawingState {
    std::uint64_t lastRevision = 0;
    unsigned long structure = 0;
    bool operator==(const DrawingState&) const = default;
  };
  DrawingState State() const noexcept { return {drawing_->LastRevision(), undo_.StructureGeneration()}; }
  // A name as the drawing encodes it (Drawing::Encode) for the value of group `code`, checked as one
  // (drawing::CheckValue: a DxfError when it cannot be), and as that reads back (Decode); the last one
  // asked is remembered: a batch gives many texts the same style.
  struct EncodedName {
    int code = 0;
    std::u16string name;
    std::string encoded;
    std::u16string shown;
  };
  const EncodedName& Encoded(int code, std::u16string_view name);
  // Throws acad::Error when the table has no record of that name.
  void RequireTableRecord(std::string_view table, std::u16string_view name, const char* what);
  // The text style of that name (FindTextStyle); acad::Error, as RequireTableRecord's, when there is none.
  drawing::Record& RequireTextStyle(std::u16string_view name);

  void SetHighlight(const drawing::Record& entity, bool on);
  bool Highlighted(const drawing::Record& entity) const;

  // Observers (see above); each must outlive its registration.
  void AddObserver(ChangeObserver* observer);
  void RemoveObserver(ChangeObserver* observer);
  // Tells the observers which records changed since they were last told; nothing when none did.
  void TellObservers();

  // The view of the active space (the one the host's window shows, else the drawing's), and changing the
  // drawing's (ZoomCenter): system_variables.h.
  View CurrentView();
  void SetView(const View& view);
  // The view of a drawing that keeps none.
  std::optional<View>& OwnView() noexcept { return ownView_; }

  // The selection sets (kept by the document, not in the drawing).
  std::vector<std::shared_ptr<StandInSelectionSet>>& Sets() noexcept { return sets_; }

  // Writes the drawing to `file` (see Save above); the document keeps its name.
  void WriteTo(const std::filesystem::path& file);

 private:
  void IndexEntities();
  void WriteHeldTextChanges();
  // Brings FindTextStyle's answers in line with the style table; false when the drawing has none.
  bool UpdateStyleNames();

  std::weak_ptr<StandInApplication> application_;
  std::unique_ptr<drawing::Drawing> drawing_;
  UndoStack undo_;
  std::filesystem::path file_;
  // The entities of the file, sorted by address (a set of every entity of a large drawing would weigh
  // several times more), and those the host made since.
  std::vector<const drawing::Record*> entities_;
  std::unordered_set<const drawing::Record*> madeEntities_;
  std::unordered_set<const drawing::Record*> highlighted_;
  std::vector<std::shared_ptr<StandInSelectionSet>> sets_;
  std::vector<ChangeObserver*> observers_;
  std::vector<drawing::Record*> highlightChanged_;  // since the observers were last told
  StandInEntity* textHolder_ = nullptr;             // the object holding changes of a text
  std::optional<View> ownView_;                     // the view of a drawing that keeps none
  // The layer last asked about by OnLockedLayer, while its record stays as it was: a walk asks for
  // every entity, mostly of the same layer.
  struct KnownLayer {
    std::string name;  // as the entities write it
    const drawing::Record* layer = nullptr;
    std::uint64_t revision = 0;
    bool locked = false;
  };
  std::optional<KnownLayer> knownLayer_;
  // StyleDrawsRightToLeft of a style, for an application that knows the fonts' directions.
  bool StyleDrawsRightToLeft(const StandInApplication& application, drawing::Record& style);
  // The text styles last asked about by StyleDrawsRightToLeft, while their records and the application's
  // font directions stay as they were: a walk asks for every text, mostly of a few styles.
  struct KnownStyle {
    const drawing::Record* style = nullptr;
    std::uint64_t revision = 0;
    std::uint64_t fontDirections = 0;
    bool rightToLeft = false;
  };
  std::vector<KnownStyle> knownStyles_;
  // FindTextStyle's answers, and the style table they hold for: its records (erased ones included) and
  // their revisions, as of the drawing's last revision and the undo's count of records inserted and
  // removed.
  struct StyleNames {
    std::uint64_t lastRevision = 0;
    unsigned long structure = 0;
    std::vector<std::pair<const drawing::Record*, std::uint64_t>> records;
    std::vector<std::pair<std::u16string, drawing::Record*>> found;
    const drawing::Span* table = nullptr;  // the style table's span
  };
  std::optional<StyleNames> styleNames_;
  std::optional<EncodedName> lastEncoded_;
};

}  // namespace zil::standin
