#include "config/dialogs/fonts_form.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <stdexcept>

#include "config/dialogs/font_maps_delegate.h"
#include "config/dialogs/font_maps_model.h"
#include "config/font_name.h"
#include "dialogs/data_module.h"
#include "dialogs/hebrew_typing.h"
#include "dialogs/named.h"
#include "platform/qt/qt_strings.h"
#include "textcore/utf8.h"

namespace zil::config {
namespace {

using dialogs::Named;

constexpr int kDesignedTop = 120;

}  // namespace

TfrmFonts::TfrmFonts(FontDefinitions& fonts, platform::Services services, dialogs::DataModule& icons, QWidget* parent)
    : Form(services, parent),
      fonts_(fonts),
      typing_(new dialogs::HebrewTyping(services.keyboard, this)),
      model_(new FontMapsModel(fonts.table, this)),
      delegate_(new FontMapsDelegate(*typing_, this)) {
  setObjectName(QStringLiteral("frmFonts"));
  setWindowTitle(QStringLiteral("Fonts Definition"));

  Panel1 = Named(new QWidget(this), "Panel1");
  Label1 = Named(new QLabel(QStringLiteral("File"), Panel1), "Label1");
  Edit1 = Named(new QLineEdit(Panel1), "Edit1");
  Edit1->setReadOnly(true);  // shows the file in use; the buttons beside it change it
  Label1->setBuddy(Edit1);
  SpeedButton1 = Named(new QToolButton(Panel1), "SpeedButton1");
  SpeedButton1->setIcon(icons.Icon(dialogs::SharedIcon::OpenFile));
  SpeedButton1->setToolTip(QStringLiteral("Load  new Font Defenition File"));
  SpeedButton1->setAutoRaise(true);
  SpeedButton2 = Named(new QToolButton(Panel1), "SpeedButton2");
  SpeedButton2->setIcon(icons.Icon(dialogs::SharedIcon::SaveFile));
  SpeedButton2->setToolTip(QStringLiteral("Load   Font Defenition File As .."));
  SpeedButton2->setAutoRaise(true);
  auto* fileRow = new QHBoxLayout(Panel1);
  fileRow->setContentsMargins(0, 0, 0, 0);
  fileRow->addWidget(Label1);
  fileRow->addWidget(Edit1, 1);
  fileRow->addWidget(SpeedButton1);
  fileRow->addWidget(SpeedButton2);

  fontmaps = Named(new QTableView(this), "fontmaps");
  fontmaps->setModel(model_);
  fontmaps->setItemDelegate(delegate_);
  fontmaps->verticalHeader()->hide();
  fontmaps->horizontalHeader()->setHighlightSections(false);
  fontmaps->setColumnWidth(0, 250);
  fontmaps->setColumnWidth(1, 125);
  fontmaps->setSelectionMode(QAbstractItemView::SingleSelection);
  fontmaps->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                            QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
  fontmaps->setTabKeyNavigation(false);

  Panel2 = Named(new QWidget(this), "Panel2");
  btnNew = Named(new QPushButton(QStringLiteral("&New"), Panel2), "btnNew");
  Button1 = Named(new QPushButton(QStringLiteral("&New from file"), Panel2), "Button1");
  btnDelete = Named(new QPushButton(QStringLiteral("&Delete"), Panel2), "btnDelete");
  btnOk = Named(new QPushButton(QStringLiteral("OK"), Panel2), "btnOk");
  btnOk->setDefault(true);
  btnCancel = Named(new QPushButton(QStringLiteral("Cancel"), Panel2), "btnCancel");
  for (QPushButton* button : {btnNew, Button1, btnDelete, btnOk, btnCancel}) {
    button->setAutoDefault(false);
    // The row shares the form's designed width: a button may be narrower than the style's usual
    // minimum, never narrower than its caption.
    button->setMinimumWidth(button->fontMetrics().horizontalAdvance(button->text().remove(u'&')) + 16);
  }
  btnOk->setAutoDefault(true);
  auto* buttonRow = new QHBoxLayout(Panel2);
  buttonRow->setContentsMargins(0, 0, 0, 0);
  buttonRow->addWidget(btnNew);
  buttonRow->addWidget(Button1);
  buttonRow->addWidget(btnDelete);
  buttonRow->addStretch(1);
  buttonRow->addWidget(btnOk);
  buttonRow->addWidget(btnCancel);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Panel1);
  layout->addWidget(fontmaps, 1);
  layout->addWidget(Panel2);
  resize(kClientWidth, kClientHeight);
  SetDesignedTop(kDesignedTop);

  OpenDialog1.filter = u"Autocad Fonts|*.shx;*.shp|True Type|*.ttf";
  OpenDialog1.defaultExtension = u"*.shx";
  OpenDialog2.filter = u"Font Definitio Files(*.txt)|*.txt";
  OpenDialog2.defaultExtension = u"txt";
  SaveDialog1.filter = OpenDialog2.filter;
  SaveDialog1.defaultExtension = OpenDialog2.defaultExtension;

