// The render command: a drawing's preview as a PNG file, its Hebrew drawn as AutoCAD shows it for each
// text style's font type (classified by the data folder's font table, ZIL_DATA_FOLDER).
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "command_line.h"
#include "config/font_definitions.h"
#include "console_messages.h"
#include "font_table_notice.h"
#include "portable_services.h"
#include "textcore/utf8.h"
#if ZIL_WITH_QT
#include "gui_module.h"
#endif

namespace zil::cli {
namespace {

struct RenderCommandOptions {
  std::string file;
  std::string output;
  std::string size = "1600x1200";
  std::string layout;
  std::string window;
};

// The numbers of `text` separated by `separator`, all of it; nothing when it is not that.
template <typename T>
std::optional<std::vector<T>> Numbers(std::string_view text, char separator) {
  std::vector<T> values;
  for (;;) {
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc()) return std::nullopt;
    values.push_back(value);
    text.remove_prefix(static_cast<std::size_t>(end - text.data()));
    if (text.empty()) return values;
    if (text.front() != separator) return std::nullopt;
    text.remove_prefix(1);
  }
}

// "WxH".
std::pair<int, int> ParseSize(const std::string& text) {
  const auto v = Numbers<int>(text, 'x');
  if (!v || v->size() != 2 || (*v)[0] < 1 || (*v)[1] < 1 || (*v)[0] > 8192 || (*v)[1] > 8192)  // as render.h allows
    throw CLI::ValidationError("--size", "expected WIDTHxHEIGHT in pixels, 1 to 8192 each, such as 1600x1200");
  return {(*v)[0], (*v)[1]};
}

// "XMIN,YMIN,XMAX,YMAX".
std::array<double, 4> ParseWindow(const std::string& text) {
  const auto v = Numbers<double>(text, ',');
  if (!v || v->size() != 4 || !((*v)[0] < (*v)[2]) || !((*v)[1] < (*v)[3]) ||
      !std::all_of(v->begin(), v->end(), [](double d) { return std::isfinite(d); }))
    throw CLI::ValidationError("--window",
                               "expected XMIN,YMIN,XMAX,YMAX in drawing units, with XMIN < XMAX and YMIN < YMAX");
  return {(*v)[0], (*v)[1], (*v)[2], (*v)[3]};
}

#if ZIL_WITH_QT
// The file is the process's standard output, under whatever name.
bool IsStandardOutput(const std::string& file) {
  struct stat named {
  }, out{};
  return ::stat(file.c_str(), &named) == 0 && ::fstat(STDOUT_FILENO, &out) == 0 && named.st_dev == out.st_dev &&
         named.st_ino == out.st_ino;
}

std::string DefaultOutput(const RenderCommandOptions& opts) {
  std::filesystem::path out(opts.file);
  out.replace_extension();
  if (!opts.layout.empty()) out += "-" + opts.layout;
  out += ".png";
  return out.string();
}
#endif

int Render(const RenderCommandOptions& opts, CommandLine& cl) {
#if ZIL_WITH_QT
  ConsoleMessages messages(cl.err);
  PortableServices services;
  WarnWithoutFontTable(services.folders, cl.err);
  config::FontDefinitions fonts(services.With(messages));

  preview::RenderOptions options;
  std::tie(options.width, options.height) = ParseSize(opts.size);
  options.layout = textcore::FromUtf8(opts.layout);
  if (!opts.window.empty()) {
    const auto w = ParseWindow(opts.window);
    options.window = preview::Box2{{w[0], w[1]}, {w[2], w[3]}};
  }
  const std::string output = opts.output.empty() ? DefaultOutput(opts) : opts.output;
  const preview::RenderReport report = GuiOf(cl).RenderDxfFileToPng(opts.file, fonts, options, output);
  // The PNG may have gone to standard output (-o /dev/stdout): then what was written goes to standard error.
  std::ostream& said = IsStandardOutput(output) ? cl.err : cl.out;
  said << "wrote " << output << " (" << options.width << "x" << options.height
       << "): " << Counted(report.entities, "entity", "entities") << ", "
       << Counted(report.texts, "text line", "text lines") << "; window " << report.window.lo.x << ","
       << report.window.lo.y << "," << report.window.hi.x << "," << report.window.hi.y << '\n';
  for (const auto& [what, count] : report.notDrawn) said << "not drawn: " << count << " " << what << '\n';
  return 0;
#else
  (void)opts;
  cl.err << "zil: render is not available in this build of zil (built without Qt)\n";
  return 1;
#endif
}

}  // namespace

void AddRenderCommand(CommandLine& cl) {
  auto opts = std::make_shared<RenderCommandOptions>();
  CLI::App* cmd =
      cl.app.add_subcommand("render",
                            "a drawing's preview as PNG, its Hebrew drawn as AutoCAD shows each font type (font table: "
                            "the data folder, ZIL_DATA_FOLDER)");
  cmd->add_option("file", opts->file, "an ASCII DXF drawing, R12 to R2018")->required();
  cmd->add_option("-o,--output", opts->output, "the PNG to write (default: the drawing's name with .png)");
  cmd->add_option("--size", opts->size, "the image size in pixels, WIDTHxHEIGHT (default 1600x1200)");
  cmd->add_option("--layout", opts->layout, "a layout's paper space instead of model space");
  cmd->add_option("--window", opts->window,
                  "the part of the space to show, XMIN,YMIN,XMAX,YMAX (default: all that is drawn)");
  cmd->callback([&cl, opts] {
    ParseSize(opts->size);
    if (!opts->window.empty()) ParseWindow(opts->window);
    cl.action = [&cl, opts] { return Render(*opts, cl); };
  });
}

}  // namespace zil::cli
