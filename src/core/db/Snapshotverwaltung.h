#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QLockFile>
#include <QMutex>
#include <QString>
#include <atomic>
#include <map>
#include <memory>

class QThread;

namespace quenda {

// What tells whether a file's content may have changed: size, modification time and a hash of the whole
// content (a time stamp alone can miss a change made within its resolution or with a reset time).
struct Dateisignatur {
    qint64 groesse = -1;
    QDateTime geaendert;
    QByteArray pruefsumme;

    // Empty pruefsumme when the file cannot be read.
    static Dateisignatur von(const QString& pfad);
    bool operator==(const Dateisignatur&) const = default;
};

// One SQLite snapshot file of an Access source. The file is removed when the last holder lets go, so
// superseded snapshots never accumulate while a connection may still read an older one.
class Snapshot {
public:
    explicit Snapshot(QString pfad) : m_pfad(std::move(pfad)) {}
    ~Snapshot();
    Snapshot(const Snapshot&) = delete;
    Snapshot& operator=(const Snapshot&) = delete;
    QString pfad() const { return m_pfad; }

private:
    QString m_pfad;
};

// Access sources are read through SQLite snapshots made by the importer child process. One instance per
// process, used from the UI thread, the cycle thread and its own background refresh; thread-safe.
// Snapshots live in a folder of this process below the user's cache folder (outside every tournament
// folder); folders left by ended processes are removed at the first use.
class Snapshotverwaltung {
public:
    // The snapshot to read, and why it is an older one.
    struct Stand {
        std::shared_ptr<const Snapshot> snapshot;
        QString hinweis; // an import failed and this older snapshot stays in use; empty otherwise
    };

    static Snapshotverwaltung& instanz();
    ~Snapshotverwaltung();

    // A snapshot at least as new as the source's content now: imports when the content may have changed
    // (read again when it changed during the import). Waits for an import of another thread.
    // Throws DatabaseError when the import fails and there is no earlier snapshot.
    Stand aktuell(const QString& quelle);
    // The newest snapshot without waiting for an import, which then runs in the background; imports at
    // once only when there is none yet. For the UI thread.
    Stand vorhanden(const QString& quelle);
    // The newest snapshot (null when none); asks for a background refresh when the last check is older
    // than the refresh interval.
    std::shared_ptr<const Snapshot> neuester(const QString& quelle);

    // Imports run so far (a changed file imports, an unchanged one does not).
    int importe() const { return m_importe.load(); }

    // Settings for tests and special set-ups; the folder must be set before the first use.
    void setzeOrdner(const QString& basis);
    void setzeZeitlimit(int ms) { m_zeitlimitMs.store(ms); }
    void setzeAuffrischabstand(int ms) { m_auffrischMs.store(ms); }
    // Ends the background refresh and drops every snapshot of the process (at exit; tests).
    void beenden();

private:
    struct Eintrag;

    Snapshotverwaltung() = default;
    Eintrag& eintrag(const QString& quelle);
    QString neuerPfad();
    void hintergrund(const QString& quelle, Eintrag& e);
    void aufraeumen();

    mutable QMutex m_mutex; // guards the map, the entries' snapshot/signature/time and the folder
    std::map<QString, std::unique_ptr<Eintrag>> m_eintraege;
    QString m_basis;
    QString m_ordner; // this process's folder below m_basis, created at the first import
    std::unique_ptr<QLockFile> m_sperre;
    quint64 m_zaehler = 0;
    std::atomic<int> m_importe{0};
    std::atomic<int> m_zeitlimitMs{60000};
    std::atomic<int> m_auffrischMs{5000};
    std::atomic<bool> m_ende{false};
};

} // namespace quenda
