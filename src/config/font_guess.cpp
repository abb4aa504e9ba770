#include "config/font_guess.h"

#include <algorithm>
#include <cmath>

#include "config/font_name.h"
#include "platform/ascii_case.h"
#include "textcore/codepage.h"

namespace zil::config {
namespace {

bool IsFinal(unsigned char b) { return b == 0xEA || b == 0xED || b == 0xEF || b == 0xF3 || b == 0xF5; }
bool IsPlainOfFinal(unsigned char b) { return b == 0xEB || b == 0xEE || b == 0xF0 || b == 0xF4 || b == 0xF6; }

// A Hebrew word judged by its shape alone: final letters stand only at the end, their plain forms never.
double ShapeVerdict(std::string_view word) {
  const auto last = static_cast<unsigned char>(word.back());
  for (std::size_t i = 0; i + 1 < word.size(); ++i)
    if (IsFinal(static_cast<unsigned char>(word[i]))) return -1;
  if (IsPlainOfFinal(last)) return -1;
  return IsFinal(last) ? 1 : 0;
}

bool AllCapitals(std::string_view word) {
  return std::all_of(word.begin(), word.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

double Confidence(double margin) { return 1 / (1 + std::exp(-margin)); }

}  // namespace

FontGuesser::FontGuesser(WordLists lists) : lists_(std::move(lists)) {}

FontGuesser::Font& FontGuesser::FontOf(std::u16string_view font) {
  const auto [it, added] = index_.try_emplace(UpperAscii(font), fonts_.size());
  if (added) fonts_.push_back({std::u16string(font), {}});
  return fonts_[it->second];
}

void FontGuesser::AddFont(std::u16string_view font) { FontOf(font); }

void FontGuesser::AddText(std::u16string_view font, std::u16string_view text, bool backwards) {
  const std::size_t f = static_cast<std::size_t>(&FontOf(font) - fonts_.data());
  Read(f, textcore::ToAnsi(text), backwards);
}

void FontGuesser::AddMText(std::u16string_view font, std::u16string_view mtext, bool backwards) {
  const std::size_t f = static_cast<std::size_t>(&FontOf(font) - fonts_.data());
  Read(f, textcore::ToAnsi(PlainMText(mtext)), backwards);
}

double FontGuesser::LatinVerdict(std::string_view word) {
  if (!lists_.english) return 0;
  if (const auto it = latinCache_.find(word); it != latinCache_.end()) return it->second;
  double verdict = 1;
  if (!lists_.english->Contains(word)) verdict = AllCapitals(word) ? 0 : -1;
  latinCache_.emplace(word, verdict);
  return verdict;
}

std::vector<double> FontGuesser::HebrewVerdicts() const {
  std::vector<std::string_view> words(hebrewWords_.size());
  for (const auto& [word, number] : hebrewWords_) words[number] = word;
  std::vector<double> verdicts(words.size());
  if (lists_.hebrew) {
    const std::vector<bool> known = lists_.hebrew->Known(words);
    for (std::size_t i = 0; i < words.size(); ++i) verdicts[i] = known[i] ? 1 : -1;
  } else {
    for (std::size_t i = 0; i < words.size(); ++i) verdicts[i] = ShapeVerdict(words[i]);
  }
  return verdicts;
}

void FontGuesser::Read(std::size_t font, std::string bytes, bool backwards) {
  // Control codes are where AutoCAD reads them: in the stored string, before it is turned.
  BlankControlCodes(bytes);
  if (backwards) std::reverse(bytes.begin(), bytes.end());
  FontEvidence& evidence = fonts_[font].evidence;
  ++evidence.texts;
  for (const Reading reading : kReadings) {
    ReadingEvidence& e = evidence.readings[static_cast<std::size_t>(reading)];
    words_.Read(bytes, reading);
    for (const Word& w : words_.List()) {
      if (w.kind == WordKind::Junk) {
        ++e.junk;
        e.score -= 1;
        continue;
      }
      if (w.letters < 2) continue;  // a single letter says nothing
      const std::string_view text = words_.Text(w);
      if (w.kind == WordKind::Latin) {
        const double verdict = LatinVerdict(text);
        ++e.latinWords;
        if (verdict > 0) ++e.latinKnown;
        e.score += verdict;
        continue;
      }
      auto it = hebrewWords_.find(text);
      if (it == hebrewWords_.end())
        it = hebrewWords_.emplace(text, static_cast<std::uint32_t>(hebrewWords_.size())).first;
      const std::uint64_t key =
          (static_cast<std::uint64_t>(font * kReadingCount + static_cast<std::size_t>(reading)) << 32) | it->second;
      ++hebrewCounts_[key];
    }
  }
}

std::vector<FontGuess> FontGuesser::Guesses() const {
  std::vector<FontEvidence> evidence;
  for (const Font& font : fonts_) evidence.push_back(font.evidence);
  const std::vector<double> verdicts = HebrewVerdicts();
  for (const auto& [key, count] : hebrewCounts_) {
    const std::size_t fontReading = static_cast<std::size_t>(key >> 32);
    ReadingEvidence& e = evidence[fontReading / kReadingCount].readings[fontReading % kReadingCount];
    const double verdict = verdicts[static_cast<std::size_t>(key & 0xFFFFFFFFu)];
    e.hebrewWords += count;
    if (verdict > 0) e.hebrewKnown += count;
    e.score += verdict * count;
  }
  std::vector<FontGuess> guesses;
  for (std::size_t f = 0; f < fonts_.size(); ++f) {
    FontGuess g;
    g.font = fonts_[f].name;
    g.evidence = evidence[f];
    // The best reading; on a tie the earlier in `order`, Latin first.
    static constexpr std::array<Reading, kReadingCount> order = {Reading::Latin,      Reading::TrueType,
                                                                 Reading::WindowsHeb, Reading::DosHebrew,
                                                                 Reading::DosEnglish, Reading::DosEnglishR};
    // A Hebrew reading can be proposed only when it knows a word.
    const auto eligible = [&](Reading r) { return r == Reading::Latin || g.evidence.Of(r).hebrewKnown > 0; };
    Reading best = Reading::Latin;
    for (const Reading r : order)
      if (eligible(r) && g.evidence.Of(r).score > g.evidence.Of(best).score) best = r;
    // The runner-up: the best other reading that reads the letters otherwise (a Hebrew reading that saw
    // no Hebrew word reads every letter as the Latin one does). With none, nothing tells: a tie.
    std::optional<Reading> second;
    for (const Reading r : order) {
      if (r == best || (r != Reading::Latin && g.evidence.Of(r).hebrewWords == 0)) continue;
      if (!second || g.evidence.Of(r).score > g.evidence.Of(*second).score) second = r;
    }
    g.reading = best;
    g.runnerUp = second.value_or(best);
    if (best != Reading::Latin) g.type = ReadingType(best);
    // A Hebrew reading that knows no word may outscore the Latin one without being a proposal: no margin.
    g.confidence =
        second ? Confidence(std::max(0.0, g.evidence.Of(best).score - g.evidence.Of(*second).score)) : Confidence(0);
    g.sure = g.confidence >= kSureConfidence;
    guesses.push_back(std::move(g));
  }
  std::sort(guesses.begin(), guesses.end(),
            [](const FontGuess& a, const FontGuess& b) { return UpperAscii(a.font) < UpperAscii(b.font); });
  return guesses;
}

}  // namespace zil::config
