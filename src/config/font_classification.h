// Which font type a font keeps its Hebrew in, decided from its file name and the font table:
//   an empty file name is TrueType; a name beginning with "VELTRO" is WindowsHeb; a ".TTF" extension is
//   TrueType; otherwise the first table row whose key is the file name (no folder, no extension) decides
//   by its word ("DosHebrew", "DosEnglish", "DosEnglishR", "Windows", and "TrueType", which changefnt
//   writes; any other word decides nothing);
//   a font the table does not list is DosHebrew.
// Letters compare without regard to case (a..z only).
#pragma once

#include <string>
#include <vector>

#include "config/font_table.h"
#include "textcore/font_type.h"

namespace zil::config {

struct FontClassification {
  fntType type = DosHebrew;
  std::u16string fontName;      // upper case, folder kept, extension removed
  bool emptyFileName = false;   // decided TrueType for want of a file name
  bool decidedByName = false;   // decided by the "VELTRO" prefix or the ".TTF" extension
  bool decidedByTable = false;  // a row with a font-type word decided
};

FontClassification ClassifyFont(std::u16string_view name, const std::vector<FontMapRow>& rows);

}  // namespace zil::config
