#include "mtext/dialogs/replace_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "dialogs/dialog_fonts.h"
#include "dialogs/hebrew_typing.h"
#include "dialogs/named.h"
#include "dialogs/status_panels.h"
#include "mtext/dialogs/stored_order_memo.h"
#include "mtext/numbers.h"
#include "mtext/replace_lines.h"
#include "platform/qt/qt_strings.h"
#include "textcore/keyboard.h"

namespace zil::mtext {
namespace {

using dialogs::Named;

constexpr int kDesignedTop = 120;

QToolButton* TextButton(QWidget* parent, const char* name, const QString& caption, const QString& hint = {}) {
  auto* button = Named(new QToolButton(parent), name);
  button->setText(caption);
  button->setToolButtonStyle(Qt::ToolButtonTextOnly);
  button->setToolTip(hint);
  button->setAutoRaise(true);
  return button;
}

QPushButton* PushButton(QWidget* parent, const char* name, const QString& caption, const QString& hint = {}) {
  auto* button = Named(new QPushButton(caption, parent), name);
  button->setToolTip(hint);
  button->setAutoDefault(false);  // Enter in the search boxes must not close the editor
  return button;
}

QComboBox* HistoryBox(QWidget* parent, const char* name, const std::vector<std::u16string>& history) {
  auto* box = Named(new QComboBox(parent), name);
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  box->setLayoutDirection(Qt::RightToLeft);
  for (const std::u16string& item : history) box->addItem(platform::ToQString(item));
  box->setCurrentIndex(-1);
  box->setEditText(QString());
  return box;
}

std::vector<std::u16string> Items(const QComboBox* box) {
  std::vector<std::u16string> items;
  for (int i = 0; i < box->count(); ++i) items.push_back(platform::FromQString(box->itemText(i)));
  return items;
}

bool IsHebrewLetter(char16_t c) { return c >= u'\u05D0' && c <= u'\u05EA'; }

}  // namespace

TfrmEditor::TfrmEditor(ReplaceEditing& editing, acad::HostState& host, const textcore::FontConverter& conv,
                       EditorsState& state, platform::Services services, QWidget* parent)
    : Form(services, parent),
      editing_(editing),
      host_(host),
      conv_(conv),
      state_(state),
      typing_(new dialogs::HebrewTyping(services.keyboard, this)) {
  setObjectName(QStringLiteral("frmEditor"));
  setWindowTitle(QStringLiteral("zil Replace"));
  host_.BuildKeyboardList(services.keyboard);

  auto* bar = Named(new QWidget(this), "ToolBar1");
  tbHeb = TextButton(bar, "tbHeb", QStringLiteral("Hebrew"));
  tbEng = TextButton(bar, "tbEng", QStringLiteral("English"));
  ToolButton1 = TextButton(bar, "ToolButton1", QStringLiteral("Replace"));
  btnFind = TextButton(bar, "btnFind", QStringLiteral("Find"));
  ToolButton4 = TextButton(bar, "ToolButton4", QStringLiteral("Undo"));
  btnNumber = TextButton(bar, "btnNumber", QStringLiteral("#"), QStringLiteral("Add Number to Numerical  value"));
  Edit1 = Named(new QLineEdit(bar), "Edit1");
  Edit1->setToolTip(QStringLiteral("Number"));
  Edit1->setPlaceholderText(QStringLiteral("Put Number here"));
  Edit1->setFixedWidth(Edit1->fontMetrics().horizontalAdvance(Edit1->placeholderText()) + 16);
  btn1 = TextButton(bar, "btn1", QStringLiteral("Reverse"), QStringLiteral("Reverse all text"));
  Button2 = PushButton(bar, "Button2", QStringLiteral("Selected to screen"));
  btnOk = PushButton(bar, "btnOk", QStringLiteral("Ok"), QStringLiteral("Exit"));
  Button1 = PushButton(bar, "Button1", QStringLiteral("Cancel"), QStringLiteral("Exit without changing"));
  auto* barRow = new QHBoxLayout(bar);
  barRow->setContentsMargins(0, 0, 0, 0);
  barRow->setSpacing(2);
  for (QWidget* w : std::initializer_list<QWidget*>{tbHeb, tbEng, ToolButton1, btnFind, ToolButton4, btnNumber, Edit1,
                                                    btn1, Button2})
    barRow->addWidget(w);
  barRow->addStretch(1);
  barRow->addWidget(btnOk);
  barRow->addWidget(Button1);

  pnlSearch = Named(new QWidget(this), "pnlSearch");
  auto* findLabel = Named(new QLabel(QStringLiteral("&Text to find"), pnlSearch), "Label1");
  cbxsearch = HistoryBox(pnlSearch, "cbxsearch", state_.searchHistory);
  findLabel->setBuddy(cbxsearch);
  auto* replaceLabel = Named(new QLabel(QStringLiteral("&Replace with"), pnlSearch), "Label2");
  cbxReplace = HistoryBox(pnlSearch, "cbxReplace", state_.replacementHistory);
  replaceLabel->setBuddy(cbxReplace);
  ChAll = Named(new QCheckBox(QStringLiteral("Prompt on Replace"), pnlSearch), "ChAll");
  ChAll->setChecked(true);
  btnDown = Named(new QToolButton(pnlSearch), "btnDown");
  btnDown->setArrowType(Qt::DownArrow);
  btnUp = Named(new QToolButton(pnlSearch), "btnUp");
  btnUp->setArrowType(Qt::UpArrow);
  auto* searchGrid = new QGridLayout(pnlSearch);
  searchGrid->setContentsMargins(0, 0, 0, 0);
  searchGrid->addWidget(findLabel, 0, 0);
  searchGrid->addWidget(cbxsearch, 0, 1);
  searchGrid->addWidget(btnDown, 0, 2);
  searchGrid->addWidget(btnUp, 0, 3);
  searchGrid->addWidget(replaceLabel, 1, 0);
  searchGrid->addWidget(cbxReplace, 1, 1);
  searchGrid->addWidget(ChAll, 1, 2, 1, 2);
  searchGrid->setColumnStretch(1, 1);
  for (QComboBox* box : {cbxsearch, cbxReplace}) typing_->Watch(box);

  Memo1 = Named(new TCPMemo(services.clipboard, conv_, this), "Memo1");
  Memo1->setFont(dialogs::DialogFontPoints(u"Courier New", 12, true));
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  typing_->Watch(Memo1);
  replacing = true;
  std::vector<std::u16string> lines;
  for (const rstrec& record : editing_.records) lines.push_back(record.s);
  Memo1->SetLines(lines);
  Memo1->setReadOnly(lines.empty());
  replacing = false;

  StatusBar1 = Named(new QStatusBar(this), "StatusBar1");
  StatusPanels = dialogs::AddStatusPanels(*StatusBar1, {70, 70, 200});

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 0);
  layout->addWidget(bar);
  layout->addWidget(pnlSearch);
  layout->addWidget(Memo1, 1);
  layout->addWidget(StatusBar1);
  resize(720, 460);
  SetDesignedTop(kDesignedTop);

