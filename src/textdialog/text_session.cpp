#include "textdialog/text_session.h"

#include <stdexcept>

#include "acad/error.h"
#include "config/font_name.h"
#include "platform/ascii_case.h"
#include "textcore/utf8.h"
#include "textdialog/justification.h"
#include "textdialog/number_text.h"

namespace zil::textdialog {
namespace {

constexpr double kPi = 3.141592653589793;
constexpr int kSingleLineText = acad::kEntityText;

std::u16string FontOf(const acad::TextStyle& style) {
  std::u16string font = style.FontFile();
  if (font.empty()) font = style.BigFontFile();
  return font;
}

std::u16string StringVariable(acad::Document& doc, const std::u16string& name) {
  const acad::Value value = doc.GetVariable(name);
  if (const auto* text = std::get_if<std::u16string>(&value)) return *text;
  throw acad::Error("GetVariable: " + textcore::ToUtf8(name) + " is not a name");
}

}  // namespace

TextSession::TextSession(acad::HostState& host, config::FontDefinitions& fonts, TextDialogState& shared)
    : host_(host), fonts_(fonts), shared_(shared) {}

acad::Document& TextSession::Doc() const {
  if (!host_.AcadDoc) throw acad::Error("No active drawing: the host was not refreshed");
  return *host_.AcadDoc;
}

template <typename Steps>
Opening TextSession::Prepare(Steps&& steps) {
  try {
    return steps();
  } catch (...) {
    // The dialog will not show: its undo group ends here rather than stay open in the drawing.
    if (undoOpen_) {
      try {
        Doc().EndUndoMark();
      } catch (const std::exception&) {
        // Ending the group is all that can be done; the preparation's own error is the one to report.
      }
      undoOpen_ = false;
    }
    throw;
  }
}

Opening TextSession::GetinputNewtext() {
  edkind = edNew;
  shared_.EditorKind = kWindowsEditor;
  return Prepare([this] {
    Doc().StartUndoMark();
    undoOpen_ = true;
    eText = nullptr;
    changeF = false;
    host_.LoadActiveStyle(fonts_);
    eText = Doc().HandleToObject(chandle);
    HCurText = eText->Height();
    AngText = eText->Rotation();
    Opening opening;
    FillStyleMenu(opening);
    host_.CurStyle = Doc().ActiveTextStyle();
    host_.CurStyleName = host_.CurStyle->Name();
    UseStyleFont(u"");
    shared_.PendingFontName.clear();
    curText.clear();
    changeF = true;
    opening.caption = Caption(eText->StyleName(), host_.CurStyle->FontFile());
    opening.fontTypeName = FontTypeName();
    return opening;
  });
}

Opening TextSession::GetinputEdittext() {
  edkind = edEdit;
  shared_.EditorKind = kWindowsEditor;
  return Prepare([this] {
    Doc().StartUndoMark();
    undoOpen_ = true;
    changeF = false;
    host_.LoadActiveStyle(fonts_);
    eText = Doc().HandleToObject(chandle);
    isDim = UpperAscii(eText->ObjectName()).find(u"DIM") != std::u16string::npos;
    Opening opening;
    FillStyleMenu(opening);
    shared_.PendingFontName.clear();
    if (isDim) {
      HCurText = 0;
      curText = eText->TextOverride();
      if (curText.empty()) curText = u"<>";
    } else {
      curText = eText->TextString();
      HCurText = eText->Height();
    }
    DetermineStyle(curText);
    changeF = true;
    opening.caption = Caption(eText->StyleName(), host_.CurStyle->FontFile());
    opening.fontTypeName = FontTypeName();
    return opening;
  });
}

void TextSession::FillStyleMenu(Opening& opening) {
  const int count = host_.AcadTextStyles->Count();
  for (int i = 0; i < count; ++i) {
    std::u16string name = host_.AcadTextStyles->Item(i)->Name();
    if (name.empty()) continue;
    const bool checked = name == host_.CurStyleName;
    opening.styles.push_back({std::move(name), checked});
  }
  const double h = host_.CurStyle->Height();
  opening.styleHeightFixed = h > 0;
  const char16_t separator = DecimalSeparator();
  if (edkind == edNew) {
    opening.heightText = FormatFixed(h > 0 ? h : HCurText, 2, separator);
    opening.angleText = FormatFixed(AngText * 180 / kPi, 1, separator);
    // Backwards text starts at its left end; every other at its right end, where Hebrew starts.
    opening.justification = fonts_.conv.cStBack ? kJustifyLeft : kJustifyRight;
    curhjust = kJustifications[static_cast<std::size_t>(*opening.justification)].pair.horizontal;
    curvjust = 0;
    return;
  }
  if (eText->EntityType() == kSingleLineText) {
    HCurText = eText->Height();
    opening.heightText = FormatFixed(HCurText, 2, separator);
    AngText = eText->Rotation();
    opening.angleText = FormatFixed(AngText * 180 / kPi, 1, separator);
    curhjust = eText->HorizontalAlignment();
    curvjust = eText->VerticalAlignment();
    opening.justification = JustToCombo({curhjust, curvjust});
  }
}

void TextSession::DetermineStyle(std::u16string_view text) {
  if (isDim) {
    acad::Document& doc = Doc();
    std::shared_ptr<acad::DimStyle> remembered;
    bool swapped = false;
    try {
      remembered = doc.ActiveDimStyle();
      host_.CurStyleName = eText->StyleName();
      doc.SetActiveDimStyle(doc.DimStyles()->Item(host_.CurStyleName));
      swapped = true;
      host_.CurStyleName = StringVariable(doc, u"DIMTXSTY");
      host_.CurStyle = host_.AcadTextStyles->Item(host_.CurStyleName);
      doc.SetActiveDimStyle(remembered);
    } catch (const std::exception&) {
      // The drawing's current dimension style goes back to what it was before the text style of the
      // current one is taken.
      if (swapped) doc.SetActiveDimStyle(remembered);
      host_.CurStyleName = StringVariable(doc, u"DIMTXSTY");
      host_.CurStyle = host_.AcadTextStyles->Item(host_.CurStyleName);
    }
  } else {
    host_.CurStyleName = eText->StyleName();
    host_.CurStyle = host_.AcadTextStyles->Item(host_.CurStyleName);
  }
  UseStyleFont(text);
}

void TextSession::UseStyleFont(std::u16string_view text) {
  const std::u16string font = FontOf(*host_.CurStyle);
  fonts_.conv.cStBack = host_.CurStyle->TextGenerationFlag() == 2;
  fonts_.SetFntType(font, text);
}

std::u16string TextSession::SwitchEditor(int editor) {
  shared_.EditorKind = static_cast<std::int8_t>(editor);
  if (curText.empty()) {
    scrText.clear();
  } else {
    scrText = editor == kStoredOrderEditor ? fonts_.conv.AcadToEditDos(curText) : fonts_.conv.AcadToEditWin(curText);
  }
  return scrText;
}

std::u16string TextSession::Convert(std::u16string_view editorText, int editor) const {
  if (editorText.empty()) return {};
  return editor == kStoredOrderEditor ? fonts_.conv.EditToacadDos(editorText)
                                      : fonts_.conv.EditToacadWin(editorText, fonts_.inistr.reverseTTF);
}

void TextSession::Write(const std::u16string& drawingText) {
  if (isDim) {
    eText->SetTextOverride(drawingText);
  } else {
    eText->SetTextString(drawingText);
  }
}

void TextSession::WriteLive(std::u16string_view editorText, int editor) {
  scrText = editorText;
  curText = Convert(scrText, editor);
  Write(curText);
  eText->Update();
}

void TextSession::LiveUpdate(std::u16string_view editorText, int editor) {
  if (!eText || !changeF) return;
  WriteLive(editorText, editor);
}

void TextSession::ApplyHeight(std::u16string_view text) {
  if (!eText || eText->EntityType() != kSingleLineText || !isHeightCh) return;
  isHeightCh = false;
  hhText = ParseNumber(text, DecimalSeparator());
  eText->SetHeight(hhText);
  HCurText = hhText;
  eText->Update();
}

void TextSession::ApplyAngle(std::u16string_view text) {
  if (!eText || eText->EntityType() != kSingleLineText || !isAngCh) return;
  isAngCh = false;
  AngText = ParseNumber(text, DecimalSeparator()) * kPi / 180;
  eText->SetRotation(AngText);
  eText->Update();
}

void TextSession::ChooseJustification(int index) {
  const std::optional<Justification> pair = ComboToJust(index);
  if (!pair || !eText) return;
  curhjust = pair->horizontal;
  curvjust = pair->vertical;
  const acad::Point old = eText->InsertionPoint();
  eText->SetHorizontalAlignment(curhjust);
  eText->SetVerticalAlignment(curvjust);
  eText->Update();
  const acad::Point moved = eText->InsertionPoint();
  eText->Move(moved, old);
  eText->Update();
}

StyleChange TextSession::ChooseStyle(const std::u16string& name, std::u16string_view editorText, int editor) {
  if (isDim)
    throw std::runtime_error(
        "A dimension's text takes the text style of its dimension style: change the dimension style to change it");
  host_.CurStyle = host_.AcadTextStyles->Item(name);
  if (edkind == edNew) Doc().SetVariable(u"TextStyle", name);
  eText->SetStyleName(name);
  const std::u16string font = FontOf(*host_.CurStyle);
  fonts_.conv.cStBack = host_.CurStyle->TextGenerationFlag() == 2;
  fonts_.SetFntType(font);
  scrText = editorText;
  const std::u16string written = Convert(scrText, editor);
  eText->SetTextString(written);
  eText->Update();
  curText = written;
  return {Caption(name, font), FontTypeName(), host_.CurStyle->Height() > 0};
}

FontTypeChange TextSession::ApplyFontType(std::u16string_view editorText, int editor) {
  fonts_.conv.cStType = NextFontType(fonts_.conv.cStType);
  FontTypeChange change{FontTypeName(), std::nullopt};
  shared_.PendingFontName = fonts_.conv.cStFont;
  shared_.PendingFontType = fonts_.conv.cStType;
  if (!eText || (editor == kWindowsEditor && editorText.empty())) return change;
  if (edkind == edNew) {
    WriteLive(editorText, editor);
  } else {
    const std::u16string stored = EntityText();
    change.editorText =
        editor == kStoredOrderEditor ? fonts_.conv.AcadToEditDos(stored) : fonts_.conv.AcadToEditWin(stored);
  }
  return change;
}

std::u16string TextSession::EntityText() const {
  if (!isDim) return eText->TextString();
  std::u16string text = eText->TextOverride();
  return text.empty() ? u"<>" : text;
}

void TextSession::NewLine() {
  const double h = eText->Height();
  const acad::Point p = eText->InsertionPoint();
  acad::Point q = p;
  q.y -= 1.5 * h;  // along world Y, whatever the rotation
  acad::EntityPtr copy = eText->Copy();
  copy->Move(p, q);
  if (!scrText.empty()) lineKept_ = true;
  eText = std::move(copy);
  lineCopied_ = true;
}

void TextSession::FinishNewLine() {
  curText.clear();
  scrText.clear();
  eText->Update();
}

OkOutcome TextSession::Ok(std::u16string_view editorText, int editor) {
  if (!shared_.PendingFontName.empty()) fonts_.changefnt(shared_.PendingFontName, shared_.PendingFontType);
  if (scrText.empty() && eText && lineCopied_ && (edkind == edEdit || lineKept_)) {
    // Nothing typed on the line New Line started: that line goes, the lines written before it stay.
    eText->Erase();
    eText = nullptr;
    return OkOutcome::EmptyLineDropped;
  }
  if (edkind == edNew && scrText.empty()) {
    doundo = true;
    return OkOutcome::ActsAsCancel;
  }
  changeF = false;
  scrText = editorText;
  const std::u16string written = Convert(scrText, editor);
  if (eText) {
    Write(written);
    if (eText->EntityType() == kSingleLineText) {
      eText->SetHeight(HCurText);
      eText->SetRotation(AngText);
      eText->SetHorizontalAlignment(curhjust);
      eText->SetVerticalAlignment(curvjust);
    }
    eText->Update();
  }
  eText = nullptr;
  return OkOutcome::Written;
}

void TextSession::Close() {
  try {
    Doc().EndUndoMark();
  } catch (const std::exception&) {
    // Ending the undo group may fail (the drawing went away); closing goes on regardless.
  }
  undoOpen_ = false;
  if (!doundo) return;
  Doc().SendCommand(u"U ");                       // the dialog's undo group
  if (edkind == edNew) Doc().SendCommand(u"U ");  // the placement of the text before the dialog
}

std::array<std::optional<bool>, kSymbolButtons> TextSession::ShowSymbolButtons() {
  std::array<std::optional<bool>, kSymbolButtons> shown;
  config::FontTable& table = fonts_.table;
  const std::u16string font = UpperAscii(fonts_.conv.cStFont);
  for (std::size_t k = 0; k < table.fontsyms.size(); ++k) {
    if (UpperAscii(table.fontsyms[k].name) != font) continue;
    table.csymb = k;
    for (std::size_t j = 0; j < shown.size(); ++j) shown[j] = table.fontsyms[k].b[j] != 0;
    isHebsymb = true;
    return shown;
  }
  isHebsymb = false;
  for (std::size_t j = 3; j < shown.size(); ++j) shown[j] = false;
  return shown;
}

std::u16string TextSession::InsertSymbol(int i) const {
  if (i < 1 || i > kSymbolButtons) return {};
  const config::FontTable& table = fonts_.table;
  if (isHebsymb && table.csymb && *table.csymb < table.fontsyms.size())
    return SymbolCodeText(table.fontsyms[*table.csymb].b[static_cast<std::size_t>(i - 1)], isDim);
  return std::u16string(kFixedSymbolTexts[static_cast<std::size_t>(i - 1)]);
}

std::u16string TextSession::KeyText(unsigned shift, unsigned key) const {
  return textdialog::KeyText(fonts_.keys, shift, key, isDim);
}

std::u16string TextSession::FontTypeName() const { return std::u16string(FontTypeCaption(fonts_.conv.cStType)); }

std::u16string TextSession::Caption(std::u16string_view styleName, std::u16string_view fontFile) const {
  return u"  Style: " + std::u16string(styleName) + u"; Font: " + std::u16string(config::FileNamePart(fontFile));
}

}  // namespace zil::textdialog
