// Time of the transfer cycle on a generated tournament, in-process with the real detection pass, exporters
// and directory delivery to both targets. Prints the detection pass, a full cycle (every draw due, every
// file new), steady cycles (every draw due, about 2 % of the games changed by the live simulator since the
// previous cycle), statements and files per second and the peak resident memory of the process.
//
// quenda-bench-zyklus --db FILE [--name TEXT] [--steady N] [--change PERCENT] [--top N]
// --top N prints the N statement texts that took the most time in all cycles together.
//
// The last line holds the figures as key=value pairs for scripts/bench.sh. One tournament per process, so
// that the peak memory belongs to that size alone.

#include "Turnierkontext.h"
#include "demo/FesteIds.h"
#include "demo/Simulator.h"
#include "demo/Zeit.h"
#include "draws/AusloList.h"
#include "export/Exportfabrik.h"
#include "settings/TAblage.h"
#include "transfer/Datenzyklus.h"
#include "transfer/Fehlerzustand.h"
#include "transfer/HttpSender.h"
#include "transfer/Statistik.h"
#include "util/Ereignisprotokoll.h"
#include "util/MeldungsAusgabe.h"
#include "util/Programmuhr.h"
#include "util/QuendaError.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <map>
#include <sqlite3.h>
#include <vector>

using namespace quenda;

namespace {

// Statements run on any connection of the process, counted by a trace every new connection gets.
qint64 anweisungen = 0;
qint64 anweisungenNs = 0;
// With --top: time and count by statement text, numbers replaced by "#".
bool nachText = false;
std::map<QString, std::pair<qint64, int>> jeText;

int anweisungZaehlen(unsigned, void*, void* p, void* x) {
    const qint64 ns = *static_cast<const sqlite3_int64*>(x);
    ++anweisungen;
    anweisungenNs += ns;
    if (nachText) {
        static const QRegularExpression zahl(QStringLiteral("\\b\\d+\\b"));
        auto& eintrag =
            jeText[QString::fromUtf8(sqlite3_sql(static_cast<sqlite3_stmt*>(p))).replace(zahl, QStringLiteral("#"))];
        eintrag.first += ns;
        ++eintrag.second;
    }
    return 0;
}

int verbindungBeobachten(sqlite3* db, char**, const sqlite3_api_routines*) {
    sqlite3_trace_v2(db, SQLITE_TRACE_PROFILE, anweisungZaehlen, nullptr);
    return SQLITE_OK;
}

void zeile(const QString& text) {
    std::printf("%s\n", text.toUtf8().constData());
    std::fflush(stdout);
}

struct KeineMeldungen : MeldungsAusgabe {
    void meldung(const QString& text) override { zeile(QStringLiteral("  Meldung: ") + text); }
};

// Peak resident memory of this process in kB.
qint64 spitzenspeicherKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray& z : status.readAll().split('\n')) {
        if (z.startsWith("VmHWM:")) {
            return z.mid(6).trimmed().split(' ').front().toLongLong();
        }
    }
    return -1;
}

qint64 dateienUnter(const QString& ordner) {
    qint64 anzahl = 0;
    for (QDirIterator it(ordner, QDir::Files, QDirIterator::Subdirectories); it.hasNext(); it.next()) {
        ++anzahl;
    }
    return anzahl;
}

struct Messung {
    double zyklusMs = 0;
    double ermittlungMs = 0;
    qint64 anweisungen = 0;
    double sqlMs = 0;
    int zustellungen = 0; // files written to a target (a file for both targets counts twice)
    int unveraendert = 0; // files equal to their kept version, not sent
    int eintraege = 0;    // tracked items after the pass
    int gruppen = 0;      // tracked draw groups

    double jeSekunde(double anzahl) const { return zyklusMs > 0 ? anzahl * 1000.0 / zyklusMs : 0; }
};

double median(std::vector<double> werte) {
    std::sort(werte.begin(), werte.end());
    return werte.empty() ? 0 : werte[werte.size() / 2];
}

class Umfeld {
public:
    explicit Umfeld(const QString& quelle) {
        if (!QFile::copy(quelle, dbpfad)) {
            throw IoError(QStringLiteral("%1 nicht nach %2 kopiert").arg(quelle, dbpfad));
        }
        QDir().mkpath(kontext.tsdir);
        ablage.aktiv = 1;
        ablage.aktivpocko = 1;
        ablage.anzweb = 1;
        ablage.pocko = 1;
        ablage.verzeichnis = dir.filePath(QStringLiteral("anzeige/"));
        ablage.verzeichnispocko = dir.filePath(QStringLiteral("handy/"));
        ablage.dbzkd = QStringLiteral("1");
        QDir().mkpath(ablage.verzeichnis);
        QDir().mkpath(ablage.verzeichnispocko);
        uhr.festsetzen(demo::standardJetzt());
        protokoll.setOrdner(kontext.tsdir);
    }

