// The words a drawing string holds under each way a font may keep it: the five font types, and a plain
// Latin font that keeps no Hebrew at all. The classifier of a font's texts (font_guess.h) weighs them.
//
// A reading decides, for every byte of the string's single-byte form, whether it is a Hebrew letter (and
// which), a Latin letter, a quote mark that may stand inside a Hebrew word (gershayim, geresh), junk (a
// byte that is a Hebrew letter only in another reading: it would show as a stray symbol), or a separator
// (digits, spaces, other punctuation):
//   DosHebrew    letters at 0x80..0x9A, each word stored reversed
//   DosEnglish   letters on the Latin keys of the Hebrew keyboard (a..z but q and w, ";", ".", ","), each word
//                stored reversed; capitals are Latin; "w" is the geresh
//   DosEnglishR  the keys, words in reading order, and every run of other characters reversed, so a Latin
//                word is stored reversed
//   WindowsHeb   letters at 0xE0..0xFA, each word stored reversed
//   TrueType     letters at 0xE0..0xFA in reading order
//   Latin        no Hebrew letters; a..z and A..Z are Latin
// Words come out in reading order, Hebrew ones as Windows-1255 letters. The strings given are already
// turned the way the font draws them: a string of a backwards text reversed first (FontGuesser does it).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "textcore/font_type.h"

namespace zil::config {

enum class Reading : int { DosHebrew, DosEnglish, DosEnglishR, WindowsHeb, TrueType, Latin };
inline constexpr int kReadingCount = 6;
inline constexpr std::array<Reading, kReadingCount> kReadings = {Reading::DosHebrew,   Reading::DosEnglish,
                                                                 Reading::DosEnglishR, Reading::WindowsHeb,
                                                                 Reading::TrueType,    Reading::Latin};

// "DosHebrew", ..., "TrueType", "Latin".
std::string_view ReadingName(Reading reading);
// The font type of a Hebrew reading (Latin has none: it is never asked).
fntType ReadingType(Reading reading);

// The text an MText string shows: formatting codes ("\fArial|b0;", "\H2.5x;", "\C1;", "\L", braces) go,
// paragraph and line breaks ("\P", "\X") and the non-breaking space ("\~") become spaces, a stacked
// fraction ("\S1/2;") keeps its parts apart, and "\\", "\{", "\}" are their characters.
std::u16string PlainMText(std::u16string_view mtext);

// AutoCAD's control codes ("%%c", "%%d", "%%p", "%%u", "%%o", "%%%" and "%%nnn") replaced by spaces in
// place, so their letters are not read as words.
void BlankControlCodes(std::string& bytes);

enum class WordKind : std::uint8_t { Hebrew, Latin, Junk };

struct Word {
  WordKind kind;
  std::uint32_t begin;    // into Words::text
  std::uint32_t size;     // bytes
  std::uint32_t letters;  // letters (quote marks not counted); junk: bytes
};

// The words of one string under one reading; reused from string to string to keep allocation off the hot
// path.
class Words {
 public:
  // Replaces the words by those of `bytes` (the string's single-byte form) under `reading`.
  void Read(std::string_view bytes, Reading reading);

  const std::vector<Word>& List() const { return list_; }
  std::string_view Text(const Word& w) const { return std::string_view(text_).substr(w.begin, w.size); }

 private:
  void Close(WordKind kind, bool reverse);

  std::string text_;
  std::vector<Word> list_;
  std::uint32_t open_ = 0;  // where the word being read began in text_
  std::uint32_t letters_ = 0;
};

}  // namespace zil::config
