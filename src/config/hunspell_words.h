// A hunspell dictionary (a .dic word list and its .aff affix file) read for one question: which of these
// strings are words of the language?
//
// A hunspell .dic holds stems, each with the flags of the affix classes it takes ("שלום/b"); the .aff says
// what each class adds. The Hebrew dictionary that Debian ships (hunspell-he) lists every inflected form
// in full, so its stems already carry their endings, and its only affixes are prefixes: the particles
// Hebrew writes joined to the next word (ו "and", ה "the", ב "in", ל "to", מ "from", ש "that", כ "as", and
// their chains such as "וכשה"). Each prefix rule says which stems take it, by a pattern on the stem's
// first letters (ב takes "[^ו]", but before a stem beginning with a single ו it is written "בו" and the ו
// doubles). Some stems never stand alone (the NEEDAFFIX flag). So a word is known when it is a stem
// that may stand alone, or a prefix of a rule followed by a stem that carries the rule's flag and meets
// its pattern. Suffix rules, which that dictionary does not use, are not read: a form they would make is
// simply not known.
//
// The stems (some 470,000) are kept in the order of the file and not indexed: a question about some words
// first works out every stem that could make them, then passes over the stems once. For the few thousand
// words of a drawing that is several times cheaper than indexing the whole list.
//
// Words are kept and looked up as Windows-1255 bytes (letters 0xE0..0xFA, the quote marks as themselves),
// the form the Hebrew conversions work in. The files may be in UTF-8 or ISO-8859-8 ("SET"); a stem with
// a character the code page lacks is left out. Flags are single characters (hunspell's default); files
// with long or numeric flags or flag aliases are refused with an error saying so.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "config/word_set.h"

namespace zil::config {

// Hashes strings and string views alike, so maps keyed by std::string are searched without a copy.
struct StringHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view s) const noexcept { return std::hash<std::string_view>{}(s); }
};

class HunspellWords {
 public:
  // Reads `dic` and `aff`. Throws std::runtime_error naming the file and the line for a file that cannot
  // be read or that uses what is not supported (see above).
  HunspellWords(const std::filesystem::path& dic, const std::filesystem::path& aff);

  // For each of `words` (Windows-1255 bytes), whether it is a word: a stem that may stand alone, or a
  // known prefix and a stem that takes it.
  std::vector<bool> Known(const std::vector<std::string_view>& words) const;

  std::size_t StemCount() const { return stems_.size(); }

 private:
  // One element of a rule's pattern: any character, or a set (negated or not) of characters.
  struct PatternElement {
    bool any = false;
    bool negated = false;
    std::string chars;
  };
  struct PrefixRule {
    std::uint32_t flag = 0;  // the bit of the class
    std::string strip;       // taken from the stem's beginning before the prefix is added
    std::vector<PatternElement> pattern;
  };

  void ReadAffixes(const std::filesystem::path& aff);
  void ReadStems(const std::filesystem::path& dic);
  std::uint32_t FlagBits(std::string_view flags, const std::filesystem::path& file, std::size_t line);
  static bool Matches(const std::vector<PatternElement>& pattern, std::string_view stem);

  bool utf8_ = false;
  std::array<std::uint32_t, 256> flagBits_{};  // flag character -> its bit (0: not met yet)
  int flagCount_ = 0;
  std::uint32_t needAffix_ = 0;  // bit of the NEEDAFFIX flag, if any
  std::unordered_map<std::string, std::vector<PrefixRule>, StringHash, std::equal_to<>> prefixes_;  // added -> rules
  std::size_t longestPrefix_ = 0;
  struct Stem {
    std::uint32_t offset;  // into text_
    std::uint32_t flags;
    std::uint8_t length;
  };
  std::string text_;         // every stem, one after another
  std::vector<Stem> stems_;  // in the order of the file
};

}  // namespace zil::config
