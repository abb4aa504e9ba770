// Moving a node of the library tree by drag and drop: where the dragged node goes for the place of the
// row it is dropped on.
//
//   - on a node's label or icon: it becomes the last child of that node;
//   - on the indent at the left of a node: it goes before that node, as its sibling;
//   - on a topic (label, icon or indent): it goes before the topic, as its sibling;
//   - anywhere else (a node's expand button, the space to the right of a label, the space below the last
//     node): nowhere.
// A node never goes into itself or under one of its own descendants, and nothing becomes a top-level
// node: the top level holds the root of the library (and the empty-labelled nodes that hold children
// whose parent is missing), which are not dragged, nor given a new node under an empty-labelled one.
#pragma once

#include <optional>

#include "library/tree_node.h"

namespace zil::library {

// Where on a node's row a drop falls.
enum class DropZone { Label, Indent, ExpandButton, Beside };

struct TreeMove {
  TreeNode* parent = nullptr;  // the new parent
  TreeNode* before = nullptr;  // the sibling it goes before; null: it becomes the last child
};

// Where `dragged` goes when dropped on `zone` of the row of `at` (null: below the last node, or outside
// the tree); nothing when it stays.
std::optional<TreeMove> DropMove(const TreeNode& dragged, TreeNode* at, DropZone zone);

// Whether a node is a placeholder: an empty-labelled top-level node holding children whose parent row
// is missing (its id is the negated id of that parent).
inline bool IsPlaceholder(const TreeNode& node) { return node.Id() < 0; }

}  // namespace zil::library
