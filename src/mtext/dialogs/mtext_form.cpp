#include "mtext/dialogs/mtext_form.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextOption>
#include <QToolButton>
#include <QVBoxLayout>

#include "dialogs/dialog_fonts.h"
#include "dialogs/hebrew_typing.h"
#include "dialogs/named.h"
#include "dialogs/status_panels.h"
#include "mtext/dialogs/clipboard_memo.h"
#include "mtext/numbers.h"
#include "platform/qt/qt_strings.h"
#include "platform/qt/window_front.h"
#include "textcore/text_file.h"

namespace zil::mtext {
namespace {

using dialogs::Named;

QToolButton* TextButton(QWidget* parent, const char* name, const QString& caption, bool checkable = false) {
  auto* button = Named(new QToolButton(parent), name);
  button->setText(caption);
  button->setToolButtonStyle(Qt::ToolButtonTextOnly);
  button->setCheckable(checkable);
  button->setAutoRaise(true);
  return button;
}

// A picture of one character, for the buttons that insert AutoCAD's codes.
QIcon CharacterIcon(QChar character) {
  QPixmap picture(20, 20);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setFont(dialogs::DialogFontPixels(u"Tahoma", 16, true));
  painter.drawText(picture.rect(), Qt::AlignCenter, QString(character));
  return QIcon(picture);
}

constexpr int kDesignedTop = 150;
constexpr char16_t kTextFilter[] = u"Text files(*.txt)|*.txt|All files|*.*";

}  // namespace

Tfrmmtext::Tfrmmtext(config::Rinistr& settings, dialogs::LanguageState& language, platform::Services services,
                     QWidget* parent)
    : Form(services, parent), settings_(settings), typing_(new dialogs::HebrewTyping(services.keyboard, this)) {
  setObjectName(QStringLiteral("frmmtext"));
  setWindowTitle(QStringLiteral("zil Multiline Editor"));

  auto* bar = Named(new QWidget(this), "ToolBar1");
  btnHeb = TextButton(bar, "btnHeb", QStringLiteral("Hebrew"), true);
  btnEng = TextButton(bar, "btnEng", QStringLiteral("English"), true);
  btnCopy = TextButton(bar, "btnCopy", QStringLiteral("Copy"));
  btnCut = TextButton(bar, "btnCut", QStringLiteral("Cut"));
  btnPaste = TextButton(bar, "btnPaste", QStringLiteral("Paste"));
  btnUndo = TextButton(bar, "btnUndo", QStringLiteral("Undo"));
  btnR = TextButton(bar, "btnR", QStringLiteral("Align Right"), true);
  btnL = TextButton(bar, "btnL", QStringLiteral("Align Left"), true);
  btnOPen = TextButton(bar, "btnOPen", QStringLiteral("Import from file"));
  btnSave = TextButton(bar, "btnSave", QStringLiteral("Export to file"));
  ToolButton3 = Named(new QToolButton(bar), "ToolButton3");
  ToolButton7 = Named(new QToolButton(bar), "ToolButton7");
  ToolButton8 = Named(new QToolButton(bar), "ToolButton8");
  const struct {
    QToolButton* button;
    char16_t shown;
    const char* tip;
  } codes[] = {{ToolButton3, u'\u00B0', "Degree (%%d)"},
               {ToolButton7, u'\u00B1', "Plus-minus (%%p)"},
               {ToolButton8, u'\u2300', "Diameter (%%c)"}};
  for (const auto& code : codes) {
    code.button->setIcon(CharacterIcon(QChar(code.shown)));
    code.button->setToolTip(QString::fromLatin1(code.tip));
    code.button->setAutoRaise(true);
  }
  btnHeb->setChecked(true);
  btnR->setChecked(true);
  btnCopy->setShortcut(QKeySequence::Copy);
  btnCut->setShortcut(QKeySequence::Cut);
  btnPaste->setShortcut(QKeySequence::Paste);
  auto* barRow = new QHBoxLayout(bar);
  barRow->setContentsMargins(0, 0, 0, 0);
  barRow->setSpacing(2);
  for (QToolButton* b : {btnHeb, btnEng, btnCopy, btnCut, btnPaste, btnUndo, btnR, btnL, btnOPen, btnSave, ToolButton3,
                         ToolButton7, ToolButton8})
    barRow->addWidget(b);
  barRow->addStretch(1);

  Memo1 = Named(new ClipboardMemo(services.clipboard, this), "Memo1");
  Memo1->setFont(dialogs::DialogFontPoints(u"Arial", 12));
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  typing_->Watch(Memo1);
  SetReading(true);

  auto* bottom = Named(new QWidget(this), "pnlBottom");
  CheckBox1 = Named(new QCheckBox(QStringLiteral("Explode"), bottom), "CheckBox1");
  MaskEdit1 = Named(new QLineEdit(bottom), "MaskEdit1");
  MaskEdit1->setMaximumWidth(90);
  SpinButton1 = Named(new QWidget(bottom), "SpinButton1");
  auto* up = Named(new QToolButton(SpinButton1), "UpButton");
  up->setArrowType(Qt::UpArrow);
  auto* down = Named(new QToolButton(SpinButton1), "DownButton");
  down->setArrowType(Qt::DownArrow);
  auto* arrows = new QVBoxLayout(SpinButton1);
  arrows->setContentsMargins(0, 0, 0, 0);
  arrows->setSpacing(0);
  for (QToolButton* arrow : {up, down}) {
    arrow->setFixedSize(18, 11);
    arrows->addWidget(arrow);
  }
  BitBtn1 = Named(new QPushButton(QStringLiteral("&OK"), bottom), "BitBtn1");
  BitBtn1->setDefault(true);
  BitBtn3 = Named(new QPushButton(QStringLiteral("&Cancel"), bottom), "BitBtn3");
  BitBtn3->setAutoDefault(false);
  auto* bottomRow = new QHBoxLayout(bottom);
  bottomRow->setContentsMargins(0, 0, 0, 0);
  bottomRow->addWidget(CheckBox1);
  bottomRow->addWidget(MaskEdit1);
  bottomRow->addWidget(SpinButton1);
  bottomRow->addStretch(1);
  bottomRow->addWidget(BitBtn1);
  bottomRow->addWidget(BitBtn3);

  StatusBar1 = Named(new QStatusBar(this), "StatusBar1");
  StatusPanels = dialogs::AddStatusPanels(*StatusBar1, {120, 120, 50});

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 0);
  layout->addWidget(bar);
  layout->addWidget(Memo1, 1);
  layout->addWidget(bottom);
  layout->addWidget(StatusBar1);
  resize(640, 400);
  SetDesignedTop(kDesignedTop);

