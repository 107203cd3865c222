#pragma once

#include <QString>

struct sqlite3;

namespace quenda::jet {

// The statements are kept in Jet text. In Jet, "+" between texts concatenates and a NULL operand makes the
// result NULL: exactly SQLite's "||". Every "+" outside '...', "..." and [...] is rewritten.
QString nachSqlite(const QString& jetText);

// Registers mid(), cstr() and the case-insensitive text collation on a connection.
// Returns an SQLite result code.
int registrieren(sqlite3* db);

// The text form of a number as Jet's cStr gives it on a German system: whole numbers without decimals.
QString zahlText(double wert);

} // namespace quenda::jet
