// A one-line edit box that shows its text in stored order: every character where it stands, left to
// right, without the bidirectional reordering a line edit applies to Hebrew. It is the text dialog's
// stored-order editor, whose text is kept in the order a DOS-era font draws it; the dialog's caret rules
// make Hebrew typing run right to left inside it. The text is right-justified while it fits; a longer text
// scrolls to keep the caret in view.
//
// It edits as a line edit does: typed characters (or an input method's) replace the selection, Left,
// Right, Home and End move the caret (with Shift they select), Backspace and Delete, select all, cut,
// copy and paste through the clipboard service, the mouse places the caret and selects. Return, Enter,
// Escape and Tab are left to the dialog.
#pragma once

#include <QString>
#include <QWidget>
#include <vector>

#include "platform/clipboard.h"

namespace zil::textdialog {

class StoredOrderEdit final : public QWidget {
  Q_OBJECT

 public:
  explicit StoredOrderEdit(platform::Clipboard& clipboard, QWidget* parent = nullptr);

  QString text() const { return text_; }
  // Replaces the text; the caret goes to its end.
  void setText(const QString& text);
  int cursorPosition() const { return caret_; }
  void setCursorPosition(int position);
  bool hasSelectedText() const { return anchor_ != caret_; }
  QString selectedText() const;
  void selectAll();
  // Replaces the selection (or inserts at the caret) with `text`.
  void insert(const QString& text);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;
  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

 signals:
  void textChanged(const QString& text);

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Replace(int from, int to, const QString& with);
  void MoveCaret(int position, bool select);
  // The x of each boundary 0..size, from the left end of the text.
  std::vector<int> Boundaries() const;
  QRect TextArea() const;
  // Where the text starts in the widget, with the scrolling that keeps the caret in view.
  int Origin(const std::vector<int>& boundaries) const;
  int PositionAt(int x) const;
  bool Handles(const QKeyEvent& key) const;

  platform::Clipboard& clipboard_;
  QString text_;
  int caret_ = 0;
  int anchor_ = 0;
  mutable int scroll_ = 0;  // pixels of the text hidden at the left when it does not fit
};

}  // namespace zil::textdialog
