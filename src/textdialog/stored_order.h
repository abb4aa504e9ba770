// The caret rules of the stored-order editor. That editor is an ordinary left-to-right box whose text is
// kept in the order in which the drawing shows it (a DOS-era font draws every string left to right). The
// rules make Hebrew typing run right to left inside it while Latin letters and digits run left to right:
//
//   - after a change, with the Hebrew language, a Hebrew letter, a space or an apostrophe just typed puts
//     the caret back in front of it, so that the next one lands to its left; any other character starts a
//     left-to-right run (its start is remembered) whose following characters go to the right as usual;
//   - a letter key or Space pressed in Hebrew inside such a run moves the caret in front of the whole run
//     first, so the Hebrew character lands to the left of it;
//   - Backspace and Delete next to Hebrew, a space or a comma remove the character that comes before,
//     respectively after, the caret in right-to-left reading.
//
// The functions take the editor's text and caret and give the caret's new place when it moves.
#pragma once

#include <optional>
#include <string_view>

namespace zil::textdialog {

struct StoredOrderCaret {
  int pCurLoc = -1;      // just after the first character of the left-to-right run being typed; -1: none
  bool deleteF = false;  // the last key pressed was Backspace or Delete
};

enum class StoredOrderKey {
  Typing,  // Space or a letter key A..Z
  Backspace,
  Delete,
  Other,
};

// True for the Hebrew letters of the edit form (alef to tav).
constexpr bool IsHebrewLetter(char16_t c) { return c >= u'\u05D0' && c <= u'\u05EA'; }

// After every change of the text, before it is written to the drawing. `hebrew`: the dialog's language
// is Hebrew.
std::optional<int> AfterStoredOrderChange(StoredOrderCaret& state, std::u16string_view text, int caret, bool hebrew);

// At a key's press, before the key acts. `scrText` is the text last read from the editor; `selection`
// whether text is selected.
std::optional<int> StoredOrderKeyDown(StoredOrderCaret& state, StoredOrderKey key, bool hebrew,
                                      std::u16string_view text, std::u16string_view scrText, int caret, bool selection);

// A click into the editor, and showing the dialog, end the run being typed.
inline void EndStoredOrderRun(StoredOrderCaret& state) { state.pCurLoc = -1; }

}  // namespace zil::textdialog
