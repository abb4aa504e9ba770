#include "library/dialogs/library_tree_view.h"

#include <QApplication>
#include <QDropEvent>
#include <QPalette>

namespace zil::library {

LibraryTreeView::LibraryTreeView(QWidget* parent) : QTreeView(parent) {
  setHeaderHidden(true);
  setUniformRowHeights(true);  // the layout of a large tree then needs no row measured but one
  setEditTriggers(QAbstractItemView::EditKeyPressed);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setDragEnabled(true);
  setAcceptDrops(true);
  setDragDropMode(QAbstractItemView::DragDrop);
  setDefaultDropAction(Qt::CopyAction);  // the tree moves the node itself; the drag must not remove it
  setDropIndicatorShown(false);
  ShowFocus(false);
}

LibraryNode* LibraryTreeView::Selected() const {
  const QModelIndexList selected = selectionModel() ? selectionModel()->selectedIndexes() : QModelIndexList();
  return selected.isEmpty() ? nullptr : Model()->NodeAt(selected.front());
}

std::pair<LibraryNode*, DropZone> LibraryTreeView::HitTest(const QPoint& pos) const {
  const QModelIndex at = indexAt(pos);
  LibraryNode* node = Model()->NodeAt(at);
  if (node == nullptr) return {nullptr, DropZone::Beside};
  const QRect item = visualRect(at);  // from the end of the node's indent
  QStyleOptionViewItem option;
  initViewItemOption(&option);
  const int labelEnd = item.left() + itemDelegateForIndex(at)->sizeHint(option, at).width();
  if (pos.x() >= item.left()) return {node, pos.x() < labelEnd ? DropZone::Label : DropZone::Beside};
  const bool button = pos.x() >= item.left() - indentation() && Model()->hasChildren(at);
  return {node, button ? DropZone::ExpandButton : DropZone::Indent};
}

void LibraryTreeView::DropAt(const QPoint& pos) {
  LibraryNode* dragged = Selected();
  if (dragged == nullptr) return;
  const auto [at, zone] = HitTest(pos);
  const std::optional<TreeMove> move = DropMove(*dragged, at, zone);
  if (move && dropped) dropped(*dragged, *move);
}

bool LibraryTreeView::FromHere(const QDropEvent& event) const { return event.source() == this && Selected(); }

void LibraryTreeView::dragEnterEvent(QDragEnterEvent* event) {
  if (FromHere(*event)) {
    event->setDropAction(Qt::CopyAction);
    event->accept();
  } else {
    event->ignore();
  }
}

void LibraryTreeView::dragMoveEvent(QDragMoveEvent* event) {
  QTreeView::dragMoveEvent(event);  // scrolls the tree near its edges
  const QPoint pos = event->position().toPoint();
  const auto [at, zone] = HitTest(pos);
  if (FromHere(*event) && DropMove(*Selected(), at, zone)) {
    event->setDropAction(Qt::CopyAction);
    event->accept();
  } else {
    event->ignore();
  }
}

void LibraryTreeView::dropEvent(QDropEvent* event) {
  if (!FromHere(*event)) {
    event->ignore();
    return;
  }
  DropAt(event->position().toPoint());
  event->setDropAction(Qt::CopyAction);
  event->accept();
}

void LibraryTreeView::focusInEvent(QFocusEvent* event) {
  ShowFocus(true);
  QTreeView::focusInEvent(event);
}

void LibraryTreeView::focusOutEvent(QFocusEvent* event) {
  ShowFocus(false);
  QTreeView::focusOutEvent(event);
}

void LibraryTreeView::ShowFocus(bool focused) {
  QPalette colours = palette();
  const QPalette standard = QApplication::palette(this);
  for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    colours.setColor(group, QPalette::Highlight,
                     focused ? standard.color(group, QPalette::Highlight) : standard.color(group, QPalette::Button));
    colours.setColor(
        group, QPalette::HighlightedText,
        focused ? standard.color(group, QPalette::HighlightedText) : standard.color(group, QPalette::ButtonText));
  }
  setPalette(colours);
}

}  // namespace zil::library
