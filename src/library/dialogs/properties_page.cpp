#include "library/dialogs/properties_page.h"

#include <QComboBox>
#include <QHeaderView>
#include <QStyledItemDelegate>
#include <algorithm>
#include <stdexcept>

#include "platform/qt/qt_strings.h"
#include "textdialog/number_text.h"

namespace zil::library {
namespace {

using platform::FromQString;
using platform::ToQString;

const QString kYes = QStringLiteral("Yes");
const QString kNo = QStringLiteral("No");

// The values' editors: a drop-down list of the choices where the row has them, a line edit elsewhere.
class PickListDelegate final : public QStyledItemDelegate {
 public:
  PickListDelegate(std::function<QStringList(int row)> choices, QObject* parent)
      : QStyledItemDelegate(parent), choices_(std::move(choices)) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const QStringList choices = choices_(index.row());
    if (choices.isEmpty()) return QStyledItemDelegate::createEditor(parent, option, index);
    auto* list = new QComboBox(parent);
    list->addItems(choices);
    return list;
  }
  void setEditorData(QWidget* editor, const QModelIndex& index) const override {
    if (auto* list = qobject_cast<QComboBox*>(editor)) {
      list->setCurrentIndex(std::max(0, list->findText(index.data().toString())));
      return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
  }
  void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
    if (auto* list = qobject_cast<QComboBox*>(editor)) {
      model->setData(index, list->currentText());
      return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
  }

 private:
  std::function<QStringList(int row)> choices_;
};

}  // namespace

PropertiesPage::PropertiesPage(QWidget* parent) : QTableWidget(4, 2, parent) {
  setHorizontalHeaderLabels({QStringLiteral("Key"), QStringLiteral("Value")});
  verticalHeader()->hide();
  horizontalHeader()->setStretchLastSection(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
  const char* keys[] = {"Style", "Height", "Layer", "Explode"};
  for (int row = 0; row < 4; ++row) {
    auto* key = new QTableWidgetItem(QString::fromLatin1(keys[row]));
    key->setFlags(Qt::ItemIsEnabled);
    setItem(row, 0, key);
    setItem(row, 1, new QTableWidgetItem);
  }
  setItemDelegateForColumn(1, new PickListDelegate([this](int row) { return Choices(row); }, this));
  connect(this, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* changedItem) {
    if (changedItem->column() == 1) ValueChanged(changedItem->row());
  });
}

void PropertiesPage::Fill(std::vector<std::u16string> styles, std::vector<std::u16string> layers, const tprop& values) {
  styles_ = std::move(styles);
  layers_ = std::move(layers);
  values_ = values;
  heightText_ = values.height > 0 ? ToQString(textdialog::FormatFixed(values.height, 4, textdialog::DecimalSeparator()))
                                  : QString();
  Show(kStyle, ToQString(values.style));
  Show(kHeight, heightText_);
  Show(kLayer, ToQString(values.layer));
  Show(kExplode, values.explode ? kYes : kNo);
}

void PropertiesPage::Show(int row, const QString& text) {
  const QSignalBlocker quiet(this);
  item(row, 1)->setText(text);
}

QStringList PropertiesPage::Choices(int row) const {
  QStringList choices;
  if (row == kStyle)
    for (const auto& style : styles_) choices << ToQString(style);
  if (row == kLayer)
    for (const auto& layer : layers_) choices << ToQString(layer);
  if (row == kExplode) choices << kYes << kNo;
  return choices;
}

void PropertiesPage::ValueChanged(int row) {
  const QString text = item(row, 1)->text();
  switch (row) {
    case kStyle:
      values_.style = FromQString(text);
      break;
    case kLayer:
      values_.layer = FromQString(text);
      break;
    case kExplode:
      values_.explode = text == kYes;
      break;
    case kHeight:
      try {
        const double height =
            text.trimmed().isEmpty() ? 0 : textdialog::ParseNumber(FromQString(text), textdialog::DecimalSeparator());
        if (height < 0) throw std::invalid_argument("A height must not be below 0");
        values_.height = static_cast<float>(height);
        heightText_ = text;
      } catch (const std::exception& e) {
        Show(kHeight, heightText_);
        if (refused) refused(e.what());
        return;
      }
      break;
    default:
      return;
  }
  if (changed) changed(values_);
}

}  // namespace zil::library
