#include "config/dialogs/font_maps_model.h"

#include "config/font_name.h"
#include "platform/ascii_case.h"
#include "platform/qt/qt_strings.h"

namespace zil::config {
namespace {

std::u16string Trimmed(std::u16string_view s) {
  const auto space = [](char16_t c) { return c == u' ' || c == u'\t'; };
  while (!s.empty() && space(s.front())) s.remove_prefix(1);
  while (!s.empty() && space(s.back())) s.remove_suffix(1);
  return std::u16string(s);
}

bool HasLineBreak(std::u16string_view s) { return s.find_first_of(u"\r\n") != std::u16string_view::npos; }

}  // namespace

FontMapsModel::FontMapsModel(FontTable& table, QObject* parent) : QAbstractTableModel(parent), table_(table) {}

int FontMapsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(table_.fontmaps.size());
}

int FontMapsModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 2; }

QVariant FontMapsModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const FontMapRow& row = table_.fontmaps[static_cast<std::size_t>(index.row())];
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return platform::ToQString(index.column() == 0 ? row.key : row.value);
    case kPickListRole:
      return row.pickList;
    default:
      return {};
  }
}

QVariant FontMapsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Horizontal) return section == 0 ? QStringLiteral("Fonts") : QStringLiteral("Mapping");
  return {};
}

Qt::ItemFlags FontMapsModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
}

std::optional<std::u16string> FontMapsModel::KeyProblem(int row, std::u16string_view key) const {
  if (key.find(u'=') != std::u16string_view::npos || key.starts_with(u"[") || key.starts_with(u";") ||
      HasLineBreak(key))
    return u"\"" + std::u16string(key) +
           u"\" cannot be a font name in a definition file: a name must not hold \"=\" or a line break, nor begin "
           u"with \"[\" or \";\"";
  if (key.empty()) return std::nullopt;
  const std::u16string upper = UpperAscii(key);
  for (std::size_t i = 0; i < table_.fontmaps.size(); ++i)
    if (static_cast<int>(i) != row && UpperAscii(table_.fontmaps[i].key) == upper)
      return u"The font \"" + table_.fontmaps[i].key + u"\" is in the table already";
  return std::nullopt;
}

bool FontMapsModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole || index.row() >= rowCount()) return false;
  FontMapRow& row = table_.fontmaps[static_cast<std::size_t>(index.row())];
  const std::u16string text = Trimmed(platform::FromQString(value.toString()));
  if (index.column() == 0) {
    if (text == row.key) return true;
    if (const auto problem = KeyProblem(index.row(), text)) {
      emit refused(platform::ToQString(*problem));
      return false;
    }
    row.key = text;
  } else {
    if (HasLineBreak(text)) {
      emit refused(QStringLiteral("A font type word cannot hold a line break"));
      return false;
    }
    row.value = text;
  }
  emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
  return true;
}

void FontMapsModel::InsertRow(int at, const std::u16string& key) {
  beginInsertRows({}, at, at);
  table_.fontmaps.insert(table_.fontmaps.begin() + at, FontMapRow{key, u"", false});
  endInsertRows();
}

void FontMapsModel::RemoveRow(int row) {
  beginRemoveRows({}, row, row);
  table_.fontmaps.erase(table_.fontmaps.begin() + row);
  endRemoveRows();
}

}  // namespace zil::config
