#include "library/database_error.h"

#include <sqlite3.h>

namespace zil::library {
namespace {

std::string Describe(int code, const std::string& sqliteMessage, const std::string& statement,
                     const std::filesystem::path& file) {
  const int primary = code < 0 ? code : code & 0xFF;
  std::string text;
  if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED) {
    text = "The database " + file.string() +
           " is busy: another program or connection holds a lock on it. Try again when it has finished";
    text += " (SQLite: " + sqliteMessage + ")";
  } else if (statement.empty()) {
    text = "Cannot open the database " + file.string() + ": " + sqliteMessage;
  } else {
    text = "Database error in " + file.string() + ": " + sqliteMessage;
  }
  if (!statement.empty()) text += "; the statement was: " + statement;
  return text;
}

}  // namespace

DatabaseError::DatabaseError(int code, const std::string& sqliteMessage, const std::string& statement,
                             const std::filesystem::path& file)
    : std::runtime_error(Describe(code, sqliteMessage, statement, file)),
      code_(code < 0 ? code : code & 0xFF),  // negative: a failure of the wrapper, not of SQLite
      sqliteMessage_(sqliteMessage),
      statement_(statement) {}

bool DatabaseError::Busy() const noexcept { return code_ == SQLITE_BUSY || code_ == SQLITE_LOCKED; }

}  // namespace zil::library
