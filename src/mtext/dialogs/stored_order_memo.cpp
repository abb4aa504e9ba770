#include "mtext/dialogs/stored_order_memo.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextOption>
#include <algorithm>
#include <utility>

#include "platform/qt/qt_strings.h"

namespace zil::mtext {

namespace {

// LEFT-TO-RIGHT OVERRIDE: the line that begins with it is laid out in the order it is stored.
constexpr QChar kMark(0x202D);

bool HoldsBreakOrMark(QStringView s) {
  return s.contains(QChar::ParagraphSeparator) || s.contains(QChar::LineSeparator) || s.contains(u'\n') ||
         s.contains(u'\r') || s.contains(kMark);
}

// Each line of a text with line feeds, converted by itself.
template <typename Convert>
QString LineByLine(const QString& text, Convert convert) {
  QStringList lines = text.split(u'\n');
  for (QString& line : lines) line = platform::ToQString(convert(platform::FromQString(line)));
  return lines.join(u'\n');
}

}  // namespace

TCPMemo::TCPMemo(platform::Clipboard& clipboard, const textcore::FontConverter& conv, QWidget* parent)
    : ClipboardMemo(clipboard, parent), conv_(conv) {
  // The editor's own undo could bring back an edit that was refused; the form's "Undo" restores every line.
  setUndoRedoEnabled(false);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  QTextOption option = document()->defaultTextOption();
  option.setTextDirection(Qt::LeftToRight);
  option.setAlignment(Qt::AlignRight);
  document()->setDefaultTextOption(option);
  connect(document(), &QTextDocument::contentsChanged, this, &TCPMemo::Changed);
  connect(this, &QPlainTextEdit::cursorPositionChanged, this, &TCPMemo::KeepCaretBehindMarks);
}

template <typename Change>
void TCPMemo::Programmatic(Change&& change) {
  ++programmatic_;
  std::forward<Change>(change)();
  --programmatic_;
  before_ = document()->toRawText();
}

void TCPMemo::SetLines(const std::vector<std::u16string>& lines) {
  Programmatic([&] {
    QString text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (i > 0) text += u'\n';
      text += kMark + platform::ToQString(lines[i]);
    }
    lines_ = static_cast<int>(lines.size());
    setPlainText(text);
  });
  if (lines_ > 0) SetCaretPosition(1);
}

std::vector<std::u16string> TCPMemo::Lines() const {
  std::vector<std::u16string> lines;
  for (int i = 0; i < lines_; ++i) lines.push_back(Line(i));
  return lines;
}

std::u16string TCPMemo::Line(int line) const {
  return platform::FromQString(document()->findBlockByNumber(line).text().mid(1));
}

void TCPMemo::SetLine(int line, const std::u16string& text) {
  QString replacement = platform::ToQString(text);
  // A line break would split the line from its text; the program's texts have none.
  for (QChar& c : replacement)
    if (HoldsBreakOrMark(QStringView(&c, 1))) c = u' ';
  Programmatic([&] {
    const QTextBlock block = document()->findBlockByNumber(line);
    QTextCursor cursor(document());
    cursor.setPosition(block.position() + 1);
    cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
    cursor.insertText(replacement);
  });
}

void TCPMemo::Select(int line, int column, int length) {
  const QTextBlock block = document()->findBlockByNumber(line);
  QTextCursor cursor(document());
  cursor.setPosition(block.position() + 1 + column);
  cursor.setPosition(block.position() + 1 + column + length, QTextCursor::KeepAnchor);
  setTextCursor(cursor);
  ensureCursorVisible();
}

int TCPMemo::CaretLine() const { return textCursor().blockNumber(); }

int TCPMemo::CaretColumn() const { return std::max(0, textCursor().positionInBlock() - 1); }

void TCPMemo::SetCaretPosition(int position) {
  QTextCursor cursor = textCursor();
  cursor.setPosition(std::clamp(position, 0, document()->characterCount() - 1));
  setTextCursor(cursor);
}

