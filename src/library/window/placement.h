// What the library window does in the drawing, between two showings of the window: it picks single-line
// texts into the editor, and places the text to put as one single-line text, or its lines as one text
// each, where the user points.
//
// Picking takes the texts the user selects (the selection set "SSText", filtered on single-line texts)
// and gives each one's text in the edit form of its own style's font, followed by CR LF, in the order of
// the selection.
//
// Placing asks for the start point (">Start point:") and, for a style without a fixed height, the height
// (">Height:"; Enter takes the drawing's TEXTSIZE, which then keeps the height given). The text is
// converted to the drawing form of the style's font and added in that style with its baseline at the
// point: its left end at the point for a style that draws backwards, else its right end. Lines go one
// under the other, 1.5 heights apart; an empty line leaves its place empty. Cancelling a prompt places
// nothing.
//
// The window's Properties page chooses the style and the layer of placed texts (by default the drawing's
// current ones) and may give the height, which is then not asked. Every placement is one undo step. Where
// the window's own rules would place a wrong text, these do the sound thing:
//   - a style with no font file is converted by its big font, as everywhere else in the add-in;
//   - the text is converted for the style it is given (the Properties style), also after a pick has
//     read texts of other styles;
//   - no second copy of the text is placed at the point;
//   - a selection set "SSText" left from before is emptied first, so that only this pick's texts come.
#pragma once

#include <string>
#include <string_view>

#include "acad/host_state.h"
#include "config/font_definitions.h"

namespace zil::library {

// The values of the Properties page.
struct tprop {
  std::u16string style;  // the text style of placed texts; empty: the drawing's active style
  std::u16string layer;  // their layer; empty: the current layer
  bool explode = false;  // "<<Put" places the lines one text each, as "<<PutMt" does
  float height = 0;      // the height of placed texts; 0: asked (or the style's fixed height)
};

inline constexpr std::u16string_view kPickSetName = u"SSText";
inline constexpr std::u16string_view kStartPointPrompt = u">Start point:";
inline constexpr std::u16string_view kHeightPrompt = u">Height:";

// The picked texts in edit form, each followed by CR LF; empty when nothing was picked.
std::u16string PickTexts(acad::HostState& host, config::FontDefinitions& fonts);

// Places `s` as one text, or each line of `s` as a text. A cancelled prompt places nothing and returns;
// any other failure of the drawing propagates, and what was placed before it stays.
void PlaceOneText(acad::HostState& host, config::FontDefinitions& fonts, const tprop& prop, std::u16string_view s);
void PlaceLines(acad::HostState& host, config::FontDefinitions& fonts, const tprop& prop, std::u16string_view s);

}  // namespace zil::library
