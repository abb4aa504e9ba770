// Tdb: the text library database `zil.db` in the data folder, and every read and write the add-in makes
// on it — the library tree (`LibTree`), the remembered searches (`SearchCombo`) and the attribute
// defaults of blocks (`BlocksAttr`). One connection for the object's life.
//
// Values are always bound as parameters. Table names are the callers' own constants ("LibTree",
// "SearchCombo", "BlocksAttr"), joined into the statements; a name that is not a plain identifier is
// refused. Rows are read in storage order (no ordering clause): the order of siblings in the tree is the
// order in which their rows were inserted. Every SQLite failure is a DatabaseError carrying SQLite's
// message and the statement.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "library/tree_node.h"

namespace SQLite {
class Database;
}

namespace zil::library {

// Node ids, as `Search` returns them.
using Tidxarray = std::vector<NodeId>;

inline constexpr const char* kLibraryFileName = "zil.db";
inline constexpr std::u16string_view kLibTree = u"LibTree";
inline constexpr std::u16string_view kSearchCombo = u"SearchCombo";
inline constexpr std::u16string_view kBlocksAttr = u"BlocksAttr";
// The label of the root row of a new library.
inline constexpr std::u16string_view kRootLabel = u"All Categories";

class Tdb {
 public:
  // Opens `folder`/zil.db. An existing file gains the tables of the six it lacks (an empty file all six,
  // a library from before the attribute defaults `BlocksAttr`), with the root row when `LibTree` is new;
  // tables it has are not touched. Otherwise the folder is created with its missing parents, and the file
  // with the six tables and the root row. When making a new file fails part way, the file is removed
  // again, so that the next attempt starts afresh.
  static Tdb Create(const std::filesystem::path& folder);

  Tdb(Tdb&& other) noexcept;
  Tdb& operator=(Tdb&& other) noexcept;
  ~Tdb();  // closes the connection

  const std::filesystem::path& slDBPath() const { return slDBPath_; }
  // How many of the six tables Create made.
  int TablesMade() const noexcept { return tablesMade_; }

  // Replaces the tree's nodes with the rows of `table` (the library passes "LibTree") and returns the
  // largest node id seen, -1 for an empty table. A row whose parent has not been read yet hangs under an
  // empty-labelled top-level placeholder until its parent's row turns the placeholder into that parent.
  NodeId FillTree(Tree& tree, std::u16string_view table);

  // A topic's text, lines each followed by CR LF; empty when the node has no row or no text.
  std::u16string ReadTopic(const TreeNode& node, std::u16string_view table);
  // Saves a topic's text: inserts the node's row when it has none, else rewrites the text.
  void UpdateTopic(const TreeNode& node, const std::vector<std::u16string>& lines, std::u16string_view table);
  void AddNewTxt(const TreeNode& node, const std::vector<std::u16string>& lines, std::u16string_view table);
  void UpdateTxt(const TreeNode& node, const std::vector<std::u16string>& lines, std::u16string_view table);

  // Saves a node's label: inserts the node's row (without text) when it has none, else renames it.
  void UpdateNodeName(const TreeNode& node, std::u16string_view label, std::u16string_view table);
  void AddNewNode(const TreeNode& node, std::u16string_view label, std::u16string_view table);
  void UpdateNode(const TreeNode& node, std::u16string_view label, std::u16string_view table);

  // Removes the node's row only; its children's rows stay.
  void DeleteNode(const TreeNode& node, std::u16string_view table);
  // Exchanges the storage places of two siblings' rows, each keeping its id, label, text and kind, in one
  // transaction. Fails when either node has no row.
  void SwapNode(const TreeNode& node1, const TreeNode& node2, std::u16string_view table);
  // Records a node's move in the tree: its row takes `parent` as its parent (-1: none), and the rows of
  // `lastIds` (the node and the siblings that now follow it, in their order) go to the end of the table in
  // that order, so that the next load shows the node where it was put. Ids without a row are passed over.
  // One transaction.
  void MoveNode(NodeId nid, NodeId parent, const std::vector<NodeId>& lastIds, std::u16string_view table);
  // Writes the root row: id 0, parent -1, "All Categories", an empty text.
  void Add0(std::u16string_view table);

  // The ids of the `LibTree` rows whose text contains `pattern`, in row order, by SQLite's LIKE: ASCII
  // letters match without regard to case, "%" and "_" in the pattern are wildcards.
  Tidxarray Search(std::u16string_view pattern);

  // The first column of every row of `table`, in row order; empty when the table does not exist.
  std::vector<std::u16string> ReadList(std::u16string_view table);
  // Replaces the rows of `table` by the strings, in one transaction: on failure nothing changes.
  void WriteList(std::u16string_view table, const std::vector<std::u16string>& list);

  // The `json` of the first row of `table` whose `bname` equals `bname` (by the column's collation, without
  // regard to ASCII case); empty when the table is missing or nothing matches.
  std::u16string ReadJson(std::u16string_view table, std::u16string_view bname);

  // Whether the schema holds a table of this name, compared without regard to case.
  bool TableExists(std::u16string_view table);

 private:
  Tdb(std::filesystem::path file, std::unique_ptr<SQLite::Database> db);
  void Exec(const std::string& sql);
  // Creates the library's tables the file lacks, in their order, and counts them in tablesMade_.
  void AddMissingTables();

  std::filesystem::path slDBPath_;
  std::unique_ptr<SQLite::Database> sldb_;
  int tablesMade_ = 0;
};

}  // namespace zil::library
