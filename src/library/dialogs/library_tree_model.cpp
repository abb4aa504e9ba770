#include "library/dialogs/library_tree_model.h"

#include <QApplication>
#include <QPixmap>
#include <QStyle>
#include <stdexcept>

#include "library/window/tree_moves.h"
#include "platform/qt/qt_strings.h"

namespace zil::library {
namespace {

constexpr int kIconSize = 16;

// The images of the node kinds, by image index: a closed folder, an open folder, a topic.
QPixmap Image(int index) {
  QStyle* style = QApplication::style();
  QStyle::StandardPixmap which = QStyle::SP_DirClosedIcon;
  if (index == kOpenCategoryImage) which = QStyle::SP_DirOpenIcon;
  if (index == kTopicImage) which = QStyle::SP_FileIcon;
  return style->standardIcon(which).pixmap(kIconSize, kIconSize);
}

std::size_t SubtreeSize(const LibraryNode& node) {
  std::size_t size = 1;
  for (int i = 0; i < node.ChildCount(); ++i) size += SubtreeSize(*node.Child(i));
  return size;
}

}  // namespace

// --- nodes ---

void LibraryNode::SetLabel(std::u16string_view label) {
  label_ = label;
  model_.Changed(*this);
}

void LibraryNode::SetImageIndex(int index) {
  image_ = index;
  model_.Changed(*this);
}

void LibraryNode::SetSelectedIndex(int index) {
  selected_ = index;
  model_.Changed(*this);
}

LibraryNode* LibraryNode::ParentNode() const { return parent_ == &model_.root_ ? nullptr : parent_; }

LibraryNode* LibraryNode::NextSibling() const {
  return row_ + 1 < parent_->ChildCount() ? parent_->Child(row_ + 1) : nullptr;
}

int LibraryNode::Level() const {
  int level = 0;
  for (const LibraryNode* p = ParentNode(); p != nullptr; p = p->ParentNode()) ++level;
  return level;
}

void LibraryNode::MoveTo(TreeNode* parent) {
  auto* target = dynamic_cast<LibraryNode*>(parent);
  if (parent != nullptr && (target == nullptr || &target->model_ != &model_))
    throw std::invalid_argument("A library node moves only within its own tree");
  if (IsWithin(target, this)) throw std::logic_error("A library node cannot move under itself");
  model_.Move(*this, target, nullptr);
}

// --- the model ---

LibraryTreeModel::LibraryTreeModel(QObject* parent) : QAbstractItemModel(parent) {}

LibraryTreeModel::~LibraryTreeModel() = default;

void LibraryTreeModel::BeginUpdate() {
  if (updates_++ == 0) beginResetModel();
}

void LibraryTreeModel::EndUpdate() {
  if (updates_ > 0 && --updates_ == 0) endResetModel();
}

void LibraryTreeModel::Clear() {
  if (!Updating()) beginResetModel();
  root_.children_.clear();
  count_ = 0;
  if (!Updating()) endResetModel();
}

TreeNode& LibraryTreeModel::AddChild(TreeNode* parent, std::u16string_view label) {
  auto* owner = dynamic_cast<LibraryNode*>(parent);
  if (parent != nullptr && (owner == nullptr || &owner->model_ != this))
    throw std::invalid_argument("A library node is added only under a node of its own tree");
  LibraryNode& into = Owner(owner);
  const int row = into.ChildCount();
  if (!Updating()) beginInsertRows(IndexOf(owner), row, row);
  auto node = std::unique_ptr<LibraryNode>(new LibraryNode(*this, &into));
  node->row_ = row;
  node->label_ = label;
  LibraryNode& added = *node;
  into.children_.push_back(std::move(node));
  ++count_;
  if (!Updating()) endInsertRows();
  return added;
}

void LibraryTreeModel::Renumber(LibraryNode& parent, std::size_t from) {
  for (std::size_t i = from; i < parent.children_.size(); ++i) parent.children_[i]->row_ = static_cast<int>(i);
}

void LibraryTreeModel::Move(LibraryNode& node, LibraryNode* parent, LibraryNode* before) {
  LibraryNode& from = *node.parent_;
  LibraryNode& to = Owner(parent);
  const int fromRow = node.row_;
  int toRow = before != nullptr ? before->row_ : to.ChildCount();
  if (&from == &to && (toRow == fromRow || toRow == fromRow + 1)) return;  // already there
  if (!Updating()) beginMoveRows(IndexOf(node.ParentNode()), fromRow, fromRow, IndexOf(parent), toRow);
  std::unique_ptr<LibraryNode> taken = std::move(from.children_[static_cast<std::size_t>(fromRow)]);
  from.children_.erase(from.children_.begin() + fromRow);
  Renumber(from, static_cast<std::size_t>(fromRow));
  if (&from == &to && toRow > fromRow) --toRow;
  taken->parent_ = &to;
  to.children_.insert(to.children_.begin() + toRow, std::move(taken));
  Renumber(to, static_cast<std::size_t>(toRow));
  if (!Updating()) endMoveRows();
}

void LibraryTreeModel::Remove(LibraryNode& node) {
  LibraryNode& from = *node.parent_;
  const int row = node.row_;
  if (!Updating()) beginRemoveRows(IndexOf(node.ParentNode()), row, row);
  count_ -= SubtreeSize(node);
  from.children_.erase(from.children_.begin() + row);
  Renumber(from, static_cast<std::size_t>(row));
  if (!Updating()) endRemoveRows();
}

void LibraryTreeModel::MarkStored() {
  std::vector<LibraryNode*> pending{&root_};
  while (!pending.empty()) {
    LibraryNode* node = pending.back();
    pending.pop_back();
    for (const auto& child : node->children_) {
      child->stored = !IsPlaceholder(*child);
      pending.push_back(child.get());
    }
  }
}

void LibraryTreeModel::Changed(LibraryNode& node) {
  if (Updating() || &node == &root_) return;
  const QModelIndex at = IndexOf(&node);
  emit dataChanged(at, at);
}

LibraryNode* LibraryTreeModel::NodeAt(const QModelIndex& index) const {
  return index.isValid() ? static_cast<LibraryNode*>(index.internalPointer()) : nullptr;
}

QModelIndex LibraryTreeModel::IndexOf(const LibraryNode* node) const {
  if (node == nullptr || node == &root_) return {};
  return createIndex(node->row_, 0, const_cast<LibraryNode*>(node));
}

LibraryNode* LibraryTreeModel::First() const { return root_.children_.empty() ? nullptr : root_.Child(0); }

LibraryNode* LibraryTreeModel::FirstWithId(NodeId id) const {
  std::vector<const LibraryNode*> pending;
  for (auto child = root_.children_.rbegin(); child != root_.children_.rend(); ++child) pending.push_back(child->get());
  while (!pending.empty()) {
    const LibraryNode* node = pending.back();
    pending.pop_back();
    if (node->id_ == id) return const_cast<LibraryNode*>(node);
    for (auto child = node->children_.rbegin(); child != node->children_.rend(); ++child)
      pending.push_back(child->get());
  }
  return nullptr;
}

QModelIndex LibraryTreeModel::index(int row, int column, const QModelIndex& parent) const {
  const LibraryNode& owner = parent.isValid() ? *NodeAt(parent) : root_;
  if (column != 0 || row < 0 || row >= owner.ChildCount()) return {};
  return createIndex(row, 0, owner.Child(row));
}

QModelIndex LibraryTreeModel::parent(const QModelIndex& child) const {
  const LibraryNode* node = NodeAt(child);
  return node != nullptr ? IndexOf(node->ParentNode()) : QModelIndex();
}

int LibraryTreeModel::rowCount(const QModelIndex& parent) const {
  if (parent.column() > 0) return 0;
  return parent.isValid() ? NodeAt(parent)->ChildCount() : root_.ChildCount();
}

int LibraryTreeModel::columnCount(const QModelIndex&) const { return 1; }

bool LibraryTreeModel::hasChildren(const QModelIndex& parent) const { return rowCount(parent) > 0; }

const QIcon& LibraryTreeModel::Icon(int image, int selected) const {
  const auto key = std::make_pair(image, selected);
  auto found = icons_.find(key);
  if (found == icons_.end()) {
    QIcon icon;
    icon.addPixmap(Image(image), QIcon::Normal);
    icon.addPixmap(Image(selected), QIcon::Selected);
    found = icons_.emplace(key, icon).first;
  }
  return found->second;
}

QVariant LibraryTreeModel::data(const QModelIndex& index, int role) const {
  const LibraryNode* node = NodeAt(index);
  if (node == nullptr) return {};
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return platform::ToQString(node->label_);
    case Qt::DecorationRole:
      return Icon(node->image_, node->selected_);
    default:
      return {};
  }
}

bool LibraryTreeModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  LibraryNode* node = NodeAt(index);
  if (node == nullptr || role != Qt::EditRole) return false;
  const std::u16string label = platform::FromQString(value.toString());
  if (labelEdited && !labelEdited(*node, label)) return false;
  node->SetLabel(label);
  return true;
}

Qt::ItemFlags LibraryTreeModel::flags(const QModelIndex& index) const {
  const LibraryNode* node = NodeAt(index);
  if (node == nullptr) return Qt::NoItemFlags;
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
  if (!IsPlaceholder(*node)) flags |= Qt::ItemIsEditable;
  return flags;
}

}  // namespace zil::library
