// One gathered drawing text, as the multi-line editors keep it, and the order in which a reader of Hebrew
// reads a page of them: the highest line first, and within a line (y values closer than 0.001) the
// rightmost text first. Texts on one line stay separate records; records at the same place keep the order
// in which they were gathered.
#pragma once

#include <string>
#include <vector>

#include "acad/entity.h"
#include "textcore/font_type.h"

namespace zil::mtext {

// The fields in the order the editors declare them; each editor uses some of them.
struct rstrec {
  double x = 0, y = 0, z = 0;  // the text's insertion point (a block reference's for its attributes)
  double xl = 0, yl = 0, zl = 0, xr = 0, yr = 0, zr = 0;
  fntType cStType = DosHebrew;  // the font type in force when the text was read
  bool cStBack = false;         // the style drew backwards when the text was read
  fntType cStType2 = DosHebrew;
  bool cStBack2 = false;
  acad::EntityPtr obj;  // the text or attribute reference the line came from
  double h = 0;
  std::u16string fntname, txt;
  std::u16string s;  // the text as read, in the editor's form
  std::u16string st;
  bool hupdate = false;
  bool Update = false;  // the line was changed and must be written back
};

// Negative when a comes first, 0 when both count as the same place, positive when b comes first.
int CompareTextPosition(const rstrec& a, const rstrec& b);

// Sorts by CompareTextPosition; records that compare equal keep their order.
void SortByReadingOrder(std::vector<rstrec>& records);

}  // namespace zil::mtext
