#include "drawing/new_table_records.h"

#include "drawing/dxf_error.h"
#include "drawing/header_view.h"
#include "drawing/table_views.h"
#include "drawing/tag_values.h"
#include "textcore/utf8.h"

namespace zil::drawing {
namespace {

// The first tags of a new record of `table`, up to and including its own subclass marker and its name.
std::vector<Tag> RecordHead(Drawing& drawing, const Span& table, std::string_view marker, std::u16string_view name) {
  const bool subclassed = HasSubclasses(drawing.Version());
  std::vector<Tag> tags;
  tags.push_back(drawing.MakeTag(0, table.name));
  if (subclassed || HeaderView(drawing).Value("$HANDSEED") != nullptr)
    tags.push_back(drawing.MakeTag(5, FormatHandle(drawing.NewHandle())));
  if (subclassed) {
    tags.push_back(drawing.MakeTag(330, FormatHandle(table.head->Handle())));
    tags.push_back(drawing.MakeTag(100, "AcDbSymbolTableRecord"));
    tags.push_back(drawing.MakeTag(100, marker));
  }
  tags.push_back(drawing.MakeTag(2, drawing.Encode(name)));
  tags.push_back(drawing.MakeIntegerTag(70, 0));
  return tags;
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
  tags.push_back(drawing.MakeTag(40, 0.0));
  tags.push_back(drawing.MakeTag(41, 1.0));
  tags.push_back(drawing.MakeTag(50, 0.0));
  tags.push_back(drawing.MakeIntegerTag(71, 0));
  tags.push_back(drawing.MakeTag(42, HeaderView(drawing).Double("$TEXTSIZE").value_or(2.5)));
  tags.push_back(drawing.MakeTag(3, "txt"));
  tags.push_back(drawing.MakeTag(4, ""));
  return drawing.InsertBefore(*table.end, std::move(tags));
}

Record& AddLayer(Drawing& drawing, std::u16string_view name) {
  const Span& table = TableOf(drawing, "LAYER", name);
  std::vector<Tag> tags = RecordHead(drawing, table, "AcDbLayerTableRecord", name);
  tags.push_back(drawing.MakeIntegerTag(62, 7));
  tags.push_back(drawing.MakeTag(6, "CONTINUOUS"));
  return drawing.InsertBefore(*table.end, std::move(tags));
}

}  // namespace zil::drawing
