// What the attribute grid does to the drawing, without its widgets: one opening of the grid on the
// attributes of a block reference, or on the tag, prompt and default value of one attribute definition.
// The form (dialogs/tfrm_grid.h) shows the rows this reads and calls it from its event handlers.
//
// Each attribute is read under its own text style's font type and backwards flag (the attribute's own
// text generation flag; for a definition its style's), which the row keeps: its value shows in edit form,
// and is written back under that row's state, whatever row was read or written last. For a block the
// rows carry the prompts of the block definition (the later of two definitions of a tag decides; a tag
// without one, or with an empty prompt, shows itself), the width factor of each attribute, and the pick
// lists of the block's defaults document (pick_list.h), whose rows are marked.
//
// Writing, at OK:
//   - Only what the user changed is written: a value that was not edited keeps the very string the
//     drawing holds (the conversions do not give every drawing string back unchanged), and a width factor
//     that was not changed is not written, so an unchanged block or definition stays byte for byte as it
//     was.
//   - A changed value is written in the drawing form of its row's font type. A value emptied that had text
//     becomes one space (the attribute keeps a text); for a definition too, whose emptied default would
//     otherwise be dropped silently.
//   - A row's width factor is written with its changed value or on its own, not for an emptied value.
//   - All of it is one undo step, between marks opened and closed here (nothing is marked when nothing
//     changed). When a write fails part way, the marks are closed, "U " is sent to take back what was
//     written, and the error goes on to the caller: the drawing is left as it was.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "acad/host_state.h"
#include "attributes/attribute_rows.h"
#include "attributes/pick_list.h"
#include "config/font_definitions.h"
#include "library/tdb.h"
#include "platform/registry.h"

namespace zil::attributes {

inline constexpr int kTagColumn = 0;
inline constexpr int kPromptColumn = 1;
inline constexpr int kValueColumn = 2;
inline constexpr int kColumnCount = 3;

// The warning for a block reference without attributes.
inline constexpr std::u16string_view kNoAttributes = u"Block without Attributes.";

enum class GridKind { None, BlockReference, AttributeDefinition };

struct GridRow {
  std::u16string tag;     // column 0
  std::u16string prompt;  // column 1
  std::u16string value;   // column 2, in edit form
  bool marked = false;    // the tag cell is yellow: the row has a pick list
  bool editable = false;  // the value cell takes typing
};

// A width factor as the grid shows it: in the user's number format, as few digits as give it back.
std::u16string FormatWidthFactor(double factor);
// The width factor of a text the user typed: 1 for a text that is not a number above 0 (the drawing takes
// no other).
double ParseWidthFactor(std::u16string_view text);

class AttributeGrid final : public AttributeRows {
 public:
  AttributeGrid(acad::HostState& host, config::FontDefinitions& fonts, library::Tdb& db,
                const platform::Registry& registry);

  // Reads the attribute definition `handle` names into three rows: an empty one, one with the column
  // names, and its tag, prompt and default value, of which only the value can be edited.
  void ReadAttributeDefinition(std::u16string_view handle);
  // Reads the block reference `handle` names: its defaults document, then one row per attribute. False,
  // with nothing read, when it has no attributes. A defaults document that is not valid JSON fails.
  bool ReadBlockAttributes(std::u16string_view handle);

  GridKind Kind() const { return kind_; }
  // The line naming the block, or the definition's style and font.
  const std::u16string& lblName() const { return lblName_; }
  const std::vector<GridRow>& Rows() const { return rows_; }
  // The row the grid selects when it shows: the first attribute, or the definition's value.
  int StartRow() const;

  // The grid's rows (AttributeRows, for the pick list).
  int RowCount() const override { return static_cast<int>(rows_.size()); }
  std::u16string Tag(int row) const override { return At(row).tag; }
  std::u16string Value(int row) const override { return At(row).value; }
  void SetValue(int row, std::u16string_view value) override;
  bool Marked(int row) const override { return At(row).marked; }

  // The selection moved to `row` (nothing happens for a row outside the grid).
  void SelectRow(int row);
  int SelectedRow() const { return selected_; }
  // The width factor to show for the selected row, which the user may have changed already; nothing for
  // a definition, which has none.
  std::optional<std::u16string> SelectedWidthFactor() const;
  // Shows the pick list for the selected row, or hides it. An entry that cannot be a pick list throws
  // (the list stays hidden).
  void ShowPickList();
  // The width-factor box was edited: the selected row's factor, when a block's row is selected.
  void SetWidthFactor(std::u16string_view text);
  double sfactor(int row) const { return sfactor_.at(static_cast<std::size_t>(row)); }

  const PickList& Picks() const { return picks_; }
  // The user picked item `index` of the pick list (-1: typed `text` instead).
  void ApplyPick(int index, std::u16string_view text);

  // Writes what the user changed (see above).
  void Write();

 private:
  struct FontState {
    fntType type = DosHebrew;
    bool backwards = false;
  };
  // One write to the drawing.
  struct Change {
    acad::EntityPtr entity;
    std::optional<double> factor;
    std::optional<std::u16string> text;
  };

  const GridRow& At(int row) const { return rows_.at(static_cast<std::size_t>(row)); }
  acad::Document& Doc() const;
  // Makes the named style current and classifies its font for `value`; the state the row keeps.
  FontState UseStyle(const std::u16string& styleName, std::optional<bool> backwards, std::u16string_view value);
  std::u16string ToDrawing(std::size_t row, std::u16string_view value);
  std::vector<Change> Changes();

  acad::HostState& host_;
  config::FontDefinitions& fonts_;
  library::Tdb& db_;
  const platform::Registry& registry_;

  GridKind kind_ = GridKind::None;
  std::u16string lblName_;
  std::vector<GridRow> rows_;
  int selected_ = -1;
  PickList picks_;

  // Per row: the entity, the value as read (drawing and edit form), the font state it was read under, the
  // width factor read and the one to write (`sfactor`).
  std::vector<acad::EntityPtr> entities_;
  std::vector<std::u16string> read_;
  std::vector<std::u16string> shown_;
  std::vector<FontState> states_;
  std::vector<double> factors_;
  std::vector<double> sfactor_;
};

}  // namespace zil::attributes
