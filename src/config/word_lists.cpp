#include "config/word_lists.h"

#include <algorithm>
#include <cstdlib>
#include <system_error>

#include "config/word_file.h"

namespace zil::config {
namespace {

namespace fs = std::filesystem;

bool IsFile(const fs::path& p) {
  std::error_code error;
  return fs::is_regular_file(p, error);
}

std::optional<fs::path> FindFile(const std::vector<fs::path>& folders, const char* name) {
  for (const fs::path& folder : folders)
    if (IsFile(folder / name)) return folder / name;
  return std::nullopt;
}

std::string FolderList(const std::vector<fs::path>& folders) {
  std::string list;
  for (const fs::path& folder : folders) list += (list.empty() ? "" : ", ") + folder.string();
  return list.empty() ? "(no folder)" : list;
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

EnglishWords::EnglishWords(const fs::path& file) {
  const std::string content = ReadWordFile(file);
  words_.Reserve(static_cast<std::size_t>(std::count(content.begin(), content.end(), '\n')), content.size());
  std::size_t start = 0;
  std::string word;
  while (start < content.size()) {
    std::size_t end = content.find('\n', start);
    if (end == std::string::npos) end = content.size();
    word.assign(content, start, end - start);
    start = end + 1;
    if (!word.empty() && word.back() == '\r') word.pop_back();
    const bool plain = !word.empty() && std::all_of(word.begin(), word.end(), [](char c) {
      return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '\'';
    });
    if (!plain) continue;
    std::transform(word.begin(), word.end(), word.begin(), Lower);
    words_.Add(word);
  }
}

bool EnglishWords::Contains(std::string_view word) const {
  char lower[256];
  if (word.size() > sizeof lower) return false;
  std::transform(word.begin(), word.end(), lower, Lower);
  return words_.Contains(std::string_view(lower, word.size()));
}

std::vector<fs::path> WordListFolders(const fs::path& dataFolder) {
  if (const char* only = std::getenv("ZIL_WORD_LISTS"); only && *only) return {fs::path(only)};
  return {dataFolder, "/usr/share/hunspell", "/usr/share/myspell/dicts", "/usr/share/dict"};
}

WordLists LoadWordLists(const std::vector<fs::path>& folders) {
  WordLists lists;
  // The dictionary and its affix file come from one folder.
  const auto folder = std::find_if(folders.begin(), folders.end(), [](const fs::path& f) {
    return IsFile(f / kHebrewDictionary) && IsFile(f / kHebrewAffixes);
  });
  if (folder == folders.end()) {
    lists.problems.push_back(std::string("the Hebrew word list (") + kHebrewDictionary + " and " + kHebrewAffixes +
                             ") is not in " + FolderList(folders) + ": install the package hunspell-he");
  } else {
    try {
      lists.hebrew = std::make_shared<const HunspellWords>(*folder / kHebrewDictionary, *folder / kHebrewAffixes);
      lists.hebrewFiles = {*folder / kHebrewDictionary, *folder / kHebrewAffixes};
    } catch (const std::exception& e) {
      lists.problems.push_back(std::string("the Hebrew word list cannot be used: ") + e.what() +
                               " (reinstall the package hunspell-he)");
    }
  }
  const auto english = FindFile(folders, kEnglishWordList);
  if (!english) {
    lists.problems.push_back(std::string("the English word list (") + kEnglishWordList + ") is not in " +
                             FolderList(folders) + ": install the package wamerican");
  } else {
    try {
      lists.english = std::make_shared<const EnglishWords>(*english);
      lists.englishFiles = {*english};
    } catch (const std::exception& e) {
      lists.problems.push_back(std::string("the English word list cannot be used: ") + e.what() +
                               " (reinstall the package wamerican)");
    }
  }
  return lists;
}

}  // namespace zil::config
