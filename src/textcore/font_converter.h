// The conversions between a text entity's drawing form and the edit form for the editors, driven by the
// conversion state: the font type of the current text style (cStType) and whether it draws backwards
// (cStBack). Callers set the state (through the font classification and the style's generation flag),
// then convert.
//
//   "Win" routines serve editors that show logical order (the edit form as the user reads it);
//   "Dos" routines serve editors that show the stored order, Hebrew letters as Windows-1255 characters;
//   fAcadToEditWinL and AAcadToEditWin take the type and flags as arguments, for whole-drawing
//   conversions.
// The setting reverseTTF (reverse converted TrueType text) is an argument of the two routines that read
// it: it lives in the settings record, and a change of it counts from the next conversion.
// No routine fails: empty in, empty out, characters outside the maps pass unchanged.
#pragma once

#include <string>
#include <string_view>

#include "textcore/font_type.h"
#include "textcore/visual_order.h"

namespace zil::textcore {

class FontConverter {
 public:
  // Conversion state.
  fntType cStType = DosHebrew;
  bool cStBack = false;
  std::u16string cStFont;     // the font name the last classification looked at (upper case, no extension)
  fntType oldst = DosHebrew;  // a saved cStType / cStBack pair, kept between a read and a write
  bool oldback = false;
  // The canvas the reordering runs on: left-to-right reading.
  Canvas canvas;

  std::u16string AcadToEditWin(std::u16string_view s) const;
  std::u16string EditToacadWin(std::u16string_view s, bool reverseTTF) const;
  std::u16string AcadToEditDos(std::u16string_view s) const;
  std::u16string EditToacadDos(std::u16string_view s) const;

  std::u16string cDosToWin(std::u16string_view s) const;
  std::u16string cWinToDos(std::u16string_view s) const;
  std::u16string ConvertRightToLeft(std::u16string_view s) const;
  std::u16string ConvertLeftToRight(std::u16string_view s) const;
  static std::u16string Symbtoacad(std::u16string_view s) { return std::u16string(s); }
  static std::u16string Symbtoedit(std::u16string_view s) { return std::u16string(s); }

  // False when `s` holds a character that carries Hebrew in fonts of `type`: a DOS letter for DosHebrew,
  // a lower-case Latin letter or "`" for the key types, a Windows letter for WindowsHeb and TrueType.
  static bool isEnglishOnly(std::u16string_view s, int type);

  // Drawing form (bytes) to edit form for a whole-drawing conversion. `rightToLeft`: keep the text in
  // right-to-left reading order instead of reordering it for a left-to-right display.
  std::string fAcadToEditWinL(std::string_view b, int type, bool backwards, bool rightToLeft) const;
  // The same on UTF-16 text, with the declared type corrected from the text (as ConvertFontTypeW does),
  // and the result reversed when reverseTTF is set.
  std::u16string AAcadToEditWin(std::u16string_view s, int type, bool backwards, bool rightToLeft,
                                bool reverseTTF) const;
};

}  // namespace zil::textcore
