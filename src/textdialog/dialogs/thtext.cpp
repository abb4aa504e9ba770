#include "textdialog/dialogs/thtext.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "config/key_texts.h"
#include "dialogs/dialog_fonts.h"
#include "dialogs/hebrew_typing.h"
#include "platform/qt/qt_strings.h"
#include "textcore/keyboard.h"
#include "textdialog/dialogs/stored_order_edit.h"
#include "textdialog/justification.h"

namespace zil::textdialog {
namespace {

template <typename T>
T* Named(T* object, const QString& name) {
  object->setObjectName(name);
  return object;
}
template <typename T>
T* Named(T* object, const char* name) {
  return Named(object, QString::fromLatin1(name));
}

using platform::FromQString;
using platform::ToQString;

constexpr int kToolButtonWidth = 37;
constexpr int kToolButtonHeight = 36;
constexpr int kEditHeight = 27;
constexpr int kEditorFontPixels = 19;
constexpr int kStatusPanel0Width = 170;
constexpr int kStatusPanel1Width = 50;
// What the symbol buttons show while the font is no symbol font.
constexpr std::array<const char*, kSymbolButtons> kSymbolLabels = {
    "\u00B0", "\u00B1", "\u2300", "160", "157", "158", "159", "161", "", "", "", "", ""};

QToolButton* ToolButton(QWidget* parent, const char* name, const QString& text, const QString& hint) {
  auto* button = Named(new QToolButton(parent), name);
  button->setText(text);
  button->setToolTip(hint);
  button->setFixedSize(kToolButtonWidth, kToolButtonHeight);
  button->setAutoRaise(true);
  return button;
}

QAction* RadioItem(QMenu* menu, QActionGroup* group, const char* name, const char* caption, bool checked) {
  QAction* item = Named(menu->addAction(QString::fromLatin1(caption)), name);
  item->setCheckable(true);
  item->setChecked(checked);
  group->addAction(item);
  return item;
}

// A caption shown as written: "&" marks a mnemonic in a menu item.
QString MenuCaption(const QString& name) {
  QString caption = name;
  return caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

// Windows virtual-key codes for the keys the key texts name; 0 for the others.
unsigned VirtualKey(const QKeyEvent& key) {
  const int k = key.key();
  if (k >= Qt::Key_F1 && k <= Qt::Key_F12) return config::kVkF1 + static_cast<unsigned>(k - Qt::Key_F1);
  if (k >= Qt::Key_0 && k <= Qt::Key_9 && !(key.modifiers() & Qt::KeypadModifier))
    return config::kVk0 + static_cast<unsigned>(k - Qt::Key_0);
  return 0;
}

unsigned ShiftState(const QKeyEvent& key) {
  unsigned shift = 0;
  if (key.modifiers() & Qt::ShiftModifier) shift |= config::kShift;
  if (key.modifiers() & Qt::AltModifier) shift |= config::kAlt;
  if (key.modifiers() & Qt::ControlModifier) shift |= config::kCtrl;
  return shift;
}

bool OnlyAlt(const QKeyEvent& key) {
  return (key.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) ==
         Qt::AltModifier;
}

// The key press that types the character code 0: Ctrl+Space, Ctrl+@ (Ctrl+Shift+2).
bool TypesNul(const QKeyEvent& key) {
  if (key.text() == QString(QChar(0))) return true;
  const bool ctrl = key.modifiers() & Qt::ControlModifier;
  return ctrl && (key.key() == Qt::Key_Space || key.key() == Qt::Key_At);
}

}  // namespace

Thtext::Thtext(acad::HostState& host, config::FontDefinitions& fonts, platform::Services services,
               TextDialogState& shared, dialogs::LanguageState& language, QWidget* parent)
    : Form(services, parent),
      fonts_(fonts),
      shared_(shared),
      language_(language),
      session_(host, fonts, shared),
      typing_(new dialogs::HebrewTyping(services.keyboard, this)) {
  setObjectName(QStringLiteral("htext"));
  BuildControls();

  // FormCreate.
  FHeight = height();
  setFixedHeight(FHeight);  // only the width changes
  session_.isHeightCh = session_.isAngCh = false;
  session_.changeF = true;
  RestoreLayout();
  // The language hook first; the switch to Hebrew is then the dialog's own (SyncLanguageButtons activates
  // the layout with notifications ignored), not taken for the user's.
  follower_ = std::make_unique<dialogs::LanguageFollower>(
      services.keyboard, language_, *Timer3, [this] { return tbHeb->isChecked(); },
      [this](dialogs::DialogLanguage l) { (l == dialogs::DialogLanguage::Hebrew ? tbHeb : tbEng)->setChecked(true); });
  language_.language = dialogs::DialogLanguage::Hebrew;
  SyncLanguageButtons();
  SetStoredOrderFont(false);  // "Courier New", the OEM character set
  EditDos->setText({});
  session_.doundo = false;
}

Thtext::~Thtext() {
  // FormDestroy: the hook goes, the layout is kept.
  follower_.reset();
  SaveLayout();
}

void Thtext::BuildControls() {
  setFont(dialogs::DialogFontPoints(u"Tahoma", 9));

  ToolBar1 = Named(new QToolBar(this), "ToolBar1");
  ToolBar1->setIconSize(QSize(30, 30));
  ToolBar1->setMovable(false);
  tbHeb = ToolButton(ToolBar1, "tbHeb", QString::fromUtf8("עב"), QStringLiteral("Hebrew"));
  tbEng = ToolButton(ToolBar1, "tbEng", QStringLiteral("En"), QStringLiteral("English"));
  for (QToolButton* b : {tbHeb, tbEng}) {
    b->setCheckable(true);
    b->setAutoExclusive(true);
  }
  tbHeb->setChecked(true);
  ToolButton9 = ToolButton(ToolBar1, "ToolButton9", QString::fromUtf8("\u2699"), QStringLiteral("Settings"));
  ToolButton9->setPopupMode(QToolButton::InstantPopup);
  ToolButton1 = ToolButton(ToolBar1, "ToolButton1", QStringLiteral("\u21C4"), QStringLiteral("Direction"));
  tbStyle = ToolButton(ToolBar1, "tbStyle", QStringLiteral("A"), QStringLiteral("Style"));
  tbStyle->setPopupMode(QToolButton::InstantPopup);
  tbStyle->setFixedWidth(kToolButtonWidth + 12);  // room for the drop-down arrow
  imgHeight = Named(new QLabel(QString::fromUtf8("\u2195"), ToolBar1), "imgHeight");
  edH = Named(new QLineEdit(ToolBar1), "edH");
  edH->setToolTip(QStringLiteral("Height"));
  edH->setFont(dialogs::DialogFontPoints(u"MS Sans Serif", 9, true));
  edH->setFixedWidth(64);
  imgAngle = Named(new QLabel(QString::fromUtf8("\u2220"), ToolBar1), "imgAngle");
  edAng = Named(new QLineEdit(ToolBar1), "edAng");
  edAng->setToolTip(QStringLiteral("Angle"));
  edAng->setFont(dialogs::DialogFontPoints(u"MS Sans Serif", 9, true));
  edAng->setFixedWidth(52);
  cbxJust = Named(new QComboBox(ToolBar1), "cbxJust");
  cbxJust->setToolTip(QStringLiteral("Justification"));
  for (const JustificationItem& item : kJustifications) cbxJust->addItem(ToQString(item.caption));
  edt1 = Named(new QLineEdit(ToolBar1), "edt1");
  edt1->setToolTip(QStringLiteral("Font Type"));
  edt1->setReadOnly(true);
  edt1->setFixedWidth(140);
  btn1 = Named(new QWidget(ToolBar1), "btn1");
  btn1Up = Named(new QToolButton(btn1), "btn1Up");
  btn1Up->setArrowType(Qt::UpArrow);
  btn1Down = Named(new QToolButton(btn1), "btn1Down");
  btn1Down->setArrowType(Qt::DownArrow);
  auto* spin = new QVBoxLayout(btn1);
  spin->setContentsMargins(0, 0, 0, 0);
  spin->setSpacing(0);
  for (QToolButton* b : {btn1Up, btn1Down}) {
    b->setFixedSize(17, kToolButtonHeight / 2);
    spin->addWidget(b);
  }
  ToolButton10 = ToolButton(ToolBar1, "ToolButton10", QStringLiteral("U"), QStringLiteral("Underline"));
  QFont underlined = ToolButton10->font();
  underlined.setUnderline(true);
  ToolButton10->setFont(underlined);
  for (int i = 0; i < kSymbolButtons; ++i) {
    const QString name = QStringLiteral("tb%1").arg(i + 1);
    btntArray[static_cast<std::size_t>(i)] = ToolButton(
        ToolBar1, name.toLatin1().constData(), QString::fromUtf8(kSymbolLabels[static_cast<std::size_t>(i)]), {});
  }
  for (QWidget* w : std::initializer_list<QWidget*>{tbHeb, tbEng, ToolButton9, ToolButton1, tbStyle, imgHeight, edH,
                                                    imgAngle, edAng, cbxJust, edt1, btn1, ToolButton10})
    toolActions_[w] = ToolBar1->addWidget(w);
  for (QToolButton* b : btntArray) toolActions_[b] = ToolBar1->addWidget(b);
  SetShown(ToolButton1, false);  // not used
  for (QWidget* w : std::initializer_list<QWidget*>{tbStyle, imgHeight, edH, imgAngle, edAng, cbxJust})
    SetShown(w, false);  // shown once the dialog is prepared
  for (int i = 0; i < kSymbolButtons; ++i)
    SetShown(btntArray[static_cast<std::size_t>(i)], kSymbolButtonShownAtFirst[static_cast<std::size_t>(i)]);

  editorRow = Named(new QWidget(this), "editorRow");
  editorRow->setFixedHeight(kEditHeight + 8);
  Edit1 = Named(new QLineEdit(editorRow), "Edit1");
  Edit1->setLayoutDirection(Qt::RightToLeft);  // right-to-left reading, the text at the right
  Edit1->setFont(dialogs::DialogFontPixels(u"HNarkisim", kEditorFontPixels));
  Edit1->setGeometry(kEditLeft, 4, 457, kEditHeight);
  EditDos = Named(new StoredOrderEdit(services_.clipboard, editorRow), "EditDos");
  EditDos->setGeometry(Edit1->geometry());
  EditDos->setVisible(false);

  Panel1 = Named(new QWidget(this), "Panel1");
  btnOk = Named(new QPushButton(QStringLiteral("OK"), Panel1), "btnOk");
  BitBtn2 = Named(new QPushButton(QStringLiteral("Cancel"), Panel1), "BitBtn2");
  btnNext = Named(new QPushButton(QStringLiteral("New Line"), Panel1), "btnNext");
  for (QPushButton* b : {btnOk, BitBtn2, btnNext}) b->setAutoDefault(false);
  btnOk->setDefault(true);
  auto* buttons = new QHBoxLayout(Panel1);
  buttons->setContentsMargins(0, 0, 0, 0);
  buttons->addWidget(btnOk);
  buttons->addWidget(BitBtn2);
  buttons->addWidget(btnNext);

  StatusBar1 = Named(new QStatusBar(this), "StatusBar1");
  StatusBar1->setSizeGripEnabled(false);
  statusPanel0 = Named(new QLabel(QStringLiteral("Windows Screen Editor"), StatusBar1), "StatusPanel0");
  statusPanel0->setFixedWidth(kStatusPanel0Width);
  statusPanel0->setAlignment(Qt::AlignCenter);
  statusPanel1 = Named(new QLabel(StatusBar1), "StatusPanel1");
  statusPanel1->setFixedWidth(kStatusPanel1Width);
  StatusBar1->addWidget(statusPanel0);
  StatusBar1->addWidget(statusPanel1);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  ToolBar1->setContentsMargins(5, 0, 5, 0);
  layout->addWidget(ToolBar1);
  layout->addWidget(editorRow);
  auto* bottom = new QHBoxLayout;
  bottom->setContentsMargins(5, 2, 5, 2);
  bottom->addWidget(Panel1);
  bottom->addStretch(1);
  layout->addLayout(bottom);
  layout->addWidget(StatusBar1);

  // Menus.
  pupSt = Named(new QMenu(this), "pupSt");
  styleGroup = new QActionGroup(this);
  styleGroup->setExclusive(true);
  tbStyle->setMenu(pupSt);
  PopupMenu1 = Named(new QMenu(this), "PopupMenu1");
  ToolButton9->setMenu(PopupMenu1);
  EditorforNewText1 = Named(PopupMenu1->addMenu(QStringLiteral("Editor for New Text")), "EditorforNewText1");
  auto* group1 = new QActionGroup(this);
  WindowsRTF1 = RadioItem(EditorforNewText1, group1, "WindowsRTF1", "Windows RTF", false);
  WindowsPlain1 = RadioItem(EditorforNewText1, group1, "WindowsPlain1", "Windows Plain", true);
  DOS1 = RadioItem(EditorforNewText1, group1, "DOS1", "DOS", false);
  previous1 = RadioItem(EditorforNewText1, group1, "previous1", "Previous", false);
  EditorforrEditText1 = Named(PopupMenu1->addMenu(QStringLiteral("Editor forr Edit Text")), "EditorforrEditText1");
  auto* group2 = new QActionGroup(this);
  WindowsRTF2 = RadioItem(EditorforrEditText1, group2, "WindowsRTF2", "Windows RTF", false);
  WindowsPlain2 = RadioItem(EditorforrEditText1, group2, "WindowsPlain2", "Windows Plain", true);
  DOS2 = RadioItem(EditorforrEditText1, group2, "DOS2", "DOS", false);
  previous2 = RadioItem(EditorforrEditText1, group2, "previous2", "Previous", false);
  WindowsRTF1->setVisible(false);
  WindowsRTF2->setVisible(false);
  CharSet1 = Named(PopupMenu1->addMenu(QStringLiteral("Char Set")), "CharSet1");
  CharSet1->menuAction()->setVisible(false);
  auto* group3 = new QActionGroup(this);
  Ansi1 = RadioItem(CharSet1, group3, "Ansi1", "ANSI", false);
  OEM1 = RadioItem(CharSet1, group3, "OEM1", "OEM", true);
  mnReverseTTF = Named(PopupMenu1->addAction(QStringLiteral("Reverse TrueType Fint's text")), "mnReverseTTF");
  mnReverseTTF->setCheckable(true);

  Timer3 = Named(new QTimer(this), "Timer3");

  // Handlers. The editors' own filter is installed before Hebrew typing, so that it sees each key once,
  // as the Hebrew layout types it.
  Edit1->installEventFilter(this);
  EditDos->installEventFilter(this);
  typing_->Watch(Edit1);
  typing_->Watch(EditDos);
  statusPanel0->installEventFilter(this);
  statusPanel1->installEventFilter(this);
  StatusBar1->installEventFilter(this);
  connect(Edit1, &QLineEdit::textChanged, this, [this] { Guard([this] { Edit1Change(); }); });
  connect(EditDos, &StoredOrderEdit::textChanged, this, [this] { Guard([this] { editDosChange(); }); });
  connect(edH, &QLineEdit::textEdited, this, [this] { session_.isHeightCh = true; });
  connect(edH, &QLineEdit::editingFinished, this, [this] { Guard([this] { edHExit(); }); });
  connect(edAng, &QLineEdit::textEdited, this, [this] { session_.isAngCh = true; });
  connect(edAng, &QLineEdit::editingFinished, this, [this] { Guard([this] { edAngExit(); }); });
  connect(cbxJust, &QComboBox::activated, this, [this](int index) { Guard([this, index] { cbxJustChange(index); }); });
  connect(styleGroup, &QActionGroup::triggered, this, &Thtext::mnStyleClick);
  connect(btn1Up, &QToolButton::clicked, this, [this] { Guard([this] { btn1UpClick(); }); });
  connect(btn1Down, &QToolButton::clicked, this, [this] { Guard([this] { btn1DownClick(); }); });
  connect(btnNext, &QPushButton::clicked, this, [this] { Guard([this] { btnNextClick(); }); });
  connect(btnOk, &QPushButton::clicked, this, [this] { Guard([this] { btnOkClick(); }); });
  connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
  connect(tbHeb, &QToolButton::clicked, this, [this] { tbHebClick(); });
  connect(tbEng, &QToolButton::clicked, this, [this] { tbEngClick(); });
  for (int i = 0; i < kSymbolButtons; ++i) {
    connect(btntArray[static_cast<std::size_t>(i)], &QToolButton::clicked, this,
            [this, i] { Guard([this, i] { tbClick(i + 1); }); });
  }
  connect(ToolButton10, &QToolButton::clicked, this, [this] { Guard([this] { ToolButton10Click(); }); });
  for (QActionGroup* group : {group1, group2})
    connect(group, &QActionGroup::triggered, this, [this] { Guard([this] { WindowsPlain1Click(); }); });
  connect(group3, &QActionGroup::triggered, this, [this] { Ansi1Click(); });
  connect(mnReverseTTF, &QAction::triggered, this, [this] { mnReverseTTFClick(); });

  adjustSize();
}

// --- preparing ---

template <typename Steps>
void Thtext::Prepared(Steps&& steps) {
  try {
    steps();
  } catch (...) {
    // The dialog will not show: the keyboard goes back to US English as a closing would put it.
    textcore::EnglishKeyboard(services_.keyboard);
    throw;
  }
}

void Thtext::GetinputNewtext() {
  Prepared([this] {
    Edit1->clear();
    const Opening opening = session_.GetinputNewtext();
    ChooseEditor();
    ShowOpening(opening);
  });
}

void Thtext::GetinputEdittext() {
  Prepared([this] {
    Edit1->clear();
    const Opening opening = session_.GetinputEdittext();
    ChooseEditor();
    ShowOpening(opening);
  });
}

void Thtext::ShowOpening(const Opening& opening) {
  // FillStyleMenu: the styles, the height, angle and justification boxes.
  for (QAction* item : pupSt->actions()) {
    styleGroup->removeAction(item);
    delete item;
  }
  for (const StyleMenuItem& style : opening.styles) {
    QAction* item = pupSt->addAction(MenuCaption(ToQString(style.name)));
    item->setData(ToQString(style.name));
    item->setCheckable(true);
    item->setChecked(style.checked);
    if (style.checked) checkedStyle_ = item;
    styleGroup->addAction(item);
  }
  if (opening.styleHeightFixed) {
    QPalette red = edH->palette();
    red.setColor(QPalette::Text, Qt::red);
    edH->setPalette(red);
  }
  if (opening.heightText) edH->setText(ToQString(*opening.heightText));
  if (opening.angleText) edAng->setText(ToQString(*opening.angleText));
  if (opening.justification) cbxJust->setCurrentIndex(*opening.justification);
  for (QWidget* w : std::initializer_list<QWidget*>{tbStyle, imgHeight, edH, imgAngle, edAng, cbxJust})
    SetShown(w, true);
  setWindowTitle(ToQString(opening.caption));
  edt1->setText(ToQString(opening.fontTypeName));
}

// --- showing, sizing, closing ---

void Thtext::showEvent(QShowEvent* event) {
  Form::showEvent(event);
  if (shown_) return;
  shown_ = true;
  Guard([this] { FormShow(); });
}

void Thtext::FormShow() {
  ShowSymbolButtons();
  ChooseEditor();
  QWidget* editor = VisibleEditor();
  editor->setFocus();
  if (editor == Edit1) {
    Edit1->selectAll();
  } else {
    EditDos->selectAll();
  }
  EndStoredOrderRun(caret_);
}

void Thtext::resizeEvent(QResizeEvent* event) {
  Form::resizeEvent(event);
  FormResize();
}

void Thtext::FormResize() {
  const int width = std::max(this->width() - 2 * kEditLeft - 20, 40);
  for (QWidget* editor : {static_cast<QWidget*>(Edit1), static_cast<QWidget*>(EditDos)})
    editor->setGeometry(kEditLeft, editor->y(), width, kEditHeight);
  // The height stays FHeight: the window's height is fixed.
}

void Thtext::done(int result) {
  if (!closed_) {
    closed_ = true;
    FormClose();
  }
  Form::done(result);
}

void Thtext::reject() { BitBtn2Click(); }

void Thtext::closeEvent(QCloseEvent* event) {
  // The window's own close button closes without undoing: what was typed is already in the drawing.
  event->accept();
  done(QDialog::Rejected);
}

void Thtext::FormClose() {
  Guard([this] { session_.Close(); });
  textcore::EnglishKeyboard(services_.keyboard);
  SaveLayout();
}

void Thtext::RestoreLayout() {
  const config::Rinistr& settings = fonts_.inistr;
  resize(settings.txthw, height());
  move(x(), settings.txtt);
  SetDesignedTop(settings.txtt);
  const auto restore = [](int value, QAction* windows, QAction* dos) {
    if (value == 1) windows->setChecked(true);
    if (value == 0) dos->setChecked(true);
  };
  restore(settings.curmapn, WindowsPlain1, DOS1);
  restore(settings.curmaped, WindowsPlain2, DOS2);
  if (settings.charmap == 1) Ansi1->setChecked(true);
  if (settings.charmap == 2) OEM1->setChecked(true);
  mnReverseTTF->setChecked(settings.reverseTTF);
}

void Thtext::SaveLayout() {
  config::Rinistr& settings = fonts_.inistr;
  settings.txthw = width();
  settings.txtl = x();
  settings.txtt = y();
  // "Previous" opens the Windows editor, so it is kept as "Windows Plain".
  settings.curmapn = DOS1->isChecked() ? 0 : 1;
  settings.curmaped = DOS2->isChecked() ? 0 : 1;
  settings.charmap = Ansi1->isChecked() ? 1 : 2;
  settings.reverseTTF = mnReverseTTF->isChecked();
}

// --- editors ---

void Thtext::ChooseEditor() {
  const bool forNew = session_.edkind == edNew;
  QAction* dos = forNew ? DOS1 : DOS2;
  QAction* previous = forNew ? previous1 : previous2;
  int editor = kWindowsEditor;
  if (dos->isChecked()) editor = kStoredOrderEditor;
  if (previous->isChecked()) editor = shared_.EditorKind;
  SwitchEditor(editor);
}

void Thtext::SwitchEditor(int editor) {
  const bool storedOrder = editor == kStoredOrderEditor;
  const QString text = ToQString(session_.SwitchEditor(editor));
  Edit1->setVisible(!storedOrder);
  EditDos->setVisible(storedOrder);
  statusPanel0->setText(storedOrder ? QStringLiteral("Dos Screen Editor") : QStringLiteral("Windows Screen Editor"));
  QWidget* shown = storedOrder ? static_cast<QWidget*>(EditDos) : static_cast<QWidget*>(Edit1);
  SetEditorText(shown, text);
  if (isVisible()) shown->setFocus();
}

void Thtext::SetEditorText(QWidget* editor, const QString& text) {
  const bool live = session_.changeF;
  session_.changeF = false;
  if (editor == Edit1) {
    Edit1->setText(text);
  } else {
    EditDos->setText(text);
  }
  session_.changeF = live;
}

QWidget* Thtext::VisibleEditor() const {
  return shared_.EditorKind == kStoredOrderEditor ? static_cast<QWidget*>(EditDos) : static_cast<QWidget*>(Edit1);
}

QString Thtext::VisibleText() const {
  return shared_.EditorKind == kStoredOrderEditor ? EditDos->text() : Edit1->text();
}

void Thtext::InsertIntoEditor(const QString& text) {
  if (shared_.EditorKind == kStoredOrderEditor) {
    EditDos->insert(text);
  } else {
    Edit1->insert(text);
  }
}

void Thtext::Edit1Change() {
  if (shared_.EditorKind != kWindowsEditor) return;
  session_.LiveUpdate(FromQString(Edit1->text()), kWindowsEditor);
}

void Thtext::editDosChange() {
  if (shared_.EditorKind != kStoredOrderEditor || !session_.eText || !session_.changeF) return;
  const std::u16string text = FromQString(EditDos->text());
  if (!text.empty()) {
    if (const auto caret = AfterStoredOrderChange(caret_, text, EditDos->cursorPosition(), Hebrew()))
      EditDos->setCursorPosition(*caret);
  }
  session_.LiveUpdate(text, kStoredOrderEditor);
}

bool Thtext::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto& key = *static_cast<QKeyEvent*>(event);
    if (watched == Edit1) return Edit1KeyDown(key) || KeyPress(key, false);
    if (watched == EditDos) return editDosKeyDown(key) || KeyPress(key, true);
  }
  if (event->type() == QEvent::MouseButtonPress) {
    if (watched == EditDos) EndStoredOrderRun(caret_);  // EditDosMouseDown
    if (watched == StatusBar1 || watched == statusPanel0 || watched == statusPanel1) {
      const auto* click = static_cast<QMouseEvent*>(event);
      const QPoint at = static_cast<QWidget*>(watched)->mapTo(StatusBar1, click->position().toPoint());
      Guard([this, at] { StatusBar1MouseDown(at); });
      return true;  // once, not again from the panel's parent
    }
  }
  return Form::eventFilter(watched, event);
}

