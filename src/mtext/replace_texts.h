// Find and replace over a drawing's texts: the texts and the attributes of the block references the user
// picks become the lines of the replace editor, and the lines the user changed go back into their own
// texts and attributes.
//
// Gathering: selection set "SSText" (single-line texts and block references; the set is deleted however
// the command ends). Each text, and each attribute of a picked block reference in the order the block
// reference gives them, is one record (text_record.h) read in the stored-order edit form (AcadToEditDos)
// under its own style, with the font type and backwards flag it was read under; an attribute takes its
// block reference's insertion point. The records are sorted in the reading order of a page of Hebrew.
// Nothing picked: no editor. Only block references without attributes: the editor opens without lines.
//
// Writing back (the editor closed with "Ok" or its window's close button; Cancel writes nothing), in one
// undo group when there is anything to write: every line marked changed whose text is not the one read goes into its
// own entity, converted with EditToacadDos under the font type and backwards flag of its record. A line that reads as
// it was read is left alone, so its entity keeps its exact drawing form. An entity that cannot be written (a locked
// layer, say) does not stop the others; the command then fails, naming how many could not be written and
// why. The application is told to update when anything was written.
#pragma once

#include <string>
#include <vector>

#include "mtext/context.h"
#include "mtext/text_record.h"

namespace zil::mtext {

// The replace editor as the flow sees it: it shows the records' texts one per line, marks the records
// whose lines change, and gives back its lines. True when what it holds is to be written back.
struct ReplaceEditing {
  std::vector<rstrec> records;        // in display order; line i belongs to record i
  std::vector<std::u16string> lines;  // out: the lines, one per record
};

class ReplaceEditor {
 public:
  virtual ~ReplaceEditor() = default;
  virtual bool Edit(ReplaceEditing& editing) = 0;
};

// The whole command: gathering, the editor, writing back; the keyboard is US English at the end.
void ReplaceInTexts(Context& c, ReplaceEditor& editor);

// Writes the changed lines back (above); returns the number of entities written.
int WriteBackLines(Context& c, const std::vector<rstrec>& records, const std::vector<std::u16string>& lines);

}  // namespace zil::mtext
