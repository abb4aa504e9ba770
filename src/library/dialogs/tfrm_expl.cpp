#include "library/dialogs/tfrm_expl.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "acad/error.h"
#include "dialogs/dialog_fonts.h"
#include "dialogs/hebrew_typing.h"
#include "dialogs/named.h"
#include "library/dialogs/library_tree_model.h"
#include "library/dialogs/library_tree_view.h"
#include "library/dialogs/properties_page.h"
#include "library/window/text_file.h"
#include "platform/qt/qt_strings.h"
#include "platform/qt/window_front.h"
#include "textcore/keyboard.h"
#include "textcore/utf8.h"

namespace zil::library {
namespace {

using dialogs::Named;
using platform::FromQString;
using platform::ToQString;

constexpr int kWindowWidth = 780;
constexpr int kWindowHeight = 520;
constexpr int kTreeWidth = 270;

// The messages of the window.
constexpr std::u16string_view kNotEmpty = u"The category not empty, you have to Delete titles First";
constexpr std::u16string_view kReallyDelete = u"Do you really want to delete this node?";
constexpr std::u16string_view kCaption = u"zil";
constexpr std::u16string_view kTextFiles = u"Text files (*.txt)|*.txt|All files (*.*)|*.*";

QToolButton* ToolButton(QWidget* parent, const char* name, const QIcon& icon, const QString& text, const char* hint) {
  auto* button = Named(new QToolButton(parent), name);
  if (icon.isNull()) {
    button->setText(text);
  } else {
    button->setIcon(icon);
  }
  button->setToolTip(QString::fromLatin1(hint));
  button->setAutoRaise(true);
  return button;
}

QIcon StandardIcon(QStyle::StandardPixmap which) { return QApplication::style()->standardIcon(which); }

// The editor keeps lines as paragraphs; the library and the clipboard keep them with CR LF.
QString ForEditor(std::u16string_view text) {
  QString s = ToQString(text);
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return s;
}

std::u16string WithCrLf(QString text) {
  text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
  return FromQString(text);
}

bool Blank(std::u16string_view s) {
  return std::all_of(s.begin(), s.end(), [](char16_t c) { return c == u' ' || c == u'\t'; });
}

// Sorted as the window's lists are: without regard to ASCII case.
void SortNames(std::vector<std::u16string>& names) {
  const auto upper = [](std::u16string s) {
    for (char16_t& c : s)
      if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    return s;
  };
  std::stable_sort(names.begin(), names.end(),
                   [&](const std::u16string& a, const std::u16string& b) { return upper(a) < upper(b); });
}

}  // namespace

TfrmExpl::TfrmExpl(acad::HostState& host, config::FontDefinitions& fonts, platform::Services services,
                   const std::filesystem::path& dataFolder, QWidget* parent)
    : Form(services, parent), host_(host), fonts_(fonts), typing_(new dialogs::HebrewTyping(services.keyboard, this)) {
  setObjectName(QStringLiteral("frmExpl"));
  BuildControls();
  Opening(dataFolder);
}

TfrmExpl::~TfrmExpl() {
  // The tree's label editor and the model's callbacks must not reach a window that is going.
  model_->labelEdited = nullptr;
  TreeView->dropped = nullptr;
}

void TfrmExpl::BuildControls() {
  setWindowTitle(QStringLiteral("Text Library"));
  setFont(dialogs::DialogFontPoints(u"Tahoma", 9));
  resize(kWindowWidth, kWindowHeight);

  // The left side: the tree and the Properties page.
  PageControl1 = Named(new QTabWidget(this), "PageControl1");
  shUser = Named(new QWidget, "shUser");
  ToolBar2 = Named(new QToolBar(shUser), "ToolBar2");
  ToolBar2->setIconSize(QSize(18, 18));
  tbAddCat = ToolButton(ToolBar2, "tbAddCat", StandardIcon(QStyle::SP_FileDialogNewFolder), {}, "+ Folder");
  tbAddTitle = ToolButton(ToolBar2, "tbAddTitle", {}, QStringLiteral("+T"), "+Topic");
  btDown = ToolButton(ToolBar2, "btDown", StandardIcon(QStyle::SP_ArrowDown), {}, "Down");
  btUp = ToolButton(ToolBar2, "btUp", StandardIcon(QStyle::SP_ArrowUp), {}, "Up");
  bttrash = ToolButton(ToolBar2, "bttrash", StandardIcon(QStyle::SP_TrashIcon), {}, "Delete");
  for (QToolButton* b : {tbAddCat, tbAddTitle, btDown, btUp, bttrash}) ToolBar2->addWidget(b);
  TreeView = Named(new LibraryTreeView(shUser), "TreeView");
  model_ = new LibraryTreeModel(TreeView);
  TreeView->setModel(model_);
  TreeView->setContextMenuPolicy(Qt::CustomContextMenu);
  auto* userLayout = new QVBoxLayout(shUser);
  userLayout->setContentsMargins(2, 2, 2, 2);
  userLayout->setSpacing(2);
  userLayout->addWidget(ToolBar2);
  userLayout->addWidget(TreeView);
  PageControl1->addTab(shUser, QStringLiteral("Categories"));
  TabSheet1 = Named(new QWidget, "TabSheet1");
  BuildProperties();
  PageControl1->addTab(TabSheet1, QStringLiteral("Properties"));

  PopupMenu1 = Named(new QMenu(this), "PopupMenu1");
  QAction* addCategory = Named(PopupMenu1->addAction(QStringLiteral("Add &Category")), "AddCategory1");
  QAction* addTitle = Named(PopupMenu1->addAction(QStringLiteral("Add &Title")), "AddTitle1");
  QAction* deleteItem = Named(PopupMenu1->addAction(QStringLiteral("&Delete Item")), "DeleteItem1");
  QAction* editItem = Named(PopupMenu1->addAction(QStringLiteral("Edit &Item")), "EditItem1");
  editItem->setShortcut(QKeySequence(Qt::Key_F2));
  PopupMenu1->addSeparator();
  QAction* expandAll = Named(PopupMenu1->addAction(QStringLiteral("&Expand All")), "ExpandAll1");
  QAction* collapseAll = Named(PopupMenu1->addAction(QStringLiteral("&Collapce All")), "CollapceAll1");

  // The right side: the editor with its tool bar, the search row and the buttons.
  auto* right = new QWidget(this);
  ToolBar1 = Named(new QToolBar(right), "ToolBar1");
  ToolBar1->setIconSize(QSize(18, 18));
  ToolButton1 = ToolButton(ToolBar1, "ToolButton1", StandardIcon(QStyle::SP_DialogOpenButton), {}, "Load from file");
  ToolButton2 = ToolButton(ToolBar1, "ToolButton2", StandardIcon(QStyle::SP_DialogSaveButton), {}, "Save to file");
  ToolButton3 = ToolButton(ToolBar1, "ToolButton3", {}, QStringLiteral("Copy"), "Copy");
  ToolButton4 = ToolButton(ToolBar1, "ToolButton4", {}, QStringLiteral("Cut"), "Cut");
  ToolButton5 = ToolButton(ToolBar1, "ToolButton5", {}, QStringLiteral("Paste"), "Paste");
  ToolButton7 = ToolButton(ToolBar1, "ToolButton7", {}, QString::fromUtf8("\u21E4\u2261"), "Rigt Justify");
  ToolButton8 = ToolButton(ToolBar1, "ToolButton8", {}, QString::fromUtf8("\u2261\u21E5"), "Left Justify");
  ToolBar1->addWidget(ToolButton1);
  ToolBar1->addWidget(ToolButton2);
  ToolBar1->addSeparator();
  for (QToolButton* b : {ToolButton3, ToolButton4, ToolButton5}) ToolBar1->addWidget(b);
  ToolBar1->addSeparator();
  justifyGroup = new QButtonGroup(this);
  for (QToolButton* b : {ToolButton7, ToolButton8}) {
    b->setCheckable(true);
    justifyGroup->addButton(b);
    ToolBar1->addWidget(b);
  }
  justifyGroup->setExclusive(true);
  ToolButton7->setChecked(true);

  Memo1 = Named(new QPlainTextEdit(right), "Memo1");
  Memo1->setFont(dialogs::DialogFontPoints(u"Tahoma", 11));
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1->setContextMenuPolicy(Qt::NoContextMenu);  // its clipboard goes through the window's own actions

  auto* searchRow = new QWidget(right);
  cbxSearch = Named(new QComboBox(searchRow), "cbxSearch");
  cbxSearch->setEditable(true);
  cbxSearch->setInsertPolicy(QComboBox::NoInsert);
  cbxSearch->setMaxVisibleItems(int(kSearchHistoryLimit));
  cbxSearch->setFont(dialogs::DialogFontPoints(u"Tahoma", 10));
  cbxSearch->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  btnSearch = ToolButton(searchRow, "btnSearch", {}, QString::fromUtf8("\U0001F50D"), "Search");
  btnSearch->setText(QStringLiteral("Search"));
  btnSearch->setToolButtonStyle(Qt::ToolButtonTextOnly);
  btnSearchUp = ToolButton(searchRow, "btnSearchUp", StandardIcon(QStyle::SP_ArrowUp), {}, "Previous");
  btnSearchDown = ToolButton(searchRow, "btnSearchDown", StandardIcon(QStyle::SP_ArrowDown), {}, "Next");
  auto* searchLayout = new QHBoxLayout(searchRow);
  searchLayout->setContentsMargins(0, 0, 0, 0);
  searchLayout->addWidget(cbxSearch, 1);
  for (QToolButton* b : {btnSearch, btnSearchUp, btnSearchDown}) searchLayout->addWidget(b);

  auto* buttonRow = new QWidget(right);
  Button1 = Named(new QPushButton(QStringLiteral(">>Pick"), buttonRow), "Button1");
  Button1->setToolTip(QStringLiteral("Get from Acad"));
  Button2 = Named(new QPushButton(QStringLiteral("<<Put"), buttonRow), "Button2");
  Button2->setToolTip(QStringLiteral("Put to Acad"));
  btnMt = Named(new QPushButton(QStringLiteral("<<PutMt"), buttonRow), "btnMt");
  btnMt->setToolTip(QStringLiteral("Put Multiline as MText to Acad"));
  BitBtn1 = Named(new QPushButton(QStringLiteral("OK"), buttonRow), "BitBtn1");
  for (QPushButton* b : {Button1, Button2, btnMt, BitBtn1}) b->setAutoDefault(false);
  BitBtn1->setDefault(true);
  auto* buttons = new QHBoxLayout(buttonRow);
  buttons->setContentsMargins(0, 0, 0, 0);
  buttons->addWidget(Button1);
  buttons->addWidget(Button2);
  buttons->addWidget(btnMt);
  buttons->addStretch(1);
  buttons->addWidget(BitBtn1);

  auto* rightLayout = new QVBoxLayout(right);
  rightLayout->setContentsMargins(0, 0, 0, 0);
  rightLayout->setSpacing(4);
  rightLayout->addWidget(ToolBar1);
  rightLayout->addWidget(Memo1, 1);
  rightLayout->addWidget(searchRow);
  rightLayout->addWidget(buttonRow);

  auto* splitter = new QSplitter(Qt::Horizontal, this);
  splitter->addWidget(PageControl1);
  splitter->addWidget(right);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({kTreeWidth, kWindowWidth - kTreeWidth});
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(splitter);

  // The editors read right to left at first; the Latin keys type Hebrew while the layout is Hebrew.
  JustifyClick(true);
  typing_->Watch(Memo1);
  typing_->Watch(cbxSearch->lineEdit());
  Memo1->installEventFilter(this);
  cbxSearch->lineEdit()->installEventFilter(this);

  // Handlers.
  model_->labelEdited = [this](LibraryNode& node, const std::u16string& label) { return TreeViewEdited(node, label); };
  TreeView->dropped = [this](LibraryNode& dragged, const TreeMove& move) {
    Guard([&] { TreeViewDropped(dragged, move); });
  };
  connect(TreeView->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { TreeViewChange(); });
  connect(TreeView, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    menuFromTree_ = TreeView->hasFocus();
    PopupMenu1->exec(TreeView->viewport()->mapToGlobal(at));
    menuFromTree_ = false;
  });
  const auto guarded = [this](void (TfrmExpl::*handler)()) {
    return [this, handler] { Guard([&] { (this->*handler)(); }); };
  };
  connect(tbAddCat, &QToolButton::clicked, this, guarded(&TfrmExpl::tbAddCatClick));
  connect(addCategory, &QAction::triggered, this, guarded(&TfrmExpl::tbAddCatClick));
  connect(tbAddTitle, &QToolButton::clicked, this, guarded(&TfrmExpl::tbAddTitleClick));
  connect(addTitle, &QAction::triggered, this, guarded(&TfrmExpl::tbAddTitleClick));
  connect(btDown, &QToolButton::clicked, this, guarded(&TfrmExpl::btDownClick));
  connect(btUp, &QToolButton::clicked, this, guarded(&TfrmExpl::btUpClick));
  connect(bttrash, &QToolButton::clicked, this, guarded(&TfrmExpl::bttrashClick));
  connect(deleteItem, &QAction::triggered, this, guarded(&TfrmExpl::bttrashClick));
  connect(editItem, &QAction::triggered, this, guarded(&TfrmExpl::EditItemClick));
  connect(expandAll, &QAction::triggered, TreeView, &QTreeView::expandAll);
  connect(collapseAll, &QAction::triggered, TreeView, &QTreeView::collapseAll);
  connect(ToolButton1, &QToolButton::clicked, this, guarded(&TfrmExpl::ToolButton1Click));
  connect(ToolButton2, &QToolButton::clicked, this, guarded(&TfrmExpl::ToolButton2Click));
  connect(ToolButton3, &QToolButton::clicked, this, guarded(&TfrmExpl::CopyClick));
  connect(ToolButton4, &QToolButton::clicked, this, guarded(&TfrmExpl::CutClick));
  connect(ToolButton5, &QToolButton::clicked, this, guarded(&TfrmExpl::PasteClick));
  connect(ToolButton7, &QToolButton::clicked, this, [this] { JustifyClick(true); });
  connect(ToolButton8, &QToolButton::clicked, this, [this] { JustifyClick(false); });
  connect(Button1, &QPushButton::clicked, this, guarded(&TfrmExpl::Button1Click));
  connect(Button2, &QPushButton::clicked, this, guarded(&TfrmExpl::Button2Click));
  connect(btnMt, &QPushButton::clicked, this, guarded(&TfrmExpl::btnMtClick));
  connect(BitBtn1, &QPushButton::clicked, this, [this] { done(kOk); });
  connect(btnSearch, &QToolButton::clicked, this, guarded(&TfrmExpl::btnSearchClick));
  connect(btnSearchDown, &QToolButton::clicked, this, guarded(&TfrmExpl::btnSearchDownClick));
  connect(btnSearchUp, &QToolButton::clicked, this, guarded(&TfrmExpl::btnSearchUpClick));
  connect(cbxSearch, &QComboBox::editTextChanged, this, [this] {
    if (search_) search_->Changed();
  });
  connect(PageControl1, &QTabWidget::currentChanged, this,
          [this](int page) { Guard([&] { PageControl1Change(page); }); });
}

