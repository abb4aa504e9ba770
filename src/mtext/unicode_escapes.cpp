#include "mtext/unicode_escapes.h"

namespace zil::mtext {

namespace {

bool IsUpperHexDigit(char16_t c) { return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F'); }

// The code of a whole escape "\U+0XYZ" at the start of `s`, when there is one.
bool WholeEscape(std::u16string_view s, char16_t& code) {
  constexpr std::u16string_view kLead = u"\\U+0";
  if (s.size() < kLead.size() + 3 || s.substr(0, kLead.size()) != kLead) return false;
  unsigned value = 0;
  for (const char16_t d : s.substr(kLead.size(), 3)) {
    if (!IsUpperHexDigit(d)) return false;
    value = value * 16 + static_cast<unsigned>(d <= u'9' ? d - u'0' : d - u'A' + 10);
  }
  code = static_cast<char16_t>(value);
  return true;
}

}  // namespace

std::u16string DecodeUnicodeEscapes(std::u16string_view s) {
  if (s.find(u"\\U") == std::u16string_view::npos) return std::u16string(s);
  std::u16string out;
  out.reserve(s.size());
  std::size_t i = 0;
  while (i < s.size()) {
    if (s[i] != u'\\' || i + 1 == s.size()) {
      out += s[i++];
      continue;
    }
    char16_t code = 0;
    if (WholeEscape(s.substr(i), code)) {
      out += code;
      i += 7;
    } else {
      // A backslash keeps the character after it; after "\U" what follows is read afresh.
      out += s.substr(i, 2);
      i += 2;
    }
  }
  return out;
}

}  // namespace zil::mtext
