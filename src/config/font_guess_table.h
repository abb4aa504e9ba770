// The classifier's guesses beside the font table: what the table (and the font's name) say of each font
// today, where they disagree, and adding the fonts the table lacks.
//
// A row can be proposed for a font whose texts hold Hebrew in one of the four types a table row can name
// ("DosHebrew", "DosEnglish", "DosEnglishR", "Windows"). A TrueType guess gives no row: a TrueType font is
// known by its ".ttf" extension, and a row saying "TrueType" reads back as DosHebrew. The row's key is the
// font file's name without folder and extension, spelled as the drawing spells it.
//
// Adding never changes a line of the definition file: a font the table or the file already lists (in any
// case) is left as it is, and new rows go at the end of the "Fonts" section (which is made when missing),
// each as "key=word", with the INI rules of the rest of the table. Only sure guesses are added.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "config/font_classification.h"
#include "config/font_guess.h"
#include "config/font_table.h"

namespace zil::config {

struct GuessBesideTable {
  FontGuess guess;
  std::u16string key;                  // the font's table key
  FontClassification now;              // what the table and the name give today
  bool listed = false;                 // the table has a row for the key
  std::optional<std::u16string> word;  // the word of the row the guess proposes; none: no row to propose
  // The guess and today's type differ: a proposed type other than today's, or a font that keeps no Hebrew
  // read today as a keyboard type (whose lower-case letters would turn into Hebrew).
  bool disagrees = false;

  // The guess proposes a row the table lacks.
  bool ProposesNewRow() const { return word.has_value() && !listed; }
};

std::vector<GuessBesideTable> CompareWithTable(const std::vector<FontGuess>& guesses,
                                               const std::vector<FontMapRow>& rows);

// The comparisons whose guess is sure and proposes a row the table lacks: what AddMissingFonts adds
// (unless the definition file lists the font already).
std::vector<GuessBesideTable> SureNewRows(const std::vector<GuessBesideTable>& compared);

struct TableAdditions {
  std::vector<FontMapRow> added;  // in the order written
  // Proposed rows not written, each with its key and why: unsure, or already in the definition file.
  std::vector<std::pair<std::u16string, std::string>> notAdded;
};

// Adds to `table` and its definition file (table.fontfile) a row for every sure proposal whose font it
// lacks. The file is written once, atomically, and only when there is something to add; the table gets
// the rows (with the drop-down of type words) only once the file holds them. Throws IniWriteError.
TableAdditions AddMissingFonts(FontTable& table, const std::vector<GuessBesideTable>& compared);

// What was added, in one line: "Added to FILE: key=word key=word" or "Nothing was added to FILE."
std::string DescribeAdditions(const TableAdditions& additions, const std::filesystem::path& file);

}  // namespace zil::config
