// A logical-order string that a left-to-right paragraph shows as a given sequence of glyphs.
//
// A TrueType text is laid out by the Unicode bidi algorithm under a left-to-right paragraph: Hebrew runs
// read right to left, numbers inside them left to right, the neutral characters between take the
// direction of their neighbours, and a bracket in a right-to-left run is drawn mirrored ("(" shows ")").
// ExactLogicalOrder finds, for the glyphs an SHX text showed from left to right, a string that this layout
// shows as exactly those glyphs in the same order: it chooses the logical order first and adds the marks
// LRM (U+200E) and RLM (U+200F), which draw nothing, only where order alone cannot do it.
//
// ShowLeftToRight is this unit's own model of that layout (the rules for one paragraph without explicit
// embeddings: weak types, bracket pairs, neutrals, implicit levels, trailing whitespace, reordering,
// mirroring; the bidi controls removed). It knows the bidi classes of the characters a drawing string can
// show (Windows-1255, the Hebrew block, AutoCAD's symbols); glyphs outside them, and paragraph separators,
// get the safe form: an LRM after every glyph that is not a left-to-right letter.
#pragma once

#include <string>
#include <string_view>

namespace zil::textcore {

inline constexpr char32_t kLrm = 0x200E;
inline constexpr char32_t kRlm = 0x200F;

// The bidi classes this unit tells apart; Unknown for characters it does not know.
enum class BidiClass { L, R, AL, EN, ES, ET, AN, CS, NSM, BN, B, S, WS, ON, Unknown };

BidiClass BidiClassOf(char32_t c);

// The glyph a mirroring layout draws for `c` in a right-to-left run (c itself when it has no mirror).
char32_t Mirrored(char32_t c);

// What a left-to-right paragraph shows for `logical`, left to right, without the bidi controls. Every
// character must have a known class other than B.
std::u32string ShowLeftToRight(std::u32string_view logical);

struct ExactText {
  std::u32string logical;  // logical order, marks included
  int marks = 0;           // the LRM and RLM it holds
};

// A logical string whose left-to-right layout shows `glyphs`.
ExactText ExactLogicalOrder(std::u32string_view glyphs);

// `logical` as the string of a TrueType text: UTF-16, and a "%" that a "%" follows written as AutoCAD's
// code "%%%", so that no two percent signs read as the start of a control code.
std::u16string TrueTypeString(std::u32string_view logical);

}  // namespace zil::textcore
