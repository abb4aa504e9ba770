// The replace editor's memo (TCPMemo): one line per drawing text, each in the stored-order edit form, shown
// left to right exactly in the order it is stored, without the reordering Hebrew would otherwise get
// (every line begins with a left-to-right override mark, which the lines given and taken never hold and the
// caret never passes), right-justified.
//
// Every line stays tied to its own text: an edit that would join two lines or split one (Enter, Backspace
// at the start of a line, Delete at its end, removing or typing over a selection that spans lines, pasting
// or dropping text with a line break, whatever way it comes) is refused and the memo stays as it was; the
// memo beeps and says why (`refused`). An accepted edit by the user is reported with the lines it changed
// (`linesEdited`); changes the program makes through SetLine and SetLines are not.
//
// Cut and copy put the selection on the platform's clipboard in the logical order of an ordinary editor
// (cDosToWin); paste puts the clipboard's text in the stored order (cWinToDos).
#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "mtext/dialogs/clipboard_memo.h"
#include "textcore/font_converter.h"

namespace zil::mtext {

class TCPMemo final : public ClipboardMemo {
  Q_OBJECT

 public:
  TCPMemo(platform::Clipboard& clipboard, const textcore::FontConverter& conv, QWidget* parent = nullptr);

  void SetLines(const std::vector<std::u16string>& lines);
  std::vector<std::u16string> Lines() const;
  int LineCount() const { return lines_; }
  std::u16string Line(int line) const;
  // Puts `text` in place of a line's text, as the program does (no change is reported).
  void SetLine(int line, const std::u16string& text);

  // Selects `length` characters of a line from `column` (from 0) and shows them.
  void Select(int line, int column, int length);
  // The caret's line and column (from 0, in the line's text).
  int CaretLine() const;
  int CaretColumn() const;
  // The caret as a position in the whole memo, and moving it there (within its line's text).
  int CaretPosition() const { return textCursor().position(); }
  void SetCaretPosition(int position);
  // The characters of the caret's line just before and just after the caret.
  std::optional<char16_t> CharBeforeCaret() const;
  std::optional<char16_t> CharAfterCaret() const;

  // Runs before the memo handles a key; true when it took the key.
  std::function<bool(QKeyEvent*)> beforeKey;

 signals:
  void linesEdited(int first, int last);
  void refused(const QString& why);

 protected:
  std::u16string ToClipboard(const QString& selected) const override;
  QString FromClipboard(const std::u16string& text) const override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // Checks each change against the text before it (see above).
  void Changed();
  void Refuse();
  // Keeps the caret and the selection's anchor behind their line's mark.
  void KeepCaretBehindMarks();
  // The program's own changes: nothing is checked or reported meanwhile.
  template <typename Change>
  void Programmatic(Change&& change);

  const textcore::FontConverter& conv_;
  QString before_;  // the memo's text as last accepted, line breaks as paragraph separators
  int lines_ = 0;
  int programmatic_ = 0;
};

}  // namespace zil::mtext
