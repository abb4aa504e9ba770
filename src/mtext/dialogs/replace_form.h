// The replace editor (TfrmEditor): every gathered text of the drawing is one line of the memo, in the
// stored-order edit form of its font type, and stays tied to its text (stored_order_memo.h). The user types
// into the lines (Hebrew runs right to left, as they are stored), finds a text and steps through the lines
// that hold it, replaces a text with or without being asked, adds a number to the number in every line,
// reverses every line, restores every line as it was read ("Undo"), and shows the text of the caret's line
// in the drawing ("Selected to screen"). The status bar shows the caret's line and column and what a find
// found, and why an edit was refused.
//
// "Ok" and the window's close button end the editing with the lines to be written back; "Cancel" and
// Escape drop every change. The search and replacement histories are the add-in's (EditorsState) and are
// kept from one showing to the next. The keyboard goes to Hebrew when the form is shown and follows the
// layout the user picks outside the language buttons; it goes back to US English when the form closes.
//
// QtReplaceEditor runs the form for the replace flow (replace_texts.h).
#pragma once

#include <QTimer>
#include <string>
#include <vector>

#include "acad/host_state.h"
#include "dialogs/form.h"
#include "dialogs/language_buttons.h"
#include "mtext/dialogs/editors_state.h"
#include "mtext/replace_texts.h"
#include "textcore/font_converter.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;
class QToolButton;

namespace zil::dialogs {
class HebrewTyping;
}

namespace zil::mtext {

class TCPMemo;

class TfrmEditor final : public dialogs::Form {
  Q_OBJECT

 public:
  TfrmEditor(ReplaceEditing& editing, acad::HostState& host, const textcore::FontConverter& conv, EditorsState& state,
             platform::Services services, QWidget* parent = nullptr);
  ~TfrmEditor() override;

  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void btnFindClick();
  void btnDownClick();
  void btnUpClick();
  void ToolButton1Click();  // replace
  void btnNumberClick();
  void btn1Click();         // reverse
  void ToolButton4Click();  // undo every change
  void Button2Click();      // selected to screen
  void Button1Click();      // cancel

  // The memo's handlers.
  bool Memo1KeyDown(QKeyEvent* event);
  void Memo1Change(int first, int last);
  void ShowCaret();

  void SelectOccurrence(int line, const std::u16string& text);
  void MarkChanged(int line);
  // A combo box's text, put at the top of its list when the list does not hold it yet.
  std::u16string TakeText(QComboBox* box);
  void Unhighlight();

  ReplaceEditing& editing_;
  acad::HostState& host_;
  const textcore::FontConverter& conv_;
  EditorsState& state_;
  dialogs::HebrewTyping* typing_;
  std::vector<int> foundlist;
  int Row = 0;
  int Col = 0;
  int pCurLoc = -1;
  bool deleteF = false;
  bool replacing = false;
  std::u16string findText;
  std::vector<acad::EntityPtr> highlighted_;

  QToolButton* tbHeb;
  QToolButton* tbEng;
  QToolButton* ToolButton1;
  QToolButton* btnFind;
  QToolButton* ToolButton4;
  QPushButton* btnOk;
  QPushButton* Button1;
  QToolButton* btnNumber;
  QLineEdit* Edit1;
  QToolButton* btn1;
  QWidget* pnlSearch;
  QComboBox* cbxsearch;
  QComboBox* cbxReplace;
  QCheckBox* ChAll;
  QPushButton* Button2;
  QToolButton* btnDown;
  QToolButton* btnUp;
  TCPMemo* Memo1;
  QStatusBar* StatusBar1;
  std::vector<QLabel*> StatusPanels;  // the status bar's panels
  QTimer Timer2;
  dialogs::LanguageButtons* languages_;
};

class QtReplaceEditor final : public ReplaceEditor {
 public:
  QtReplaceEditor(acad::HostState& host, const textcore::FontConverter& conv, EditorsState& state,
                  platform::Services services)
      : host_(host), conv_(conv), state_(state), services_(services) {}
  bool Edit(ReplaceEditing& editing) override;

 private:
  acad::HostState& host_;
  const textcore::FontConverter& conv_;
  EditorsState& state_;
  platform::Services services_;
};

}  // namespace zil::mtext
