// The font table: which font type each font keeps its Hebrew in, as listed in the font definition file
// ("HebFonts.txt" in the data folder, or another file the user chose). Section "Fonts": one key per font
// (the file name without folder and extension) with a font-type word; section "SymbolFonts" with a
// section per symbol font holding b1..b13.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "textcore/font_type.h"

namespace zil::config {

inline constexpr const char* kFontDefinitionFileName = "HebFonts.txt";

// The words the table's drop-down offers, in order.
inline constexpr std::array<std::u16string_view, 4> kFontTypeWords = {u"DosHebrew", u"DosEnglish", u"DosEnglishR",
                                                                      u"Windows"};

// The word written for a type: "DosHebrew", "DosEnglish", "DosEnglishR", "Windows", "TrueType".
std::u16string_view FontTypeWord(int type);

struct FontMapRow {
  std::u16string key;     // the font name
  std::u16string value;   // a font-type word, or any text
  bool pickList = false;  // the value cell offers the drop-down of kFontTypeWords
};

struct SymbolFont {
  std::u16string name;
  std::array<std::uint16_t, 13> b{};  // b1..b13
};

class FontTable {
 public:
  // Reads the definition file: the sorted key names of "Fonts" into fontlist, a row for each with its
  // value, the symbol fonts with their records. A missing file gives an empty table.
  void Load(const std::filesystem::path& file);

  // The load button: `file` becomes the definition file; its "Fonts" keys, sorted, replace every row.
  void LoadDefinitionFile(const std::filesystem::path& file);

  // The save-as button: `file` becomes the definition file and receives the table as its "Fonts" section.
  // Throws IniWriteError.
  void SaveAs(const std::filesystem::path& file);

  // Erases the "Fonts" section of the definition file and writes every row with a non-empty key, in table
  // order. Throws IniWriteError.
  void WriteFontsSection() const;

  // Records `type` for a font: the row of its name gets the type's word (a row is appended when there is
  // none), and the "Fonts" section of the definition file is rewritten. Throws IniWriteError.
  void changefnt(std::u16string_view name, int type);

  // The first row whose key equals `key` ignoring case.
  std::optional<std::size_t> FindRow(std::u16string_view key) const;

  std::filesystem::path fontfile;        // the definition file in use
  std::vector<std::u16string> fontlist;  // "Fonts" key names, sorted ignoring case, no duplicates
  std::vector<FontMapRow> fontmaps;      // the table
  std::vector<SymbolFont> fontsyms;      // in file order
  std::optional<std::size_t> csymb;      // the symbol font in use (index into fontsyms)
};

}  // namespace zil::config
