// What the add-in keeps between single-line text dialogs, for its whole lifetime: the editor in use and a
// font type chosen with the font-type spin button, recorded for its font when the dialog is closed with
// OK. (The dialogs' keyboard language is dialogs::LanguageState, which every editor dialog shares.)
#pragma once

#include <cstdint>
#include <string>

#include "textcore/font_type.h"

namespace zil::textdialog {

// The two editors: the stored-order editor (EditDos) and the Windows editor (Edit1).
inline constexpr std::int8_t kStoredOrderEditor = 0;
inline constexpr std::int8_t kWindowsEditor = 1;

struct TextDialogState {
  std::int8_t EditorKind = kWindowsEditor;  // the editor in use
  std::u16string PendingFontName;           // a font whose type was chosen with the spin button; empty: none
  fntType PendingFontType = DosHebrew;      // the type chosen, recorded at OK
};

}  // namespace zil::textdialog
