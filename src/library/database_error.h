// How SQLite's failures reach the user: one exception carrying SQLite's own message and result code, the
// statement that failed and the database file. A busy or locked database (another program or connection
// holds a lock) is worded as such, so the user knows to close the other program or try again.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

namespace zil::library {

class DatabaseError : public std::runtime_error {
 public:
  // `code` is SQLite's result code (primary or extended); `statement` the SQL text (empty when opening
  // the file failed).
  DatabaseError(int code, const std::string& sqliteMessage, const std::string& statement,
                const std::filesystem::path& file);

  int code() const noexcept { return code_; }  // the primary result code (SQLITE_BUSY, SQLITE_ERROR, ...)
  const std::string& sqliteMessage() const noexcept { return sqliteMessage_; }
  const std::string& statement() const noexcept { return statement_; }
  // Another connection holds a lock that this one needed.
  bool Busy() const noexcept;

 private:
  int code_;
  std::string sqliteMessage_;
  std::string statement_;
};

}  // namespace zil::library
