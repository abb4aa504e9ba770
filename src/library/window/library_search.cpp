#include "library/window/library_search.h"

#include <algorithm>

namespace zil::library {
namespace {

char16_t UpperAscii(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c; }

bool SameIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char16_t x, char16_t y) { return UpperAscii(x) == UpperAscii(y); });
}

}  // namespace

std::u16string NotFoundMessage(std::u16string_view search) {
  return u"Search string " + std::u16string(search) + u" not found!";
}

void RememberSearch(std::vector<std::u16string>& list, std::u16string_view item) {
  const bool known =
      std::any_of(list.begin(), list.end(), [&](const std::u16string& s) { return SameIgnoringAsciiCase(s, item); });
  if (!known) list.insert(list.begin(), std::u16string(item));
  if (list.size() >= kSearchHistoryLimit) list.pop_back();
}

std::vector<int> FindMatches(std::u16string_view text, std::u16string_view pattern) {
  std::vector<int> matches;
  if (pattern.empty()) return matches;
  const auto same = [](char16_t x, char16_t y) { return UpperAscii(x) == UpperAscii(y); };
  auto from = text.begin();
  while (true) {
    const auto found = std::search(from, text.end(), pattern.begin(), pattern.end(), same);
    if (found == text.end()) break;
    matches.push_back(static_cast<int>(found - text.begin()) + 1);
    from = found + static_cast<std::ptrdiff_t>(pattern.size());
  }
  return matches;
}

int PositionWithoutCarriageReturns(std::u16string_view crlfText, int position) {
  int breaks = 0;
  const int end = std::min(position, static_cast<int>(crlfText.size()));
  for (int i = 0; i + 1 < static_cast<int>(crlfText.size()) && i < end; ++i)
    if (crlfText[static_cast<std::size_t>(i)] == u'\r' && crlfText[static_cast<std::size_t>(i) + 1] == u'\n') ++breaks;
  return position - breaks;
}

void LibrarySearch::Search(std::u16string_view text, std::vector<std::u16string>& history) {
  if (text.empty()) {
    view_.ShowMessage(kBlankSearch);
    return;
  }
  RememberSearch(history, text);
  if (changesearch) {
    csearch = db_.Search(text);
    searched_ = text;
    idxsearch = 0;
    search_list.clear();
    lsearch = -1;
  }
  if (csearch.empty()) {
    // Also when the string is searched again unchanged: nothing to show, so say so again.
    view_.ShowMessage(NotFoundMessage(text));
  } else {
    ShowFound(0);
  }
  changesearch = false;
}

void LibrarySearch::ShowFound(int m) {
  if (!view_.SelectTopic(csearch[static_cast<std::size_t>(idxsearch)])) return;
  search_list = FindMatches(view_.EditorText(), searched_);
  if (search_list.empty()) {
    lsearch = -1;
    return;
  }
  lsearch = m == kLastMatch ? static_cast<int>(search_list.size()) - 1 : m;
  HighlightMatch(lsearch);
}

void LibrarySearch::HighlightMatch(int i) {
  if (i < 0 || i >= static_cast<int>(search_list.size())) return;
  view_.Highlight(search_list[static_cast<std::size_t>(i)] - 1, static_cast<int>(searched_.size()));
}

bool LibrarySearch::Resume(std::u16string_view text, std::vector<std::u16string>& history) {
  if (changesearch) {
    Search(text, history);
    return false;
  }
  if (csearch.empty()) return false;
  const NodeId topic = csearch[static_cast<std::size_t>(idxsearch)];
  if (!view_.TopicSelected(topic)) view_.SelectTopic(topic);
  return true;
}

void LibrarySearch::Next(std::u16string_view text, std::vector<std::u16string>& history) {
  if (!Resume(text, history)) return;
  const int last = static_cast<int>(search_list.size()) - 1;
  if (idxsearch < static_cast<int>(csearch.size()) - 1 && lsearch >= last) {
    ++idxsearch;
    ShowFound(0);
    return;
  }
  if (lsearch < last) ++lsearch;
  HighlightMatch(lsearch);
}

void LibrarySearch::Previous(std::u16string_view text, std::vector<std::u16string>& history) {
  if (!Resume(text, history)) return;
  if (idxsearch > 0 && lsearch <= 0) {
    --idxsearch;
    ShowFound(kLastMatch);
    return;
  }
  if (lsearch > 0) --lsearch;
  HighlightMatch(lsearch);
}

}  // namespace zil::library