  Timer2.setObjectName(QStringLiteral("Timer2"));
  languages_ = new dialogs::LanguageButtons(tbHeb, tbEng, services.keyboard, state_.replaceLanguage, Timer2, this);
  languages_->Sync(dialogs::DialogLanguage::Hebrew);

  Memo1->beforeKey = [this](QKeyEvent* event) { return Memo1KeyDown(event); };
  connect(Memo1, &TCPMemo::linesEdited, this, [this](int first, int last) { Memo1Change(first, last); });
  connect(Memo1, &TCPMemo::refused, this, [this](const QString& why) { StatusPanels[2]->setText(why); });
  connect(Memo1, &QPlainTextEdit::cursorPositionChanged, this, [this] {
    if (Memo1->CaretLine() != Row) pCurLoc = -1;  // a run begun in one line goes on in no other
    ShowCaret();
  });
  Memo1->installEventFilter(this);
  Memo1->viewport()->installEventFilter(this);
  cbxsearch->installEventFilter(this);

  const auto on = [this](auto* button, void (TfrmEditor::*handler)()) {
    connect(button, &QAbstractButton::clicked, this,
            [this, handler] { Guard([this, handler] { (this->*handler)(); }); });
  };
  on(ToolButton1, &TfrmEditor::ToolButton1Click);
  on(btnFind, &TfrmEditor::btnFindClick);
  on(ToolButton4, &TfrmEditor::ToolButton4Click);
  on(btnNumber, &TfrmEditor::btnNumberClick);
  on(btn1, &TfrmEditor::btn1Click);
  on(Button2, &TfrmEditor::Button2Click);
  on(btnDown, &TfrmEditor::btnDownClick);
  on(btnUp, &TfrmEditor::btnUpClick);
  on(Button1, &TfrmEditor::Button1Click);
  connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
}

