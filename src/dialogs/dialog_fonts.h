// The fonts of the dialogs. The forms are designed with Windows fonts ("Tahoma", "MS Sans Serif",
// "HNarkisim", "Courier New", ...); this one table says which installed font stands in for each of them
// here, so that Hebrew shows in every editor and label. Every dialog asks it for its fonts; none names an
// installed family itself.
//
// Each Windows name has a list of candidates, the first one installed wins: Debian's Culmus Hebrew fonts
// first (package culmus), then DejaVu (fonts-dejavu-core), which has the Hebrew letters in its proportional
// face but not in its monospaced one. A fixed-pitch Windows font keeps a fixed-pitch stand-in. A name the
// table does not know, or one none of whose candidates is installed, is drawn with DejaVu Sans.
#pragma once

#include <QFont>
#include <QString>
#include <QStringView>
#include <span>
#include <string_view>

namespace zil::dialogs {

struct DialogFontEntry {
  std::string_view windowsName;                // as the forms give it
  std::span<const std::string_view> families;  // installed families that stand in for it, best first
  bool fixedPitch = false;                     // every character as wide as the next (an editor of stored order)
};

// The table, for tests and for the About window.
std::span<const DialogFontEntry> DialogFontTable();

// The family used for `windowsName` (compared without regard to ASCII case).
QString InstalledFamily(QStringView windowsName);

// A font for `windowsName` at a size the forms give in pixels or in points, optionally bold. Needs a
// running QGuiApplication (the font database).
QFont DialogFontPixels(QStringView windowsName, int pixels, bool bold = false);
QFont DialogFontPoints(QStringView windowsName, int points, bool bold = false);

}  // namespace zil::dialogs
