#include "textcore/conversions.h"

#include <utility>

#include "textcore/charmaps.h"
#include "textcore/codepage.h"
#include "textcore/runs.h"
#include "textcore/visual_order.h"

namespace zil::textcore {
namespace {

bool IsKeyType(int type) { return type == DosEnglish || type == DosEnglishR; }

}  // namespace

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
  std::string t = fromBack == toBack ? std::move(s) : ReverseStr(std::move(s));
  if (from == to) return t;
  if (to == TrueType) return {};
  if (from == TrueType) {
    t = VisualOrderDC(ScreenDC, t);
    if (to == WindowsHeb) return t;
    from = WindowsHeb;
  }
  switch (from) {
    case DosHebrew:
      return to == WindowsHeb ? ReverseStr(DosLettersToWin(std::move(t))) : ReverseStr(DosToKeys(std::move(t)));
    case DosEnglish:
    case DosEnglishR:
      if (IsKeyType(to)) return t;
      return to == WindowsHeb ? ReverseStr(KeysToWinLetters(std::move(t))) : ReverseStr(KeysToDos(std::move(t)));
    case WindowsHeb:
      return to == DosHebrew ? WinLettersToDos(std::move(t)) : ReverseStr(WinLettersToKeys(std::move(t)));
    default:
      return {};
  }
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