TfrmEditor::~TfrmEditor() = default;

void TfrmEditor::showEvent(QShowEvent* event) {
  Form::showEvent(event);
  pCurLoc = -1;
  replacing = false;
  languages_->Sync(dialogs::DialogLanguage::Hebrew);
  Memo1->setFocus();
  ShowCaret();
}

// The window's close button ends the editing as "Ok" does: the changes are written back.
void TfrmEditor::closeEvent(QCloseEvent* event) {
  accept();
  event->accept();
}

void TfrmEditor::done(int result) {
  Timer2.stop();
  editing_.lines = result == QDialog::Accepted ? Memo1->Lines() : std::vector<std::u16string>{};
  state_.searchHistory = Items(cbxsearch);
  state_.replacementHistory = Items(cbxReplace);
  Unhighlight();
  languages_->Sync(dialogs::DialogLanguage::English);
  Form::done(result);
}

bool TfrmEditor::eventFilter(QObject* watched, QEvent* event) {
  if (watched == cbxsearch && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Tab) {
    cbxReplace->setFocus(Qt::TabFocusReason);
    return true;
  }
  if (watched == Memo1->viewport() && event->type() == QEvent::MouseButtonPress) pCurLoc = -1;
  if (watched == Memo1 && event->type() == QEvent::FocusIn) ShowCaret();
  return Form::eventFilter(watched, event);
}

// --- typing in stored order ---

