// The library tree as the database sees it: nodes with an id (the `nid` of their row, kept as the node's
// data), a label, an image index (the node kind: 0 category, 2 topic) and a parent; and the tree that
// holds them, which can add a node as the last child of another (or at the top level), clear itself and
// suspend its repainting while it is refilled. The library window's tree view implements these; the
// in-memory tree (memory_tree.h) implements them for the command line and the tests.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zil::library {

using NodeId = std::int32_t;

// Image indexes of the node kinds.
inline constexpr int kCategoryImage = 0;
inline constexpr int kOpenCategoryImage = 1;
inline constexpr int kTopicImage = 2;

class TreeNode {
 public:
  virtual ~TreeNode() = default;

  virtual NodeId Id() const = 0;
  virtual void SetId(NodeId id) = 0;
  virtual std::u16string Label() const = 0;
  virtual void SetLabel(std::u16string_view label) = 0;
  virtual int ImageIndex() const = 0;
  virtual void SetImageIndex(int index) = 0;
  // The image shown while the node is selected.
  virtual int SelectedIndex() const = 0;
  virtual void SetSelectedIndex(int index) = 0;
  // The parent node; null for a top-level node.
  virtual TreeNode* Parent() const = 0;
  // Makes the node the last child of `parent` (null: the last top-level node), with all its children.
  // `parent` must not be the node itself or one of its descendants.
  virtual void MoveTo(TreeNode* parent) = 0;
};

class Tree {
 public:
  virtual ~Tree() = default;

  // Repainting is suspended from BeginUpdate to the matching EndUpdate.
  virtual void BeginUpdate() = 0;
  virtual void EndUpdate() = 0;
  // Removes every node.
  virtual void Clear() = 0;
  // A new node as the last child of `parent` (null: the last top-level node): the given label, id 0, image
  // indexes 0.
  virtual TreeNode& AddChild(TreeNode* parent, std::u16string_view label) = 0;
};

// True when `node` is `ancestor` or lies under it.
inline bool IsWithin(const TreeNode* node, const TreeNode* ancestor) {
  for (; node != nullptr; node = node->Parent())
    if (node == ancestor) return true;
  return false;
}

}  // namespace zil::library
