// Where the glyphs of a TEXT, ATTRIB, ATTDEF or MTEXT stand: each text's glyph run (glyph_run.h) in the
// box the stand-in host gives the text, so the preview and GetBoundingBox agree by construction.
//
// Run space: the run reaches from u = 0 to u = length along its baseline and from v = 0 to v = height;
// glyph k of n fills the cell [k, k + 1] x length / n. A placed text maps run space into the coordinates
// of the space or block the entity lies in (its entity coordinate system, OCS, applied).
//
// Single-line texts: the box and the alignment rules of text_geometry.h, read from the entity as the host
// reads it. A backwards text (the style's generation flag 2 or the text's own) mirrors its run within the
// box: an SHX font then lays its glyphs the other way, each glyph upright (such fonts are made for it),
// while a TrueType font is mirrored whole, glyphs included, as AutoCAD mirrors it. An upside-down text
// (flag 4 of the style or the text) flips its run top to bottom within the box: the glyphs hang flipped.
//
// MTEXT, by the same font-metric model: a leading format group is stripped and the rest splits into
// paragraphs at "\P", as the add-in's MText editor reads it (an empty last paragraph is none; other format
// codes stay as characters); a paragraph wraps at spaces to the reference width (group 41) unless a
// word is wider. Each line is 0.8 x height per glyph long; lines are 5/3 x height x the spacing factor
// (group 44) apart; the box reaches from the top of the first line to the baseline of the last and is as
// wide as the longest line; the attachment point (group 71, 1..9) is the point of that box at the
// insertion point, and each line stands left, centred or right in it by the attachment's column. The box
// turns with the direction (group 11, else the rotation of group 50 in degrees).
#pragma once

#include <string>
#include <vector>

#include "drawing/entity_views.h"
#include "drawing/text_geometry.h"
#include "drawing/text_placement.h"
#include "preview/affine.h"
#include "preview/glyph_run.h"
#include "textcore/font_type.h"

namespace zil::preview {

// How a text's style draws: its font's type, how its brackets show, and its generation flags.
struct TextLook {
  fntType type = DosHebrew;
  bool styleBackward = false;              // the style's generation flag 2
  bool styleUpsideDown = false;            // the style's generation flag 4
  Brackets brackets = Brackets::Mirrored;  // an SHX font's round and angle brackets
};

struct PlacedText {
  std::u32string glyphs;  // the run, one glyph per cell, left to right in run space
  double length = 0;
  double height = 0;
  Affine runToEntity;         // run space -> the coordinates the entity lies in
  bool backwards = false;     // the run is mirrored along its baseline
  bool mirrorGlyphs = false;  // mirror each glyph within its cell, so an SHX glyph stays upright
  fntType type = DosHebrew;

  // The glyphs as they read on the drawing, left to right.
  std::u32string Seen() const;
};

// The geometry of a TEXT, ATTRIB or ATTDEF in its entity coordinate system, as the host reads it: the
// computed values brought in line with the defining point(s). `characters` is the glyph count of
// `text` (GlyphCount).
drawing::TextGeometry ReadTextGeometry(const drawing::TextView& view, const std::u16string& text);

// A run of `glyphs` in the box of `geometry`.
PlacedText PlaceRun(const drawing::TextGeometry& geometry, std::u32string glyphs, const TextLook& look);

// The plane transform of a text's entity coordinate system.
Affine TextOcs(const drawing::TextView& view);

// A TEXT, ATTRIB or ATTDEF showing `text` (its string, or an ATTDEF's tag).
PlacedText LayOutText(const drawing::TextView& view, const std::u16string& text, const TextLook& look);

// The lines of an MTEXT string as the preview draws them, before wrapping.
std::vector<std::u16string> MTextParagraphs(const std::u16string& contents);

struct PlacedMText {
  std::vector<PlacedText> lines;
  std::vector<Vec2> box;  // the four corners of the whole text's box
};
PlacedMText LayOutMText(const drawing::MTextView& view, const TextLook& look);

}  // namespace zil::preview
