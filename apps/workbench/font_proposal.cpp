#include "font_proposal.h"

#include <QStatusBar>
#include <QTimer>
#include <chrono>

#include "command_line.h"
#include "config/font_table.h"
#include "conversions/font_guess_walk.h"
#include "drawing/standin/document.h"
#include "textcore/utf8.h"
#include "workbench.h"

namespace zil::workbench {
namespace {

constexpr int kBusyRetryMs = 250;  // a command is running: the fonts are looked at after it
constexpr int kListsPollMs = 50;   // the word lists are still being read

QString Utf8(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

std::filesystem::path Canonical(const std::filesystem::path& file) {
  std::error_code ec;
  const std::filesystem::path canonical = std::filesystem::weakly_canonical(file, ec);
  return ec ? file : canonical;
}

bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code ec;
  return std::filesystem::equivalent(a, b, ec) || Canonical(a) == Canonical(b);
}

std::u16string Count(std::size_t n, const char16_t* one, const char16_t* many) {
  return textcore::FromUtf8(std::to_string(n)) + u" " + (n == 1 ? one : many);
}

}  // namespace

FontProposal::FontProposal(Workbench& workbench) : wb_(workbench) {
  connect(&wb_.View(), &DrawingView::painted, this, [this] {
    if (!waitingForPaint_) return;
    waitingForPaint_ = false;
    Later(0);
  });
}

FontProposal::~FontProposal() = default;

void FontProposal::Opened() {
  pending_ = wb_.Document();
  waitingForPaint_ = true;
  ++opened_;  // a check still waiting for an earlier drawing ends
}

void FontProposal::Later(int milliseconds) {
  QTimer::singleShot(milliseconds, this, [this, opened = opened_] {
    if (opened == opened_) Check();
  });
}

void FontProposal::Check() {
  const std::shared_ptr<standin::StandInDocument> doc = pending_.lock();
  if (!doc || doc != wb_.Document()) return;  // closed or replaced meanwhile
  if (wb_.Busy()) {
    Later(kBusyRetryMs);
    return;
  }
  const std::filesystem::path drawing = Canonical(doc->File());
  if (asked_.contains(drawing)) {
    pending_.reset();
    emit checked();
    return;
  }
  // Read once, in the background, from the first drawing on (after its first paint, so that they take
  // nothing from opening and showing it).
  if (!lists_) {
    lists_ = std::async(std::launch::async, [folders = config::WordListFolders(wb_.AddIn().frmFonts().DataFolder())] {
               return config::LoadWordLists(folders);
             }).share();
  }
  if (lists_->wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
    wb_.statusBar()->showMessage(QStringLiteral("Reading the word lists..."));
    Later(kListsPollMs);
    return;
  }
  pending_.reset();
  wb_.statusBar()->clearMessage();
  const config::WordLists& lists = lists_->get();
  if (!lists.problems.empty()) {
    if (!listsReported_) {
      std::string why;
      for (const std::string& problem : lists.problems) why += (why.empty() ? "" : "; ") + problem;
      wb_.Line().Message(QStringLiteral("The fonts the font table lacks are not told from the texts: ") + Utf8(why) +
                         QStringLiteral(" (scripts/bootstrap words installs both word lists)."));
      listsReported_ = true;
    }
    emit checked();
    return;
  }

  const QString name = QString::fromStdU16String(doc->Name());
  QStatusBar& status = *wb_.statusBar();
  int shownPercent = -1;
  conversions::DrawingFontGuess guessed;
  try {
    guessed = conversions::GuessDrawingFonts(*doc, lists, [&](std::size_t done, std::size_t total) {
      const int percent = total == 0 ? 100 : static_cast<int>(done * 100 / total);
      if (percent == shownPercent) return;
      shownPercent = percent;
      status.showMessage(QStringLiteral("Reading the fonts of %1: %2%").arg(name).arg(percent));
      status.repaint();  // the guess runs on this thread: the status bar is painted now
    });
  } catch (const std::exception& e) {
    status.clearMessage();
    wb_.Line().Error(QStringLiteral("The fonts of ") + name + QStringLiteral(" could not be read: ") + Utf8(e.what()));
    emit checked();
    return;
  }
  status.clearMessage();
  config::FontTable& table = wb_.AddIn().frmFonts().table;
  const std::vector<config::GuessBesideTable> rows =
      config::SureNewRows(config::CompareWithTable(guessed.fonts, table.fontmaps));
  if (!rows.empty()) {
    asked_.insert(drawing);
    Offer(*doc, rows);
  }
  emit checked();
}

void FontProposal::Offer(const standin::StandInDocument& drawing, const std::vector<config::GuessBesideTable>& rows) {
  config::FontDefinitions& fonts = wb_.AddIn().frmFonts();
  const std::filesystem::path file = fonts.DataFolder() / config::kFontDefinitionFileName;
  std::u16string text = drawing.Name() + u" has fonts that the font table does not list. Read from their texts:\n";
  for (const config::GuessBesideTable& row : rows) {
    const config::ReadingEvidence& words = row.guess.evidence.Of(row.guess.reading);
    text += u"\n" + row.guess.font + u": " + *row.word + u" (" + Count(row.guess.evidence.texts, u"text", u"texts") +
            u", " + textcore::FromUtf8(std::to_string(words.hebrewKnown)) + u" of " +
            Count(words.hebrewWords, u"Hebrew word", u"Hebrew words") + u" known)";
  }
  text += u"\n\nAdd them to the font table, " + textcore::FromUtf8(file.filename().string()) + u" in the data folder?";
  platform::Messages& messages = wb_.Services().messages;
  if (messages.Choose(u"Font table", text, platform::MessageIcon::Question, {u"Add to font table", u"Not now"}) != 0)
    return;

  config::TableAdditions additions;
  try {
    config::FontTable written;
    written.Load(file);
    additions = config::AddMissingFonts(written, rows);
  } catch (const std::exception& e) {
    const std::string why = std::string("The fonts were not added to the font table: ") + e.what();
    wb_.Line().Error(Utf8(why));
    messages.Show(u"Font table", textcore::FromUtf8(why), platform::MessageIcon::Error, platform::MessageButtons::Ok);
    asked_.erase(Canonical(drawing.File()));  // opened again, the drawing asks again
    return;
  }
  wb_.Line().Message(Utf8(config::DescribeAdditions(additions, file)));
  if (additions.added.empty()) return;
  if (!SameFile(fonts.table.fontfile, file)) {
    wb_.Line().Message(QStringLiteral("The font table in use is ") + Utf8(fonts.table.fontfile.string()) +
                       QStringLiteral(": the drawing shows as before until that table is loaded (FONTS)."));
    return;
  }
  try {
    fonts.table.LoadDefinitionFile(file);  // its rows anew; the symbol fonts stay as they are
  } catch (const std::exception& e) {
    wb_.Line().Error(QStringLiteral("The font table could not be read again: ") + Utf8(e.what()));
    return;
  }
  wb_.RebuildScene();
}

}  // namespace zil::workbench
