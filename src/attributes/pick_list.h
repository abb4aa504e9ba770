// The pick list of the attribute grid: for a block whose defaults document (block_defaults.h) has an entry
// for a row's tag, the values the user can pick for that row instead of typing. This is the list's model;
// the attribute-grid dialog shows Items() in its combo box, preselects ItemIndex(), shows or hides the box
// by Visible(), and calls ApplyPick when the user picks.
//
// An entry is a JSON object: "A" (required) the items in order, each shown as its text; "B" (optional)
// the values stored by position (past its end: an empty value; without "B" the item's own text is
// stored); "S" (optional) the tag of a second attribute of the block, which receives the picked item's
// text. Other members are ignored. An entry that is not an object, or whose "A" (or "B") is not an array,
// is an error for that row only: the list stays hidden and empty, and the grid goes on.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "attributes/attribute_rows.h"
#include "attributes/block_defaults.h"

namespace zil::attributes {

class PickList {
 public:
  // Loads the document of `blockName` (see LoadBlockDefaults); no document when the block has none.
  void LoadBlockDefaults(library::Tdb& db, const platform::Registry& registry, std::u16string_view blockName);
  void SetDefaults(BlockDefaults defaults, std::u16string_view blockName);

  // A document is loaded.
  bool isBson() const { return defaults_.Loaded(); }
  const nlohmann::json& bson() const { return defaults_.document; }
  // Rows with this tag get the mark: the document has an entry for it (tags compare exactly).
  bool HasEntry(std::u16string_view tag) const;

  // The row `row` was selected: fills and shows the list when the row is marked, else hides it.
  // Throws std::runtime_error for an entry that cannot be a pick list (the list is then hidden).
  void ShowPickList(const AttributeRows& rows, int row);
  // The user chose item `index` (-1 when the text was typed rather than picked) and the list reads `text`:
  // writes the stored value into the selected row and the item's text into the second attribute's row.
  // Text typed while the entry has "B" has no stored value, and is stored as it is.
  void ApplyPick(AttributeRows& rows, int index, std::u16string_view text);
  void Hide();

  bool Visible() const { return visible_; }
  const std::vector<std::u16string>& Items() const { return items_; }
  int ItemIndex() const { return itemIndex_; }  // the preselected item, -1 for none
  int Row() const { return row_; }              // the row the list is shown for

 private:
  BlockDefaults defaults_;
  std::u16string blockName_;

  bool visible_ = false;
  int row_ = -1;
  std::vector<std::u16string> items_;
  int itemIndex_ = -1;
  bool ff = false;                     // the entry has "B"
  std::vector<std::u16string> bvlist;  // the stored value of each item, while ff
  std::u16string SecondTag;
  int iSecondTag = -1;  // the row of SecondTag, or -1
};

}  // namespace zil::attributes
