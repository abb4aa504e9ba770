#include "automation/dialogs/about_form.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "dialogs/data_module.h"
#include "dialogs/named.h"
#include "platform/qt/qt_strings.h"

namespace zil::automation {
namespace {

using dialogs::Named;

constexpr int kDesignedTop = 160;

}  // namespace

TfrmAbout::TfrmAbout(const std::filesystem::path& dataFolder, platform::Services services, dialogs::DataModule& icons,
                     QWidget* parent)
    : Form(services, parent) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(QStringLiteral("About zil"));

  imgIcon = Named(new QLabel(this), "imgIcon");
  imgIcon->setPixmap(icons.Icon(dialogs::SharedIcon::About).pixmap(48, 48));
  imgIcon->setAlignment(Qt::AlignTop);
  lblProduct = Named(new QLabel(QStringLiteral("zil"), this), "lblProduct");
  QFont big = lblProduct->font();
  big.setPointSizeF(big.pointSizeF() * 1.6);
  big.setBold(true);
  lblProduct->setFont(big);
  lblVersion = Named(new QLabel(QStringLiteral("Version " ZIL_VERSION), this), "lblVersion");
  lblPurpose = Named(new QLabel(platform::ToQString(kAboutPurpose), this), "lblPurpose");
  lblPurpose->setWordWrap(true);
  lblDataFolder =
      Named(new QLabel(QStringLiteral("Data folder: ") + platform::ToQPath(dataFolder), this), "lblDataFolder");
  lblDataFolder->setWordWrap(true);
  lblDataFolder->setTextInteractionFlags(Qt::TextSelectableByMouse);
  btnOk = Named(new QPushButton(QStringLiteral("OK"), this), "btnOk");
  btnOk->setDefault(true);
  connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QGridLayout(this);
  layout->addWidget(imgIcon, 0, 0, 4, 1);
  layout->addWidget(lblProduct, 0, 1);
  layout->addWidget(lblVersion, 1, 1);
  layout->addWidget(lblPurpose, 2, 1);
  layout->addWidget(lblDataFolder, 3, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(btnOk);
  layout->addLayout(buttons, 4, 0, 1, 2);
  layout->setColumnStretch(1, 1);
  setFixedWidth(420);
  adjustSize();
  SetDesignedTop(kDesignedTop);
}

}  // namespace zil::automation
