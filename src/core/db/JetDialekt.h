#pragma once

#include "db/JoinAbflachung.h"

#include <QString>
#include <vector>

struct sqlite3;

namespace quenda::jet {

// The statements are kept in Jet text; this is the one place that turns them into SQLite text:
// joinsAbflachen, then plusAlsVerkettung.
QString nachSqlite(const QString& jetText);

// In Jet, "+" between texts concatenates and a NULL operand makes the result NULL: exactly SQLite's "||".
// Every "+" outside '...', "..." and [...] is rewritten.
QString plusAlsVerkettung(const QString& jetText);

// A statement whose number literals in comparisons became parameters: the text with "?" in their place and
// their values in order.
struct Parametrisiert {
    QString text;
    std::vector<qint64> werte;
};

// Every decimal integer literal right after a comparison operator (=, <>, <, >, <=, >=) outside '...', "..."
// and [...] becomes a "?": the statements carry their ids as literals, and texts that differ only in them
// then share one prepared statement. Digits of names, decimals, signed numbers, IN lists and numbers after
// ORDER BY or LIMIT stay as written. A bound integer compares as the literal does (both have no affinity).
Parametrisiert zahlenAlsParameter(const QString& jetText);

// Registers mid(), cstr() and the case-insensitive text collation on a connection.
// Returns an SQLite result code.
int registrieren(sqlite3* db);

// The text form of a number as Jet's cStr gives it on a German system: whole numbers without decimals.
QString zahlText(double wert);

} // namespace quenda::jet
