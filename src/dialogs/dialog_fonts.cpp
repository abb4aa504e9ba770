#include "dialogs/dialog_fonts.h"

#include <QFontDatabase>
#include <QStringList>
#include <array>

namespace zil::dialogs {
namespace {

// Sans-serif user-interface faces.
constexpr std::array<std::string_view, 1> kInterface = {"DejaVu Sans"};
// Narkisim, a Hebrew sans: the Culmus sans-serif family of even strokes.
constexpr std::array<std::string_view, 2> kHebrewSans = {"Simple CLM", "DejaVu Sans"};
// Arial's Hebrew: the Culmus sans drawn after it.
constexpr std::array<std::string_view, 2> kArialHebrew = {"Nachlieli CLM", "DejaVu Sans"};
// Courier New and the other fixed-pitch faces of the stored-order editors: Culmus' monospaced Hebrew
// (fontconfig's own rules put it in place of the DOS-era fixed Hebrew fonts too). DejaVu Sans Mono has no
// Hebrew letters, but keeps the columns when Culmus is missing.
constexpr std::array<std::string_view, 2> kFixed = {"Miriam Mono CLM", "DejaVu Sans Mono"};

constexpr std::array kTable = {
    DialogFontEntry{"Tahoma", kInterface, false},
    DialogFontEntry{"MS Sans Serif", kInterface, false},
    DialogFontEntry{"Microsoft Sans Serif", kInterface, false},
    DialogFontEntry{"Segoe UI", kInterface, false},
    DialogFontEntry{"HNarkisim", kHebrewSans, false},
    DialogFontEntry{"Narkisim", kHebrewSans, false},
    DialogFontEntry{"Arial", kArialHebrew, false},
    DialogFontEntry{"Courier New", kFixed, true},
    DialogFontEntry{"Web Hebrew AD", kFixed, true},
};

constexpr std::string_view kLastResort = "DejaVu Sans";

bool SameAsciiName(QStringView a, std::string_view b) {
  if (a.size() != static_cast<qsizetype>(b.size())) return false;
  for (qsizetype i = 0; i < a.size(); ++i) {
    const char16_t x = a[i].unicode();
    const char y = b[static_cast<std::size_t>(i)];
    const auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; };
    if (lower(x) != lower(static_cast<char16_t>(static_cast<unsigned char>(y)))) return false;
  }
  return true;
}

const DialogFontEntry* Find(QStringView windowsName) {
  for (const DialogFontEntry& entry : kTable)
    if (SameAsciiName(windowsName, entry.windowsName)) return &entry;
  return nullptr;
}

QString Latin1(std::string_view s) { return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())); }

QFont Make(QStringView windowsName, bool bold) {
  QFont font(InstalledFamily(windowsName));
  const DialogFontEntry* entry = Find(windowsName);
  if (entry && entry->fixedPitch) {
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
  } else {
    font.setStyleHint(QFont::SansSerif);
  }
  font.setBold(bold);
  return font;
}

}  // namespace

std::span<const DialogFontEntry> DialogFontTable() { return kTable; }

QString InstalledFamily(QStringView windowsName) {
  if (const DialogFontEntry* entry = Find(windowsName)) {
    const QStringList installed = QFontDatabase::families();
    for (std::string_view family : entry->families)
      if (installed.contains(Latin1(family), Qt::CaseInsensitive)) return Latin1(family);
  }
  return Latin1(kLastResort);
}

QFont DialogFontPixels(QStringView windowsName, int pixels, bool bold) {
  QFont font = Make(windowsName, bold);
  font.setPixelSize(pixels);
  return font;
}

QFont DialogFontPoints(QStringView windowsName, int points, bool bold) {
  QFont font = Make(windowsName, bold);
  font.setPointSize(points);
  return font;
}

}  // namespace zil::dialogs
