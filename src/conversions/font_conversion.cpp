#include "conversions/font_conversion.h"

#include <algorithm>
#include <cmath>

#include "acad/undo_group.h"
#include "conversions/mtext_paragraphs.h"
#include "conversions/text_placement.h"
#include "textcore/conversions.h"
#include "textcore/runs.h"

namespace zil::conversions {
namespace {

using acad::Point;

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
  const std::u16string key = StyleKey(font);
  for (std::size_t i = 0; i < fontList_.size(); ++i) {
    if (StyleKey(fontList_[i]) == key) {
      checked[i] = true;
      return true;
    }
  }
  return false;
}

void FontConversion::Show(std::u16string_view text) {
  messages_.Show(u"Veltro Font Converter", std::u16string(text), platform::MessageIcon::Information,
                 platform::MessageButtons::Ok);
}

bool FontConversion::GatherSelection() {
  selStyles_.clear();
  for (const TstyleRec& r : styles_.astyles) {
    const auto index = static_cast<std::size_t>(r.fntIdx);
    if (index < checked.size() && checked[index]) selStyles_[StyleKey(r.stName)] = r.fntIdx;
  }
  return !selStyles_.empty();
}

WalkReport FontConversion::Convert(const Progress& progress) {
  if (!GatherSelection()) {
    Show(u"Fonts to convert not checked.");
    return {};
  }
  if (!targetStyle) {
    Show(u"Style to convert not defined.");
    return {};
  }
  const TstyleRec& out = styles_.Find(*targetStyle);
  outstyleName_ = *targetStyle;
  outStType_ = out.StType;
  outcStBack_ = out.cStBack;
  return Act(false, progress);
}

WalkReport FontConversion::Remap(const Progress& progress) {
  if (!GatherSelection()) {
    Show(u"Fonts to remap not checked.");
    return {};
  }
  if (!reverse && mapping == Mapping::None) {
    Show(u"No Action selected");
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

std::u16string FontConversion::ConvertedString(const std::u16string& s) const {
  const auto& conv = fonts_.conv;
  if (outStType_ == TrueType) return conv.AAcadToEditWin(s, conv.cStType, conv.cStBack, rightToLeft);
  return textcore::ConvertFontTypeW(s, conv.cStType, conv.cStBack, outStType_, outcStBack_);
}

std::optional<Outcome> FontConversion::ConvertText(acad::Entity& t) {
  // 1. Texts of checked fonts only.
  const std::u16string s = t.TextString();
  if (Blank(s)) return std::nullopt;
  const TstyleRec* r = SelectedStyle(t);
  if (r == nullptr) return Outcome::LeftAlone;
  // 2. The same font type: the style alone changes.
  if (r->StType == outStType_) {
    t.SetStyleName(outstyleName_);
    return Outcome::Converted;
  }
  // 3.-4. Angle, insertion point, conversion state, the converted string.
  const double a = WithoutFullTurn(t.Rotation());
  const Point p0 = t.InsertionPoint();
  auto& conv = fonts_.conv;
  conv.cStBack = t.Backward() || r->cStBack;
  conv.cStType = r->StType;
  const std::u16string converted = ConvertedString(s);

  if (a != 0) {
    // 5. A rotated text: back to horizontal, then aligned between two points on its old line.
    t.Rotate(p0, -a);
    const Point p1 = t.InsertionPoint();
    const Point q1 = t.TextAlignmentPoint();
    const auto [lo, hi] = t.GetBoundingBox();
    const double d1 = std::hypot(p0.x - lo.x, p0.y - lo.y);
    const double d2 = std::hypot(p0.x - hi.x, p0.y - lo.y);
    const double g = (!conv.cStBack && conv.cStType != DosEnglishR) ? 1 : -1;
    const Point A{p0.x + g * d1 * std::cos(a), p0.y + g * d1 * std::sin(a), p0.z};
    const Point B{p0.x + g * d2 * std::cos(a), p0.y + g * d2 * std::sin(a), p0.z};
    const bool swap = !(q1.x == 0 || q1.y == 0) && q1.x <= p1.x;
    t.SetTextString(converted);
    t.SetStyleName(outstyleName_);
    FlagBackwardUpsideDown(t);
    MakeAligned(t, true);
    t.SetInsertionPoint(swap ? B : A);
    t.SetTextAlignmentPoint(swap ? A : B);
    return Outcome::Converted;
  }

  // 6. A horizontal text: aligned along the bottom of its box.
  const auto [lo, hi] = t.GetBoundingBox();
  if (!conv.cStBack && t.TextGenerationFlag() == 0) {
    MakeAligned(t, false);
    if (conv.cStType == DosEnglishR) {
      t.SetInsertionPoint({lo.x, lo.y, p0.z});
      t.SetTextAlignmentPoint({hi.x, lo.y, p0.z});
    } else {
      t.SetTextAlignmentPoint({hi.x, t.InsertionPoint().y, p0.z});
    }
  } else {
    MakeAligned(t, false);
    t.SetTextAlignmentPoint({hi.x, lo.y, p0.z});
    t.SetInsertionPoint({lo.x, lo.y, p0.z});
  }
  t.SetStyleName(outstyleName_);
  t.SetTextString(converted);
  FlagBackwardUpsideDown(t);
  return Outcome::Converted;
}

std::optional<Outcome> FontConversion::ConvertMText(acad::Entity& m) {
  const std::u16string s = m.TextString();
  if (Blank(s)) return std::nullopt;
  const TstyleRec* r = SelectedStyle(m);
  if (r == nullptr || r->StType == outStType_) return Outcome::LeftAlone;
  fonts_.conv.cStBack = r->cStBack;
  fonts_.conv.cStType = r->StType;
  std::u16string result;
  for (const Paragraph& p : SplitParagraphs(StripFormatGroup(s))) {
    result += ConvertedString(p.text);
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
