#include "mtext/mtext_commands.h"

#include <string>
#include <variant>

#include "acad/error.h"
#include "acad/undo_group.h"
#include "mtext/command_scope.h"
#include "mtext/mtext_lines.h"
#include "mtext/mtext_writer.h"
#include "mtext/numbers.h"
#include "mtext/text_record.h"

namespace zil::mtext {

namespace {

double AsDouble(const acad::Value& value, const char* name) {
  if (const auto* d = std::get_if<double>(&value)) return *d;
  if (const auto* i = std::get_if<std::int32_t>(&value)) return *i;
  throw acad::Error(std::string("The system variable ") + name + " is not a number");
}

bool IsKeywordReply(const acad::Error& e) {
  return std::string_view(e.what()).find("keyword") != std::string_view::npos;
}

void ShowStatus(MTextEditing& editing, std::u16string style, std::u16string font, double height) {
  editing.styleName = std::move(style);
  editing.fontName = std::move(font);
  editing.height = height;
  editing.spacing = FormatGeneral5(1.5 * height);
}

// Writes an edited MText back (the editor's OK).
void WriteBack(Context& c, acad::Entity& mtext, const MTextEditing& editing) {
  if (editing.lines.empty()) return;
  const textcore::FontConverter& conv = c.fonts.conv;
  MTextPlacement place{mtext.InsertionPoint(), mtext.Height(), c.host.CurStyleName};
  if (editing.explode) {
    const double spacing = ParseLineSpacing(editing.spacing);
    mtext.Erase();
    const int alignment = editing.alignRight ? kAlignRight : kAlignLeft;
    for (const std::u16string& line : editing.lines) {
      const std::u16string converted = conv.EditToacadWin(line, c.fonts.inistr.reverseTTF);
      if (!converted.empty()) {
        const acad::EntityPtr text = c.host.AcadSpace->AddText(converted, place.point, place.height);
        text->SetStyleName(place.styleName);
        text->SetHeight(place.height);
        text->SetHorizontalAlignment(alignment);
        text->SetVerticalAlignment(kVerticalTop);
        PlaceLine(*text, place.point, alignment);
      }
      place.point.y -= spacing;
    }
    return;
  }
  std::vector<std::u16string> converted;
  converted.reserve(editing.lines.size());
  for (const std::u16string& line : editing.lines)
    converted.push_back(conv.EditToacadWin(line, c.fonts.inistr.reverseTTF));
  const std::u16string contents = JoinParagraphs(converted);
  place.height = mtext.Height();
  const double width = MeasureMTextWidth(c, converted[LongestLine(converted)], place);
  mtext.SetTextString(contents);
  mtext.SetWidth(width);
  mtext.SetAttachmentPoint(editing.alignRight ? kAttachTopRight : kAttachTopLeft);
  mtext.Update();
}

}  // namespace

void NewMText(Context& c, MTextEditor& editor) {
  acad::Document& doc = *c.host.AcadDoc;
  const acad::UndoGroup group(doc);
  c.host.CurLayerName = doc.ActiveLayer()->Name();
  const acad::Point point = doc.Utility()->GetPoint(std::nullopt, u">Start point:");
  const double defaultHeight = AsDouble(doc.GetVariable(u"TEXTSIZE"), "TEXTSIZE");
  double height = defaultHeight;
  try {
    height = doc.Utility()->GetDistance(point, u"Height : <" + FormatFixed(defaultHeight, 2) + u">");
  } catch (const acad::Error& e) {
    if (!IsKeywordReply(e)) throw;  // Enter alone takes the default; anything else ends the command
  }
  MTextPlacement place{acad::MakePoint(point.x, point.y, 0), height, {}};
  c.host.LoadActiveStyle(c.fonts);
  place.styleName = c.host.CurStyleName;

  MTextEditing editing;
  ShowStatus(editing, c.host.CurStyleName, c.host.CurStyle->FontFile(), height);
  if (!editor.Edit(editing)) return;
  const double spacing = editing.explode ? ParseLineSpacing(editing.spacing) : 0;
  WriteMTextLines(c, place, editing.lines, editing.explode, spacing, editing.alignRight ? kAlignRight : kAlignLeft);
}

void EditMText(Context& c, MTextEditor& editor, std::u16string_view handle) {
  acad::Document& doc = *c.host.AcadDoc;
  const acad::EntityPtr mtext = doc.HandleToObject(std::u16string(handle));
  const std::u16string contents = mtext->TextString();
  c.host.CurStyleName = mtext->StyleName();
  c.host.LoadNamedStyle(c.fonts);
  const acad::UndoGroup group(doc);
  const EnglishAtEnd english(c.keyboard);

  MTextEditing editing;
  editing.existingMText = true;
  for (const std::u16string& paragraph : EditorParagraphs(contents))
    editing.lines.push_back(c.fonts.conv.AcadToEditWin(paragraph));
  editing.alignRight = mtext->AttachmentPoint() == kAttachTopRight;
  ShowStatus(editing, c.host.CurStyleName, c.host.CurStyle->FontFile(), mtext->Height());
  if (editor.Edit(editing)) WriteBack(c, *mtext, editing);
}

void ConvertTextsToMText(Context& c, MTextEditor& editor) {
  acad::Document& doc = *c.host.AcadDoc;
  const acad::UndoGroup group(doc);
  const EnglishAtEnd english(c.keyboard);
  c.host.CurLayerName = doc.ActiveLayer()->Name();
  const SelectionSetAtEnd picked(doc.SelectionSets()->Add(u"SSMText"));
  picked->SelectOnScreen({0}, {acad::Value(std::u16string(u"Text"))});
  const int n = picked->Count();
  if (n == 0) return;

  MTextPlacement place;
  int firstAlignment = kAlignLeft;
  std::vector<rstrec> records;
  records.reserve(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) {
    rstrec record;
    record.obj = picked->Item(i);
    acad::Entity& text = *record.obj;
    c.host.CurStyleName = text.StyleName();
    if (i == 0) {
      place.styleName = c.host.CurStyleName;
      c.host.CurLayerName = text.Layer();
      firstAlignment = text.HorizontalAlignment();
    }
    c.host.CurStyle = c.host.AcadTextStyles->Item(c.host.CurStyleName);
    c.fonts.conv.cStBack = c.host.CurStyle->TextGenerationFlag() == 2;
    const std::u16string drawn = text.TextString();
    c.fonts.SetFntType(c.host.CurStyle->FontFile(), drawn);
    record.s = c.fonts.conv.AcadToEditWin(drawn);
    const acad::Point at = text.InsertionPoint();
    record.x = at.x;
    record.y = at.y;
    record.z = at.z;
    records.push_back(std::move(record));
  }
  SortByReadingOrder(records);

  place.point = acad::MakePoint(records[0].x, records[0].y, records[0].z);
  place.height = records[0].obj->Height();
  // The lines are written in the first picked text's style, so they are converted under its font type.
  c.host.CurStyleName = place.styleName;
  c.host.LoadNamedStyle(c.fonts);

  MTextEditing editing;
  for (const rstrec& record : records) editing.lines.push_back(record.s);
  const bool presetRight = firstAlignment != kAlignLeft;
  editing.alignRight = presetRight;
  ShowStatus(editing, c.host.CurStyleName, c.fonts.conv.cStFont, place.height);
  if (!editor.Edit(editing)) return;

  const double spacing = editing.explode ? ParseLineSpacing(editing.spacing) : 0;
  int alignment = firstAlignment;
  if (editing.alignRight != presetRight) alignment = editing.alignRight ? kAlignRight : kAlignLeft;
  picked->Erase();
  WriteMTextLines(c, place, editing.lines, editing.explode, spacing, alignment);
}

}  // namespace zil::mtext
