// The drawing conversions in batch, the main job on Linux:
//   zil revit FILE... [--suffix _Revit] [--reverse-ttf | --exact] [--report REPORT.json] [--preview] [--force]
//   zil fonts FILE
//   zil font-convert FILE --fonts F[,F...] --target-style STYLE [--right-to-left] -o OUT
//   zil font-remap FILE --fonts F[,F...] --map dos-hebrew|dos-english|windows|none [--reverse] -o OUT
// Each opens the drawing in the stand-in host and runs the add-in's own conversion flow on it, with the
// font table of the data folder (ZIL_DATA_FOLDER; without one, a warning says that every font counts as
// DosHebrew). The drawing named on the command line is never written (unless -o names it); the user's
// settings file is left alone. What the flows show goes to standard error; an action the flow refuses
// is a usage error (exit code 2) and writes nothing. Exit code 1 when a drawing could not be converted
// or any text failed.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <vector>

#include "acad/host_state.h"
#include "batch_messages.h"
#include "command_line.h"
#include "config/font_classification.h"
#include "config/font_definitions.h"
#include "config/font_name.h"
#include "config/font_table.h"
#include "conversions/font_conversion.h"
#include "conversions/revit_conversion.h"
#include "drawing/dxf_file.h"
#include "drawing/standin/application.h"
#include "drawing/standin/document.h"
#include "drawing/standin/font_directions.h"
#include "font_guess_command.h"
#include "font_table_notice.h"
#include "platform/atomic_file.h"
#include "portable_services.h"
#include "progress_bar.h"
#include "textcore/utf8.h"
#if ZIL_WITH_QT
#include "gui_module.h"
#endif

namespace zil::cli {
namespace {

namespace fs = std::filesystem;
using textcore::FromUtf8;
using textcore::ToUtf8;

// The add-in's services, font definitions and host state for one drawing, without a module around them:
// the font table comes from the data folder, and nothing is written back to the settings file.
class Session {
 public:
  explicit Session(std::ostream& err) : messages(err), fonts(services.With(messages)) {}

  // Opens the drawing; `protect`: it must not be written.
  void Open(const fs::path& file, bool protect) {
    messages.subject = file.string();
    application = standin::StandInApplication::Create();
    application->SetRightToLeftFonts(standin::RightToLeftFontsOf(fonts));
    // The batch saves what it converted and keeps no undo steps: none could be taken back.
    application->OpenDrawing(file)->Undo().KeepHistory(false);
    if (protect) application->ProtectFile(file);
    host.AcadApp = application;
    host.RefreshHost(services.keyboard);
  }

