#include "json_string.h"

#include <array>
#include <cstdint>

namespace zil::cli {
namespace {

constexpr std::array<char, 16> kHex = {'0', '1', '2', '3', '4', '5', '6', '7', '8', '9', 'a', 'b', 'c', 'd', 'e', 'f'};

void AppendEscape(std::string& out, char16_t unit) {
  out += "\\u";
  for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(unit >> shift) & 0xF];
}

bool IsLead(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsTrail(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

void AppendUtf8(std::string& out, std::uint32_t c) {
  const auto put = [&out](std::uint32_t byte) { out += static_cast<char>(byte); };
  if (c < 0x80) {
    put(c);
  } else if (c < 0x800) {
    put(0xC0 | (c >> 6));
    put(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    put(0xE0 | (c >> 12));
    put(0x80 | ((c >> 6) & 0x3F));
    put(0x80 | (c & 0x3F));
  } else {
    put(0xF0 | (c >> 18));
    put(0x80 | ((c >> 12) & 0x3F));
    put(0x80 | ((c >> 6) & 0x3F));
    put(0x80 | (c & 0x3F));
  }
}

// Decodes one strict UTF-8 sequence (no overlongs, no surrogates, at most U+10FFFF) starting at `i`;
// advances `i`. Returns false for a malformed sequence.
bool NextUtf8(std::string_view s, std::size_t& i, std::uint32_t& c) {
  const auto byte = [&s](std::size_t k) { return static_cast<std::uint32_t>(static_cast<unsigned char>(s[k])); };
  const std::uint32_t lead = byte(i);
  std::size_t extra = 0;
  std::uint32_t min = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    extra = 1, min = 0x80, c = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    extra = 2, min = 0x800, c = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    extra = 3, min = 0x10000, c = lead & 0x07;
  } else {
    return false;
  }
  if (i + extra >= s.size()) return false;
  for (std::size_t k = 1; k <= extra; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return false;
    c = (c << 6) | (byte(i + k) & 0x3F);
  }
  if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
  i += extra + 1;
  return true;
}

[[noreturn]] void Fail(std::string_view what, std::size_t column) {
  throw JsonStringError(std::string(what) + " at column " + std::to_string(column + 1));
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsJsonSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

std::string EncodeJsonString(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  out += '"';
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    switch (unit) {
      case u'"':
        out += "\\\"";
        continue;
      case u'\\':
        out += "\\\\";
        continue;
      case u'\n':
        out += "\\n";
        continue;
      case u'\r':
        out += "\\r";
        continue;
      case u'\t':
        out += "\\t";
        continue;
      default:
        break;
    }
    if (unit < 0x20 || (unit >= 0x7F && unit <= 0x9F)) {
      AppendEscape(out, unit);
    } else if (IsLead(unit) && i + 1 < text.size() && IsTrail(text[i + 1])) {
      AppendUtf8(out, 0x10000u + ((static_cast<std::uint32_t>(unit) - 0xD800u) << 10) +
                          (static_cast<std::uint32_t>(text[i + 1]) - 0xDC00u));
      ++i;
    } else if (IsLead(unit) || IsTrail(unit)) {
      AppendEscape(out, unit);
    } else {
      AppendUtf8(out, unit);
    }
  }
  out += '"';
  return out;
}

std::u16string DecodeJsonString(std::string_view line) {
  std::size_t i = 0;
  while (i < line.size() && IsJsonSpace(line[i])) ++i;
  if (i == line.size() || line[i] != '"') Fail("expected a JSON string (\"...\")", i);
  ++i;
  std::u16string text;
  for (;;) {
    if (i >= line.size()) Fail("unterminated string", i);
    const auto byte = static_cast<unsigned char>(line[i]);
    if (byte == '"') {
      ++i;
      break;
    }
    if (byte < 0x20) Fail("unescaped control character in string", i);
    if (byte == '\\') {
      if (i + 1 >= line.size()) Fail("unterminated escape", i);
      const char kind = line[i + 1];
      switch (kind) {
        case '"':
          text += u'"';
          break;
        case '\\':
          text += u'\\';
          break;
        case '/':
          text += u'/';
          break;
        case 'b':
          text += u'\b';
          break;
        case 'f':
          text += u'\f';
          break;
        case 'n':
          text += u'\n';
          break;
        case 'r':
          text += u'\r';
          break;
        case 't':
          text += u'\t';
          break;
        case 'u': {
          if (i + 6 > line.size()) Fail("\\u needs four hexadecimal digits", i);
          int value = 0;
          for (std::size_t k = i + 2; k < i + 6; ++k) {
            const int digit = HexValue(line[k]);
            if (digit < 0) Fail("\\u needs four hexadecimal digits", k);
            value = value * 16 + digit;
          }
          text += static_cast<char16_t>(value);
          i += 4;
          break;
        }
        default:
          Fail("unknown escape", i);
      }
      i += 2;
      continue;
    }
    if (byte < 0x80) {
      text += static_cast<char16_t>(byte);
      ++i;
      continue;
    }
    std::uint32_t c = 0;
    if (!NextUtf8(line, i, c)) Fail("malformed UTF-8", i);
    if (c < 0x10000) {
      text += static_cast<char16_t>(c);
    } else {
      text += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      text += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    }
  }
  while (i < line.size() && IsJsonSpace(line[i])) ++i;
  if (i != line.size()) Fail("unexpected text after the string", i);
  return text;
}

}  // namespace zil::cli
