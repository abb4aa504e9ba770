#include "preview/text_layout.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "conversions/mtext_paragraphs.h"
#include "preview/entity_groups.h"
#include "preview/glyph_run.h"

namespace zil::preview {
namespace {

constexpr double kMTextLinePitch = 5.0 / 3.0;  // x height x spacing factor

double Radians(double degrees) { return degrees * std::numbers::pi / 180; }

// Run space -> the frame of a line whose run starts at (x, y) and is `length` long and `height` high.
Affine RunToFrame(double x, double y, double length, double height, bool backwards, bool upsideDown) {
  return {backwards ? -1.0 : 1.0,     0, 0, upsideDown ? -1.0 : 1.0, backwards ? x + length : x,
          upsideDown ? y + height : y};
}

std::vector<std::u16string> Wrap(const std::u16string& paragraph, double width, double advance) {
  if (width <= 0 || advance <= 0) return {paragraph};
  const double cells = width / advance + 1e-9;
  std::vector<std::u16string> lines;
  std::u16string current;
  bool first = true;
  std::size_t start = 0;
  for (;;) {
    const std::size_t space = paragraph.find(u' ', start);
    const std::u16string word = paragraph.substr(start, space == std::u16string::npos ? space : space - start);
    if (first) {
      current = word;
      first = false;
    } else if (const std::u16string candidate = current + u' ' + word; drawing::GlyphCount(candidate) <= cells) {
      current = candidate;
    } else {
      lines.push_back(current);
      current = word;
    }
    if (space == std::u16string::npos) break;
    start = space + 1;
  }
  lines.push_back(current);
  return lines;
}

}  // namespace

std::u32string PlacedText::Seen() const { return SeenGlyphs(glyphs, backwards); }

drawing::TextGeometry ReadTextGeometry(const drawing::TextView& view, const std::u16string& text, bool rightToLeft) {
  drawing::TextGroups groups = drawing::ReadTextGroups(view);
  groups.characters = drawing::GlyphCount(text);
  return drawing::GeometryOf(groups, rightToLeft);
}

PlacedText PlaceRun(const drawing::TextGeometry& g, std::u32string glyphs, const TextLook& look) {
  PlacedText placed;
  placed.length = drawing::TextLength(g);
  placed.height = g.height;
  placed.backwards = g.backward || look.styleBackward;
  placed.mirrorGlyphs = placed.backwards && look.type != TrueType;
  placed.type = look.type;
  const double x = drawing::RunsLeftward(g) ? -placed.length : 0, y = g.upsideDown ? -g.height : 0;
  placed.runToEntity = RunToFrame(x, y, placed.length, g.height, placed.backwards, g.upsideDown || look.styleUpsideDown)
                           .Then(Affine::Rotate(g.rotation))
                           .Then(Affine::Translate(g.insertion.x, g.insertion.y));
  placed.glyphs = std::move(glyphs);
  return placed;
}

Affine TextOcs(const drawing::TextView& view) {
  const Groups groups(view.Owner(), view.Rec());
  return OcsToPlan(groups.Extrusion(), view.InsertionPoint().z);
}

PlacedText LayOutText(const drawing::TextView& view, const std::u16string& text, const TextLook& look) {
  PlacedText placed =
      PlaceRun(ReadTextGeometry(view, text, look.type == DosEnglishR), GlyphRun(text, look.type, look.brackets), look);
  placed.runToEntity = placed.runToEntity.Then(TextOcs(view));
  return placed;
}

std::vector<std::u16string> MTextParagraphs(const std::u16string& contents) {
  std::vector<std::u16string> paragraphs;
  for (auto& p : conversions::SplitParagraphs(conversions::StripFormatGroup(contents)))
    paragraphs.push_back(std::move(p.text));
  if (!paragraphs.empty() && paragraphs.back().empty()) paragraphs.pop_back();
  return paragraphs;
}

PlacedMText LayOutMText(const drawing::MTextView& view, const TextLook& look) {
  const Groups groups(view.Owner(), view.Rec());
  const double height = view.Height();
  const double advance = drawing::kCharacterAdvance * height;
  const double pitch = kMTextLinePitch * height * groups.Double(44, 1);
  int attachment = view.AttachmentPoint();
  if (attachment < 1 || attachment > 9) attachment = 1;
  const int row = (attachment - 1) / 3, column = (attachment - 1) % 3;

  std::vector<std::u16string> lines;
  for (const std::u16string& paragraph : MTextParagraphs(view.TextString()))
    for (std::u16string& line : Wrap(paragraph, view.Width(), advance)) lines.push_back(std::move(line));
  double width = 0;
  for (const std::u16string& line : lines) width = std::max(width, drawing::GlyphCount(line) * advance);
  const double boxHeight = lines.empty() ? 0 : height + static_cast<double>(lines.size() - 1) * pitch;
  const double left = -column * width / 2, top = row * boxHeight / 2;

  // The frame: the insertion point (world coordinates) and the text's direction in its plane.
  const Vec3 normal = groups.Extrusion();
  const Axes axes = ArbitraryAxes(normal);
  Vec3 direction;
  if (const auto d = groups.Point(11); d && (d->x != 0 || d->y != 0 || d->z != 0)) {
    direction = *d;
  } else {
    const double r = Radians(view.RotationDegrees());
    direction = {axes.x.x * std::cos(r) + axes.y.x * std::sin(r), axes.x.y * std::cos(r) + axes.y.y * std::sin(r),
                 axes.x.z * std::cos(r) + axes.y.z * std::sin(r)};
  }
  const double length = std::sqrt(direction.x * direction.x + direction.y * direction.y + direction.z * direction.z);
  const Vec3 xAxis{direction.x / length, direction.y / length, direction.z / length};
  const Vec3 yAxis = Cross(normal, xAxis);
  const drawing::Point at = view.InsertionPoint();
  const Affine frame = Affine::Frame({at.x, at.y}, {xAxis.x, xAxis.y}, {yAxis.x, yAxis.y});

  PlacedMText placed;
  const bool backwards = look.styleBackward, upsideDown = look.styleUpsideDown;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    PlacedText line;
    line.glyphs = GlyphRun(lines[i], look.type, look.brackets);
    line.length = static_cast<double>(line.glyphs.size()) * advance;
    line.height = height;
    line.backwards = backwards;
    line.mirrorGlyphs = backwards && look.type != TrueType;
    line.type = look.type;
    const double x = left + column * (width - line.length) / 2;
    const double y = top - height - static_cast<double>(i) * pitch;
    line.runToEntity = RunToFrame(x, y, line.length, height, backwards, upsideDown).Then(frame);
    placed.lines.push_back(std::move(line));
  }
  placed.box = {frame({left, top - boxHeight}), frame({left + width, top - boxHeight}), frame({left + width, top}),
                frame({left, top})};
  return placed;
}

}  // namespace zil::preview
