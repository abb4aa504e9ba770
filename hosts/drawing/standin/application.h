// The stand-in CAD host's application: the acad::Application the add-in receives through SetApp, over
// drawings opened from DXF files. It keeps the open documents (the last one opened is active), the input
// source that answers prompts and alerts, the size of the drawing window in pixels (SCREENSIZE; 1600 by
// 800 unless the host that shows the drawing sets its own), the files that must not be written over, and
// the command line.
//
// The command line: SendCommand only queues its text here. The host runs the queue when the automation
// call that queued it has returned (RunQueuedCommands), in the order sent, each text in the document it
// was sent to, as AutoCAD runs command text after the add-in hands control back. Each text gives one
// report: what ran (alerts with the answer given, undo steps taken back, plots), or why it was refused
// (command_text.h). PLOT prints through the host's window (host_window.h); without one it is accepted and
// reported, and prints nothing. Before the queue runs, and after each text, the documents tell their
// observers what changed.
//
// Fonts: the host knows of no font file but what the add-in's font table says. A font that draws right to
// left (a text of it runs from its start towards -x, text_geometry.h) is one the function given to
// SetRightToLeftFonts names; without one every font draws left to right.
//
// The window: a host that shows the drawings (the workbench) gives the application its window; the view
// it shows then stands for the view of the active space (VIEWCTR, VIEWSIZE, ZoomCenter), and Update has
// the documents tell their observers what changed, so that the window shows the drawing as it now is.
#pragma once

#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "acad/application.h"
#include "drawing/standin/command_text.h"

namespace zil::standin {

class HostWindow;
class InputSource;
class StandInDocument;

struct ScreenSize {
  int width = 1600;
  int height = 800;
};

class StandInApplication final : public acad::Application, public std::enable_shared_from_this<StandInApplication> {
 public:
  static std::shared_ptr<StandInApplication> Create();
  ~StandInApplication() override;

  // acad::Application
  std::shared_ptr<acad::Document> ActiveDocument() override;
  std::shared_ptr<acad::Documents> Documents() override;
  // Centres the active document's view on `center`, `magnification` drawing units high.
  void ZoomCenter(const acad::Point& center, double magnification) override;
  // Every open document tells its observers what changed (see above).
  void Update() override;

  // Opens a DXF file (or activates the document that has it open) and makes it the active document.
  // Throws acad::Error when the file cannot be read.
  std::shared_ptr<StandInDocument> OpenDrawing(const std::filesystem::path& file);
  // Closes a document (without saving it); the last one opened of the others becomes active.
  void CloseDrawing(const std::shared_ptr<StandInDocument>& document);
  // The active document, nullptr when none is open.
  std::shared_ptr<StandInDocument> Active() const;
  const std::vector<std::shared_ptr<StandInDocument>>& OpenDocuments() const noexcept { return documents_; }

  // Files no document may write (Save, SaveAs): a drawing opened for reading only.
  void ProtectFile(const std::filesystem::path& file);
  bool IsProtected(const std::filesystem::path& file) const;

  // The input source; it must outlive its use. Input() throws acad::Error when none is set.
  void SetInputSource(InputSource* input) noexcept { input_ = input; }
  InputSource& Input() const;

  void SetScreenSize(ScreenSize size) noexcept { screen_ = size; }
  ScreenSize Screen() const noexcept { return screen_; }

  // The host's window (see above); it must outlive its use. nullptr: none.
  void SetWindow(HostWindow* window) noexcept { window_ = window; }
  HostWindow* Window() const noexcept { return window_; }

  // The fonts that draw right to left, by font file name (see above).
  using FontDirection = std::function<bool(std::u16string_view fontFile)>;
  void SetRightToLeftFonts(FontDirection rightToLeft) {
    rightToLeft_ = std::move(rightToLeft);
    ++fontDirections_;
  }
  bool DrawsRightToLeft(std::u16string_view fontFile) const { return rightToLeft_ && rightToLeft_(fontFile); }
  bool KnowsFontDirections() const noexcept { return static_cast<bool>(rightToLeft_); }
  // Changes with every SetRightToLeftFonts: what was worked out from the fonts' directions holds while it
  // stays the same.
  std::uint64_t FontDirections() const noexcept { return fontDirections_; }

  // The command line (see above).
  void QueueCommand(const std::shared_ptr<StandInDocument>& document, std::u16string text);
  bool HasQueuedCommands() const noexcept { return !queue_.empty(); }
  std::vector<CommandReport> RunQueuedCommands();

 private:
  StandInApplication() = default;
  CommandReport Run(const std::weak_ptr<StandInDocument>& document, const std::u16string& text);

  std::vector<std::shared_ptr<StandInDocument>> documents_;
  std::shared_ptr<StandInDocument> active_;
  std::vector<std::filesystem::path> protected_;
  InputSource* input_ = nullptr;
  HostWindow* window_ = nullptr;
  ScreenSize screen_;
  FontDirection rightToLeft_;
  std::uint64_t fontDirections_ = 0;
  std::deque<std::pair<std::weak_ptr<StandInDocument>, std::u16string>> queue_;
};

class StandInDocuments final : public acad::Documents {
 public:
  explicit StandInDocuments(std::shared_ptr<StandInApplication> application) : application_(std::move(application)) {}
  int Count() const override;
  std::shared_ptr<acad::Document> Open(const std::u16string& fileName) override;

 private:
  std::shared_ptr<StandInApplication> application_;
};

}  // namespace zil::standin
