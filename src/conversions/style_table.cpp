#include "conversions/style_table.h"

#include <algorithm>

#include "acad/error.h"
#include "config/font_name.h"
#include "platform/ascii_case.h"
#include "textcore/utf8.h"

namespace zil::conversions {
namespace {

bool Blank(std::u16string_view s) {
  return std::all_of(s.begin(), s.end(), [](char16_t c) { return c == u' ' || c == u'\t'; });
}

// The record of one style. `font`: its font file (PrepareRevitStyles falls back to the big font).
TstyleRec ReadStyle(const std::shared_ptr<acad::TextStyle>& st, std::u16string font, config::FontDefinitions& fonts) {
  TstyleRec r;
  r.stName = st->Name();
  r.style = st;
  r.Width = st->Width();
  r.Font = std::move(font);
  r.cStBack = st->TextGenerationFlag() == 2;
  r.StType = fonts.GetFntType(r.Font);
  return r;
}

}  // namespace

std::u16string StyleKey(std::u16string_view name) { return UpperAscii(name); }

const TstyleRec& StyleTable::Find(const std::u16string& styleName) const {
  const auto it = dirstyles.find(StyleKey(styleName));
  if (it == dirstyles.end()) throw acad::Error("The drawing has no text style " + textcore::ToUtf8(styleName));
  return astyles[it->second];
}

StyleTable PrepareRevitStyles(acad::Document& doc, config::FontDefinitions& fonts) {
  StyleTable table;
  const auto styles = doc.TextStyles();
  const int n = styles->Count();
  for (int i = 0; i < n; ++i) {
    const auto st = styles->Item(i);
    std::u16string font = st->FontFile();
    if (font.empty()) font = st->BigFontFile();
    TstyleRec r = ReadStyle(st, std::move(font), fonts);
    table.dirstyles[StyleKey(r.stName)] = table.astyles.size();
    table.astyles.push_back(std::move(r));
  }
  const std::u16string revit(kRevitStyleName);
  if (!table.dirstyles.contains(revit)) {
    const auto st = styles->Add(revit);
    st->SetFont(u"Arial", false, false, 0, 34);
    st->SetWidth(1);
    TstyleRec r;
    r.stName = revit;
    r.style = st;
    r.StType = TrueType;
    r.Width = 1;
    table.dirstyles[revit] = table.astyles.size();
    table.astyles.push_back(std::move(r));
  }
  return table;
}

StyleTable LoadStyleTable(acad::Document& doc, config::FontDefinitions& fonts, std::vector<std::u16string>& fontList) {
  StyleTable table;
  const auto styles = doc.TextStyles();
  const int n = styles->Count();
  for (int i = 0; i < n; ++i) {
    const auto st = styles->Item(i);
    // A style with a blank name or a blank font file is not used.
    if (Blank(st->Name())) continue;
    std::u16string font = st->FontFile();
    if (Blank(font)) continue;
    TstyleRec r = ReadStyle(st, std::move(font), fonts);
    table.dirstyles[StyleKey(r.stName)] = table.astyles.size();
    table.astyles.push_back(std::move(r));
  }
  fontList.clear();
  for (const TstyleRec& r : table.astyles) {
    const std::u16string key = UpperAscii(r.Font);
    const auto at =
        std::lower_bound(fontList.begin(), fontList.end(), key,
                         [](const std::u16string& a, const std::u16string& b) { return UpperAscii(a) < b; });
    if (at == fontList.end() || UpperAscii(*at) != key) fontList.insert(at, r.Font);
  }
  for (TstyleRec& r : table.astyles) {
    const std::u16string key = UpperAscii(r.Font);
    const auto at = std::find_if(fontList.begin(), fontList.end(),
                                 [&key](const std::u16string& f) { return UpperAscii(f) == key; });
    r.fntIdx = static_cast<std::int32_t>(at - fontList.begin());
  }
  return table;
}

}  // namespace zil::conversions
