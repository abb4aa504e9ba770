#include "textcore/runs.h"

#include <algorithm>

#include "textcore/charmaps.h"

namespace zil::textcore {

std::string ReverseStr(std::string s) {
  std::reverse(s.begin(), s.end());
  return s;
}

std::u16string ReverseStrW(std::u16string s) {
  std::reverse(s.begin(), s.end());
  return s;
}

bool HasNoHebrew(std::string_view s, int type) {
  const auto any = [s](bool (*letter)(unsigned char)) {
    return std::any_of(s.begin(), s.end(), [letter](char c) { return letter(static_cast<unsigned char>(c)); });
  };
  switch (type) {
    case DosHebrew:
      return !any([](unsigned char b) { return IsDosLetter(b); });
    case WindowsHeb:
    case TrueType:
      return !any([](unsigned char b) { return IsWinLetter(b); });
    default:
      return true;
  }
}

std::string ReverseLatinRuns(std::string s) {
  auto runStart = s.begin();
  while (runStart != s.end()) {
    const bool hebrew = IsHebrewRunByte(static_cast<unsigned char>(*runStart));
    const auto runEnd = std::find_if(
        runStart, s.end(), [hebrew](char c) { return IsHebrewRunByte(static_cast<unsigned char>(c)) != hebrew; });
    if (!hebrew) std::reverse(runStart, runEnd);
    runStart = runEnd;
  }
  return s;
}

std::string MirrorBrackets(std::string s) {
  for (char& c : s) {
    switch (c) {
      case '(':
        c = ')';
        break;
      case ')':
        c = '(';
        break;
      case '<':
        c = '>';
        break;
      case '>':
        c = '<';
        break;
      default:
        break;
    }
  }
  return s;
}

}  // namespace zil::textcore