void TfrmExpl::BuildProperties() {
  ValueListEditor1 = Named(new PropertiesPage(TabSheet1), "ValueListEditor1");
  auto* layout = new QVBoxLayout(TabSheet1);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addWidget(ValueListEditor1);
  ValueListEditor1->changed = [this](const tprop& values) { cprop = values; };
  // Shown once the cell's editor has closed.
  ValueListEditor1->refused = [this](const std::string& reason) {
    QTimer::singleShot(0, this, [this, reason] { ShowError(reason); });
  };
}

// --- opening ---

void TfrmExpl::Opening(const std::filesystem::path& dataFolder) {
  if (!host_.AcadDoc) throw acad::Error("No active drawing: the host was not refreshed");
  styles_ = host_.ListStyleNames();
  SortNames(styles_);
  layers_ = host_.ListLayerNames();
  SortNames(layers_);
  host_.CurStyle = host_.AcadDoc->ActiveTextStyle();
  host_.CurStyleName = host_.CurStyle->Name();
  cprop = tprop{host_.CurStyleName, host_.CurLayerName, false, 0};
  ValueListEditor1->Fill(styles_, layers_, cprop);
  host_.LoadActiveStyle(fonts_);

  db_.emplace(Tdb::Create(dataFolder));
  maxid = db_->FillTree(*model_, kLibTree);
  if (model_->Count() == 0) {
    // A library without even its root cannot take a category: it gets the root a new library has.
    db_->Add0(kLibTree);
    maxid = db_->FillTree(*model_, kLibTree);
  }
  model_->MarkStored();
  history_ = db_->ReadList(kSearchCombo);
  ShowHistory();
  search_ = std::make_unique<LibrarySearch>(*db_, static_cast<SearchView&>(*this));
  if (LibraryNode* first = model_->First()) TreeView->expand(model_->IndexOf(first));
}

