#include "db/Verbindung.h"

#include "db/JetDialekt.h"
#include "db/Schema.h"
#include "util/QuendaError.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QUrl>
#include <atomic>
#include <sqlite3.h>

namespace quenda {

namespace {

// How long a read waits for a writer (the tournament-management program) to finish its transaction.
constexpr int wartezeitMs = 5000;

// Enough for every statement kind of a cycle (about 30) with room for the UI's look-ups.
std::atomic<std::size_t> standardKapazitaet{64};
std::atomic<qint64> anzahlVorbereitet{0};
std::atomic<qint64> anzahlWiederverwendet{0};
std::atomic<qint64> summeNs{0};
std::function<void(const QString&)>& beobachter() {
    static std::function<void(const QString&)> funktion;
    return funktion;
}

QString sqliteMeldung(sqlite3* db) {
    return db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory");
}

} // namespace

Verbindung::~Verbindung() {
    schliessen();
}

void Verbindung::setzeStandardkapazitaet(std::size_t kapazitaet) {
    standardKapazitaet.store(kapazitaet);
}

std::size_t Verbindung::standardkapazitaet() {
    return standardKapazitaet.load();
}

Verbindung::Zaehler Verbindung::zaehler() {
    return {anzahlVorbereitet.load(std::memory_order_relaxed), anzahlWiederverwendet.load(std::memory_order_relaxed),
            summeNs.load(std::memory_order_relaxed)};
}

void Verbindung::setzeBeobachter(std::function<void(const QString&)> funktion) {
    beobachter() = std::move(funktion);
}

void Verbindung::beobachten(const QString& jetText) {
    if (const auto& funktion = beobachter()) {
        funktion(jetText);
    }
}

void Verbindung::zaehlen(bool wiederverwendet, qint64 nanosekunden) {
    (wiederverwendet ? anzahlWiederverwendet : anzahlVorbereitet).fetch_add(1, std::memory_order_relaxed);
    summeNs.fetch_add(nanosekunden, std::memory_order_relaxed);
}

bool Verbindung::istSqliteDatei(const QString& pfad) {
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly)) {
        return false;
    }
    return datei.read(16) == QByteArray("SQLite format 3\0", 16);
}

bool Verbindung::istAccessDatei(const QString& pfad) {
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray kopf = datei.read(20);
    return kopf.mid(4, 15) == "Standard Jet DB" || kopf.mid(4, 15) == "Standard ACE DB";
}

void Verbindung::oeffnen(const QString& pfad, Modus modus) {
    schliessen();
    if (!QFileInfo(pfad).isFile()) {
        throw DatabaseError(QStringLiteral("Die Datenbank %1 wurde nicht gefunden.").arg(pfad));
    }
    if (!istSqliteDatei(pfad)) {
        if (istAccessDatei(pfad)) {
            // TDM reads Access files through snapshots of the importer; a bare connection cannot.
            throw DatabaseError(
                QStringLiteral("Die Access-Datenbank %1 kann nur über einen Schnappschuss gelesen werden.").arg(pfad));
        }
        throw DatabaseError(QStringLiteral("Die Datei %1 ist keine lesbare Turnier-Datenbank.").arg(pfad));
    }
    verbinden(pfad, modus == Modus::Schreiben ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY,
              modus == Modus::Unveraenderlich);
    pruefeTabellen();
}

void Verbindung::bibliothekEinrichten() {
    sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0); // SQLITE_MISUSE once started: then it stays as it is
}

void Verbindung::anlegen(const QString& pfad) {
    schliessen();
    if (QFileInfo::exists(pfad)) {
        throw DatabaseError(QStringLiteral("Die Datei %1 gibt es schon.").arg(pfad));
    }
    verbinden(pfad, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    ausfuehren(QStringLiteral("BEGIN"));
    for (const QString& statement : schema::ddl()) {
        ausfuehren(statement);
    }
    ausfuehren(QStringLiteral("COMMIT"));
}

void Verbindung::verbinden(const QString& pfad, int flags, bool unveraenderlich) {
    sqlite3* db = nullptr;
    const QByteArray name = unveraenderlich
                                ? QUrl::fromLocalFile(QFileInfo(pfad).absoluteFilePath()).toEncoded() + "?immutable=1"
                                : QFile::encodeName(pfad);
    const int rc = sqlite3_open_v2(name.constData(), &db,
                                   flags | SQLITE_OPEN_NOMUTEX | (unveraenderlich ? SQLITE_OPEN_URI : 0), nullptr);
    if (rc != SQLITE_OK) {
        const QString meldung = sqliteMeldung(db);
        sqlite3_close(db);
        throw DatabaseError(QStringLiteral("Die Datenbank %1 kann nicht geöffnet werden: %2").arg(pfad, meldung));
    }
    if (jet::registrieren(db) != SQLITE_OK) {
        const QString meldung = sqliteMeldung(db);
        sqlite3_close(db);
        throw DatabaseError(QStringLiteral("Die Datenbank %1 kann nicht vorbereitet werden: %2").arg(pfad, meldung));
    }
    sqlite3_busy_timeout(db, wartezeitMs);
    m_db = db;
    m_pfad = pfad;
    m_unveraenderlich = unveraenderlich;
}

void Verbindung::pruefeTabellen() {
    QSet<QString> vorhanden;
    sqlite3_stmt* stmt = nullptr;
    int rc =
        sqlite3_prepare_v2(m_db, "SELECT name FROM sqlite_master WHERE type IN ('table','view')", -1, &stmt, nullptr);
    while (rc == SQLITE_OK && (rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        vorhanden.insert(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0))).toLower());
        rc = SQLITE_OK;
    }
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE) {
        const QString meldung = sqliteMeldung(m_db);
        const QString pfad = m_pfad;
        schliessen();
        throw DatabaseError(QStringLiteral("Die Datei %1 ist keine lesbare Turnier-Datenbank: %2").arg(pfad, meldung));
    }
    QStringList fehlend;
    for (const schema::Tabelle& tabelle : schema::tabellen()) {
        if (!vorhanden.contains(tabelle.name.toLower())) {
            fehlend.append(tabelle.name);
        }
    }
    if (!fehlend.isEmpty()) {
        const QString pfad = m_pfad;
        schliessen();
        throw DatabaseError(QStringLiteral("Die Datei %1 ist keine Turnier-Datenbank, es fehlen die Tabellen: %2")
                                .arg(pfad, fehlend.join(QStringLiteral(", "))));
    }
}

void Verbindung::schliessen() {
    m_anweisungen.leeren(); // every statement must be finalized before its connection closes
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
    m_pfad.clear();
    m_unveraenderlich = false;
}

void Verbindung::ausfuehren(const QString& sql) {
    char* fehler = nullptr;
    const int rc = sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &fehler);
    if (rc != SQLITE_OK) {
        const QString meldung = fehler ? QString::fromUtf8(fehler) : sqliteMeldung(m_db);
        sqlite3_free(fehler);
        throw DatabaseError(meldung + QStringLiteral(" — Statement: ") + sql);
    }
}

} // namespace quenda
