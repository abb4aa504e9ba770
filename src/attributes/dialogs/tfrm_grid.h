// TfrmGrid, the attribute grid: the attributes of a block reference, or the tag, prompt and default value
// of an attribute definition, in a three-column grid (Tag, Prompt, Value) whose values show in edit form,
// each by its own style's font type (the flow behind it, ../attribute_grid.h).
//
// Along the top: btnH, which switches the grid's reading direction and the keyboard; the line naming the
// block (lblName); "Select another block" (BitBtn3), which ends the dialog like OK and tells the command
// layer, through the result string, to let the user pick the next block. Below the grid: the width
// factor of the selected attribute (edWF), the pick list of the selected row when the block's defaults
// document has one (ComboBox1), OK and Cancel. Only Cancel (or Escape) discards; closing the window
// otherwise writes like OK.
//
// The window's top and size and the grid's reading direction come from the settings and go back to them
// when it is freed. The library database is open for the form's life (the defaults documents).
#pragma once

#include <filesystem>
#include <string>

#include "acad/host_state.h"
#include "attributes/attribute_grid.h"
#include "config/font_definitions.h"
#include "dialogs/form.h"
#include "library/tdb.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace zil::dialogs {
class HebrewTyping;
}

namespace zil::attributes {

class GridDelegate;
class GridModel;

// The result string after "Select another block".
inline constexpr std::u16string_view kNextBlock = u"NEXT";
inline constexpr std::u16string_view kGridCaption = u"zil Edit Attributes";

class TfrmGrid final : public dialogs::Form {
  Q_OBJECT

 public:
  TfrmGrid(acad::HostState& host, config::FontDefinitions& fonts, platform::Services services,
           const std::filesystem::path& dataFolder, QWidget* parent = nullptr);
  ~TfrmGrid() override;

  // Shows the definition `handle` names and, unless cancelled, writes its changed default value.
  void EditAttributeDefinition(std::u16string_view handle);
  // Empties `result`, shows the attributes of the block reference `handle` names (or warns that it has
  // none) and, unless cancelled, writes what changed; after "Select another block" `result` is "NEXT"
  // once the values are written.
  void EditBlockAttributes(std::u16string_view handle, std::u16string& result);

  const AttributeGrid& Grid() const { return grid_; }
  bool RightToLeft() const;

  // Closing, whichever way: an open cell editor is committed, the keyboard returns to US English.
  void done(int result) override;
  // Cancel, and Escape.
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildControls();
  void ShowRows();
  // Opening: every column shows whole, at least as wide as designed and as its widest text (the window
  // grows for them within the screen; on a narrower screen the columns share its width).
  void FitColumns();
  void SetDirection(bool rightToLeft);
  void SyncPickList();

  // Event handlers.
  void FormShow();
  void ngridSelectCell(int row);
  void edWFChange();
  void ComboBox1Change(int index, const QString& text);
  void btnHClick();
  void BitBtn1Click();
  void BitBtn2Click();
  void BitBtn3Click();

  config::FontDefinitions& fonts_;
  library::Tdb db_;
  AttributeGrid grid_;
  bool isCancel = false;
  bool next_ = false;
  bool shown_ = false;
  bool closed_ = false;
  bool filling_ = false;  // the pick list is being filled: its changes are not picks

  QPushButton* btnH;
  QLabel* lblName;
  QLabel* Label1;
  QPushButton* BitBtn3;
  QTableView* ngrid;
  QLabel* Label2;
  QLineEdit* edWF;
  QComboBox* ComboBox1;
  QPushButton* BitBtn1;
  QPushButton* BitBtn2;
  dialogs::HebrewTyping* typing_;
  GridModel* model_;
  GridDelegate* delegate_;
};

}  // namespace zil::attributes
