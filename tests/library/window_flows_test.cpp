// The library window's flows without a screen: text files and lines, the search and its history, and
// moving nodes by drag and drop (where they go, and that the library keeps them there).
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "library/window/library_search.h"
#include "library/window/text_file.h"
#include "library/window/tree_moves.h"
#include "library_fixture.h"

namespace zil::library {
namespace {

using test::LibraryFile;
using test::Row;

TEST(TextFile, ReadsUtf8WithOrWithoutMarkUtf16AndWindows1255) {
  const struct {
    const char* what;
    std::string bytes;
    std::u16string text;
  } cases[] = {
      {"UTF-8", "\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D 2\r\nabc", u"שלום 2\r\nabc"},
      {"UTF-8 with a mark", "\xEF\xBB\xBF\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D", u"שלום"},
      {"UTF-16, little end first", std::string("\xFF\xFE\xE9\x05\x61\x00", 6), u"שa"},
      {"UTF-16, big end first", std::string("\xFE\xFF\x05\xE9\x00\x61", 6), u"שa"},
      {"Windows-1255", "\xF9\xEC\xE5\xED 2\r\n", u"שלום 2\r\n"},
      {"Windows-1255 that begins as UTF-8 would", "abc \xE0\xE1", u"abc אב"},
      {"empty", "", u""},
  };
  for (const auto& c : cases) EXPECT_EQ(DecodeTextFile(c.bytes), c.text) << c.what;
}

TEST(TextFile, WritesUtf8LinesWithCrLfAndReadsThemBack) {
  zil::test::TempFolder dir;
  const std::vector<std::u16string> lines{u"קיר בטון", u"", u"B30 (ב)"};
  WriteTextFile(dir / "out.txt", lines);
  EXPECT_EQ(zil::test::TempFolder::Read(dir / "out.txt"),
            "\xD7\xA7\xD7\x99\xD7\xA8 \xD7\x91\xD7\x98\xD7\x95\xD7\x9F\r\n\r\nB30 (\xD7\x91)\r\n");
  EXPECT_EQ(SplitLines(ReadTextFile(dir / "out.txt")), lines);
  EXPECT_THROW(ReadTextFile(dir / "missing.txt"), std::runtime_error);
}

TEST(TextFile, SplitsLinesAsTheLibraryKeepsThem) {
  const struct {
    std::u16string text;
    std::vector<std::u16string> lines;
  } cases[] = {
      {u"", {}},
      {u"a", {u"a"}},
      {u"a\r\nb\r\n", {u"a", u"b"}},
      {u"a\r\nb", {u"a", u"b"}},
      {u"a\n\nb\rc", {u"a", u"", u"b", u"c"}},
      {u"\r\n", {u""}},
      {u"a\r\n\r\n", {u"a", u""}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SplitLines(c.text), c.lines);
    EXPECT_EQ(SplitLines(JoinLines(c.lines)), c.lines);
  }
}

TEST(SearchHistory, NewStringsGoToTheTopAndTheListStopsAt19) {
  std::vector<std::u16string> list{u"Wall", u"קיר"};
  RememberSearch(list, u"WALL");  // known, without regard to case: not moved
  EXPECT_EQ(list, (std::vector<std::u16string>{u"Wall", u"קיר"}));
  RememberSearch(list, u"בטון");
  EXPECT_EQ(list.front(), u"בטון");
  for (int i = 0; i < 30; ++i) RememberSearch(list, u"s" + std::u16string(1, char16_t(u'a' + i)));
  EXPECT_EQ(list.size(), kSearchHistoryLimit - 1);
  EXPECT_EQ(list.front(), u"s" + std::u16string(1, char16_t(u'a' + 29)));
}

TEST(SearchMatches, AsciiLettersIgnoreCaseAndMatchesDoNotOverlap) {
  EXPECT_EQ(FindMatches(u"Wall wALL", u"wall"), (std::vector<int>{1, 6}));
  EXPECT_EQ(FindMatches(u"aaaa", u"aa"), (std::vector<int>{1, 3}));
  EXPECT_EQ(FindMatches(u"קיר\r\nקיר", u"קיר"), (std::vector<int>{1, 6}));
  EXPECT_EQ(FindMatches(u"abc", u""), (std::vector<int>{}));
  EXPECT_EQ(PositionWithoutCarriageReturns(u"ab\r\ncd\r\nef", 8), 6);
}

// The window as the search sees it: a tree loaded from the library, the text of the selected topic, and
// what was highlighted and said.
class FakeWindow final : public SearchView {
 public:
  explicit FakeWindow(LibraryFile& file) : file_(file) {}
  void Load() { file_.db.FillTree(tree_, kLibTree); }