bool Thtext::Edit1KeyDown(QKeyEvent& key) {
  caret_.deleteF = key.key() == Qt::Key_Backspace || key.key() == Qt::Key_Delete;
  Guard([&] {
    const std::u16string text = session_.KeyText(ShiftState(key), VirtualKey(key));
    if (!text.empty()) Edit1->insert(ToQString(text));
  });
  // Alt with a character types nothing in a Windows edit box: the key's own character is not inserted.
  return OnlyAlt(key) && !key.text().isEmpty() && key.text().front().isPrint();
}

bool Thtext::editDosKeyDown(QKeyEvent& key) {
  StoredOrderKey kind = StoredOrderKey::Other;
  const int k = key.key();
  const QString text = key.text();
  if (k == Qt::Key_Backspace) {
    kind = StoredOrderKey::Backspace;
  } else if (k == Qt::Key_Delete) {
    kind = StoredOrderKey::Delete;
  } else if (k == Qt::Key_Space || (k >= Qt::Key_A && k <= Qt::Key_Z) ||
             (text.size() == 1 && IsHebrewLetter(text.front().unicode()))) {
    kind = StoredOrderKey::Typing;  // a letter key, whichever layout typed it
  }
  if (const auto caret = StoredOrderKeyDown(caret_, kind, Hebrew(), FromQString(EditDos->text()), session_.scrText,
                                            EditDos->cursorPosition(), EditDos->hasSelectedText()))
    EditDos->setCursorPosition(*caret);
  return false;
}

