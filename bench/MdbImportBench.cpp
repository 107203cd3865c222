// Import time of Access files: the public sample nwind.mdb, a large generated tournament (also after a day
// of edits: deleted rows and rows moved behind pointers) and a synthetic file of many game rows, the last
// ones written with the project's Jet writer. Prints time, rows and rows per second, and
// the cost of the freshness check of an unchanged file (which every cycle pays instead of an import).
//
// quenda-bench-mdbimport [--rows N]   (N game rows in the synthetic file, default 300000)

#include "db/MdbImport.h"
#include "db/Snapshotverwaltung.h"
#include "demo/Generator.h"
#include "demo/JetAusSqlite.h"
#include "demo/JetSchreiber.h"
#include "demo/Simulator.h"
#include "demo/Zeit.h"
#include "util/QuendaError.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <sqlite3.h>

using namespace quenda;

namespace {

void zeile(const QString& text) {
    std::printf("%s\n", text.toUtf8().constData());
    std::fflush(stdout);
}

// Writes the tables with the Jet writer and says how long that took; false (with the reason) on failure.
bool schreiben(const QString& mdb, std::vector<demo::JetTabelle> tabellen) {
    try {
        QElapsedTimer uhr;
        uhr.start();
        demo::JetSchreiber schreiber;
        for (demo::JetTabelle& tabelle : tabellen) {
            schreiber.hinzufuegen(std::move(tabelle));
        }
        schreiber.schreiben(mdb);
        zeile(QStringLiteral("  (%1 geschrieben in %2 ms)").arg(QFileInfo(mdb).fileName()).arg(uhr.elapsed()));
        return true;
    } catch (const QuendaError& fehler) {
        zeile(QStringLiteral("Jet-Schreiber fehlgeschlagen: ") + fehler.message());
        return false;
    }
}

qint64 zeilenImSnapshot(const QString& pfad) {
    sqlite3* db = nullptr;
    qint64 summe = 0;
    if (sqlite3_open_v2(QFile::encodeName(pfad).constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* tabellen = nullptr;
        sqlite3_prepare_v2(db, "SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite_%'", -1,
                           &tabellen, nullptr);
        while (sqlite3_step(tabellen) == SQLITE_ROW) {
            const QByteArray sql = "SELECT count(*) FROM \"" +
                                   QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(tabellen, 0))) + '"';
            sqlite3_stmt* zaehlen = nullptr;
            sqlite3_prepare_v2(db, sql.constData(), -1, &zaehlen, nullptr);
            if (sqlite3_step(zaehlen) == SQLITE_ROW) {
                summe += sqlite3_column_int64(zaehlen, 0);
            }
            sqlite3_finalize(zaehlen);
        }
        sqlite3_finalize(tabellen);
    }
    sqlite3_close(db);
    return summe;
}

