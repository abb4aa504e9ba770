#include "drawing/dxf_string.h"

#include <algorithm>

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

// Carets, control characters and backslashes (which may start an escape) are written by rules of their own.
bool HasRuleOfItsOwn(char16_t c) noexcept { return c < 0x20 || c == u'^' || c == u'\\'; }

// `\U+XXXX`, upper-case hex.
void AppendUnicodeEscape(char16_t unit, std::string& out) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  out += "\\U+";
  for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(unit >> shift) & 0xF];
}

}  // namespace

std::u16string DxfStrings::Decode(std::string_view bytes) const {
  std::u16string text;
  codePage_->Decode(bytes, text);
  if (std::none_of(text.begin(), text.end(), [](char16_t c) { return c == u'\\' || c == u'^'; })) return text;
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

std::size_t DxfStrings::EncodeCharacter(std::u16string_view text, std::size_t pos, std::string& out) const {
  const char16_t c = text[pos];
  if (c == u'^') {
    out += "^ ";
  } else if (c < 0x20) {
    out += '^';
    out += static_cast<char>(c + u'@');
  } else if (c == u'\\' && (IsUnicodeEscape(text, pos) || IsMultibyteEscape(text, pos))) {
    AppendUnicodeEscape(c, out);
  } else if (const std::size_t used = codePage_->EncodeUnit(text, pos, out); used > 0) {
    return used;
  } else {
    AppendUnicodeEscape(c, out);
  }
  return 1;
}

bool DxfStrings::ReadsBackAsIs(std::u16string_view text) const noexcept {
  // A unit the code page cannot hold is written as its \U+ escape, which reads back as that unit.
  return codePage_->WritesWhatItReads() && std::none_of(text.begin(), text.end(), HasRuleOfItsOwn);
}

std::string DxfStrings::Encode(std::u16string_view text, std::vector<std::size_t>* boundaries) const {
  std::string out;
  if (!boundaries) {
    EncodeAll(text, out);
    return out;
  }
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    boundaries->push_back(out.size());
    i += EncodeCharacter(text, i, out);
  }
  return out;
}

std::string DxfStrings::Encode(std::u16string_view text, bool& readsBackAsIs) const {
  std::string out;
  readsBackAsIs = EncodeAll(text, out) && codePage_->WritesWhatItReads();
  return out;
}

bool DxfStrings::EncodeAll(std::u16string_view text, std::string& out) const {
  if (const CodePage::ByteTable* bytes = codePage_->BytesOfUnits()) return EncodeAll(text, *bytes, out);
  bool plain = true;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    if (!HasRuleOfItsOwn(text[i])) {
      // Units without a rule of their own go to the code page as one run; a unit it cannot hold is escaped
      // and the rest of the run goes on after it.
      const std::size_t end =
          static_cast<std::size_t>(std::find_if(text.begin() + i + 1, text.end(), HasRuleOfItsOwn) - text.begin());
      while ((i = codePage_->EncodeRun(text, i, end, out)) < end) AppendUnicodeEscape(text[i++], out);
      continue;
    }
    plain = false;
    i += EncodeCharacter(text, i, out);
  }
  return plain;
}

bool DxfStrings::EncodeAll(std::u16string_view text, const CodePage::ByteTable& bytes, std::string& out) const {
  // One byte a unit, looked up and written where the string has room for it: the string starts with room
  // for a byte a unit; a unit written otherwise (a rule of its own, or a unit the code page lacks) makes
  // room for itself and the units after it, the string at least doubling, so that many of them stay linear.
  // A unit's byte tells which: units below 0x80 are their own bytes, the others bytes from 0x80 up (no
  // rule of their own) or 0 (lacking), so a byte without a rule of its own is a unit written as it.
  bool plain = true;
  out.resize(text.size());
  std::size_t n = 0;
  std::string other;
  for (std::size_t i = 0; i < text.size();) {
    // Pointers held in locals: a byte written could be anything to the compiler, the string's own pointer
    // or the text's included.
    const char16_t* const units = text.data();
    char* const room = out.data();
    for (; i < text.size(); ++i) {
      const unsigned char byte = bytes[units[i]];
      if (HasRuleOfItsOwn(byte)) break;
      room[n++] = static_cast<char>(byte);
    }
    if (i == text.size()) break;
    plain = plain && !HasRuleOfItsOwn(text[i]);
    other.clear();
    i += EncodeCharacter(text, i, other);  // a caret's bytes, an escape
    const std::size_t needed = n + other.size() + (text.size() - i);
    if (needed > out.size()) out.resize(std::max(needed, 2 * out.size()));
    std::copy(other.begin(), other.end(), out.begin() + static_cast<std::ptrdiff_t>(n));
    n += other.size();
  }
  out.resize(n);
  return plain;
}

}  // namespace zil::drawing