bool Thtext::KeyPress(QKeyEvent& key, bool storedOrder) {
  if (key.key() == Qt::Key_Escape) {
    BitBtn2Click();
    return true;
  }
  if (TypesNul(key) || (storedOrder && (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter))) {
    Guard([this] { btnOkClick(); });
    return true;
  }
  if (storedOrder && textcore::KeyboardIsHebrew(services_.keyboard) &&
      (key.text() == QStringLiteral("(") || key.text() == QStringLiteral(")"))) {
    // Brackets drawn by a DOS-era font face the other way in right-to-left text.
    EditDos->insert(key.text() == QStringLiteral("(") ? QStringLiteral(")") : QStringLiteral("("));
    return true;
  }
  return false;
}

// --- the boxes of the tool bar ---

void Thtext::edHExit() { session_.ApplyHeight(FromQString(edH->text())); }

void Thtext::edAngExit() { session_.ApplyAngle(FromQString(edAng->text())); }

void Thtext::cbxJustChange(int index) { session_.ChooseJustification(index); }

void Thtext::mnStyleClick(QAction* item) {
  QAction* previous = checkedStyle_;
  const QString name = item->data().toString();
  bool done = false;
  Guard([&] {
    const StyleChange change = session_.ChooseStyle(FromQString(name), FromQString(VisibleText()), shared_.EditorKind);
    setWindowTitle(ToQString(change.caption));
    edt1->setText(ToQString(change.fontTypeName));
    ShowSymbolButtons();
    if (change.heightFixed) {
      QPalette grey = edH->palette();
      grey.setColor(QPalette::Text, QColor(128, 128, 128));
      edH->setPalette(grey);
    }
    done = true;
  });
  if (done) {
    checkedStyle_ = item;
  } else {
    // The style checked before stays checked.
    item->setChecked(false);
    if (previous) previous->setChecked(true);
  }
}

