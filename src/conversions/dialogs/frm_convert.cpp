#include "conversions/dialogs/frm_convert.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <filesystem>

#include "dialogs/dialog_fonts.h"
#include "dialogs/named.h"
#include "platform/qt/qt_strings.h"
#include "textcore/utf8.h"

namespace zil::conversions {

using dialogs::Named;

TfrmConvert::TfrmConvert(acad::HostState& host, config::FontDefinitions& fonts, platform::Services services,
                         QWidget* parent)
    : WalkingForm(services, parent), flow_(host, fonts, services.messages) {
  setObjectName(QStringLiteral("frmConvert"));
  setWindowTitle(QStringLiteral("Converting Drawing to REVIT"));
  setFont(dialogs::DialogFontPoints(u"Tahoma", 9));
  setFixedSize(539, 220);

  Label1 = Named(new QLabel(QStringLiteral("Save converted  as:"), this), "Label1");
  JvFilenameEdit1 = Named(new QLineEdit(this), "JvFilenameEdit1");
  browse = Named(new QToolButton(this), "JvFilenameEdit1Button");
  browse->setText(QStringLiteral("..."));
  browse->setToolTip(QStringLiteral("Choose the file of the converted copy"));
  Button2 = Named(new QPushButton(QStringLiteral("Save As and Convert"), this), "Button2");
  Button3 = Named(new QPushButton(QStringLiteral("Save"), this), "Button3");
  Button4 = Named(new QPushButton(QStringLiteral("Reload  base DWG"), this), "Button4");
  Button1 = Named(new QPushButton(QStringLiteral("CANCEL"), this), "Button1");
  ActivityIndicator1 = Named(new QProgressBar(this), "ActivityIndicator1");
  ActivityIndicator1->setTextVisible(false);
  ActivityIndicator1->setVisible(false);
  CheckBox1 = Named(new QCheckBox(QStringLiteral("Reverse Output Text"), this), "CheckBox1");
  CheckBox1->setVisible(false);
  chkExactOrder = Named(new QCheckBox(QStringLiteral("Keep exact reading order"), this), "chkExactOrder");
  chkExactOrder->setToolTip(
      QStringLiteral("Write each text so that it shows the same characters in the same order as before, adding "
                     "the invisible marks LRM and RLM where the order alone cannot do it"));

  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(16, 16, 16, 16);
  grid->addWidget(Label1, 0, 0, 1, 4);
  auto* file = new QHBoxLayout;
  file->addWidget(JvFilenameEdit1, 1);
  file->addWidget(browse);
  grid->addLayout(file, 1, 0, 1, 4);
  grid->addWidget(chkExactOrder, 2, 0, 1, 4);
  grid->addWidget(ActivityIndicator1, 3, 0, 1, 4);
  grid->addWidget(CheckBox1, 3, 0, 1, 2);
  grid->addWidget(Button2, 4, 0);
  grid->addWidget(Button3, 4, 1);
  grid->addWidget(Button4, 4, 2);
  grid->addWidget(Button1, 4, 3);
  grid->setRowStretch(3, 1);

  connect(browse, &QToolButton::clicked, this, [this] { Guard([&] { BrowseClick(); }); });
  connect(Button2, &QPushButton::clicked, this, [this] { Guard([&] { Button2Click(); }); });
  connect(Button3, &QPushButton::clicked, this, [this] { Guard([&] { Button3Click(); }); });
  connect(Button4, &QPushButton::clicked, this, [this] { Guard([&] { Button4Click(); }); });
  connect(Button1, &QPushButton::clicked, this, &TfrmConvert::reject);

  // FormCreate: the top edge at half the height of the screen (ShowModal centres it horizontally).
  if (const QScreen* screen = QGuiApplication::screenAt(QCursor::pos()) ? QGuiApplication::screenAt(QCursor::pos())
                                                                        : QGuiApplication::primaryScreen())
    SetDesignedTop(screen->geometry().top() + screen->geometry().height() / 2);
}

TfrmConvert::~TfrmConvert() {
  // FormDestroy: the setting takes the check box.
  flow_.reverseOutputText = CheckBox1->isChecked();
  flow_.Close();
}

bool TfrmConvert::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate && !activated_) {
    activated_ = true;
    Guard([&] { FormActivate(); });
  }
  return WalkingForm::event(e);
}

void TfrmConvert::FormActivate() {
  flow_.Activate();
  JvFilenameEdit1->setText(platform::ToQString(flow_.targetFile));
  CheckBox1->setChecked(flow_.reverseOutputText);
}

void TfrmConvert::BrowseClick() {
  const std::filesystem::path current(textcore::ToUtf8(platform::FromQString(JvFilenameEdit1->text())));
  const platform::FileChoice choice{u"Save converted  as", u"DXF drawings (*.dxf)|*.dxf", u"dxf", current.parent_path(),
                                    current.filename()};
  if (const auto chosen = services_.files.ChooseFileToSave(choice))
    JvFilenameEdit1->setText(QString::fromStdString(chosen->string()));
}

void TfrmConvert::Button2Click() {
  flow_.targetFile = platform::FromQString(JvFilenameEdit1->text());
  flow_.reverseOutputText = CheckBox1->isChecked();
  flow_.strings = chkExactOrder->isChecked() ? RevitStrings::ExactOrder : RevitStrings::EditForm;
  report_ = Walk(*ActivityIndicator1, [this](const Progress& progress) { return flow_.SaveAsAndConvert(progress); });
}

void TfrmConvert::Button3Click() { flow_.Save(); }

void TfrmConvert::Button4Click() { flow_.ReloadBase(); }

}  // namespace zil::conversions