void TfrmExpl::SaveSearchHistory() {
  if (!historyChanged_) return;
  db_->WriteList(kSearchCombo, history_);
  historyChanged_ = false;
}

// --- showing and closing ---

void TfrmExpl::showEvent(QShowEvent* event) {
  Form::showEvent(event);
  Guard([this] { FormShow(); });
}

void TfrmExpl::FormShow() {
  platform::BringWindowToFront(this);
  textcore::HebrewKeyboard(services_.keyboard);
  if (selects.empty()) return;
  InsertIntoEditor(selects);
  selects.clear();
  SaveTopic();
}

void TfrmExpl::done(int result) {
  try {
    SaveTopic();
  } catch (const std::exception& e) {
    const std::u16string question =
        textcore::FromUtf8(e.what()) + u"\n\nClose the library anyway? The changes to this text are not saved.";
    if (services_.messages.Show(std::u16string(kCaption), question, platform::MessageIcon::Warning,
                                platform::MessageButtons::YesNo) != platform::MessageAnswer::Yes)
      return;
  }
  Form::done(result);
}

void TfrmExpl::reject() { done(kClose); }

// --- the tree ---

template <typename Steps>
void TfrmExpl::WithoutChangeNotification(Steps&& steps) {
  const bool before = changeSuspended_;
  changeSuspended_ = true;
  try {
    steps();
  } catch (...) {
    changeSuspended_ = before;
    throw;
  }
  changeSuspended_ = before;
}

