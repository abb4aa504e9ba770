#include "drawing/mtext_geometry.h"

#include <algorithm>
#include <cmath>

#include "drawing/text_geometry.h"

namespace zil::drawing {
namespace {

bool TakesValue(char16_t code) {
  switch (code) {
    case u'f':
    case u'F':
    case u'H':
    case u'W':
    case u'Q':
    case u'T':
    case u'A':
    case u'C':
    case u'c':
    case u'p':
      return true;
    default:
      return false;
  }
}

double LineLength(const std::u16string& line, double height) { return GlyphCount(line) * kCharacterAdvance * height; }

}  // namespace

std::vector<std::u16string> MTextParagraphs(std::u16string_view text) {
  std::vector<std::u16string> paragraphs(1);
  bool inFraction = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (inFraction) {
      if (c == u';') {
        inFraction = false;
      } else if (c == u'\\' && i + 1 < text.size()) {
        paragraphs.back() += text[++i];
      } else if (c != u'^' && c != u'/' && c != u'#') {
        paragraphs.back() += c;
      }
      continue;
    }
    if (c == u'{' || c == u'}') continue;
    if (c != u'\\' || i + 1 >= text.size()) {
      paragraphs.back() += c;
      continue;
    }
    const char16_t code = text[++i];
    if (code == u'P') {
      paragraphs.emplace_back();
    } else if (code == u'~') {
      paragraphs.back() += u' ';
    } else if (code == u'\\' || code == u'{' || code == u'}') {
      paragraphs.back() += code;
    } else if (code == u'S') {
      inFraction = true;
    } else if (TakesValue(code)) {
      while (i + 1 < text.size() && text[i + 1] != u';') ++i;
      ++i;  // the semicolon
    } else if (code == u'L' || code == u'l' || code == u'O' || code == u'o' || code == u'K' || code == u'k') {
      // a switch: draws nothing
    } else {
      paragraphs.back() += u'\\';
      paragraphs.back() += code;
    }
  }
  return paragraphs;
}

std::vector<std::u16string> MTextLines(const MTextGeometry& m) {
  std::vector<std::u16string> lines;
  for (const std::u16string& paragraph : MTextParagraphs(m.text)) {
    if (m.width <= 0) {
      lines.push_back(paragraph);
      continue;
    }
    std::u16string line;
    std::size_t start = 0;
    while (start <= paragraph.size()) {
      std::size_t end = paragraph.find(u' ', start);
      if (end == std::u16string::npos) end = paragraph.size();
      const std::u16string word = paragraph.substr(start, end - start);
      const std::u16string longer = line.empty() ? word : line + u' ' + word;
      if (!line.empty() && LineLength(longer, m.height) > m.width) {
        lines.push_back(line);
        line = word;
      } else {
        line = longer;
      }
      start = end + 1;
    }
    lines.push_back(line);
  }
  return lines;
}

std::array<Point, 4> MTextCorners(const MTextGeometry& m) {
  const std::vector<std::u16string> lines = MTextLines(m);
  double width = 0;
  for (const std::u16string& line : lines) width = std::max(width, LineLength(line, m.height));
  const bool empty = width == 0 && lines.size() == 1;
  const double height =
      empty ? 0 : m.height + static_cast<double>(lines.size() - 1) * kMTextLinePitch * m.height * m.spacing;
  const int attachment = std::clamp(m.attachment, 1, 9);
  const int column = (attachment - 1) % 3, row = (attachment - 1) / 3;
  const double left = column == 0 ? 0 : column == 1 ? -width / 2 : -width;
  const double top = row == 0 ? 0 : row == 1 ? height / 2 : height;
  const double c = std::cos(m.rotation), s = std::sin(m.rotation);
  const auto world = [&](double x, double y) {
    return Point{m.insertion.x + x * c - y * s, m.insertion.y + x * s + y * c, m.insertion.z};
  };
  return {world(left, top - height), world(left + width, top - height), world(left + width, top), world(left, top)};
}

std::pair<Point, Point> MTextBoundingBox(const MTextGeometry& m) {
  const auto corners = MTextCorners(m);
  return BoxAround(corners);
}

}  // namespace zil::drawing
