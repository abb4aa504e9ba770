// TfrmExpl, the text library window. On its left the library tree (categories and topics) with its tool
// bar, and a Properties page for the texts placed into the drawing (style, height, layer, explode); on
// its right an editor that shows and edits the text of the selected node, its tool bar (files, clipboard,
// direction), a search box with its buttons, and the buttons that pick texts from the drawing (">>Pick"),
// place the current line or the selection into it ("<<Put", "<<PutMt") and close ("OK").
//
// The window closes with a result code for the work it asks of the drawing (kPick, kPut, kPutMt) and is
// shown again afterwards (library_loop.h), keeping its tree, its editor and its search; kOk and kClose
// end the loop. Its creation opens the library file (made when missing) and loads the tree and the
// remembered searches; a failure there fails the creation.
//
// The editor's text is saved to its node whenever it was changed: before another node is shown, before a
// category or topic is added, on every key press in the editor, after a paste, a load from a file or
// picked texts, and whenever the window closes. A failure of the library file (locked by another
// program, read only, not a database) is shown with its message and loses nothing: the text stays in
// the editor and the next save tries again, the tree is changed only once the file is, and a close whose
// save failed asks first. Where the window's own rules would lose or break the library, it does the sound
// thing instead:
//   - a refused "Add Category" or "Add Title" leaves the editor with its text (it would be emptied, and
//     the next keystroke would save the empty editor over the topic);
//   - a node is stored only after its parents (a category whose first label edit was cancelled is stored
//     once something is stored under it), so that its children keep their place at the next load;
//   - moves by drag and drop are recorded: the next load shows the node where it was dropped;
//   - the root "All Categories" is not deleted, and a library whose tree is empty gets its root row;
//   - the search strings are written back only when they changed (a read-only library opens and closes
//     without an error).
#pragma once

#include <QPointer>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "acad/host_state.h"
#include "config/font_definitions.h"
#include "dialogs/form.h"
#include "library/tdb.h"
#include "library/window/library_search.h"
#include "library/window/placement.h"
#include "library/window/tree_moves.h"

class QButtonGroup;
class QComboBox;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QToolBar;
class QToolButton;

namespace zil::dialogs {
class HebrewTyping;
}

namespace zil::library {

class LibraryNode;
class LibraryTreeModel;
class LibraryTreeView;
class PropertiesPage;

class TfrmExpl final : public dialogs::Form, private SearchView {
  Q_OBJECT

 public:
  // Result codes.
  static constexpr int kOk = 1;
  static constexpr int kClose = 2;
  static constexpr int kPick = 10;
  static constexpr int kPut = 30;
  static constexpr int kPutMt = 40;

  // Opening the window: the drawing's style and layer names, the active style made current, the library
  // opened from `dataFolder`, its tree and the remembered searches loaded. Throws on failure.
  TfrmExpl(acad::HostState& host, config::FontDefinitions& fonts, platform::Services services,
           const std::filesystem::path& dataFolder, QWidget* parent = nullptr);
  ~TfrmExpl() override;

  // Writes the remembered searches back to the library when they changed (the window's destruction).
  void SaveSearchHistory();

  // Closing with a result code: the text is saved first; when that fails the user is asked whether to
  // close anyway, and the window stays open unless the answer is Yes.
  void done(int result) override;
  // Escape and the window's close box: kClose.
  void reject() override;

  std::u16string selects;    // texts picked from the drawing, put into the editor at the next showing
  std::u16string singlestr;  // the text to place
  tprop cprop;               // the Properties page
  NodeId maxid = -1;         // the largest node id in use

  // For those who look at the window.
  LibraryTreeModel& Model() const { return *model_; }
  LibraryTreeView& Tree() const { return *TreeView; }
  LibraryNode* LastNode() const { return LastNode_; }
  const LibrarySearch& SearchState() const { return *search_; }
  const std::vector<std::u16string>& SearchHistory() const { return history_; }
  // The editor's text, each line followed by CR LF.
  std::u16string EditorText() const override;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void BuildProperties();
  void Opening(const std::filesystem::path& dataFolder);

  // Event handlers.
  void FormShow();
  void TreeViewChange();
  bool TreeViewEdited(LibraryNode& node, const std::u16string& label);
  void TreeViewDropped(LibraryNode& dragged, const TreeMove& move);
  void tbAddCatClick();
  void tbAddTitleClick();
  void btDownClick();
  void btUpClick();
  void bttrashClick();
  void EditItemClick();
  void ToolButton1Click();
  void ToolButton2Click();
  void CopyClick();
  void CutClick();
  void PasteClick();
  void JustifyClick(bool rightToLeft);
  void Button1Click();
  void Button2Click();
  void btnMtClick();
  void btnSearchClick();
  void btnSearchDownClick();
  void btnSearchUpClick();
  void PageControl1Change(int page);
  bool SearchBoxKey(QKeyEvent& key);

  // Internal operations.
  void SaveTopic();
  void StoreParents(LibraryNode& node);
  void StoreWithParents(LibraryNode& node);
  void Select(LibraryNode* node);
  void SetEditorText(const std::u16string& text);
  std::vector<std::u16string> EditorLines() const;
  std::u16string SelectedEditorText() const;
  void InsertIntoEditor(const std::u16string& text);
  bool ChooseTextToPlace();
  bool TreeFocused() const;
  void ShowHistory();
  // A step of the search with the box's text; the box's list shows what it remembered.
  void Searching(void (LibrarySearch::*step)(std::u16string_view, std::vector<std::u16string>&));
  void AddNode(LibraryNode& parent, const char16_t* label, int image, int selected);
  template <typename Steps>
  void WithoutChangeNotification(Steps&& steps);

  // The search's view of the window.
  bool SelectTopic(NodeId id) override;
  bool TopicSelected(NodeId id) const override;
  void Highlight(int start, int length) override;
  void ShowMessage(std::u16string_view text) override;

  acad::HostState& host_;
  config::FontDefinitions& fonts_;
  std::optional<Tdb> db_;
  std::unique_ptr<LibrarySearch> search_;
  std::vector<std::u16string> styles_, layers_;  // the drawing's, sorted
  std::vector<std::u16string> history_;          // the search box's list, most recent first
  bool historyChanged_ = false;
  LibraryNode* LastNode_ = nullptr;
  bool changeSuspended_ = false;
  bool menuFromTree_ = false;

  QTabWidget* PageControl1;
  QWidget* shUser;
  QToolBar* ToolBar2;
  QToolButton* tbAddCat;
  QToolButton* tbAddTitle;
  QToolButton* btDown;
  QToolButton* btUp;
  QToolButton* bttrash;
  LibraryTreeView* TreeView;
  LibraryTreeModel* model_;
  QMenu* PopupMenu1;
  QWidget* TabSheet1;
  PropertiesPage* ValueListEditor1;
  QToolBar* ToolBar1;
  QToolButton* ToolButton1;
  QToolButton* ToolButton2;
  QToolButton* ToolButton3;  // copy
  QToolButton* ToolButton4;  // cut
  QToolButton* ToolButton5;  // paste
  QToolButton* ToolButton7;
  QToolButton* ToolButton8;
  QButtonGroup* justifyGroup;
  QPlainTextEdit* Memo1;
  QComboBox* cbxSearch;
  QToolButton* btnSearch;
  QToolButton* btnSearchUp;
  QToolButton* btnSearchDown;
  QPushButton* Button1;
  QPushButton* Button2;
  QPushButton* btnMt;
  QPushButton* BitBtn1;
  dialogs::HebrewTyping* typing_;
};

}  // namespace zil::library
