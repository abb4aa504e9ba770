#include "attributes/dialogs/tfrm_grid.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <numeric>

#include "attributes/dialogs/grid_model.h"
#include "dialogs/dialog_fonts.h"
#include "dialogs/hebrew_typing.h"
#include "dialogs/named.h"
#include "platform/qt/placement.h"
#include "platform/qt/qt_strings.h"
#include "textcore/keyboard.h"

namespace zil::attributes {
namespace {

using dialogs::Named;
using platform::FromQString;
using platform::ToQString;

constexpr int kRowHeight = 30;
// Tag, Prompt and Value; the value column takes the width the window has beyond the three.
constexpr std::array<int, 3> kColumnWidths = {120, 150, 374};
constexpr int kPickListRows = 12;
const QString kEnglishCaption = QStringLiteral("&English");
const QString kHebrewCaption = QStringLiteral("&Hebrew");

}  // namespace

TfrmGrid::TfrmGrid(acad::HostState& host, config::FontDefinitions& fonts, platform::Services services,
                   const std::filesystem::path& dataFolder, QWidget* parent)
    : Form(services, parent),
      fonts_(fonts),
      db_(library::Tdb::Create(dataFolder)),
      grid_(host, fonts, db_, services.registry),
      typing_(new dialogs::HebrewTyping(services.keyboard, this)) {
  setObjectName(QStringLiteral("frmGrid"));
  setWindowTitle(ToQString(kGridCaption));
  BuildControls();

  // FormCreate: the top and size, and the grid's reading direction, from the settings.
  const config::Rinistr& settings = fonts_.inistr;
  resize(settings.grw, settings.grh);
  move(x(), settings.grt);
  SetDesignedTop(settings.grt);
  SetDirection(settings.grmode == 0);
  ComboBox1->hide();
}

TfrmGrid::~TfrmGrid() {
  // FormDestroy: the layout goes to the settings.
  config::Rinistr& settings = fonts_.inistr;
  settings.grl = x();
  settings.grt = y();
  settings.grw = width();
  settings.grh = height();
  settings.grmode = RightToLeft() ? 0 : 1;
  textcore::EnglishKeyboard(services_.keyboard);
}

void TfrmGrid::BuildControls() {
  setFont(dialogs::DialogFontPoints(u"Tahoma", 9));

  btnH = Named(new QPushButton(kEnglishCaption, this), "btnH");
  lblName = Named(new QLabel(QStringLiteral("Block  :"), this), "lblName");
  lblName->setFont(dialogs::DialogFontPoints(u"Tahoma", 10, true));
  Label1 = Named(new QLabel(QStringLiteral("Select another block"), this), "Label1");
  BitBtn3 = Named(new QPushButton(this), "BitBtn3");
  BitBtn3->setIcon(style()->standardIcon(QStyle::SP_MediaSkipForward));
  BitBtn3->setToolTip(QStringLiteral("Select another block"));
  BitBtn3->setAutoDefault(false);
  btnH->setAutoDefault(false);
  auto* top = new QHBoxLayout;
  top->addWidget(btnH);
  top->addWidget(lblName, 1);
  top->addWidget(Label1);
  top->addWidget(BitBtn3);

  ngrid = Named(new QTableView(this), "ngrid");
  ngrid->setFont(dialogs::DialogFontPoints(u"Arial", 12));
  model_ = new GridModel(grid_, ngrid);
  delegate_ = new GridDelegate(*typing_, ngrid);
  ngrid->setModel(model_);
  ngrid->setItemDelegate(delegate_);
  ngrid->setShowGrid(true);
  ngrid->verticalHeader()->hide();
  ngrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  ngrid->verticalHeader()->setDefaultSectionSize(kRowHeight);
  QHeaderView* header = ngrid->horizontalHeader();
  header->setSectionsMovable(false);
  header->setDefaultAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
  for (std::size_t column = 0; column < kColumnWidths.size(); ++column)
    header->resizeSection(static_cast<int>(column), kColumnWidths[column]);
  header->setStretchLastSection(true);  // the value column takes the remaining width
  ngrid->setSelectionMode(QAbstractItemView::SingleSelection);
  ngrid->setSelectionBehavior(QAbstractItemView::SelectItems);
  // Typing on a cell edits it at once (a click on the selected cell would hold typed keys back while it
  // waits for a double click).
  ngrid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                         QAbstractItemView::AnyKeyPressed);

