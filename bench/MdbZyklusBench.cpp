// The real route of an Access user, end to end: a generated tournament written as .mdb by the project's Jet
// writer, the live simulator changing the tournament between cycles (the file written again as the morning's
// state with the day's edits, replaced atomically as the tournament desk leaves it), and the transfer cycle on
// the .mdb file: each cycle checks the file, imports it when it changed (child process quenda-mdbimport),
// runs the detection pass and every exporter and delivers to two directory targets. Prints per cycle the
// import (or the unchanged-file check), the detection pass and the whole cycle, the import's rows per second
// and its share of the cycle.
//
// quenda-bench-mdbzyklus [--size small|medium|large] [--steady N] [--change PERCENT]

#include "BenchUmfeld.h"
#include "db/Snapshotverwaltung.h"
#include "demo/Generator.h"
#include "demo/JetAusSqlite.h"
#include "demo/JetSchreiber.h"
#include "demo/Simulator.h"

#include <QCoreApplication>

using namespace quenda;
using namespace quenda::bench;

namespace {

// Writes the tournament at sqlite (with seit: the morning's file with the day's edits) as the Access file
// mdb; returns the time in ms.
double mdbSchreiben(const QString& sqlite, const QString& mdb, const QString& seit = {}) {
    QElapsedTimer uhr;
    uhr.start();
    demo::JetSchreiber schreiber;
    for (demo::JetTabelle& tabelle : demo::jetTabellenAusSqlite(sqlite, seit)) {
        schreiber.hinzufuegen(std::move(tabelle));
    }
    schreiber.schreiben(mdb);
    return static_cast<double>(uhr.nsecsElapsed()) / 1e6;
}

qint64 zeilen(const QString& pfad) {
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

qint64 spieleIn(const QString& pfad) {
    sqlite3* db = nullptr;
    qint64 anzahl = 0;
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(pfad).constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK &&
        sqlite3_prepare_v2(db, "SELECT count(*) FROM sb_ergebnisse", -1, &stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW) {
        anzahl = sqlite3_column_int64(stmt, 0);
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return anzahl;
}

QString ms(double wert) {
    return QString::number(wert, 'f', wert < 10 ? 1 : 0);
}

} // namespace

int main(int argc, char** argv) {
    quenda::Verbindung::bibliothekEinrichten(); // as the program does, before the trace starts SQLite
    QCoreApplication app(argc, argv);
    const QStringList argumente = app.arguments();
    const auto option = [&argumente](const char* name, const QString& vorgabe) {
        const qsizetype i = argumente.indexOf(QString::fromLatin1(name));
        return i > 0 && i + 1 < argumente.size() ? argumente.at(i + 1) : vorgabe;
    };
    const auto groesse = demo::groesseLesen(option("--size", QStringLiteral("large")));
    const int stetig = std::max(1, option("--steady", QStringLiteral("5")).toInt());
    const double prozent = option("--change", QStringLiteral("2")).toDouble();
    if (!groesse) {
        std::fprintf(stderr, "Aufruf: quenda-bench-mdbzyklus [--size small|medium|large] [--steady N] "
                             "[--change PERCENT]\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QUENDA_MDBIMPORT")) {
        qputenv("QUENDA_MDBIMPORT", QUENDA_MDBIMPORT_PROGRAMM);
    }
    beobachten();
    try {
        QTemporaryDir quellen;
        Snapshotverwaltung::instanz().setzeOrdner(quellen.filePath(QStringLiteral("snapshots")));
        const QString morgens = quellen.filePath(QStringLiteral("morgens.sqlite"));
        const QString stand = quellen.filePath(QStringLiteral("stand.sqlite"));
        const QString mdb = quellen.filePath(QStringLiteral("turnier.mdb"));
        demo::Generator({1, *groesse, demo::standardJetzt()}).erzeugen(morgens);
        QFile::copy(morgens, stand);
        const double erstesSchreiben = mdbSchreiben(morgens, mdb);
        const qint64 spiele = zeilen(stand);
        Umfeld u(mdb, QStringLiteral("turnier.mdb"));
        const auto importe = [] { return Snapshotverwaltung::instanz().importe(); };

        zeile(QStringLiteral("== %1 als Access-Datei: %2 MB, %3 Zeilen (geschrieben in %4 ms)")
                  .arg(demo::groesseText(*groesse))
                  .arg(QFileInfo(mdb).size() / 1048576.0, 0, 'f', 1)
                  .arg(spiele)
                  .arg(ms(erstesSchreiben)));
        const qint64 ergebnisse = spieleIn(stand);
        const auto ausgeben = [&](const QString& was, const Messung& m, bool importiert, qint64 zeilenJetzt) {
            const double rest = m.zyklusMs - m.oeffnenMs;
            zeile(QStringLiteral("  %1: %2 %3 ms (%4 %), Ermittlung %5 ms, Zyklus ohne Import %6 ms, zusammen %7 ms, "
                                 "%8 zugestellt, %9 unverändert, Abfragen %10 ms (SQLite %11 ms, %12 % Treffer)%13")
                      .arg(was, importiert ? QStringLiteral("Import") : QStringLiteral("Prüfung"), ms(m.oeffnenMs))
                      .arg(m.zyklusMs > 0 ? 100.0 * m.oeffnenMs / m.zyklusMs : 0, 0, 'f', 0)
                      .arg(ms(m.ermittlungMs), ms(rest), ms(m.zyklusMs))
                      .arg(m.zustellungen)
                      .arg(m.unveraendert)
                      .arg(ms(m.abfragenMs), ms(m.sqlMs))
                      .arg(m.trefferquote(), 0, 'f', 1)
                      .arg(importiert ? QStringLiteral(", %1 Zeilen/s")
                                            .arg(static_cast<qint64>(zeilenJetzt * 1000.0 / std::max(1.0, m.oeffnenMs)))
                                      : QString()));
        };

        int vorher = importe();
        const Messung erster = u.zyklus();
        ausgeben(QStringLiteral("erster Zyklus (nichts fällig)"), erster, importe() > vorher, spiele);
        u.uhr.vorstellen(60);
        u.alleDateienVergessen();
        vorher = importe();
        const Messung voll = u.zyklus();
        ausgeben(QStringLiteral("voller Zyklus, Datei unverändert"), voll, importe() > vorher, spiele);

        demo::Simulator::Optionen simOptionen;
        simOptionen.sekundenJeSchritt = 0;
        demo::Simulator simulator(stand, simOptionen);
        const int schritte = std::max(1, static_cast<int>(static_cast<double>(ergebnisse) * prozent / 100.0 + 0.5));
        std::vector<double> importMs, zyklusMs, ermittlungMs, schreibenMs, ratenJeS, anteil;
        for (int i = 0; i < stetig; ++i) {
            simulator.stelleUhr(u.uhr.jetzt());
            for (int s = 0; s < schritte; ++s) {
                simulator.schritt();
            }
            schreibenMs.push_back(mdbSchreiben(stand, u.dbpfad, morgens));
            u.uhr.vorstellen(60);
            vorher = importe();
            const Messung m = u.zyklus();
            const bool importiert = importe() > vorher;
            const qint64 z = zeilen(stand);
            ausgeben(QStringLiteral("Zyklus %1 nach %2 Simulatorschritten").arg(i + 1).arg(schritte), m, importiert, z);
            importMs.push_back(m.oeffnenMs);
            zyklusMs.push_back(m.zyklusMs);
            ermittlungMs.push_back(m.ermittlungMs);
            ratenJeS.push_back(z * 1000.0 / std::max(1.0, m.oeffnenMs));
            anteil.push_back(100.0 * m.oeffnenMs / std::max(1.0, m.zyklusMs));
        }
        u.uhr.vorstellen(60);
        vorher = importe();
        const Messung gleich = u.zyklus();
        ausgeben(QStringLiteral("Zyklus ohne Änderung"), gleich, importe() > vorher, 0);

        zeile(QStringLiteral("  Median von %1 geänderten Zyklen: Import %2 ms (%3 Zeilen/s, %4 % des Zyklus), "
                             "Ermittlung %5 ms, Import + Zyklus %6 ms; Datei schreiben (nicht im Zyklus) %7 ms; "
                             "Prüfung der unveränderten Datei %8 ms")
                  .arg(stetig)
                  .arg(ms(median(importMs)))
                  .arg(static_cast<qint64>(median(ratenJeS)))
                  .arg(median(anteil), 0, 'f', 0)
                  .arg(ms(median(ermittlungMs)), ms(median(zyklusMs)), ms(median(schreibenMs)), ms(gleich.oeffnenMs)));
        Snapshotverwaltung::instanz().beenden(); // before its folder goes with quellen
        zeile(QStringLiteral("werte import_ms=%1 zyklus_ms=%2 pruefung_ms=%3")
                  .arg(median(importMs), 0, 'f', 1)
                  .arg(median(zyklusMs), 0, 'f', 1)
                  .arg(gleich.oeffnenMs, 0, 'f', 1));
    } catch (const QuendaError& e) {
        std::fprintf(stderr, "%s\n", e.message().toUtf8().constData());
        return 1;
    }
    return 0;
}
