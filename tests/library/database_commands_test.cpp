// The general database commands on real SQLite files.
#include "library/database_commands.h"

#include <SQLiteCpp/SQLiteCpp.h>
#include <gtest/gtest.h>

#include <locale>

#include "library/database_error.h"
#include "support/temp_folder.h"
#include "textcore/utf8.h"

namespace zil::library {
namespace {

using zil::test::TempFolder;

struct CommaDecimal final : std::numpunct<wchar_t> {
  wchar_t do_decimal_point() const override { return L','; }
  std::string do_grouping() const override { return "\3"; }
  wchar_t do_thousands_sep() const override { return L'.'; }
};

class DatabaseCommands : public ::testing::Test {
 protected:
  DatabaseCommands() : file(textcore::FromUtf8((dir / "data.db").string())) {
    SqlExec(file,
            u"CREATE TABLE t (i INTEGER, r REAL, s TEXT, b BLOB, d DATETIME, n NUMERIC, v VARCHAR(10), "
            u"k BOOLEAN)");
  }
  std::string Table(std::u16string_view statement, const std::locale& locale = std::locale::classic()) {
    return textcore::ToUtf8(GetTable(file, statement, locale));
  }
  std::string Failure(const std::function<void()>& call) {
    try {
      call();
    } catch (const DatabaseError& e) {
      return e.what();
    }
    return "(no error)";
  }

