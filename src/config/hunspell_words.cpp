#include "config/hunspell_words.h"

#include <algorithm>
#include <bitset>
#include <optional>
#include <stdexcept>

#include "config/word_file.h"
#include "textcore/codepage.h"

namespace zil::config {
namespace {

std::runtime_error LineError(const std::filesystem::path& file, std::size_t line, const std::string& what) {
  return std::runtime_error(file.string() + ", line " + std::to_string(line) + ": " + what);
}

// The whitespace-separated fields of a line.
std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    const std::size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
    if (i > start) fields.push_back(line.substr(start, i - start));
  }
  return fields;
}

// The Windows-1255 bytes of text in the file's encoding, into `out`; false when a character has no byte
// there.
bool ToCodePage(std::string_view text, bool utf8, std::string& out) {
  out.clear();
  if (!utf8) {  // ISO-8859-8 keeps the letters where Windows-1255 has them
    out.assign(text);
    return true;
  }
  for (std::size_t i = 0; i < text.size();) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (b < 0x80) {
      out.push_back(static_cast<char>(b));
      ++i;
      continue;
    }
    // A Hebrew letter, U+05D0..U+05EA, is D7 90..D7 AA.
    if (b == 0xD7 && i + 1 < text.size()) {
      const auto c = static_cast<unsigned char>(text[i + 1]);
      if (c >= 0x90 && c <= 0xAA) {
        out.push_back(static_cast<char>(0xE0 + (c - 0x90)));
        i += 2;
        continue;
      }
    }
    char32_t cp = 0;
    std::size_t n = 0;
    if ((b & 0xE0) == 0xC0) {
      cp = b & 0x1Fu, n = 2;
    } else if ((b & 0xF0) == 0xE0) {
      cp = b & 0x0Fu, n = 3;
    } else {
      return false;  // four-byte sequences and stray bytes: nothing the code page holds
    }
    if (i + n > text.size()) return false;
    for (std::size_t k = 1; k < n; ++k) {
      const auto c = static_cast<unsigned char>(text[i + k]);
      if ((c & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (c & 0x3Fu);
    }
    i += n;
    const unsigned char byte = textcore::EncodeAnsiUnit(static_cast<char16_t>(cp));
    if (byte == '?') return false;
    out.push_back(static_cast<char>(byte));
  }
  return true;
}

// Calls `line(number, text)` for each line of a file, without its line ending.
template <typename F>
void ForEachLine(const std::string& content, F&& line) {
  std::size_t start = 0, number = 0;
  while (start < content.size()) {
    std::size_t end = content.find('\n', start);
    if (end == std::string::npos) end = content.size();
    std::string_view text(content.data() + start, end - start);
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    line(++number, text);
    start = end + 1;
  }
}

}  // namespace

HunspellWords::HunspellWords(const std::filesystem::path& dic, const std::filesystem::path& aff) {
  ReadAffixes(aff);
  ReadStems(dic);
}

std::uint32_t HunspellWords::FlagBits(std::string_view flags, const std::filesystem::path& file, std::size_t line) {
  std::uint32_t bits = 0;
  for (const char c : flags) {
    std::uint32_t& bit = flagBits_[static_cast<unsigned char>(c)];
    if (bit == 0) {
      if (flagCount_ == 32) throw LineError(file, line, "more than 32 affix flags are not supported");
      bit = std::uint32_t{1} << flagCount_++;
    }
    bits |= bit;
  }
  return bits;
}

void HunspellWords::ReadAffixes(const std::filesystem::path& aff) {
  const std::string content = ReadWordFile(aff);
  // The encoding comes first, as hunspell reads it.
  ForEachLine(content, [&](std::size_t number, std::string_view line) {
    const auto f = Fields(line);
    if (f.size() < 2 || f[0] != "SET") return;
    if (f[1] == "UTF-8") {
      utf8_ = true;
    } else if (f[1] == "ISO8859-8" || f[1] == "ISO-8859-8" || f[1] == "cp1255") {
      utf8_ = false;
    } else {
      throw LineError(aff, number, "the encoding " + std::string(f[1]) + " is not supported (UTF-8 or ISO8859-8)");
    }
  });
  ForEachLine(content, [&](std::size_t number, std::string_view line) {
    const auto f = Fields(line);
    if (f.empty() || f[0].front() == '#') return;
    const std::string_view key = f[0];
    if (key == "FLAG" || key == "AF") {
      throw LineError(aff, number, std::string(key) + " (flags other than single characters) is not supported");
    }
    if ((key == "NEEDAFFIX" || key == "PSEUDOROOT" || key == "ONLYINCOMPOUND") && f.size() >= 2) {
      needAffix_ |= FlagBits(f[1], aff, number);
      return;
    }
    if (key != "PFX" || f.size() < 4) return;
    if (f.size() == 4) return;  // the class header: PFX flag cross-product count
    if (f[1].size() != 1) throw LineError(aff, number, "a prefix class flag must be one character");
    PrefixRule rule;
    rule.flag = FlagBits(f[1], aff, number);
    std::string_view added = f[3];
    if (const auto slash = added.find('/'); slash != std::string_view::npos) added = added.substr(0, slash);
    if (added == "0") added = {};
    std::string add, condition;
    if (!ToCodePage(f[2] == "0" ? std::string_view() : f[2], utf8_, rule.strip) || !ToCodePage(added, utf8_, add) ||
        !ToCodePage(f[4], utf8_, condition))
      return;  // a rule with characters the code page lacks
    if (condition != ".") {
      for (std::size_t i = 0; i < condition.size(); ++i) {
        PatternElement e;
        const char c = condition[i];
        if (c == '.') {
          e.any = true;
        } else if (c == '[') {
          const auto close = condition.find(']', i + 1);
          if (close == std::string::npos) throw LineError(aff, number, "a condition's [ is not closed");
          std::string_view set(condition.data() + i + 1, close - i - 1);
          if (!set.empty() && set.front() == '^') {
            e.negated = true;
            set.remove_prefix(1);
          }
          e.chars = std::string(set);
          i = close;
        } else {
          e.chars = std::string(1, c);
        }
        rule.pattern.push_back(std::move(e));
      }
    }
    longestPrefix_ = std::max(longestPrefix_, add.size());
    prefixes_[add].push_back(std::move(rule));
  });
}

