#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace quenda::schema {

// The tournament database as the program reads it: every table and column any statement uses.
enum class Typ { Ganzzahl, Zahl, Text, DatumZeit };

struct Spalte {
    QString name;
    Typ typ;
};

struct Tabelle {
    QString name;
    QString schluessel; // the integer key column, "" when the table has none
    std::vector<Spalte> spalten;
};

struct Index {
    QString tabelle;
    QStringList spalten;
};

// Name of the case-insensitive collation of every text column (registered on each connection).
inline constexpr const char* kollation = "JETTEXT";

const std::vector<Tabelle>& tabellen();
// Indexes on the key and join columns; without them the nested joins slow down on large tournaments.
const std::vector<Index>& indizes();

// SQL type text of a column as our DDL declares it ("DATETIME" marks date-time values).
QString typText(Typ typ);
// CREATE TABLE and CREATE INDEX statements for a new database.
QStringList ddl();

} // namespace quenda::schema
