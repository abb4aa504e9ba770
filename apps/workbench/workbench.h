// The workbench: the add-in's home on Linux, a desktop window over a DXF drawing in the stand-in host. It
// plays AutoCAD (it shows the drawing, answers the host's prompts, prints) and AutoCAD's command layer
// (its commands call the members of the automation object with what they expect: commands.h).
//
// It owns one add-in (one automation object) whose application is the stand-in host's (SetApp), and
// shows one drawing at a time: a tab per space (model space and each layout), the view, a command line
// with history, menus and a tool bar of the commands, a status bar with the cursor's drawing coordinates,
// the space and the keyboard language of the add-in's keyboard service.
//
// Once an opened drawing has been painted, the fonts its font table lacks are told from its texts and
// offered for the table (font_proposal.h).
//
// After every member call, every Update and Regen, and every command the host's queue runs, the view shows
// the drawing as it now is: the document tells the workbench which records changed, and the view builds
// again and repaints only those entities where it can.
//
// Failures never end the workbench: a drawing that cannot be read, a save that fails and a member that
// fails are reported (a message box for files, the command line for commands) and the window stays as it
// was; a failed save keeps the old file.
#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QSettings>
#include <QTabBar>
#include <filesystem>
#include <memory>
#include <optional>
#include <unordered_set>
#include <vector>

#include "automation/addin.h"
#include "automation/autozil.h"
#include "automation/dispatch.h"
#include "drawing/standin/application.h"
#include "drawing/standin/document.h"
#include "drawing/standin/host_window.h"
#include "drawing_view.h"
#include "platform/qt/keyboard_notifier.h"
#include "platform/services.h"
#include "view_scene.h"

class QAction;
class QMenu;

namespace zil::workbench {

class CommandLine;
class FontProposal;
class WorkbenchInput;
struct WorkbenchCommand;

struct WorkbenchOptions {
  // Where the recent files are kept (an INI file); empty: the user's settings of zil-workbench.
  QString settingsFile;
};

class Workbench final : public QMainWindow, public standin::HostWindow, public standin::ChangeObserver {
  Q_OBJECT

 public:
  // Starts the add-in over `services` and `dialogs`; no drawing is open yet.
  Workbench(platform::Services services, automation::Dialogs& dialogs, WorkbenchOptions options = {});
  ~Workbench() override;

  // --- files ---
  // Opens a drawing in place of the one shown (asking first to save unsaved changes). A drawing that
  // cannot be read is reported in a message box; the window then stays as it was. False when not opened.
  // Once the drawing is painted, fonts the font table lacks may be offered for it (ProposedFonts).
  bool Open(const std::filesystem::path& file);
  // Saves the drawing to its file (atomically); a failure is reported and keeps the old file.
  bool Save();
  // Asks for a file name (the platform's file chooser) and saves there.
  bool SaveAs();
  // Asks to save, discard or keep unsaved changes; false when the user keeps them (cancel).
  bool MaybeSave();
  const std::vector<QString>& RecentFiles() const noexcept { return recent_; }

  // --- commands ---
  // Runs a command by the name typed at the command line (any case; commands.h), else hands the text to
  // the host's command line (U, REDO, PLOT). Returns when it is done; its prompts wait meanwhile.
  void RunCommand(const QString& name);
  bool Busy() const noexcept { return busy_; }

  // An automation call as the command layer makes it: the member by name, its result shown in the
  // command line when it failed, then the command text it queued run, then the view brought up to date.
  automation::InvokeResult Call(std::u16string_view member, std::vector<automation::Variant> args = {});
  // The automation object's result string (Hebstr).
  std::u16string Hebstr();
  // Command text for the host's command line (U, REDO, PLOT, ...), run at once and reported.
  void HostCommand(const std::u16string& text);
  // What the commands remember from one run to the next, as AutoCAD does.
  struct CommandMemory {
    double rotationDegrees = 0;  // TEXT's last rotation
  };
  CommandMemory& Memory() noexcept { return memory_; }
  // The space shown, as the automation surface's block (new entities of the workbench's own commands go
  // there).
  std::shared_ptr<acad::Block> ShownSpace();
  // Builds the view's scene again after the font table changed: the host learns again which fonts draw
  // right to left, and the texts are drawn anew.
  void RebuildScene();

  // --- parts (for the commands and for tests) ---
  DrawingView& View() noexcept { return *view_; }
  CommandLine& Line() noexcept { return *line_; }
  WorkbenchInput& Input() noexcept { return *input_; }
  QTabBar& Tabs() noexcept { return *tabs_; }
  const ViewScene* Scene() const noexcept { return scene_.get(); }
  std::shared_ptr<standin::StandInDocument> Document() const { return document_; }
  standin::StandInApplication& Host() noexcept { return *app_; }
  automation::AddIn& AddIn() noexcept { return addin_; }
  platform::Services& Services() noexcept { return services_; }
  QAction* Action(const char* command) const;
  FontProposal& ProposedFonts() noexcept { return *fontProposal_; }

  // --- standin::HostWindow ---
  std::optional<standin::View> ShownView(standin::StandInDocument& document) override;
  bool ShowView(standin::StandInDocument& document, const standin::View& view) override;
  std::u16string Plot(standin::StandInDocument& document) override;

  // --- standin::ChangeObserver ---
  void RecordsChanged(standin::StandInDocument& document, const std::vector<drawing::Record*>& records) override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BuildMenus();
  void SetDocument(std::shared_ptr<standin::StandInDocument> document);
  void CloseDocument();
  void ShowTab(int index);
  bool ShowsActiveSpace(standin::StandInDocument& document) const;
  void RunQueuedCommands();
  void UpdateTitle();
  void UpdateHighlights();
  void UpdateActions();
  void UpdateKeyboardLabel();
  void AddRecent(const std::filesystem::path& file);
  void FillRecentMenu();
  void ReportError(const std::u16string& caption, const std::string& text);

  platform::Services services_;
  automation::AddIn addin_;
  std::unique_ptr<automation::Tautozil> object_;
  std::shared_ptr<standin::StandInApplication> app_;
  std::shared_ptr<standin::StandInDocument> document_;
  std::unique_ptr<ViewScene> scene_;
  struct Tab;
  std::vector<Tab> tabInfo_;  // a tab per space, in tab order
  int shownTab_ = -1;

  QTabBar* tabs_;
  DrawingView* view_;
  CommandLine* line_;
  std::unique_ptr<WorkbenchInput> input_;  // destroyed before the view and the command line it uses
  std::unique_ptr<FontProposal> fontProposal_;
  QLabel* coordinates_;
  QLabel* space_;
  QLabel* keyboard_;
  QMenu* recentMenu_ = nullptr;
  std::vector<std::pair<const WorkbenchCommand*, QAction*>> actions_;
  platform::KeyboardNotifier keyboardNotifier_;
  std::unique_ptr<QSettings> settings_;
  std::vector<QString> recent_;
  std::unordered_set<const drawing::Record*> highlighted_;  // by the add-in (Highlight)
  std::unordered_set<const drawing::Record*> picks_;        // by the waiting prompt
  CommandMemory memory_;
  bool busy_ = false;
  bool closeWhenIdle_ = false;
};

}  // namespace zil::workbench
