#include "font_guess_command.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <future>
#include <ostream>

#include "config/data_folder.h"
#include "config/font_guess_table.h"
#include "config/font_table.h"
#include "config/word_lists.h"
#include "conversions/font_guess_walk.h"
#include "drawing/standin/application.h"
#include "drawing/standin/document.h"
#include "platform/special_folders.h"
#include "progress_bar.h"
#include "textcore/utf8.h"

namespace zil::cli {
namespace {

namespace fs = std::filesystem;
using textcore::ToUtf8;

std::string Proposal(const config::FontGuess& g) {
  return g.type ? std::string(FontTypeName(*g.type)) : std::string("not Hebrew");
}

std::string Confidence(const config::FontGuess& g) {
  return std::string(g.sure ? "sure " : "unsure ") + std::to_string(static_cast<int>(std::floor(g.confidence * 100))) +
         "%";
}

std::string Today(const config::GuessBesideTable& c) {
  std::string why = "not in the table";
  if (c.now.decidedByTable) why = "the table";
  if (c.listed && !c.now.decidedByTable) why = "the table's word is not a type";
  if (c.now.decidedByName) why = c.now.type == TrueType ? "a .ttf font" : "a VELTRO font";
  if (c.now.emptyFileName) why = "no font file";
  return std::string(FontTypeName(c.now.type)) + " (" + why + ")";
}

std::string Evidence(const config::FontEvidence& e) {
  std::string s = std::to_string(e.texts) + (e.texts == 1 ? " text" : " texts");
  std::string hebrew;
  for (const config::Reading r : config::kReadings) {
    const config::ReadingEvidence& x = e.Of(r);
    if (r == config::Reading::Latin || x.hebrewWords == 0) continue;
    hebrew += (hebrew.empty() ? "" : ", ") + std::string(config::ReadingName(r)) + " " + std::to_string(x.hebrewKnown) +
              "/" + std::to_string(x.hebrewWords);
  }
  s += hebrew.empty() ? "; no Hebrew word in any reading" : "; Hebrew words known as " + hebrew;
  const config::ReadingEvidence& latin = e.Of(config::Reading::Latin);
  if (latin.latinWords > 0)
    s += "; as Latin, English words known " + std::to_string(latin.latinKnown) + "/" + std::to_string(latin.latinWords);
  return s;
}

std::string Padded(std::string s, std::size_t width) {
  s.resize(std::max(s.size(), width), ' ');
  return s;
}

void PrintTable(const std::vector<config::GuessBesideTable>& compared, std::ostream& out) {
  std::size_t width = 4;
  for (const auto& c : compared) width = std::max(width, ToUtf8(c.guess.font).size());
  out << Padded("font", width) << "  " << Padded("proposed", 11) << "  " << Padded("confidence", 11) << "  "
      << "font table now\n";
  for (const auto& c : compared) {
    out << Padded(ToUtf8(c.guess.font), width) << "  " << Padded(Proposal(c.guess), 11) << "  "
        << Padded(Confidence(c.guess), 11) << "  " << (c.disagrees ? Padded(Today(c), 36) + "  DIFFERS" : Today(c))
        << '\n';
    out << "  " << Evidence(c.guess.evidence) << '\n';
  }
}

void PrintProposedRows(const std::vector<config::GuessBesideTable>& compared, const fs::path& tableFile, bool write,
                       std::ostream& out) {
  std::string rows, unsure;
  for (const auto& c : compared) {
    if (!c.ProposesNewRow()) continue;
    (c.guess.sure ? rows : unsure) += "  " + ToUtf8(c.key) + "=" + ToUtf8(*c.word) + "\n";
  }
  if (rows.empty() && unsure.empty()) {
    out << "The font table (" << tableFile.string() << ") lacks no Hebrew font of this drawing.\n";
    return;
  }
  if (!rows.empty())
    out << "Rows the font table (" << tableFile.string() << ") lacks:\n"
        << rows << (write ? "" : "Run again with --write to add them.\n");
  if (!unsure.empty())
    out << "Unsure, so not added by --write (add them yourself if the evidence says so):\n" << unsure;
}

}  // namespace

std::shared_ptr<FontGuessOptions> AddFontGuessOptions(CLI::App& fonts) {
  auto options = std::make_shared<FontGuessOptions>();
  CLI::Option* guess =
      fonts.add_flag("--guess", options->guess,
                     "tell each font's Hebrew encoding from the drawing's texts and show it beside the font table");
  fonts.add_flag("--write", options->write, "with --guess: add the sure guesses the font table lacks to HebFonts.txt")
      ->needs(guess);
  return options;
}

int RunFontGuess(const std::string& file, const FontGuessOptions& options, CommandLine& cl) {
  try {
    const platform::XdgSpecialFolders folders;
    const fs::path dataFolder = config::ChooseDataFolder(folders);
    config::FontTable table;
    table.Load(dataFolder / config::kFontDefinitionFileName);

    // The word lists are read while the drawing is.
    auto loading = std::async(
        std::launch::async, [folders = config::WordListFolders(dataFolder)] { return config::LoadWordLists(folders); });
    const auto application = standin::StandInApplication::Create();
    application->ProtectFile(file);
    const auto doc = application->OpenDrawing(file);
    config::WordLists lists = loading.get();
    for (const std::string& problem : lists.problems)
      cl.err << "zil: warning: " << problem << "; the guesses are less sure without it\n";
    conversions::DrawingFontGuess guessed;
    {
      ProgressBar bar(stderr, fs::path(file).filename().string());
      guessed = conversions::GuessDrawingFonts(
          *doc, std::move(lists), [&bar](std::size_t done, std::size_t total) { bar.Update(done, total); });
    }
    if (guessed.walk.failed > 0)
      cl.err << "zil: warning: " << guessed.walk.failed
             << " entities could not be read (first: " << guessed.walk.firstFailure << ")\n";

    const auto compared = config::CompareWithTable(guessed.fonts, table.fontmaps);
    PrintTable(compared, cl.out);
    if (guessed.withoutFont > 0)
      cl.out << guessed.withoutFont << " texts use a style without a font file (a TrueType typeface) or a style the "
             << "drawing lacks; they are not counted above.\n";
    PrintProposedRows(compared, table.fontfile, options.write, cl.out);
    if (!options.write) return 0;

    const config::TableAdditions additions = config::AddMissingFonts(table, compared);
    for (const auto& [key, why] : additions.notAdded) cl.out << "Not added: " << ToUtf8(key) << " (" << why << ")\n";
    cl.out << config::DescribeAdditions(additions, table.fontfile) << '\n';
    return 0;
  } catch (const std::exception& e) {
    cl.err << "zil: " << file << ": " << e.what() << '\n';
    return 1;
  }
}

}  // namespace zil::cli
