// The library database on real SQLite files in a temporary folder.
#include <gtest/gtest.h>

#include <functional>

#include "library/database_error.h"
#include "library_fixture.h"

namespace zil::library {
namespace {

using test::LibraryFile;
using test::Row;
using zil::test::TempFolder;

std::vector<std::string> Tables(SQLite::Database& db) {
  std::vector<std::string> tables;
  SQLite::Statement query(db, "SELECT sql FROM sqlite_master WHERE type = 'table' ORDER BY rowid");
  while (query.executeStep()) tables.push_back(query.getColumn(0).getString());
  return tables;
}

std::string MessageOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const std::exception& e) {
    return e.what();
  }
  return "(no error)";
}

// The six tables as SQLite keeps their statements: from the table name on.
const std::vector<std::string> kSixTables = {
    "CREATE TABLE LibTree  ([ID] INTEGER PRIMARY KEY,[nid] INTEGER,[icon] INTEGER,[name] TEXT "
    ",[id_parent] INTEGER,[txt] TEXT COLLATE NOCASE)",
    "CREATE TABLE LispTree  ([ID] INTEGER PRIMARY KEY,[nid] INTEGER,[icon] INTEGER,[name] "
    "TEXT ,[id_parent] INTEGER,[lsp] TEXT COLLATE NOCASE)",
    "CREATE TABLE BlockHistory  ([ID] INTEGER PRIMARY KEY,[type] INTEGER,[block] TEXT,[tag] "
    "TEXT ,[prompt] TEXT ,[value] TEXT,[ddate] DATETIME ,[cod] TEXT )",
    "CREATE TABLE Clips  ([ID] INTEGER PRIMARY KEY,[nid] INTEGER,[icon] INTEGER,[id_parent] "
    "INTEGER ,[kind] INTEGER ,[fmt] TEXT ,[ddate] DATETIME ,[stream] BLOB ,[txt] TEXT)",
    "CREATE TABLE SearchCombo ([ID] INTEGER PRIMARY KEY,[item] TEXT)",
    "CREATE TABLE BlocksAttr  ([ID] INTEGER PRIMARY KEY,[bname] TEXT COLLATE NOCASE,[json] "
    "TEXT)",
};

TEST(Tdb, ANewLibraryInAMissingFolderHasTheSixTablesAndTheRoot) {
  TempFolder dir;
  const std::filesystem::path folder = dir / "Dastel/Veltro/";
  {
    Tdb db = Tdb::Create(folder);
    EXPECT_EQ(db.slDBPath(), folder / "zil.db");
    MemoryTree tree;
    EXPECT_EQ(db.FillTree(tree, kLibTree), 0);
    EXPECT_EQ(tree.Outline(), u"All Categories [0]\n");
    ASSERT_EQ(tree.TopLevel().size(), 1u);
    EXPECT_EQ(tree.TopLevel()[0]->SelectedIndex(), kOpenCategoryImage);
  }
  SQLite::Database sql(LibraryFile::Utf8(folder / "zil.db"));
  EXPECT_EQ(Tables(sql), kSixTables);
  SQLite::Statement root(sql, "SELECT ID, nid, id_parent, name, txt, icon IS NULL FROM LibTree");
  ASSERT_TRUE(root.executeStep());
  EXPECT_EQ(root.getColumn(1).getInt(), 0);
  EXPECT_EQ(root.getColumn(2).getInt(), -1);
  EXPECT_EQ(root.getColumn(3).getString(), "All Categories");
  EXPECT_FALSE(root.isColumnNull(4));
  EXPECT_EQ(root.getColumn(4).getString(), "");
  EXPECT_EQ(root.getColumn(5).getInt(), 1);
  EXPECT_FALSE(root.executeStep());
}