  OpenDialog1.filter = kTextFilter;
  OpenDialog1.defaultExtension = u"txt";
  SaveDialog1.filter = kTextFilter;
  SaveDialog1.defaultExtension = u"txt";

  Timer2.setObjectName(QStringLiteral("Timer2"));
  languages_ = new dialogs::LanguageButtons(btnHeb, btnEng, services.keyboard, language, Timer2, this);

  CheckBox1->setChecked(settings_.expld != 0);
  CheckBox1Click();

  connect(btnCopy, &QToolButton::clicked, Memo1, &ClipboardMemo::CopyToClipboard);
  connect(btnCut, &QToolButton::clicked, Memo1, &ClipboardMemo::CutToClipboard);
  connect(btnPaste, &QToolButton::clicked, Memo1, &ClipboardMemo::PasteFromClipboard);
  connect(btnUndo, &QToolButton::clicked, Memo1, &QPlainTextEdit::undo);
  connect(btnR, &QToolButton::clicked, this, [this] { btnRClick(); });
  connect(btnL, &QToolButton::clicked, this, [this] { btnLClick(); });
  connect(btnOPen, &QToolButton::clicked, this, [this] { Guard([this] { btnOPenClick(); }); });
  connect(btnSave, &QToolButton::clicked, this, [this] { Guard([this] { btnSaveClick(); }); });
  connect(ToolButton3, &QToolButton::clicked, this, [this] { Memo1->insertPlainText(QStringLiteral("%%d")); });
  connect(ToolButton7, &QToolButton::clicked, this, [this] { Memo1->insertPlainText(QStringLiteral("%%p")); });
  connect(ToolButton8, &QToolButton::clicked, this, [this] { Memo1->insertPlainText(QStringLiteral("%%c")); });
  connect(CheckBox1, &QCheckBox::clicked, this, [this] { CheckBox1Click(); });
  connect(up, &QToolButton::clicked, this, [this] { Guard([this] { SpinButton1Step(+1); }); });
  connect(down, &QToolButton::clicked, this, [this] { Guard([this] { SpinButton1Step(-1); }); });
  connect(BitBtn1, &QPushButton::clicked, this, [this] { Guard([this] { BitBtn1Click(); }); });
  connect(BitBtn3, &QPushButton::clicked, this, &QDialog::reject);
}

