// A tree of library nodes kept in memory: the tree the command line prints and the tests inspect, with
// the behaviour the library window's tree view has (last-child insertion, moving a node with its
// children). Children are linked lists, so adding and moving are constant time whatever the tree's size.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "library/tree_node.h"

namespace zil::library {

class MemoryTree;

class MemoryTreeNode final : public TreeNode {
 public:
  NodeId Id() const override { return id_; }
  void SetId(NodeId id) override { id_ = id; }
  std::u16string Label() const override { return label_; }
  void SetLabel(std::u16string_view label) override { label_ = label; }
  int ImageIndex() const override { return image_; }
  void SetImageIndex(int index) override { image_ = index; }
  int SelectedIndex() const override { return selected_; }
  void SetSelectedIndex(int index) override { selected_ = index; }
  TreeNode* Parent() const override { return parent_; }
  // Throws std::invalid_argument for a parent of another tree, std::logic_error for a parent within
  // the node.
  void MoveTo(TreeNode* parent) override;

  MemoryTreeNode* FirstChild() const { return first_; }
  MemoryTreeNode* Next() const { return next_; }
  std::vector<MemoryTreeNode*> Children() const;

 private:
  friend class MemoryTree;
  explicit MemoryTreeNode(MemoryTree& tree) : tree_(tree) {}

  MemoryTree& tree_;
  NodeId id_ = 0;
  std::u16string label_;
  int image_ = 0;
  int selected_ = 0;
  MemoryTreeNode* parent_ = nullptr;
  MemoryTreeNode* first_ = nullptr;
  MemoryTreeNode* last_ = nullptr;
  MemoryTreeNode* prev_ = nullptr;
  MemoryTreeNode* next_ = nullptr;
};

class MemoryTree final : public Tree {
 public:
  MemoryTree();
  ~MemoryTree() override;
  MemoryTree(const MemoryTree&) = delete;
  MemoryTree& operator=(const MemoryTree&) = delete;

  void BeginUpdate() override { ++updates_; }
  void EndUpdate() override;
  void Clear() override;
  TreeNode& AddChild(TreeNode* parent, std::u16string_view label) override;

  bool Updating() const { return updates_ > 0; }
  std::size_t Count() const { return nodes_.size(); }
  std::vector<MemoryTreeNode*> TopLevel() const { return root_.Children(); }

  // The tree as text, one node a line, depth first: two spaces of indentation per level, the label, and
  // the id in brackets, followed by "(topic)" for a topic and "(image N)" for another kind than a category.
  std::u16string Outline() const;

 private:
  friend class MemoryTreeNode;
  MemoryTreeNode* Own(TreeNode* node);
  static void Unlink(MemoryTreeNode& node);
  static void Append(MemoryTreeNode& parent, MemoryTreeNode& node);

  MemoryTreeNode root_;  // holds the top-level nodes as its children; never shown
  std::vector<std::unique_ptr<MemoryTreeNode>> nodes_;
  int updates_ = 0;
};

}  // namespace zil::library
