// The cell editors of the font table: a line edit for names and values, and for the value of a row
// loaded from the file an editable drop-down of the font-type words (five rows tall) that still takes
// any text. The editors type Hebrew while the Hebrew keyboard layout is active. Choosing a word from the
// drop-down commits it at once.
#pragma once

#include <QPointer>
#include <QStyledItemDelegate>

namespace zil::dialogs {
class HebrewTyping;
}

namespace zil::config {

class FontMapsDelegate final : public QStyledItemDelegate {
  Q_OBJECT

 public:
  static constexpr int kDropDownRows = 5;

  FontMapsDelegate(dialogs::HebrewTyping& typing, QObject* parent = nullptr);

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

  // Commits what the open editor holds and closes it (the form is closing, or the table changes).
  void CommitOpenEditor();

 private:
  dialogs::HebrewTyping& typing_;
  mutable QPointer<QWidget> editor_;
};

}  // namespace zil::config