  bool SelectTopic(NodeId id) override {
    const TreeNode* node = Find(tree_.TopLevel(), id);
    if (node == nullptr) return false;
    selected = id;
    text_ = file_.db.ReadTopic(*node, kLibTree);
    return true;
  }
  bool TopicSelected(NodeId id) const override { return selected == id; }
  std::u16string EditorText() const override { return text_; }
  void Highlight(int start, int length) override {
    highlights.push_back(std::to_string(selected) + ":" + std::to_string(start) + "+" + std::to_string(length));
  }
  void ShowMessage(std::u16string_view text) override { messages.emplace_back(text); }

  NodeId selected = -1;
  std::vector<std::string> highlights;
  std::vector<std::u16string> messages;

 private:
  static const TreeNode* Find(const std::vector<MemoryTreeNode*>& nodes, NodeId id) {
    for (const MemoryTreeNode* node : nodes) {
      if (node->Id() == id) return node;
      if (const TreeNode* found = Find(node->Children(), id)) return found;
    }
    return nullptr;
  }

  LibraryFile& file_;
  MemoryTree tree_;
  std::u16string text_;
};

class LibrarySearchTest : public ::testing::Test {
 protected:
  LibrarySearchTest() {
    file.PutRows({
        {0, -1, std::nullopt, "All Categories", ""},
        {1, 0, 0, "כללי"},
        {2, 1, 2, "קירות", "קיר בטון\r\nבטון ב30\r\n"},
        {3, 1, 2, "אחר", "אין כאן\r\n"},
        {4, 1, 2, "יסודות", "בטון\r\n"},
    });
    window.Load();
  }
  // The last highlight.
  std::string Shown() const { return window.highlights.empty() ? "" : window.highlights.back(); }

  LibraryFile file;
  FakeWindow window{file};
  LibrarySearch search{file.db, window};
  std::vector<std::u16string> history;
};

TEST_F(LibrarySearchTest, StepsThroughTheMatchesOfEachFoundTopic) {
  search.Search(u"בטון", history);
  EXPECT_EQ(search.csearch, (Tidxarray{2, 4}));
  EXPECT_EQ(Shown(), "2:4+4");  // positions count CR LF as two characters
  search.Next(u"בטון", history);
  EXPECT_EQ(Shown(), "2:10+4");
  search.Next(u"בטון", history);
  EXPECT_EQ(Shown(), "4:0+4");  // a match at the very start of a topic
  search.Next(u"בטון", history);
  EXPECT_EQ(Shown(), "4:0+4");  // the last match of the last topic stays highlighted
  search.Previous(u"בטון", history);
  EXPECT_EQ(Shown(), "2:10+4");  // the last match of the topic before
  search.Previous(u"בטון", history);
  search.Previous(u"בטון", history);
  EXPECT_EQ(Shown(), "2:4+4");
  EXPECT_EQ(history, (std::vector<std::u16string>{u"בטון"}));
  EXPECT_TRUE(window.messages.empty());
}

TEST_F(LibrarySearchTest, AnUnchangedStringShowsTheCurrentTopicAgainWithoutAskingTheLibrary) {
  search.Search(u"בטון", history);
  search.Next(u"בטון", history);
  search.Next(u"בטון", history);
  ASSERT_EQ(Shown(), "4:0+4");
  file.sql.exec("UPDATE LibTree SET txt = 'x בטון' WHERE nid = 2");
  search.Search(u"בטון", history);
  EXPECT_EQ(Shown(), "4:0+4");
  EXPECT_EQ(search.csearch, (Tidxarray{2, 4}));

  search.Changed();  // an edit of the search box: the library is asked again
  search.Search(u"בטון", history);
  EXPECT_EQ(Shown(), "2:2+4");
}

TEST_F(LibrarySearchTest, BlankAndNotFoundAreSaidEveryTime) {
  search.Search(u"", history);
  search.Search(u"שלום", history);
  search.Search(u"שלום", history);  // unchanged after nothing was found: said again
  search.Next(u"שלום", history);
  EXPECT_EQ(window.messages,
            (std::vector<std::u16string>{u"The search string cannot be blanc", u"Search string שלום not found!",
                                         u"Search string שלום not found!"}));
  EXPECT_TRUE(window.highlights.empty());
  EXPECT_EQ(history, (std::vector<std::u16string>{u"שלום"}));
}

TEST_F(LibrarySearchTest, AChangedStringIsSearchedByNextAndPrevious) {
  search.Next(u"קיר", history);
  EXPECT_EQ(Shown(), "2:0+3");
  search.Changed();
  search.Previous(u"אין", history);
  EXPECT_EQ(Shown(), "3:0+3");
}

// The tree of the move tests: the root with two categories and their topics, and a placeholder holding a
// node whose parent is missing.
class TreeMoves : public ::testing::Test {
 protected:
  TreeMoves() {
    file.PutRows({
        {0, -1, std::nullopt, "All Categories", ""},
        {1, 0, 0, "A"},
        {2, 1, 2, "t1", "one"},
        {3, 1, 2, "t2", "two"},
        {4, 0, 0, "B"},
        {5, 4, 2, "t3", "three"},
        {6, 9, 0, "orphan"},
    });
    file.db.FillTree(tree, kLibTree);
    for (const auto& name : {"root", "A", "t1", "t2", "B", "t3"}) nodes[name] = nullptr;
    Walk(tree.TopLevel());
  }
  void Walk(const std::vector<MemoryTreeNode*>& level) {
    for (MemoryTreeNode* node : level) {
      const std::string label = textcore::ToUtf8(node->Label());
      nodes[label == "All Categories" ? "root" : label.empty() ? "placeholder" : label] = node;
      Walk(node->Children());
    }
  }
  TreeNode* N(const char* name) { return nodes.at(name); }

