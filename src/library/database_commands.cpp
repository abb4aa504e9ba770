#include "library/database_commands.h"

#include <SQLiteCpp/SQLiteCpp.h>
#include <sqlite3.h>

#include <charconv>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

#include "library/database_error.h"
#include "platform/ascii_case.h"
#include "textcore/utf8.h"

namespace zil::library {
namespace {

using textcore::FromUtf8;
using textcore::ToUtf8;

// One statement compiled on an open connection. The C interface is used here because these statements
// come from outside: SQLiteCpp has no way to tell a text that compiles to nothing, nor a column without a
// declared type, both of which matter below.
class GeneralStatement {
 public:
  GeneralStatement(std::u16string_view file, std::u16string_view statement)
      : path_(ToUtf8(file)), sql_(ToUtf8(statement)) {
    // An empty name would be a private temporary database that vanishes with the call: everything
    // written there would be lost while the call reported success.
    if (path_.empty()) throw std::invalid_argument("No database file was given for the SQL statement: " + sql_);
    try {
      db_.emplace(path_, SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
    } catch (const SQLite::Exception& e) {
      throw DatabaseError(e.getErrorCode(), e.what(), "", path_);
    }
    sqlite3_stmt* compiled = nullptr;
    const int rc =
        sqlite3_prepare_v2(db_->getHandle(), sql_.c_str(), static_cast<int>(sql_.size()), &compiled, nullptr);
    stmt_.reset(compiled);
    if (rc != SQLITE_OK) Fail(rc);
    if (stmt_ == nullptr) throw DatabaseError(SQLITE_MISUSE, "there is no SQL statement to run", sql_, path_);
  }

  // True for a row, false at the end.
  bool Step() {
    const int rc = sqlite3_step(stmt_.get());
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    Fail(rc);
  }

  [[noreturn]] void Fail(int rc) const { throw DatabaseError(rc, sqlite3_errmsg(db_->getHandle()), sql_, path_); }

  sqlite3_stmt* get() const { return stmt_.get(); }
  const std::string& sql() const { return sql_; }
  const std::string& path() const { return path_; }

 private:
  struct Finalize {
    void operator()(sqlite3_stmt* stmt) const { sqlite3_finalize(stmt); }
  };
  std::string path_;
  std::string sql_;
  std::optional<SQLite::Database> db_;
  std::unique_ptr<sqlite3_stmt, Finalize> stmt_;  // finalized before the connection closes
};

enum class Kind { Unknown, Integer, Real, Text, Blob };

Kind DeclaredKind(const char* declared) {
  const std::string type = UpperAscii(declared);
  if (type == "SMALLINT" || type == "INTEGER" || type == "BOOLEAN") return Kind::Integer;
  if (type == "NUMERIC" || type == "FLOAT" || type == "DOUBLE" || type == "REAL") return Kind::Real;
  if (type == "BLOB") return Kind::Blob;
  return Kind::Text;  // DATETIME, DATE and every other type
}

Kind ValueKind(int storageClass) {
  switch (storageClass) {
    case SQLITE_INTEGER:
      return Kind::Integer;
    case SQLITE_FLOAT:
      return Kind::Real;
    case SQLITE_BLOB:
      return Kind::Blob;
    case SQLITE_NULL:
      return Kind::Unknown;
    default:
      return Kind::Text;
  }
}

std::u16string RealText(double value, const std::locale& locale) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
  std::u16string text(buffer, result.ptr);
  const auto separator = static_cast<char16_t>(std::use_facet<std::numpunct<wchar_t>>(locale).decimal_point());
  for (char16_t& c : text)
    if (c == u'.') c = separator;
  return text;
}

std::u16string ValueText(sqlite3_stmt* stmt, int column, Kind kind, const std::locale& locale) {
  if (sqlite3_column_type(stmt, column) == SQLITE_NULL) return {};
  switch (kind) {
    case Kind::Integer:
      return FromUtf8(std::to_string(sqlite3_column_int64(stmt, column)));
    case Kind::Real:
      return RealText(sqlite3_column_double(stmt, column), locale);
    case Kind::Blob: {
      const void* bytes = sqlite3_column_blob(stmt, column);
      const auto size = static_cast<std::size_t>(sqlite3_column_bytes(stmt, column));
      return bytes == nullptr ? std::u16string() : FromUtf8(std::string_view(static_cast<const char*>(bytes), size));
    }
    case Kind::Text:
    case Kind::Unknown:
      break;
  }
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
  const auto size = static_cast<std::size_t>(sqlite3_column_bytes(stmt, column));
  return text == nullptr ? std::u16string() : FromUtf8(std::string_view(text, size));
}

void AppendQuoted(std::u16string& out, std::u16string_view value) {
  out += u'"';
  for (char16_t c : value) {
    if (c == u'"') out += u'\\';
    out += c;
  }
  out += u'"';
}

}  // namespace

void SqlExec(std::u16string_view file, std::u16string_view statement) {
  GeneralStatement stmt(file, statement);
  if (stmt.Step())
    throw DatabaseError(SQLITE_MISUSE, "the statement returned rows; run queries with \"db_gettable\"", stmt.sql(),
                        stmt.path());
}

std::u16string GetTable(std::u16string_view file, std::u16string_view statement, const std::locale& locale) {
  GeneralStatement stmt(file, statement);
  const int columns = sqlite3_column_count(stmt.get());
  std::vector<Kind> kinds;
  std::u16string table;
  bool first = true;
  while (stmt.Step()) {
    if (first) {
      // Each column's kind is settled at the first row.
      for (int c = 0; c < columns; ++c) {
        const char* declared = sqlite3_column_decltype(stmt.get(), c);
        kinds.push_back(declared != nullptr ? DeclaredKind(declared) : ValueKind(sqlite3_column_type(stmt.get(), c)));
      }
      first = false;
    }
    for (int c = 0; c < columns; ++c) {
      auto& kind = kinds[static_cast<std::size_t>(c)];
      // A column without a declared type whose first values are NULL takes the kind of its first value.
      if (kind == Kind::Unknown) kind = ValueKind(sqlite3_column_type(stmt.get(), c));
      if (c > 0) table += u' ';
      AppendQuoted(table, ValueText(stmt.get(), c, kind, locale));
    }
    table += u"\r\n";
  }
  return table;
}

}  // namespace zil::library
