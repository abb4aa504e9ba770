#include "library/tdb.h"

#include <SQLiteCpp/SQLiteCpp.h>

#include <algorithm>
#include <limits>
#include <optional>
#include <stdexcept>
#include <unordered_map>
#include <utility>

#include "library/database_error.h"
#include "textcore/utf8.h"

namespace zil::library {
namespace {

namespace fs = std::filesystem;
using textcore::FromUtf8;
using textcore::ToUtf8;

// The six tables of a library, exactly as every library file has them.
constexpr const char* kCreateLibTree =
    "CREATE TABLE LibTree  ([ID] INTEGER PRIMARY KEY,[nid] INTEGER,[icon] INTEGER,[name] TEXT ,[id_parent] "
    "INTEGER,[txt] TEXT COLLATE NOCASE)";
constexpr const char* kCreateLispTree =
    "CREATE TABLE LispTree  ([ID] INTEGER PRIMARY KEY,[nid] INTEGER,[icon] INTEGER,[name] TEXT ,[id_parent] "
    "INTEGER,[lsp] TEXT COLLATE NOCASE)";
constexpr const char* kCreateBlockHistory =
    "CREATE TABLE BlockHistory  ([ID] INTEGER PRIMARY KEY,[type] INTEGER,[block] TEXT,[tag] TEXT ,[prompt] TEXT "
    ",[value] TEXT,[ddate] DATETIME ,[cod] TEXT )";
constexpr const char* kCreateClips =
    "CREATE TABLE Clips  ([ID] INTEGER PRIMARY KEY,[nid] INTEGER,[icon] INTEGER,[id_parent] INTEGER ,[kind] "
    "INTEGER ,[fmt] TEXT ,[ddate] DATETIME ,[stream] BLOB ,[txt] TEXT)";
constexpr const char* kCreateSearchCombo = "CREATE TABLE  SearchCombo ([ID] INTEGER PRIMARY KEY,[item] TEXT)";
constexpr const char* kCreateBlocksAttr =
    "CREATE TABLE BlocksAttr  ([ID] INTEGER PRIMARY KEY,[bname] TEXT COLLATE NOCASE,[json] TEXT)";

// The six tables in the order a new library gets them; the root row follows LibTree.
struct LibraryTable {
  std::u16string_view name;
  const char* create;
};
constexpr LibraryTable kLibraryTables[] = {
    {kLibTree, kCreateLibTree}, {u"LispTree", kCreateLispTree},     {u"BlockHistory", kCreateBlockHistory},
    {u"Clips", kCreateClips},   {kSearchCombo, kCreateSearchCombo}, {kBlocksAttr, kCreateBlocksAttr},
};

std::string Utf8Path(const fs::path& path) {
  const std::u8string bytes = path.u8string();
  return std::string(bytes.begin(), bytes.end());
}

// Table names are joined into statements, so only plain identifiers pass.
std::string TableName(std::u16string_view table) {
  const auto plain = [](char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'_';
  };
  if (table.empty() || (table.front() >= u'0' && table.front() <= u'9') ||
      !std::all_of(table.begin(), table.end(), plain))
    throw std::invalid_argument("Not a table name of the text library: \"" + ToUtf8(table) + "\"");
  return ToUtf8(table);
}

std::string JoinLines(const std::vector<std::u16string>& lines) {
  std::u16string text;
  for (const std::u16string& line : lines) {
    text += line;
    text += u"\r\n";
  }
  return ToUtf8(text);
}

std::u16string ColumnText(const SQLite::Column& column) {
  if (column.isNull()) return {};
  const char* text = column.getText();
  return FromUtf8(std::string_view(text, static_cast<std::size_t>(column.getBytes())));
}

NodeId ParentId(const TreeNode& node) { return node.Parent() != nullptr ? node.Parent()->Id() : -1; }

// Runs `body`; a failure of SQLite inside it becomes a DatabaseError naming the statement.
template <typename Body>
auto Guard(const fs::path& file, const std::string& sql, Body&& body) -> decltype(body()) {
  try {
    return body();
  } catch (const SQLite::Exception& e) {
    throw DatabaseError(e.getErrorCode(), e.what(), sql, file);
  }
}

std::unique_ptr<SQLite::Database> Open(const fs::path& file) {
  return Guard(file, "", [&] {
    return std::make_unique<SQLite::Database>(Utf8Path(file), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
  });
}

// An explicit transaction: "BEGIN TRANSACTION" now, "COMMIT" on Commit(), "ROLLBACK" when left without.
class TransactionScope {
 public:
  TransactionScope(SQLite::Database& db, const fs::path& file) : db_(db), file_(file) {
    Guard(file_, "BEGIN TRANSACTION", [&] { db_.exec("BEGIN TRANSACTION"); });
  }
  ~TransactionScope() {
    if (committed_) return;
    // The failure that brought us here is already on its way to the caller; a rollback that fails too
    // (the connection is unusable) would only hide it, and SQLite undoes an unfinished transaction anyway
    // when the connection closes.
    try {
      db_.exec("ROLLBACK");
    } catch (const SQLite::Exception&) {
    }
  }
  TransactionScope(const TransactionScope&) = delete;
  TransactionScope& operator=(const TransactionScope&) = delete;

  void Commit() {
    Guard(file_, "COMMIT", [&] { db_.exec("COMMIT"); });
    committed_ = true;
  }

 private:
  SQLite::Database& db_;
  const fs::path& file_;
  bool committed_ = false;
};

}  // namespace

Tdb::Tdb(fs::path file, std::unique_ptr<SQLite::Database> db) : slDBPath_(std::move(file)), sldb_(std::move(db)) {}

Tdb::Tdb(Tdb&& other) noexcept = default;
Tdb& Tdb::operator=(Tdb&& other) noexcept = default;
Tdb::~Tdb() = default;

Tdb Tdb::Create(const fs::path& folder) {
  const fs::path file = folder / kLibraryFileName;
  std::error_code ec;
  const bool existing = fs::is_directory(folder, ec) && fs::exists(file, ec);
  if (existing) {
    // A library from before the attribute defaults gains their table; a file that lacks others (an empty
    // file is a new library) gains those, and the root row comes with a new LibTree. Tables that are
    // there stay as they are.
    Tdb db(file, Open(file));
    db.AddMissingTables();
    return db;
  }
  fs::create_directories(folder, ec);
  if (ec)
    throw std::runtime_error("Cannot create the folder " + folder.string() + " for the text library: " + ec.message());
  Tdb db(file, Open(file));
  try {
    db.AddMissingTables();
  } catch (...) {
    // A half-made library would be taken for a whole one next time: remove it.
    db.sldb_.reset();
    fs::remove(file, ec);
    throw;
  }
  return db;
}

void Tdb::AddMissingTables() {
  for (const LibraryTable& table : kLibraryTables) {
    if (TableExists(table.name)) continue;
    Exec(table.create);
    if (table.name == kLibTree) Add0(kLibTree);
    ++tablesMade_;
  }
}

void Tdb::Exec(const std::string& sql) {
  Guard(slDBPath_, sql, [&] { sldb_->exec(sql); });
}

NodeId Tdb::FillTree(Tree& tree, std::u16string_view table) {
  const std::string sql = "SELECT  nid,id_parent,icon,name FROM   " + TableName(table) + " ";
  tree.BeginUpdate();
  struct ResumeRepainting {
    Tree& tree;
    ~ResumeRepainting() { tree.EndUpdate(); }
  } resume{tree};
  tree.Clear();
  return Guard(slDBPath_, sql, [&] {
    SQLite::Statement query(*sldb_, sql);
    const int nidColumn = query.getColumnIndex("nid");
    const int parentColumn = query.getColumnIndex("id_parent");
    const int iconColumn = query.getColumnIndex("icon");
    const int nameColumn = query.getColumnIndex("name");
    const auto readId = [&](int column) {
      const std::int64_t value = query.getColumn(column).getInt64();
      if (value < std::numeric_limits<NodeId>::min() || value > std::numeric_limits<NodeId>::max())
        throw std::range_error("The text library " + slDBPath_.string() +
                               " holds a node id out of range: " + std::to_string(value));
      return static_cast<NodeId>(value);
    };

    NodeId maxid = -1;
    std::unordered_map<NodeId, TreeNode*> nodes;
    while (query.executeStep()) {
      const NodeId nid = readId(nidColumn);
      const NodeId idParent = readId(parentColumn);
      const int icon = query.getColumn(iconColumn).getInt();  // NULL (the root) reads as 0
      const std::u16string name = ColumnText(query.getColumn(nameColumn));
      maxid = std::max(maxid, nid);

      TreeNode* parent = nullptr;
      if (idParent >= 0) {
        if (const auto found = nodes.find(idParent); found != nodes.end()) {
          parent = found->second;
        } else {
          // The parent's row comes later (or never): hold the place with an empty top-level node.
          TreeNode& placeholder = tree.AddChild(nullptr, u"");
          placeholder.SetId(-idParent);
          placeholder.SetSelectedIndex(kOpenCategoryImage);
          nodes.emplace(idParent, &placeholder);
          parent = &placeholder;
        }
      }

      TreeNode* node = nullptr;
      if (const auto found = nodes.find(nid); found != nodes.end()) {
        node = found->second;  // a placeholder made by an earlier child becomes this row's node
        node->SetLabel(name);
        node->SetId(nid);
        node->SetImageIndex(icon);
        // Parent ids that go round in a circle cannot be shown as a tree: such a row stays at the top level.
        if (parent != nullptr && IsWithin(parent, node)) parent = nullptr;
        node->MoveTo(parent);
      } else {
        node = &tree.AddChild(parent, name);
        node->SetId(nid);
        node->SetImageIndex(icon);
        nodes.emplace(nid, node);
      }
      node->SetSelectedIndex(icon == kCategoryImage ? kOpenCategoryImage : icon);
    }
    return maxid;
  });
}

std::u16string Tdb::ReadTopic(const TreeNode& node, std::u16string_view table) {
  const std::string sql = "SELECT txt FROM " + TableName(table) + " WHERE nid = ? ";
  return Guard(slDBPath_, sql, [&] {
    SQLite::Statement query(*sldb_, sql);
    query.bind(1, node.Id());
    if (!query.executeStep()) return std::u16string();  // a new node has no row yet
    return ColumnText(query.getColumn(0));
  });
}

void Tdb::UpdateTopic(const TreeNode& node, const std::vector<std::u16string>& lines, std::u16string_view table) {
  const std::string sql = "SELECT txt FROM " + TableName(table) + " WHERE nid = ? ";
  const bool found = Guard(slDBPath_, sql, [&] {
    SQLite::Statement query(*sldb_, sql);
    query.bind(1, node.Id());
    return query.executeStep();
  });
  if (found) {
    UpdateTxt(node, lines, table);
  } else {
    AddNewTxt(node, lines, table);
  }
}

void Tdb::AddNewTxt(const TreeNode& node, const std::vector<std::u16string>& lines, std::u16string_view table) {
  const std::string sql = "INSERT INTO " + TableName(table) +
                          " (nid, id_parent,name,txt,icon) VALUES (:nid, :id_parent, :name, :txt, :icon);";
  Guard(slDBPath_, sql, [&] {
    SQLite::Statement insert(*sldb_, sql);
    insert.bind(":nid", node.Id());
    insert.bind(":id_parent", ParentId(node));
    insert.bind(":name", ToUtf8(node.Label()));
    insert.bind(":txt", JoinLines(lines));
    insert.bind(":icon", node.ImageIndex());
    insert.exec();
  });
}

void Tdb::UpdateTxt(const TreeNode& node, const std::vector<std::u16string>& lines, std::u16string_view table) {
  const std::string sql = "UPDATE  " + TableName(table) + " SET   txt = :txt WHERE nid = :nid";
  Guard(slDBPath_, sql, [&] {
    SQLite::Statement update(*sldb_, sql);
    update.bind(":txt", JoinLines(lines));
    update.bind(":nid", node.Id());
    update.exec();
  });
}

void Tdb::UpdateNodeName(const TreeNode& node, std::u16string_view label, std::u16string_view table) {
  const std::string sql = "SELECT nid FROM " + TableName(table) + " WHERE nid = ? ";
  const bool found = Guard(slDBPath_, sql, [&] {
    SQLite::Statement query(*sldb_, sql);
    query.bind(1, node.Id());
    return query.executeStep();
  });
  if (found) {
    UpdateNode(node, label, table);
  } else {
    AddNewNode(node, label, table);
  }
}

void Tdb::AddNewNode(const TreeNode& node, std::u16string_view label, std::u16string_view table) {
  const std::string sql =
      "INSERT INTO " + TableName(table) + " (nid, id_parent,name, icon) VALUES (:nid, :id_parent, :name, :icon);";
  Guard(slDBPath_, sql, [&] {
    SQLite::Statement insert(*sldb_, sql);
    insert.bind(":nid", node.Id());
    insert.bind(":id_parent", ParentId(node));
    insert.bind(":name", ToUtf8(label));
    insert.bind(":icon", node.ImageIndex());
    insert.exec();
  });
}

void Tdb::UpdateNode(const TreeNode& node, std::u16string_view label, std::u16string_view table) {
  const std::string sql = "UPDATE  " + TableName(table) + " SET   name = :name WHERE nid = :nid";
  Guard(slDBPath_, sql, [&] {
    SQLite::Statement update(*sldb_, sql);
    update.bind(":name", ToUtf8(label));
    update.bind(":nid", node.Id());
    update.exec();
  });
}

void Tdb::DeleteNode(const TreeNode& node, std::u16string_view table) {
  const std::string sql = "DELETE FROM " + TableName(table) + " WHERE nid = :nid";
  Guard(slDBPath_, sql, [&] {
    SQLite::Statement remove(*sldb_, sql);
    remove.bind(":nid", node.Id());
    remove.exec();
  });
}

void Tdb::SwapNode(const TreeNode& node1, const TreeNode& node2, std::u16string_view table) {
  const std::string name = TableName(table);
  // NULLs stay NULL: the root has no icon, a node that never had text has none.
  struct Row {
    std::int64_t id = 0;
    NodeId nid = 0;
    std::optional<std::string> name, txt;
    std::optional<std::int64_t> icon;
  };
  const std::string select = "SELECT ID, name, txt, icon FROM " + name + " WHERE nid = :nid";
  const auto read = [&](const TreeNode& node) {
    return Guard(slDBPath_, select, [&] {
      SQLite::Statement query(*sldb_, select);
      query.bind(":nid", node.Id());
      if (!query.executeStep())
        throw std::runtime_error("Cannot move the node \"" + ToUtf8(node.Label()) + "\": it has no row in " + name +
                                 " of " + slDBPath_.string() + " yet");
      Row row;
      row.id = query.getColumn(0).getInt64();
      row.nid = node.Id();
      if (!query.isColumnNull(1)) row.name = query.getColumn(1).getString();
      if (!query.isColumnNull(2)) row.txt = query.getColumn(2).getString();
      if (!query.isColumnNull(3)) row.icon = query.getColumn(3).getInt64();
      return row;
    });
  };
  const Row row1 = read(node1);
  const Row row2 = read(node2);

  // Both rows change together or not at all: a half-done swap would leave two rows with one id.
  const std::string update =
      "UPDATE " + name + " SET nid = :nid, name = :name, txt = :txt, icon = :icon WHERE ID = :id";
  const auto write = [&](std::int64_t id, const Row& values) {
    Guard(slDBPath_, update, [&] {
      SQLite::Statement rewrite(*sldb_, update);
      rewrite.bind(":id", id);
      rewrite.bind(":nid", values.nid);
      values.name ? rewrite.bind(":name", *values.name) : rewrite.bind(":name");
      values.txt ? rewrite.bind(":txt", *values.txt) : rewrite.bind(":txt");
      values.icon ? rewrite.bind(":icon", *values.icon) : rewrite.bind(":icon");
      rewrite.exec();
    });
  };
  TransactionScope transaction(*sldb_, slDBPath_);
  write(row1.id, row2);
  write(row2.id, row1);
  transaction.Commit();
}

void Tdb::MoveNode(NodeId nid, NodeId parent, const std::vector<NodeId>& lastIds, std::u16string_view table) {
  const std::string name = TableName(table);
  const std::string reparent = "UPDATE " + name + " SET id_parent = :parent WHERE nid = :nid";
  // Siblings are shown in row order: a row given the next free ID comes after every other row.
  const std::string toEnd = "UPDATE " + name + " SET ID = (SELECT MAX(ID) FROM " + name + ") + 1 WHERE nid = :nid";
  TransactionScope transaction(*sldb_, slDBPath_);
  Guard(slDBPath_, reparent, [&] {
    SQLite::Statement update(*sldb_, reparent);
    update.bind(":parent", parent);
    update.bind(":nid", nid);
    update.exec();
  });
  Guard(slDBPath_, toEnd, [&] {
    SQLite::Statement update(*sldb_, toEnd);
    for (const NodeId id : lastIds) {
      update.bind(":nid", id);
      update.exec();
      update.reset();
    }
  });
  transaction.Commit();
}

void Tdb::Add0(std::u16string_view table) {
  const std::string sql =
      "INSERT INTO " + TableName(table) + " (nid, id_parent,name,txt) VALUES (:nid, :id_parent, :name, :txt);";
  Guard(slDBPath_, sql, [&] {
    SQLite::Statement insert(*sldb_, sql);
    insert.bind(":nid", 0);
    insert.bind(":id_parent", -1);
    insert.bind(":name", ToUtf8(kRootLabel));
    insert.bind(":txt", std::string());
    insert.exec();
  });
}

Tidxarray Tdb::Search(std::u16string_view pattern) {
  const std::string sql = "SELECT nid FROM LibTree  WHERE txt LIKE  ? ";
  return Guard(slDBPath_, sql, [&] {
    SQLite::Statement query(*sldb_, sql);
    query.bind(1, "%" + ToUtf8(pattern) + "%");
    Tidxarray ids;
    while (query.executeStep()) ids.push_back(query.getColumn(0).getInt());
    return ids;
  });
}

std::vector<std::u16string> Tdb::ReadList(std::u16string_view table) {
  std::vector<std::u16string> list;
  if (!TableExists(table)) return list;
  const std::string sql = "SELECT [item]  FROM  " + TableName(table);
  Guard(slDBPath_, sql, [&] {
    SQLite::Statement query(*sldb_, sql);
    while (query.executeStep()) list.push_back(ColumnText(query.getColumn(0)));
  });
  return list;
}

void Tdb::WriteList(std::u16string_view table, const std::vector<std::u16string>& list) {
  const std::string name = TableName(table);
  TransactionScope transaction(*sldb_, slDBPath_);
  Exec("DELETE FROM " + name);
  const std::string sql = "INSERT INTO " + name + " (item) VALUES (:item)";
  Guard(slDBPath_, sql, [&] {
    SQLite::Statement insert(*sldb_, sql);
    for (const std::u16string& item : list) {
      insert.bind(":item", ToUtf8(item));
      insert.exec();
      insert.reset();
    }
  });
  transaction.Commit();
}

std::u16string Tdb::ReadJson(std::u16string_view table, std::u16string_view bname) {
  if (!TableExists(table)) return {};
  const std::string sql = "SELECT json FROM " + TableName(table) + " WHERE bname = :bname";
  return Guard(slDBPath_, sql, [&] {
    SQLite::Statement query(*sldb_, sql);
    query.bind(":bname", ToUtf8(bname));
    if (!query.executeStep()) return std::u16string();
    return ColumnText(query.getColumn(0));
  });
}

bool Tdb::TableExists(std::u16string_view table) {
  const std::string sql = "SELECT name FROM sqlite_master WHERE type = 'table' AND name = :name COLLATE NOCASE";
  return Guard(slDBPath_, sql, [&] {
    SQLite::Statement query(*sldb_, sql);
    query.bind(":name", ToUtf8(table));
    return query.executeStep();
  });
}

}  // namespace zil::library