  Label2 = Named(new QLabel(QStringLiteral("Attribute\nWidth Factor"), this), "Label2");
  edWF = Named(new QLineEdit(this), "edWF");
  edWF->setLayoutDirection(Qt::LeftToRight);
  edWF->setFixedWidth(80);
  ComboBox1 = Named(new QComboBox(this), "ComboBox1");
  ComboBox1->setEditable(true);
  ComboBox1->setInsertPolicy(QComboBox::NoInsert);
  ComboBox1->setCompleter(nullptr);  // what is typed is stored as typed
  ComboBox1->setMaxVisibleItems(kPickListRows);
  ComboBox1->setFont(dialogs::DialogFontPoints(u"Arial", 12));
  ComboBox1->lineEdit()->setAlignment(Qt::AlignRight | Qt::AlignAbsolute);
  typing_->Watch(ComboBox1->lineEdit());
  BitBtn1 = Named(new QPushButton(QStringLiteral("OK"), this), "BitBtn1");
  BitBtn1->setDefault(true);
  BitBtn2 = Named(new QPushButton(QStringLiteral("Cancel"), this), "BitBtn2");
  BitBtn2->setAutoDefault(false);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(Label2);
  bottom->addWidget(edWF);
  bottom->addWidget(ComboBox1, 1);
  bottom->addStretch(0);
  bottom->addWidget(BitBtn1);
  bottom->addWidget(BitBtn2);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(ngrid, 1);
  layout->addLayout(bottom);

  connect(ngrid->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) { ngridSelectCell(current.row()); });
  connect(edWF, &QLineEdit::textEdited, this, [this] { edWFChange(); });
  connect(ComboBox1, &QComboBox::activated, this,
          [this](int index) { ComboBox1Change(index, ComboBox1->itemText(index)); });
  connect(ComboBox1->lineEdit(), &QLineEdit::textEdited, this,
          [this](const QString& text) { ComboBox1Change(-1, text); });
  connect(btnH, &QPushButton::clicked, this, [this] { btnHClick(); });
  connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
  connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
  connect(BitBtn3, &QPushButton::clicked, this, [this] { BitBtn3Click(); });
}

bool TfrmGrid::RightToLeft() const { return ngrid->layoutDirection() == Qt::RightToLeft; }

void TfrmGrid::SetDirection(bool rightToLeft) {
  const Qt::LayoutDirection direction = rightToLeft ? Qt::RightToLeft : Qt::LeftToRight;
  ngrid->setLayoutDirection(direction);
  ComboBox1->setLayoutDirection(direction);  // the pick list reads as the grid does
}

// --- the two editors ---

void TfrmGrid::EditAttributeDefinition(std::u16string_view handle) {
  grid_.ReadAttributeDefinition(handle);
  ShowRows();
  ShowModal();
  if (!isCancel) grid_.Write();
}

void TfrmGrid::EditBlockAttributes(std::u16string_view handle, std::u16string& result) {
  result.clear();
  if (!grid_.ReadBlockAttributes(handle)) {
    services_.messages.Show(u"zil", std::u16string(kNoAttributes), platform::MessageIcon::Warning,
                            platform::MessageButtons::Ok);
    return;
  }
  ShowRows();
  ShowModal();
  if (isCancel) return;
  grid_.Write();
  // The caller moves on to the next block only once this one is written.
  if (next_) result = kNextBlock;
}

void TfrmGrid::ShowRows() {
  lblName->setText(ToQString(grid_.lblName()));
  // A definition has no width factor to show or change.
  edWF->setEnabled(grid_.Kind() == GridKind::BlockReference);
  model_->Reload();
  FitColumns();
  // The row-selection handler runs once for the value cell of the first row.
  ngrid->setCurrentIndex(model_->index(grid_.StartRow(), kValueColumn));
}