std::optional<char16_t> TCPMemo::CharBeforeCaret() const {
  const QTextCursor cursor = textCursor();
  const int at = cursor.positionInBlock();
  if (at <= 1) return std::nullopt;
  return cursor.block().text().at(at - 1).unicode();
}

std::optional<char16_t> TCPMemo::CharAfterCaret() const {
  const QTextCursor cursor = textCursor();
  const QString text = cursor.block().text();
  const int at = std::max(1, cursor.positionInBlock());
  if (at >= text.size()) return std::nullopt;
  return text.at(at).unicode();
}

std::u16string TCPMemo::ToClipboard(const QString& selected) const {
  QString text = selected;
  text.remove(kMark);
  return platform::FromQString(LineByLine(text, [this](const std::u16string& s) { return conv_.cDosToWin(s); }));
}

QString TCPMemo::FromClipboard(const std::u16string& text) const {
  return LineByLine(platform::ToQString(text), [this](const std::u16string& s) { return conv_.cWinToDos(s); });
}

void TCPMemo::Refuse() {
  QApplication::beep();
  emit refused(QStringLiteral("Each line is its own text: lines cannot be joined or split"));
}

void TCPMemo::keyPressEvent(QKeyEvent* event) {
  if (beforeKey && beforeKey(event)) return;
  const QTextCursor cursor = textCursor();
  const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  if (!isReadOnly() && lines_ > 0) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool joinsBack = event->key() == Qt::Key_Backspace && !cursor.hasSelection() && cursor.positionInBlock() <= 1;
    const bool joinsNext = event->key() == Qt::Key_Delete && !cursor.hasSelection() && cursor.atBlockEnd();
    if (enter || joinsBack || joinsNext) {
      Refuse();
      event->accept();
      return;
    }
  }
  // Left from the start of a line goes to the end of the line before, past the mark.
  if (event->key() == Qt::Key_Left && plain && cursor.positionInBlock() <= 1 && cursor.blockNumber() > 0) {
    SetCaretPosition(cursor.block().position() - 1);
    event->accept();
    return;
  }
  ClipboardMemo::keyPressEvent(event);
}

void TCPMemo::Changed() {
  if (programmatic_ > 0) return;
  const QString now = document()->toRawText();
  if (now == before_) return;
  // The change is what lies between the text both share at the start and at the end.
  const qsizetype shorter = std::min(now.size(), before_.size());
  qsizetype start = 0;
  while (start < shorter && now[start] == before_[start]) ++start;
  qsizetype end = 0;
  while (end < shorter - start && now[now.size() - 1 - end] == before_[before_.size() - 1 - end]) ++end;
  const QString removed = before_.mid(start, before_.size() - start - end);
  const QString added = now.mid(start, now.size() - start - end);
  if (lines_ == 0 || HoldsBreakOrMark(removed) || HoldsBreakOrMark(added)) {
    Programmatic([&] {
      QTextCursor cursor(document());
      cursor.setPosition(static_cast<int>(start));
      cursor.setPosition(static_cast<int>(start + added.size()), QTextCursor::KeepAnchor);
      cursor.insertText(removed);
    });
    SetCaretPosition(static_cast<int>(start));
    Refuse();
    return;
  }
  before_ = now;
  const int first = document()->findBlock(static_cast<int>(start)).blockNumber();
  const int last = document()->findBlock(static_cast<int>(start + added.size())).blockNumber();
  emit linesEdited(first, last);
}

void TCPMemo::KeepCaretBehindMarks() {
  if (programmatic_ > 0 || lines_ == 0) return;
  QTextCursor cursor = textCursor();
  const auto behind = [this](int at) {
    const QTextBlock block = document()->findBlock(at);
    return at == block.position() && block.text().startsWith(kMark) ? at + 1 : at;
  };
  const int position = behind(cursor.position());
  const int anchor = behind(cursor.anchor());
  if (position == cursor.position() && anchor == cursor.anchor()) return;
  cursor.setPosition(anchor);
  cursor.setPosition(position, QTextCursor::KeepAnchor);
  setTextCursor(cursor);
}

}  // namespace zil::mtext
