#include "mtext/mtext_writer.h"

#include <cmath>

#include "mtext/mtext_lines.h"

namespace zil::mtext {

double BoxWidth(const acad::Entity& entity) {
  const auto [lower, upper] = entity.GetBoundingBox();
  return std::fabs(upper.x - lower.x);
}

double MeasureMTextWidth(Context& c, const std::u16string& longest, const MTextPlacement& place) {
  // The probe keeps the drawing's current text style.
  const acad::EntityPtr probe = c.host.AcadSpace->AddText(longest + u"99", place.point, place.height);
  const double width = BoxWidth(*probe);
  probe->Erase();
  return width;
}

void PlaceLine(acad::Entity& text, const acad::Point& at, int alignment) {
  text.Update();
  const acad::Point inserted = text.InsertionPoint();
  acad::Point target = at;
  if (alignment == kAlignRight) target.x -= BoxWidth(text);
  text.Move(inserted, target);
  text.Update();
}

void WriteMTextLines(Context& c, MTextPlacement& place, const std::vector<std::u16string>& lines, bool explode,
                     double spacing, int alignment) {
  if (lines.empty()) return;
  const textcore::FontConverter& conv = c.fonts.conv;
  if (explode) {
    for (const std::u16string& line : lines) {
      const acad::EntityPtr text =
          c.host.AcadSpace->AddText(conv.EditToacadWin(line, c.fonts.inistr.reverseTTF), place.point, place.height);
      text->SetHorizontalAlignment(alignment);
      text->SetVerticalAlignment(kVerticalTop);
      text->SetLayer(c.host.CurLayerName);
      text->SetStyleName(place.styleName);
      PlaceLine(*text, place.point, alignment);
      place.point.y -= spacing;
    }
    return;
  }
  std::vector<std::u16string> converted;
  converted.reserve(lines.size());
  for (const std::u16string& line : lines) converted.push_back(conv.EditToacadWin(line, c.fonts.inistr.reverseTTF));
  const std::u16string contents = JoinParagraphs(converted);
  const double width = MeasureMTextWidth(c, converted[LongestLine(converted)], place);
  const acad::EntityPtr mtext = c.host.AcadSpace->AddMText(place.point, width, u".");
  mtext->SetHeight(place.height);
  mtext->SetTextString(contents);
  mtext->SetStyleName(place.styleName);
  mtext->SetLayer(c.host.CurLayerName);
  mtext->SetAttachmentPoint(alignment == kAlignRight ? kAttachTopRight : kAttachTopLeft);
  mtext->Update();
}

}  // namespace zil::mtext