void messen(const QString& name, const QString& mdb, const QTemporaryDir& dir) {
    if (!QFile::exists(mdb)) {
        zeile(QStringLiteral("%1: nicht vorhanden (%2)").arg(name, mdb));
        return;
    }
    constexpr int laeufe = 3;
    qint64 besteMs = -1;
    QString ziel;
    for (int i = 0; i < laeufe; ++i) {
        ziel = dir.filePath(QStringLiteral("bench-%1.sqlite").arg(i));
        QElapsedTimer uhr;
        uhr.start();
        const Ergebnis<void> importiert = mdbImportieren(mdb, ziel, 600000);
        const qint64 ms = uhr.elapsed();
        if (!importiert.ok()) {
            zeile(QStringLiteral("%1: Import fehlgeschlagen: %2").arg(name, importiert.fehler()));
            return;
        }
        besteMs = besteMs < 0 ? ms : std::min(besteMs, ms);
    }
    const qint64 zeilen = zeilenImSnapshot(ziel);
    QElapsedTimer uhr;
    uhr.start();
    Dateisignatur::von(mdb);
    const qint64 pruefungMs = uhr.elapsed();
    zeile(QStringLiteral("%1: %2 MB, %3 Zeilen, Import %4 ms (bester von %5), %6 Zeilen/s, Frischeprüfung %7 ms")
              .arg(name)
              .arg(QFileInfo(mdb).size() / 1048576.0, 0, 'f', 1)
              .arg(zeilen)
              .arg(besteMs)
              .arg(laeufe)
              .arg(besteMs > 0 ? zeilen * 1000 / besteMs : 0)
              .arg(pruefungMs));
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    qint64 spielzeilen = 300000;
    const QStringList argumente = app.arguments();
    if (const qsizetype i = argumente.indexOf(QStringLiteral("--rows")); i > 0 && i + 1 < argumente.size()) {
        spielzeilen = argumente.at(i + 1).toLongLong();
    }
    if (qEnvironmentVariableIsEmpty("QUENDA_MDBIMPORT")) {
        qputenv("QUENDA_MDBIMPORT", QUENDA_MDBIMPORT_PROGRAMM);
    }
    QTemporaryDir dir;
    messen(QStringLiteral("nwind.mdb (Jet 3)"), QStringLiteral(QUENDA_SOURCE_DIR "/tests/data/mdb/nwind.mdb"), dir);
    const QString gross = dir.filePath(QStringLiteral("gross.sqlite"));
    const QString grossMdb = dir.filePath(QStringLiteral("gross.mdb"));
    demo::Generator({1, demo::Groesse::Gross, demo::standardJetzt()}).erzeugen(gross);
    if (schreiben(grossMdb, demo::jetTabellenAusSqlite(gross))) {
        messen(QStringLiteral("großes Demo-Turnier (Jet 4)"), grossMdb, dir);
    }
    // The same tournament after a day of play, written as the morning's state with the day's edits.
    const QString abends = dir.filePath(QStringLiteral("abends.sqlite"));
    QFile::copy(gross, abends);
    {
        demo::Simulator simulator(abends, {});
        for (int i = 0; i < 2000; ++i) {
            simulator.schritt();
        }
    }
    const QString abendsMdb = dir.filePath(QStringLiteral("abends.mdb"));
    if (schreiben(abendsMdb, demo::jetTabellenAusSqlite(abends, gross))) {
        messen(QStringLiteral("großes Demo-Turnier nach 2000 Änderungen (Jet 4)"), abendsMdb, dir);
    }
    // Game rows as the result table holds them: integers, set texts, a date-time.
    using demo::JetTyp;
    std::vector<demo::JetSpalte> spalten;
    for (const char* name : {"erg_id", "syf_id", "sp_id", "sp1", "sp2", "status", "sg", "sv"}) {
        spalten.push_back({QString::fromLatin1(name), JetTyp::LongInteger});
    }
    for (const char* name : {"s1", "s2", "s3", "s4", "s5", "s6", "s7"}) {
        spalten.push_back({QString::fromLatin1(name), JetTyp::Text});
    }
    spalten.push_back({QStringLiteral("gse"), JetTyp::LongInteger});
    spalten.push_back({QStringLiteral("spielzeit"), JetTyp::DatumZeit});
    demo::JetTabelle spiele{QStringLiteral("sb_ergebnisse"), spalten, {}, {}};
    const double beginn = 46365.375; // 9.12.2026 09:00
    const demo::JetWert null;
    for (qint64 i = 0; i < spielzeilen; ++i) {
        spiele.zeilen.push_back({i, i / 20, i % 50, qint64(1), qint64(2), qint64(4), qint64(3), qint64(1),
                                 QStringLiteral("7"), QStringLiteral("-9"), QStringLiteral("11"), QStringLiteral("5"),
                                 null, null, null, qint64(3), beginn + static_cast<double>(i % 600) / 1440.0});
    }
    const QString viele = dir.filePath(QStringLiteral("viele.mdb"));
    if (schreiben(viele, {spiele})) {
        messen(QStringLiteral("%1 Spielzeilen (Jet 4)").arg(spielzeilen), viele, dir);
    }
    return 0;
}
