#include "library/window/tree_moves.h"

namespace zil::library {

std::optional<TreeMove> DropMove(const TreeNode& dragged, TreeNode* at, DropZone zone) {
  if (at == nullptr || dragged.Parent() == nullptr) return std::nullopt;
  if (zone == DropZone::ExpandButton || zone == DropZone::Beside) return std::nullopt;
  TreeMove move;
  if (zone == DropZone::Label && at->ImageIndex() != kTopicImage) {
    move.parent = at;
  } else {
    move.parent = at->Parent();
    move.before = at;
  }
  if (move.parent == nullptr || IsPlaceholder(*move.parent)) return std::nullopt;
  if (IsWithin(move.parent, &dragged) || move.before == &dragged) return std::nullopt;
  return move;
}

}  // namespace zil::library
