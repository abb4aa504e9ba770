#include "config/font_guess_table.h"

#include <algorithm>
#include <iterator>

#include "config/font_name.h"
#include "config/ini_file.h"
#include "platform/ascii_case.h"
#include "textcore/utf8.h"

namespace zil::config {

std::vector<GuessBesideTable> CompareWithTable(const std::vector<FontGuess>& guesses,
                                               const std::vector<FontMapRow>& rows) {
  std::vector<GuessBesideTable> compared;
  for (const FontGuess& g : guesses) {
    GuessBesideTable c;
    c.guess = g;
    c.key = std::u16string(WithoutExtension(FileNamePart(g.font)));
    c.now = ClassifyFont(g.font, rows);
    const std::u16string upper = UpperAscii(c.key);
    c.listed = std::any_of(rows.begin(), rows.end(), [&](const FontMapRow& r) { return UpperAscii(r.key) == upper; });
    if (g.type && *g.type != TrueType) c.word = std::u16string(FontTypeWord(*g.type));
    c.disagrees = g.type ? *g.type != c.now.type : (c.now.type == DosEnglish || c.now.type == DosEnglishR);
    compared.push_back(std::move(c));
  }
  return compared;
}

std::vector<GuessBesideTable> SureNewRows(const std::vector<GuessBesideTable>& compared) {
  std::vector<GuessBesideTable> sure;
  std::copy_if(compared.begin(), compared.end(), std::back_inserter(sure),
               [](const GuessBesideTable& c) { return c.guess.sure && c.ProposesNewRow() && !c.key.empty(); });
  return sure;
}

TableAdditions AddMissingFonts(FontTable& table, const std::vector<GuessBesideTable>& compared) {
  TableAdditions result;
  std::optional<IniFile> ini;
  try {
    ini.emplace(table.fontfile);
  } catch (const std::exception& e) {
    throw IniWriteError(table.fontfile, e.what());  // a file that cannot be read cannot be added to either
  }
  for (const GuessBesideTable& c : compared) {
    if (!c.ProposesNewRow() || c.key.empty()) continue;
    const std::u16string upper = UpperAscii(c.key);
    const bool written = std::any_of(result.added.begin(), result.added.end(),
                                     [&](const FontMapRow& r) { return UpperAscii(r.key) == upper; });
    if (written) {
      result.notAdded.emplace_back(c.key, "another font of that name was added");
    } else if (!c.guess.sure) {
      result.notAdded.emplace_back(c.key, "unsure");
    } else if (ini->ReadString(u"Fonts", c.key)) {
      result.notAdded.emplace_back(c.key, "the definition file already lists it");
    } else {
      ini->WriteString(u"Fonts", c.key, *c.word);
      result.added.push_back({c.key, *c.word, true});
    }
  }
  if (result.added.empty()) return result;
  ini->Save();
  for (const FontMapRow& row : result.added) {
    table.fontmaps.push_back(row);
    const std::u16string upper = UpperAscii(row.key);
    const auto at =
        std::lower_bound(table.fontlist.begin(), table.fontlist.end(), upper,
                         [](const std::u16string& a, const std::u16string& b) { return UpperAscii(a) < b; });
    table.fontlist.insert(at, row.key);
  }
  return result;
}

std::string DescribeAdditions(const TableAdditions& additions, const std::filesystem::path& file) {
  if (additions.added.empty()) return "Nothing was added to " + file.string() + ".";
  std::string line = "Added to " + file.string() + ":";
  for (const FontMapRow& row : additions.added)
    line += ' ' + textcore::ToUtf8(row.key) + '=' + textcore::ToUtf8(row.value);
  return line;
}

}  // namespace zil::config
