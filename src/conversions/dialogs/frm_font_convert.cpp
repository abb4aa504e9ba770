#include "conversions/dialogs/frm_font_convert.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "dialogs/dialog_fonts.h"
#include "dialogs/named.h"
#include "platform/qt/qt_strings.h"

namespace zil::conversions {
namespace {

using dialogs::Named;

QProgressBar* Indicator(QWidget* parent, const char* name) {
  auto* bar = Named(new QProgressBar(parent), name);
  bar->setTextVisible(false);
  bar->setVisible(false);
  return bar;
}

constexpr const char* kMappingCaptions[] = {"Dos Hebrew", "English (7 bit)", "Windows", "None"};

}  // namespace

TfrmFontConvert::TfrmFontConvert(acad::HostState& host, config::FontDefinitions& fonts, platform::Services services,
                                 QWidget* parent)
    : WalkingForm(services, parent), flow_(host, fonts, services.messages) {
  setObjectName(QStringLiteral("frmFontConvert"));
  setWindowTitle(QStringLiteral("Veltro Font Converter"));
  setFont(dialogs::DialogFontPoints(u"Tahoma", 9));

  CheckListBox1 = Named(new QListWidget(this), "CheckListBox1");
  CheckListBox1->setMinimumWidth(190);
  Button2 = Named(new QPushButton(QStringLiteral("Selct All"), this), "Button2");
  Button4 = Named(new QPushButton(QStringLiteral("Unselect All"), this), "Button4");
  PageControl1 = Named(new QTabWidget(this), "PageControl1");

  auto* convertPage = Named(new QWidget, "TabSheet1");
  auto* about =
      new QLabel(QStringLiteral("Convertt selected fonts  to the  font, specified  by the Style from right Combobox "),
                 convertPage);
  about->setWordWrap(true);
  chxRightLeft = Named(new QCheckBox(QStringLiteral("Change Right to Left order"), convertPage), "chxRightLeft");
  Button1 = Named(new QPushButton(QStringLiteral("Convert \u00BB"), convertPage), "Button1");
  auto* styleLabel = new QLabel(QStringLiteral("Style to convert"), convertPage);
  ComboBox1 = Named(new QComboBox(convertPage), "ComboBox1");
  ActivityIndicator1 = Indicator(convertPage, "ActivityIndicator1");
  btnClose1 = Named(new QPushButton(QStringLiteral("Close"), convertPage), "btnClose1");
  auto* convertLayout = new QHBoxLayout(convertPage);
  auto* convertLeft = new QVBoxLayout;
  convertLeft->addWidget(about);
  convertLeft->addWidget(chxRightLeft);
  convertLeft->addStretch(1);
  convertLeft->addWidget(ActivityIndicator1);
  convertLeft->addWidget(Button1);
  auto* convertRight = new QVBoxLayout;
  convertRight->addWidget(styleLabel);
  convertRight->addWidget(ComboBox1);
  convertRight->addStretch(1);
  convertRight->addWidget(btnClose1);
  convertLayout->addLayout(convertLeft, 1);
  convertLayout->addLayout(convertRight, 1);
  PageControl1->addTab(convertPage, QStringLiteral("Convert Fonts"));

  auto* remapPage = Named(new QWidget, "TabSheet2");
  CheckBox1 = Named(new QCheckBox(QStringLiteral("Reverse"), remapPage), "CheckBox1");
  RadioGroup1 = Named(new QGroupBox(QStringLiteral("Mapping"), remapPage), "RadioGroup1");
  mappings = new QButtonGroup(this);
  auto* radios = new QVBoxLayout(RadioGroup1);
  for (int i = 0; i < 4; ++i) {
    auto* choice = new QRadioButton(QString::fromLatin1(kMappingCaptions[i]), RadioGroup1);
    choice->setObjectName(QStringLiteral("RadioGroup1Item%1").arg(i));
    mappings->addButton(choice, i);
    radios->addWidget(choice);
  }
  mappings->button(static_cast<int>(Mapping::None))->setChecked(true);
  Button5 = Named(new QPushButton(QStringLiteral("Remap to \u00BB"), remapPage), "Button5");
  ActivityIndicator2 = Indicator(remapPage, "ActivityIndicator2");
  btnClose2 = Named(new QPushButton(QStringLiteral("Close"), remapPage), "btnClose2");
  auto* remapLayout = new QHBoxLayout(remapPage);
  auto* remapLeft = new QVBoxLayout;
  remapLeft->addWidget(CheckBox1);
  remapLeft->addStretch(1);
  remapLeft->addWidget(ActivityIndicator2);
  remapLeft->addWidget(Button5);
  auto* remapRight = new QVBoxLayout;
  remapRight->addWidget(RadioGroup1);
  remapRight->addStretch(1);
  remapRight->addWidget(btnClose2);
  remapLayout->addLayout(remapLeft, 1);
  remapLayout->addLayout(remapRight, 1);
  PageControl1->addTab(remapPage, QStringLiteral("Convert Font's Mapping"));

  auto* lists = new QVBoxLayout;
  lists->addWidget(CheckListBox1, 1);
  auto* all = new QHBoxLayout;
  all->addWidget(Button2);
  all->addWidget(Button4);
  lists->addLayout(all);
  auto* top = new QHBoxLayout(this);
  top->addLayout(lists);
  top->addWidget(PageControl1, 1);
  resize(640, 300);

  connect(Button2, &QPushButton::clicked, this,
          [this] { Guard([&] { TakeChoices(), flow_.CheckAll(true), ShowStyleTable(); }); });
  connect(Button4, &QPushButton::clicked, this,
          [this] { Guard([&] { TakeChoices(), flow_.CheckAll(false), ShowStyleTable(); }); });
  connect(Button1, &QPushButton::clicked, this, [this] { Guard([&] { Button1Click(); }); });
  connect(Button5, &QPushButton::clicked, this, [this] { Guard([&] { Button5Click(); }); });
  connect(btnClose1, &QPushButton::clicked, this, &TfrmFontConvert::reject);
  connect(btnClose2, &QPushButton::clicked, this, &TfrmFontConvert::reject);

  // FormCreate.
  flow_.LoadStyleTable();
  ShowStyleTable();
}

TfrmFontConvert::~TfrmFontConvert() = default;

// The lists as the flow has them: the fonts with their check marks, the style names, no target chosen
// unless the flow has one.
void TfrmFontConvert::ShowStyleTable() {
  CheckListBox1->clear();
  for (std::size_t i = 0; i < flow_.Fonts().size(); ++i) {
    auto* item = new QListWidgetItem(platform::ToQString(flow_.Fonts()[i]), CheckListBox1);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    item->setCheckState(flow_.checked[i] ? Qt::Checked : Qt::Unchecked);
  }
  ComboBox1->clear();
  for (const std::u16string& name : flow_.StyleNames()) ComboBox1->addItem(platform::ToQString(name));
  ComboBox1->setCurrentIndex(flow_.targetStyle ? ComboBox1->findText(platform::ToQString(*flow_.targetStyle)) : -1);
}

void TfrmFontConvert::TakeChoices() {
  for (int i = 0; i < CheckListBox1->count(); ++i)
    flow_.checked[static_cast<std::size_t>(i)] = CheckListBox1->item(i)->checkState() == Qt::Checked;
  if (ComboBox1->currentIndex() >= 0) {
    flow_.targetStyle = platform::FromQString(ComboBox1->currentText());
  } else {
    flow_.targetStyle.reset();
  }
  flow_.rightToLeft = chxRightLeft->isChecked();
  flow_.reverse = CheckBox1->isChecked();
  flow_.mapping = static_cast<Mapping>(mappings->checkedId());
}

// The walk reads the styles again: afterwards the lists show no check marks and no target style.
void TfrmFontConvert::Button1Click() {
  TakeChoices();
  report_ = Walk(
      *ActivityIndicator1, [this](const Progress& progress) { return flow_.Convert(progress); },
      [this] { ShowStyleTable(); });
}

void TfrmFontConvert::Button5Click() {
  TakeChoices();
  report_ = Walk(
      *ActivityIndicator2, [this](const Progress& progress) { return flow_.Remap(progress); },
      [this] { ShowStyleTable(); });
}

}  // namespace zil::conversions
