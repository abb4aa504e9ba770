#include "workbench.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <map>
#include <span>

#include "acad/error.h"
#include "command_line.h"
#include "commands.h"
#include "drawing/spaces.h"
#include "drawing/standin/command_text.h"
#include "drawing/standin/font_directions.h"
#include "font_proposal.h"
#include "plot.h"
#include "preview/scene_builder.h"
#include "textcore/keyboard.h"
#include "textcore/utf8.h"
#include "workbench_input.h"

// The icon is a resource of this library, which a static library must bring in by name.
static void LoadWorkbenchResources() { Q_INIT_RESOURCE(resources); }

namespace zil::workbench {
namespace {

constexpr int kRecentFiles = 8;
const char* const kRecentKey = "recentFiles";

QString Utf8(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
QString Path(const std::filesystem::path& p) { return Utf8(p.string()); }

bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code error;
  if (std::filesystem::equivalent(a, b, error)) return true;
  return std::filesystem::weakly_canonical(a, error) == std::filesystem::weakly_canonical(b, error);
}

}  // namespace

struct Workbench::Tab {
  std::u16string layout;  // as the drawing names it: "Model", "Layout1", ...
  std::u16string block;   // its block: "*Model_Space", "*Paper_Space", "*Paper_Space0", ...
  int kind = -1;          // 0 model space, 1 the active layout (paper space), -1 another layout
  std::optional<ViewState> view;
};

Workbench::Workbench(platform::Services services, automation::Dialogs& dialogs, WorkbenchOptions options)
    : services_(services),
      addin_(services, dialogs),
      app_(standin::StandInApplication::Create()),
      tabs_(new QTabBar),
      view_(new DrawingView),
      line_(new CommandLine),
      coordinates_(new QLabel),
      space_(new QLabel),
      keyboard_(new QLabel),
      keyboardNotifier_(services.keyboard) {
  setObjectName(QStringLiteral("workbench"));
  LoadWorkbenchResources();
  setWindowIcon(QIcon(QStringLiteral(":/zil-workbench.svg")));
  input_ = std::make_unique<WorkbenchInput>(*view_, *line_, services_.messages);
  fontProposal_ = std::make_unique<FontProposal>(*this);
  settings_ = options.settingsFile.isEmpty()
                  ? std::make_unique<QSettings>(QStringLiteral("zil"), QStringLiteral("zil-workbench"))
                  : std::make_unique<QSettings>(options.settingsFile, QSettings::IniFormat);
  for (const QString& file : settings_->value(QLatin1String(kRecentKey)).toStringList()) recent_.push_back(file);

  tabs_->setObjectName(QStringLiteral("spaceTabs"));
  tabs_->setShape(QTabBar::RoundedSouth);
  tabs_->setExpanding(false);
  view_->setObjectName(QStringLiteral("drawingView"));
  auto* drawingArea = new QWidget;
  auto* drawingLayout = new QVBoxLayout(drawingArea);
  drawingLayout->setContentsMargins(0, 0, 0, 0);
  drawingLayout->setSpacing(0);
  drawingLayout->addWidget(view_, 1);
  drawingLayout->addWidget(tabs_);
  auto* splitter = new QSplitter(Qt::Vertical);
  splitter->addWidget(drawingArea);
  splitter->addWidget(line_);
  splitter->setStretchFactor(0, 1);
  splitter->setStretchFactor(1, 0);
  splitter->setSizes({700, 110});
  setCentralWidget(splitter);

  coordinates_->setObjectName(QStringLiteral("coordinates"));
  space_->setObjectName(QStringLiteral("space"));
  keyboard_->setObjectName(QStringLiteral("keyboardLanguage"));
  coordinates_->setMinimumWidth(220);
  statusBar()->addWidget(coordinates_);
  statusBar()->addPermanentWidget(space_);
  statusBar()->addPermanentWidget(keyboard_);
  BuildMenus();

  connect(view_, &DrawingView::cursorMoved, this, [this](Vec2 at) {
    coordinates_->setText(QString::number(at.x, 'f', 4) + QStringLiteral(", ") + QString::number(at.y, 'f', 4));
  });
  connect(tabs_, &QTabBar::currentChanged, this, &Workbench::ShowTab);
  connect(view_, &DrawingView::resized, this, [this](QSize pixels) {
    app_->SetScreenSize({pixels.width(), pixels.height()});
  });
  connect(input_.get(), &WorkbenchInput::commandTyped, this, &Workbench::RunCommand);
  connect(input_.get(), &WorkbenchInput::picksChanged, this,
          [this](const std::unordered_set<const drawing::Record*>& picked) {
            picks_ = picked;
            UpdateHighlights();
          });
  connect(&keyboardNotifier_, &platform::KeyboardNotifier::layoutChanged, this, &Workbench::UpdateKeyboardLabel);

  addin_.Startup();
  object_ = addin_.CreateObject();
  app_->SetInputSource(input_.get());
  app_->SetWindow(this);
  app_->SetRightToLeftFonts(standin::RightToLeftFontsOf(addin_.frmFonts()));  // the fonts the view draws so
  const automation::Variant application = automation::ApplicationRef(app_);
  const automation::InvokeResult given = automation::Invoke(*object_, u"SetApp", std::span(&application, 1));
  if (automation::Failed(given.hr)) line_->Error(QStringLiteral("SetApp: ") + Utf8(given.error));

  UpdateActions();
  UpdateTitle();
  UpdateKeyboardLabel();
  resize(1280, 860);
}

Workbench::~Workbench() {
  input_->Cancel();
  if (document_) document_->RemoveObserver(this);
  app_->SetWindow(nullptr);
  app_->SetInputSource(nullptr);
  app_->SetRightToLeftFonts({});
  view_->SetScene(nullptr);
  input_.reset();
  fontProposal_.reset();
  addin_.Shutdown();
}

// --- menus and the state of the window ---

void Workbench::BuildMenus() {
  std::map<std::string, QMenu*> menus;
  QToolBar* toolBar = addToolBar(QStringLiteral("Commands"));
  toolBar->setObjectName(QStringLiteral("toolBar"));
  toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  toolBar->setMovable(false);
  for (const WorkbenchCommand& command : Commands()) {
    QMenu*& menu = menus[command.menu];
    if (!menu) menu = menuBar()->addMenu(QString::fromLatin1(command.menu));
    if (std::string_view(command.name) == "QUIT") {
      recentMenu_ = menu->addMenu(QStringLiteral("Recent &Files"));
      recentMenu_->setObjectName(QStringLiteral("recentFiles"));
      menu->addSeparator();
    }
    QAction* action = menu->addAction(QString::fromLatin1(command.menuText));
    action->setObjectName(QStringLiteral("action") + QString::fromLatin1(command.name));
    action->setToolTip(QString::fromLatin1(command.menuText).remove(QLatin1Char('&')) + QStringLiteral(" (") +
                       QString::fromLatin1(command.name) + QLatin1Char(')'));
    if (command.shortcut) action->setShortcut(QKeySequence(QString::fromLatin1(command.shortcut)));
    const QString name = QString::fromLatin1(command.name);
    connect(action, &QAction::triggered, this, [this, name] { RunCommand(name); });
    if (command.toolBar) toolBar->addAction(action);
    actions_.emplace_back(&command, action);
  }
  FillRecentMenu();
}

QAction* Workbench::Action(const char* command) const {
  for (const auto& [c, action] : actions_)
    if (std::string_view(c->name) == command) return action;
  return nullptr;
}

void Workbench::UpdateActions() {
  for (const auto& [command, action] : actions_) action->setEnabled(!busy_ && (!command->needsDrawing || document_));
  if (recentMenu_) recentMenu_->setEnabled(!busy_);
  tabs_->setEnabled(!busy_);
}

void Workbench::UpdateTitle() {
  if (!document_) {
    setWindowTitle(QStringLiteral("zil-workbench"));
    setWindowModified(false);
    return;
  }
  setWindowTitle(QString::fromStdU16String(document_->Name()) + QStringLiteral("[*] - zil-workbench"));
  setWindowModified(!document_->Saved());
}

void Workbench::UpdateKeyboardLabel() {
  keyboard_->setText(textcore::KeyboardIsHebrew(services_.keyboard) ? QStringLiteral("Hebrew")
                                                                    : QStringLiteral("English"));
}

void Workbench::UpdateHighlights() {
  std::unordered_set<const drawing::Record*> shown = highlighted_;
  shown.insert(picks_.begin(), picks_.end());
  view_->SetHighlighted(std::move(shown));
}

void Workbench::ReportError(const std::u16string& caption, const std::string& text) {
  line_->Error(Utf8(text));
  services_.messages.Show(caption, textcore::FromUtf8(text), platform::MessageIcon::Error,
                          platform::MessageButtons::Ok);
}

// --- files ---

void Workbench::AddRecent(const std::filesystem::path& file) {
  const QString path = Path(std::filesystem::absolute(file));
  std::erase(recent_, path);
  recent_.insert(recent_.begin(), path);
  if (recent_.size() > kRecentFiles) recent_.resize(kRecentFiles);
  settings_->setValue(QLatin1String(kRecentKey), QStringList(recent_.begin(), recent_.end()));
  FillRecentMenu();
}

void Workbench::FillRecentMenu() {
  if (!recentMenu_) return;
  recentMenu_->clear();
  for (const QString& file : recent_) {
    QAction* action = recentMenu_->addAction(file);
    connect(action, &QAction::triggered, this, [this, file] { Open(file.toStdString()); });
  }
  recentMenu_->setEnabled(!recent_.empty() && !busy_);
}

bool Workbench::MaybeSave() {
  if (!document_ || document_->Saved()) return true;
  const platform::MessageAnswer answer =
      services_.messages.Show(u"zil-workbench", u"Save the changes to " + document_->Name() + u"?",
                              platform::MessageIcon::Question, platform::MessageButtons::YesNoCancel);
  if (answer == platform::MessageAnswer::Yes) return Save();
  return answer == platform::MessageAnswer::No;
}

bool Workbench::Open(const std::filesystem::path& file) {
  if (busy_) {
    line_->Error(QStringLiteral("Finish the command that is running before opening a drawing."));
    return false;
  }
  if (!MaybeSave()) return false;
  // The same file again is read anew, in place of the drawing shown (whose changes the user gave up).
  if (document_ && SameFile(document_->File(), file)) CloseDocument();
  std::shared_ptr<standin::StandInDocument> opened;
  try {
    opened = app_->OpenDrawing(file);
  } catch (const std::exception& e) {
    ReportError(u"Open", "The drawing " + file.string() + " cannot be opened:\n" + e.what());
    return false;
  }
  if (document_) CloseDocument();
  SetDocument(opened);
  AddRecent(file);
  line_->Message(QStringLiteral("Opened ") + Path(file));
  fontProposal_->Opened();
  return true;
}

bool Workbench::Save() {
  if (!document_) return false;
  try {
    document_->Save();
  } catch (const std::exception& e) {
    ReportError(u"Save", "The drawing was not saved; " + document_->File().string() + " is as it was:\n" + e.what());
    return false;
  }
  line_->Message(QStringLiteral("Saved ") + Path(document_->File()));
  UpdateTitle();
  return true;
}

bool Workbench::SaveAs() {
  if (!document_) return false;
  platform::FileChoice choice{u"Save the drawing as", u"DXF drawings (ASCII)|*.dxf", u"dxf",
                              document_->File().parent_path(), document_->File().filename()};
  const auto file = services_.files.ChooseFileToSave(choice);
  if (!file) return false;
  try {
    document_->SaveAs(textcore::FromUtf8(file->string()));
  } catch (const std::exception& e) {
    ReportError(u"Save As", "The drawing was not saved as " + file->string() + ":\n" + e.what());
    return false;
  }
  line_->Message(QStringLiteral("Saved as ") + Path(*file));
  AddRecent(*file);
  UpdateTitle();
  return true;
}

void Workbench::SetDocument(std::shared_ptr<standin::StandInDocument> document) {
  document_ = std::move(document);
  document_->AddObserver(this);
  tabInfo_.clear();
  int active = 0;
  const bool modelActive = document_->ActiveSpace() == acad::kModelSpace;
  for (const drawing::Layout& layout : drawing::Layouts(document_->Dwg())) {
    const int kind = layout.space.IsModelSpace() ? 0 : layout.space.MarksPaperSpace() ? 1 : -1;
    if ((kind == 0 && modelActive) || (kind == 1 && !modelActive)) active = static_cast<int>(tabInfo_.size());
    tabInfo_.push_back({layout.name, layout.space.Name(), kind, std::nullopt});
  }
  if (tabInfo_.empty()) tabInfo_.push_back({u"Model", u"*Model_Space", 0, std::nullopt});
  {
    const QSignalBlocker quiet(tabs_);
    while (tabs_->count() > 0) tabs_->removeTab(0);
    for (const Tab& tab : tabInfo_) tabs_->addTab(QString::fromStdU16String(tab.layout));
    tabs_->setCurrentIndex(active);
  }
  shownTab_ = -1;
  ShowTab(active);
  UpdateActions();
  UpdateTitle();
}

void Workbench::CloseDocument() {
  if (!document_) return;
  document_->RemoveObserver(this);
  view_->SetScene(nullptr);
  scene_.reset();
  app_->CloseDrawing(document_);
  document_.reset();
  tabInfo_.clear();
  shownTab_ = -1;
  highlighted_.clear();
  picks_.clear();
  const QSignalBlocker quiet(tabs_);
  while (tabs_->count() > 0) tabs_->removeTab(0);
  space_->clear();
  UpdateActions();
  UpdateTitle();
}

void Workbench::ShowTab(int index) {
  if (!document_ || index < 0 || index >= static_cast<int>(tabInfo_.size())) return;
  if (shownTab_ >= 0 && shownTab_ < static_cast<int>(tabInfo_.size()) && scene_)
    tabInfo_[static_cast<std::size_t>(shownTab_)].view = view_->State();
  view_->SetScene(nullptr);
  scene_.reset();  // before the next is built: one scene in memory at a time
  shownTab_ = index;
  Tab& tab = tabInfo_[static_cast<std::size_t>(index)];
  try {
    scene_ = std::make_unique<ViewScene>(document_->Dwg(), preview::ClassifyWith(addin_.frmFonts()), tab.layout);
  } catch (const std::exception& e) {
    ReportError(u"Open", "The space " + textcore::ToUtf8(tab.layout) + " cannot be drawn:\n" + e.what());
    return;
  }
  view_->SetScene(scene_.get());
  if (tab.view) {
    view_->SetState(*tab.view);
  } else {
    view_->ZoomExtents();
  }
  space_->setText(tab.kind == 0 ? QStringLiteral("Model") : QString::fromStdU16String(tab.layout));
}

void Workbench::RebuildScene() {
  app_->SetRightToLeftFonts(standin::RightToLeftFontsOf(addin_.frmFonts()));
  if (!scene_) return;
  scene_->Rebuild();
  view_->Repaint({true, {}});
}

std::shared_ptr<acad::Block> Workbench::ShownSpace() {
  if (!document_ || shownTab_ < 0) throw acad::Error("No drawing is open");
  const Tab& tab = tabInfo_[static_cast<std::size_t>(shownTab_)];
  if (tab.kind == 0) return document_->ModelSpace();
  if (tab.kind == 1) return document_->PaperSpace();
  return document_->Blocks()->Item(tab.block);
}

bool Workbench::ShowsActiveSpace(standin::StandInDocument& document) const {
  if (&document != document_.get() || shownTab_ < 0 || !scene_) return false;
  const int kind = tabInfo_[static_cast<std::size_t>(shownTab_)].kind;
  return document.ActiveSpace() == acad::kModelSpace ? kind == 0 : kind == 1;
}

// --- commands and member calls ---

void Workbench::RunCommand(const QString& name) {
  const QString typed = name.trimmed();
  if (typed.isEmpty()) return;
  if (busy_) {
    line_->Error(QStringLiteral("A command is running: finish it first (Escape cancels its prompt)."));
    return;
  }
  line_->Echo(QStringLiteral("Command:"), typed);
  const WorkbenchCommand* command = FindCommand(typed);
  if (!command) {
    // AutoCAD's own command text (U, REDO, PLOT, an alert) goes to the host's command line.
    try {
      standin::ParseCommandText(typed.toStdU16String() + u" ");
    } catch (const acad::Error&) {
      QStringList names;
      for (const WorkbenchCommand& c : Commands()) names << QString::fromLatin1(c.name);
      line_->Error(QStringLiteral("Unknown command \"") + typed + QStringLiteral("\". The commands: ") +
                   names.join(QStringLiteral(", ")) + QStringLiteral(", PLOT."));
      return;
    }
  }
  if ((!command || command->needsDrawing) && !document_) {
    line_->Error(QStringLiteral("No drawing is open: open one first (File, Open)."));
    return;
  }
  busy_ = true;
  UpdateActions();
  try {
    if (command) {
      command->run(*this);
    } else {
      HostCommand(typed.toStdU16String() + u" ");
    }
  } catch (const std::exception& e) {
    line_->Error(Utf8(e.what()));
  } catch (...) {
    line_->Error(QStringLiteral("The command failed."));
  }
  if (document_) document_->TellObservers();
  busy_ = false;
  UpdateActions();
  UpdateTitle();
  if (closeWhenIdle_) {
    closeWhenIdle_ = false;
    QTimer::singleShot(0, this, &QWidget::close);
  }
}

automation::InvokeResult Workbench::Call(std::u16string_view member, std::vector<automation::Variant> args) {
  const automation::InvokeResult result = automation::Invoke(*object_, member, args);
  if (automation::Failed(result.hr))
    line_->Error(QString::fromStdU16String(std::u16string(member)) + QStringLiteral(": ") + Utf8(result.error));
  // The member has returned: the drawing shows as it now is (another drawing when the member opened one,
  // under its new name when it saved it as another file), then the command text it queued runs.
  const std::shared_ptr<standin::StandInDocument> active = app_->Active();
  if (active && active != document_) {
    if (document_) document_->RemoveObserver(this);
    SetDocument(active);
  } else {
    UpdateTitle();
  }
  if (document_) document_->TellObservers();
  RunQueuedCommands();
  return result;
}

std::u16string Workbench::Hebstr() {
  const automation::InvokeResult result = automation::Invoke(*object_, u"Hebstr", {});
  return result.value.value_or(std::u16string());
}

void Workbench::HostCommand(const std::u16string& text) {
  if (!document_) throw acad::Error("No drawing is open");
  document_->SendCommand(text);
  RunQueuedCommands();
}

void Workbench::RunQueuedCommands() {
  for (const standin::CommandReport& report : app_->RunQueuedCommands()) {
    line_->Echo(QStringLiteral("Command:"), QString::fromStdU16String(report.text).trimmed());
    for (const standin::CommandEvent& event : report.events)
      if (event.kind != "alert") line_->Message(QString::fromStdU16String(event.detail));
    if (!report.error.empty()) line_->Error(Utf8(report.error));
  }
}

// --- the host's window ---

std::optional<standin::View> Workbench::ShownView(standin::StandInDocument& document) {
  if (!ShowsActiveSpace(document)) return std::nullopt;
  const ViewState state = view_->State();
  return standin::View{{state.centre.x, state.centre.y, 0}, state.height};
}

bool Workbench::ShowView(standin::StandInDocument& document, const standin::View& view) {
  if (!ShowsActiveSpace(document)) return false;
  view_->SetState({{view.center.x, view.center.y}, view.height});
  return true;
}

std::u16string Workbench::Plot(standin::StandInDocument& document) {
  if (&document != document_.get() || !scene_) throw acad::Error("PLOT: the drawing is not shown");
  const Tab& tab = tabInfo_[static_cast<std::size_t>(shownTab_)];
  std::filesystem::path name = document.File().stem();
  if (tab.kind != 0) name += "-" + textcore::ToUtf8(tab.layout);
  name += ".pdf";
  const platform::FileChoice choice{u"Plot to a PDF file", u"PDF files|*.pdf", u"pdf", document.File().parent_path(),
                                    name};
  const auto file = services_.files.ChooseFileToSave(choice);
  if (!file) throw acad::Error("PLOT was cancelled: no PDF file was chosen");
  try {
    PlotToPdf(*scene_, *file, QString::fromStdU16String(document.Name()));
  } catch (const std::exception& e) {
    throw acad::Error(std::string("PLOT: ") + e.what());
  }
  return u"plotted " + tab.layout + u" to " + textcore::FromUtf8(file->string());
}

// --- changes ---

void Workbench::RecordsChanged(standin::StandInDocument& document, const std::vector<drawing::Record*>& records) {
  if (&document != document_.get()) return;
  try {
    for (drawing::Record* r : records) {
      if (document.Highlighted(*r)) {
        highlighted_.insert(r);
      } else {
        highlighted_.erase(r);
      }
    }
    if (scene_) view_->Repaint(scene_->Apply(records));
    UpdateHighlights();
    UpdateTitle();
  } catch (const std::exception& e) {
    line_->Error(QStringLiteral("The view could not follow the change: ") + Utf8(e.what()));
  }
}

// --- events ---

void Workbench::closeEvent(QCloseEvent* event) {
  if (busy_) {
    // A prompt waits: it is cancelled, and the window closes when the command has ended.
    closeWhenIdle_ = true;
    input_->Cancel();
    event->ignore();
    return;
  }
  if (!MaybeSave()) {
    event->ignore();
    return;
  }
  settings_->sync();
  event->accept();
}

void Workbench::keyPressEvent(QKeyEvent* event) {
  // Typing anywhere goes to the command line, as in AutoCAD.
  const bool typing = !event->text().isEmpty() && (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == 0;
  if (typing || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Escape) {
    line_->Input()->setFocus();
    QCoreApplication::sendEvent(line_->Input(), event);
    return;
  }
  QMainWindow::keyPressEvent(event);
}

}  // namespace zil::workbench