bool TfrmEditor::Memo1KeyDown(QKeyEvent* event) {
  deleteF = false;
  if (replacing || Memo1->isReadOnly()) return false;
  const bool hebrew = textcore::KeyboardIsHebrew(services_.keyboard);
  const int key = event->key();
  if (key == Qt::Key_Backspace || (key == Qt::Key_Delete && !Memo1->textCursor().hasSelection())) {
    deleteF = true;
    // Deleting in right-to-left reading: Backspace takes the character the caret came after (on its right),
    // Delete the one on its left.
    const auto after = Memo1->CharAfterCaret();
    if (hebrew && after && (IsHebrewLetter(*after) || *after == u' ' || *after == u',' || *after == u'.')) {
      if (key == Qt::Key_Backspace) {
        Memo1->SetCaretPosition(Memo1->CaretPosition() + 1);
      } else if (Memo1->CaretColumn() > 0) {
        Memo1->SetCaretPosition(Memo1->CaretPosition() - 1);
      }
    }
    return false;
  }
  if (hebrew) {
    // A Hebrew letter or space typed after a left-to-right run goes in front of the whole run.
    // (Not for shortcuts: Ctrl+X must cut the selection where it is.)
    const bool shortcut = (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0;
    if (!shortcut && (key == Qt::Key_Space || (key >= Qt::Key_A && key <= Qt::Key_Z)) && pCurLoc > 0)
      Memo1->SetCaretPosition(pCurLoc - 1);
    if (platform::LanguageOf(services_.keyboard.Active()) != platform::kHebrewLanguage)
      languages_->Sync(dialogs::DialogLanguage::Hebrew);
  }
  return false;
}

void TfrmEditor::Memo1Change(int first, int last) {
  if (replacing) return;
  for (int line = first; line <= last; ++line) MarkChanged(line);
  const auto before = Memo1->CharBeforeCaret();
  if (before) {
    if (textcore::KeyboardIsHebrew(services_.keyboard) &&
        (*before == u' ' || *before == u'\'' || IsHebrewLetter(*before))) {
      pCurLoc = -1;
      // The next character goes in front of the one just typed: Hebrew runs right to left.
      if (!deleteF) Memo1->SetCaretPosition(Memo1->CaretPosition() - 1);
    } else if (pCurLoc == -1) {
      pCurLoc = Memo1->CaretPosition();
    }
  }
  ShowCaret();
}

void TfrmEditor::ShowCaret() {
  Row = Memo1->CaretLine();
  Col = Memo1->CaretColumn();
  StatusPanels[0]->setText(QString::number(Row));
  StatusPanels[1]->setText(QString::number(Col));
}

void TfrmEditor::MarkChanged(int line) {
  if (line >= 0 && static_cast<std::size_t>(line) < editing_.records.size())
    editing_.records[static_cast<std::size_t>(line)].Update = true;
}

// --- find and replace ---

std::u16string TfrmEditor::TakeText(QComboBox* box) {
  QString text = box->currentText();
  for (QChar& c : text)
    if (c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator) c = u' ';
  if (!text.isEmpty() && box->findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive) < 0) {
    box->insertItem(0, text);
    box->setCurrentIndex(0);
  }
  return platform::FromQString(text);
}

void TfrmEditor::SelectOccurrence(int line, const std::u16string& text) {
  const std::size_t at = Memo1->Line(line).find(text);
  if (at != std::u16string::npos) Memo1->Select(line, static_cast<int>(at), static_cast<int>(text.size()));
}

void TfrmEditor::btnFindClick() {
  if (Memo1->LineCount() == 0) return;
  replacing = false;
  Memo1->setReadOnly(true);  // until a replace run ends
  findText = conv_.cWinToDos(TakeText(cbxsearch));
  foundlist.clear();
  for (const std::size_t line : FindLines(Memo1->Lines(), findText)) foundlist.push_back(static_cast<int>(line));
  if (!foundlist.empty()) SelectOccurrence(foundlist.front(), findText);
  StatusPanels[2]->setText(QStringLiteral("Found %1 items").arg(foundlist.size()));
}

void TfrmEditor::btnDownClick() {
  if (foundlist.empty()) return;
  Row = Memo1->CaretLine();
  for (const int line : foundlist) {
    if (line > Row) {
      SelectOccurrence(line, findText);
      return;
    }
  }
}

void TfrmEditor::btnUpClick() {
  if (foundlist.empty()) return;
  Row = Memo1->CaretLine();
  for (auto line = foundlist.rbegin(); line != foundlist.rend(); ++line) {
    if (*line < Row) {
      SelectOccurrence(*line, findText);
      return;
    }
  }
}