TEST(Tdb, AnExistingFileGainsTheTablesItLacksAndKeepsTheOnesItHas) {
  TempFolder dir;
  {
    SQLite::Database old(LibraryFile::Utf8(dir / "zil.db"), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
    old.exec(
        "CREATE TABLE LibTree ([ID] INTEGER PRIMARY KEY,[nid] INTEGER,[icon] INTEGER,[name] TEXT,"
        "[id_parent] INTEGER,[txt] TEXT)");
    old.exec("INSERT INTO LibTree (nid, id_parent, icon, name) VALUES (4, -1, 0, 'Old')");
  }
  {
    Tdb db = Tdb::Create(dir.path());
    EXPECT_EQ(db.TablesMade(), 5);
    MemoryTree tree;
    EXPECT_EQ(db.FillTree(tree, kLibTree), 4);
    EXPECT_EQ(tree.Outline(), u"Old [4]\n");  // no root row was added
  }
  SQLite::Database sql(LibraryFile::Utf8(dir / "zil.db"));
  std::vector<std::string> expected = kSixTables;
  expected[0] =
      "CREATE TABLE LibTree ([ID] INTEGER PRIMARY KEY,[nid] INTEGER,[icon] INTEGER,[name] TEXT,[id_parent] "
      "INTEGER,[txt] TEXT)";
  EXPECT_EQ(Tables(sql), expected);
  EXPECT_EQ(Tdb::Create(dir.path()).TablesMade(), 0);  // opening again changes nothing
  EXPECT_EQ(Tables(sql), expected);
}

// A database command may make the file before the library ever opened it: an empty file is a new library.
TEST(Tdb, AnEmptyFileIsANewLibrary) {
  TempFolder dir;
  dir.Write("zil.db", "");
  Tdb db = Tdb::Create(dir.path());
  EXPECT_EQ(db.TablesMade(), 6);
  MemoryTree tree;
  EXPECT_EQ(db.FillTree(tree, kLibTree), 0);
  EXPECT_EQ(tree.Outline(), u"All Categories [0]\n");
  SQLite::Database sql(LibraryFile::Utf8(dir / "zil.db"));
  EXPECT_EQ(Tables(sql), kSixTables);
}

TEST(Tdb, ALibraryThatCannotBeMadeIsNotLeftHalfMade) {
  TempFolder dir;
  // SQLite cannot write its journal where a folder stands in the way: the first table fails.
  std::filesystem::create_directories(dir / "zil.db-journal");
  const std::string message = MessageOf([&] { Tdb::Create(dir.path()); });
  EXPECT_NE(message.find("CREATE TABLE LibTree"), std::string::npos) << message;
  EXPECT_NE(message.find((dir / "zil.db").string()), std::string::npos) << message;
  EXPECT_FALSE(std::filesystem::exists(dir / "zil.db"));
}

TEST(Tdb, FillTreeBuildsTheTreeInRowOrder) {
  LibraryFile lib;
  const struct {
    const char* name;
    std::vector<Row> rows;
    std::string outline;
    NodeId maxid;
  } cases[] = {
      {"siblings in storage order",
       {{0, -1, std::nullopt, "All Categories"}, {2, 0, 0, "Walls"}, {1, 0, 0, "Doors"}, {3, 2, 2, "Concrete"}},
       "All Categories [0]\n  Walls [2]\n    Concrete [3] (topic)\n  Doors [1]\n",
       3},
      {"a child stored before its parent waits under a placeholder that becomes the parent",
       {{0, -1, std::nullopt, "All Categories"}, {5, 3, 2, "Topic"}, {6, 3, 2, "Second"}, {3, 0, 0, "Walls"}},
       "All Categories [0]\n  Walls [3]\n    Topic [5] (topic)\n    Second [6] (topic)\n",
       6},
      {"a row whose parent never comes stays under an empty top-level node",
       {{0, -1, std::nullopt, "All Categories"}, {7, 42, 2, "Lost"}},
       "All Categories [0]\n [-42]\n  Lost [7] (topic)\n",
       7},
      {"an empty table", {}, "", -1},
      {"parent ids in a circle, and a row that is its own parent, stay at the top level",
       {{1, 2, 0, "A"}, {2, 1, 0, "B"}, {9, 9, 5, "Self"}},
       "B [2]\n  A [1]\nSelf [9] (image 5)\n",
       9},
  };
  for (const auto& c : cases) {
    lib.PutRows(c.rows);
    NodeId maxid = -2;
    EXPECT_EQ(lib.Outline(&maxid), c.outline) << c.name;
    EXPECT_EQ(maxid, c.maxid) << c.name;
  }
}

TEST(Tdb, FillTreeReplacesTheNodesAndSetsTheSelectedImages) {
  LibraryFile lib;
  lib.PutRows({{0, -1, std::nullopt, "All Categories"}, {1, 0, 0, "Walls"}, {2, 1, 2, "Concrete"}});
  MemoryTree tree;
  tree.AddChild(nullptr, u"stale");
  lib.db.FillTree(tree, kLibTree);
  lib.db.FillTree(tree, kLibTree);
  EXPECT_FALSE(tree.Updating());
  EXPECT_EQ(tree.Count(), 3u);
  const MemoryTreeNode* walls = tree.TopLevel()[0]->FirstChild();
  EXPECT_EQ(walls->SelectedIndex(), kOpenCategoryImage);
  EXPECT_EQ(walls->FirstChild()->SelectedIndex(), kTopicImage);

  // A failing load still resumes the tree's repainting.
  EXPECT_THROW(lib.db.FillTree(tree, u"LispTreeX"), DatabaseError);
  EXPECT_FALSE(tree.Updating());
}

TEST(Tdb, TopicsAndNodeNamesAreInsertedThenUpdated) {
  LibraryFile lib;
  MemoryTree tree;
  const NodeId maxid = lib.db.FillTree(tree, kLibTree);
  TreeNode& root = *tree.TopLevel()[0];
  TreeNode& category = tree.AddChild(&root, u"קירות");
  category.SetId(maxid + 1);
  TreeNode& topic = tree.AddChild(&category, u"Concrete");
  topic.SetId(maxid + 2);
  topic.SetImageIndex(kTopicImage);

  EXPECT_EQ(lib.db.ReadTopic(topic, kLibTree), u"");  // no row yet
  lib.db.UpdateNodeName(category, u"קירות", kLibTree);
  lib.db.UpdateTopic(topic, {u"קיר בטון 20", u"", u"B30"}, kLibTree);
  EXPECT_EQ(lib.db.ReadTopic(topic, kLibTree), u"קיר בטון 20\r\n\r\nB30\r\n");
  EXPECT_EQ(lib.db.ReadTopic(category, kLibTree), u"");  // NULL text
  EXPECT_EQ(lib.Rows(), (std::vector<std::string>{"0 -1 - All Categories|", "1 0 0 קירות|-",
                                                  "2 1 2 Concrete|קיר בטון 20\r\n\r\nB30\r\n"}));

  lib.db.UpdateTopic(topic, {u"x"}, kLibTree);
  lib.db.UpdateNodeName(topic, u"Renamed", kLibTree);
  lib.db.UpdateNodeName(category, u"Walls", kLibTree);
  EXPECT_EQ(lib.Rows(), (std::vector<std::string>{"0 -1 - All Categories|", "1 0 0 Walls|-", "2 1 2 Renamed|x\r\n"}));

  lib.db.DeleteNode(category, kLibTree);  // its child's row stays
  EXPECT_EQ(lib.Rows(), (std::vector<std::string>{"0 -1 - All Categories|", "2 1 2 Renamed|x\r\n"}));
}

TEST(Tdb, SwapNodeExchangesPlacesOfACategoryAndATopic) {
  LibraryFile lib;
  lib.PutRows({{0, -1, std::nullopt, "All Categories", ""},
               {1, 0, 0, "Walls"},
               {2, 0, 2, "Note", "General note\r\n"},
               {3, 1, 2, "Concrete", "B30\r\n"}});
  MemoryTree tree;
  lib.db.FillTree(tree, kLibTree);
  const auto top = tree.TopLevel()[0]->Children();
  lib.db.SwapNode(*top[0], *top[1], kLibTree);
  EXPECT_EQ(lib.Outline(), "All Categories [0]\n  Note [2] (topic)\n  Walls [1]\n    Concrete [3] (topic)\n");
  EXPECT_EQ(lib.Rows(), (std::vector<std::string>{"0 -1 - All Categories|", "2 0 2 Note|General note\r\n",
                                                  "1 0 0 Walls|-", "3 1 2 Concrete|B30\r\n"}));

  // A node without a row cannot be swapped, and nothing changes.
  TreeNode& unsaved = tree.AddChild(nullptr, u"new");
  unsaved.SetId(99);
  const std::string message = MessageOf([&] { lib.db.SwapNode(*top[0], unsaved, kLibTree); });
  EXPECT_NE(message.find("\"new\""), std::string::npos) << message;
  EXPECT_EQ(lib.Rows()[1], "2 0 2 Note|General note\r\n");
}

TEST(Tdb, SwapNodeChangesBothRowsOrNeither) {
  LibraryFile lib;
  lib.PutRows({{1, -1, 0, "A", "a"}, {2, -1, 0, "B", "b"}});
  // The second rewrite breaks a rule of the table; the first must not stay.
  lib.sql.exec(
      "CREATE TRIGGER no_b BEFORE UPDATE ON LibTree WHEN NEW.name = 'A' AND OLD.name = 'B' "
      "BEGIN SELECT RAISE(ABORT, 'refused'); END");
  MemoryTree tree;
  lib.db.FillTree(tree, kLibTree);
  const auto top = tree.TopLevel();
  const std::string message = MessageOf([&] { lib.db.SwapNode(*top[0], *top[1], kLibTree); });
  EXPECT_NE(message.find("refused"), std::string::npos) << message;
  EXPECT_EQ(lib.Rows(), (std::vector<std::string>{"1 -1 0 A|a", "2 -1 0 B|b"}));
  lib.db.UpdateNodeName(*top[0], u"A2", kLibTree);  // no transaction was left open
  SQLite::Database other(LibraryFile::Utf8(lib.db.slDBPath()));
  EXPECT_EQ(other.execAndGet("SELECT name FROM LibTree WHERE nid = 1").getString(), "A2");
}

TEST(Tdb, SearchFollowsLikeRules) {
  LibraryFile lib;
  lib.PutRows({{0, -1, std::nullopt, "All Categories", ""},
               {4, 0, 2, "a", "Concrete WALL 20 cm"},
               {2, 0, 2, "b", "קיר בטון"},
               {3, 0, 2, "c", "wall_1"},
               {5, 0, 2, "d", "Éclair"},
               {6, 0, 2, "e"}});
  const struct {
    std::u16string pattern;
    Tidxarray ids;
  } cases[] = {
      {u"wall", {4, 3}},                          // ASCII letters ignore case; row order
      {u"w_ll", {4, 3}},                          // "_" is any one character
      {u"l%1", {3}},                              // "%" any run
      {u"בטון", {2}},                             // Hebrew matches the same letters only
      {u"בתון", {}},     {u"éclair", {}},         // no case folding beyond ASCII
      {u"Éclair", {5}},  {u"", {0, 4, 2, 3, 5}},  // everything with a text; NULL text never matches
  };
  for (const auto& c : cases) EXPECT_EQ(lib.db.Search(c.pattern), c.ids) << textcore::ToUtf8(c.pattern);
}

TEST(Tdb, ListsAreReadAndReplacedInOneTransaction) {
  LibraryFile lib;
  EXPECT_TRUE(lib.db.ReadList(kSearchCombo).empty());
  lib.db.WriteList(kSearchCombo, {u"בטון", u"wall", u""});
  lib.db.WriteList(kSearchCombo, {u"last", u"בטון"});
  EXPECT_EQ(lib.db.ReadList(u"searchcombo"), (std::vector<std::u16string>{u"last", u"בטון"}));
  EXPECT_TRUE(lib.db.ReadList(u"NoSuchTable").empty());

  // A table the list does not fit: the delete runs, the insert fails, and the rows come back.
  lib.sql.exec("CREATE TABLE Other (ID INTEGER PRIMARY KEY, x TEXT)");
  lib.sql.exec("INSERT INTO Other (x) VALUES ('kept')");
  const std::string message = MessageOf([&] { lib.db.WriteList(u"Other", {u"a"}); });
  EXPECT_NE(message.find("INSERT INTO Other (item) VALUES (:item)"), std::string::npos) << message;
  EXPECT_NE(message.find("no column named item"), std::string::npos) << message;
  EXPECT_EQ(lib.sql.execAndGet("SELECT group_concat(x) FROM Other").getString(), "kept");
  lib.db.WriteList(kSearchCombo, {u"after"});  // committed, as nothing was left open
  EXPECT_EQ(lib.sql.execAndGet("SELECT group_concat(item) FROM SearchCombo").getString(), "after");
}

TEST(Tdb, ReadJsonFindsTheBlockByItsNameOnly) {
  LibraryFile lib;
  lib.sql.exec(
      "INSERT INTO BlocksAttr (bname, json) VALUES ('Door', '{\"d\":1}'), ('json', '{\"j\":1}'), "
      "('bname', '{\"b\":1}'), ('דלת', '{\"h\":1}'), ('door', '{\"second\":1}')");
  const struct {
    std::u16string block;
    std::u16string json;
  } cases[] = {
      {u"DOOR", u"{\"d\":1}"},  // without regard to case; the first row wins
      {u"json", u"{\"j\":1}"}, {u"bname", u"{\"b\":1}"}, {u"דלת", u"{\"h\":1}"},
      {u"Window", u""},        {u"' OR 1=1 --", u""},
  };
  for (const auto& c : cases) EXPECT_EQ(lib.db.ReadJson(kBlocksAttr, c.block), c.json) << textcore::ToUtf8(c.block);
  lib.sql.exec("DROP TABLE BlocksAttr");
  EXPECT_EQ(lib.db.ReadJson(kBlocksAttr, u"Door"), u"");
}

TEST(Tdb, FailuresCarrySQLitesMessageAndTheStatement) {
  LibraryFile lib;
  MemoryTree tree;
  lib.db.FillTree(tree, kLibTree);
  const TreeNode& root = *tree.TopLevel()[0];
  const std::string missing = MessageOf([&] { lib.db.DeleteNode(root, u"Nope"); });
  EXPECT_NE(missing.find("no such table: Nope"), std::string::npos) << missing;
  EXPECT_NE(missing.find("DELETE FROM Nope WHERE nid = :nid"), std::string::npos) << missing;
  EXPECT_THROW(lib.db.DeleteNode(root, u"LibTree; DROP TABLE LibTree"), std::invalid_argument);
  EXPECT_EQ(lib.Rows().size(), 1u);
}

TEST(Tdb, ALockedDatabaseIsReportedAsBusy) {
  LibraryFile lib;
  MemoryTree tree;
  lib.db.FillTree(tree, kLibTree);
  SQLite::Database other(LibraryFile::Utf8(lib.db.slDBPath()), SQLite::OPEN_READWRITE);
  other.exec("BEGIN IMMEDIATE");  // another connection holds the write lock
  try {
    lib.db.UpdateNodeName(*tree.TopLevel()[0], u"Renamed", kLibTree);
    FAIL() << "the write went through a locked database";
  } catch (const DatabaseError& e) {
    EXPECT_TRUE(e.Busy());
    EXPECT_NE(std::string(e.what()).find("is busy"), std::string::npos) << e.what();
    EXPECT_EQ(e.statement(), "UPDATE  LibTree SET   name = :name WHERE nid = :nid");
  }
  EXPECT_EQ(lib.Outline(), "All Categories [0]\n");  // reading is still possible
  other.exec("ROLLBACK");
  lib.db.UpdateNodeName(*tree.TopLevel()[0], u"Renamed", kLibTree);
  EXPECT_EQ(lib.Outline(), "Renamed [0]\n");
}

}  // namespace
}  // namespace zil::library
