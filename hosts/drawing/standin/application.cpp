#include "drawing/standin/application.h"

#include <cmath>
#include <system_error>

#include "acad/error.h"
#include "drawing/dxf_error.h"
#include "drawing/dxf_file.h"
#include "drawing/standin/document.h"
#include "drawing/standin/host_window.h"
#include "drawing/standin/input_source.h"
#include "drawing/standin/member_errors.h"
#include "textcore/utf8.h"

namespace zil::standin {
namespace {

std::filesystem::path Normal(const std::filesystem::path& file) {
  std::error_code error;
  const std::filesystem::path canonical = std::filesystem::weakly_canonical(file, error);
  return error ? std::filesystem::absolute(file) : canonical;
}

std::u16string RedoDetail(const UndoStack::UndoResult& result) {
  if (!result.undone) return u"nothing to redo";
  const std::u16string changes = textcore::FromUtf8(std::to_string(result.changes));
  return (result.wasGroup ? u"put back the undo group (" : u"put back the change (") + changes + u" record changes)";
}

std::u16string UndoDetail(const UndoStack::UndoResult& result, bool inGroup) {
  const std::u16string changes = textcore::FromUtf8(std::to_string(result.changes));
  if (!result.undone) {
    return inGroup ? u"nothing to undo inside the open undo group" : u"nothing to undo";
  }
  if (inGroup) return u"undid the last change inside the open undo group (" + changes + u" record changes)";
  return result.wasGroup ? u"undid the last undo group (" + changes + u" record changes)"
                         : u"undid the last change (" + changes + u" record changes)";
}

}  // namespace

std::shared_ptr<StandInApplication> StandInApplication::Create() {
  return std::shared_ptr<StandInApplication>(new StandInApplication());
}

StandInApplication::~StandInApplication() = default;

std::shared_ptr<acad::Document> StandInApplication::ActiveDocument() {
  if (!active_) throw acad::Error("ActiveDocument: no drawing is open");
  return active_;
}

std::shared_ptr<acad::Documents> StandInApplication::Documents() {
  return std::make_shared<StandInDocuments>(shared_from_this());
}

void StandInApplication::ZoomCenter(const acad::Point& center, double magnification) {
  if (!(magnification > 0) || !std::isfinite(magnification) || !std::isfinite(center.x) || !std::isfinite(center.y))
    throw acad::Error("ZoomCenter: the centre must be a point and the magnification (the view's height) above 0");
  if (!active_) throw acad::Error("ZoomCenter: no drawing is open");
  if (window_ && window_->ShowView(*active_, {center, magnification})) return;
  active_->SetView({center, magnification});
}

void StandInApplication::Update() {
  for (const auto& document : documents_) document->TellObservers();
}

std::shared_ptr<StandInDocument> StandInApplication::OpenDrawing(const std::filesystem::path& file) {
  const std::filesystem::path normal = Normal(file);
  for (const auto& document : documents_) {
    if (Normal(document->File()) == normal) {
      active_ = document;
      return document;
    }
  }
  std::unique_ptr<drawing::Drawing> drawing = AsAcadError([&] { return drawing::LoadDxfFile(file.string()); });
  auto document = std::make_shared<StandInDocument>(weak_from_this(), std::move(drawing), normal);
  documents_.push_back(document);
  active_ = document;
  return document;
}

void StandInApplication::CloseDrawing(const std::shared_ptr<StandInDocument>& document) {
  std::erase(documents_, document);
  if (active_ == document) active_ = documents_.empty() ? nullptr : documents_.back();
}

std::shared_ptr<StandInDocument> StandInApplication::Active() const { return active_; }

void StandInApplication::ProtectFile(const std::filesystem::path& file) { protected_.push_back(Normal(file)); }

bool StandInApplication::IsProtected(const std::filesystem::path& file) const {
  const std::filesystem::path normal = Normal(file);
  for (const auto& p : protected_)
    if (p == normal) return true;
  return false;
}

InputSource& StandInApplication::Input() const {
  if (input_ == nullptr) throw acad::Error("The stand-in host has no input source to answer the prompt");
  return *input_;
}

void StandInApplication::QueueCommand(const std::shared_ptr<StandInDocument>& document, std::u16string text) {
  queue_.emplace_back(document, std::move(text));
}

std::vector<CommandReport> StandInApplication::RunQueuedCommands() {
  std::vector<CommandReport> reports;
  if (queue_.empty()) return reports;
  // The automation call has returned: what it changed shows before its command text runs.
  for (const auto& document : documents_) document->TellObservers();
  while (!queue_.empty()) {
    auto [document, text] = std::move(queue_.front());
    queue_.pop_front();
    reports.push_back(Run(document, text));
    if (const auto open = document.lock()) open->TellObservers();
  }
  return reports;
}

CommandReport StandInApplication::Run(const std::weak_ptr<StandInDocument>& weak, const std::u16string& text) {
  CommandReport report;
  report.text = text;
  try {
    const std::vector<CommandAction> actions = ParseCommandText(text);
    const auto document = weak.lock();
    if (!document) throw acad::Error("The drawing the command was sent to is no longer open");
    for (const CommandAction& action : actions) {
      switch (action.kind) {
        case CommandAction::Kind::Alert:
          report.events.push_back({"alert", action.message, Input().Alert(action.message)});
          break;
        case CommandAction::Kind::Undo: {
          const bool inGroup = document->Undo().GroupOpen();
          report.events.push_back({"undo", UndoDetail(document->Undo().Undo(), inGroup), {}});
          break;
        }
        case CommandAction::Kind::Redo:
          report.events.push_back({"redo", RedoDetail(document->Undo().Redo()), {}});
          break;
        case CommandAction::Kind::Plot:
          report.events.push_back(
              {"plot",
               window_ ? window_->Plot(*document) : u"the stand-in host has no plotter: nothing was printed",
               {}});
          break;
      }
    }
  } catch (const std::exception& e) {
    report.error = e.what();
  }
  return report;
}

int StandInDocuments::Count() const { return static_cast<int>(application_->OpenDocuments().size()); }

std::shared_ptr<acad::Document> StandInDocuments::Open(const std::u16string& fileName) {
  return application_->OpenDrawing(std::filesystem::path(textcore::ToUtf8(fileName)));
}

}  // namespace zil::standin
