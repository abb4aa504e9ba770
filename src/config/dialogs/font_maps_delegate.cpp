#include "config/dialogs/font_maps_delegate.h"

#include <QComboBox>
#include <QLineEdit>

#include "config/dialogs/font_maps_model.h"
#include "config/font_table.h"
#include "dialogs/hebrew_typing.h"
#include "platform/qt/qt_strings.h"

namespace zil::config {

FontMapsDelegate::FontMapsDelegate(dialogs::HebrewTyping& typing, QObject* parent)
    : QStyledItemDelegate(parent), typing_(typing) {
  connect(this, &QAbstractItemDelegate::closeEditor, this, [this](QWidget* editor) {
    if (editor_ == editor) editor_ = nullptr;
  });
}

QWidget* FontMapsDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const {
  QWidget* editor = nullptr;
  if (index.column() == 1 && index.data(FontMapsModel::kPickListRole).toBool()) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QStringLiteral("fontmapsPickList"));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMaxVisibleItems(kDropDownRows);
    for (const std::u16string_view word : kFontTypeWords) box->addItem(platform::ToQString(word));
    // Keys reach the line edit through the box, or directly.
    typing_.Watch(box);
    typing_.Watch(box->lineEdit());
    auto* self = const_cast<FontMapsDelegate*>(this);
    connect(box, &QComboBox::activated, self, [self, box] {
      emit self->commitData(box);
      emit self->closeEditor(box);
    });
    editor = box;
  } else {
    auto* line = new QLineEdit(parent);
    line->setObjectName(QStringLiteral("fontmapsEditor"));
    line->setFrame(false);
    typing_.Watch(line);
    editor = line;
  }
  editor_ = editor;
  return editor;
}

void FontMapsDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  const QString text = index.data(Qt::EditRole).toString();
  if (auto* box = qobject_cast<QComboBox*>(editor)) {
    const int at = box->findText(text, Qt::MatchFixedString);
    if (at >= 0 && box->itemText(at) == text) box->setCurrentIndex(at);
    box->setEditText(text);
    box->lineEdit()->selectAll();  // typing replaces the word, as in a line edit
    return;
  }
  QStyledItemDelegate::setEditorData(editor, index);
}

void FontMapsDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
  if (auto* box = qobject_cast<QComboBox*>(editor)) {
    model->setData(index, box->currentText(), Qt::EditRole);
    return;
  }
  QStyledItemDelegate::setModelData(editor, model, index);
}

void FontMapsDelegate::CommitOpenEditor() {
  // The view hides an editor it closes on its own (the current cell moved), before deleting it later.
  if (!editor_ || editor_->isHidden()) return;
  QWidget* editor = editor_;
  editor_ = nullptr;
  emit commitData(editor);
  emit closeEditor(editor);
}

}  // namespace zil::config
