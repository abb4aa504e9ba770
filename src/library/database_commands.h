// The general database commands of the command layer: run one SQL statement on any SQLite file, or run a
// query and get its rows as one text. Each call opens its own connection to the file (creating the file
// when it does not exist; its folder must exist) and closes it before returning; every successful
// statement is committed at once. The file path and the statement come from the command layer as they
// are: the statement is SQL to run, by design, so nothing in it is checked beyond what SQLite checks.
//
// Only the first statement of the text is compiled and run; the rest is ignored. A text with no statement
// in it (empty, blanks or comments) is an error, as is every SQLite failure: each is a DatabaseError with
// SQLite's message and the statement.
#pragma once

#include <locale>
#include <string>
#include <string_view>

namespace zil::library {

// Runs the statement, stepping it once; a statement that yields a row (a query with a result) fails.
void SqlExec(std::u16string_view file, std::u16string_view statement);

// Runs the statement to its end and returns its rows: each value turned into text by the kind of its
// column, quoted ("\"" inside becomes "\\\""), the values of a row joined by single spaces, every row
// followed by CR LF. Column kinds come from the declared types (integer: SMALLINT INTEGER BOOLEAN; real:
// NUMERIC FLOAT DOUBLE REAL; blob: BLOB; anything else text), or for a column without one (an expression)
// from its first value that is not NULL. Integers are decimal; reals take up to 15 significant digits in
// the general format with the decimal separator of `locale`; blobs are decoded as UTF-8; NULL is empty.
std::u16string GetTable(std::u16string_view file, std::u16string_view statement, const std::locale& locale);

}  // namespace zil::library
