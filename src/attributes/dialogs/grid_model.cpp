#include "attributes/dialogs/grid_model.h"

#include <QLineEdit>
#include <array>

#include "dialogs/hebrew_typing.h"
#include "platform/qt/qt_strings.h"

namespace zil::attributes {
namespace {

using platform::FromQString;
using platform::ToQString;

constexpr Qt::Alignment kRightAligned = Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter;
constexpr std::array<const char*, kColumnCount> kHeaders = {"Tag", "Prompt", "Value"};

}  // namespace

GridModel::GridModel(AttributeGrid& grid, QObject* parent) : QAbstractTableModel(parent), grid_(grid) {}

int GridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : grid_.RowCount(); }

int GridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumnCount; }

QVariant GridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= grid_.RowCount()) return {};
  const GridRow& row = grid_.Rows()[static_cast<std::size_t>(index.row())];
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      switch (index.column()) {
        case kTagColumn:
          return ToQString(row.tag);
        case kPromptColumn:
          return ToQString(row.prompt);
        default:
          return ToQString(row.value);
      }
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(kRightAligned);
    case Qt::BackgroundRole:
      if (index.column() == kTagColumn && row.marked) return kMarkedTagColour;
      return {};
    default:
      return {};
  }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= kColumnCount) return {};
  if (role == Qt::DisplayRole) return QString::fromLatin1(kHeaders[static_cast<std::size_t>(section)]);
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(kRightAligned);
  return {};
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (index.column() == kValueColumn && grid_.Rows()[static_cast<std::size_t>(index.row())].editable)
    flags |= Qt::ItemIsEditable;
  return flags;
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) return false;
  grid_.SetValue(index.row(), FromQString(value.toString()));
  emit dataChanged(index, index);
  return true;
}

void GridModel::Reload() {
  beginResetModel();
  endResetModel();
}

void GridModel::ValuesChanged() {
  if (grid_.RowCount() == 0) return;
  emit dataChanged(index(0, kValueColumn), index(grid_.RowCount() - 1, kValueColumn));
}

GridDelegate::GridDelegate(dialogs::HebrewTyping& typing, QObject* parent)
    : QStyledItemDelegate(parent), typing_(typing) {
  connect(this, &QAbstractItemDelegate::closeEditor, this, [this](QWidget* editor) {
    if (editor_ == editor) editor_ = nullptr;
  });
}

QWidget* GridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const {
  auto* line = new QLineEdit(parent);
  line->setObjectName(QStringLiteral("ngridEditor"));
  line->setFrame(false);
  line->setAlignment(kRightAligned);
  typing_.Watch(line);
  editor_ = line;
  return line;
}

void GridDelegate::CommitOpenEditor() {
  // The view hides an editor it closes on its own (the current cell moved), before deleting it later.
  if (!editor_ || editor_->isHidden()) return;
  QWidget* editor = editor_;
  editor_ = nullptr;
  emit commitData(editor);
  emit closeEditor(editor);
}

}  // namespace zil::attributes
