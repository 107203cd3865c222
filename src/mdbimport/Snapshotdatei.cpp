#include "Snapshotdatei.h"

#include "Importfehler.h"
#include "db/JetDialekt.h"
#include "db/MdbImport.h"
#include "db/Schema.h"

#include <QFile>
#include <QSet>
#include <sqlite3.h>

namespace quenda::mdbimport {

namespace {

QString name(const QString& bezeichner) {
    return u'"' + QString(bezeichner).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

QString typText(Art art) {
    switch (art) {
    case Art::Ganzzahl:
        return schema::typText(schema::Typ::Ganzzahl);
    case Art::Zahl:
        return schema::typText(schema::Typ::Zahl);
    case Art::Text:
        return schema::typText(schema::Typ::Text);
    case Art::DatumZeit:
        return schema::typText(schema::Typ::DatumZeit);
    case Art::Binaer:
        return QStringLiteral("BLOB");
    }
    return {};
}

} // namespace

Snapshotdatei::Snapshotdatei(const QString& ziel)
    : m_ziel(ziel), m_temp(ziel + QString::fromLatin1(mdbImportTeilEndung)) {
    QFile::remove(m_temp);
    if (sqlite3_open_v2(QFile::encodeName(m_temp).constData(), &m_db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK) {
        fehler(QStringLiteral("anlegen"));
    }
    // The collation must exist for CREATE TABLE; readers register the same one.
    if (jet::registrieren(m_db) != SQLITE_OK) {
        fehler(QStringLiteral("vorbereiten"));
    }
    // A half-written snapshot is never used (it only gets its name when complete): no journal needed.
    ausfuehren(QStringLiteral("PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; BEGIN"));
}

Snapshotdatei::~Snapshotdatei() {
    abschliessen();
    if (!m_temp.isEmpty()) {
        QFile::remove(m_temp);
    }
}

void Snapshotdatei::abschliessen() {
    sqlite3_finalize(m_einfuegen);
    m_einfuegen = nullptr;
    if (m_db) {
        sqlite3_close(m_db);
        m_db = nullptr;
    }
}

void Snapshotdatei::fehler(const QString& was) {
    const QString meldung = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QStringLiteral("kein Speicher");
    throw Importfehler(
        zielFehler,
        QStringLiteral("Der Schnappschuss %1 kann nicht geschrieben werden (%2: %3).").arg(m_ziel, was, meldung));
}

void Snapshotdatei::ausfuehren(const QString& sql) {
    if (sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK) {
        fehler(sql.left(80));
    }
}

void Snapshotdatei::tabelleAnlegen(const QString& tabelle, const std::vector<Spalte>& spalten) {
    sqlite3_finalize(m_einfuegen);
    m_einfuegen = nullptr;
    m_tabelle = tabelle;
    m_tabellenspalten = spalten;
    m_schluessel = -1;
    m_ersterSchluessel = true;
    for (const schema::Tabelle& t : schema::tabellen()) {
        if (t.schluessel.isEmpty() || t.name.compare(tabelle, Qt::CaseInsensitive) != 0) {
            continue;
        }
        for (size_t i = 0; i < spalten.size(); ++i) {
            if (spalten[i].art == Art::Ganzzahl && spalten[i].name.compare(t.schluessel, Qt::CaseInsensitive) == 0) {
                m_schluessel = static_cast<int>(i);
                break;
            }
        }
    }
    QStringList definitionen, namen;
    for (size_t i = 0; i < spalten.size(); ++i) {
        const Spalte& s = spalten[i];
        definitionen.append(name(s.name) + u' ' + typText(s.art) +
                            (static_cast<int>(i) == m_schluessel ? QStringLiteral(" PRIMARY KEY") : QString()));
        namen.append(s.name.toLower());
    }
    m_spalten.insert(tabelle.toLower(), namen);
    if (m_schluessel >= 0) {
        m_mitSchluessel.insert(tabelle.toLower());
    }
    ausfuehren(QStringLiteral("CREATE TABLE %1 (%2)").arg(name(tabelle), definitionen.join(QStringLiteral(", "))));
    einfuegenVorbereiten();
}

void Snapshotdatei::einfuegenVorbereiten() {
    if (m_tabellenspalten.empty()) {
        return;
    }
    QStringList platzhalter;
    for (size_t i = 0; i < m_tabellenspalten.size(); ++i) {
        platzhalter.append(QStringLiteral("?"));
    }
    const QByteArray sql = QStringLiteral("INSERT INTO %1 VALUES (%2)")
                               .arg(name(m_tabelle), platzhalter.join(QStringLiteral(", ")))
                               .toUtf8();
    if (sqlite3_prepare_v2(m_db, sql.constData(), -1, &m_einfuegen, nullptr) != SQLITE_OK) {
        fehler(QStringLiteral("INSERT"));
    }
}

void Snapshotdatei::schluesselAufgeben() {
    sqlite3_finalize(m_einfuegen);
    m_einfuegen = nullptr;
    // The rows so far came in ascending key order, which is their rowid order: copied in it, they keep the
    // file's order, and the rows still to come follow them. A name with a dot is no Jet table's.
    const QString umbau = name(QStringLiteral("quenda.umbau"));
    QStringList definitionen;
    for (const Spalte& s : m_tabellenspalten) {
        definitionen.append(name(s.name) + u' ' + typText(s.art));
    }
    ausfuehren(QStringLiteral("CREATE TABLE %1 (%2)").arg(umbau, definitionen.join(QStringLiteral(", "))));
    ausfuehren(QStringLiteral("INSERT INTO %1 SELECT * FROM %2 ORDER BY rowid").arg(umbau, name(m_tabelle)));
    ausfuehren(QStringLiteral("DROP TABLE %1").arg(name(m_tabelle)));
    ausfuehren(QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(umbau, name(m_tabelle)));
    m_mitSchluessel.remove(m_tabelle.toLower());
    m_schluessel = -1;
    einfuegenVorbereiten();
}

void Snapshotdatei::zeileEinfuegen(const std::vector<Zelle>& zellen) {
    if (m_schluessel >= 0) {
        const auto nr = static_cast<size_t>(m_schluessel);
        // A NULL would get a rowid made up by SQLite, a repeated key would fail, a smaller one would move.
        if (nr >= zellen.size() || zellen[nr].wert != Zelle::Wert::Ganzzahl ||
            (!m_ersterSchluessel && zellen[nr].ganzzahl <= m_letzterSchluessel)) {
            schluesselAufgeben();
        } else {
            m_ersterSchluessel = false;
            m_letzterSchluessel = zellen[nr].ganzzahl;
        }
    }
    for (size_t i = 0; i < zellen.size(); ++i) {
        const Zelle& z = zellen[i];
        const int nr = static_cast<int>(i) + 1;
        switch (z.wert) {
        case Zelle::Wert::Null:
            sqlite3_bind_null(m_einfuegen, nr);
            break;
        case Zelle::Wert::Ganzzahl:
            sqlite3_bind_int64(m_einfuegen, nr, z.ganzzahl);
            break;
        case Zelle::Wert::Zahl:
            sqlite3_bind_double(m_einfuegen, nr, z.zahl);
            break;
        case Zelle::Wert::Text:
            sqlite3_bind_text(m_einfuegen, nr, z.bytes.constData(), static_cast<int>(z.bytes.size()), SQLITE_STATIC);
            break;
        case Zelle::Wert::Binaer:
            sqlite3_bind_blob(m_einfuegen, nr, z.bytes.constData(), static_cast<int>(z.bytes.size()), SQLITE_STATIC);
            break;
        }
    }
    if (sqlite3_step(m_einfuegen) != SQLITE_DONE) {
        fehler(QStringLiteral("INSERT"));
    }
    sqlite3_reset(m_einfuegen);
}

void Snapshotdatei::fertig() {
    sqlite3_finalize(m_einfuegen);
    m_einfuegen = nullptr;
    // The key columns that are no rowid (primary keys in the schema's own DDL) and the join columns, where the
    // file has them.
    std::vector<schema::Index> indizes;
    for (const schema::Tabelle& t : schema::tabellen()) {
        if (!t.schluessel.isEmpty() && !m_mitSchluessel.contains(t.name.toLower())) {
            indizes.push_back({t.name, {t.schluessel}});
        }
    }
    indizes.insert(indizes.end(), schema::indizes().begin(), schema::indizes().end());
    QSet<QString> angelegt;
    for (const schema::Index& index : indizes) {
        const QString indexName = QStringLiteral("ix_%1_%2").arg(index.tabelle, index.spalten.join(u'_')).toLower();
        const auto spalten = m_spalten.constFind(index.tabelle.toLower());
        if (spalten == m_spalten.cend()) {
            continue;
        }
        bool vollstaendig = true;
        for (const QString& spalte : index.spalten) {
            vollstaendig = vollstaendig && spalten->contains(spalte.toLower());
        }
        if (vollstaendig && !angelegt.contains(indexName)) {
            angelegt.insert(indexName);
            ausfuehren(QStringLiteral("CREATE INDEX %1 ON %2 (%3)")
                           .arg(name(indexName), name(index.tabelle), index.spalten.join(QStringLiteral(", "))));
        }
    }
    ausfuehren(QStringLiteral("COMMIT; ANALYZE"));
    abschliessen();
    QFile::remove(m_ziel);
    if (!QFile::rename(m_temp, m_ziel)) {
        throw Importfehler(zielFehler, QStringLiteral("Der Schnappschuss %1 kann nicht umbenannt werden.").arg(m_ziel));
    }
    m_temp.clear();
}

} // namespace quenda::mdbimport
