#include "config/font_table.h"

#include <algorithm>

#include "config/font_name.h"
#include "config/ini_file.h"
#include "platform/ascii_case.h"

namespace zil::config {
namespace {

std::vector<std::u16string> SortedUniqueNames(const std::vector<std::u16string>& names) {
  std::vector<std::u16string> sorted;
  for (const std::u16string& name : names) {
    const std::u16string upper = UpperAscii(name);
    const auto at =
        std::lower_bound(sorted.begin(), sorted.end(), upper,
                         [](const std::u16string& a, const std::u16string& b) { return UpperAscii(a) < b; });
    if (at != sorted.end() && UpperAscii(*at) == upper) continue;  // duplicates ignored
    sorted.insert(at, name);
  }
  return sorted;
}

void WriteRows(IniFile& ini, const std::vector<FontMapRow>& rows) {
  ini.EraseSection(u"Fonts");
  for (const FontMapRow& row : rows)
    if (!row.key.empty()) ini.WriteString(u"Fonts", row.key, row.value);
}

// Opens a definition file for a change; a file that cannot be read cannot be written either.
IniFile OpenForWriting(const std::filesystem::path& file) {
  try {
    return IniFile(file);
  } catch (const std::exception& e) {
    throw IniWriteError(file, e.what());
  }
}

}  // namespace

std::u16string_view FontTypeWord(int type) {
  switch (type) {
    case DosHebrew:
      return u"DosHebrew";
    case DosEnglish:
      return u"DosEnglish";
    case DosEnglishR:
      return u"DosEnglishR";
    case WindowsHeb:
      return u"Windows";
    default:
      return u"TrueType";
  }
}

void FontTable::Load(const std::filesystem::path& file) {
  fontfile = file;
  const IniFile ini(file);
  fontlist = SortedUniqueNames(ini.ReadSection(u"Fonts"));
  fontsyms.clear();
  csymb.reset();
  for (const std::u16string& name : ini.ReadSection(u"SymbolFonts")) {
    SymbolFont symbol{name, {}};
    for (std::size_t i = 0; i < symbol.b.size(); ++i) {
      const std::string number = std::to_string(i + 1);
      const std::u16string key = u"b" + std::u16string(number.begin(), number.end());
      symbol.b[i] = static_cast<std::uint16_t>(ini.ReadInteger(name, key, 0));  // kept as 16 bits
    }
    fontsyms.push_back(std::move(symbol));
  }
  fontmaps.clear();
  for (const std::u16string& name : fontlist) fontmaps.push_back({name, ini.ReadString(u"Fonts", name, u""), true});
}

void FontTable::LoadDefinitionFile(const std::filesystem::path& file) {
  const IniFile ini(file);
  fontfile = file;
  fontlist = SortedUniqueNames(ini.ReadSection(u"Fonts"));
  fontmaps.clear();
  for (const std::u16string& name : fontlist) fontmaps.push_back({name, ini.ReadString(u"Fonts", name, u""), true});
}

void FontTable::SaveAs(const std::filesystem::path& file) {
  IniFile ini = OpenForWriting(file);
  WriteRows(ini, fontmaps);
  ini.Save();
  fontfile = file;
}

void FontTable::WriteFontsSection() const {
  IniFile ini = OpenForWriting(fontfile);
  WriteRows(ini, fontmaps);
  ini.Save();
}

std::optional<std::size_t> FontTable::FindRow(std::u16string_view key) const {
  const std::u16string upper = UpperAscii(key);
  for (std::size_t i = 0; i < fontmaps.size(); ++i)
    if (UpperAscii(fontmaps[i].key) == upper) return i;
  return std::nullopt;
}

void FontTable::changefnt(std::u16string_view name, int type) {
  const std::u16string key = UpperAscii(WithoutExtension(FileNamePart(name)));
  const std::u16string word(FontTypeWord(type));
  if (const auto row = FindRow(key)) {
    fontmaps[*row].value = word;
  } else {
    fontmaps.push_back({key, word, false});
  }
  WriteFontsSection();
}

}  // namespace zil::config