void TfrmExpl::Select(LibraryNode* node) {
  if (node == nullptr) {
    TreeView->selectionModel()->clearSelection();
    return;
  }
  const QModelIndex at = model_->IndexOf(node);
  TreeView->selectionModel()->setCurrentIndex(at, QItemSelectionModel::ClearAndSelect);
  TreeView->scrollTo(at);
}

void TfrmExpl::TreeViewChange() {
  if (changeSuspended_) return;
  LibraryNode* node = TreeView->Selected();
  if (node == LastNode_) return;
  try {
    SaveTopic();
    if (node != nullptr) {
      const std::u16string text = db_->ReadTopic(*node, kLibTree);
      SetEditorText(text);
      LastNode_ = node;
      Memo1->setReadOnly(IsPlaceholder(*node));  // a missing parent holds no text of its own
    }
  } catch (const std::exception& e) {
    // The editor still shows the text of the node it belongs to: so does the tree.
    WithoutChangeNotification([this] { Select(LastNode_); });
    ShowError(e.what());
  }
}

bool TfrmExpl::TreeViewEdited(LibraryNode& node, const std::u16string& label) {
  if (Blank(label)) return false;
  try {
    StoreParents(node);
    db_->UpdateNodeName(node, label, kLibTree);
    node.stored = true;
    return true;
  } catch (const std::exception& e) {
    // Shown once the label's editor has closed.
    QTimer::singleShot(0, this, [this, message = std::string(e.what())] { ShowError(message); });
    return false;
  }
}

