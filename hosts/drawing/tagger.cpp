#include "drawing/tagger.h"

#include "drawing/dxf_error.h"

namespace zil::drawing {

namespace {

struct TextLine {
  std::string_view text;  // without its end
  std::string_view end;   // "\n", "\r\n" or empty
};

// The line at `pos`, advancing `pos` past it. DXF lines are short: a plain loop beats memchr here.
TextLine TakeLine(std::string_view bytes, std::size_t& pos) {
  const char* begin = bytes.data() + pos;
  const char* end = bytes.data() + bytes.size();
  const char* p = begin;
  while (p != end && *p != '\n') ++p;
  TextLine line;
  if (p == end) {
    line.text = std::string_view(begin, static_cast<std::size_t>(end - begin));
    pos = bytes.size();
    return line;
  }
  const auto length = static_cast<std::size_t>(p - begin);
  std::size_t textLength = length;
  if (textLength > 0 && begin[textLength - 1] == '\r') --textLength;
  line.text = std::string_view(begin, textLength);
  line.end = std::string_view(begin + textLength, length + 1 - textLength);
  pos += length + 1;
  return line;
}

// The group code of a code line: digits with optional spaces or tabs around them; -1 when it is not one.
int ParseCode(std::string_view text) noexcept {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  const std::size_t digits = i;
  int code = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    code = code * 10 + (text[i] - '0');
    if (code > 32767) return -1;
  }
  if (i == digits) return -1;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  return i == text.size() ? code : -1;
}

}  // namespace

Tagger::Tagger(std::string_view bytes, std::string file, std::uint32_t firstLine)
    : bytes_(bytes), file_(std::move(file)), line_(firstLine) {}

int Tagger::TakeCode() {
  const TextLine codeLine = TakeLine(bytes_, pos_);
  const int code = ParseCode(codeLine.text);
  if (code < 0) {
    ThrowAt(file_, line_,
            Trimmed(codeLine.text).empty()
                ? "expected a group code (an integer), found an empty line"
                : "expected a group code (an integer 0..32767), found " + Quote(codeLine.text));
  }
  if (codeLine.end.empty()) {
    ThrowAt(file_, line_, "the file ends after group code " + std::to_string(code) + " where its value was expected");
  }
  return code;
}

std::size_t ByteOrderMarkLength(std::string_view bytes) noexcept {
  return bytes.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
}

void CheckAsciiDxf(std::string_view bytes, const std::string& file) {
  const auto refuse = [&file](const std::string& what) { ThrowAt(file, 0, what); };
  if (bytes.empty()) refuse("the file is empty; expected an ASCII DXF drawing");
  if (bytes.substr(0, 18) == "AutoCAD Binary DXF") {
    refuse("this is a binary DXF file; only ASCII DXF can be read (save the drawing as ASCII DXF)");
  }
  if (bytes.size() >= 6 && bytes.substr(0, 4) == "AC10" && bytes[4] >= '0' && bytes[4] <= '9' && bytes[5] >= '0' &&
      bytes[5] <= '9') {
    refuse("this is a DWG drawing, not DXF; save it as ASCII DXF to use it here");
  }
  if (bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF") {
    refuse("this file is UTF-16 text; ASCII DXF is 8-bit text (save it again as DXF)");
  }
  if (bytes.size() >= 0xFFFFFFF0u) refuse("the file is larger than 4 GB; such drawings are not supported");
  // Any other file that is not a drawing (a program, an image, a document) fails at its first line.
  std::size_t pos = ByteOrderMarkLength(bytes);
  const TextLine first = TakeLine(bytes, pos);
  if (ParseCode(first.text) < 0) {
    refuse(
        "this is not a DXF file: a DXF drawing begins with a group code (such as \"0\" before SECTION), this "
        "file with " +
        Quote(first.text));
  }
}

}  // namespace zil::drawing
