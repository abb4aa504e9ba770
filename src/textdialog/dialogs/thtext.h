// Thtext, the single-line text dialog: a wide, low window over the drawing that edits one text entity
// while the user types, so that the drawing shows the Hebrew text right as it grows (the session behind it,
// ../text_session.h, writes every change into the entity at once).
//
// Along the top (ToolBar1): the keyboard language (tbHeb, tbEng), the options menu (ToolButton9 with
// PopupMenu1: the editor for new and for existing texts, the stored-order editor's character set, reversed
// TrueType text), the text style menu (tbStyle with pupSt), height (edH) and angle (edAng), justification
// (cbxJust), the font type (edt1, changed with the spin button btn1) and the buttons that type AutoCAD's
// codes (ToolButton10, tb1..tb13). Below them the two editors, of which one shows: the Windows editor
// Edit1, which reads right to left in logical order, and the stored-order editor EditDos, which shows the
// text as the drawing stores it and makes Hebrew typing run right to left in it. Then OK, Cancel and
// "New Line" (Panel1) and the status bar, whose first panel names the editor in use; a click on it
// switches editors.
//
// The window keeps its height; its width and top come from the settings and go back to them when it
// closes. The keyboard switches to Hebrew when the dialog opens and to US English when it closes, and the
// language buttons follow a layout the user picks outside them (dialogs::LanguageFollower with the 100 ms
// timer Timer3).
#pragma once

#include <QTimer>
#include <array>
#include <map>
#include <memory>

#include "acad/host_state.h"
#include "config/font_definitions.h"
#include "dialogs/form.h"
#include "dialogs/language_follower.h"
#include "textdialog/stored_order.h"
#include "textdialog/text_dialog_state.h"
#include "textdialog/text_session.h"

class QAction;
class QActionGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QStatusBar;
class QToolBar;
class QToolButton;

namespace zil::dialogs {
class HebrewTyping;
}

namespace zil::textdialog {

class StoredOrderEdit;

class Thtext final : public dialogs::Form {
  Q_OBJECT

 public:
  static constexpr int kEditLeft = 9;  // Edit1's left edge; the editors keep it on both sides, less 20

  Thtext(acad::HostState& host, config::FontDefinitions& fonts, platform::Services services, TextDialogState& shared,
         dialogs::LanguageState& language, QWidget* parent = nullptr);
  ~Thtext() override;

  // The entity the dialog edits, before it is prepared.
  void SetHandle(std::u16string_view handle) { session_.chandle = handle; }
  // Prepares the dialog for the text the command layer has just placed, or for an existing text,
  // attribute or dimension. A failure leaves the drawing as it was (the undo group closed) and the
  // keyboard in US English, and propagates.
  void GetinputNewtext();
  void GetinputEdittext();

  // The session behind the form (the entity, the texts), for those who look at it.
  const TextSession& Session() const { return session_; }

  // Closing, whichever way: the undo group ends (after Cancel, "U " goes to the command line), the
  // keyboard returns to US English and the layout goes to the settings.
  void done(int result) override;
  // Cancel, and Escape: the closing undoes the dialog's work.
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  template <typename Steps>
  void Prepared(Steps&& steps);
  void ShowOpening(const Opening& opening);

  // Event handlers.
  void FormShow();
  void FormResize();
  void FormClose();
  void Edit1Change();
  void editDosChange();
  void edHExit();
  void edAngExit();
  void cbxJustChange(int index);
  void mnStyleClick(QAction* item);
  void btn1UpClick();
  void btn1DownClick();
  void btnNextClick();
  void btnOkClick();
  void BitBtn2Click();
  void tbHebClick();
  void tbEngClick();
  bool Edit1KeyDown(QKeyEvent& key);
  bool editDosKeyDown(QKeyEvent& key);
  bool KeyPress(QKeyEvent& key, bool storedOrder);
  void tbClick(int i);
  void ToolButton10Click();
  void WindowsPlain1Click();
  void Ansi1Click();
  void mnReverseTTFClick();
  void StatusBar1MouseDown(const QPoint& at);

  // Internal operations.
  void ChooseEditor();
  void SwitchEditor(int editor);
  void ShowSymbolButtons();
  void InsertIntoEditor(const QString& text);
  void SetEditorText(QWidget* editor, const QString& text);  // without a live update
  QString VisibleText() const;
  QWidget* VisibleEditor() const;
  bool Hebrew() const { return language_.language == dialogs::DialogLanguage::Hebrew; }
  void RestoreLayout();
  void SaveLayout();
  void SyncLanguageButtons();
  void SetStoredOrderFont(bool ansi);
  void SetShown(QWidget* tool, bool shown);

  config::FontDefinitions& fonts_;
  TextDialogState& shared_;
  dialogs::LanguageState& language_;
  TextSession session_;
  StoredOrderCaret caret_;  // pCurLoc and deleteF
  int FHeight = 0;
  bool shown_ = false;
  bool closed_ = false;

  QToolBar* ToolBar1;
  QToolButton* tbHeb;
  QToolButton* tbEng;
  QToolButton* ToolButton9;
  QToolButton* ToolButton1;
  QToolButton* tbStyle;
  QLabel* imgHeight;
  QLineEdit* edH;
  QLabel* imgAngle;
  QLineEdit* edAng;
  QComboBox* cbxJust;
  QLineEdit* edt1;
  QWidget* btn1;
  QToolButton* btn1Up;
  QToolButton* btn1Down;
  QToolButton* ToolButton10;
  std::array<QToolButton*, kSymbolButtons> btntArray{};  // tb1 .. tb13
  QWidget* editorRow;
  QLineEdit* Edit1;
  StoredOrderEdit* EditDos;
  QWidget* Panel1;
  QPushButton* btnOk;
  QPushButton* BitBtn2;
  QPushButton* btnNext;
  QStatusBar* StatusBar1;
  QLabel* statusPanel0;
  QLabel* statusPanel1;
  QMenu* pupSt;
  QActionGroup* styleGroup;
  QAction* checkedStyle_ = nullptr;  // the style last checked in pupSt
  QMenu* PopupMenu1;
  QMenu* EditorforNewText1;
  QAction* WindowsRTF1;
  QAction* WindowsPlain1;
  QAction* DOS1;
  QAction* previous1;
  QMenu* EditorforrEditText1;
  QAction* WindowsRTF2;
  QAction* WindowsPlain2;
  QAction* DOS2;
  QAction* previous2;
  QMenu* CharSet1;
  QAction* Ansi1;
  QAction* OEM1;
  QAction* mnReverseTTF;
  QTimer* Timer3;
  dialogs::HebrewTyping* typing_;
  std::unique_ptr<dialogs::LanguageFollower> follower_;  // the language hook
  std::map<QWidget*, QAction*> toolActions_;             // the tool bar's action of each of its widgets
};

}  // namespace zil::textdialog
