// TDM — the query objects of one thread on that thread's own database connection
#pragma once

#include "db/Abfrage.h"
#include "db/Verbindung.h"

#include <QString>
#include <memory>

namespace quenda {

class Snapshot;

// The query objects of one thread, on that thread's own connection. The UI thread and the cycle thread
// each have a TDM; nested reads use different query objects (walking QAuslosung while SQLAbfrage2 runs).
class TDM {
public:
    TDM();
    TDM(const TDM&) = delete;
    TDM& operator=(const TDM&) = delete;

    // How current an Access source must be when it is opened.
    enum class Frische {
        Aktuell,   // as the file is now: imports when it may have changed (transfer cycle, connection step)
        Vorhanden, // the newest snapshot at once, following newer ones from statement to statement (UI)
    };

    // Opens the tournament database read-only: a SQLite file directly, any other file through a snapshot
    // of the Access importer. Throws DatabaseError (also when an import fails and no snapshot exists).
    void oeffnen(const QString& pfad, Frische frische);
    // As above; on the application's main thread with Frische::Vorhanden once a snapshot exists, so that
    // UI look-ups never wait for an import; on any other thread with Frische::Aktuell.
    void oeffnen(const QString& pfad);
    void schliessen();
    // Set when an import failed and an older snapshot was opened instead; empty otherwise.
    QString importHinweis() const { return m_importHinweis; }
    bool istOffen() const { return ADOConnectionTURDB.istOffen(); }

    // Replace the statement of their query and run it; mode 0 runs it without keeping a result.
    void SQLAbfrage1(const QString& sql, int modus = 1);
    void SQLAbfrage2(const QString& sql, int modus = 1);
    void SQLAbfrage3(const QString& sql, int modus = 1);

    Verbindung ADOConnectionTURDB;
    Abfrage QuerySQL1;
    Abfrage QuerySQL2;
    Abfrage QuerySQL3;
    Abfrage QAuslosung;
    Abfrage QSpieldaten;

private:
    void abfrage(Abfrage& query, const QString& sql, int modus);
    void snapshotOeffnen(const QString& pfad, Frische frische);
    void neuerenSnapshotNehmen();

    QString m_quelle;                           // the Access file when reading through a snapshot
    std::shared_ptr<const Snapshot> m_snapshot; // keeps the open snapshot file from being removed
    bool m_folgen = false;
    QString m_importHinweis;
};

} // namespace quenda
