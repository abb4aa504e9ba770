#include "conversions/revit_conversion.h"

#include <algorithm>
#include <filesystem>

#include "config/font_name.h"
#include "conversions/mtext_paragraphs.h"
#include "conversions/text_placement.h"
#include "platform/ascii_case.h"
#include "textcore/exact_order.h"
#include "textcore/shx_glyphs.h"

namespace zil::conversions {
namespace {

bool Blank(const std::u16string& s) {
  return std::all_of(s.begin(), s.end(), [](char16_t c) { return c == u' '; });
}

// A drawing string of a font of `type` in the edit form a TrueType style shows: logical order, read left to
// right, reversed when the setting reverseTTF says so.
std::u16string ToEditForm(std::u16string_view s, fntType type, bool backwards, const config::FontDefinitions& fonts) {
  return fonts.conv.AAcadToEditWin(s, type, backwards, false, fonts.inistr.reverseTTF);
}

// The string written for drawing string `s` of style `r`.
std::u16string Converted(std::u16string_view s, const TstyleRec& r, bool backwards,
                         const config::FontDefinitions& fonts, RevitStrings strings) {
  if (strings == RevitStrings::EditForm) return ToEditForm(s, r.StType, backwards, fonts);
  return ExactRevitString(s, fonts.DrawnAs(r.Font, s), backwards);
}

}  // namespace

std::u16string ExactRevitString(std::u16string_view stored, const config::FontDefinitions::DrawnFont& drawn,
                                bool backwards, int* marks) {
  const textcore::Brackets brackets = drawn.hebrewShx ? textcore::Brackets::Mirrored : textcore::Brackets::AsGiven;
  const textcore::ExactText exact =
      textcore::ExactLogicalOrder(textcore::SeenGlyphs(textcore::ShxGlyphRun(stored, drawn.type, brackets), backwards));
  if (marks) *marks = exact.marks;
  return textcore::TrueTypeString(exact.logical);
}

Outcome ConvertTextForRevit(acad::Entity& t, const StyleTable& styles, config::FontDefinitions& fonts,
                            RevitStrings strings) {
  // Blank texts and texts of TrueType styles stay as they are.
  const std::u16string s = t.TextString();
  if (Blank(s)) return Outcome::LeftAlone;
  const TstyleRec& r = styles.Find(t.StyleName());
  if (r.StType == TrueType) return Outcome::LeftAlone;

  TextBefore before;
  before.angle = WithoutFullTurn(t.Rotation());
  before.insertion = t.InsertionPoint();
  (void)t.TextAlignmentPoint();  // read, as the dialog does; a rotated text's is read again once turned
  before.backwards = t.Backward() || r.cStBack;
  before.type = r.StType;
  (void)t.Alignment();  // read, as the dialog does; the result does not depend on it
  RewriteAsAligned(t, before, Converted(s, r, before.backwards, fonts, strings), std::u16string(kRevitStyleName));
  return Outcome::Converted;
}

Outcome ConvertMTextForRevit(acad::Entity& m, const StyleTable& styles, config::FontDefinitions& fonts,
                             RevitStrings strings) {
  std::u16string s = m.TextString();
  const TstyleRec& r = styles.Find(m.StyleName());
  if (r.StType == TrueType) return Outcome::LeftAlone;
  s = StripFormatGroup(std::move(s));
  // Each paragraph is converted together with the paragraph mark that follows it; in the exact order the
  // mark stays a mark, after its paragraph.
  std::u16string result;
  for (const Paragraph& p : SplitParagraphs(s)) {
    if (strings == RevitStrings::ExactOrder)
      result += Converted(p.text, r, r.cStBack, fonts, strings) + (p.followedByMark ? u"\\P" : u"");
    else
      result += ToEditForm(p.followedByMark ? p.text + u"\\P" : p.text, r.StType, r.cStBack, fonts);
  }
  m.SetTextString(result);
  m.SetStyleName(std::u16string(kRevitStyleName));
  return Outcome::Converted;
}

void ConvertAttributesForRevit(acad::Entity& blockReference, const StyleTable& styles, config::FontDefinitions& fonts,
                               WalkReport& report, RevitStrings strings) {
  VisitAttributes(
      blockReference, [&](acad::Entity& a) { return ConvertTextForRevit(a, styles, fonts, strings); }, report);
}

WalkReport ConvertDrawingForRevit(acad::Document& doc, config::FontDefinitions& fonts, const Progress& progress,
                                  RevitStrings strings) {
  const StyleTable styles = PrepareRevitStyles(doc, fonts);
  return WalkDrawing(
      doc,
      [&](acad::Entity& e, WalkReport& report) {
        switch (e.EntityType()) {
          case acad::kEntityBlockReference:
            ConvertAttributesForRevit(e, styles, fonts, report, strings);
            break;
          case acad::kEntityMText:
            Tally(report, ConvertMTextForRevit(e, styles, fonts, strings));
            break;
          case acad::kEntityText:
            Tally(report, ConvertTextForRevit(e, styles, fonts, strings));
            break;
          default:
            break;
        }
      },
      progress);
}

RevitConversion::RevitConversion(acad::HostState& host, config::FontDefinitions& fonts, platform::Messages& messages)
    : host_(host), fonts_(fonts), messages_(messages) {}

void RevitConversion::Activate() {
  const auto doc = host_.AcadApp->ActiveDocument();
  thisName =
      doc->Path() + std::u16string(1, static_cast<char16_t>(std::filesystem::path::preferred_separator)) + doc->Name();
  // The copy keeps the kind of file the drawing is: the stand-in host reads and writes DXF.
  const bool dxf = UpperAscii(config::ExtensionOf(thisName)) == u".DXF";
  targetFile = std::u16string(config::WithoutExtension(thisName)) + (dxf ? u"_Revit.dxf" : u"_Revit.dwg");
  reverseOutputText = fonts_.inistr.reverseTTF;
}

WalkReport RevitConversion::SaveAsAndConvert(const Progress& progress) {
  auto doc = host_.AcadApp->ActiveDocument();
  saved = doc->Saved();
  if (!saved &&
      messages_.Show(u"zil", u"Base DWG not saved.\r\nPress \"Yes\" to save it.", platform::MessageIcon::Warning,
                     platform::MessageButtons::YesNo) == platform::MessageAnswer::Yes) {
    doc->Save();
    saved = true;
  }
  doc->SaveAs(targetFile);
  doc = host_.AcadApp->ActiveDocument();  // the copy
  const WalkReport report = ConvertDrawingForRevit(*doc, fonts_, progress, strings);
  doc->Regen(1);
  doc->Save();
  messages_.Show(u"zil", u"Conversion finished", platform::MessageIcon::Information, platform::MessageButtons::Ok);
  return report;
}

void RevitConversion::Save() {
  host_.AcadApp->ActiveDocument()->Save();
  saved = true;
}

void RevitConversion::ReloadBase() {
  if (host_.AcadApp->ActiveDocument()->Saved()) host_.AcadApp->Documents()->Open(thisName);
}

void RevitConversion::Close() { fonts_.inistr.reverseTTF = reverseOutputText; }

}  // namespace zil::conversions