  connect(SpeedButton1, &QToolButton::clicked, this, [this] { Guard([this] { SpeedButton1Click(); }); });
  connect(SpeedButton2, &QToolButton::clicked, this, [this] { Guard([this] { SpeedButton2Click(); }); });
  connect(btnNew, &QPushButton::clicked, this, [this] { Guard([this] { btnNewClick(); }); });
  connect(Button1, &QPushButton::clicked, this, [this] { Guard([this] { Button1Click(); }); });
  connect(btnDelete, &QPushButton::clicked, this, [this] { Guard([this] { btnDeleteClick(); }); });
  connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
  // Shown once the refused edit is over, so the message box does not take the focus from an open editor.
  connect(model_, &FontMapsModel::refused, this, &TfrmFonts::fontmapsRefused, Qt::QueuedConnection);
  const auto edited = [this] { edited_ = true; };
  connect(model_, &QAbstractItemModel::dataChanged, this, edited);
  connect(model_, &QAbstractItemModel::rowsInserted, this, edited);
  connect(model_, &QAbstractItemModel::rowsRemoved, this, edited);

  ShowFile();
  if (model_->rowCount() > 0) MakeCurrent(0, 0);
  fontmaps->setFocus();
}

TfrmFonts::~TfrmFonts() = default;

void TfrmFonts::done(int result) {
  FormClose();
  Form::done(result);
}

void TfrmFonts::FormClose() {
  delegate_->CommitOpenEditor();
  try {
    fonts_.table.WriteFontsSection();
    edited_ = false;
  } catch (const std::exception& e) {
    ShowError(std::string(e.what()) +
              "\nThe font table is kept as edited and is written again when this dialog next closes.");
  }
}

void TfrmFonts::SpeedButton1Click() {
  delegate_->CommitOpenEditor();
  OpenDialog2.initialFolder = fonts_.loadFolder;
  OpenDialog2.fileName = fonts_.table.fontfile.filename();
  const auto chosen = services_.files.ChooseFileToOpen(OpenDialog2);
  if (!chosen) return;
  // The edits made to the file in use go into it before another file takes its place.
  if (edited_) fonts_.table.WriteFontsSection();
  model_->ResetWith([&] { fonts_.table.LoadDefinitionFile(*chosen); });
  edited_ = false;
  fonts_.loadFolder = chosen->parent_path();
  ShowFile();
  if (model_->rowCount() > 0) MakeCurrent(0, 0);
}

void TfrmFonts::SpeedButton2Click() {
  delegate_->CommitOpenEditor();
  SaveDialog1.initialFolder = fonts_.saveFolder;
  SaveDialog1.fileName = fonts_.table.fontfile.filename();
  const auto chosen = services_.files.ChooseFileToSave(SaveDialog1);
  if (!chosen) return;
  fonts_.table.SaveAs(*chosen);
  edited_ = false;
  fonts_.loadFolder = chosen->parent_path();
  ShowFile();
}

void TfrmFonts::btnNewClick() {
  delegate_->CommitOpenEditor();
  const int current = CurrentRow();
  const bool currentEmpty = current >= 0 && fonts_.table.fontmaps[static_cast<std::size_t>(current)].key.empty() &&
                            fonts_.table.fontmaps[static_cast<std::size_t>(current)].value.empty();
  if (!currentEmpty) model_->InsertRow(model_->rowCount(), u"");
  MakeCurrent(model_->rowCount() - 1, 0);
  fontmaps->setFocus();
}

void TfrmFonts::Button1Click() {
  delegate_->CommitOpenEditor();
  const auto chosen = services_.files.ChooseFileToOpen(OpenDialog1);
  if (!chosen) return;
  const std::u16string file = platform::FromQString(platform::ToQPath(*chosen));
  const std::u16string name(WithoutExtension(FileNamePart(file)));
  if (const auto problem = model_->KeyProblem(-1, name)) {
    if (const auto existing = fonts_.table.FindRow(name)) MakeCurrent(static_cast<int>(*existing), 1);
    throw std::runtime_error(textcore::ToUtf8(*problem));
  }
  int row = CurrentRow();
  if (row >= 0 && fonts_.table.fontmaps[static_cast<std::size_t>(row)].key.empty()) {
    model_->setData(model_->index(row, 0), platform::ToQString(name), Qt::EditRole);
  } else {
    if (row < 0) row = model_->rowCount();
    model_->InsertRow(row, name);
  }
  MakeCurrent(row, 1);
  fontmaps->setFocus();
}

void TfrmFonts::btnDeleteClick() {
  delegate_->CommitOpenEditor();
  const int current = CurrentRow();
  if (current < 0) return;
  model_->RemoveRow(current);
  if (model_->rowCount() > 0) MakeCurrent(std::min(current, model_->rowCount() - 1), fontmaps->currentIndex().column());
}

void TfrmFonts::fontmapsRefused(const QString& message) { ShowError(textcore::ToUtf8(platform::FromQString(message))); }

int TfrmFonts::CurrentRow() const {
  const QModelIndex current = fontmaps->currentIndex();
  return current.isValid() ? current.row() : -1;
}

void TfrmFonts::MakeCurrent(int row, int column) { fontmaps->setCurrentIndex(model_->index(row, std::max(column, 0))); }

void TfrmFonts::ShowFile() { Edit1->setText(platform::ToQPath(fonts_.table.fontfile)); }

}  // namespace zil::config