void Thtext::btn1UpClick() {
  const FontTypeChange change = session_.ApplyFontType(FromQString(VisibleText()), shared_.EditorKind);
  edt1->setText(ToQString(change.fontTypeName));
  if (change.editorText) SetEditorText(VisibleEditor(), ToQString(*change.editorText));
}

void Thtext::btn1DownClick() { btn1UpClick(); }  // both arrows advance the type

void Thtext::tbClick(int i) { InsertIntoEditor(ToQString(session_.InsertSymbol(i))); }

void Thtext::ToolButton10Click() { InsertIntoEditor(ToQString(kUnderlineCode)); }

void Thtext::ShowSymbolButtons() {
  const auto shown = session_.ShowSymbolButtons();
  for (std::size_t j = 0; j < shown.size(); ++j) {
    // A symbol font's button shows the number of its code.
    btntArray[j]->setText(session_.isHebsymb ? ToQString(session_.InsertSymbol(static_cast<int>(j) + 1)).mid(2)
                                             : QString::fromUtf8(kSymbolLabels[j]));
    if (shown[j]) SetShown(btntArray[j], *shown[j]);
  }
}

void Thtext::SetShown(QWidget* tool, bool shown) {
  // A tool bar shows and hides its widgets through their actions.
  const auto action = toolActions_.find(tool);
  if (action != toolActions_.end()) {
    action->second->setVisible(shown);
  } else {
    tool->setVisible(shown);
  }
}

