#include "config/font_classification.h"

#include "config/font_name.h"
#include "platform/ascii_case.h"

namespace zil::config {

FontClassification ClassifyFont(std::u16string_view name, const std::vector<FontMapRow>& rows) {
  FontClassification c;
  if (FileNamePart(name).empty()) {
    c.type = TrueType;
    c.emptyFileName = true;
  }
  c.fontName = UpperAscii(WithoutExtension(name));
  if (c.fontName.rfind(u"VELTRO", 0) == 0) {
    c.type = WindowsHeb;
    c.decidedByName = true;
    return c;
  }
  if (UpperAscii(ExtensionOf(name)) == u".TTF") {
    c.type = TrueType;
    c.decidedByName = true;
    return c;
  }
  const std::u16string base = UpperAscii(WithoutExtension(FileNamePart(name)));
  for (const FontMapRow& row : rows) {
    if (UpperAscii(row.key) != base) continue;
    const std::u16string word = UpperAscii(row.value);
    const auto decide = [&c](fntType type) {
      c.type = type;
      c.decidedByTable = true;
    };
    if (word == u"DOSHEBREW") decide(DosHebrew);
    if (word == u"DOSENGLISH") decide(DosEnglish);
    if (word == u"DOSENGLISHR") decide(DosEnglishR);
    if (word == u"WINDOWS") decide(WindowsHeb);
    if (word == u"TRUETYPE") decide(TrueType);  // the word changefnt writes
    break;
  }
  return c;
}

}  // namespace zil::config