void HunspellWords::ReadStems(const std::filesystem::path& dic) {
  const std::string content = ReadWordFile(dic);
  text_.reserve(content.size() / 2);
  stems_.reserve(static_cast<std::size_t>(std::count(content.begin(), content.end(), '\n')));
  std::string word;
  ForEachLine(content, [&](std::size_t number, std::string_view line) {
    if (number == 1 && !line.empty() &&
        std::all_of(line.begin(), line.end(), [](char c) { return c >= '0' && c <= '9'; }))
      return;  // the approximate count of stems
    // "stem/flags", maybe followed by fields of morphology after white space.
    const std::size_t end = std::min(line.find_first_of(" \t"), line.size());
    std::string_view stem = line.substr(0, end), flags;
    if (const auto slash = stem.find('/'); slash != std::string_view::npos && slash > 0) {
      flags = stem.substr(slash + 1);
      stem = stem.substr(0, slash);
    }
    if (stem.empty() || !ToCodePage(stem, utf8_, word) || word.size() > 255) return;
    stems_.push_back({static_cast<std::uint32_t>(text_.size()), FlagBits(flags, dic, number),
                      static_cast<std::uint8_t>(word.size())});
    text_ += word;
  });
}

bool HunspellWords::Matches(const std::vector<PatternElement>& pattern, std::string_view stem) {
  if (stem.size() < pattern.size()) return false;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const PatternElement& e = pattern[i];
    if (e.any) continue;
    const bool in = e.chars.find(stem[i]) != std::string::npos;
    if (in == e.negated) return false;
  }
  return true;
}

std::vector<bool> HunspellWords::Known(const std::vector<std::string_view>& words) const {
  // Every stem that could make one of the words: the word itself, and what is left of it after each
  // known prefix (with the rule's stripped letters put back). A candidate's number is kept as its flags.
  WordSet candidates;
  std::string stem;
  const auto candidate = [&](std::string_view s) {
    if (!candidates.Contains(s)) candidates.Add(s, static_cast<std::uint32_t>(candidates.Size()));
  };
  for (const std::string_view word : words) {
    if (word.empty()) continue;
    candidate(word);
    const std::size_t longest = std::min(longestPrefix_, word.size() - 1);
    for (std::size_t n = 1; n <= longest; ++n) {
      const auto rules = prefixes_.find(word.substr(0, n));
      if (rules == prefixes_.end()) continue;
      for (const PrefixRule& rule : rules->second) {
        stem.assign(rule.strip);
        stem.append(word.substr(n));
        candidate(stem);
      }
    }
  }
  // One pass over the stems: the flags each candidate has in the dictionary. A stem whose first letter and
  // length no candidate has is passed over without hashing it.
  std::bitset<256> firsts, lengths;
  candidates.ForEach([&](std::string_view s) {
    firsts.set(static_cast<unsigned char>(s.front()));
    lengths.set(s.size());
  });
  std::vector<std::uint32_t> flags(candidates.Size(), 0);
  std::vector<bool> found(candidates.Size(), false);
  const std::string_view text(text_);
  for (const Stem& s : stems_) {
    if (!lengths.test(s.length) || !firsts.test(static_cast<unsigned char>(text[s.offset]))) continue;
    if (const auto number = candidates.Find(text.substr(s.offset, s.length))) {
      found[*number] = true;
      flags[*number] |= s.flags;
    }
  }
  const auto has = [&](std::string_view s, std::uint32_t flag) {
    const auto number = candidates.Find(s);
    return number && found[*number] && (flag == 0 ? (flags[*number] & needAffix_) == 0 : (flags[*number] & flag) != 0);
  };
  std::vector<bool> known(words.size(), false);
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string_view word = words[i];
    if (word.empty()) continue;
    if (has(word, 0)) {
      known[i] = true;
      continue;
    }
    const std::size_t longest = std::min(longestPrefix_, word.size() - 1);
    for (std::size_t n = 1; n <= longest && !known[i]; ++n) {
      const auto rules = prefixes_.find(word.substr(0, n));
      if (rules == prefixes_.end()) continue;
      for (const PrefixRule& rule : rules->second) {
        stem.assign(rule.strip);
        stem.append(word.substr(n));
        if (has(stem, rule.flag) && Matches(rule.pattern, stem)) {
          known[i] = true;
          break;
        }
      }
    }
  }
  return known;
}

}  // namespace zil::config
