// "Fonts Definition" (TfrmFonts): the user's view of the font table of the font definitions object. It
// shows the definition file in use and its table of font names and font-type words; the user adds rows
// (empty, or named after a font file), deletes them, edits names and words, loads another definition file
// or saves the table as one. Whichever way the form closes, the table is written into the "Fonts" section
// of the definition file in use: Cancel keeps the edits too. The table itself lives on in the font
// definitions between showings; a form is made for each showing.
#pragma once

#include "config/font_definitions.h"
#include "dialogs/form.h"
#include "platform/file_choosers.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QToolButton;
class QWidget;

namespace zil::dialogs {
class DataModule;
class HebrewTyping;
}  // namespace zil::dialogs

namespace zil::config {

class FontMapsDelegate;
class FontMapsModel;

class TfrmFonts final : public dialogs::Form {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 417;
  static constexpr int kClientHeight = 407;

  TfrmFonts(FontDefinitions& fonts, platform::Services services, dialogs::DataModule& icons, QWidget* parent = nullptr);
  ~TfrmFonts() override;

  // Closing, whichever way: the closing write, then the modal result.
  void done(int result) override;

 private:
  void SpeedButton1Click();  // load another definition file
  void SpeedButton2Click();  // save the table as another definition file
  void btnNewClick();
  void Button1Click();  // a row named after a font file
  void btnDeleteClick();
  void FormClose();  // the closing write
  void fontmapsRefused(const QString& message);

  int CurrentRow() const;
  void MakeCurrent(int row, int column);
  void ShowFile();

  FontDefinitions& fonts_;
  dialogs::HebrewTyping* typing_;
  FontMapsModel* model_;
  FontMapsDelegate* delegate_;
  bool edited_ = false;  // the table changed since it was last loaded or written

  QWidget* Panel1;
  QLabel* Label1;
  QLineEdit* Edit1;
  QToolButton* SpeedButton1;
  QToolButton* SpeedButton2;
  QTableView* fontmaps;
  QWidget* Panel2;
  QPushButton* btnNew;
  QPushButton* Button1;
  QPushButton* btnDelete;
  QPushButton* btnOk;
  QPushButton* btnCancel;
  platform::FileChoice OpenDialog1;  // a font file for "&New from file"
  platform::FileChoice OpenDialog2;  // a definition file to load
  platform::FileChoice SaveDialog1;  // a definition file to save as
};

}  // namespace zil::config
