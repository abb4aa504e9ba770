#include "drawing/standin/system_variables.h"

#include <array>
#include <cmath>

#include "acad/error.h"
#include "drawing/header_view.h"
#include "drawing/spaces.h"
#include "drawing/standin/application.h"
#include "drawing/standin/document.h"
#include "drawing/table_views.h"
#include "drawing/tag_edit.h"
#include "drawing/tag_values.h"
#include "platform/ascii_case.h"
#include "textcore/utf8.h"

namespace zil::standin {
namespace {

// A name in upper case, as the header names its variables; "" for a name with a character beyond ASCII,
// which names none.
std::string VariableName(const std::u16string& name) {
  std::string upper;
  for (char16_t c : name) {
    if (c > 0x7F) return {};
    upper += static_cast<char>(UpperAscii(c));
  }
  return upper;
}

double Number(const acad::Value& value, const std::string& name) {
  if (const auto* d = std::get_if<double>(&value)) return *d;
  if (const auto* i = std::get_if<std::int32_t>(&value)) return *i;
  throw acad::Error("SetVariable: " + name + " takes a number");
}

const std::u16string& Text(const acad::Value& value, const std::string& name) {
  if (const auto* s = std::get_if<std::u16string>(&value)) return *s;
  throw acad::Error("SetVariable: " + name + " takes a string");
}

// The records of the view: the active VPORT of model space, or paper space's own VIEWPORT.
drawing::Record* ViewRecord(StandInDocument& document, bool& paper) {
  drawing::Drawing& d = document.Dwg();
  paper = document.ActiveSpace() != acad::kModelSpace;
  if (!paper) {
    for (drawing::Record* r : drawing::TableRecords(d, "VPORT")) {
      const drawing::Tag* name = r->Find(2);
      if (name && drawing::SameName(d.Decode(name->value), u"*Active")) return r;
    }
    return nullptr;
  }
  for (drawing::Record* r : drawing::PaperSpace(d).Entities()) {
    if (r->Type() != "VIEWPORT") continue;
    const drawing::Tag* id = r->Find(69);
    if (id && drawing::ToInteger(drawing::Trimmed(id->value)) == 1) return r;
  }
  return nullptr;
}

constexpr std::array kVportOrder = {2,  70, 10, 20, 11, 21, 12, 22, 13, 23, 14,
                                    24, 15, 25, 16, 26, 36, 17, 27, 37, 40, 41};
constexpr std::array kViewportOrder = {10, 20, 30, 40, 41, 68, 69, 12, 22, 13, 23, 14, 24,
                                       15, 25, 16, 26, 36, 17, 27, 37, 42, 43, 44, 45};

std::u16string ColorText(long long color) {
  if (color == 256) return u"BYLAYER";
  if (color == 0) return u"BYBLOCK";
  return textcore::FromUtf8(std::to_string(color));
}

}  // namespace

// The text style of a dimension style (group 340, a STYLE handle), or empty.
std::u16string DimensionTextStyle(drawing::Drawing& d, drawing::Record& style) {
  const drawing::Tag* handle = style.Find(340);
  if (!handle) return {};
  const auto value = drawing::ToHandle(drawing::Trimmed(handle->value));
  drawing::Record* record = value ? d.FindByHandle(*value) : nullptr;
  if (!record || record->Erased() || record->Type() != "STYLE") return {};
  return drawing::StyleView(d, *record).Name();
}

View ReadView(StandInDocument& document) {
  drawing::Drawing& d = document.Dwg();
  bool paper = false;
  if (drawing::Record* r = ViewRecord(document, paper)) {
    const auto value = [&](int code) {
      const drawing::Tag* tag = r->Find(code);
      return tag ? drawing::DoubleOf(*tag, d.File()) : 0.0;
    };
    return {{value(12), value(22), 0}, value(paper ? 45 : 40)};
  }
  drawing::HeaderView header(d);
  const drawing::Tag* center = header.Value("$VIEWCTR", 10);
  const auto size = header.Double("$VIEWSIZE");
  if (center && size) {
    const drawing::Tag* y = header.Value("$VIEWCTR", 20);
    return {{drawing::DoubleOf(*center, d.File()), y ? drawing::DoubleOf(*y, d.File()) : 0, 0}, *size};
  }
  if (!document.OwnView()) {
    View view{{0, 0, 0}, 10};
    const auto low = header.Values("$EXTMIN");
    const auto high = header.Values("$EXTMAX");
    if (low.size() >= 2 && high.size() >= 2) {
      const double x0 = drawing::DoubleOf(low[0], d.File()), y0 = drawing::DoubleOf(low[1], d.File());
      const double x1 = drawing::DoubleOf(high[0], d.File()), y1 = drawing::DoubleOf(high[1], d.File());
      if (x1 >= x0 && y1 >= y0 && (x1 > x0 || y1 > y0))
        view = {{(x0 + x1) / 2, (y0 + y1) / 2, 0}, std::max(y1 - y0, 1e-9)};
    }
    document.OwnView() = view;
  }
  return *document.OwnView();
}

void WriteView(StandInDocument& document, const View& view) {
  drawing::Drawing& d = document.Dwg();
  UndoStack::Operation op(document.Undo());
  bool paper = false;
  if (drawing::Record* r = ViewRecord(document, paper)) {
    const drawing::Placement placement = paper ? drawing::Placement{"AcDbViewport", 1, kViewportOrder}
                                               : drawing::Placement{"AcDbViewportTableRecord", 1, kVportOrder};
    std::vector<drawing::Tag> tags = r->Tags();
    drawing::SetIn(d, tags, placement, 12, drawing::FormatDouble(view.center.x));
    drawing::SetIn(d, tags, placement, 22, drawing::FormatDouble(view.center.y));
    drawing::SetIn(d, tags, placement, paper ? 45 : 40, drawing::FormatDouble(view.height));
    d.SetTags(*r, std::move(tags));
    return;
  }
  drawing::HeaderView header(d);
  if (header.Value("$VIEWCTR", 10) && header.Double("$VIEWSIZE")) {
    header.SetDouble("$VIEWCTR", 10, view.center.x);
    header.SetDouble("$VIEWCTR", 20, view.center.y);
    header.SetDouble("$VIEWSIZE", 40, view.height);
    return;
  }
  document.OwnView() = view;
}

acad::Value ReadSystemVariable(StandInDocument& document, const std::u16string& name) {
  const std::string upper = VariableName(name);
  drawing::Drawing& d = document.Dwg();
  drawing::HeaderView header(d);
  if (upper == "VIEWCTR") return document.CurrentView().center;
  if (upper == "VIEWSIZE") return document.CurrentView().height;
  if (upper == "SCREENSIZE") {
    const ScreenSize screen = document.Application()->Screen();
    return acad::Point{static_cast<double>(screen.width), static_cast<double>(screen.height), 0};
  }
  if (upper == "TEXTSIZE") return header.Double("$TEXTSIZE").value_or(2.5);
  if (upper == "TEXTSTYLE") return header.String("$TEXTSTYLE").value_or(u"Standard");
  if (upper == "CECOLOR") return ColorText(header.Integer("$CECOLOR").value_or(256));
  if (upper == "CLAYER") return header.String("$CLAYER").value_or(u"0");
  if (upper == "DIMTXSTY") {
    if (auto style = header.String("$DIMTXSTY")) return *style;
    const std::u16string current = header.String("$DIMSTYLE").value_or(u"Standard");
    if (drawing::Record* r = drawing::FindTableRecord(d, "DIMSTYLE", current)) {
      const std::u16string style = DimensionTextStyle(d, *r);
      if (!style.empty()) return style;
    }
    return std::u16string(u"Standard");
  }
  // Any other header variable, by the group code of its value.
  const std::vector<drawing::Tag> values = upper.empty() ? std::vector<drawing::Tag>{} : header.Values("$" + upper);
  if (values.empty()) {
    throw acad::Error("GetVariable: the stand-in host has no system variable " + textcore::ToUtf8(name));
  }
  const drawing::Tag& first = values.front();
  const int code = first.code;
  if (code >= 10 && code <= 18) {
    acad::Point p{drawing::DoubleOf(first, d.File()), 0, 0};
    for (const drawing::Tag& tag : values) {
      if (tag.code == code + 10) p.y = drawing::DoubleOf(tag, d.File());
      if (tag.code == code + 20) p.z = drawing::DoubleOf(tag, d.File());
    }
    return p;
  }
  if (code >= 40 && code <= 59) return drawing::DoubleOf(first, d.File());
  if ((code >= 60 && code <= 99) || (code >= 170 && code <= 179) || (code >= 270 && code <= 289) ||
      (code >= 370 && code <= 389)) {
    return static_cast<std::int32_t>(drawing::IntegerOf(first, d.File()));
  }
  return d.Decode(first.value);
}

void WriteSystemVariable(StandInDocument& document, const std::u16string& name, const acad::Value& value) {
  const std::string upper = VariableName(name);
  const std::string shown = textcore::ToUtf8(name);
  drawing::Drawing& d = document.Dwg();
  drawing::HeaderView header(d);
  if (upper == "VIEWCTR" || upper == "VIEWSIZE" || upper == "SCREENSIZE") {
    throw acad::Error("SetVariable: " + shown + " is read only");
  }
  if (upper == "TEXTSIZE") {
    const double size = Number(value, shown);
    if (!(size > 0) || !std::isfinite(size)) throw acad::Error("SetVariable: TEXTSIZE must be above 0");
    UndoStack::Operation op(document.Undo());
    header.SetDouble("$TEXTSIZE", 40, size);
    return;
  }
  if (upper == "TEXTSTYLE" || upper == "DIMTXSTY") {
    const std::u16string& style = Text(value, shown);
    document.RequireTableRecord("STYLE", style, "text style");
    UndoStack::Operation op(document.Undo());
    header.SetString(upper == "TEXTSTYLE" ? "$TEXTSTYLE" : "$DIMTXSTY", 7, style);
    return;
  }
  if (upper == "CECOLOR") {
    const std::string text = VariableName(Text(value, shown));
    long long color = -1;
    if (text == "BYLAYER") {
      color = 256;
    } else if (text == "BYBLOCK") {
      color = 0;
    } else if (const auto number = drawing::ToInteger(text); number && *number >= 1 && *number <= 255) {
      color = *number;
    }
    if (color < 0) {
      throw acad::Error("SetVariable: CECOLOR takes \"BYLAYER\", \"BYBLOCK\" or a colour number 1 to 255, not \"" +
                        textcore::ToUtf8(std::get<std::u16string>(value)) + "\"");
    }
    UndoStack::Operation op(document.Undo());
    header.SetInteger("$CECOLOR", 62, color);
    return;
  }
  if (upper == "CLAYER") {
    const std::u16string& layer = Text(value, shown);
    document.RequireTableRecord("LAYER", layer, "layer");
    if (drawing::LayerView(d, *drawing::FindTableRecord(d, "LAYER", layer)).IsFrozen())
      throw acad::Error("SetVariable: the layer " + textcore::ToUtf8(layer) + " is frozen and cannot be current");
    UndoStack::Operation op(document.Undo());
    header.SetString("$CLAYER", 8, layer);
    return;
  }
  throw acad::Error("SetVariable: the stand-in host does not set the system variable " + shown);
}

}  // namespace zil::standin