  PortableServices services;
  BatchMessages messages;
  config::FontDefinitions fonts;
  acad::HostState host;
  std::shared_ptr<standin::StandInApplication> application;
};

std::string Summary(const conversions::WalkReport& r) {
  std::string s = std::to_string(r.converted) + " converted, " + std::to_string(r.leftAlone) + " left alone, " +
                  std::to_string(r.failed) + " failed";
  if (r.failed > 0) s += " (first: " + r.firstFailure + ")";
  return s;
}

nlohmann::json ReportJson(const conversions::WalkReport& r) {
  return {
      {"converted", r.converted}, {"leftAlone", r.leftAlone}, {"failed", r.failed}, {"firstFailure", r.firstFailure}};
}

std::vector<std::string> SplitList(const std::string& list) {
  std::vector<std::string> items;
  std::size_t start = 0;
  while (start <= list.size()) {
    const auto comma = list.find(',', start);
    const std::string item = list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    if (!item.empty()) items.push_back(item);
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return items;
}

// "FILE: WHAT", unless the message names the file already (the drawing's own errors do).
std::string AboutFile(const std::string& file, const std::string& what) {
  if (what.starts_with(file + ": ") || what.starts_with(file + " line ")) return what;
  return file + ": " + what;
}

bool SameFile(const fs::path& a, const fs::path& b) {
  std::error_code error;
  if (fs::equivalent(a, b, error)) return true;
  return fs::weakly_canonical(a, error) == fs::weakly_canonical(b, error);
}

// --- zil revit ---------------------------------------------------------------------------------------

struct RevitOptions {
  std::vector<std::string> files;
  std::string suffix = "_Revit";
  bool reverseTTF = false;
  bool exact = false;
  std::optional<std::string> report;
  bool preview = false;
  bool force = false;
};

// One drawing of a run and what it writes.
struct RevitJob {
  std::string file;
  fs::path copy;
  fs::path before, after, both;  // the previews
};

RevitJob JobOf(const std::string& file, const std::string& suffix) {
  const fs::path source(file);
  const fs::path folder = source.parent_path();
  const std::string name = source.stem().string();
  return {file, folder / (name + suffix + ".dxf"), folder / (name + "_before.png"), folder / (name + "_after.png"),
          folder / (name + "_before_after.png")};
}

void WritePreview(const fs::path& source, const RevitJob& job, config::FontDefinitions& fonts, CommandLine& cl) {
#if ZIL_WITH_QT
  const auto before = drawing::LoadDxfFile(source.string());
  const auto after = drawing::LoadDxfFile(job.copy.string());
  GuiOf(cl).RenderBeforeAndAfterPng(*before, *after, fonts, preview::RenderOptions{}, job.before, job.after, job.both);
  cl.out << "  preview: " << job.before.string() << ", " << job.after.string() << ", side by side " << job.both.string()
         << '\n';
#else
  (void)source, (void)job, (void)fonts, (void)cl;
  throw std::runtime_error("previews are not available in this build of zil (built without Qt)");
#endif
}

// The drawings of the run, each with what it writes, once every output is known to be writable: nothing is
// written before. A drawing whose name ends with the suffix is the copy an earlier run made, and is
// skipped. Problems are written to `err`; then the exit code, else nothing.
std::optional<int> PlanRevit(const RevitOptions& opts, std::vector<RevitJob>& jobs, std::ostream& err) {
  std::vector<std::string> refused, unwritable;
  const auto check = [&](const fs::path& output) {
    for (const RevitJob& earlier : jobs)
      if (SameFile(earlier.copy, output)) return refused.push_back(output.string() + " is written twice by this run");
    std::error_code ec;
    if (!opts.force && fs::exists(output, ec))
      return refused.push_back(output.string() + " exists already; give --force to replace it");
    try {
      platform::CheckWritable(output);
    } catch (const platform::WriteError& e) {
      unwritable.push_back(e.what());
    }
  };
  for (const std::string& file : opts.files) {
    const RevitJob job = JobOf(file, opts.suffix);
    if (!opts.suffix.empty() && fs::path(file).stem().string().ends_with(opts.suffix)) {
      err << "zil: " << file << ": skipped: its name ends with the suffix " << opts.suffix
          << ", as the copies zil revit makes do\n";
      continue;
    }
    if (SameFile(file, job.copy)) {
      refused.push_back(file + ": the copy would replace the drawing; give a --suffix that is not empty");
      continue;
    }
    check(job.copy);
    if (opts.preview)
      for (const fs::path& png : {job.before, job.after, job.both}) check(png);
    jobs.push_back(job);
  }
  if (opts.report) {
    try {
      platform::CheckWritable(*opts.report);
    } catch (const platform::WriteError& e) {
      unwritable.push_back("the report: " + std::string(e.what()));
    }
  }
  if (jobs.empty() && refused.empty())
    refused.push_back("nothing to convert: every drawing given is a copy zil revit made (its name ends with " +
                      opts.suffix + ")");
  for (const std::string& problem : refused) err << "zil: " << problem << '\n';
  for (const std::string& problem : unwritable) err << "zil: " << problem << '\n';
  if (refused.empty() && unwritable.empty()) return std::nullopt;
  err << "zil: nothing was converted\n";
  return refused.empty() ? 1 : kExitUsage;
}

int RunRevit(const RevitOptions& opts, CommandLine& cl) {
  WarnWithoutFontTable(platform::XdgSpecialFolders{}, cl.err);
  std::vector<RevitJob> jobs;
  if (const auto refused = PlanRevit(opts, jobs, cl.err)) return *refused;
  nlohmann::json reports = nlohmann::json::array();
  int exitCode = 0;
  for (const RevitJob& job : jobs) {
    const fs::path source(job.file);
    nlohmann::json entry = {{"source", job.file}};
    std::optional<Session> session;
    try {
      session.emplace(cl.err);
      session->Open(source, true);
      session->fonts.inistr.reverseTTF = opts.reverseTTF;
      conversions::RevitConversion flow(session->host, session->fonts, session->messages);
      flow.Activate();
      if (opts.exact) flow.strings = conversions::RevitStrings::ExactOrder;
      flow.targetFile = FromUtf8(job.copy.string());
      conversions::WalkReport report;
      {
        ProgressBar bar(stderr, source.filename().string());
        report = flow.SaveAsAndConvert([&bar](std::size_t done, std::size_t total) { bar.Update(done, total); });
      }
      cl.out << job.file << " -> " << job.copy.string() << ": " << Summary(report) << '\n';
      entry["copy"] = job.copy.string();
      entry.update(ReportJson(report));
      if (report.failed > 0) exitCode = 1;
    } catch (const std::exception& e) {
      // A drawing that fails leaves no copy: the copy is saved before it is converted.
      std::error_code ignored;
      fs::remove(job.copy, ignored);
      cl.err << "zil: " << AboutFile(job.file, e.what()) << "; no copy was made\n";
      entry["error"] = e.what();
      exitCode = 1;
      reports.push_back(std::move(entry));
      continue;
    }
    if (opts.preview) {
      try {
        WritePreview(source, job, session->fonts, cl);
      } catch (const std::exception& e) {
        cl.err << "zil: " << AboutFile(job.file, std::string("the preview: ") + e.what()) << '\n';
        entry["previewError"] = e.what();
        exitCode = 1;
      }
    }
    reports.push_back(std::move(entry));
  }
  if (opts.report) {
    try {
      platform::WriteFileAtomically(*opts.report, reports.dump(2) + "\n");
    } catch (const std::exception& e) {
      cl.err << "zil: the report: " << e.what() << '\n';
      exitCode = 1;
    }
  }
  return exitCode;
}

void AddRevitCommand(CommandLine& cl) {
  auto opts = std::make_shared<RevitOptions>();
  CLI::App* cmd = cl.app.add_subcommand(
      "revit", "convert drawings for Revit: each is saved as a copy whose texts use the TrueType style ARIALREVIT");
  cmd->add_option("files", opts->files, "the drawings (ASCII DXF); none of them is changed")->required();
  cmd->add_option("--suffix", opts->suffix,
                  "the copy is NAME + suffix + .dxf beside the drawing; drawings whose name ends with it are skipped")
      ->capture_default_str();
  CLI::Option* reverse =
      cmd->add_flag("--reverse-ttf", opts->reverseTTF, "reverse the converted TrueType text (the ReverseTTF setting)");
  cmd->add_flag("--exact", opts->exact,
                "write each text so that it shows the same characters in the same order as before, with the marks "
                "LRM and RLM where needed")
      ->excludes(reverse);
  cmd->add_option("--report", opts->report, "write the summary of every drawing to this file as JSON");
  cmd->add_flag("--preview", opts->preview,
                "also write NAME_before.png, NAME_after.png and NAME_before_after.png beside the copy");
  cmd->add_flag("--force", opts->force, "replace copies and previews that exist already");
  cmd->callback([&cl, opts] { cl.action = [&cl, opts] { return RunRevit(*opts, cl); }; });
}

// --- zil fonts ---------------------------------------------------------------------------------------

// What the font table says of a font: nothing to add when a row of it (or its name) decides its type.
std::string TableNote(const std::u16string& font, const config::FontTable& table) {
  const config::FontClassification c = config::ClassifyFont(font, table.fontmaps);
  if (c.decidedByTable || c.decidedByName || c.emptyFileName) return {};
  const auto row = table.FindRow(config::WithoutExtension(config::FileNamePart(font)));
  if (!row) return " (not in the font table)";
  return " (the font table's \"" + ToUtf8(table.fontmaps[*row].value) + "\" is no font type)";
}

int RunFonts(const std::string& file, CommandLine& cl) {
  WarnWithoutFontTable(platform::XdgSpecialFolders{}, cl.err);
  try {
    Session session(cl.err);
    session.Open(file, true);
    std::vector<std::u16string> fontList;
    const conversions::StyleTable table = conversions::LoadStyleTable(*session.host.AcadDoc, session.fonts, fontList);
    cl.out << "font\tfont type\ttext styles\n";
    for (std::size_t i = 0; i < fontList.size(); ++i) {
      std::string styles;
      fntType type = DosHebrew;
      for (const conversions::TstyleRec& r : table.astyles) {
        if (r.fntIdx != static_cast<std::int32_t>(i)) continue;
        styles += (styles.empty() ? "" : ", ") + ToUtf8(r.stName);
        type = r.StType;
      }
      cl.out << ToUtf8(fontList[i]) << '\t' << static_cast<int>(type) << ' ' << FontTypeName(type)
             << TableNote(fontList[i], session.fonts.table) << '\t' << styles << '\n';
    }
    return 0;
  } catch (const std::exception& e) {
    cl.err << "zil: " << AboutFile(file, e.what()) << '\n';
    return 1;
  }
}

void AddFontsCommand(CommandLine& cl) {
  auto file = std::make_shared<std::string>();
  CLI::App* cmd = cl.app.add_subcommand(
      "fonts", "the fonts of a drawing's text styles: font, type (by the data folder's font table), text styles");
  cmd->add_option("file", *file, "the drawing (ASCII DXF)")->required();
  const auto guess = AddFontGuessOptions(*cmd);
  cmd->callback([&cl, file, guess] {
    cl.action = [&cl, file, guess] { return guess->guess ? RunFontGuess(*file, *guess, cl) : RunFonts(*file, cl); };
  });
}

// --- zil font-convert, zil font-remap ----------------------------------------------------------------

struct FontActionOptions {
  std::string file;
  std::string fonts;
  std::string targetStyle;
  bool rightToLeft = false;
  std::string map = "none";
  bool reverse = false;
  std::string out;
};

// The mapping a --map word names: the mapping choices, and the font type names of the command line.
conversions::Mapping MappingOf(const std::string& word) {
  if (word == "dos-hebrew") return conversions::Mapping::DosHebrew;
  if (word == "english" || word == "dos-english") return conversions::Mapping::English7Bit;
  if (word == "windows") return conversions::Mapping::Windows;
  return conversions::Mapping::None;
}

int RunFontAction(const FontActionOptions& opts, bool remap, CommandLine& cl) {
  WarnWithoutFontTable(platform::XdgSpecialFolders{}, cl.err);
  try {
    if (remap && MappingOf(opts.map) == conversions::Mapping::None && !opts.reverse)
      throw std::invalid_argument("nothing to do: give a --map other than none, or --reverse");
    Session session(cl.err);
    session.Open(opts.file, !SameFile(opts.file, opts.out));
    conversions::FontConversion flow(session.host, session.fonts, session.messages);
    flow.LoadStyleTable();
    for (const std::string& font : SplitList(opts.fonts)) {
      if (flow.Check(FromUtf8(font))) continue;
      std::string known;
      for (const std::u16string& f : flow.Fonts()) known += (known.empty() ? "" : ", ") + ToUtf8(f);
      throw std::invalid_argument("the drawing's styles use no font " + font + " (its fonts: " + known + ")");
    }
    if (!remap) {
      const auto names = flow.StyleNames();
      const auto it = std::find_if(names.begin(), names.end(), [&](const std::u16string& n) {
        return conversions::StyleKey(n) == conversions::StyleKey(FromUtf8(opts.targetStyle));
      });
      if (it == names.end()) throw std::invalid_argument("the drawing has no text style " + opts.targetStyle);
      flow.targetStyle = *it;
      flow.rightToLeft = opts.rightToLeft;
    } else {
      flow.reverse = opts.reverse;
      flow.mapping = MappingOf(opts.map);
    }
    // The flow's own refusal ("Fonts to convert not checked.", ...): nothing is written.
    if (const auto refusal = flow.Refusal(remap)) throw std::invalid_argument(opts.file + ": " + ToUtf8(*refusal));
    conversions::WalkReport report;
    {
      ProgressBar bar(stderr, fs::path(opts.file).filename().string());
      const conversions::Progress progress = [&bar](std::size_t done, std::size_t total) { bar.Update(done, total); };
      report = remap ? flow.Remap(progress) : flow.Convert(progress);
    }
    session.host.AcadApp->ActiveDocument()->SaveAs(FromUtf8(opts.out));
    cl.out << opts.file << " -> " << opts.out << ": " << Summary(report) << '\n';
    return report.failed > 0 ? 1 : 0;
  } catch (const std::invalid_argument& e) {
    cl.err << "zil: " << e.what() << '\n';
    return kExitUsage;
  } catch (const std::exception& e) {
    cl.err << "zil: " << AboutFile(opts.file, e.what()) << '\n';
    return 1;
  }
}

void AddFontActionCommand(CommandLine& cl, bool remap) {
  auto opts = std::make_shared<FontActionOptions>();
  CLI::App* cmd =
      remap
          ? cl.app.add_subcommand("font-remap", "map the letters of the texts of some fonts to another font mapping")
          : cl.app.add_subcommand("font-convert", "convert the texts of some fonts for the font of another text style");
  cmd->add_option("file", opts->file, "the drawing (ASCII DXF)")->required();
  cmd->add_option("--fonts", opts->fonts,
                  "the fonts whose texts change, comma-separated (see zil fonts), with or without folder and "
                  "extension, in any case")
      ->required();
  if (remap) {
    cmd->add_option("--map", opts->map, "the mapping the letters take (english and dos-english are one)")
        ->check(CLI::IsMember({"dos-hebrew", "english", "dos-english", "windows", "none"}))
        ->required();
    cmd->add_flag("--reverse", opts->reverse, "also reverse the strings");
  } else {
    cmd->add_option("--target-style", opts->targetStyle, "the text style the texts get")->required();
    cmd->add_flag("--right-to-left", opts->rightToLeft,
                  "keep a TrueType target's text in right-to-left order (\"Change Right to Left order\")");
  }
  cmd->add_option("-o,--output", opts->out, "the converted drawing")->required();
  cmd->callback([&cl, opts, remap] { cl.action = [&cl, opts, remap] { return RunFontAction(*opts, remap, cl); }; });
}

}  // namespace

void AddConversionCommands(CommandLine& cl) {
  AddRevitCommand(cl);
  AddFontsCommand(cl);
  AddFontActionCommand(cl, false);
  AddFontActionCommand(cl, true);
}

}  // namespace zil::cli
