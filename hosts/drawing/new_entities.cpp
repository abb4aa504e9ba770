#include "drawing/new_entities.h"

#include "drawing/dxf_error.h"
#include "drawing/header_view.h"
#include "drawing/table_views.h"
#include "drawing/tag_values.h"

namespace zil::drawing {
namespace {

// The tags every entity begins with, up to and including its own subclass marker.
std::vector<Tag> CommonTags(Drawing& drawing, const Space& space, std::string_view type, std::string_view marker) {
  HeaderView header(drawing);
  const bool subclassed = HasSubclasses(drawing.Version());
  std::vector<Tag> tags;
  tags.push_back(drawing.MakeTag(0, type));
  if (subclassed || header.Value("$HANDSEED") != nullptr)
    tags.push_back(drawing.MakeTag(5, FormatHandle(drawing.NewHandle())));
  if (subclassed) {
    tags.push_back(drawing.MakeTag(330, FormatHandle(space.BlockRecordHandle())));
    tags.push_back(drawing.MakeTag(100, "AcDbEntity"));
  }
  if (space.MarksPaperSpace()) tags.push_back(drawing.MakeTag(67, "1"));
  const std::u16string current = header.String("$CLAYER").value_or(u"0");
  const std::u16string_view layer = FindTableRecord(drawing, "LAYER", current) ? std::u16string_view(current) : u"0";
  tags.push_back(drawing.MakeTag(8, drawing.Encode(layer)));
  // The current entity colour; BYLAYER (256) is what an entity without group 62 has.
  const auto color = header.Integer("$CECOLOR");
  if (color && *color != 256) tags.push_back(drawing.MakeIntegerTag(62, *color));
  if (subclassed) tags.push_back(drawing.MakeTag(100, marker));
  return tags;
}

void AddPoint(Drawing& drawing, std::vector<Tag>& tags, int code, Point p) {
  tags.push_back(drawing.MakeTag(code, p.x));
  tags.push_back(drawing.MakeTag(code + 10, p.y));
  tags.push_back(drawing.MakeTag(code + 20, p.z));
}

std::u16string CurrentTextStyle(Drawing& drawing) {
  const std::u16string style = HeaderView(drawing).String("$TEXTSTYLE").value_or(u"Standard");
  return FindTableRecord(drawing, "STYLE", style) ? style : u"Standard";
}

}  // namespace

Record& AddText(Drawing& drawing, const Space& space, std::u16string_view text, Point insertion, double height) {
  std::vector<Tag> tags = CommonTags(drawing, space, "TEXT", "AcDbText");
  AddPoint(drawing, tags, 10, insertion);
  tags.push_back(drawing.MakeTag(40, height));
  tags.push_back(drawing.MakeTag(1, drawing.Encode(text)));
  tags.push_back(drawing.MakeTag(7, drawing.Encode(CurrentTextStyle(drawing))));
  if (HasSubclasses(drawing.Version())) tags.push_back(drawing.MakeTag(100, "AcDbText"));
  return space.Append(std::move(tags));
}

Record& AddMText(Drawing& drawing, const Space& space, Point insertion, double width, std::u16string_view text) {
  if (!HasSubclasses(drawing.Version())) {
    throw DxfError("MTEXT needs a drawing of R13 or later; this one is " + std::string(ReleaseName(drawing.Version())));
  }
  std::vector<Tag> tags = CommonTags(drawing, space, "MTEXT", "AcDbMText");
  AddPoint(drawing, tags, 10, insertion);
  const double height = HeaderView(drawing).Double("$TEXTSIZE").value_or(2.5);
  tags.push_back(drawing.MakeTag(40, height));
  tags.push_back(drawing.MakeTag(41, width));
  tags.push_back(drawing.MakeIntegerTag(71, 1));
  tags.push_back(drawing.MakeIntegerTag(72, 1));
  tags.push_back(drawing.MakeTag(1, ""));
  tags.push_back(drawing.MakeTag(7, drawing.Encode(CurrentTextStyle(drawing))));
  Record& record = space.Append(std::move(tags));
  MTextView(drawing, record).SetTextString(text);
  return record;
}

Record& AddSolid(Drawing& drawing, const Space& space, const std::array<Point, 4>& corners) {
  std::vector<Tag> tags = CommonTags(drawing, space, "SOLID", "AcDbTrace");
  for (int i = 0; i < 4; ++i) AddPoint(drawing, tags, 10 + i, corners[static_cast<std::size_t>(i)]);
  return space.Append(std::move(tags));
}

}  // namespace zil::drawing