void TfrmExpl::StoreParents(LibraryNode& node) {
  std::vector<LibraryNode*> missing;
  for (LibraryNode* p = node.ParentNode(); p != nullptr; p = p->ParentNode())
    if (!p->stored && !IsPlaceholder(*p)) missing.push_back(p);
  for (auto p = missing.rbegin(); p != missing.rend(); ++p) {
    db_->UpdateNodeName(**p, (*p)->Label(), kLibTree);
    (*p)->stored = true;
  }
}

void TfrmExpl::StoreWithParents(LibraryNode& node) {
  StoreParents(node);
  if (node.stored || IsPlaceholder(node)) return;
  db_->UpdateNodeName(node, node.Label(), kLibTree);
  node.stored = true;
}

void TfrmExpl::TreeViewDropped(LibraryNode& dragged, const TreeMove& move) {
  auto* parent = static_cast<LibraryNode*>(move.parent);
  auto* before = static_cast<LibraryNode*>(move.before);
  if (before == dragged.NextSibling() && parent == dragged.ParentNode()) return;  // it is there already
  // The rows of the node and of the siblings that will follow it go last, in their new order.
  std::vector<NodeId> last{dragged.Id()};
  for (LibraryNode* s = before; s != nullptr; s = s->NextSibling())
    if (s != &dragged) last.push_back(s->Id());
  StoreWithParents(*parent);
  db_->MoveNode(dragged.Id(), parent->Id(), last, kLibTree);
  model_->Move(dragged, parent, before);
  TreeView->expand(model_->IndexOf(parent));
}

