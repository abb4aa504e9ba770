// The MText commands: a new MText typed in the MText editor, an existing MText edited in it, and picked
// single-line texts turned into one MText. Each runs on the active drawing after the host refresh, is one
// undo step (the group is closed however the command ends) and gives the keyboard back in US English.
//
// New MText: asks for the start point (">Start point:") and the height ("Height : <2.50>" with the
// drawing's TEXTSIZE, which Enter alone takes), then opens the editor on no lines in the active style; OK
// writes the lines (mtext_writer.h) on the current layer. A cancelled point or height ends the command
// before anything is written.
//
// Editing an MText: its contents open as lines (mtext_lines.h) converted under its own style; OK writes
// them back: with no lines nothing changes; otherwise the MText gets the lines, the width its longest one
// needs and the attachment point of the alignment buttons (its style, layer and height stay), or, exploded,
// is replaced by one text per line in its style on the current layer (an empty line gives no text and
// leaves its place empty).
//
// Texts to MText: the texts picked (selection set "SSMText", only single-line texts) open in the editor
// in the order a reader of Hebrew reads them (text_record.h), each converted under its own style; on OK
// they are erased and replaced by the lines written at the insertion point and with the height of the
// first text in that order, in the style and on the layer of the first text picked. The lines are written
// under the font type of that style. The written alignment is the first text's own, unless the user turned
// the alignment buttons over, in which case it is right or left as they say. The selection set is deleted
// however the command ends.
//
// A line spacing that is not a number stops OK in the editor; the flows read it only when exploding.
#pragma once

#include <string_view>

#include "mtext/context.h"
#include "mtext/mtext_editor.h"

namespace zil::mtext {

void NewMText(Context& c, MTextEditor& editor);
void EditMText(Context& c, MTextEditor& editor, std::u16string_view handle);
void ConvertTextsToMText(Context& c, MTextEditor& editor);

}  // namespace zil::mtext
