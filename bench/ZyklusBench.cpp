// Time of the transfer cycle on a generated tournament, in-process with the real detection pass, exporters
// and directory delivery to both targets. Prints the detection pass, a full cycle (every draw due, every
// file new), steady cycles (every draw due, about 2 % of the games changed by the live simulator since the
// previous cycle), statements and files per second and the peak resident memory of the process.
//
// quenda-bench-zyklus --db FILE [--name TEXT] [--steady N] [--change PERCENT] [--top N] [--cache N]
// --top N prints the N statement texts that took the most time in the steady cycles together. --cache N sets the
// capacity of each connection's statement cache (0: every statement prepared anew with its ids written in).
//
// The last line holds the figures as key=value pairs for scripts/bench.sh. One tournament per process, so
// that the peak memory belongs to that size alone.

#include "BenchUmfeld.h"
#include "demo/Simulator.h"

#include <QCoreApplication>

using namespace quenda;
using namespace quenda::bench;

namespace {

int spieleImTurnier(const QString& pfad) {
    sqlite3* db = nullptr;
    int anzahl = 0;
    if (sqlite3_open_v2(QFile::encodeName(pfad).constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* stmt = nullptr;
        const QByteArray sql = "SELECT count(*) FROM sb_ergebnisse e JOIN al_systemfeld f ON f.syf_id = e.syf_id "
                               "JOIN al_conf a ON a.al_id = f.al_id JOIN Konkurrenz k ON k.kn_id = a.kn_id "
                               "JOIN Klassen l ON l.kl_id = k.kl_id WHERE l.t_id = " +
                               QByteArray::number(static_cast<qint64>(demo::fest::turnier));
        if (sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr) == SQLITE_OK &&
            sqlite3_step(stmt) == SQLITE_ROW) {
            anzahl = sqlite3_column_int(stmt, 0);
        } else {
            zeile(QStringLiteral("Spiele nicht gezählt: ") + QString::fromUtf8(sqlite3_errmsg(db)));
        }
        sqlite3_finalize(stmt);
    }
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
    const QString db = option("--db", {});
    const QString name = option("--name", db);
    const int stetig = std::max(1, option("--steady", QStringLiteral("5")).toInt());
    const double prozent = option("--change", QStringLiteral("2")).toDouble();
    const int top = option("--top", QStringLiteral("0")).toInt();
    const int cache = option("--cache", QString::number(Verbindung::standardkapazitaet())).toInt();
    nachText = top > 0;
    // --cache 0: every statement prepared anew from its text with the ids written in, as before the cache.
    Verbindung::setzeStandardkapazitaet(static_cast<std::size_t>(std::max(0, cache)));
    if (db.isEmpty() || !QFile::exists(db)) {
        std::fprintf(stderr,
                     "Aufruf: quenda-bench-zyklus --db FILE [--name TEXT] [--steady N] [--change PERCENT] [--top N] "
                     "[--cache N]\n");
        return 2;
    }
    beobachten();
    try {
        const int spiele = spieleImTurnier(db);
        const int schritte = std::max(1, static_cast<int>(spiele * prozent / 100.0 + 0.5));
        Umfeld u(db);

        // The first cycle takes every item into the list; none is due yet (interval one minute).
        const Messung erster = u.zyklus();
        u.uhr.vorstellen(60);
        u.alleDateienVergessen();
        const Messung voll = u.zyklus();

        demo::Simulator::Optionen simOptionen;
        simOptionen.sekundenJeSchritt = 0;
        demo::Simulator simulator(u.dbpfad, simOptionen);
        std::vector<double> zyklus, ermittlung, jeSekunde, dateienJeSekunde, abfragen, sql;
        jeText.clear(); // --top ranks the steady cycles
        Messung letzte;
        for (int i = 0; i < stetig; ++i) {
            simulator.stelleUhr(u.uhr.jetzt());
            for (int s = 0; s < schritte; ++s) {
                simulator.schritt();
            }
            u.uhr.vorstellen(60);
            letzte = u.zyklus();
            zyklus.push_back(letzte.zyklusMs);
            ermittlung.push_back(letzte.ermittlungMs);
            jeSekunde.push_back(letzte.jeSekunde(static_cast<double>(letzte.anweisungen)));
            dateienJeSekunde.push_back(letzte.jeSekunde(letzte.zustellungen + letzte.unveraendert));
            abfragen.push_back(letzte.abfragenMs);
            sql.push_back(letzte.sqlMs);
        }
        const qint64 rssKb = spitzenspeicherKb();

        zeile(QStringLiteral("== %1: %2 Spiele, %3 verfolgte Einträge, davon %4 Auslosungsgruppen")
                  .arg(name)
                  .arg(spiele)
                  .arg(voll.eintraege)
                  .arg(voll.gruppen));
        zeile(QStringLiteral("  Ermittlung (erster Lauf / danach):  %1 ms / %2 ms")
                  .arg(ms(erster.ermittlungMs), ms(median(ermittlung))));
        zeile(QStringLiteral("  erster Zyklus (nichts fällig):      %1 ms").arg(ms(erster.zyklusMs)));
        zeile(QStringLiteral("  voller Zyklus:                      %1 ms, %2 Anweisungen (%3/s, SQL %4 ms), "
                             "%5 Dateien zugestellt (%6/s)")
                  .arg(ms(voll.zyklusMs))
                  .arg(voll.anweisungen)
                  .arg(ms(voll.jeSekunde(static_cast<double>(voll.anweisungen))))
                  .arg(ms(voll.sqlMs))
                  .arg(voll.zustellungen)
                  .arg(ms(voll.jeSekunde(voll.zustellungen + voll.unveraendert))));
        zeile(QStringLiteral("  stetiger Zyklus (Median von %1, je %2 Simulatorschritte): %3 ms (max %4), "
                             "%5 Anweisungen (%6/s, SQL %7 ms), %8 zugestellt, %9 unverändert (%10 Dateien/s)")
                  .arg(stetig)
                  .arg(schritte)
                  .arg(ms(median(zyklus)))
                  .arg(ms(*std::max_element(zyklus.begin(), zyklus.end())))
                  .arg(letzte.anweisungen)
                  .arg(ms(median(jeSekunde)))
                  .arg(ms(letzte.sqlMs))
                  .arg(letzte.zustellungen)
                  .arg(letzte.unveraendert)
                  .arg(ms(median(dateienJeSekunde))));
        zeile(QStringLiteral("  je Auslosungsgruppe: voll %1 ms, stetig %2 ms; Spitzenspeicher %3 MB; "
                             "Dateien am Ziel %4")
                  .arg(voll.zyklusMs / std::max(1, voll.gruppen), 0, 'f', 2)
                  .arg(median(zyklus) / std::max(1, letzte.gruppen), 0, 'f', 2)
                  .arg(static_cast<double>(rssKb) / 1024.0, 0, 'f', 1)
                  .arg(dateienUnter(u.ablage.verzeichnis) + dateienUnter(u.ablage.verzeichnispocko)));
        zeile(
            QStringLiteral("  Abfragen (Cache %1): voll %2 ms (SQLite %3 ms), %4 vorbereitet, %5 wiederverwendet "
                           "(%6 % Treffer); stetig (Median) %7 ms (SQLite %8 ms), %9 vorbereitet, %10 wiederverwendet "
                           "(%11 % Treffer)")
                .arg(Verbindung::standardkapazitaet())
                .arg(ms(voll.abfragenMs), ms(voll.sqlMs))
                .arg(voll.vorbereitet)
                .arg(voll.wiederverwendet)
                .arg(voll.trefferquote(), 0, 'f', 1)
                .arg(ms(median(abfragen)), ms(median(sql)))
                .arg(letzte.vorbereitet)
                .arg(letzte.wiederverwendet)
                .arg(letzte.trefferquote(), 0, 'f', 1));
        std::vector<std::pair<qint64, QString>> rangfolge;
        for (const auto& [text, summe] : jeText) {
            rangfolge.emplace_back(summe.first, QStringLiteral("%1 mal: %2").arg(summe.second).arg(text.simplified()));
        }
        std::sort(rangfolge.rbegin(), rangfolge.rend());
        for (size_t i = 0; i < rangfolge.size() && i < static_cast<size_t>(top); ++i) {
            zeile(QStringLiteral("  SQL %1 ms, %2")
                      .arg(ms(static_cast<double>(rangfolge[i].first) / 1e6), rangfolge[i].second));
        }
        zeile(QStringLiteral("werte gruppen=%1 voll_ms=%2 stetig_ms=%3 ermittlung_ms=%4 rss_kb=%5 "
                             "abfragen_voll_ms=%6 abfragen_stetig_ms=%7 treffer=%8")
                  .arg(voll.gruppen)
                  .arg(voll.zyklusMs, 0, 'f', 1)
                  .arg(median(zyklus), 0, 'f', 1)
                  .arg(median(ermittlung), 0, 'f', 1)
                  .arg(rssKb)
                  .arg(voll.abfragenMs, 0, 'f', 1)
                  .arg(median(abfragen), 0, 'f', 1)
                  .arg(letzte.trefferquote(), 0, 'f', 1));
    } catch (const QuendaError& e) {
        std::fprintf(stderr, "%s\n", e.message().toUtf8().constData());
        return 1;
    }
    return 0;
}
