// The workbench's command line, as in AutoCAD: the history of what ran (commands, prompts and their
// answers, what the add-in's members and queued commands did, failures in red) above a prompt and an
// input line. Return submits the line (an empty one is Enter), Escape cancels, Up and Down recall lines
// typed before. What a submitted line means is the workbench's concern.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStringList>
#include <QWidget>

namespace zil::workbench {

class CommandLine final : public QWidget {
  Q_OBJECT

 public:
  explicit CommandLine(QWidget* parent = nullptr);

  // The prompt in front of the input line ("Command:" when no command waits for input).
  void SetPrompt(const QString& prompt);
  QString Prompt() const { return prompt_->text(); }
  // A line of the history: what was typed after its prompt, what happened, what failed.
  void Echo(const QString& prompt, const QString& typed);
  void Message(const QString& text);
  void Error(const QString& text);
  // The history as plain text (for tests).
  QString History() const { return history_->toPlainText(); }
  QLineEdit* Input() const noexcept { return input_; }

 signals:
  void submitted(const QString& line);
  void cancelled();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Append(const QString& html);

  QPlainTextEdit* history_;
  QLabel* prompt_;
  QLineEdit* input_;
  QStringList typed_;
  int recall_ = 0;
};

}  // namespace zil::workbench
