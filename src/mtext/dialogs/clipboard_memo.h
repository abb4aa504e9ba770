// A plain text editor whose cut, copy and paste go through the platform's clipboard service, however the
// user asks for them (the standard keys, the context menu, the form's buttons), with a hook that converts
// the text on its way out and in. Dragged text takes the same way.
#pragma once

#include <QPlainTextEdit>
#include <string>

#include "platform/clipboard.h"

namespace zil::mtext {

class ClipboardMemo : public QPlainTextEdit {
  Q_OBJECT

 public:
  ClipboardMemo(platform::Clipboard& clipboard, QWidget* parent = nullptr);

  void CutToClipboard();
  void CopyToClipboard();
  void PasteFromClipboard();

 protected:
  // The text that goes to the clipboard for a selection of the editor, and the text that goes into the
  // editor for the clipboard's; both unchanged by default.
  virtual std::u16string ToClipboard(const QString& selected) const;
  virtual QString FromClipboard(const std::u16string& text) const;
  // Puts `text` in place of the selection; the default inserts it as it is.
  virtual void InsertText(const QString& text);

  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  QMimeData* createMimeDataFromSelection() const override;
  void insertFromMimeData(const QMimeData* source) override;

  platform::Clipboard& clipboard_;
};

}  // namespace zil::mtext
