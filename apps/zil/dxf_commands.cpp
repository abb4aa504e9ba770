// The drawing commands: `dxf info` describes a DXF drawing (version, code page, entities by type and
// space, text styles); `dxf copy` loads a drawing and saves it again, the lossless round trip.
#include <map>
#include <ostream>
#include <string>

#include "command_line.h"
#include "drawing/dxf_error.h"
#include "drawing/dxf_file.h"
#include "drawing/header_view.h"
#include "drawing/spaces.h"
#include "drawing/table_views.h"
#include "textcore/utf8.h"

namespace zil::cli {
namespace {

using namespace zil::drawing;

struct Counts {
  long model = 0;
  long paper = 0;
  long blocks = 0;
};

void CountRecords(const Record* head, const Record* end, std::map<std::string, Counts>& counts, int where) {
  for (const Record* r = head->Next(); r != nullptr && r != end; r = r->Next()) {
    if (r->Erased()) continue;
    Counts& c = counts[std::string(r->Type())];
    const int space = where >= 0 ? where : (r->InPaperSpace() ? 1 : 0);
    (space == 0 ? c.model : space == 1 ? c.paper : c.blocks) += 1;
  }
}

void PrintInfo(Drawing& drawing, std::ostream& out) {
  HeaderView header(drawing);
  out << "file: " << drawing.File() << '\n';
  out << "version: " << AcadVerName(drawing.Version()) << " (" << ReleaseName(drawing.Version()) << ")\n";
  out << "code page: " << drawing.Strings().Page().Name();
  if (UsesUtf8(drawing.Version())) {
    if (const Tag* cp = header.Value("$DWGCODEPAGE")) out << " ($DWGCODEPAGE " << Trimmed(cp->value) << ")";
  }
  out << '\n';

  std::map<std::string, Counts> counts;
  if (const Span* entities = drawing.FindSection("ENTITIES")) CountRecords(entities->head, entities->end, counts, -1);
  for (const Span& block : drawing.Blocks()) {
    const std::u16string name = BlockView(drawing, *block.head).Name();
    const bool model = SameName(name, u"*Model_Space") || SameName(name, u"$MODEL_SPACE");
    const bool paper =
        name.starts_with(u"*Paper_Space") || name.starts_with(u"*PAPER_SPACE") || SameName(name, u"$PAPER_SPACE");
    CountRecords(block.head, block.end, counts, model ? 0 : paper ? 1 : 2);
  }
  out << "entities (type: model space, paper space, block definitions):\n";
  for (const auto& [type, c] : counts)
    out << "  " << type << ": " << c.model << ", " << c.paper << ", " << c.blocks << '\n';

  out << "text styles (name: font file, big font file, generation flags):\n";
  for (Record* record : TableRecords(drawing, "STYLE")) {
    StyleView style(drawing, *record);
    if (style.IsShapeFile()) continue;
    const auto orDash = [](const std::u16string& s) { return s.empty() ? std::string("-") : textcore::ToUtf8(s); };
    const int flags = style.GenerationFlags();
    out << "  " << textcore::ToUtf8(style.Name()) << ": " << orDash(style.FontFile()) << ", "
        << orDash(style.BigFontFile()) << ", " << flags;
    if (flags & 2) out << " backward";
    if (flags & 4) out << " upside-down";
    const std::u16string family = style.TrueTypeFamily();
    if (!family.empty()) out << " (TrueType " << textcore::ToUtf8(family) << ")";
    out << '\n';
  }
}

int Guarded(std::ostream& err, const std::function<void()>& run) {
  try {
    run();
    return 0;
  } catch (const DxfError& e) {
    err << "zil: " << e.what() << '\n';
    return 1;
  }
}

}  // namespace

void AddDxfCommands(CommandLine& cl) {
  CLI::App* dxf = cl.app.add_subcommand("dxf", "read and write DXF drawings");
  dxf->require_subcommand(1);

  auto infoFile = std::make_shared<std::string>();
  CLI::App* info = dxf->add_subcommand("info", "version, code page, entities by type and text styles of a drawing");
  info->add_option("file", *infoFile, "an ASCII DXF drawing, R12 to R2018")->required();
  info->callback([&cl, infoFile] {
    cl.action = [&cl, infoFile] { return Guarded(cl.err, [&] { PrintInfo(*LoadDxfFile(*infoFile), cl.out); }); };
  });

  auto paths = std::make_shared<std::pair<std::string, std::string>>();
  CLI::App* copy = dxf->add_subcommand("copy", "load a drawing and save it again (unchanged drawings keep every byte)");
  copy->add_option("in", paths->first, "the drawing to read")->required();
  copy->add_option("out", paths->second, "where to save it (replaced whole, or left as it was on failure)")->required();
  copy->callback([&cl, paths] {
    cl.action = [&cl, paths] {
      return Guarded(cl.err, [&] { SaveDxfFile(*LoadDxfFile(paths->first), paths->second); });
    };
  });
}

}  // namespace zil::cli
