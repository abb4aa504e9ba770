// Without a font table every font counts as DosHebrew, which silently turns texts of other fonts into
// junk: the commands that classify fonts say so, once, on standard error.
#pragma once

#include <iosfwd>

#include "platform/special_folders.h"

namespace zil::cli {

// Writes the warning when the data folder holds no "HebFonts.txt": where zil looked, what follows, and
// how to point it at one.
void WarnWithoutFontTable(const platform::SpecialFolders& folders, std::ostream& err);

}  // namespace zil::cli
