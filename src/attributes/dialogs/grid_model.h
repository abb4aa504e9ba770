// The attribute grid's rows as a Qt table (tag, prompt, value), over the grid's flow
// (../attribute_grid.h): every column right-aligned whatever the reading direction, the tag cell of a row
// with a pick list yellow, only the value cells that the flow allows editable. The cell editors type
// Hebrew while the Hebrew keyboard layout is active.
#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QPointer>
#include <QStyledItemDelegate>

#include "attributes/attribute_grid.h"

namespace zil::dialogs {
class HebrewTyping;
}

namespace zil::attributes {

// The colour that marks a row with a pick list: red and green at full strength.
inline const QColor kMarkedTagColour{255, 255, 0};

class GridModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit GridModel(AttributeGrid& grid, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

  // The grid read its rows anew.
  void Reload();
  // The flow changed values (a pick).
  void ValuesChanged();

 private:
  AttributeGrid& grid_;
};

class GridDelegate final : public QStyledItemDelegate {
  Q_OBJECT

 public:
  GridDelegate(dialogs::HebrewTyping& typing, QObject* parent = nullptr);

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

  // Commits what the open editor holds and closes it (the grid is closing).
  void CommitOpenEditor();

 private:
  dialogs::HebrewTyping& typing_;
  mutable QPointer<QWidget> editor_;
};

}  // namespace zil::attributes
