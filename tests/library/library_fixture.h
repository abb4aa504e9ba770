// Library files for tests: a zil.db in a temporary folder made by the library itself, and a second
// connection to it for putting rows in place as a stored file would hold them, reading what was written,
// and holding locks.
#pragma once

#include <SQLiteCpp/SQLiteCpp.h>

#include <optional>
#include <string>
#include <vector>

#include "library/memory_tree.h"
#include "library/tdb.h"
#include "support/temp_folder.h"
#include "textcore/utf8.h"

namespace zil::library::test {

// One LibTree row, as stored.
struct Row {
  NodeId nid;
  NodeId parent;
  std::optional<int> icon;
  std::string name;
  std::optional<std::string> txt = std::nullopt;
};

// The LibTree rows of a library in storage order as "nid parent icon name|txt" (NULL shown as "-").
inline std::vector<std::string> StoredRows(SQLite::Database& sql) {
  std::vector<std::string> rows;
  SQLite::Statement query(sql, "SELECT nid, id_parent, icon, name, txt FROM LibTree ORDER BY ID");
  while (query.executeStep()) {
    std::string row;
    for (int c = 0; c < 5; ++c) {
      if (c > 0) row += c == 4 ? "|" : " ";
      row += query.isColumnNull(c) ? "-" : query.getColumn(c).getString();
    }
    rows.push_back(row);
  }
  return rows;
}

class LibraryFile {
 public:
  LibraryFile() : db(Tdb::Create(dir.path())), sql(Utf8(db.slDBPath()), SQLite::OPEN_READWRITE) {}

  static std::string Utf8(const std::filesystem::path& path) {
    const auto bytes = path.u8string();
    return std::string(bytes.begin(), bytes.end());
  }

  // Replaces the LibTree rows by these, in this storage order.
  void PutRows(const std::vector<Row>& rows) {
    sql.exec("DELETE FROM LibTree");
    for (const Row& r : rows) {
      SQLite::Statement insert(sql, "INSERT INTO LibTree (nid, id_parent, icon, name, txt) VALUES (?, ?, ?, ?, ?)");
      insert.bind(1, r.nid);
      insert.bind(2, r.parent);
      r.icon ? insert.bind(3, *r.icon) : insert.bind(3);
      insert.bind(4, r.name);
      r.txt ? insert.bind(5, *r.txt) : insert.bind(5);
      insert.exec();
    }
  }

  // The LibTree rows in storage order as "nid parent icon name|txt" (NULL shown as "-").
  std::vector<std::string> Rows() { return StoredRows(sql); }

  // The tree as FillTree loads it, in UTF-8.
  std::string Outline(NodeId* maxid = nullptr) {
    MemoryTree tree;
    const NodeId max = db.FillTree(tree, kLibTree);
    if (maxid != nullptr) *maxid = max;
    return textcore::ToUtf8(tree.Outline());
  }

  zil::test::TempFolder dir;
  Tdb db;
  SQLite::Database sql;
};

}  // namespace zil::library::test
