// The fonts of an opened drawing that the font table lacks, told from the drawing's own texts.
//
// Once a drawing opened in the workbench has been painted, the texts of each of its fonts are read (the
// status bar shows how far) and the classifier proposes a type for each font. When it is sure of a type
// for fonts the add-in's font table does not list, one message lists them with "Add to font table" and
// "Not now". Adding writes the rows to the data folder's "HebFonts.txt" (no line the user wrote changes),
// reads the add-in's table from it again and draws the drawing anew with the new types; the command line
// says what was added. A write that fails is shown as an error and changes nothing. "Not now" changes
// nothing, and the same drawing is not asked about again while the workbench runs.
//
// The word lists are read once, in a background thread started after the first drawing was painted;
// the workbench stays usable meanwhile. Without them nothing is asked; the command line says once what
// to install.
#pragma once

#include <QObject>
#include <filesystem>
#include <future>
#include <memory>
#include <optional>
#include <set>
#include <vector>

#include "config/font_guess_table.h"
#include "config/word_lists.h"

namespace zil::standin {
class StandInDocument;
}

namespace zil::workbench {

class Workbench;

class FontProposal final : public QObject {
  Q_OBJECT

 public:
  explicit FontProposal(Workbench& workbench);
  ~FontProposal() override;

  // A drawing was opened: its fonts are looked at once the view has painted it.
  void Opened();
  // Looks at the open drawing's fonts now (again later while a command runs or the word lists are read).
  void Check();

 signals:
  // The fonts of the open drawing were looked at, whatever came of it.
  void checked();

 private:
  // Check after `milliseconds`, unless another drawing has been opened meanwhile.
  void Later(int milliseconds);
  // Asks about the sure rows the table lacks and adds them when the user says so.
  void Offer(const standin::StandInDocument& drawing, const std::vector<config::GuessBesideTable>& rows);

  Workbench& wb_;
  std::weak_ptr<standin::StandInDocument> pending_;  // opened, to be looked at after its first paint
  bool waitingForPaint_ = false;
  unsigned opened_ = 0;                    // drawings opened so far
  std::set<std::filesystem::path> asked_;  // drawings asked about in this session
  std::optional<std::shared_future<config::WordLists>> lists_;
  bool listsReported_ = false;
};

}  // namespace zil::workbench
