#pragma once

#include <QString>

struct sqlite3;

namespace quenda {

// One connection to a tournament database with the Jet dialect bridge registered.
// Owned and used by one thread only; every thread opens its own.
class Verbindung {
public:
    enum class Modus { Lesen, Schreiben };

    Verbindung() = default;
    ~Verbindung();
    Verbindung(const Verbindung&) = delete;
    Verbindung& operator=(const Verbindung&) = delete;

    // Opens an existing tournament database and checks that it has every table the program reads.
    // Throws DatabaseError naming the path when the file is missing, is no database or lacks tables.
    void oeffnen(const QString& pfad, Modus modus = Modus::Lesen);
    // Creates a new, empty tournament database with the schema (the file must not exist yet).
    void anlegen(const QString& pfad);
    void schliessen();

    bool istOffen() const { return m_db != nullptr; }
    QString pfad() const { return m_pfad; }
    sqlite3* handle() const { return m_db; }

    // Runs native SQLite statements (separated by ";") without a result, for writers and set-up.
    // Throws DatabaseError.
    void ausfuehren(const QString& sql);

    // True when the file starts with the SQLite header, whatever its extension.
    static bool istSqliteDatei(const QString& pfad);
    // True for an Access (Jet/ACE) database file.
    static bool istAccessDatei(const QString& pfad);

private:
    void verbinden(const QString& pfad, int flags);
    void pruefeTabellen();

    sqlite3* m_db = nullptr;
    QString m_pfad;
};

} // namespace quenda