    Messung zyklus() {
        Datenzyklus z({kontext, ablage, liste, protokoll, uhr, statistik, fehler, http, meldungen, abbruch, resend,
                       exportFabrik(&protokoll, &meldungen)});
        QElapsedTimer ermittlung;
        qint64 ermittlungNs = 0;
        QObject::connect(&z, &Datenzyklus::label10, &z, [&ermittlung]() { ermittlung.start(); });
        QObject::connect(&z, &Datenzyklus::baumNeu, &z,
                         [&ermittlung, &ermittlungNs]() { ermittlungNs = ermittlung.nsecsElapsed(); });
        anweisungen = 0;
        anweisungenNs = 0;
        QElapsedTimer gesamt;
        gesamt.start();
        z.Execute();
        Messung m;
        m.zyklusMs = static_cast<double>(gesamt.nsecsElapsed()) / 1e6;
        m.ermittlungMs = static_cast<double>(ermittlungNs) / 1e6;
        m.anweisungen = anweisungen;
        m.sqlMs = static_cast<double>(anweisungenNs) / 1e6;
        const std::array<int, 5> zaehler = statistik.zyklen().back().zaehler;
        m.zustellungen = zaehler[0] + zaehler[2];
        m.unveraendert = zaehler[4];
        m.eintraege = liste.count();
        m.gruppen = static_cast<int>(std::count_if(liste.begin(), liste.end(),
                                                   [](const TAuslosung& a) { return a.typdaten == typdatenGruppe; }));
        if (zaehler[1] + zaehler[3] > 0) {
            zeile(QStringLiteral("  Zustellfehler: %1").arg(zaehler[1] + zaehler[3]));
        }
        return m;
    }

    // The kept versions and the delivered files go, so that the next cycle finds every file new.
    void alleDateienVergessen() {
        for (const QString& name : QDir(kontext.tsdir).entryList({QStringLiteral("*.txt")}, QDir::Files)) {
            QFile::remove(QDir(kontext.tsdir).filePath(name));
        }
        for (const QString& wurzel : {ablage.verzeichnis, ablage.verzeichnispocko}) {
            QDir(wurzel).removeRecursively();
            QDir().mkpath(wurzel);
        }
    }

    QTemporaryDir dir;
    const QString dbpfad = dir.filePath(QStringLiteral("turnier.db"));
    Turnierkontext kontext{dbpfad,
                           static_cast<int>(demo::fest::turnier),
                           QStringLiteral("Benchmark"),
                           dir.filePath(QStringLiteral("qnda001turnier")),
                           {}};
    TAblage ablage;
    AusloList liste;
    Programmuhr uhr;
    Ereignisprotokoll protokoll{uhr};
    Statistik statistik;
    Fehlerzustand fehler;
    KeinHttpSender http;
    KeineMeldungen meldungen;
    std::atomic<bool> abbruch{false};
    std::atomic<bool> resend{false};
};

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
    nachText = top > 0;
    if (db.isEmpty() || !QFile::exists(db)) {
        std::fprintf(stderr,
                     "Aufruf: quenda-bench-zyklus --db FILE [--name TEXT] [--steady N] [--change PERCENT] [--top N]\n");
        return 2;
    }
    sqlite3_auto_extension(reinterpret_cast<void (*)()>(verbindungBeobachten));
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
        std::vector<double> zyklus, ermittlung, jeSekunde, dateienJeSekunde;
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
        std::vector<std::pair<qint64, QString>> rangfolge;
        for (const auto& [text, summe] : jeText) {
            rangfolge.emplace_back(summe.first, QStringLiteral("%1 mal: %2").arg(summe.second).arg(text.simplified()));
        }
        std::sort(rangfolge.rbegin(), rangfolge.rend());
        for (size_t i = 0; i < rangfolge.size() && i < static_cast<size_t>(top); ++i) {
            zeile(QStringLiteral("  SQL %1 ms, %2")
                      .arg(ms(static_cast<double>(rangfolge[i].first) / 1e6), rangfolge[i].second));
        }
        zeile(QStringLiteral("werte gruppen=%1 voll_ms=%2 stetig_ms=%3 ermittlung_ms=%4 rss_kb=%5")
                  .arg(voll.gruppen)
                  .arg(voll.zyklusMs, 0, 'f', 1)
                  .arg(median(zyklus), 0, 'f', 1)
                  .arg(median(ermittlung), 0, 'f', 1)
                  .arg(rssKb));
    } catch (const QuendaError& e) {
        std::fprintf(stderr, "%s\n", e.message().toUtf8().constData());
        return 1;
    }
    return 0;
}
