#include "config/string_readings.h"

#include <algorithm>

#include "textcore/charmaps.h"

namespace zil::config {
namespace {

// What a byte is under a reading: a Windows-1255 letter 0xE0..0xFA, or one of these.
enum : std::uint8_t { kSeparator = 0, kLatin = 1, kGershayim = 2, kGeresh = 3, kJunk = 4 };

using ByteClasses = std::array<std::uint8_t, 256>;

constexpr ByteClasses ClassesOf(Reading reading) {
  ByteClasses t{};
  const bool keys = reading == Reading::DosEnglish || reading == Reading::DosEnglishR;
  for (int b = 0; b < 256; ++b) {
    std::uint8_t c = kSeparator;
    if (b >= 'A' && b <= 'Z') c = kLatin;
    if (b >= 'a' && b <= 'z') c = keys ? kSeparator : kLatin;  // the keys: letters below, q and w apart
    if (b == '"') c = kGershayim;
    if (b == '\'') c = keys ? kSeparator : kGeresh;  // the key "'" types a comma
    if (keys && b == 'w') c = kGeresh;
    const bool dos = b >= 0x80 && b <= 0x9A, win = b >= 0xE0 && b <= 0xFA;
    if (dos || win) c = kJunk;
    if (reading == Reading::DosHebrew && dos) c = static_cast<std::uint8_t>(b + 0x60);
    if ((reading == Reading::WindowsHeb || reading == Reading::TrueType) && win) c = static_cast<std::uint8_t>(b);
    t[static_cast<std::size_t>(b)] = c;
  }
  if (keys) {
    for (std::size_t i = 0; i < textcore::kLetterKeys.size(); ++i)
      t[static_cast<unsigned char>(textcore::kLetterKeys[i])] = static_cast<std::uint8_t>(0xE0 + i);
  }
  return t;
}

constexpr std::array<ByteClasses, kReadingCount> kClasses = {
    ClassesOf(Reading::DosHebrew),  ClassesOf(Reading::DosEnglish), ClassesOf(Reading::DosEnglishR),
    ClassesOf(Reading::WindowsHeb), ClassesOf(Reading::TrueType),   ClassesOf(Reading::Latin)};

constexpr bool IsLetter(std::uint8_t c) { return c >= 0xE0; }

WordKind KindOf(std::uint8_t c) {
  if (IsLetter(c)) return WordKind::Hebrew;
  return c == kLatin ? WordKind::Latin : WordKind::Junk;
}

// Skips a code group "\X...;" from `i` (at the X); returns the index after the ";" (or the end).
std::size_t SkipToSemicolon(std::u16string_view s, std::size_t i) {
  const auto semi = s.find(u';', i);
  return semi == std::u16string_view::npos ? s.size() : semi + 1;
}

}  // namespace

std::string_view ReadingName(Reading reading) {
  switch (reading) {
    case Reading::DosHebrew:
      return "DosHebrew";
    case Reading::DosEnglish:
      return "DosEnglish";
    case Reading::DosEnglishR:
      return "DosEnglishR";
    case Reading::WindowsHeb:
      return "WindowsHeb";
    case Reading::TrueType:
      return "TrueType";
    case Reading::Latin:
      return "Latin";
  }
  return "?";
}

fntType ReadingType(Reading reading) {
  switch (reading) {
    case Reading::DosEnglish:
      return DosEnglish;
    case Reading::DosEnglishR:
      return DosEnglishR;
    case Reading::WindowsHeb:
      return WindowsHeb;
    case Reading::TrueType:
      return TrueType;
    default:
      return DosHebrew;
  }
}

std::u16string PlainMText(std::u16string_view s) {
  std::u16string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char16_t c = s[i];
    if (c == u'{' || c == u'}') continue;
    if (c != u'\\' || i + 1 == s.size()) {
      out.push_back(c);
      continue;
    }
    const char16_t code = s[++i];
    switch (code) {
      case u'P':
      case u'X':
      case u'~':
        out.push_back(u' ');
        break;
      case u'\\':
      case u'{':
      case u'}':
        out.push_back(code);
        break;
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
        i = SkipToSemicolon(s, i) - 1;
        break;
      case u'S': {
        // A stacked fraction: its two parts, apart.
        const std::size_t end = SkipToSemicolon(s, i);
        out.push_back(u' ');
        for (std::size_t k = i + 1; k < end && s[k] != u';'; ++k)
          out.push_back(s[k] == u'^' || s[k] == u'/' || s[k] == u'#' ? u' ' : s[k]);
        out.push_back(u' ');
        i = end - 1;
        break;
      }
      default:
        break;  // \L \l \O \o \K \k \N and anything unknown: the code alone goes
    }
  }
  return out;
}

void BlankControlCodes(std::string& bytes) {
  for (std::size_t i = 0; i + 2 < bytes.size(); ++i) {
    if (bytes[i] != '%' || bytes[i + 1] != '%') continue;
    std::size_t n = 3;  // %%c, %%%
    const auto digit = [&](std::size_t k) { return k < bytes.size() && bytes[k] >= '0' && bytes[k] <= '9'; };
    if (digit(i + 2) && digit(i + 3) && digit(i + 4)) n = 5;
    std::fill_n(bytes.begin() + static_cast<std::ptrdiff_t>(i), n, ' ');
    i += n - 1;
  }
}

void Words::Close(WordKind kind, bool reverse) {
  const auto end = static_cast<std::uint32_t>(text_.size());
  if (end == open_) return;
  if (reverse) std::reverse(text_.begin() + open_, text_.end());
  list_.push_back({kind, open_, end - open_, letters_});
  open_ = end;
  letters_ = 0;
}

void Words::Read(std::string_view bytes, Reading reading) {
  text_.clear();
  list_.clear();
  open_ = 0;
  letters_ = 0;
  const ByteClasses& classes = kClasses[static_cast<std::size_t>(reading)];
  const bool hebrewReversed =
      reading == Reading::DosHebrew || reading == Reading::DosEnglish || reading == Reading::WindowsHeb;
  const bool latinReversed = reading == Reading::DosEnglishR;
  bool inWord = false;
  WordKind kind = WordKind::Latin;
  const auto close = [&] {
    if (inWord) Close(kind, kind == WordKind::Hebrew ? hebrewReversed : kind == WordKind::Latin && latinReversed);
    inWord = false;
  };
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const std::uint8_t c = classes[static_cast<unsigned char>(bytes[i])];
    if (c == kGershayim || c == kGeresh) {
      // A quote mark belongs to a Hebrew word only between two of its letters.
      const bool inner = inWord && kind == WordKind::Hebrew && i + 1 < bytes.size() &&
                         IsLetter(classes[static_cast<unsigned char>(bytes[i + 1])]);
      if (inner) {
        text_.push_back(c == kGershayim ? '"' : '\'');
      } else {
        close();
      }
      continue;
    }
    if (c == kSeparator) {
      close();
      continue;
    }
    const WordKind k = KindOf(c);
    if (inWord && k != kind) close();
    if (!inWord) {
      inWord = true;
      kind = k;
    }
    text_.push_back(IsLetter(c) ? static_cast<char>(c) : bytes[i]);
    ++letters_;
  }
  close();
}

}  // namespace zil::config
