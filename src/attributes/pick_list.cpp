#include "attributes/pick_list.h"

#include <stdexcept>
#include <utility>

#include "textcore/utf8.h"

namespace zil::attributes {
namespace {

using nlohmann::json;

// What the list shows for a JSON value: a string as it is, null as nothing, anything else as JSON.
std::u16string TextOf(const json& value) {
  if (value.is_string()) return textcore::FromUtf8(value.get_ref<const std::string&>());
  if (value.is_null()) return {};
  return textcore::FromUtf8(value.dump());
}

}  // namespace

void PickList::LoadBlockDefaults(library::Tdb& db, const platform::Registry& registry, std::u16string_view blockName) {
  Hide();
  defaults_ = {};  // nothing loaded, should the reading fail
  SetDefaults(attributes::LoadBlockDefaults(&db, registry, blockName), blockName);
}

void PickList::SetDefaults(BlockDefaults defaults, std::u16string_view blockName) {
  Hide();
  defaults_ = std::move(defaults);
  blockName_ = blockName;
}

bool PickList::HasEntry(std::u16string_view tag) const {
  return isBson() && defaults_.document.contains(textcore::ToUtf8(tag));
}

void PickList::Hide() {
  visible_ = false;
  row_ = -1;
  items_.clear();
  itemIndex_ = -1;
  ff = false;
  bvlist.clear();
  SecondTag.clear();
  iSecondTag = -1;
}

void PickList::ShowPickList(const AttributeRows& rows, int row) {
  Hide();
  if (!isBson() || row < 0 || row >= rows.RowCount() || !rows.Marked(row)) return;
  const std::u16string tag = rows.Tag(row);
  const std::u16string current = rows.Value(row);

  const auto fail = [&](const std::string& what) {
    throw std::runtime_error("The pick list of attribute \"" + textcore::ToUtf8(tag) + "\" of block \"" +
                             textcore::ToUtf8(blockName_) + "\": " + what);
  };
  const auto found = defaults_.document.find(textcore::ToUtf8(tag));
  if (found == defaults_.document.end() || !found->is_object()) fail("its entry is not a JSON object");
  const json& entry = *found;
  const auto a = entry.find("A");
  if (a == entry.end() || !a->is_array()) fail("its \"A\" is not an array of items");
  const auto b = entry.find("B");
  if (b != entry.end() && !b->is_array()) fail("its \"B\" is not an array of values");

  ff = b != entry.end();
  if (const auto s = entry.find("S"); s != entry.end()) {
    SecondTag = TextOf(*s);
    for (int r = 0; r < rows.RowCount() && iSecondTag < 0; ++r)
      if (rows.Tag(r) == SecondTag) iSecondTag = r;
  }
  for (std::size_t i = 0; i < a->size(); ++i) {
    items_.push_back(TextOf((*a)[i]));
    if (ff) bvlist.push_back(i < b->size() ? TextOf((*b)[i]) : std::u16string());
  }
  // The last match is preselected.
  for (std::size_t i = 0; i < items_.size(); ++i) {
    const bool match = ff ? bvlist[i] == current : ((*a)[i].is_string() && items_[i] == current);
    if (match) itemIndex_ = static_cast<int>(i);
  }
  row_ = row;
  visible_ = true;
}

void PickList::ApplyPick(AttributeRows& rows, int index, std::u16string_view text) {
  if (!visible_) return;
  const bool picked = index >= 0 && static_cast<std::size_t>(index) < items_.size();
  const std::u16string value = ff && picked ? bvlist[static_cast<std::size_t>(index)] : std::u16string(text);
  if (iSecondTag >= 0) rows.SetValue(iSecondTag, text);
  rows.SetValue(row_, value);
}

}  // namespace zil::attributes
