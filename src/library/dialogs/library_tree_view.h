// The tree view of the library window: the model's nodes with their images, labels edited in place (F2
// or the window's "Edit Item"), and drag and drop within the tree itself, by the rules of
// ../window/tree_moves.h. The selected node keeps its highlight, in the button face's colour, while the tree
// does not have the focus.
#pragma once

#include <QTreeView>
#include <functional>

#include "library/dialogs/library_tree_model.h"
#include "library/window/tree_moves.h"

namespace zil::library {

class LibraryTreeView final : public QTreeView {
  Q_OBJECT

 public:
  explicit LibraryTreeView(QWidget* parent = nullptr);

  LibraryTreeModel* Model() const { return static_cast<LibraryTreeModel*>(model()); }
  // The selected node; null when none is.
  LibraryNode* Selected() const;

  // The node whose row holds `pos` (viewport coordinates; null below the last node) and where on the
  // row it lies.
  std::pair<LibraryNode*, DropZone> HitTest(const QPoint& pos) const;
  // Drops the selected node at `pos` (viewport coordinates), as a drop from a drag within the tree does.
  void DropAt(const QPoint& pos);

  // A drop that moves the node: the window records the move and makes it.
  std::function<void(LibraryNode& dragged, const TreeMove& move)> dropped;

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  bool FromHere(const QDropEvent& event) const;
  void ShowFocus(bool focused);
};

}  // namespace zil::library
