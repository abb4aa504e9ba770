// Putting a block's defaults document into a library file's BlocksAttr table, over a second connection, as
// the command layer's own tools would.
#pragma once

#include <SQLiteCpp/SQLiteCpp.h>

#include <filesystem>
#include <string>

namespace zil::attributes::test {

inline void PutBlocksAttr(const std::filesystem::path& dbFile, const std::string& block, const std::string& json) {
  const auto path = dbFile.u8string();
  SQLite::Database sql(std::string(path.begin(), path.end()), SQLite::OPEN_READWRITE);
  SQLite::Statement insert(sql, "INSERT INTO BlocksAttr (bname, json) VALUES (?, ?)");
  insert.bind(1, block);
  insert.bind(2, json);
  insert.exec();
}

}  // namespace zil::attributes::test