void TfrmExpl::AddNode(LibraryNode& parent, const char16_t* label, int image, int selected) {
  SetEditorText(u"");
  TreeView->expand(model_->IndexOf(&parent));
  TreeView->selectionModel()->clearSelection();
  auto& node = static_cast<LibraryNode&>(model_->AddChild(&parent, label));
  node.SetImageIndex(image);
  node.SetSelectedIndex(selected);
  ++maxid;
  node.SetId(maxid);
  Select(&node);
  TreeView->edit(model_->IndexOf(&node));
  LastNode_ = &node;
  Memo1->setReadOnly(false);
}

void TfrmExpl::tbAddCatClick() {
  WithoutChangeNotification([this] {
    SaveTopic();
    LibraryNode* parent = TreeView->Selected();
    if (parent == nullptr) parent = model_->First();
    if (parent == nullptr || parent->ImageIndex() == kTopicImage || IsPlaceholder(*parent)) return;
    AddNode(*parent, u"New Category", kCategoryImage, kOpenCategoryImage);
  });
}

void TfrmExpl::tbAddTitleClick() {
  WithoutChangeNotification([this] {
    SaveTopic();
    LibraryNode* parent = TreeView->Selected();
    if (parent == nullptr || parent->Level() == 0) return;
    if (parent->ImageIndex() == kTopicImage) parent = parent->ParentNode();
    if (IsPlaceholder(*parent)) return;
    AddNode(*parent, u"New Topic", kTopicImage, kTopicImage);
  });
}

void TfrmExpl::btDownClick() {
  LibraryNode* node = TreeView->Selected();
  LibraryNode* next = node != nullptr ? node->NextSibling() : nullptr;
  if (next == nullptr) return;
  StoreWithParents(*node);
  StoreWithParents(*next);
  db_->SwapNode(*node, *next, kLibTree);
  model_->Move(*next, node->ParentNode(), node);
  TreeView->scrollTo(model_->IndexOf(node));
}

void TfrmExpl::btUpClick() {
  LibraryNode* node = TreeView->Selected();
  if (node == nullptr || node->Row() == 0) return;
  LibraryNode* parent = node->ParentNode();
  LibraryNode* previous = model_->NodeAt(model_->index(node->Row() - 1, 0, model_->IndexOf(parent)));
  StoreWithParents(*node);
  StoreWithParents(*previous);
  db_->SwapNode(*node, *previous, kLibTree);
  model_->Move(*node, parent, previous);
  TreeView->scrollTo(model_->IndexOf(node));
}

bool TfrmExpl::TreeFocused() const { return TreeView->hasFocus() || menuFromTree_; }

void TfrmExpl::bttrashClick() {
  LibraryNode* node = TreeView->Selected();
  if (!TreeFocused() || node == nullptr) return;
  if (node->ChildCount() > 0) {
    services_.messages.Show(std::u16string(kCaption), std::u16string(kNotEmpty), platform::MessageIcon::Information,
                            platform::MessageButtons::Ok);
    return;
  }
  if (node->ParentNode() == nullptr && node->Id() == 0) return;  // the root of the library stays
  if (services_.messages.Show(std::u16string(kCaption), std::u16string(kReallyDelete), platform::MessageIcon::Question,
                              platform::MessageButtons::YesNo) != platform::MessageAnswer::Yes)
    return;
  db_->DeleteNode(*node, kLibTree);
  LastNode_ = nullptr;
  WithoutChangeNotification([&] { model_->Remove(*node); });
  SetEditorText(u"");  // what it showed belonged to the node that is gone
}

