// The text styles of a drawing as the drawing conversions see them: one record per style with its font,
// font type and backwards flag, and a lookup by upper-cased style name.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "acad/application.h"
#include "config/font_definitions.h"
#include "textcore/font_type.h"

namespace zil::conversions {

struct TstyleRec {
  std::u16string stName;                   // the style name
  std::shared_ptr<acad::TextStyle> style;  // the style object
  std::u16string Font;                     // its font file name
  fntType StType = DosHebrew;              // the font's type
  bool cStBack = false;                    // the style draws backwards (generation flag 2)
  double Width = 1;                        // its width factor
  std::int32_t fntIdx = -1;                // its font's index in the font list
};

struct StyleTable {
  std::vector<TstyleRec> astyles;
  std::map<std::u16string, std::size_t> dirstyles;  // upper-cased style name -> index in astyles

  // The record of a style name (any case); acad::Error for a name the drawing has no style of.
  const TstyleRec& Find(const std::u16string& styleName) const;
};

// The name of the TrueType style the Revit conversion moves texts to.
inline constexpr std::u16string_view kRevitStyleName = u"ARIALREVIT";

// Every style of the document (font: the font file, else the big font file), and "ARIALREVIT" (Arial,
// width 1), which is created when the drawing has none.
StyleTable PrepareRevitStyles(acad::Document& doc, config::FontDefinitions& fonts);

// The usable styles of the document for font conversion and remapping: styles with a blank name or a
// blank font file are left out. `fontList` receives each font once, sorted without regard to case, and
// every record's fntIdx points into it.
StyleTable LoadStyleTable(acad::Document& doc, config::FontDefinitions& fonts, std::vector<std::u16string>& fontList);

// Upper case of a..z, as style names are compared.
std::u16string StyleKey(std::u16string_view name);

}  // namespace zil::conversions
