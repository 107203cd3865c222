#pragma once

#include "MdbQuelle.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace quenda::mdbimport {

// The SQLite snapshot being written under a temporary name beside the target; fertig() adds the schema's
// indexes, runs ANALYZE and renames it to the target. Unless finished, the destructor removes it.
// A table's integer key column (the schema's) becomes its INTEGER PRIMARY KEY, so that a look-up by key is one
// search, as long as the rows come with keys that are whole numbers in ascending order: then the row order
// is the file's either way. The first row that breaks this turns the table back into a plain one with the
// rows in file order and a separate index on the key.
// Throws Importfehler (zielFehler).
class Snapshotdatei {
public:
    explicit Snapshotdatei(const QString& ziel);
    ~Snapshotdatei();
    Snapshotdatei(const Snapshotdatei&) = delete;
    Snapshotdatei& operator=(const Snapshotdatei&) = delete;

    void tabelleAnlegen(const QString& name, const std::vector<Spalte>& spalten);
    void zeileEinfuegen(const std::vector<Zelle>& zellen);
    void fertig();

private:
    void ausfuehren(const QString& sql);
    void abschliessen();
    void einfuegenVorbereiten();
    void schluesselAufgeben();
    [[noreturn]] void fehler(const QString& was);

    QString m_ziel;
    QString m_temp;
    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_einfuegen = nullptr;
    QHash<QString, QStringList> m_spalten; // lower-case table name -> lower-case column names
    QSet<QString> m_mitSchluessel;         // lower-case names of the tables whose key is the rowid

    // The table being filled.
    QString m_tabelle;
    std::vector<Spalte> m_tabellenspalten;
    int m_schluessel = -1; // its key column while that is the rowid, else -1
    bool m_ersterSchluessel = true;
    qint64 m_letzterSchluessel = 0;
};

} // namespace quenda::mdbimport
