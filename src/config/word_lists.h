// The word lists that tell which reading of a drawing string gives real words: a Hebrew one (the hunspell
// dictionary he_IL.dic with its affix file he_IL.aff, Debian package hunspell-he) and an English one (the
// plain list american-english, one word per line, Debian package wamerican).
//
// They are looked for by file name in a list of folders, the first folder that holds a file winning:
// the data folder first (where a user of a system without these packages can put them), then the
// folders Debian installs them to. ZIL_WORD_LISTS, when set, names the only folder searched. A list that
// is missing, or that cannot be read, leaves its place empty and says why and what to install; whatever
// needs it then works without it.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/hunspell_words.h"

namespace zil::config {

inline constexpr const char* kHebrewDictionary = "he_IL.dic";
inline constexpr const char* kHebrewAffixes = "he_IL.aff";
inline constexpr const char* kEnglishWordList = "american-english";

// A plain word list: one word per line. Only words of the letters a..z (any case) and the apostrophe are
// kept, in lower case.
class EnglishWords {
 public:
  explicit EnglishWords(const std::filesystem::path& file);
  // `word`: letters a..z in any case.
  bool Contains(std::string_view word) const;
  std::size_t Size() const { return words_.Size(); }

 private:
  WordSet words_;
};

struct WordLists {
  std::shared_ptr<const HunspellWords> hebrew;                   // null when missing
  std::shared_ptr<const EnglishWords> english;                   // null when missing
  std::vector<std::filesystem::path> hebrewFiles, englishFiles;  // the files read
  // One line per list that could not be had: which, where it was looked for or why it failed, and the
  // package to install.
  std::vector<std::string> problems;
};

// The folders searched: ZIL_WORD_LISTS alone when it is set; else `dataFolder`, then Debian's
// /usr/share/hunspell, /usr/share/myspell/dicts and /usr/share/dict.
std::vector<std::filesystem::path> WordListFolders(const std::filesystem::path& dataFolder);

// Reads both lists from the first of `folders` that holds their files. Never throws for a list: a missing
// or broken one is a line of `problems`.
WordLists LoadWordLists(const std::vector<std::filesystem::path>& folders);

}  // namespace zil::config
