// The drawing conversions in batch, the main job on Linux:
//   zil revit FILE... [--suffix _Revit] [--reverse-ttf] [--report REPORT.json] [--preview]
//   zil fonts FILE
//   zil font-convert FILE --fonts F[,F...] --target-style STYLE [--right-to-left] -o OUT
//   zil font-remap FILE --fonts F[,F...] --map dos-hebrew|english|windows|none [--reverse] -o OUT
// Each opens the drawing in the stand-in host and runs the add-in's own conversion flow on it, with the
// font table of the data folder (ZIL_DATA_FOLDER). The drawing named on the command line is never written
// (unless -o names it); the user's settings file is left alone.
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
#include "config/data_folder.h"
#include "config/font_definitions.h"
#include "config/font_table.h"
#include "conversions/font_conversion.h"
#include "conversions/revit_conversion.h"
#include "drawing/dxf_file.h"
#include "drawing/standin/application.h"
#include "drawing/standin/document.h"
#include "font_guess_command.h"
#include "platform/atomic_file.h"
#include "platform/clipboard.h"
#include "platform/file_choosers.h"
#include "platform/keyboard_layouts.h"
#include "platform/portable_registry.h"
#include "platform/special_folders.h"
#include "progress_bar.h"
#include "textcore/utf8.h"
#if ZIL_WITH_QT
#include "preview/render.h"
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
  explicit Session(std::ostream& err)
      : messages(err),
        registry([this] { return config::ChooseDataFolder(folders); }),
        fonts({keyboard, messages, folders, files, clipboard, registry}) {}

  // Opens the drawing; `protect`: it must not be written.
  void Open(const fs::path& file, bool protect) {
    application = standin::StandInApplication::Create();
    // The batch saves what it converted and keeps no undo steps: none could be taken back.
    application->OpenDrawing(file)->Undo().KeepHistory(false);
    if (protect) application->ProtectFile(file);
    host.AcadApp = application;
    host.RefreshHost(keyboard);
  }

  platform::PortableKeyboardLayouts keyboard;
  BatchMessages messages;
  platform::XdgSpecialFolders folders;
  platform::NoFileChoosers files;
  platform::InProcessClipboard clipboard;
  platform::PortableRegistry registry;
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
  std::optional<std::string> report;
  bool preview = false;
};

void WritePreview(const fs::path& source, const fs::path& copy, config::FontDefinitions& fonts, std::ostream& out) {
#if ZIL_WITH_QT
  const auto before = drawing::LoadDxfFile(source.string());
  const auto after = drawing::LoadDxfFile(copy.string());
  const fs::path folder = copy.parent_path();
  const std::string name = source.stem().string();
  const fs::path beforePng = folder / (name + "_before.png"), afterPng = folder / (name + "_after.png");
  const fs::path both = folder / (name + "_before_after.png");
  preview::RenderBeforeAndAfterPng(*before, *after, fonts, preview::RenderOptions{}, beforePng, afterPng, both);
  out << "  preview: " << beforePng.string() << ", " << afterPng.string() << ", side by side " << both.string() << '\n';
#else
  (void)source, (void)copy, (void)fonts, (void)out;
  throw std::runtime_error("previews are not available in this build of zil (built without Qt)");
#endif
}