  TempFolder dir;
  std::u16string file;
};

TEST_F(DatabaseCommands, RowsAreQuotedValuesJoinedBySpacesEachEndingWithCrLf) {
  SqlExec(file, u"INSERT INTO t VALUES (42, 1.5, 'say \"hi\" C:\\dir', x'D7A9', '2024-01-02 10:00', 2.25, 'v', 1)");
  SqlExec(file, u"INSERT INTO t VALUES (NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL)");
  SqlExec(file, u"INSERT INTO t VALUES (-7, 1e20, 'שלום', x'', 2460000.5, 3, 12, 0)");
  SqlExec(file, u"INSERT INTO t VALUES (2.7, 0.1, 5, 'text', 'x', 1.0/3, 1.25, 'yes')");
  EXPECT_EQ(Table(u"SELECT * FROM t"),
            "\"42\" \"1.5\" \"say \\\"hi\\\" C:\\dir\" \"\xD7\xA9\" \"2024-01-02 10:00\" \"2.25\" \"v\" \"1\"\r\n"
            "\"\" \"\" \"\" \"\" \"\" \"\" \"\" \"\"\r\n"
            "\"-7\" \"1e+20\" \"שלום\" \"\" \"2460000.5\" \"3\" \"12\" \"0\"\r\n"
            // values are read by their column's declared kind
            "\"2\" \"0.1\" \"5\" \"text\" \"x\" \"0.333333333333333\" \"1.25\" \"0\"\r\n");
  EXPECT_EQ(Table(u"SELECT i, s, r FROM t WHERE i = 42"), "\"42\" \"say \\\"hi\\\" C:\\dir\" \"1.5\"\r\n");
  EXPECT_EQ(Table(u"SELECT * FROM t WHERE 0"), "");
}

TEST_F(DatabaseCommands, RealsUseTheLocalesDecimalSeparator) {
  SqlExec(file, u"INSERT INTO t (r, n, i) VALUES (1234.5, 0.25, 1234)");
  const std::locale comma(std::locale::classic(), new CommaDecimal);
  EXPECT_EQ(Table(u"SELECT r, n, i, 2.5 FROM t", comma), "\"1234,5\" \"0,25\" \"1234\" \"2,5\"\r\n");
}

TEST_F(DatabaseCommands, ExpressionsTakeTheKindOfTheirFirstValue) {
  EXPECT_EQ(Table(u"SELECT 1, 2.5, 'a', x'41', NULL"), "\"1\" \"2.5\" \"a\" \"A\" \"\"\r\n");
  // A first value of NULL does not hide the values after it.
  EXPECT_EQ(Table(u"SELECT NULL, 'a' UNION ALL SELECT 2.5, 'b' UNION ALL SELECT 7, NULL"),
            "\"\" \"a\"\r\n\"2.5\" \"b\"\r\n\"7\" \"\"\r\n");
}

TEST_F(DatabaseCommands, ExecRunsTheFirstStatementOnlyAndRefusesRows) {
  SqlExec(file, u"INSERT INTO t (i) VALUES (1); INSERT INTO t (i) VALUES (2)");
  EXPECT_EQ(Table(u"SELECT i FROM t"), "\"1\"\r\n");
  SqlExec(file, u"SELECT * FROM t WHERE 0");  // a query without rows succeeds
  const std::string rows = Failure([&] { SqlExec(file, u"SELECT i FROM t"); });
  EXPECT_NE(rows.find("returned rows"), std::string::npos) << rows;
  EXPECT_NE(rows.find("SELECT i FROM t"), std::string::npos) << rows;

  // gettable runs a statement that changes data, and leaves no rows
  EXPECT_EQ(Table(u"INSERT INTO t (i) VALUES (3)"), "");
  EXPECT_EQ(Table(u"SELECT count(*) FROM t"), "\"2\"\r\n");
}

TEST_F(DatabaseCommands, FailuresNameSQLitesReasonAndTheStatement) {
  const struct {
    std::u16string statement;
    std::string reason;
  } cases[] = {
      {u"", "no SQL statement"},
      {u"  \r\n\t", "no SQL statement"},
      {u"-- only a comment", "no SQL statement"},
      {u"SELEC 1", "syntax error"},
      {u"INSERT INTO nowhere VALUES (1)", "no such table: nowhere"},
  };
  for (const auto& c : cases) {
    for (const bool exec : {true, false}) {
      const std::string message =
          Failure([&] { exec ? SqlExec(file, c.statement) : (void)GetTable(file, c.statement, {}); });
      EXPECT_NE(message.find(c.reason), std::string::npos) << message;
      EXPECT_NE(message.find(textcore::ToUtf8(c.statement)), std::string::npos) << message;
    }
  }
}

TEST_F(DatabaseCommands, AMissingFileIsCreatedAMissingFolderOrNoNameIsAnError) {
  const std::filesystem::path created = dir / "new.db";
  EXPECT_EQ(textcore::ToUtf8(GetTable(textcore::FromUtf8(created.string()), u"SELECT 1 WHERE 0", {})), "");
  EXPECT_TRUE(std::filesystem::exists(created));
  SQLite::Database check(created.string());
  EXPECT_EQ(check.execAndGet("SELECT count(*) FROM sqlite_master").getInt(), 0);

  const std::string folder =
      Failure([&] { SqlExec(textcore::FromUtf8((dir / "no/such/x.db").string()), u"SELECT 1"); });
  EXPECT_NE(folder.find("unable to open database file"), std::string::npos) << folder;
  EXPECT_FALSE(std::filesystem::exists(dir / "no"));
  EXPECT_THROW(SqlExec(u"", u"CREATE TABLE lost (x)"), std::invalid_argument);
}

TEST_F(DatabaseCommands, ALockedDatabaseIsReportedAsBusy) {
  SQLite::Database other((dir / "data.db").string(), SQLite::OPEN_READWRITE);
  other.exec("BEGIN IMMEDIATE");
  try {
    SqlExec(file, u"INSERT INTO t (i) VALUES (1)");
    FAIL() << "the write went through a locked database";
  } catch (const DatabaseError& e) {
    EXPECT_TRUE(e.Busy());
    EXPECT_NE(std::string(e.what()).find("is busy"), std::string::npos) << e.what();
  }
  EXPECT_EQ(Table(u"SELECT count(*) FROM t"), "\"0\"\r\n");
  other.exec("COMMIT");
  SqlExec(file, u"INSERT INTO t (i) VALUES (1)");
  EXPECT_EQ(Table(u"SELECT count(*) FROM t"), "\"1\"\r\n");
}

}  // namespace
}  // namespace zil::library
