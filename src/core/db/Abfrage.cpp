#include "db/Abfrage.h"

#include "db/JetDialekt.h"
#include "db/Verbindung.h"
#include "util/QuendaError.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QScopeGuard>
#include <sqlite3.h>

namespace quenda {

namespace {

// SQLite names repeated columns of nested joins "sp_id:1"; the statements know them by their plain name.
QString ohneZaehler(const QString& name) {
    if (!name.contains(u':')) {
        return name;
    }
    static const QRegularExpression zaehler(QStringLiteral(":\\d+$"));
    QString ergebnis = name;
    ergebnis.remove(zaehler);
    return ergebnis;
}

QVariant spaltenWert(sqlite3_stmt* stmt, int i) {
    switch (sqlite3_column_type(stmt, i)) {
    case SQLITE_INTEGER:
        return QVariant(static_cast<qlonglong>(sqlite3_column_int64(stmt, i)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(stmt, i));
    case SQLITE_NULL:
        return QVariant();
    case SQLITE_BLOB: {
        const auto* daten = static_cast<const char*>(sqlite3_column_blob(stmt, i));
        return QVariant(QByteArray(daten, sqlite3_column_bytes(stmt, i)));
    }
    default: {
        const auto* daten = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
        return QVariant(QString::fromUtf8(daten, sqlite3_column_bytes(stmt, i)));
    }
    }
}

} // namespace

Abfrage::Abfrage(Verbindung& verbindung) : m_verbindung(verbindung) {}

void Abfrage::setzeText(const QString& jetText) {
    schliessen();
    m_text = jetText;
}

void Abfrage::schliessen() {
    m_offen = false;
    m_spalten.clear();
    m_datumZeit.clear();
    m_index.clear();
    m_werte.clear();
    m_zeilen = 0;
    m_position = 0;
}

void Abfrage::oeffnen() {
    ausfuehrenIntern(true);
}

void Abfrage::ausfuehren() {
    ausfuehrenIntern(false);
}

void Abfrage::ausfuehrenIntern(bool ergebnisBehalten) {
    schliessen();
    sqlite3* db = m_verbindung.handle();
    const auto fehler = [&](const char* meldung) {
        return DatabaseError(QString::fromUtf8(meldung) + QStringLiteral(" — Statement: ") + m_text);
    };
    if (!db) {
        throw fehler("Keine Verbindung zur Datenbank.");
    }
    Verbindung::beobachten(m_text);
    QElapsedTimer uhr;
    uhr.start();
    Anweisungscache& cache = m_verbindung.anweisungen();
    // Without a cache the statement runs as written, with its literals, as before there was one.
    const jet::Parametrisiert anweisung =
        cache.kapazitaet() > 0 ? jet::zahlenAlsParameter(m_text) : jet::Parametrisiert{m_text, {}};
    sqlite3_stmt* stmt = cache.nehmen(anweisung.text);
    const bool wiederverwendet = stmt != nullptr;
    if (!stmt) {
        const QByteArray sql = jet::nachSqlite(anweisung.text).toUtf8();
        const unsigned flags = cache.kapazitaet() > 0 ? SQLITE_PREPARE_PERSISTENT : 0;
        if (sqlite3_prepare_v3(db, sql.constData(), static_cast<int>(sql.size()), flags, &stmt, nullptr) != SQLITE_OK) {
            const DatabaseError e = fehler(sqlite3_errmsg(db));
            sqlite3_finalize(stmt);
            throw e;
        }
    }
    // Back into the cache, reset, however this run ends.
    const auto zuruecklegen = qScopeGuard([&] {
        cache.zuruecklegen(anweisung.text, stmt);
        Verbindung::zaehlen(wiederverwendet, uhr.nsecsElapsed());
    });
    for (std::size_t i = 0; i < anweisung.werte.size(); ++i) {
        if (sqlite3_bind_int64(stmt, static_cast<int>(i + 1), anweisung.werte[i]) != SQLITE_OK) {
            throw fehler(sqlite3_errmsg(db));
        }
    }
    const int spalten = sqlite3_column_count(stmt);
    for (int i = 0; ergebnisBehalten && i < spalten; ++i) {
        const QString name = ohneZaehler(QString::fromUtf8(sqlite3_column_name(stmt, i)));
        const char* typ = sqlite3_column_decltype(stmt, i);
        m_spalten.append(name);
        m_datumZeit.push_back(typ && qstricmp(typ, "DATETIME") == 0);
        const QString schluessel = name.toLower();
        if (!m_index.contains(schluessel)) {
            m_index.insert(schluessel, i);
        }
    }
    int rc;
    int zeilen = 0;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        if (!ergebnisBehalten) {
            continue;
        }
        for (int i = 0; i < spalten; ++i) {
            m_werte.push_back(spaltenWert(stmt, i));
        }
        ++zeilen;
    }
    if (rc != SQLITE_DONE) {
        const DatabaseError e = fehler(sqlite3_errmsg(db));
        schliessen();
        throw e;
    }
    m_zeilen = zeilen;
    m_position = 0;
    m_offen = ergebnisBehalten;
}

void Abfrage::next() {
    if (m_position < m_zeilen) {
        ++m_position;
    }
}

int Abfrage::spaltenIndex(const QString& name) const {
    return m_index.value(name.toLower(), -1);
}

Wert Abfrage::feldNr(int spalte) const {
    if (spalte < 0 || spalte >= m_spalten.size() || m_position >= m_zeilen) {
        throw DatabaseError(QStringLiteral("Die Spalte %1 kann nicht gelesen werden. — Statement: %2")
                                .arg(QString::number(spalte), m_text));
    }
    const qsizetype spalten = m_spalten.size();
    return Wert(m_werte[static_cast<size_t>(m_position * spalten + spalte)], m_spalten[spalte],
                m_datumZeit[static_cast<size_t>(spalte)]);
}

Wert Abfrage::feld(const QString& name) const {
    const int i = spaltenIndex(name);
    if (i < 0) {
        throw DatabaseError(
            QStringLiteral("Die Spalte '%1' gibt es im Ergebnis nicht. — Statement: %2").arg(name, m_text));
    }
    if (m_position >= m_zeilen) {
        throw DatabaseError(
            QStringLiteral("Die Spalte '%1' kann nicht gelesen werden: keine aktuelle Zeile. — Statement: %2")
                .arg(name, m_text));
    }
    const qsizetype spalten = m_spalten.size();
    return Wert(m_werte[static_cast<size_t>(m_position * spalten + i)], m_spalten[i],
                m_datumZeit[static_cast<size_t>(i)]);
}

} // namespace quenda
