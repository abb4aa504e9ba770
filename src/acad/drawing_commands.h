// The commands that work on the whole drawing without a dialog, written against the automation surface
// only (they run unchanged on AutoCAD): the character chart of the current font, the plot preparation of
// TrueType texts, and the conversion of one entity's text between drawing form and edit form. Each runs
// after the host refresh, on the host state's document.
//
// A failure ends the command with the error. Should it come while the command's undo group is open, the
// group is closed first (and Hplot's selection set deleted), so that what was changed stays one undo step
// and the next command is not caught inside the left-over group.
#pragma once

#include <string>
#include <string_view>

#include "acad/host_state.h"
#include "acad/point.h"
#include "config/font_definitions.h"

namespace zil::acad {

// The text that removes the chart once the user has read it: an alert, then the U command.
inline constexpr std::u16string_view kChartUndoCommand = u"(alert \"Press Ok for continue\")(command \"_.u\") ";
inline constexpr std::u16string_view kPlotCommand = u"_PLOT ";
inline constexpr std::u16string_view kPlotSelectionSet = u"PText";

// The chart of the 256 character codes: 0.9 of the view both ways, in a grid of 20 by 20 cells.
struct CharacterChart {
  double x1 = 0, x2 = 0, top = 0, bottom = 0;
  double m = 0;  // column step
  double l = 0;  // row step
  double textHeight = 0;

  // From the view's centre and height and the screen's size in pixels.
  static CharacterChart ForView(const Point& center, double viewHeight, double screenWidth, double screenHeight);
  Point ColumnHeading(int j) const;  // the hexadecimal digit of column j, 0..15
  Point RowHeading(int i) const;     // the hexadecimal digit of row i, 0..15
  Point Cell(int i, int j) const;    // the character of code 16 i + j
};

// Draws the chart of every character code in the current text style, as one undo group, and queues the
// alert that removes it again (kChartUndoCommand).
void HShowfont(HostState& host);

// Puts the Hebrew of every single-line text and MText whose style has a TrueType font (or no font file)
// into display order, as one undo group, and starts the plot command; with no texts in the drawing
// nothing changes and no plot starts.
void Hplot(HostState& host, config::FontDefinitions& fonts);

// For the entity with `handle`, when it is a single-line text or an attribute reference: `resultString`
// := its text in edit form, by its style's font (kind 11 also keeps the font type and backwards flag for
// EntityStrToAcad). Any other entity leaves `resultString` as it is. An unknown handle fails.
void EntityAcadToStr(HostState& host, config::FontDefinitions& fonts, std::u16string_view handle, int kind,
                     std::u16string& resultString);

// The entity's text (in edit form) converted to drawing form, left in `resultString` and written back into
// the entity: with kind 11 by the font type and flag kept by the last EntityAcadToStr of kind 11, with a
// higher kind by the entity's own style.
void EntityStrToAcad(HostState& host, config::FontDefinitions& fonts, std::u16string_view handle, int kind,
                     std::u16string& resultString);

}  // namespace zil::acad