void TfrmExpl::EditItemClick() {
  LibraryNode* node = TreeView->Selected();
  if (TreeFocused() && node != nullptr) TreeView->edit(model_->IndexOf(node));
}

void TfrmExpl::PageControl1Change(int page) {
  if (page == PageControl1->indexOf(shUser)) Select(model_->First());
}

// --- the editor ---

std::u16string TfrmExpl::EditorText() const { return WithCrLf(Memo1->toPlainText()); }

std::vector<std::u16string> TfrmExpl::EditorLines() const { return SplitLines(EditorText()); }

void TfrmExpl::SetEditorText(const std::u16string& text) {
  Memo1->setPlainText(ForEditor(text));  // not modified
}

std::u16string TfrmExpl::SelectedEditorText() const { return WithCrLf(Memo1->textCursor().selectedText()); }

void TfrmExpl::InsertIntoEditor(const std::u16string& text) {
  Memo1->textCursor().insertText(ForEditor(text));
  Memo1->document()->setModified(true);
}

void TfrmExpl::SaveTopic() {
  if (!Memo1->document()->isModified() || LastNode_ == nullptr || IsPlaceholder(*LastNode_)) return;
  StoreParents(*LastNode_);
  db_->UpdateTopic(*LastNode_, EditorLines(), kLibTree);
  LastNode_->stored = true;
  Memo1->document()->setModified(false);
}

void TfrmExpl::ToolButton1Click() {
  const auto file = services_.files.ChooseFileToOpen({u"", std::u16string(kTextFiles), u"txt", {}, {}});
  if (!file) return;
  const std::u16string text = ReadTextFile(*file);
  SetEditorText(text);
  Memo1->document()->setModified(true);
  SaveTopic();
}

void TfrmExpl::ToolButton2Click() {
  const auto file = services_.files.ChooseFileToSave({u"", std::u16string(kTextFiles), u"txt", {}, {}});
  if (file) WriteTextFile(*file, EditorLines());
}

void TfrmExpl::CopyClick() {
  if (Memo1->textCursor().hasSelection()) services_.clipboard.SetText(SelectedEditorText());
}

void TfrmExpl::CutClick() {
  if (!Memo1->textCursor().hasSelection() || Memo1->isReadOnly()) return;
  CopyClick();
  Memo1->textCursor().removeSelectedText();
}

void TfrmExpl::PasteClick() {
  if (!Memo1->hasFocus() || Memo1->isReadOnly()) return;
  InsertIntoEditor(services_.clipboard.Text());
  SaveTopic();
}

void TfrmExpl::JustifyClick(bool rightToLeft) {
  const Qt::LayoutDirection direction = rightToLeft ? Qt::RightToLeft : Qt::LeftToRight;
  (rightToLeft ? ToolButton7 : ToolButton8)->setChecked(true);
  Memo1->setLayoutDirection(direction);
  QTextOption option = Memo1->document()->defaultTextOption();
  option.setTextDirection(direction);
  option.setAlignment(rightToLeft ? Qt::AlignRight : Qt::AlignLeft);
  Memo1->document()->setDefaultTextOption(option);
  cbxSearch->setLayoutDirection(direction);  // its text starts at the right in right-to-left
}

bool TfrmExpl::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Memo1 && event->type() == QEvent::KeyPress) {
    auto& key = *static_cast<QKeyEvent*>(event);
    // What the editor had before this key is saved now; the key's own change at the next save.
    Guard([this] { SaveTopic(); });
    if (key.matches(QKeySequence::Copy)) {
      Guard([this] { CopyClick(); });
      return true;
    }
    if (key.matches(QKeySequence::Cut)) {
      Guard([this] { CutClick(); });
      return true;
    }
    if (key.matches(QKeySequence::Paste)) {
      Guard([this] { PasteClick(); });
      return true;
    }
  }
  if (watched == cbxSearch->lineEdit() && (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease))
    return SearchBoxKey(*static_cast<QKeyEvent*>(event));
  return Form::eventFilter(watched, event);
}