// --- the buttons ---

void Thtext::btnNextClick() {
  session_.NewLine();
  Edit1->clear();
  EditDos->setText({});
  session_.FinishNewLine();
  VisibleEditor()->setFocus();
}

void Thtext::btnOkClick() {
  switch (session_.Ok(FromQString(VisibleText()), shared_.EditorKind)) {
    case OkOutcome::ActsAsCancel:
      BitBtn2Click();
      return;
    case OkOutcome::Written:
    case OkOutcome::EmptyLineDropped:
      SetEditorText(Edit1, {});
      accept();
      return;
  }
}

void Thtext::BitBtn2Click() {
  session_.Cancel();
  done(QDialog::Rejected);
}

void Thtext::tbHebClick() { textcore::HebrewKeyboard(services_.keyboard); }

void Thtext::tbEngClick() { textcore::EnglishKeyboard(services_.keyboard); }

void Thtext::SyncLanguageButtons() { follower_->Sync(language_.language); }

// --- the options menu and the status bar ---

void Thtext::WindowsPlain1Click() { ChooseEditor(); }

void Thtext::SetStoredOrderFont(bool ansi) {
  EditDos->setFont(dialogs::DialogFontPixels(ansi ? u"Web Hebrew AD" : u"Courier New", kEditorFontPixels, true));
}

void Thtext::Ansi1Click() { SetStoredOrderFont(Ansi1->isChecked()); }

void Thtext::mnReverseTTFClick() { fonts_.inistr.reverseTTF = mnReverseTTF->isChecked(); }

void Thtext::StatusBar1MouseDown(const QPoint& at) {
  const QPoint panelRight = statusPanel0->mapTo(StatusBar1, QPoint(statusPanel0->width(), 0));
  if (at.x() >= panelRight.x()) return;
  SwitchEditor(statusPanel0->text().contains(QStringLiteral("Dos")) ? kWindowsEditor : kStoredOrderEditor);
}

}  // namespace zil::textdialog