void TfrmGrid::FitColumns() {
  ensurePolished();
  QHeaderView* header = ngrid->horizontalHeader();
  const QAbstractItemView& view = *ngrid;  // the widest text of a column, all rows counted while hidden
  std::array<int, kColumnWidths.size()> widths{};
  for (std::size_t i = 0; i < widths.size(); ++i) {
    const int column = static_cast<int>(i);
    widths[i] = std::max({kColumnWidths[i], view.sizeHintForColumn(column), header->sectionSizeHint(column)});
  }
  const int columns = std::accumulate(widths.begin(), widths.end(), 0);

  // Beside the columns: the grid's frame, room for its vertical scroll bar, and the window's margins.
  const QMargins margins = layout()->contentsMargins();
  const int beside = 2 * ngrid->frameWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, ngrid) +
                     margins.left() + margins.right();
  // The window grows to hold every column whole, as far as the screen under the pointer allows (its frame
  // counted where the platform knows it).
  winId();
  const int frame = frameGeometry().width() - geometry().width();
  const QScreen* screen = platform::ScreenUnderPointer();
  const int screenWidth = screen ? screen->availableGeometry().width() - frame : columns + beside;
  const int windowWidth = std::max(width(), std::min(columns + beside, screenWidth));
  resize(windowWidth, height());

  // Where the screen is too narrow, the value column gives way first, down to half of the room; past that
  // the tag and prompt columns share their half in proportion.
  const int room = windowWidth - beside;
  if (columns > room) {
    const int labels = widths[0] + widths[1];
    if (labels > room / 2) {
      widths[0] = widths[0] * (room / 2) / labels;
      widths[1] = widths[1] * (room / 2) / labels;
    }
    widths[2] = room - widths[0] - widths[1];
  }
  for (std::size_t i = 0; i < widths.size(); ++i) header->resizeSection(static_cast<int>(i), widths[i]);
}

// --- showing and closing ---

void TfrmGrid::showEvent(QShowEvent* event) {
  Form::showEvent(event);
  if (shown_) return;
  shown_ = true;
  FormShow();
}

void TfrmGrid::FormShow() {
  ngrid->setFocus();
  ngrid->setCurrentIndex(model_->index(grid_.StartRow(), kValueColumn));
  if (RightToLeft()) {
    textcore::HebrewKeyboard(services_.keyboard);
    btnH->setText(kEnglishCaption);
  } else {
    textcore::EnglishKeyboard(services_.keyboard);
    btnH->setText(kHebrewCaption);
  }
}

void TfrmGrid::done(int result) {
  if (!closed_) {
    closed_ = true;
    delegate_->CommitOpenEditor();
    textcore::EnglishKeyboard(services_.keyboard);
  }
  Form::done(result);
}

void TfrmGrid::reject() { BitBtn2Click(); }

void TfrmGrid::closeEvent(QCloseEvent* event) {
  // The window's own close button accepts: only Cancel discards.
  event->accept();
  done(QDialog::Accepted);
}

// --- the grid, the width factor and the pick list ---

void TfrmGrid::ngridSelectCell(int row) {
  if (row < 0) return;
  grid_.SelectRow(row);
  if (const auto factor = grid_.SelectedWidthFactor()) edWF->setText(ToQString(*factor));
  Guard([this] { grid_.ShowPickList(); });
  SyncPickList();
}

void TfrmGrid::SyncPickList() {
  const PickList& picks = grid_.Picks();
  filling_ = true;
  ComboBox1->clear();
  for (const std::u16string& item : picks.Items()) ComboBox1->addItem(ToQString(item));
  ComboBox1->setCurrentIndex(picks.ItemIndex());
  ComboBox1->setVisible(picks.Visible());
  filling_ = false;
}

void TfrmGrid::edWFChange() { grid_.SetWidthFactor(FromQString(edWF->text())); }

void TfrmGrid::ComboBox1Change(int index, const QString& text) {
  if (filling_) return;
  Guard([&] {
    grid_.ApplyPick(index, FromQString(text));
    model_->ValuesChanged();
  });
}

// --- the buttons ---

void TfrmGrid::btnHClick() {
  if (btnH->text().toUpper() != kEnglishCaption.toUpper()) {
    SetDirection(true);
    btnH->setText(kEnglishCaption);
    textcore::HebrewKeyboard(services_.keyboard);
  } else {
    SetDirection(false);
    btnH->setText(kHebrewCaption);
    textcore::EnglishKeyboard(services_.keyboard);
  }
}

void TfrmGrid::BitBtn1Click() {
  isCancel = false;
  textcore::EnglishKeyboard(services_.keyboard);
  accept();
}

void TfrmGrid::BitBtn2Click() {
  isCancel = true;
  textcore::EnglishKeyboard(services_.keyboard);
  done(QDialog::Rejected);
}

void TfrmGrid::BitBtn3Click() {
  next_ = true;
  isCancel = false;
  textcore::EnglishKeyboard(services_.keyboard);
  accept();
}

}  // namespace zil::attributes