bool TfrmExpl::SearchBoxKey(QKeyEvent& key) {
  QLineEdit* box = cbxSearch->lineEdit();
  const bool press = key.type() == QEvent::KeyPress;
  const bool enter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
  if (enter) {
    // On its release, so that the key is not also the window's default button.
    if (!press) Guard([this] { btnSearchClick(); });
    return true;
  }
  if (press && key.matches(QKeySequence::Copy)) {
    if (box->hasSelectedText()) services_.clipboard.SetText(FromQString(box->selectedText()));
    return true;
  }
  if (press && key.matches(QKeySequence::Cut)) {
    if (box->hasSelectedText()) {
      services_.clipboard.SetText(FromQString(box->selectedText()));
      box->del();
    }
    return true;
  }
  const bool paste = key.matches(QKeySequence::Paste) ||
                     (key.key() == Qt::Key_V && (key.modifiers() & Qt::ControlModifier)) || key.key() == Qt::Key_F7;
  if (paste) {
    if (!press) box->insert(ToQString(services_.clipboard.Text()));
    return true;
  }
  return false;
}

// --- placing and picking ---

bool TfrmExpl::ChooseTextToPlace() {
  if (Memo1->document()->blockCount() == 0 || Memo1->document()->isEmpty()) return false;
  const QTextCursor caret = Memo1->textCursor();
  singlestr = caret.hasSelection() ? SelectedEditorText() : FromQString(caret.block().text());
  return !Blank(singlestr);
}

void TfrmExpl::Button1Click() {
  selects.clear();
  done(kPick);
}

void TfrmExpl::Button2Click() {
  if (ChooseTextToPlace()) done(kPut);
}

void TfrmExpl::btnMtClick() {
  if (ChooseTextToPlace()) done(kPutMt);
}

// --- searching ---

void TfrmExpl::ShowHistory() {
  const QSignalBlocker quiet(cbxSearch);
  const QString text = cbxSearch->currentText();
  cbxSearch->clear();
  for (const std::u16string& item : history_) cbxSearch->addItem(ToQString(item));
  cbxSearch->setCurrentIndex(-1);
  cbxSearch->setEditText(text);
}

void TfrmExpl::Searching(void (LibrarySearch::*step)(std::u16string_view, std::vector<std::u16string>&)) {
  const std::vector<std::u16string> before = history_;
  ((*search_).*step)(FromQString(cbxSearch->currentText()), history_);
  if (history_ == before) return;
  historyChanged_ = true;
  ShowHistory();
}

void TfrmExpl::btnSearchClick() { Searching(&LibrarySearch::Search); }

void TfrmExpl::btnSearchDownClick() { Searching(&LibrarySearch::Next); }

void TfrmExpl::btnSearchUpClick() { Searching(&LibrarySearch::Previous); }

bool TfrmExpl::SelectTopic(NodeId id) {
  LibraryNode* node = model_->FirstWithId(id);
  if (node == nullptr) return false;
  Select(node);
  TreeView->expandRecursively(model_->IndexOf(node));
  return LastNode_ == node;
}

bool TfrmExpl::TopicSelected(NodeId id) const {
  const LibraryNode* node = TreeView->Selected();
  return node != nullptr && node == model_->FirstWithId(id);
}

void TfrmExpl::Highlight(int start, int length) {
  const std::u16string text = EditorText();
  const int from = PositionWithoutCarriageReturns(text, start);
  const int to = PositionWithoutCarriageReturns(text, start + length);
  QTextCursor cursor(Memo1->document());
  cursor.setPosition(from);
  cursor.setPosition(std::min(to, Memo1->document()->characterCount() - 1), QTextCursor::KeepAnchor);
  Memo1->setTextCursor(cursor);
  Memo1->setFocus();
}

void TfrmExpl::ShowMessage(std::u16string_view text) {
  services_.messages.Show(std::u16string(kCaption), std::u16string(text), platform::MessageIcon::Information,
                          platform::MessageButtons::Ok);
}

}  // namespace zil::library
