#include "drawing/dxf_string.h"

#include <cstdio>

namespace zil::drawing {
namespace {

int HexDigit(char16_t c) noexcept {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  return -1;
}

// The value of `count` hex digits at text[pos], or -1.
long HexAt(std::u16string_view text, std::size_t pos, std::size_t count) noexcept {
  if (pos + count > text.size()) return -1;
  long value = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const int digit = HexDigit(text[pos + i]);
    if (digit < 0) return -1;
    value = value * 16 + digit;
  }
  return value;
}

// `\U+XXXX` at text[pos].
bool IsUnicodeEscape(std::u16string_view text, std::size_t pos) noexcept {
  return text.substr(pos, 3) == u"\\U+" && HexAt(text, pos + 3, 4) >= 0;
}

// `\M+nXXXX` at text[pos].
bool IsMultibyteEscape(std::u16string_view text, std::size_t pos) noexcept {
  return text.substr(pos, 3) == u"\\M+" && pos + 3 < text.size() && text[pos + 3] >= u'1' && text[pos + 3] <= u'5' &&
         HexAt(text, pos + 4, 4) >= 0;
}

// The character of a `\M+nXXXX` escape, empty when its code page is not at hand.
std::u16string DecodeMultibyte(char16_t page, long code) {
  const char* name = nullptr;
  switch (page) {
    case u'1':
      name = "ANSI_932";
      break;
    case u'2':
      name = "ANSI_950";
      break;
    case u'3':
      name = "ANSI_949";
      break;
    case u'5':
      name = "ANSI_936";
      break;
    default:
      return {};
  }
  std::u16string out;
  try {
    const char bytes[2] = {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
    CodePage::ForName(name, {})->Decode(std::string_view(bytes, 2), out);
  } catch (const std::exception&) {
    return {};  // the escape then stays as written
  }
  return out;
}

void AppendUnicodeEscape(char16_t unit, std::string& out) {
  char escape[8];
  std::snprintf(escape, sizeof escape, "\\U+%04X", static_cast<unsigned>(unit));
  out += escape;
}

}  // namespace

std::u16string DxfStrings::Decode(std::string_view bytes) const {
  std::u16string text;
  codePage_->Decode(bytes, text);
  if (text.find_first_of(u"\\^") == std::u16string::npos) return text;
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c == u'\\' && IsUnicodeEscape(text, i)) {
      out += static_cast<char16_t>(HexAt(text, i + 3, 4));
      i += 6;
    } else if (c == u'\\' && IsMultibyteEscape(text, i)) {
      const std::u16string decoded = DecodeMultibyte(text[i + 3], HexAt(text, i + 4, 4));
      if (decoded.empty()) {
        out += c;
        continue;
      }
      out += decoded;
      i += 7;
    } else if (c == u'^' && i + 1 < text.size() &&
               (text[i + 1] == u' ' || (text[i + 1] >= u'@' && text[i + 1] <= u'_'))) {
      out += text[i + 1] == u' ' ? u'^' : static_cast<char16_t>(text[i + 1] - u'@');
      ++i;
    } else {
      out += c;
    }
  }
  return out;
}

std::string DxfStrings::Encode(std::u16string_view text, std::vector<std::size_t>* boundaries) const {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    if (boundaries) boundaries->push_back(out.size());
    const char16_t c = text[i];
    if (c == u'^') {
      out += "^ ";
      ++i;
    } else if (c < 0x20) {
      out += '^';
      out += static_cast<char>(c + u'@');
      ++i;
    } else if (c == u'\\' && (IsUnicodeEscape(text, i) || IsMultibyteEscape(text, i))) {
      AppendUnicodeEscape(c, out);
      ++i;
    } else if (const std::size_t used = codePage_->EncodeUnit(text, i, out); used > 0) {
      i += used;
    } else {
      AppendUnicodeEscape(c, out);
      ++i;
    }
  }
  return out;
}

}  // namespace zil::drawing
