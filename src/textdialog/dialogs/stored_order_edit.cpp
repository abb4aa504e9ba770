#include "textdialog/dialogs/stored_order_edit.h"

#include <QFocusEvent>
#include <QFontMetrics>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>

#include "platform/qt/qt_strings.h"

namespace zil::textdialog {
namespace {

constexpr int kInnerMargin = 3;  // between the frame and the text

}  // namespace

StoredOrderEdit::StoredOrderEdit(platform::Clipboard& clipboard, QWidget* parent)
    : QWidget(parent), clipboard_(clipboard) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled);
  setCursor(Qt::IBeamCursor);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  setBackgroundRole(QPalette::Base);
}

void StoredOrderEdit::setText(const QString& text) {
  const bool changed = text != text_;
  text_ = text;
  caret_ = anchor_ = static_cast<int>(text_.size());
  update();
  if (changed) emit textChanged(text_);
}

void StoredOrderEdit::setCursorPosition(int position) { MoveCaret(position, false); }

QString StoredOrderEdit::selectedText() const {
  const int from = std::min(anchor_, caret_), to = std::max(anchor_, caret_);
  return text_.mid(from, to - from);
}

void StoredOrderEdit::selectAll() {
  anchor_ = 0;
  caret_ = static_cast<int>(text_.size());
  update();
}

void StoredOrderEdit::insert(const QString& text) {
  Replace(std::min(anchor_, caret_), std::max(anchor_, caret_), text);
}

void StoredOrderEdit::Replace(int from, int to, const QString& with) {
  if (from == to && with.isEmpty()) {
    anchor_ = caret_ = from;
    update();
    return;
  }
  text_.replace(from, to - from, with);
  caret_ = anchor_ = from + static_cast<int>(with.size());
  update();
  emit textChanged(text_);
}

void StoredOrderEdit::MoveCaret(int position, bool select) {
  caret_ = std::clamp(position, 0, static_cast<int>(text_.size()));
  if (!select) anchor_ = caret_;
  update();
}

std::vector<int> StoredOrderEdit::Boundaries() const {
  // Each character measured alone: nothing is reordered or joined.
  const QFontMetrics metrics(font());
  std::vector<int> x(static_cast<std::size_t>(text_.size()) + 1, 0);
  for (qsizetype i = 0; i < text_.size(); ++i)
    x[static_cast<std::size_t>(i) + 1] = x[static_cast<std::size_t>(i)] + metrics.horizontalAdvance(QString(text_[i]));
  return x;
}

QRect StoredOrderEdit::TextArea() const {
  const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
  return rect().adjusted(frame + kInnerMargin, frame, -(frame + kInnerMargin), -frame);
}

int StoredOrderEdit::Origin(const std::vector<int>& boundaries) const {
  const QRect area = TextArea();
  const int width = boundaries.back();
  if (width <= area.width()) {
    scroll_ = 0;
    return area.right() + 1 - width;  // right-justified
  }
  const int caretX = boundaries[static_cast<std::size_t>(caret_)];
  if (caretX - scroll_ > area.width()) scroll_ = caretX - area.width();
  if (caretX - scroll_ < 0) scroll_ = caretX;
  scroll_ = std::clamp(scroll_, 0, width - area.width());
  return area.left() - scroll_;
}

int StoredOrderEdit::PositionAt(int x) const {
  const std::vector<int> boundaries = Boundaries();
  const int relative = x - Origin(boundaries);
  int best = 0;
  for (std::size_t i = 1; i < boundaries.size(); ++i)
    if (std::abs(boundaries[i] - relative) < std::abs(boundaries[static_cast<std::size_t>(best)] - relative))
      best = static_cast<int>(i);
  return best;
}

QSize StoredOrderEdit::sizeHint() const {
  const QFontMetrics metrics(font());
  const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
  return {metrics.horizontalAdvance(QLatin1Char('x')) * 17 + 2 * (frame + kInnerMargin),
          metrics.height() + 2 * frame + 4};
}

QSize StoredOrderEdit::minimumSizeHint() const {
  const QSize hint = sizeHint();
  return {QFontMetrics(font()).horizontalAdvance(QLatin1Char('x')) * 3, hint.height()};
}

void StoredOrderEdit::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QStyleOptionFrame frame;
  frame.initFrom(this);
  frame.rect = rect();
  frame.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, this);
  frame.midLineWidth = 0;
  frame.state |= QStyle::State_Sunken;
  style()->drawPrimitive(QStyle::PE_PanelLineEdit, &frame, &painter, this);

  const QRect area = TextArea();
  painter.setClipRect(area);
  painter.setFont(font());
  const std::vector<int> x = Boundaries();
  const int origin = Origin(x);
  const QFontMetrics metrics(font());
  const int baseline = area.top() + (area.height() - metrics.height()) / 2 + metrics.ascent();
  const int top = baseline - metrics.ascent();
  const int from = std::min(anchor_, caret_), to = std::max(anchor_, caret_);
  if (from != to) {
    painter.fillRect(QRect(origin + x[static_cast<std::size_t>(from)], top,
                           x[static_cast<std::size_t>(to)] - x[static_cast<std::size_t>(from)], metrics.height()),
                     palette().brush(QPalette::Highlight));
  }
  for (qsizetype i = 0; i < text_.size(); ++i) {
    const bool selected = i >= from && i < to;
    painter.setPen(palette().color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter.drawText(QPoint(origin + x[static_cast<std::size_t>(i)], baseline), QString(text_[i]));
  }
  if (hasFocus()) {
    const int caretX = origin + x[static_cast<std::size_t>(caret_)];
    painter.fillRect(QRect(std::min(caretX, area.right()), top, 1, metrics.height()), palette().color(QPalette::Text));
  }
}

