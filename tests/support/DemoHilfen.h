#pragma once

#include "demo/Generator.h"
#include "demo/Sql.h"
#include "support/Dateien.h"

#include "db/Verbindung.h"

#include <QFile>
#include <QTemporaryDir>
#include <memory>

namespace quenda::demo::test {

using quenda::test::lesen;

inline QString erzeugen(const QTemporaryDir& ordner, const QString& name, Groesse groesse, quint64 seed,
                        const QDateTime& jetzt = standardJetzt()) {
    const QString pfad = ordner.filePath(name);
    Generator({seed, groesse, jetzt}).erzeugen(pfad);
    return pfad;
}

// A connection of its own with the statement helper, read-only unless asked otherwise.
class Datenbank {
public:
    explicit Datenbank(const QString& pfad, Verbindung::Modus modus = Verbindung::Modus::Lesen) {
        m_verbindung.oeffnen(pfad, modus);
        m_sql = std::make_unique<Sql>(m_verbindung.handle());
    }

    Sql& sql() { return *m_sql; }
    sqlite3* handle() const { return m_verbindung.handle(); }
    // The first column of the first row as text ("" for NULL or no row).
    QString text(const QByteArray& sql) {
        const auto zeilen = m_sql->abfragen(sql.constData());
        return zeilen.empty() ? QString() : demo::text(zeilen.front().front());
    }

private:
    Verbindung m_verbindung;
    std::unique_ptr<Sql> m_sql; // destroyed before the connection closes
};

} // namespace quenda::demo::test
