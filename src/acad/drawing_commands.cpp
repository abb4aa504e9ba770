#include "acad/drawing_commands.h"

#include <variant>

#include "acad/error.h"
#include "config/font_name.h"
#include "platform/ascii_case.h"
#include "textcore/codepage.h"
#include "textcore/conversions.h"
#include "textcore/visual_order.h"

namespace zil::acad {
namespace {

constexpr int kChartBackgroundColor = 251;
constexpr int kChartHeadingColor = 1;
constexpr char16_t kChartCellColor[] = u"2";
constexpr int kEntityKindKeepingState = 11;

double AsDouble(const Value& value, const char* name) {
  if (const auto* d = std::get_if<double>(&value)) return *d;
  if (const auto* i = std::get_if<std::int32_t>(&value)) return *i;
  throw Error(std::string("The system variable ") + name + " is not a number");
}

Point AsPoint(const Value& value, const char* name) {
  if (const auto* p = std::get_if<Point>(&value)) return *p;
  throw Error(std::string("The system variable ") + name + " is not a point");
}

std::u16string HexDigit(int digit) { return std::u16string(1, u"0123456789ABCDEF"[digit]); }

// Closes the undo group a failure would leave open. A second failure here is not reported: the first
// one is what the user must see.
void CloseGroupAfterFailure(Document& document) {
  try {
    document.EndUndoMark();
  } catch (const std::exception&) {
  }
}

// Makes the entity's style current and classifies its font for the entity's text.
void UseEntityStyle(HostState& host, config::FontDefinitions& fonts, Entity& entity, std::u16string_view text) {
  host.CurStyleName = entity.StyleName();
  host.CurStyle = host.AcadTextStyles->Item(host.CurStyleName);
  std::u16string font = host.CurStyle->FontFile();
  if (font.empty()) font = host.CurStyle->BigFontFile();
  fonts.conv.cStBack = host.CurStyle->TextGenerationFlag() == 2;
  fonts.SetFntType(font, text);
}

// The entity with `handle` when it is a single-line text or an attribute reference; else nullptr.
EntityPtr TextEntity(HostState& host, std::u16string_view handle) {
  EntityPtr entity = host.AcadDoc->HandleToObject(std::u16string(handle));
  const int type = entity->EntityType();
  return type == kEntityText || type == kEntityAttribute ? entity : nullptr;
}

}  // namespace

CharacterChart CharacterChart::ForView(const Point& center, double viewHeight, double screenWidth,
                                       double screenHeight) {
  CharacterChart c;
  const double h = viewHeight;
  const double w = h * screenWidth / screenHeight;
  c.x1 = center.x - 0.9 * w / 2;
  c.x2 = center.x + 0.9 * w / 2;
  c.top = center.y + 0.9 * h / 2;
  c.bottom = center.y - 0.9 * h / 2;
  c.m = (c.x2 - c.x1) / 20;
  c.l = (c.top - c.bottom) / 20;
  c.textHeight = 0.5 * c.l;
  return c;
}

Point CharacterChart::ColumnHeading(int j) const { return MakePoint2(x1 + 4 * m + j * m, top - 2 * l); }
Point CharacterChart::RowHeading(int i) const { return MakePoint2(x1 + 2 * m, top - 4 * l - i * l); }
Point CharacterChart::Cell(int i, int j) const { return MakePoint2(x1 + 4 * m + j * m, top - 4 * l - i * l); }

void HShowfont(HostState& host) {
  Document& document = *host.AcadDoc;
  document.StartUndoMark();
  try {
    const Point center = AsPoint(document.GetVariable(u"Viewctr"), "VIEWCTR");
    const double viewHeight = AsDouble(document.GetVariable(u"viewsize"), "VIEWSIZE");
    const Point screen = AsPoint(document.GetVariable(u"screensize"), "SCREENSIZE");
    const CharacterChart chart = CharacterChart::ForView(center, viewHeight, screen.x, screen.y);

    const EntityPtr background =
        host.AcadSpace->AddSolid(MakePoint2(chart.x1, chart.top), MakePoint2(chart.x2, chart.top),
                                 MakePoint2(chart.x1, chart.bottom), MakePoint2(chart.x2, chart.bottom));
    background->SetColor(kChartBackgroundColor);
    background->Update();
    document.SetVariable(u"CECOLOR", std::u16string(kChartCellColor));

    const auto heading = [&](const std::u16string& digit, const Point& at) {
      const EntityPtr text = host.AcadSpace->AddText(digit, at, chart.textHeight);
      text->SetColor(kChartHeadingColor);
      text->Update();
    };
    for (int j = 0; j < 16; ++j) heading(HexDigit(j), chart.ColumnHeading(j));
    for (int i = 0; i < 16; ++i) {
      heading(HexDigit(i), chart.RowHeading(i));
      for (int j = 0; j < 16; ++j) {
        const std::string code(1, static_cast<char>(16 * i + j));
        host.AcadSpace->AddText(textcore::FromAnsi(code), chart.Cell(i, j), chart.textHeight);
      }
    }
  } catch (...) {
    CloseGroupAfterFailure(document);
    throw;
  }
  document.EndUndoMark();
  document.SendCommand(std::u16string(kChartUndoCommand));
}

void Hplot(HostState& host, config::FontDefinitions& fonts) {
  Document& document = *host.AcadDoc;
  document.StartUndoMark();
  std::shared_ptr<SelectionSet> set;
  try {
    set = document.SelectionSets()->Add(std::u16string(kPlotSelectionSet));
    set->Select(kSelectAll, MakePoint(0, 0, 0), MakePoint(0, 0, 0), {0}, {Value(std::u16string(u"Text,MTEXT"))});
    const int n = set->Count();
    host.AcadTextStyles = document.TextStyles();
    if (n == 0) {
      set->Delete();
      set.reset();
      document.EndUndoMark();
      return;
    }
    for (int index = 0; index < n; ++index) {
      const EntityPtr e = set->Item(index);
      host.CurStyleName = e->StyleName();
      host.CurStyle = host.AcadTextStyles->Item(host.CurStyleName);
      const bool mtext = UpperAscii(e->ObjectName()).find(u"MTEXT") != std::u16string::npos;
      fonts.conv.cStBack = mtext ? e->DrawingDirection() == 2 : host.CurStyle->TextGenerationFlag() == 2;
      const std::u16string font = host.CurStyle->FontFile();
      if (!font.empty() && UpperAscii(config::ExtensionOf(font)) != u".TTF") continue;
      const std::u16string text = e->TextString();
      if (text.empty()) continue;
      e->SetTextString(textcore::FromAnsi(textcore::VisualOrder(fonts.conv.canvas, textcore::ToAnsi(text))));
      e->Update();
    }
    set->Delete();
    set.reset();
  } catch (...) {
    if (set) {
      try {
        set->Delete();  // the next Hplot could not add its set while this one is left
      } catch (const std::exception&) {
      }
    }
    CloseGroupAfterFailure(document);
    throw;
  }
  document.EndUndoMark();
  document.SendCommand(std::u16string(kPlotCommand));
}

void EntityAcadToStr(HostState& host, config::FontDefinitions& fonts, std::u16string_view handle, int kind,
                     std::u16string& resultString) {
  const EntityPtr entity = TextEntity(host, handle);
  if (!entity) return;
  const std::u16string text = entity->TextString();
  UseEntityStyle(host, fonts, *entity, text);
  textcore::FontConverter& conv = fonts.conv;
  if (kind == kEntityKindKeepingState) {
    conv.oldback = conv.cStBack;
    conv.oldst = conv.cStType;
  }
  resultString = textcore::FromAnsi(textcore::AcadToStr(textcore::ToAnsi(text), conv.cStType, conv.cStBack));
}

void EntityStrToAcad(HostState& host, config::FontDefinitions& fonts, std::u16string_view handle, int kind,
                     std::u16string& resultString) {
  const EntityPtr entity = TextEntity(host, handle);
  if (!entity) return;
  const std::u16string text = entity->TextString();
  textcore::FontConverter& conv = fonts.conv;
  if (kind == kEntityKindKeepingState) {
    conv.cStBack = conv.oldback;
    conv.cStType = conv.oldst;
  } else {
    UseEntityStyle(host, fonts, *entity, text);
  }
  resultString = textcore::FromAnsi(textcore::StrToAcad(textcore::ToAnsi(text), conv.cStType, conv.cStBack));
  entity->SetTextString(resultString);
}

}  // namespace zil::acad
