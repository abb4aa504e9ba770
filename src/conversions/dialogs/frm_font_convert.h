// TfrmFontConvert, "Veltro Font Converter": the fonts of the drawing's text styles in a check list
// (CheckListBox1, each font once, sorted; "Selct All" Button2 and "Unselect All" Button4 below it) and two
// pages: "Convert Fonts" rewrites the texts of the checked fonts for the font of a target style
// (ComboBox1) and gives them that style ("Change Right to Left order" chxRightLeft, "Convert »" Button1);
// "Convert Font's Mapping" transcodes their strings to another mapping (RadioGroup1) and, on request,
// reverses them ("Reverse" CheckBox1, "Remap to »" Button5). ../font_conversion.h does the work; after
// either action the check marks and the target style are cleared.
//
// While a walk runs its page's activity indicator shows the progress and the window takes no input
// (walking_form.h).
#pragma once

#include "acad/host_state.h"
#include "config/font_definitions.h"
#include "conversions/dialogs/walking_form.h"
#include "conversions/font_conversion.h"

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

class TfrmFontConvert final : public WalkingForm {
  Q_OBJECT

 public:
  TfrmFontConvert(acad::HostState& host, config::FontDefinitions& fonts, platform::Services services,
                  QWidget* parent = nullptr);
  ~TfrmFontConvert() override;

  const WalkReport& LastReport() const { return report_; }

 private:
  void ShowStyleTable();
  void TakeChoices();
  void Button1Click();
  void Button5Click();

  FontConversion flow_;
  WalkReport report_;

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
