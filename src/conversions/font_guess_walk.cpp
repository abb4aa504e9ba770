#include "conversions/font_guess_walk.h"

#include <map>
#include <optional>

#include "conversions/style_table.h"

namespace zil::conversions {
namespace {

struct StyleFont {
  std::u16string font;
  bool backwards = false;
};

bool Blank(std::u16string_view s) { return s.find_first_not_of(u" \t") == std::u16string_view::npos; }

}  // namespace

DrawingFontGuess GuessDrawingFonts(acad::Document& doc, config::WordLists lists, const Progress& progress) {
  DrawingFontGuess result;
  config::FontGuesser guesser(std::move(lists));
  std::map<std::u16string, StyleFont> styles;  // upper-cased style name -> its font
  const auto textStyles = doc.TextStyles();
  const int n = textStyles->Count();
  for (int i = 0; i < n; ++i) {
    const auto style = textStyles->Item(i);
    const std::u16string font = style->FontFile();
    if (Blank(font)) continue;
    styles[StyleKey(style->Name())] = {font, style->TextGenerationFlag() == 2};
    guesser.AddFont(font);
  }
  const auto fontOf = [&](const acad::Entity& e) -> const StyleFont* {
    const auto it = styles.find(StyleKey(e.StyleName()));
    if (it != styles.end()) return &it->second;
    ++result.withoutFont;
    return nullptr;
  };
  // A single-line text or attribute.
  const auto addText = [&](const acad::Entity& e) {
    ++result.texts;
    if (const StyleFont* s = fontOf(e)) guesser.AddText(s->font, e.TextString(), s->backwards || e.Backward());
  };
  result.walk = WalkEntities(
      doc,
      [&](acad::Entity& e, WalkReport& report) {
        switch (e.EntityType()) {
          case acad::kEntityText:
          case acad::kEntityAttributeDefinition:
            addText(e);
            break;
          case acad::kEntityMText:
            ++result.texts;
            if (const StyleFont* s = fontOf(e)) guesser.AddMText(s->font, e.TextString(), s->backwards);
            break;
          case acad::kEntityBlockReference:
            if (!e.HasAttributes()) break;
            VisitAttributes(
                e,
                [&](acad::Entity& attribute) -> std::optional<Outcome> {
                  addText(attribute);
                  return std::nullopt;
                },
                report);
            break;
          default:
            break;
        }
      },
      progress);
  result.fonts = guesser.Guesses();
  return result;
}

}  // namespace zil::conversions
