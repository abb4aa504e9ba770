// The library tree as the library window shows it: a Qt item model whose nodes implement the library's
// tree seam (../tree_node.h), so that Tdb::FillTree fills it directly. Each node keeps its children in
// order with their rows, so that adding, moving and finding an index take no walk over its siblings and
// a tree of 100,000 nodes loads in a blink: the load is one reset of the model, whatever its size.
//
// A node shows its label and its image: a closed folder (0), an open folder (1) or a topic (2); while it
// is selected, its selected image. Labels are edited in place; the window decides whether an edited
// label is kept (it records it in the library first). The empty-labelled placeholders of missing parents
// are not edited.
#pragma once

#include <QAbstractItemModel>
#include <QIcon>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "library/tree_node.h"

namespace zil::library {

class LibraryTreeModel;

class LibraryNode final : public TreeNode {
 public:
  NodeId Id() const override { return id_; }
  void SetId(NodeId id) override { id_ = id; }
  std::u16string Label() const override { return label_; }
  void SetLabel(std::u16string_view label) override;
  int ImageIndex() const override { return image_; }
  void SetImageIndex(int index) override;
  int SelectedIndex() const override { return selected_; }
  void SetSelectedIndex(int index) override;
  TreeNode* Parent() const override { return ParentNode(); }
  // Throws std::invalid_argument for a parent of another tree, std::logic_error for one within the node.
  void MoveTo(TreeNode* parent) override;

  // Null for a top-level node.
  LibraryNode* ParentNode() const;
  int Row() const { return row_; }
  int ChildCount() const { return static_cast<int>(children_.size()); }
  LibraryNode* Child(int row) const { return children_[static_cast<std::size_t>(row)].get(); }
  // The next sibling; null for the last one.
  LibraryNode* NextSibling() const;
  int Level() const;  // 0 for a top-level node

  bool stored = false;  // the node has its row in the library file

 private:
  friend class LibraryTreeModel;
  LibraryNode(LibraryTreeModel& model, LibraryNode* parent) : model_(model), parent_(parent) {}

  LibraryTreeModel& model_;
  LibraryNode* parent_;  // the model's hidden root for a top-level node; null for that root
  int row_ = 0;
  NodeId id_ = 0;
  std::u16string label_;
  int image_ = 0;
  int selected_ = 0;
  std::vector<std::unique_ptr<LibraryNode>> children_;
};

class LibraryTreeModel final : public QAbstractItemModel, public Tree {
  Q_OBJECT

 public:
  explicit LibraryTreeModel(QObject* parent = nullptr);
  ~LibraryTreeModel() override;

  // The tree seam.
  void BeginUpdate() override;
  void EndUpdate() override;
  void Clear() override;
  TreeNode& AddChild(TreeNode* parent, std::u16string_view label) override;

  // The item model: one column.
  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  bool hasChildren(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  LibraryNode* NodeAt(const QModelIndex& index) const;
  QModelIndex IndexOf(const LibraryNode* node) const;
  // The first top-level node; null for an empty tree.
  LibraryNode* First() const;
  // The first node in tree order (depth first) whose id is `id`.
  LibraryNode* FirstWithId(NodeId id) const;
  std::size_t Count() const { return count_; }

  // Moves `node` with its children under `parent` (null: the top level), before `before` (null: last).
  void Move(LibraryNode& node, LibraryNode* parent, LibraryNode* before);
  // Removes `node` with its children.
  void Remove(LibraryNode& node);
  // Every node read from the library has its row (placeholders excepted).
  void MarkStored();

  // Asked when a label edit ends with a new label; the label is kept when it answers true.
  std::function<bool(LibraryNode& node, const std::u16string& label)> labelEdited;

 private:
  friend class LibraryNode;
  bool Updating() const { return updates_ > 0; }
  void Changed(LibraryNode& node);
  LibraryNode& Owner(LibraryNode* parent) { return parent ? *parent : root_; }
  static void Renumber(LibraryNode& parent, std::size_t from);
  const QIcon& Icon(int image, int selected) const;

  LibraryNode root_{*this, nullptr};  // holds the top-level nodes; never shown
  std::size_t count_ = 0;
  int updates_ = 0;
  mutable std::map<std::pair<int, int>, QIcon> icons_;
};

}  // namespace zil::library
