#include "drawing/new_table_records.h"

#include "drawing/dxf_error.h"
#include "drawing/header_view.h"
#include "drawing/table_views.h"
#include "drawing/tag_values.h"
#include "textcore/utf8.h"

namespace zil::drawing {
namespace {

// Records carry handles from R13 on, and in an R12 file that keeps $HANDSEED.
bool WithHandles(Drawing& drawing) {
  return HasSubclasses(drawing.Version()) || HeaderView(drawing).Value("$HANDSEED") != nullptr;
}

// The first tags of a new record of `table`, up to and including its own subclass marker and its name.
// `handle` gives its handle.
template <typename Handle>
std::vector<Tag> RecordHead(Drawing& drawing, const Span& table, std::string_view marker, std::u16string_view name,
                            Handle&& handle) {
  const bool subclassed = HasSubclasses(drawing.Version());
  std::vector<Tag> tags;
  tags.push_back(drawing.MakeTag(0, table.name));
  if (WithHandles(drawing)) tags.push_back(drawing.MakeTag(5, FormatHandle(handle())));
  if (subclassed) {
    tags.push_back(drawing.MakeTag(330, FormatHandle(table.head->Handle())));
    tags.push_back(drawing.MakeTag(100, "AcDbSymbolTableRecord"));
    tags.push_back(drawing.MakeTag(100, marker));
  }
  tags.push_back(drawing.MakeTag(2, drawing.Encode(name)));
  tags.push_back(drawing.MakeIntegerTag(70, 0));
  return tags;
}

std::vector<Tag> RecordHead(Drawing& drawing, const Span& table, std::string_view marker, std::u16string_view name) {
  return RecordHead(drawing, table, marker, name, [&drawing] { return drawing.NewHandle(); });
}

// The rest of a new text style: no fixed height, width factor 1, no flags, the font "txt".
void AppendTextStyleTags(Drawing& drawing, std::vector<Tag>& tags) {
  tags.push_back(drawing.MakeTag(40, 0.0));
  tags.push_back(drawing.MakeTag(41, 1.0));
  tags.push_back(drawing.MakeTag(50, 0.0));
  tags.push_back(drawing.MakeIntegerTag(71, 0));
  tags.push_back(drawing.MakeTag(42, HeaderView(drawing).Double("$TEXTSIZE").value_or(2.5)));
  tags.push_back(drawing.MakeTag(3, "txt"));
  tags.push_back(drawing.MakeTag(4, ""));
}

// Where a TABLES section the file lacks goes: before the sections that follow it in a DXF file.
Record* TablesSectionPlace(Drawing& drawing) {
  for (const Span& section : drawing.Sections()) {
    if (section.name != "HEADER" && section.name != "CLASSES") return section.head;
  }
  for (Record* r = drawing.First(); r != nullptr; r = r->Next())
    if (r->Type() == "EOF") return r;
  return nullptr;
}

// A provisional STYLE table (and TABLES section when there is none) with nothing in it yet; its ENDTAB.
Record* ProvideStyleTable(Drawing& drawing) {
  const bool subclassed = HasSubclasses(drawing.Version());
  const Span* tables = drawing.FindSection("TABLES");
  Record* place = tables ? tables->end : TablesSectionPlace(drawing);
  if (place == nullptr) return nullptr;
  Record* sectionHead = nullptr;
  if (!tables)
    sectionHead = &drawing.InsertProvisional(*place, {drawing.MakeTag(0, "SECTION"), drawing.MakeTag(2, "TABLES")});
  std::vector<Tag> head = {drawing.MakeTag(0, "TABLE"), drawing.MakeTag(2, "STYLE")};
  if (WithHandles(drawing)) head.push_back(drawing.MakeTag(5, FormatHandle(drawing.ProvisionalHandle())));
  if (subclassed) {
    head.push_back(drawing.MakeTag(330, "0"));
    head.push_back(drawing.MakeTag(100, "AcDbSymbolTable"));
  }
  head.push_back(drawing.MakeIntegerTag(70, 1));
  Record& tableHead = drawing.InsertProvisional(*place, std::move(head));
  Record& tableEnd = drawing.InsertProvisional(*place, {drawing.MakeTag(0, "ENDTAB")});
  if (sectionHead) {
    Record& sectionEnd = drawing.InsertProvisional(*place, {drawing.MakeTag(0, "ENDSEC")});
    drawing.AddProvisionalSpan({"TABLES", sectionHead, &sectionEnd}, false);
  }
  drawing.AddProvisionalSpan({"STYLE", &tableHead, &tableEnd}, true);
  return &tableEnd;
}

const Span& TableOf(Drawing& drawing, std::string_view table, std::u16string_view name) {
  const Span* span = drawing.FindTable(table);
  if (!span) ThrowAt(drawing.File(), 0, "the drawing has no " + std::string(table) + " table");
  if (name.empty()) ThrowAt(drawing.File(), 0, "a " + std::string(table) + " record needs a name");
  if (FindTableRecord(drawing, table, name)) {
    ThrowAt(drawing.File(), 0, "the " + std::string(table) + " table already has " + textcore::ToUtf8(name));
  }
  return *span;
}

}  // namespace

Record& AddTextStyle(Drawing& drawing, std::u16string_view name) {
  const Span& table = TableOf(drawing, "STYLE", name);
  std::vector<Tag> tags = RecordHead(drawing, table, "AcDbTextStyleTableRecord", name);
  AppendTextStyleTags(drawing, tags);
  return drawing.InsertBefore(*table.end, std::move(tags));
}

void ProvideStandardTextStyle(Drawing& drawing) {
  constexpr std::u16string_view kStandard = u"Standard";
  if (FindTableRecord(drawing, "STYLE", kStandard) != nullptr) return;
  if (drawing.FindTable("STYLE") == nullptr && ProvideStyleTable(drawing) == nullptr) return;
  const Span& table = *drawing.FindTable("STYLE");
  std::vector<Tag> tags = RecordHead(drawing, table, "AcDbTextStyleTableRecord", kStandard,
                                     [&drawing] { return drawing.ProvisionalHandle(); });
  AppendTextStyleTags(drawing, tags);
  drawing.InsertProvisional(*table.end, std::move(tags));
}

Record& AddLayer(Drawing& drawing, std::u16string_view name) {
  const Span& table = TableOf(drawing, "LAYER", name);
  std::vector<Tag> tags = RecordHead(drawing, table, "AcDbLayerTableRecord", name);
  tags.push_back(drawing.MakeIntegerTag(62, 7));
  tags.push_back(drawing.MakeTag(6, "CONTINUOUS"));
  return drawing.InsertBefore(*table.end, std::move(tags));
}

}  // namespace zil::drawing
