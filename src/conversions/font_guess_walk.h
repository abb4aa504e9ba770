// The texts of a drawing, font by font, for the classifier that tells each font's Hebrew encoding
// (config/font_guess.h): read through the automation surface, so it works alike on any host.
//
// Every text style with a font file gives its font; the texts (TEXT), attribute definitions, attributes of
// block references and MText of every layout and named block (as the drawing conversions walk them) go to
// their style's font. A single-line text or attribute counts as backwards when its own flag or its
// style's says so, as the Revit conversion reads it; an MText follows its style. The drawing is only
// read: layers stay frozen or locked, nothing changes.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "acad/application.h"
#include "config/font_guess.h"
#include "conversions/drawing_walk.h"

namespace zil::conversions {

struct DrawingFontGuess {
  std::vector<config::FontGuess> fonts;  // every font of the styles, sorted by name without regard to case
  std::size_t texts = 0;                 // texts read
  // Texts whose style the drawing lacks or whose style names no font file (TrueType by a typeface),
  // which no font table row can concern.
  std::size_t withoutFont = 0;
  WalkReport walk;  // entities that could not be read (walk.failed, walk.firstFailure)
};

// Reads every text of `doc` and guesses each font's type with `lists`. Progress: entities done of all.
DrawingFontGuess GuessDrawingFonts(acad::Document& doc, config::WordLists lists, const Progress& progress = {});

}  // namespace zil::conversions
