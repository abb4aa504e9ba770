// The MText editor (Tfrmmtext): a multi-line editor in which every line is one paragraph of an MText, with
// the buttons of the keyboard language (kept in step with the layout the user picks outside them), the
// clipboard and undo, the alignment (which also sets the reading direction of the lines), import from and
// export to a plain text file, the AutoCAD codes for degree, plus-minus and diameter, and the choice to
// write one text per line ("Explode") at a line spacing that the arrows step by a tenth of the MText
// height. The status bar shows the text style, its font and the MText height.
//
// "Explode" starts as the settings say and is stored back into them when the form goes; on an MText of the
// drawing it starts unchecked and the settings stay as they were. OK with "Explode" checked and a line
// spacing that is not a number says so and keeps the form open, so the lines typed are not lost. The
// keyboard goes to Hebrew when the form is shown and to US English when it closes.
//
// QtMTextEditor runs the form for the MText flows (mtext_editor.h).
#pragma once

#include <QTimer>
#include <vector>

#include "config/settings.h"
#include "dialogs/form.h"
#include "dialogs/language_buttons.h"
#include "mtext/mtext_editor.h"
#include "platform/file_choosers.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QStatusBar;
class QToolButton;
class QPushButton;

namespace zil::dialogs {
class HebrewTyping;
}

namespace zil::mtext {

class ClipboardMemo;

class Tfrmmtext final : public dialogs::Form {
  Q_OBJECT

 public:
  Tfrmmtext(config::Rinistr& settings, dialogs::LanguageState& language, platform::Services services,
            QWidget* parent = nullptr);
  ~Tfrmmtext() override;

  // Shows what the flow gives; Store gives back what the form holds.
  void Load(const MTextEditing& editing);
  void Store(MTextEditing& editing) const;

  // The lines of Memo1: one per paragraph, a last empty one not counted (as a memo counts its lines).
  std::vector<std::u16string> Lines() const;
  void SetLines(const std::vector<std::u16string>& lines);

  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void btnRClick();
  void btnLClick();
  void btnOPenClick();
  void btnSaveClick();
  void CheckBox1Click();
  void SpinButton1Step(int direction);
  void BitBtn1Click();
  void SetReading(bool rightToLeft);

  config::Rinistr& settings_;
  dialogs::HebrewTyping* typing_;
  double height_ = 0;                // the MText height, for the arrows
  bool explodeFromSettings_ = true;  // "Explode" started as the settings say and goes back to them

  QToolButton* btnHeb;
  QToolButton* btnEng;
  QToolButton* btnCopy;
  QToolButton* btnCut;
  QToolButton* btnPaste;
  QToolButton* btnUndo;
  QToolButton* btnR;
  QToolButton* btnL;
  QToolButton* btnOPen;
  QToolButton* btnSave;
  QToolButton* ToolButton3;
  QToolButton* ToolButton7;
  QToolButton* ToolButton8;
  ClipboardMemo* Memo1;
  QCheckBox* CheckBox1;
  QLineEdit* MaskEdit1;
  QWidget* SpinButton1;
  QPushButton* BitBtn1;
  QPushButton* BitBtn3;
  QStatusBar* StatusBar1;
  std::vector<QLabel*> StatusPanels;  // the status bar's panels
  QTimer Timer2;
  dialogs::LanguageButtons* languages_;
  platform::FileChoice OpenDialog1;
  platform::FileChoice SaveDialog1;
};

class QtMTextEditor final : public MTextEditor {
 public:
  QtMTextEditor(config::Rinistr& settings, dialogs::LanguageState& language, platform::Services services)
      : settings_(settings), language_(language), services_(services) {}
  bool Edit(MTextEditing& editing) override;

 private:
  config::Rinistr& settings_;
  dialogs::LanguageState& language_;
  platform::Services services_;
};

}  // namespace zil::mtext
