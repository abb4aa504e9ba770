// Tells each font's Hebrew encoding from the texts written in it: the font type to put in the font table,
// with how sure that is and the evidence, or that the font keeps no Hebrew (a Latin font such as txt).
//
// Every text is read in the six ways of string_readings.h (the five font types and plain Latin), after
// its backwards flag has turned it the way the font draws it. Each reading scores the words it sees:
//   a Hebrew word of two or more letters  +1 when the Hebrew word list knows it, -1 when not; without the
//                                         list, by its shape: a final letter (ך ם ן ף ץ) inside the word,
//                                         or a word ending in the plain form of one (כ מ נ פ צ), -1; a
//                                         final letter at its end +1; else 0
//   a Latin word of two or more letters   +1 when the English word list knows it; else 0 for capitals (an
//                                         abbreviation such as RC) and -1 for other letters; 0 for all
//                                         without the list
//   a run of junk bytes                   -1
// Single letters count for nothing (a sheet "א", a detail "B"). A font's score in a reading is the sum over
// its texts. The proposal is the Hebrew reading that scores best, when it beats the Latin reading and
// knows at least one word; otherwise the font is not Hebrew. Ties go to "not Hebrew".
//
// The confidence is 1 / (1 + e^(-margin)), the margin being how far the proposal's score lies ahead of the
// next reading's: 0.5 when the readings tie (as for a font without texts, or whose texts hold no letters),
// above 0.95 from a margin of 3 words on. A guess below that is marked unsure.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "config/string_readings.h"
#include "config/word_lists.h"
#include "textcore/font_type.h"

namespace zil::config {

inline constexpr double kSureConfidence = 0.95;

// What one reading made of a font's texts.
struct ReadingEvidence {
  std::size_t hebrewWords = 0;  // Hebrew words of two or more letters
  std::size_t hebrewKnown = 0;  // of them, words the Hebrew list knows (without it: of a Hebrew shape)
  std::size_t latinWords = 0;   // Latin words of two or more letters
  std::size_t latinKnown = 0;   // of them, words the English list knows
  std::size_t junk = 0;         // runs of bytes that would show as stray symbols
  double score = 0;
};

struct FontEvidence {
  std::size_t texts = 0;  // texts, attributes and MText seen in the font
  std::array<ReadingEvidence, kReadingCount> readings{};

  const ReadingEvidence& Of(Reading r) const { return readings[static_cast<std::size_t>(r)]; }
};

struct FontGuess {
  std::u16string font;                // the font file, as the drawing first names it
  std::optional<fntType> type;        // the proposal; none: the font keeps no Hebrew
  Reading reading = Reading::Latin;   // the reading behind the proposal (Latin for none)
  Reading runnerUp = Reading::Latin;  // the next best reading
  double confidence = 0.5;            // 0.5 (a tie) .. 1
  bool sure = false;                  // confidence >= kSureConfidence
  FontEvidence evidence;
};

class FontGuesser {
 public:
  // The lists are shared, not copied; either may be missing (see the scores above).
  explicit FontGuesser(WordLists lists);

  // A font of the drawing's styles, so that it is guessed (as not Hebrew) even when no text uses it.
  void AddFont(std::u16string_view font);
  // A single-line text or attribute in the font; `backwards`: it is drawn mirrored.
  void AddText(std::u16string_view font, std::u16string_view text, bool backwards);
  // An MText in the font: its formatting codes are left out.
  void AddMText(std::u16string_view font, std::u16string_view mtext, bool backwards);

  // One guess per font, sorted by font name without regard to case.
  std::vector<FontGuess> Guesses() const;

  const WordLists& Lists() const { return lists_; }

 private:
  struct Font {
    std::u16string name;
    FontEvidence evidence;  // all but the Hebrew words, which are judged at the end
  };
  Font& FontOf(std::u16string_view font);
  void Read(std::size_t font, std::string bytes, bool backwards);
  double LatinVerdict(std::string_view word);
  // What each distinct Hebrew word scores, in the order of hebrewWords_.
  std::vector<double> HebrewVerdicts() const;

  WordLists lists_;
  std::vector<Font> fonts_;
  std::unordered_map<std::u16string, std::size_t> index_;  // upper-cased font name -> fonts_
  Words words_;
  // The distinct Hebrew words met, each with its number, and how often each font read each of them in
  // each reading: key (font * kReadingCount + reading) << 32 | word number.
  std::unordered_map<std::string, std::uint32_t, StringHash, std::equal_to<>> hebrewWords_;
  std::unordered_map<std::uint64_t, std::uint32_t> hebrewCounts_;
  std::unordered_map<std::string, double, StringHash, std::equal_to<>> latinCache_;  // a Latin word's score
};

}  // namespace zil::config
