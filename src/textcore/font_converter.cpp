#include "textcore/font_converter.h"

#include <algorithm>
#include <utility>

#include "textcore/charmaps.h"
#include "textcore/codepage.h"
#include "textcore/conversions.h"
#include "textcore/runs.h"

namespace zil::textcore {
namespace {

std::string A(std::u16string_view s) { return ToAnsi(s); }
std::u16string U(std::string_view b) { return FromAnsi(b); }

bool EnglishOnlyBytes(std::string_view b, int type) {
  const auto any = [b](unsigned char lo, unsigned char hi) {
    return std::any_of(b.begin(), b.end(), [lo, hi](char c) {
      const auto x = static_cast<unsigned char>(c);
      return x >= lo && x <= hi;
    });
  };
  switch (type) {
    case DosHebrew:
      return !any(0x80, 0x9A);
    case DosEnglish:
    case DosEnglishR:
      return !any(0x60, 0x7A);
    case WindowsHeb:
    case TrueType:
      return !any(0xE0, 0xFA);
    default:
      return true;
  }
}

std::u16string MirrorBracketsW(std::u16string s) {
  for (char16_t& c : s) {
    switch (c) {
      case u'(':
        c = u')';
        break;
      case u')':
        c = u'(';
        break;
      case u'<':
        c = u'>';
        break;
      case u'>':
        c = u'<';
        break;
      default:
        break;
    }
  }
  return s;
}

}  // namespace

bool FontConverter::isEnglishOnly(std::u16string_view s, int type) { return EnglishOnlyBytes(A(s), type); }

std::u16string FontConverter::AcadToEditWin(std::u16string_view s) const {
  if (s.empty()) return {};
  const std::string b = cStBack ? ReverseStr(A(s)) : A(s);
  std::u16string r;
  switch (cStType) {
    case DosHebrew:
      if (EnglishOnlyBytes(b, DosHebrew)) {
        r = U(b);
      } else {
        std::string c = A(DosLettersToUnicode(s));  // from s itself, not from b
        if (!cStBack) c = ReverseStr(std::move(c));
        r = U(ReverseLatinRuns(std::move(c)));
      }
      break;
    case DosEnglish:
      r = U(ReverseLatinRuns(ReverseStr(DosLettersToWin(KeysToDos(b)))));
      break;
    case DosEnglishR:
      r = U(ReverseLatinRuns(DosLettersToWin(KeysToDos(b))));
      break;
    case WindowsHeb:
      r = EnglishOnlyBytes(b, WindowsHeb) ? U(b) : U(ReverseStr(ReverseLatinRuns(b)));
      break;
    case TrueType:
      return U(ReverseStr(A(ConvertLeftToRight(U(b)))));
  }
  return MirrorBracketsW(std::move(r));
}

std::u16string FontConverter::EditToacadWin(std::u16string_view s, bool reverseTTF) const {
  if (s.empty()) return {};
  std::u16string r;
  switch (cStType) {
    case DosHebrew:
      r = isEnglishOnly(s, WindowsHeb) ? std::u16string(s) : U(WinLettersToDos(ReverseStr(ReverseLatinRuns(A(s)))));
      break;
    case DosEnglish:
      r = U(DosToKeys(WinLettersToDos(ReverseStr(ReverseLatinRuns(A(s))))));
      break;
    case DosEnglishR:
      r = U(DosToKeys(WinLettersToDos(ReverseLatinRuns(A(s)))));
      break;
    case WindowsHeb:
      r = isEnglishOnly(s, WindowsHeb) ? std::u16string(s) : U(ReverseStr(ReverseLatinRuns(A(s))));
      break;
    case TrueType:
      return reverseTTF ? ConvertRightToLeft(s) : U(ReverseStr(A(ConvertRightToLeft(s))));
  }
  if (cStBack) r = U(ReverseStr(A(r)));
  return MirrorBracketsW(std::move(r));
}

std::u16string FontConverter::AcadToEditDos(std::u16string_view s) const {
  if (s.empty()) return {};
  const std::string b = cStBack ? A(ReverseStrW(std::u16string(s))) : A(s);
  switch (cStType) {
    case DosHebrew:
      return U(DosLettersToWin(b));
    case DosEnglish:
      return U(DosLettersToWin(KeysToDos(b)));
    case DosEnglishR:
      return U(DosLettersToWin(KeysToDos(ReverseStr(b))));
    case WindowsHeb:
      return cStBack ? U(ReverseStr(A(s))) : std::u16string(s);
    case TrueType:
      return EnglishOnlyBytes(b, TrueType) ? std::u16string(s) : U(VisualOrder(canvas, b));
  }
  return {};
}

std::u16string FontConverter::EditToacadDos(std::u16string_view s) const {
  if (s.empty()) return {};
  std::u16string r;
  switch (cStType) {
    case DosHebrew:
      r = U(WinLettersToDos(A(s)));
      break;
    case DosEnglish:
      r = U(DosToKeys(WinLettersToDos(A(s))));
      break;
    case DosEnglishR:
      r = U(ReverseStr(DosToKeys(WinLettersToDos(A(s)))));
      break;
    case WindowsHeb:
      r = std::u16string(s);
      break;
    case TrueType:
      r = U(VisualOrder(canvas, A(s)));
      break;
  }
  if (cStBack) r = U(ReverseStr(A(r)));
  return r;
}

std::u16string FontConverter::cDosToWin(std::u16string_view s) const { return U(ReverseLatinRuns(ReverseStr(A(s)))); }

std::u16string FontConverter::cWinToDos(std::u16string_view s) const { return U(ReverseStr(ReverseLatinRuns(A(s)))); }

std::u16string FontConverter::ConvertRightToLeft(std::u16string_view s) const {
  if (s.empty()) return {};
  return U(VisualOrder(canvas, ReverseLatinRuns(A(s))));
}

std::u16string FontConverter::ConvertLeftToRight(std::u16string_view s) const {
  if (s.empty()) return {};
  return U(ReverseLatinRuns(VisualOrder(canvas, A(s))));
}

std::string FontConverter::fAcadToEditWinL(std::string_view b, int type, bool backwards, bool rightToLeft) const {
  if (b.empty()) return {};
  const std::string t = backwards ? ReverseStr(std::string(b)) : std::string(b);
  std::string w;
  switch (type) {
    case DosHebrew:
      if (EnglishOnlyBytes(t, DosHebrew)) return t;
      w = ReverseLatinRuns(ReverseStr(DosLettersToWin(t)));
      break;
    case DosEnglish:
      w = ReverseLatinRuns(ReverseStr(DosLettersToWin(KeysToDos(t))));
      break;
    case DosEnglishR:
      w = ReverseLatinRuns(DosLettersToWin(KeysToDos(t)));
      break;
    case WindowsHeb:
      if (EnglishOnlyBytes(t, WindowsHeb)) return t;
      w = ReverseStr(ReverseLatinRuns(t));
      break;
    case TrueType:
      return VisualOrder(canvas, t);
    default:
      return {};
  }
  if (!rightToLeft) w = ReverseStr(VisualOrder(canvas, ReverseLatinRuns(std::move(w))));
  return MirrorBrackets(std::move(w));
}

std::u16string FontConverter::AAcadToEditWin(std::u16string_view s, int type, bool backwards, bool rightToLeft,
                                             bool reverseTTF) const {
  const std::string b = UnitsToBytes(s);
  const std::string r = fAcadToEditWinL(b, CorrectedFontType(b, type), backwards, rightToLeft);
  return reverseTTF ? U(ReverseStr(r)) : U(r);
}

}  // namespace zil::textcore
