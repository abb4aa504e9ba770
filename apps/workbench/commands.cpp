#include "commands.h"

#include <QString>
#include <array>
#include <cmath>
#include <numbers>
#include <string>

#include "acad/error.h"
#include "command_line.h"
#include "drawing/tag_values.h"
#include "drawing_view.h"
#include "platform/file_choosers.h"
#include "textcore/utf8.h"
#include "workbench.h"
#include "workbench_input.h"

namespace zil::workbench {
namespace {

using Kind = standin::Answer::Kind;

std::u16string Fixed(double v) { return QString::number(v, 'f', 4).toStdU16String(); }

std::u16string HandleOf(const drawing::Record& record) {
  return textcore::FromUtf8(drawing::FormatHandle(record.Handle()));
}

bool OneOf(std::string_view type, std::initializer_list<std::string_view> types) {
  for (std::string_view t : types)
    if (type == t) return true;
  return false;
}

// Picks one entity of the given types; nullptr when the user ends the prompt.
drawing::Record* PickOf(Workbench& wb, const QString& prompt, bool nested,
                        std::initializer_list<std::string_view> types, const QString& refusal) {
  for (;;) {
    const EntityAnswer answer = wb.Input().AskEntity(prompt, nested);
    if (!answer.record) return nullptr;
    if (OneOf(answer.record->Type(), types)) return answer.record;
    const std::string_view type = answer.record->Type();
    wb.Line().Error(QString::fromUtf8(type.data(), static_cast<qsizetype>(type.size())) + QStringLiteral(" picked: ") +
                    refusal);
  }
}

// --- the add-in's commands ---

// TEXT: the command layer places a text (start point, height, rotation; the current style and layer) as
// one undo step, then hands it to the text dialog. The placement holds a space, which the dialog's first
// keystroke replaces; when the member fails, the placement is taken back, so no empty text is left.
void NewText(Workbench& wb) {
  const auto doc = wb.Host().ActiveDocument();
  WorkbenchInput& in = wb.Input();
  const standin::Answer start = in.Ask({standin::PromptKind::Point, u"Specify start point of text:", std::nullopt});
  if (start.kind != Kind::Point) return;
  const acad::Point at = start.point;

  double height = doc->ActiveTextStyle()->Height();
  const bool fixedHeight = height > 0;
  while (!fixedHeight && !(height > 0)) {
    const double last = std::get<double>(doc->GetVariable(u"TEXTSIZE"));
    const standin::Answer answer =
        in.Ask({standin::PromptKind::Distance, u"Specify height <" + Fixed(last) + u">:", at});
    if (answer.kind == Kind::Cancel) return;
    if (answer.kind == Kind::Enter) height = last;
    if (answer.kind == Kind::Distance) height = answer.distance;
    if (answer.kind == Kind::Point) height = std::hypot(answer.point.x - at.x, answer.point.y - at.y);
    if (!(height > 0)) wb.Line().Error(QStringLiteral("The height must be above 0."));
  }

  const double lastDegrees = wb.Memory().rotationDegrees;
  const standin::Answer turn =
      in.Ask({standin::PromptKind::Distance, u"Specify rotation angle of text <" + Fixed(lastDegrees) + u">:", at});
  double degrees = lastDegrees;
  if (turn.kind == Kind::Cancel) return;
  if (turn.kind == Kind::Distance) degrees = turn.distance;
  if (turn.kind == Kind::Point) {
    degrees = std::atan2(turn.point.y - at.y, turn.point.x - at.x) * 180 / std::numbers::pi;
  }
  wb.Memory().rotationDegrees = degrees;

  doc->StartUndoMark();
  acad::EntityPtr text;
  try {
    text = wb.ShownSpace()->AddText(u" ", at, height);
    if (degrees != 0) text->SetRotation(degrees * std::numbers::pi / 180);
    if (!fixedHeight) doc->SetVariable(u"TEXTSIZE", height);
  } catch (...) {
    doc->EndUndoMark();
    throw;
  }
  doc->EndUndoMark();
  text->Update();
  const automation::InvokeResult result = wb.Call(u"newtext", {text->Handle()});
  if (automation::Failed(result.hr)) {
    wb.Line().Message(QStringLiteral("The placed text is taken back."));
    wb.HostCommand(u"U ");
  }
}

void EditText(Workbench& wb) {
  drawing::Record* picked =
      PickOf(wb, QStringLiteral("Select a text to edit:"), false, {"TEXT", "MTEXT", "ATTDEF", "DIMENSION"},
             QStringLiteral("select a text, an MText, an attribute definition or a dimension (Block edits block "
                            "attributes)."));
  if (picked) wb.Call(u"edit", {HandleOf(*picked)});
}

// BLOCK: a block reference or one of its attributes; while the member answers "NEXT" in Hebstr, the next.
void EditBlock(Workbench& wb) {
  QString prompt = QStringLiteral("Select a block or an attribute:");
  for (;;) {
    drawing::Record* picked =
        PickOf(wb, prompt, true, {"INSERT", "ATTRIB"}, QStringLiteral("select a block reference or an attribute."));
    if (!picked) return;
    const automation::InvokeResult result = wb.Call(u"block", {HandleOf(*picked)});
    if (automation::Failed(result.hr) || wb.Hebstr() != u"NEXT") return;
    prompt = QStringLiteral("Select the next block:");
  }
}

void NewMText(Workbench& wb) { wb.Call(u"mtext", {std::u16string()}); }

void EditMText(Workbench& wb) {
  drawing::Record* picked =
      PickOf(wb, QStringLiteral("Select an MText to edit:"), false, {"MTEXT"}, QStringLiteral("select an MText."));
  if (picked) wb.Call(u"mtext", {HandleOf(*picked)});
}

void Replace(Workbench& wb) { wb.Call(u"replace"); }
void TextToMText(Workbench& wb) { wb.Call(u"HtoMtext"); }
void Library(Workbench& wb) { wb.Call(u"Hlib"); }

void Fonts(Workbench& wb) {
  wb.Call(u"FontTable");
  wb.RebuildScene();  // the fonts' types may have changed, and with them how texts draw
}

void FontChart(Workbench& wb) { wb.Call(u"HShowfont"); }
void PlotPreparation(Workbench& wb) { wb.Call(u"Hplot"); }
void ConvertForRevit(Workbench& wb) { wb.Call(u"Convert"); }
void FontConversion(Workbench& wb) {
  wb.Call(u"Cmd", {std::u16string(u"hfont_convert"), std::u16string(), std::u16string()});
}
void About(Workbench& wb) { wb.Call(u"Cmd", {std::u16string(u"about_zil"), std::u16string(), std::u16string()}); }
void HebrewKeys(Workbench& wb) {
  wb.Call(u"Cmd", {std::u16string(u"set_lang"), std::u16string(u"heb"), std::u16string()});
}
void EnglishKeys(Workbench& wb) {
  wb.Call(u"Cmd", {std::u16string(u"set_lang"), std::u16string(u"eng"), std::u16string()});
}

// --- AutoCAD's own ---

void Undo(Workbench& wb) { wb.HostCommand(u"U "); }
void Redo(Workbench& wb) { wb.HostCommand(u"REDO "); }
void ZoomExtents(Workbench& wb) { wb.View().ZoomExtents(); }

void ZoomWindow(Workbench& wb) {
  const standin::Answer first = wb.Input().Ask({standin::PromptKind::Point, u"Specify first corner:", std::nullopt});
  if (first.kind != Kind::Point) return;
  const standin::Answer second = wb.Input().AskCorner(QStringLiteral("Specify opposite corner:"), first.point);
  if (second.kind != Kind::Point) return;
  Box2 window;
  window.Add(Vec2{first.point.x, first.point.y});
  window.Add(Vec2{second.point.x, second.point.y});
  wb.View().ZoomWindow(window);
}

void OpenDrawing(Workbench& wb) {
  platform::FileChoice choice{u"Open a drawing", u"DXF drawings (ASCII)|*.dxf;*.DXF|All files|*", u"dxf", {}, {}};
  if (const auto document = wb.Document()) choice.initialFolder = document->File().parent_path();
  if (const auto file = wb.Services().files.ChooseFileToOpen(choice)) wb.Open(*file);
}

void SaveDrawing(Workbench& wb) { wb.Save(); }
void SaveDrawingAs(Workbench& wb) { wb.SaveAs(); }
void Quit(Workbench& wb) { wb.close(); }

constexpr std::array kCommands = {
    WorkbenchCommand{"OPEN", "&File", "&Open...", "Ctrl+O", false, false, "open a DXF drawing (ASCII, R12 to R2018)",
                     OpenDrawing},
    WorkbenchCommand{"QSAVE", "&File", "&Save", "Ctrl+S", false, true, "save the drawing to its file", SaveDrawing},
    WorkbenchCommand{"SAVEAS", "&File", "Save &As...", "Ctrl+Shift+S", false, true,
                     "save the drawing under another name", SaveDrawingAs},
    WorkbenchCommand{"QUIT", "&File", "E&xit", "Ctrl+Q", false, false, "close the workbench (asks to save changes)",
                     Quit},
    WorkbenchCommand{"U", "&Edit", "&Undo", "Ctrl+Z", true, true, "undo the last command", Undo},
    WorkbenchCommand{"REDO", "&Edit", "&Redo", "Ctrl+Y", true, true, "put back what the last undo took back", Redo},
    WorkbenchCommand{"ZE", "&View", "Zoom &Extents", "Home", true, true, "zoom to everything drawn", ZoomExtents},
    WorkbenchCommand{"ZW", "&View", "Zoom &Window", nullptr, false, true, "zoom to a window of two corners",
                     ZoomWindow},
    WorkbenchCommand{"TEXT", "&Hebrew", "New &Text", "Ctrl+T", true, true,
                     "place a text (start point, height, rotation) and type it in the text dialog (newtext)", NewText},
    WorkbenchCommand{"EDIT", "&Hebrew", "&Edit Text", "Ctrl+E", true, true,
                     "pick a text, MText, attribute definition or dimension and edit it (edit)", EditText},
    WorkbenchCommand{"BLOCK", "&Hebrew", "&Block Attributes", nullptr, true, true,
                     "pick a block reference or an attribute and edit its attributes (block), block after block",
                     EditBlock},
    WorkbenchCommand{"MTEXT", "&Hebrew", "New &MText", nullptr, true, true,
                     "a new multi-line text in the MText editor (mtext)", NewMText},
    WorkbenchCommand{"MTEDIT", "&Hebrew", "Edit M&Text", nullptr, false, true,
                     "pick an MText and edit it in the MText editor (mtext)", EditMText},
    WorkbenchCommand{"REPLACE", "&Hebrew", "&Replace...", "Ctrl+H", true, true,
                     "find and replace in the drawing's texts (replace)", Replace},
    WorkbenchCommand{"TXT2MTXT", "&Hebrew", "Text to MText", nullptr, false, true,
                     "turn single-line texts into an MText (HtoMtext)", TextToMText},
    WorkbenchCommand{"LIBRARY", "&Hebrew", "&Library...", nullptr, true, true,
                     "the text library: place texts from it (Hlib)", Library},
    WorkbenchCommand{"HEBKEYS", "&Hebrew", "Hebrew &Keyboard", nullptr, false, false,
                     "switch the keyboard to Hebrew (Cmd set_lang heb)", HebrewKeys},
    WorkbenchCommand{"ENGKEYS", "&Hebrew", "En&glish Keyboard", nullptr, false, false,
                     "switch the keyboard to English (Cmd set_lang eng)", EnglishKeys},
    WorkbenchCommand{"FONTS", "&Drawing", "&Fonts...", nullptr, false, false,
                     "the font table: which font draws Hebrew in which way (FontTable)", Fonts},
    WorkbenchCommand{"FONTCHART", "&Drawing", "Font &Chart", nullptr, false, true,
                     "a chart of the current font's 256 characters, removed again when its alert is closed (HShowfont)",
                     FontChart},
    WorkbenchCommand{"PLOTPREP", "&Drawing", "&Plot Preparation", nullptr, false, true,
                     "put TrueType texts in display order and plot to PDF (Hplot, then PLOT)", PlotPreparation},
    WorkbenchCommand{"REVIT", "&Drawing", "Convert for &Revit...", nullptr, false, true,
                     "convert a copy of the drawing for Revit (Convert)", ConvertForRevit},
    WorkbenchCommand{"FONTCONV", "&Drawing", "Font Con&version...", nullptr, false, true,
                     "convert or remap the texts of some fonts (Cmd hfont_convert)", FontConversion},
    WorkbenchCommand{"ABOUT", "Hel&p", "&About zil", nullptr, false, false, "about the add-in (Cmd about_zil)", About},
};

}  // namespace

std::span<const WorkbenchCommand> Commands() { return kCommands; }

const WorkbenchCommand* FindCommand(QStringView name) {
  const QString wanted = name.trimmed().toString();
  for (const WorkbenchCommand& command : kCommands)
    if (wanted.compare(QLatin1String(command.name), Qt::CaseInsensitive) == 0) return &command;
  return nullptr;
}

}  // namespace zil::workbench
