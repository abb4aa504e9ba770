#include "textdialog/stored_order.h"

namespace zil::textdialog {

std::optional<int> AfterStoredOrderChange(StoredOrderCaret& state, std::u16string_view text, int caret, bool hebrew) {
  const char16_t before =
      caret > 0 && caret <= static_cast<int>(text.size()) ? text[static_cast<std::size_t>(caret - 1)] : u'\0';
  if (hebrew && caret > 0 && (IsHebrewLetter(before) || before == u' ' || before == u'\'')) {
    state.pCurLoc = -1;
    if (!state.deleteF) return caret - 1;
    return std::nullopt;
  }
  if (state.pCurLoc == -1) state.pCurLoc = caret;
  return std::nullopt;
}

std::optional<int> StoredOrderKeyDown(StoredOrderCaret& state, StoredOrderKey key, bool hebrew,
                                      std::u16string_view text, std::u16string_view scrText, int caret,
                                      bool selection) {
  switch (key) {
    case StoredOrderKey::Typing:
      state.deleteF = false;
      if (hebrew && state.pCurLoc > 0) return state.pCurLoc - 1;
      return std::nullopt;
    case StoredOrderKey::Other:
      state.deleteF = false;
      return std::nullopt;
    case StoredOrderKey::Backspace:
    case StoredOrderKey::Delete:
      break;
  }
  state.deleteF = true;
  const bool isDelete = key == StoredOrderKey::Delete;
  if ((isDelete && selection) || scrText.empty() || !hebrew) return std::nullopt;
  if (caret < 0 || caret >= static_cast<int>(text.size())) return std::nullopt;  // no character after the caret
  const char16_t after = text[static_cast<std::size_t>(caret)];
  if (!IsHebrewLetter(after) && after != u' ' && after != u',') return std::nullopt;
  if (!isDelete) return caret + 1;
  if (caret > 0) return caret - 1;
  return std::nullopt;
}

}  // namespace zil::textdialog
