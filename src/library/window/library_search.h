// Searching the text library from the library window: the topics whose text holds the search string (the
// database's search), shown one after the other with each occurrence of the string highlighted in the
// editor; and the list of remembered search strings.
//
// A search finds the topics once, in row order, and shows the first one with its first match. "Next" and
// "Previous" step through the matches of the topic shown and on into the next or previous found topic.
// Searching again with an unchanged string shows the current found topic again from its first match,
// without asking the database; after a string that found nothing, it says again that nothing was found.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "library/tdb.h"

namespace zil::library {

// The window's messages.
inline constexpr std::u16string_view kBlankSearch = u"The search string cannot be blanc";
std::u16string NotFoundMessage(std::u16string_view search);  // "Search string " + it + " not found!"

// A list that reaches this many strings loses its last one: a list grown by remembering never holds more
// than kSearchHistoryLimit - 1.
inline constexpr std::size_t kSearchHistoryLimit = 20;

// Remembers a searched string: unless the list holds it already (compared without regard to ASCII case),
// it goes to the top; then a list of kSearchHistoryLimit strings or more loses its last one.
void RememberSearch(std::vector<std::u16string>& list, std::u16string_view item);

// The start positions (1-based) of the occurrences of `pattern` in `text`, compared with ASCII letters in
// upper case, searching on after the end of each occurrence (so occurrences never overlap).
std::vector<int> FindMatches(std::u16string_view text, std::u16string_view pattern);

// A position in a text whose lines end with CR LF, as a position in the same text with LF line ends.
int PositionWithoutCarriageReturns(std::u16string_view crlfText, int position);

// What the search needs from the window.
class SearchView {
 public:
  virtual ~SearchView() = default;
  // Selects the first node in tree order whose id is `id` (the topic shown before is saved and this one
  // loaded) and expands it with all its descendants; false when no node has the id.
  virtual bool SelectTopic(NodeId id) = 0;
  // Whether the selected node is the first node with this id.
  virtual bool TopicSelected(NodeId id) const = 0;
  // The editor's text, each line ended by CR LF.
  virtual std::u16string EditorText() const = 0;
  // Selects `length` characters of the editor from the 0-based position `start` of EditorText(), and
  // gives the editor the focus.
  virtual void Highlight(int start, int length) = 0;
  virtual void ShowMessage(std::u16string_view text) = 0;
};

class LibrarySearch {
 public:
  LibrarySearch(Tdb& db, SearchView& view) : db_(db), view_(view) {}

  // The search button, or Enter in the search box, with the box's text; remembers it in `history`.
  void Search(std::u16string_view text, std::vector<std::u16string>& history);
  // The next and previous match. A string changed since the last search is searched instead.
  void Next(std::u16string_view text, std::vector<std::u16string>& history);
  void Previous(std::u16string_view text, std::vector<std::u16string>& history);
  // Any edit of the search box.
  void Changed() { changesearch = true; }

  bool changesearch = true;      // the box's text changed since the last search
  Tidxarray csearch;             // the topics found, in row order
  int idxsearch = 0;             // the found topic shown
  std::vector<int> search_list;  // the matches in the topic shown, 1-based positions
  int lsearch = -1;              // the match highlighted; -1 when the topic has none

 private:
  static constexpr int kLastMatch = -2;
  // Shows csearch[idxsearch] with match `m` (kLastMatch: its last one); false when no node has its id.
  void ShowFound(int m);
  void HighlightMatch(int i);
  // Steps 1 and 2 of Next and Previous; false when there is nothing to step through.
  bool Resume(std::u16string_view text, std::vector<std::u16string>& history);

  Tdb& db_;
  SearchView& view_;
  std::u16string searched_;  // the string of the last search
};

}  // namespace zil::library