Tfrmmtext::~Tfrmmtext() {
  if (explodeFromSettings_) settings_.expld = CheckBox1->isChecked() ? -1 : 0;
}

void Tfrmmtext::Load(const MTextEditing& editing) {
  SetLines(editing.lines);
  if (editing.existingMText) {
    explodeFromSettings_ = false;
    CheckBox1->setChecked(false);
    CheckBox1Click();
  }
  if (editing.alignRight) {
    btnRClick();
  } else {
    btnLClick();
  }
  MaskEdit1->setText(platform::ToQString(editing.spacing));
  height_ = editing.height;
  StatusPanels[0]->setText(platform::ToQString(editing.styleName));
  StatusPanels[1]->setText(platform::ToQString(editing.fontName));
  StatusPanels[2]->setText(platform::ToQString(FormatGeneral5(editing.height)));
}

void Tfrmmtext::Store(MTextEditing& editing) const {
  editing.lines = Lines();
  editing.alignRight = btnR->isChecked();
  editing.spacing = platform::FromQString(MaskEdit1->text());
  editing.explode = CheckBox1->isChecked();
}

std::vector<std::u16string> Tfrmmtext::Lines() const {
  std::vector<std::u16string> lines;
  for (QTextBlock block = Memo1->document()->begin(); block.isValid(); block = block.next())
    lines.push_back(platform::FromQString(block.text()));
  if (!lines.empty() && lines.back().empty()) lines.pop_back();
  return lines;
}

void Tfrmmtext::SetLines(const std::vector<std::u16string>& lines) {
  // Every line followed by a line break, as a memo's text is made from its lines, so that an empty last
  // line stays a line.
  QString text;
  for (const std::u16string& line : lines) text += platform::ToQString(line) + u'\n';
  Memo1->setPlainText(text);
}

void Tfrmmtext::showEvent(QShowEvent* event) {
  Form::showEvent(event);
  platform::BringWindowToFront(this);
  languages_->Sync(dialogs::DialogLanguage::Hebrew);
  CheckBox1Click();
  Memo1->setFocus();
}

void Tfrmmtext::done(int result) {
  Timer2.stop();
  languages_->Sync(dialogs::DialogLanguage::English);
  Form::done(result);
}

// Exactly one of the alignment buttons is down.
void Tfrmmtext::btnRClick() {
  btnR->setChecked(true);
  btnL->setChecked(false);
  SetReading(true);
}

void Tfrmmtext::btnLClick() {
  btnL->setChecked(true);
  btnR->setChecked(false);
  SetReading(false);
}

void Tfrmmtext::SetReading(bool rightToLeft) {
  Memo1->setLayoutDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
  QTextOption option = Memo1->document()->defaultTextOption();
  option.setTextDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
  option.setAlignment(rightToLeft ? Qt::AlignRight : Qt::AlignLeft);
  Memo1->document()->setDefaultTextOption(option);
}

void Tfrmmtext::btnOPenClick() {
  const auto chosen = services_.files.ChooseFileToOpen(OpenDialog1);
  if (!chosen) return;
  SetLines(textcore::ReadTextFileLines(*chosen));
}

void Tfrmmtext::btnSaveClick() {
  const auto chosen = services_.files.ChooseFileToSave(SaveDialog1);
  if (!chosen) return;
  textcore::WriteTextFileLines(*chosen, Lines());
}

void Tfrmmtext::CheckBox1Click() {
  MaskEdit1->setEnabled(CheckBox1->isChecked());
  SpinButton1->setEnabled(CheckBox1->isChecked());
}

void Tfrmmtext::SpinButton1Step(int direction) {
  const double spacing = ParseLineSpacing(platform::FromQString(MaskEdit1->text()));
  MaskEdit1->setText(platform::ToQString(FormatGeneral5(spacing + direction * height_ / 10)));
}

void Tfrmmtext::BitBtn1Click() {
  if (CheckBox1->isChecked()) ParseLineSpacing(platform::FromQString(MaskEdit1->text()));
  accept();
}

bool QtMTextEditor::Edit(MTextEditing& editing) {
  Tfrmmtext form(settings_, language_, services_);
  form.Load(editing);
  if (form.ShowModal() != QDialog::Accepted) return false;
  form.Store(editing);
  return true;
}

}  // namespace zil::mtext
