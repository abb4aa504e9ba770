#include "library/memory_tree.h"

#include <stdexcept>
#include <string>

namespace zil::library {

std::vector<MemoryTreeNode*> MemoryTreeNode::Children() const {
  std::vector<MemoryTreeNode*> children;
  for (MemoryTreeNode* child = first_; child != nullptr; child = child->next_) children.push_back(child);
  return children;
}

void MemoryTreeNode::MoveTo(TreeNode* parent) {
  MemoryTreeNode* target = tree_.Own(parent);
  if (parent != nullptr && IsWithin(parent, this))
    throw std::logic_error("A tree node cannot be moved under itself or one of its own children");
  MemoryTree::Unlink(*this);
  MemoryTree::Append(*target, *this);
}

MemoryTree::MemoryTree() : root_(*this) {}

MemoryTree::~MemoryTree() = default;

void MemoryTree::EndUpdate() {
  if (updates_ > 0) --updates_;
}

void MemoryTree::Clear() {
  root_.first_ = root_.last_ = nullptr;
  nodes_.clear();
}

TreeNode& MemoryTree::AddChild(TreeNode* parent, std::u16string_view label) {
  MemoryTreeNode* target = Own(parent);
  nodes_.push_back(std::unique_ptr<MemoryTreeNode>(new MemoryTreeNode(*this)));
  MemoryTreeNode& node = *nodes_.back();
  node.label_ = label;
  Append(*target, node);
  return node;
}

MemoryTreeNode* MemoryTree::Own(TreeNode* node) {
  if (node == nullptr) return &root_;
  auto* mine = dynamic_cast<MemoryTreeNode*>(node);
  if (mine == nullptr || &mine->tree_ != this || mine == &root_)
    throw std::invalid_argument("The tree node belongs to another tree");
  return mine;
}

void MemoryTree::Unlink(MemoryTreeNode& node) {
  MemoryTreeNode* parent = node.parent_ != nullptr ? node.parent_ : &node.tree_.root_;
  (node.prev_ ? node.prev_->next_ : parent->first_) = node.next_;
  (node.next_ ? node.next_->prev_ : parent->last_) = node.prev_;
  node.prev_ = node.next_ = nullptr;
  node.parent_ = nullptr;
}

void MemoryTree::Append(MemoryTreeNode& parent, MemoryTreeNode& node) {
  node.parent_ = &parent == &node.tree_.root_ ? nullptr : &parent;
  node.prev_ = parent.last_;
  node.next_ = nullptr;
  (parent.last_ ? parent.last_->next_ : parent.first_) = &node;
  parent.last_ = &node;
}

std::u16string MemoryTree::Outline() const {
  std::u16string text;
  const auto ascii = [](const std::string& s) { return std::u16string(s.begin(), s.end()); };
  // Depth first without recursion: a library can be deep.
  const MemoryTreeNode* node = root_.first_;
  std::size_t depth = 0;
  while (node != nullptr) {
    text.append(2 * depth, u' ');
    text += node->label_;
    text += ascii(" [" + std::to_string(node->id_) + "]");
    if (node->image_ == kTopicImage) {
      text += u" (topic)";
    } else if (node->image_ != kCategoryImage) {
      text += ascii(" (image " + std::to_string(node->image_) + ")");
    }
    text += u'\n';
    if (node->first_ != nullptr) {
      node = node->first_;
      ++depth;
      continue;
    }
    while (node != nullptr && node->next_ == nullptr) {
      node = node->parent_;
      if (depth > 0) --depth;
    }
    if (node != nullptr) node = node->next_;
  }
  return text;
}

}  // namespace zil::library
