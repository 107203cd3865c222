#pragma once

#include "MdbQuelle.h"

#include <QHash>
#include <QString>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace quenda::mdbimport {

// The SQLite snapshot being written under a temporary name beside the target; fertig() adds the schema's
// indexes, runs ANALYZE and renames it to the target. Unless finished, the destructor removes it.
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
    [[noreturn]] void fehler(const QString& was);

    QString m_ziel;
    QString m_temp;
    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_einfuegen = nullptr;
    QHash<QString, QStringList> m_spalten; // lower-case table name -> lower-case column names
};

} // namespace quenda::mdbimport
