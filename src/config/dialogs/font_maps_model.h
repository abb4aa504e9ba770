// The font table as the rows of the "Fonts Definition" dialog's value list editor: column 0 the font name
// ("Fonts"), column 1 its font-type word ("Mapping"). The model works on the live table of the font
// definitions, so an edit is what classification sees at once. Font names stay unique (ignoring case)
// and must be names a definition file can keep; an edit that breaks either is refused and reported.
#pragma once

#include <QAbstractTableModel>
#include <optional>
#include <string>

#include "config/font_table.h"

namespace zil::config {

class FontMapsModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  // Item data role: true when the value cell offers the drop-down of font-type words.
  static constexpr int kPickListRole = Qt::UserRole + 1;

  explicit FontMapsModel(FontTable& table, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

  // Why `key` cannot be the name of row `row` (another row has it, or the file could not keep it), or
  // nothing when it can. `row` may be -1 for a row yet to come.
  std::optional<std::u16string> KeyProblem(int row, std::u16string_view key) const;

  // Row operations of the dialog's buttons. Each keeps the views informed.
  void InsertRow(int at, const std::u16string& key);  // an empty value, no drop-down
  void RemoveRow(int row);
  // Wraps a change of the whole table (loading another file).
  template <typename Change>
  void ResetWith(Change&& change) {
    beginResetModel();
    try {
      change();
    } catch (...) {
      endResetModel();
      throw;
    }
    endResetModel();
  }

  const FontTable& table() const { return table_; }

 signals:
  // An edit was refused; the message says why.
  void refused(const QString& message);

 private:
  FontTable& table_;
};

}  // namespace zil::config
