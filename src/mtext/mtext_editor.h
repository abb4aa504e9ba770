// The MText editor as the MText flows see it: what it is opened with and what it gives back on OK. The Qt
// form implements it (mtext/dialogs); the flows only fill the editing and read it afterwards.
#pragma once

#include <string>
#include <vector>

namespace zil::mtext {

struct MTextEditing {
  // In and out: the lines in edit form, one per paragraph.
  std::vector<std::u16string> lines;
  // In and out: "Align Right" down (else "Align Left").
  bool alignRight = true;
  // In and out: the line spacing as shown (general format, the user's decimal separator).
  std::u16string spacing;
  // In: the lines are those of an MText already in the drawing. "Explode" then starts unchecked, so that
  // OK writes the MText back rather than replacing it with single-line texts unless the user asks for that,
  // and the choice made for it leaves the settings as they were.
  bool existingMText = false;
  // Out: "Explode" checked (for new MText the editor takes its first state from the settings).
  bool explode = false;
  // In: the status bar: the text style, its font and the MText height.
  std::u16string styleName;
  std::u16string fontName;
  double height = 0;
};

class MTextEditor {
 public:
  virtual ~MTextEditor() = default;
  // Shows the editor modally; true when it was closed with OK (`editing` then holds what it shows).
  virtual bool Edit(MTextEditing& editing) = 0;
};

}  // namespace zil::mtext
