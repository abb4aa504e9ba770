#include "command_line.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QScrollBar>
#include <QVBoxLayout>

namespace zil::workbench {
namespace {

constexpr int kHistoryLines = 2000;

}  // namespace

CommandLine::CommandLine(QWidget* parent)
    : QWidget(parent), history_(new QPlainTextEdit(this)), prompt_(new QLabel(this)), input_(new QLineEdit(this)) {
  setObjectName(QStringLiteral("commandLine"));
  history_->setObjectName(QStringLiteral("commandHistory"));
  history_->setReadOnly(true);
  history_->setMaximumBlockCount(kHistoryLines);
  history_->setFocusPolicy(Qt::NoFocus);
  history_->setMinimumHeight(48);
  prompt_->setObjectName(QStringLiteral("commandPrompt"));
  input_->setObjectName(QStringLiteral("commandInput"));
  input_->installEventFilter(this);
  auto* line = new QHBoxLayout;
  line->setContentsMargins(0, 0, 0, 0);
  line->addWidget(prompt_);
  line->addWidget(input_, 1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->setSpacing(2);
  layout->addWidget(history_, 1);
  layout->addLayout(line);
  SetPrompt(QStringLiteral("Command:"));
}

void CommandLine::SetPrompt(const QString& prompt) { prompt_->setText(prompt); }

void CommandLine::Append(const QString& html) {
  history_->appendHtml(html);
  history_->verticalScrollBar()->setValue(history_->verticalScrollBar()->maximum());
}

void CommandLine::Echo(const QString& prompt, const QString& typed) {
  Append(prompt.toHtmlEscaped() + QStringLiteral(" <b>") + typed.toHtmlEscaped() + QStringLiteral("</b>"));
}

void CommandLine::Message(const QString& text) {
  for (const QString& line : text.split(QLatin1Char('\n'))) Append(line.toHtmlEscaped());
}

void CommandLine::Error(const QString& text) {
  for (const QString& line : text.split(QLatin1Char('\n')))
    Append(QStringLiteral("<span style=\"color:#c00000\">") + line.toHtmlEscaped() + QStringLiteral("</span>"));
}

bool CommandLine::eventFilter(QObject* watched, QEvent* event) {
  if (watched != input_ || event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: {
      const QString line = input_->text();
      input_->clear();
      if (!line.trimmed().isEmpty()) typed_.append(line);
      recall_ = static_cast<int>(typed_.size());
      emit submitted(line);
      return true;
    }
    case Qt::Key_Escape:
      input_->clear();
      emit cancelled();
      return true;
    case Qt::Key_Up:
      if (recall_ > 0) input_->setText(typed_.at(--recall_));
      return true;
    case Qt::Key_Down:
      if (recall_ + 1 < typed_.size()) {
        input_->setText(typed_.at(++recall_));
      } else {
        recall_ = static_cast<int>(typed_.size());
        input_->clear();
      }
      return true;
    default:
      return false;
  }
}

}  // namespace zil::workbench