  LibraryFile file;
  MemoryTree tree;
  std::map<std::string, TreeNode*> nodes;
};

TEST_F(TreeMoves, TheDropPlaceDecidesWhereTheNodeGoes) {
  const struct {
    const char* dragged;
    const char* at;
    DropZone zone;
    const char* parent;  // nullptr: no move
    const char* before;  // nullptr: last child
  } cases[] = {
      {"t1", "B", DropZone::Label, "B", nullptr},
      {"t1", "B", DropZone::Indent, "root", "B"},
      {"t1", "t3", DropZone::Label, "B", "t3"},  // a topic takes no children: before it
      {"t1", "t3", DropZone::Indent, "B", "t3"},
      {"A", "B", DropZone::Label, "B", nullptr},
      {"t1", "B", DropZone::ExpandButton, nullptr, nullptr},
      {"t1", "B", DropZone::Beside, nullptr, nullptr},
      {"A", "t1", DropZone::Label, nullptr, nullptr},  // into its own child
      {"A", "A", DropZone::Label, nullptr, nullptr},   // onto itself
      {"t1", "t1", DropZone::Indent, nullptr, nullptr},
      {"t1", "root", DropZone::Indent, nullptr, nullptr},  // to the top level
      {"root", "B", DropZone::Label, nullptr, nullptr},    // the root stays
      {"t1", "placeholder", DropZone::Label, nullptr, nullptr},
      {"t1", "orphan", DropZone::Indent, nullptr, nullptr},
  };
  for (const auto& c : cases) {
    const auto move = DropMove(*N(c.dragged), N(c.at), c.zone);
    SCOPED_TRACE(std::string(c.dragged) + " on " + c.at);
    if (c.parent == nullptr) {
      EXPECT_FALSE(move.has_value());
      continue;
    }
    ASSERT_TRUE(move.has_value());
    EXPECT_EQ(move->parent, N(c.parent));
    EXPECT_EQ(move->before, c.before ? N(c.before) : nullptr);
  }
  EXPECT_FALSE(DropMove(*N("t1"), nullptr, DropZone::Label).has_value());  // below the last node
}

TEST_F(TreeMoves, TheLibraryKeepsAMovedNodeWhereItWasPut) {
  // t1 before t3 under B, then A (with t2) last under B.
  file.db.MoveNode(2, 4, {2, 5}, kLibTree);
  file.db.MoveNode(1, 4, {1}, kLibTree);
  EXPECT_EQ(file.Outline(),
            "All Categories [0]\n"
            "  B [4]\n"
            "    t1 [2] (topic)\n"
            "    t3 [5] (topic)\n"
            "    A [1]\n"
            "      t2 [3] (topic)\n"
            " [-9]\n"
            "  orphan [6]\n");
  // Texts and labels go with their ids.
  EXPECT_EQ(file.db.ReadTopic(*N("t1"), kLibTree), u"one");
  // A failed move changes nothing.
  file.sql.exec("CREATE TRIGGER refuse BEFORE UPDATE OF ID ON LibTree BEGIN SELECT RAISE(ABORT, 'no'); END");
  const std::vector<std::string> before = file.Rows();
  EXPECT_THROW(file.db.MoveNode(3, 0, {3}, kLibTree), std::exception);
  EXPECT_EQ(file.Rows(), before);
}

}  // namespace
}  // namespace zil::library
