#pragma once

#include <QString>

struct sqlite3;

namespace quenda::jet {

// The statements are kept in Jet text; this is the one place that turns them into SQLite text:
// joinsAbflachen, then plusAlsVerkettung.
QString nachSqlite(const QString& jetText);

// In Jet, "+" between texts concatenates and a NULL operand makes the result NULL: exactly SQLite's "||".
// Every "+" outside '...', "..." and [...] is rewritten.
QString plusAlsVerkettung(const QString& jetText);

// "A LEFT JOIN (B LEFT JOIN C ON q) ON p" becomes "A LEFT JOIN B ON p LEFT JOIN C ON q" where both give the
// same rows (see JoinAbflachung.cpp); any other text comes back unchanged.
QString joinsAbflachen(const QString& jetText);

// Registers mid(), cstr() and the case-insensitive text collation on a connection.
// Returns an SQLite result code.
int registrieren(sqlite3* db);

// The text form of a number as Jet's cStr gives it on a German system: whole numbers without decimals.
QString zahlText(double wert);

} // namespace quenda::jet
