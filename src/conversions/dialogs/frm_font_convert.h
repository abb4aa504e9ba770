// TfrmFontConvert, "Veltro Font Converter": the fonts of the drawing's text styles in a check list
// (CheckListBox1, each font once, sorted; "Selct All" Button2 and "Unselect All" Button4 below it) and two
// pages: "Convert Fonts" rewrites the texts of the checked fonts for the font of a target style
// (ComboBox1) and gives them that style ("Change Right to Left order" chxRightLeft, "Convert »" Button1);
// "Convert Font's Mapping" transcodes their strings to another mapping (RadioGroup1) and, on request,
// reverses them ("Reverse" CheckBox1, "Remap to »" Button5). ../font_conversion.h does the work; after
// either action the check marks and the target style are cleared.
//
// While a walk runs its page's activity indicator shows the progress and the window takes no input: the
// buttons, lists and pages are disabled and closing waits for the walk's end, so a second press cannot
// start a walk inside the first one; the window keeps painting.
#pragma once

#include "acad/host_state.h"
#include "config/font_definitions.h"
#include "conversions/font_conversion.h"
#include "dialogs/form.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace zil::conversions {

class TfrmFontConvert final : public dialogs::Form {
  Q_OBJECT

 public:
  TfrmFontConvert(acad::HostState& host, config::FontDefinitions& fonts, platform::Services services,
                  QWidget* parent = nullptr);
  ~TfrmFontConvert() override;

  const WalkReport& LastReport() const { return report_; }
  bool Busy() const { return busy_; }
  // Cancel, Close and Escape: the window closes, unless a walk is running (it runs to its end).
  void reject() override;

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  void ShowStyleTable();
  void TakeChoices();
  template <typename Action>
  void Walk(QProgressBar* indicator, Action&& action);
  void Button1Click();
  void Button5Click();

  FontConversion flow_;
  WalkReport report_;
  bool busy_ = false;

  QListWidget* CheckListBox1;
  QPushButton* Button2;
  QPushButton* Button4;
  QTabWidget* PageControl1;
  QCheckBox* chxRightLeft;
  QPushButton* Button1;
  QComboBox* ComboBox1;
  QProgressBar* ActivityIndicator1;
  QPushButton* btnClose1;
  QCheckBox* CheckBox1;
  QGroupBox* RadioGroup1;
  QButtonGroup* mappings;
  QPushButton* Button5;
  QProgressBar* ActivityIndicator2;
  QPushButton* btnClose2;
};

}  // namespace zil::conversions
