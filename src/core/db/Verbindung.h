#pragma once

#include "db/Anweisungscache.h"

#include <QString>
#include <QtGlobal>
#include <functional>

struct sqlite3;

namespace quenda {

// One connection to a tournament database with the Jet dialect bridge registered, and its prepared
// statements. Owned and used by one thread only; every thread opens its own.
class Verbindung {
public:
    enum class Modus {
        Lesen,
        Schreiben,
        // Read-only for a file that no one changes while it is open (a snapshot of the importer): without
        // the lock and change check that every statement otherwise pays.
        Unveraenderlich,
    };

    // Statements run by query objects: prepared anew or taken from a connection's cache, and the time spent
    // in them (translating, preparing, running and reading the result).
    struct Zaehler {
        qint64 vorbereitet = 0;
        qint64 wiederverwendet = 0;
        qint64 nanosekunden = 0;
    };

    Verbindung() = default;
    ~Verbindung();
    Verbindung(const Verbindung&) = delete;
    Verbindung& operator=(const Verbindung&) = delete;

    // Sets SQLite up for the whole process, before it starts: without memory statistics, whose global lock
    // every allocation of every statement otherwise takes (about a tenth of a cycle's SQL time). Call
    // it first in main; once SQLite has started (a connection, an auto extension) it changes nothing.
    static void bibliothekEinrichten();

    // Opens an existing tournament database and checks that it has every table the program reads.
    // Throws DatabaseError naming the path when the file is missing, is no database or lacks tables.
    void oeffnen(const QString& pfad, Modus modus = Modus::Lesen);
    // Creates a new, empty tournament database with the schema (the file must not exist yet).
    void anlegen(const QString& pfad);
    void schliessen();

    bool istOffen() const { return m_db != nullptr; }
    QString pfad() const { return m_pfad; }
    // Opened as Modus::Unveraenderlich: no lock to take, no other writer to wait for.
    bool unveraenderlich() const { return m_unveraenderlich; }
    sqlite3* handle() const { return m_db; }

    // Runs native SQLite statements (separated by ";") without a result, for writers and set-up.
    // Throws DatabaseError.
    void ausfuehren(const QString& sql);

    // The prepared statements of the query objects on this connection. Emptied when the connection closes
    // or reopens (a statement belongs to its file).
    Anweisungscache& anweisungen() { return m_anweisungen; }
    // Capacity of the cache of connections made from now on; 0 prepares every statement anew from its
    // literal text (for comparisons and benchmarks).
    static void setzeStandardkapazitaet(std::size_t kapazitaet);
    static std::size_t standardkapazitaet();
    // All connections of the process together, from any thread.
    static Zaehler zaehler();
    static void zaehlen(bool wiederverwendet, qint64 nanosekunden);
    // Receives the Jet text of every statement a query object runs, on any connection, so that the checks of
    // the dialect bridge can run the program's statements both ways. Set it only while no other thread runs
    // statements; an empty function ends it.
    static void setzeBeobachter(std::function<void(const QString&)> beobachter);
    static void beobachten(const QString& jetText);

    // True when the file starts with the SQLite header, whatever its extension.
    static bool istSqliteDatei(const QString& pfad);
    // True for an Access (Jet/ACE) database file.
    static bool istAccessDatei(const QString& pfad);

private:
    void verbinden(const QString& pfad, int flags, bool unveraenderlich = false);
    void pruefeTabellen();

    sqlite3* m_db = nullptr;
    QString m_pfad;
    bool m_unveraenderlich = false;
    Anweisungscache m_anweisungen{standardkapazitaet()};
};

} // namespace quenda
