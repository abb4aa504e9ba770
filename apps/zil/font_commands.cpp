// The font commands: edit-form and drawing-form (the editors' conversions under a font type and the
// style's backwards flag), and classify (the font type the data folder's font table gives a font).
#include <iostream>
#include <memory>
#include <optional>

#include "command_line.h"
#include "config/font_definitions.h"
#include "console_messages.h"
#include "font_table_notice.h"
#include "font_type_option.h"
#include "portable_services.h"
#include "text_filter.h"
#include "textcore/font_converter.h"
#include "textcore/utf8.h"

namespace zil::cli {
namespace {

struct FormOptions {
  fntType type = DosHebrew;
  bool backwards = false;
  bool storedOrder = false;
  bool reverseTTF = false;
  std::optional<std::string> text;
};

enum class Direction { ToEditForm, ToDrawingForm };

void AddFormCommand(CommandLine& cl, const std::string& name, Direction direction, const std::string& description) {
  auto opts = std::make_shared<FormOptions>();
  CLI::App* cmd = cl.app.add_subcommand(name, description);
  AddFontTypeOption(*cmd, "--type", opts->type, "the font type of the text style");
  cmd->add_flag("--backwards", opts->backwards, "the text style draws backwards");
  cmd->add_flag("--stored-order", opts->storedOrder,
                "for an editor that shows the stored order (Hebrew as Windows-1255 letters)");
  if (direction == Direction::ToDrawingForm)
    cmd->add_flag("--reverse-ttf", opts->reverseTTF, "reverse converted TrueType text (the ReverseTTF setting)");
  cmd->add_option("text", opts->text, "the text (UTF-8); without it, JSON Lines on standard input");
  cmd->callback([&cl, opts, direction] {
    cl.action = [&cl, opts, direction] {
      textcore::FontConverter conv;
      conv.cStType = opts->type;
      conv.cStBack = opts->backwards;
      return RunTextFilter(
          opts->text,
          [&](std::u16string_view s) {
            if (direction == Direction::ToEditForm)
              return opts->storedOrder ? conv.AcadToEditDos(s) : conv.AcadToEditWin(s);
            return opts->storedOrder ? conv.EditToacadDos(s) : conv.EditToacadWin(s, opts->reverseTTF);
          },
          cl.in, cl.out, cl.err);
    };
  });
}

struct ClassifyOptions {
  std::string font;
  std::optional<std::string> text;
};

int Classify(const ClassifyOptions& opts, CommandLine& cl) {
  ConsoleMessages messages(cl.err);
  PortableServices services;
  WarnWithoutFontTable(services.folders, cl.err);
  config::FontDefinitions fonts(services.With(messages));
  const std::u16string font = textcore::FromUtf8(opts.font);
  if (opts.text) {
    fonts.SetFntType(font, textcore::FromUtf8(*opts.text));
  } else {
    fonts.SetFntType(font);
  }
  cl.out << static_cast<int>(fonts.conv.cStType) << ' ' << FontTypeName(fonts.conv.cStType) << '\n';
  return 0;
}

void AddClassifyCommand(CommandLine& cl) {
  auto opts = std::make_shared<ClassifyOptions>();
  CLI::App* cmd = cl.app.add_subcommand(
      "classify", "the font type of a font file, by the font table of the data folder (ZIL_DATA_FOLDER)");
  cmd->add_option("font", opts->font, "the font file name, as a text style gives it")->required();
  cmd->add_option("--text", opts->text, "a text in that font: DOS letters make a \"Windows\" font DosHebrew");
  cmd->callback([&cl, opts] { cl.action = [&cl, opts] { return Classify(*opts, cl); }; });
}

}  // namespace

void AddFontCommands(CommandLine& cl) {
  AddFormCommand(cl, "edit-form", Direction::ToEditForm, "a drawing string in the form an editor shows");
  AddFormCommand(cl, "drawing-form", Direction::ToDrawingForm, "an editor's text in the form the drawing stores");
  AddClassifyCommand(cl);
}

}  // namespace zil::cli