int RunRevit(const RevitOptions& opts, CommandLine& cl) {
  nlohmann::json reports = nlohmann::json::array();
  int exitCode = 0;
  for (const std::string& file : opts.files) {
    const fs::path source(file);
    const fs::path copy = source.parent_path() / (source.stem().string() + opts.suffix + ".dxf");
    nlohmann::json entry = {{"source", file}, {"copy", copy.string()}};
    try {
      if (SameFile(source, copy)) throw std::runtime_error("the copy would replace the drawing: give a --suffix");
      Session session(cl.err);
      session.Open(source, true);
      session.fonts.inistr.reverseTTF = opts.reverseTTF;
      conversions::RevitConversion flow(session.host, session.fonts, session.messages);
      flow.Activate();
      flow.targetFile = FromUtf8(copy.string());
      conversions::WalkReport report;
      {
        ProgressBar bar(stderr, source.filename().string());
        report = flow.SaveAsAndConvert([&bar](std::size_t done, std::size_t total) { bar.Update(done, total); });
      }
      cl.out << file << " -> " << copy.string() << ": " << Summary(report) << '\n';
      entry.update(ReportJson(report));
      if (opts.preview) WritePreview(source, copy, session.fonts, cl.out);
    } catch (const std::exception& e) {
      cl.err << "zil: " << file << ": " << e.what() << '\n';
      entry["error"] = e.what();
      exitCode = 1;
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
  cmd->add_option("--suffix", opts->suffix, "the copy is NAME + suffix + .dxf beside the drawing")
      ->capture_default_str();
  cmd->add_flag("--reverse-ttf", opts->reverseTTF, "reverse the converted TrueType text (the ReverseTTF setting)");
  cmd->add_option("--report", opts->report, "write the summary of every drawing to this file as JSON");
  cmd->add_flag("--preview", opts->preview, "also write NAME_before.png and NAME_after.png beside the copy");
  cmd->callback([&cl, opts] { cl.action = [&cl, opts] { return RunRevit(*opts, cl); }; });
}

// --- zil fonts ---------------------------------------------------------------------------------------

int RunFonts(const std::string& file, CommandLine& cl) {
  try {
    Session session(cl.err);
    session.Open(file, true);
    std::vector<std::u16string> fontList;
    const conversions::StyleTable table = conversions::LoadStyleTable(*session.host.AcadDoc, session.fonts, fontList);
    for (std::size_t i = 0; i < fontList.size(); ++i) {
      std::string styles;
      fntType type = DosHebrew;
      for (const conversions::TstyleRec& r : table.astyles) {
        if (r.fntIdx != static_cast<std::int32_t>(i)) continue;
        styles += (styles.empty() ? "" : ", ") + ToUtf8(r.stName);
        type = r.StType;
      }
      cl.out << ToUtf8(fontList[i]) << '\t' << static_cast<int>(type) << ' ' << FontTypeName(type) << '\t' << styles
             << '\n';
    }
    return 0;
  } catch (const std::exception& e) {
    cl.err << "zil: " << file << ": " << e.what() << '\n';
    return 1;
  }
}

void AddFontsCommand(CommandLine& cl) {
  auto file = std::make_shared<std::string>();
  CLI::App* cmd = cl.app.add_subcommand(
      "fonts", "the fonts of a drawing's text styles: font, type (by the data folder's font table), styles");
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

int RunFontAction(const FontActionOptions& opts, bool remap, CommandLine& cl) {
  try {
    if (remap && opts.map == "none" && !opts.reverse)
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
      flow.mapping = opts.map == "dos-hebrew" ? conversions::Mapping::DosHebrew
                     : opts.map == "english"  ? conversions::Mapping::English7Bit
                     : opts.map == "windows"  ? conversions::Mapping::Windows
                                              : conversions::Mapping::None;
    }
    conversions::WalkReport report;
    {
      ProgressBar bar(stderr, fs::path(opts.file).filename().string());
      const conversions::Progress progress = [&bar](std::size_t done, std::size_t total) { bar.Update(done, total); };
      report = remap ? flow.Remap(progress) : flow.Convert(progress);
    }
    session.host.AcadApp->ActiveDocument()->SaveAs(FromUtf8(opts.out));
    cl.out << opts.file << " -> " << opts.out << ": " << Summary(report) << '\n';
    return 0;
  } catch (const std::invalid_argument& e) {
    cl.err << "zil: " << e.what() << '\n';
    return kExitUsage;
  } catch (const std::exception& e) {
    cl.err << "zil: " << opts.file << ": " << e.what() << '\n';
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
  cmd->add_option("--fonts", opts->fonts, "the fonts whose texts change, comma-separated (see zil fonts)")->required();
  if (remap) {
    cmd->add_option("--map", opts->map, "the mapping the letters take")
        ->check(CLI::IsMember({"dos-hebrew", "english", "windows", "none"}))
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
