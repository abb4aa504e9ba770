#include "drawing/standin/font_directions.h"

#include "config/font_classification.h"

namespace zil::standin {

StandInApplication::FontDirection RightToLeftFontsOf(const config::FontDefinitions& fonts) {
  return [&fonts](std::u16string_view fontFile) {
    return config::ClassifyFont(fontFile, fonts.table.fontmaps).type == DosEnglishR;
  };
}

}  // namespace zil::standin