bool StoredOrderEdit::Handles(const QKeyEvent& key) const {
  if (key.matches(QKeySequence::SelectAll) || key.matches(QKeySequence::Copy) || key.matches(QKeySequence::Cut) ||
      key.matches(QKeySequence::Paste))
    return true;
  switch (key.key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
      return true;
    default:
      break;
  }
  const Qt::KeyboardModifiers held = key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
  // A character with Ctrl, Alt or Meta types nothing, as in a Windows edit box; Ctrl+Alt is AltGr there.
  const bool types = held == Qt::NoModifier || held == (Qt::ControlModifier | Qt::AltModifier);
  return types && !key.text().isEmpty() && key.text().front().isPrint();
}

bool StoredOrderEdit::event(QEvent* e) {
  if (e->type() == QEvent::ShortcutOverride && Handles(*static_cast<QKeyEvent*>(e))) {
    e->accept();
    return true;
  }
  return QWidget::event(e);
}

void StoredOrderEdit::keyPressEvent(QKeyEvent* key) {
  const bool shift = key->modifiers() & Qt::ShiftModifier;
  if (key->matches(QKeySequence::SelectAll)) {
    selectAll();
  } else if (key->matches(QKeySequence::Copy)) {
    if (hasSelectedText()) clipboard_.SetText(platform::FromQString(selectedText()));
  } else if (key->matches(QKeySequence::Cut)) {
    if (hasSelectedText()) {
      clipboard_.SetText(platform::FromQString(selectedText()));
      insert({});
    }
  } else if (key->matches(QKeySequence::Paste)) {
    QString pasted = platform::ToQString(clipboard_.Text());
    pasted.remove(QLatin1Char('\r'));
    insert(pasted.section(QLatin1Char('\n'), 0, 0));  // one line
  } else if (key->key() == Qt::Key_Left) {
    MoveCaret(!shift && hasSelectedText() ? std::min(anchor_, caret_) : caret_ - 1, shift);
  } else if (key->key() == Qt::Key_Right) {
    MoveCaret(!shift && hasSelectedText() ? std::max(anchor_, caret_) : caret_ + 1, shift);
  } else if (key->key() == Qt::Key_Home) {
    MoveCaret(0, shift);
  } else if (key->key() == Qt::Key_End) {
    MoveCaret(static_cast<int>(text_.size()), shift);
  } else if (key->key() == Qt::Key_Backspace) {
    if (hasSelectedText()) {
      insert({});
    } else if (caret_ > 0) {
      Replace(caret_ - 1, caret_, {});
    }
  } else if (key->key() == Qt::Key_Delete) {
    if (hasSelectedText()) {
      insert({});
    } else if (caret_ < text_.size()) {
      Replace(caret_, caret_ + 1, {});
    }
  } else if (Handles(*key)) {
    insert(key->text());
  } else {
    key->ignore();  // Return, Escape, Tab and the rest are the dialog's
    return;
  }
  key->accept();
}

void StoredOrderEdit::inputMethodEvent(QInputMethodEvent* event) {
  if (!event->commitString().isEmpty()) insert(event->commitString());
  event->accept();
}

QVariant StoredOrderEdit::inputMethodQuery(Qt::InputMethodQuery query) const {
  switch (query) {
    case Qt::ImEnabled:
      return true;
    case Qt::ImCursorPosition:
      return caret_;
    case Qt::ImSurroundingText:
      return text_;
    case Qt::ImCursorRectangle: {
      const std::vector<int> x = Boundaries();
      return QRect(Origin(x) + x[static_cast<std::size_t>(caret_)], TextArea().top(), 1, TextArea().height());
    }
    default:
      return QWidget::inputMethodQuery(query);
  }
}

void StoredOrderEdit::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  setFocus(Qt::MouseFocusReason);
  MoveCaret(PositionAt(event->position().toPoint().x()), event->modifiers() & Qt::ShiftModifier);
}

void StoredOrderEdit::mouseMoveEvent(QMouseEvent* event) {
  if (event->buttons() & Qt::LeftButton) MoveCaret(PositionAt(event->position().toPoint().x()), true);
}

void StoredOrderEdit::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) selectAll();
}

void StoredOrderEdit::focusInEvent(QFocusEvent* event) {
  update();
  QWidget::focusInEvent(event);
}

void StoredOrderEdit::focusOutEvent(QFocusEvent* event) {
  update();
  QWidget::focusOutEvent(event);
}

void StoredOrderEdit::resizeEvent(QResizeEvent* event) {
  update();
  QWidget::resizeEvent(event);
}

}  // namespace zil::textdialog
