#include "conversions/font_conversion.h"

#include <algorithm>

#include "acad/undo_group.h"
#include "config/font_name.h"
#include "conversions/mtext_paragraphs.h"
#include "conversions/text_placement.h"
#include "textcore/conversions.h"
#include "textcore/runs.h"

namespace zil::conversions {
namespace {

bool Blank(const std::u16string& s) {
  return std::all_of(s.begin(), s.end(), [](char16_t c) { return c == u' '; });
}

}  // namespace

int RemapTarget(Mapping mapping) {
  switch (mapping) {
    case Mapping::DosHebrew:
      return DosHebrew;
    case Mapping::English7Bit:
      return DosEnglish;
    case Mapping::Windows:
      return WindowsHeb;
    case Mapping::None:
      return TrueType;
  }
  return TrueType;
}

FontConversion::FontConversion(acad::HostState& host, config::FontDefinitions& fonts, platform::Messages& messages)
    : host_(host), fonts_(fonts), messages_(messages) {}

void FontConversion::LoadStyleTable() {
  host_.AcadTextStyles = host_.AcadApp->ActiveDocument()->TextStyles();
  styles_ = conversions::LoadStyleTable(*host_.AcadApp->ActiveDocument(), fonts_, fontList_);
  checked.assign(fontList_.size(), false);
  targetStyle.reset();
}

std::vector<std::u16string> FontConversion::StyleNames() const {
  std::vector<std::u16string> names;
  for (const TstyleRec& r : styles_.astyles) names.push_back(r.stName);
  std::sort(names.begin(), names.end());
  return names;
}

void FontConversion::CheckAll(bool on) { checked.assign(fontList_.size(), on); }

bool FontConversion::Check(std::u16string_view font) {
  const auto checkWhere = [this](auto&& key, std::u16string_view wanted) {
    bool found = false;
    for (std::size_t i = 0; i < fontList_.size(); ++i) {
      if (key(fontList_[i]) != key(wanted)) continue;
      checked[i] = true;
      found = true;
    }
    return found;
  };
  return checkWhere([](std::u16string_view name) { return StyleKey(name); }, font) ||
         checkWhere(
             [](std::u16string_view name) { return StyleKey(config::WithoutExtension(config::FileNamePart(name))); },
             font);
}

std::optional<std::u16string> FontConversion::Refusal(bool remap) const {
  const bool anyChecked = std::any_of(styles_.astyles.begin(), styles_.astyles.end(), [this](const TstyleRec& r) {
    const auto index = static_cast<std::size_t>(r.fntIdx);
    return index < checked.size() && checked[index];
  });
  if (!anyChecked) return remap ? u"Fonts to remap not checked." : u"Fonts to convert not checked.";
  if (!remap && !targetStyle) return u"Style to convert not defined.";
  if (remap && !reverse && mapping == Mapping::None) return u"No Action selected";
  return std::nullopt;
}

void FontConversion::Show(std::u16string_view text) {
  messages_.Show(u"Veltro Font Converter", std::u16string(text), platform::MessageIcon::Information,
                 platform::MessageButtons::Ok);
}

void FontConversion::GatherSelection() {
  selStyles_.clear();
  for (const TstyleRec& r : styles_.astyles) {
    const auto index = static_cast<std::size_t>(r.fntIdx);
    if (index < checked.size() && checked[index]) selStyles_[StyleKey(r.stName)] = r.fntIdx;
  }
}

WalkReport FontConversion::Convert(const Progress& progress) {
  GatherSelection();
  if (const auto refusal = Refusal(false)) {
    Show(*refusal);
    return {};
  }
  const TstyleRec& out = styles_.Find(*targetStyle);
  outstyleName_ = *targetStyle;
  outStType_ = out.StType;
  outcStBack_ = out.cStBack;
  return Act(false, progress);
}

WalkReport FontConversion::Remap(const Progress& progress) {
  GatherSelection();
  if (const auto refusal = Refusal(true)) {
    Show(*refusal);
    return {};
  }
  outRemap_ = -1;
  outRemap_ = static_cast<std::int16_t>(RemapTarget(mapping));
  return Act(true, progress);
}

WalkReport FontConversion::Act(bool remap, const Progress& progress) {
  const auto doc = host_.AcadDoc ? host_.AcadDoc : host_.AcadApp->ActiveDocument();
  WalkReport report;
  {
    // The undo mark closes and the layers come back also when the walk fails; the error then propagates.
    const acad::UndoGroup group(*doc);
    // The walk reads the styles again; this clears the window's check marks and target style, while the
    // selection and target gathered above stay in force.
    LoadStyleTable();
    report = WalkDrawing(
        *doc,
        [&](acad::Entity& e, WalkReport& r) {
          switch (e.EntityType()) {
            case acad::kEntityBlockReference:
              VisitAttributes(
                  e, [&](acad::Entity& a) { return remap ? RemapText(a) : ConvertText(a); }, r);
              break;
            case acad::kEntityMText:
              Tally(r, remap ? RemapMText(e) : ConvertMText(e));
              break;
            case acad::kEntityText:
              Tally(r, remap ? RemapText(e) : ConvertText(e));
              break;
            default:
              break;
          }
        },
        progress);
  }
  host_.AcadApp->ActiveDocument()->Regen(1);
  Show(remap ? u"Remapping finished" : u"Conversion finished");
  return report;
}

const TstyleRec* FontConversion::SelectedStyle(acad::Entity& e) {
  const auto it = selStyles_.find(StyleKey(e.StyleName()));
  if (it == selStyles_.end()) return nullptr;
  return &styles_.Find(e.StyleName());
}

std::u16string FontConversion::ConvertedString(const std::u16string& s, fntType type, bool backwards) const {
  if (outStType_ == TrueType)
    return fonts_.conv.AAcadToEditWin(s, type, backwards, rightToLeft, fonts_.inistr.reverseTTF);
  return textcore::ConvertFontTypeW(s, type, backwards, outStType_, outcStBack_);
}

std::optional<Outcome> FontConversion::ConvertText(acad::Entity& t) {
  // Texts of checked fonts only.
  const std::u16string s = t.TextString();
  if (Blank(s)) return std::nullopt;
  const TstyleRec* r = SelectedStyle(t);
  if (r == nullptr) return Outcome::LeftAlone;
  // A text whose font has the target's type keeps its string and place: only its style changes.
  if (r->StType == outStType_) {
    t.SetStyleName(outstyleName_);
    return Outcome::Converted;
  }

  TextBefore before;
  before.angle = WithoutFullTurn(t.Rotation());
  before.insertion = t.InsertionPoint();
  before.backwards = t.Backward() || r->cStBack;
  before.type = r->StType;
  RewriteAsAligned(t, before, ConvertedString(s, before.type, before.backwards), outstyleName_);
  return Outcome::Converted;
}

std::optional<Outcome> FontConversion::ConvertMText(acad::Entity& m) {
  const std::u16string s = m.TextString();
  if (Blank(s)) return std::nullopt;
  const TstyleRec* r = SelectedStyle(m);
  if (r == nullptr || r->StType == outStType_) return Outcome::LeftAlone;
  std::u16string result;
  for (const Paragraph& p : SplitParagraphs(StripFormatGroup(s))) {
    result += ConvertedString(p.text, r->StType, r->cStBack);
    if (p.followedByMark) result += u"\\P";
  }
  m.SetTextString(result);
  m.SetStyleName(outstyleName_);
  return Outcome::Converted;
}

std::optional<Outcome> FontConversion::RemapText(acad::Entity& t) {
  std::u16string s = t.TextString();
  if (Blank(s)) return std::nullopt;
  const TstyleRec* r = SelectedStyle(t);
  if (r == nullptr) return Outcome::LeftAlone;
  if (outRemap_ >= 0 && outRemap_ <= 4) s = textcore::RemapFontType(s, r->StType, outRemap_);
  if (reverse) s = textcore::ReverseStrW(std::move(s));
  t.SetTextString(s);
  return Outcome::Converted;
}

std::optional<Outcome> FontConversion::RemapMText(acad::Entity& m) {
  const std::u16string s = m.TextString();
  if (Blank(s)) return std::nullopt;
  const TstyleRec* r = SelectedStyle(m);
  if (r == nullptr) return Outcome::LeftAlone;
  std::u16string result;
  for (const Paragraph& p : SplitParagraphs(StripFormatGroup(s))) {
    std::u16string text = p.text;
    if (outRemap_ >= 0 && outRemap_ <= 4) text = textcore::RemapFontType(text, r->StType, outRemap_);
    if (reverse) text = textcore::ReverseStrW(std::move(text));
    result += text;
    if (p.followedByMark) result += u"\\P";
  }
  m.SetTextString(result);
  return Outcome::Converted;
}

}  // namespace zil::conversions
