#include "textcore/conversions.h"

#include <utility>

#include "textcore/charmaps.h"
#include "textcore/codepage.h"
#include "textcore/runs.h"
#include "textcore/visual_order.h"

namespace zil::textcore {
std::string AcadToStr(std::string s, int kind, bool backwards) {
  if (s.empty()) return {};
  std::string t = backwards ? ReverseStr(std::move(s)) : std::move(s);
  switch (kind) {
    case DosHebrew:
      if (!HasNoHebrew(t, DosHebrew)) t = ReverseLatinRuns(ReverseStr(DosLettersToWin(std::move(t))));
      break;
    case DosEnglish:
      t = ReverseLatinRuns(ReverseStr(DosLettersToWin(KeysToDos(std::move(t)))));
      break;
    case DosEnglishR:
      t = ReverseLatinRuns(DosLettersToWin(KeysToDos(std::move(t))));
      break;
    case WindowsHeb:
      if (!HasNoHebrew(t, WindowsHeb)) t = ReverseStr(ReverseLatinRuns(std::move(t)));
      break;
    case TrueType:
      return ReverseStr(ReverseLatinRuns(VisualOrderDC(ScreenDC, t)));
    default:
      return {};
  }
  return MirrorBrackets(std::move(t));
}

std::string StrToAcad(std::string s, int kind, bool backwards) {
  if (s.empty()) return {};
  switch (kind) {
    case DosHebrew:
      if (!HasNoHebrew(s, WindowsHeb)) s = WinLettersToDos(ReverseStr(ReverseLatinRuns(std::move(s))));
      break;
    case DosEnglish:
      s = DosToKeys(WinLettersToDos(ReverseStr(ReverseLatinRuns(std::move(s)))));
      break;
    case DosEnglishR:
      s = DosToKeys(WinLettersToDos(ReverseLatinRuns(std::move(s))));
      break;
    case WindowsHeb:
      if (!HasNoHebrew(s, WindowsHeb)) s = ReverseStr(ReverseLatinRuns(std::move(s)));
      break;
    case TrueType:
      return VisualOrderDC(ScreenDC, ReverseLatinRuns(std::move(s)));
    default:
      return {};
  }
  if (backwards) s = ReverseStr(std::move(s));
  return MirrorBrackets(std::move(s));
}

std::string ConvertFontType(std::string s, int from, bool fromBack, int to, bool toBack) {
  if (!FontTypeFromCode(from) || !FontTypeFromCode(to)) return {};
  if (from == to) return fromBack == toBack ? std::move(s) : ReverseStr(std::move(s));
  if (to == TrueType) return {};
  if (from == TrueType) {
    // TrueType text shows in its display order, which a Windows font stores.
    std::string t = VisualOrderDC(ScreenDC, fromBack == toBack ? std::move(s) : ReverseStr(std::move(s)));
    return to == WindowsHeb ? t : ConvertFontType(std::move(t), WindowsHeb, false, to, false);
  }
  // Between two SHX types the text goes through its edit form, so that it reads under the new type as it
  // read under the old one: the types store Hebrew in different orders (DosEnglishR not reversed at all).
  return StrToAcad(AcadToStr(std::move(s), from, fromBack), to, toBack);
}

int CorrectedFontType(std::string_view bytes, int declared) {
  if (declared == DosHebrew && !HasNoHebrew(bytes, WindowsHeb)) return WindowsHeb;
  if (declared == WindowsHeb && !HasNoHebrew(bytes, DosHebrew)) return DosHebrew;
  return declared;
}

std::u16string ConvertFontTypeW(std::u16string_view s, int from, bool fromBack, int to, bool toBack) {
  std::string b = UnitsToBytes(s);
  const int source = CorrectedFontType(b, from);
  return FromAnsi(ConvertFontType(std::move(b), source, fromBack, to, toBack));
}

std::u16string RemapFontType(std::u16string_view s, int from, int to) {
  std::string b = ToAnsi(s);
  switch (from) {
    case DosHebrew:
      if (to == DosEnglish) DosLettersToKeys(b);
      if (to == WindowsHeb) b = DosLettersToWin(std::move(b));
      break;
    case DosEnglish:
    case DosEnglishR:
      if (to == DosHebrew) KeysToDosLetters(b);
      if (to == WindowsHeb) b = KeysToWinLetters(std::move(b));
      break;
    case WindowsHeb:
      if (to == DosHebrew) b = WinLettersToDos(std::move(b));
      if (to == DosEnglish) b = WinLettersToKeys(std::move(b));
      break;
    default:
      break;
  }
  return FromAnsi(b);
}

}  // namespace zil::textcore
