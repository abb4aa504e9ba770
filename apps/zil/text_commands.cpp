// The string commands: acadtostr, strtoacad, transcode, remap, and `strings`, which shows the
// conversions of a file of drawing strings as a table.
#include <algorithm>
#include <array>
#include <fstream>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <vector>

#include "command_line.h"
#include "font_type_option.h"
#include "text_filter.h"
#include "textcore/codepage.h"
#include "textcore/conversions.h"
#include "textcore/utf8.h"

namespace zil::cli {
namespace {

using textcore::FromAnsi;
using textcore::ToAnsi;

struct KindOptions {
  int kind = 0;
  bool backwards = false;
  std::optional<std::string> text;
};

void AddKindCommand(CommandLine& cl, const std::string& name, const std::string& description,
                    std::string (*convert)(std::string, int, bool)) {
  auto opts = std::make_shared<KindOptions>();
  CLI::App* cmd = cl.app.add_subcommand(name, description);
  AddKindOption(*cmd, opts->kind);
  cmd->add_flag("--backwards", opts->backwards, "the text style draws backwards");
  cmd->add_option("text", opts->text, "the text (UTF-8); without it, JSON Lines on standard input");
  cmd->callback([&cl, opts, convert] {
    cl.action = [&cl, opts, convert] {
      return RunTextFilter(
          opts->text, [&](std::u16string_view s) { return FromAnsi(convert(ToAnsi(s), opts->kind, opts->backwards)); },
          cl.in, cl.out, cl.err);
    };
  });
}

struct TranscodeOptions {
  fntType from = DosHebrew;
  fntType to = DosHebrew;
  bool fromBackwards = false;
  bool toBackwards = false;
  std::optional<std::string> text;
};

void AddTranscodeCommand(CommandLine& cl) {
  auto opts = std::make_shared<TranscodeOptions>();
  CLI::App* cmd = cl.app.add_subcommand("transcode", "rewrite a drawing string for a font of another type");
  AddFontTypeOption(*cmd, "--from", opts->from, "the font type the text is stored for");
  cmd->add_flag("--from-backwards", opts->fromBackwards, "the source style draws backwards");
  AddFontTypeOption(*cmd, "--to", opts->to, "the font type to store the text for");
  cmd->add_flag("--to-backwards", opts->toBackwards, "the target style draws backwards");
  cmd->add_option("text", opts->text, "the text (UTF-8); without it, JSON Lines on standard input");
  cmd->callback([&cl, opts] {
    cl.action = [&cl, opts] {
      return RunTextFilter(
          opts->text,
          [&](std::u16string_view s) {
            return textcore::ConvertFontTypeW(s, opts->from, opts->fromBackwards, opts->to, opts->toBackwards);
          },
          cl.in, cl.out, cl.err);
    };
  });
}

void AddRemapCommand(CommandLine& cl) {
  auto opts = std::make_shared<TranscodeOptions>();
  CLI::App* cmd = cl.app.add_subcommand("remap", "map the Hebrew letters to another font type's encoding");
  AddFontTypeOption(*cmd, "--from", opts->from, "the font type the text is stored for");
  AddFontTypeOption(*cmd, "--to", opts->to, "the font type whose encoding the letters take");
  cmd->add_option("text", opts->text, "the text (UTF-8); without it, JSON Lines on standard input");
  cmd->callback([&cl, opts] {
    cl.action = [&cl, opts] {
      return RunTextFilter(
          opts->text, [&](std::u16string_view s) { return textcore::RemapFontType(s, opts->from, opts->to); }, cl.in,
          cl.out, cl.err);
    };
  });
}

// --- the table of a file of drawing strings -------------------------------------------------------

struct SampleRow {
  std::string type;
  std::string backwards;
  std::string stored;
  std::string edit;
  std::string roundTrip;
};

// Controls shown as \uXXXX so that a terminal shows every row on one line.
std::string Printable(std::u16string_view text) {
  std::u16string shown;
  for (char16_t unit : text) {
    if (unit < 0x20 || (unit >= 0x7F && unit <= 0x9F)) {
      static constexpr char16_t kHex[] = u"0123456789ABCDEF";
      shown += u"\\u00";
      shown += kHex[unit >> 4];
      shown += kHex[unit & 0xF];
    } else {
      shown += unit;
    }
  }
  return textcore::ToUtf8(shown);
}

std::size_t DisplayWidth(std::string_view utf8) {
  std::size_t width = 0;
  for (char c : utf8)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++width;
  return width;
}

struct SampleEntry {
  std::optional<fntType> type;
  bool backwards = false;
  std::u16string stored;
};

class SampleError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One line of a strings file: {"type": TYPE, "backwards": BOOL, "stored": STRING}, the type as on the
// command line (0..4 or a name), "backwards" optional.
SampleEntry ReadSampleEntry(const std::string& line) {
  nlohmann::json entry;
  try {
    entry = nlohmann::json::parse(line);
  } catch (const nlohmann::json::parse_error&) {
    throw SampleError("not JSON");
  }
  if (!entry.is_object()) throw SampleError("not a JSON object");
  SampleEntry sample;
  const auto type = entry.find("type");
  if (type == entry.end()) throw SampleError("\"type\" is missing");
  if (type->is_number_integer() && type->get<long long>() >= 0 && type->get<long long>() < kFontTypeCount) {
    sample.type = FontTypeFromCode(type->get<int>());
  } else if (type->is_string()) {
    sample.type = ParseFontType(type->get<std::string>());
  }
  if (!sample.type) throw SampleError("\"type\" is " + type->dump() + ", not a font type");
  if (const auto backwards = entry.find("backwards"); backwards != entry.end()) {
    if (!backwards->is_boolean()) throw SampleError("\"backwards\" is " + backwards->dump() + ", not true or false");
    sample.backwards = backwards->get<bool>();
  }
  const auto stored = entry.find("stored");
  if (stored == entry.end()) throw SampleError("\"stored\" is missing");
  if (!stored->is_string()) throw SampleError("\"stored\" is " + stored->dump() + ", not a string");
  sample.stored = textcore::FromUtf8(stored->get<std::string>());
  return sample;
}

int PrintSampleTable(const std::string& path, std::ostream& out, std::ostream& err) {
  std::ifstream file(path);
  if (!file) {
    err << "zil: cannot open " << path << '\n';
    return 1;
  }
  std::vector<SampleRow> rows;
  std::string line;
  for (long number = 1; std::getline(file, line); ++number) {
    if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
    try {
      const SampleEntry entry = ReadSampleEntry(line);
      const auto type = entry.type;
      const bool backwards = entry.backwards;
      const std::u16string& stored = entry.stored;
      const std::string edit = textcore::AcadToStr(ToAnsi(stored), *type, backwards);
      const std::string back = textcore::StrToAcad(edit, *type, backwards);
      rows.push_back({std::string(FontTypeOptionName(*type)), backwards ? "yes" : "no", Printable(stored),
                      Printable(FromAnsi(edit)), back == ToAnsi(stored) ? "same" : "differs"});
    } catch (const SampleError& e) {
      err << "zil: " << path << " line " << number << ": " << e.what()
          << "; each line must be {\"type\": TYPE, \"backwards\": BOOL, \"stored\": STRING}, TYPE 0..4 or a name "
             "such as \"dos-hebrew\"\n";
      return 1;
    }
  }
  const SampleRow heading{"font type", "backwards", "drawing form", "edit form", "edit form back to drawing"};
  std::array<std::size_t, 4> widths{};
  const auto widen = [&widths](const SampleRow& r) {
    widths[0] = std::max(widths[0], DisplayWidth(r.type));
    widths[1] = std::max(widths[1], DisplayWidth(r.backwards));
    widths[2] = std::max(widths[2], DisplayWidth(r.stored));
    widths[3] = std::max(widths[3], DisplayWidth(r.edit));
  };
  widen(heading);
  for (const SampleRow& r : rows) widen(r);
  const auto print = [&](const SampleRow& r) {
    const auto cell = [&out](const std::string& text, std::size_t width) {
      out << text << std::string(width - DisplayWidth(text) + 2, ' ');
    };
    cell(r.type, widths[0]);
    cell(r.backwards, widths[1]);
    cell(r.stored, widths[2]);
    cell(r.edit, widths[3]);
    out << r.roundTrip << '\n';
  };
  print(heading);
  for (const SampleRow& r : rows) print(r);
  return 0;
}

void AddStringsCommand(CommandLine& cl) {
  auto path = std::make_shared<std::string>();
  CLI::App* cmd =
      cl.app.add_subcommand("strings", "show the edit form of each drawing string of a JSON Lines file as a table");
  cmd->add_option("file", *path,
                  "JSON Lines: {\"type\": TYPE (0..4 or a name), \"backwards\": BOOL, \"stored\": DRAWING-STRING}")
      ->required()
      ->check(CLI::ExistingFile);
  cmd->callback([&cl, path] { cl.action = [&cl, path] { return PrintSampleTable(*path, cl.out, cl.err); }; });
}

}  // namespace

void AddTextCommands(CommandLine& cl) {
  AddKindCommand(cl, "acadtostr", "drawing form to edit form (the text as read)", textcore::AcadToStr);
  AddKindCommand(cl, "strtoacad", "edit form to drawing form (the text as stored)", textcore::StrToAcad);
  AddTranscodeCommand(cl);
  AddRemapCommand(cl);
  AddStringsCommand(cl);
}

}  // namespace zil::cli