void TfrmEditor::ToolButton1Click() {
  replacing = true;
  Memo1->setReadOnly(true);
  if (Memo1->LineCount() == 0) return;
  const bool prompt = ChAll->isChecked();
  const std::u16string search = conv_.cWinToDos(TakeText(cbxsearch));
  const std::u16string replacement = conv_.cWinToDos(TakeText(cbxReplace));
  const QPoint panel = pnlSearch->mapToGlobal(QPoint(0, 0));
  std::vector<std::u16string> lines = Memo1->Lines();
  const int count = ReplaceInLines(
      lines, search, replacement, prompt,
      [&](std::size_t line, std::size_t position) {
        Memo1->Select(static_cast<int>(line), static_cast<int>(position), static_cast<int>(search.size()));
        const platform::MessageAnswer answer =
            services_.messages.ShowAt(u"Warning", u"Replace this occurrence?", platform::MessageIcon::Warning,
                                      platform::MessageButtons::YesNoCancelAll, {panel.x(), panel.y()});
        switch (answer) {
          case platform::MessageAnswer::Yes:
          case platform::MessageAnswer::Ok:
            return ReplaceAnswer::Yes;
          case platform::MessageAnswer::All:
            return ReplaceAnswer::All;
          case platform::MessageAnswer::No: {
            QTextCursor cursor = Memo1->textCursor();
            cursor.clearSelection();
            Memo1->setTextCursor(cursor);
            return ReplaceAnswer::No;
          }
          case platform::MessageAnswer::Cancel:
            break;
        }
        return ReplaceAnswer::Cancel;
      },
      [&](std::size_t line, std::size_t position) {
        const int at = static_cast<int>(line);
        Memo1->SetLine(at, lines[line]);
        MarkChanged(at);
        Memo1->Select(at, static_cast<int>(position + replacement.size()), 0);
      });
  services_.messages.Show(u"Information", platform::FromQString(QString::number(count)) + u" replacement was made",
                          platform::MessageIcon::Information, platform::MessageButtons::Ok);
  replacing = false;
  Memo1->setReadOnly(false);
  cbxsearch->setFocus();
}

// --- whole-memo operations ---

void TfrmEditor::btnNumberClick() {
  if (Edit1->text().isEmpty()) return;
  const auto number = ParseDotNumber(platform::FromQString(Edit1->text()));
  if (!number) {
    services_.messages.Show(u"zil", u"the input is wrong", platform::MessageIcon::Warning,
                            platform::MessageButtons::Ok);
    return;
  }
  replacing = true;
  for (int line = 0; line < Memo1->LineCount(); ++line) {
    if (const auto changed = AddNumberToLine(Memo1->Line(line), *number)) {
      Memo1->SetLine(line, *changed);
      MarkChanged(line);
    }
  }
  replacing = false;  // typing afterwards is tracked again, or it would not be written back
}

void TfrmEditor::btn1Click() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  replacing = true;
  for (int line = 0; line < Memo1->LineCount(); ++line) {
    const std::u16string text = Memo1->Line(line);
    if (text.empty()) continue;
    Memo1->SetLine(line, ReverseLine(text));
    MarkChanged(line);
  }
  replacing = false;  // as after adding a number
  QApplication::restoreOverrideCursor();
}

void TfrmEditor::ToolButton4Click() {
  replacing = true;
  if (editing_.records.empty()) return;
  std::vector<std::u16string> lines;
  for (rstrec& record : editing_.records) {
    lines.push_back(record.s);
    record.Update = false;
  }
  Memo1->SetLines(lines);
  replacing = false;
}

void TfrmEditor::Button2Click() {
  Row = Memo1->CaretLine();
  if (Row < 0 || static_cast<std::size_t>(Row) >= editing_.records.size()) return;
  const acad::EntityPtr& entity = editing_.records[static_cast<std::size_t>(Row)].obj;
  host_.AcadApp->ZoomCenter(entity->InsertionPoint(), 5);
  entity->Highlight(true);
  highlighted_.push_back(entity);
  host_.AcadApp->Update();
}

// The texts shown in the drawing are shown plain again when the editor closes.
void TfrmEditor::Unhighlight() {
  for (const acad::EntityPtr& entity : highlighted_) {
    try {
      entity->Highlight(false);
    } catch (const std::exception&) {  // an entity gone meanwhile has nothing to show
    }
  }
  highlighted_.clear();
}

void TfrmEditor::Button1Click() { reject(); }

bool QtReplaceEditor::Edit(ReplaceEditing& editing) {
  TfrmEditor form(editing, host_, conv_, state_, services_);
  return form.ShowModal() == QDialog::Accepted;
}

}  // namespace zil::mtext
