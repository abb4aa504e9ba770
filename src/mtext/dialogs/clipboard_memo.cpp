#include "mtext/dialogs/clipboard_memo.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <memory>

#include "platform/qt/qt_strings.h"

namespace zil::mtext {

ClipboardMemo::ClipboardMemo(platform::Clipboard& clipboard, QWidget* parent)
    : QPlainTextEdit(parent), clipboard_(clipboard) {}

std::u16string ClipboardMemo::ToClipboard(const QString& selected) const { return platform::FromQString(selected); }

QString ClipboardMemo::FromClipboard(const std::u16string& text) const { return platform::ToQString(text); }

void ClipboardMemo::InsertText(const QString& text) { textCursor().insertText(text); }

void ClipboardMemo::CutToClipboard() {
  if (isReadOnly() || !textCursor().hasSelection()) return;
  CopyToClipboard();
  textCursor().removeSelectedText();
}

void ClipboardMemo::CopyToClipboard() {
  const QTextCursor cursor = textCursor();
  if (!cursor.hasSelection()) return;
  // The editor's selection marks line breaks with the paragraph separator; the clipboard takes line feeds.
  clipboard_.SetText(ToClipboard(cursor.selectedText().replace(QChar::ParagraphSeparator, u'\n')));
}

namespace {

// Line breaks of any platform as line feeds.
std::u16string WithLineFeeds(std::u16string text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'\r') {
      out += text[i];
    } else if (i + 1 == text.size() || text[i + 1] != u'\n') {
      out += u'\n';
    }
  }
  return out;
}

}  // namespace

void ClipboardMemo::PasteFromClipboard() {
  if (isReadOnly()) return;
  const std::u16string text = WithLineFeeds(clipboard_.Text());
  if (!text.empty()) InsertText(FromClipboard(text));
}

void ClipboardMemo::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Cut)) {
    CutToClipboard();
  } else if (event->matches(QKeySequence::Copy)) {
    CopyToClipboard();
  } else if (event->matches(QKeySequence::Paste)) {
    PasteFromClipboard();
  } else {
    QPlainTextEdit::keyPressEvent(event);
    return;
  }
  event->accept();
}

void ClipboardMemo::contextMenuEvent(QContextMenuEvent* event) {
  const std::unique_ptr<QMenu> menu(createStandardContextMenu(event->pos()));
  // The standard entries reach the system clipboard directly: they are given the service instead.
  const struct {
    const char* name;
    void (ClipboardMemo::*action)();
  } routed[] = {{"edit-cut", &ClipboardMemo::CutToClipboard},
                {"edit-copy", &ClipboardMemo::CopyToClipboard},
                {"edit-paste", &ClipboardMemo::PasteFromClipboard}};
  for (const auto& r : routed) {
    if (QAction* action = menu->findChild<QAction*>(QString::fromLatin1(r.name))) {
      action->disconnect();
      connect(action, &QAction::triggered, this, r.action);
      if (r.action == &ClipboardMemo::PasteFromClipboard)
        action->setEnabled(!isReadOnly() && !clipboard_.Text().empty());
    }
  }
  menu->exec(event->globalPos());
}

QMimeData* ClipboardMemo::createMimeDataFromSelection() const {
  auto* mime = new QMimeData;
  mime->setText(
      platform::ToQString(ToClipboard(textCursor().selectedText().replace(QChar::ParagraphSeparator, u'\n'))));
  return mime;
}

void ClipboardMemo::insertFromMimeData(const QMimeData* source) {
  if (source->hasText()) InsertText(FromClipboard(WithLineFeeds(platform::FromQString(source->text()))));
}

}  // namespace zil::mtext
