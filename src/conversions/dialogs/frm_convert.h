// TfrmConvert, "Converting Drawing to REVIT": saves the drawing under a new name and converts that copy's
// texts to the TrueType style "ARIALREVIT" (../revit_conversion.h does the work).
//
// The target file (JvFilenameEdit1 with its browse button), "Save As and Convert" (Button2), "Save"
// (Button3), "Reload  base DWG" (Button4) and "CANCEL" (Button1); the busy indicator (ActivityIndicator1)
// shows the walk's progress while a conversion runs, and the window takes no other input meanwhile
// (walking_form.h); the
// hidden "Reverse Output Text" (CheckBox1) mirrors the setting reverseTTF and gives it back on closing.
// "Keep exact reading order" (chkExactOrder, off when the window opens) makes the conversion write each text
// in the exact reading order instead of the edit form.
// The default target is worked out when the window first becomes active, so that a name the user chose
// stays when the window becomes active again (after the file chooser, say).
#pragma once

#include "acad/host_state.h"
#include "config/font_definitions.h"
#include "conversions/dialogs/walking_form.h"
#include "conversions/revit_conversion.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QToolButton;

namespace zil::conversions {

class TfrmConvert final : public WalkingForm {
  Q_OBJECT

 public:
  TfrmConvert(acad::HostState& host, config::FontDefinitions& fonts, platform::Services services,
              QWidget* parent = nullptr);
  ~TfrmConvert() override;

  // What the last conversion did (nothing before one).
  const WalkReport& LastReport() const { return report_; }

 protected:
  bool event(QEvent* e) override;

 private:
  void FormActivate();
  void BrowseClick();
  void Button2Click();
  void Button3Click();
  void Button4Click();

  RevitConversion flow_;
  WalkReport report_;
  bool activated_ = false;

  QLabel* Label1;
  QLineEdit* JvFilenameEdit1;
  QToolButton* browse;
  QPushButton* Button2;
  QPushButton* Button3;
  QPushButton* Button4;
  QPushButton* Button1;
  QProgressBar* ActivityIndicator1;
  QCheckBox* CheckBox1;
  QCheckBox* chkExactOrder;
};

}  // namespace zil::conversions
