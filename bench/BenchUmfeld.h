// The transfer cycle of the benchmarks, in-process with the real detection pass, exporters and directory
// delivery to both targets in a temporary folder, on a fake clock; statements counted by a trace that every
// new connection of the process gets (installed by beobachten()).
#pragma once

#include "Turnierkontext.h"
#include "db/Verbindung.h"
#include "demo/FesteIds.h"
#include "demo/OrdnerAblage.h"
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

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <sqlite3.h>
#include <thread>
#include <vector>

namespace quenda::bench {

// Statements run on any connection of the process, counted by a trace every new connection gets.
inline qint64 anweisungen = 0;
inline qint64 anweisungenNs = 0;
// With --top: time and count by statement text, numbers replaced by "#".
inline bool nachText = false;
inline std::map<QString, std::pair<qint64, int>> jeText;

inline int anweisungZaehlen(unsigned, void*, void* p, void* x) {
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

inline int verbindungBeobachten(sqlite3* db, char**, const sqlite3_api_routines*) {
    sqlite3_trace_v2(db, SQLITE_TRACE_PROFILE, anweisungZaehlen, nullptr);
    return SQLITE_OK;
}

inline void beobachten() {
    sqlite3_auto_extension(reinterpret_cast<void (*)()>(verbindungBeobachten));
}

inline void zeile(const QString& text) {
    std::printf("%s\n", text.toUtf8().constData());
    std::fflush(stdout);
}

struct KeineMeldungen : MeldungsAusgabe {
    void meldung(const QString& text) override { zeile(QStringLiteral("  Meldung: ") + text); }
};

// Peak resident memory of this process in kB.
inline qint64 spitzenspeicherKb() {
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

inline qint64 dateienUnter(const QString& ordner) {
    qint64 anzahl = 0;
    for (QDirIterator it(ordner, QDir::Files, QDirIterator::Subdirectories); it.hasNext(); it.next()) {
        ++anzahl;
    }
    return anzahl;
}

struct Messung {
    double zyklusMs = 0;
    double oeffnenMs = 0; // from the start of the cycle to its detection pass: the database opened (and imported)
    double ermittlungMs = 0;
    qint64 anweisungen = 0;
    double sqlMs = 0;       // SQLite running the statements (the trace's figure: stepping, without preparing)
    double abfragenMs = 0;  // the query objects in all: translating, preparing or reusing, running, reading
    qint64 vorbereitet = 0; // statements prepared anew
    qint64 wiederverwendet = 0;
    int zustellungen = 0; // files written to a target (a file for both targets counts twice)
    int unveraendert = 0; // files equal to their kept version, not sent
    int eintraege = 0;    // tracked items after the pass
    int gruppen = 0;      // tracked draw groups

    double jeSekunde(double anzahl) const { return zyklusMs > 0 ? anzahl * 1000.0 / zyklusMs : 0; }
    double trefferquote() const {
        const qint64 alle = vorbereitet + wiederverwendet;
        return alle > 0 ? 100.0 * static_cast<double>(wiederverwendet) / static_cast<double>(alle) : 0;
    }
};

inline double median(std::vector<double> werte) {
    std::sort(werte.begin(), werte.end());
    return werte.empty() ? 0 : werte[werte.size() / 2];
}

class Umfeld {
public:
    // Works on a copy of quelle named name in a temporary folder.
    explicit Umfeld(const QString& quelle, const QString& name = QStringLiteral("turnier.db"))
        : dbpfad(dir.filePath(name)) {
        if (!QFile::copy(quelle, dbpfad)) {
            throw IoError(QStringLiteral("%1 nicht nach %2 kopiert").arg(quelle, dbpfad));
        }
        QDir().mkpath(kontext.tsdir);
        ablage = demo::ordnerAblage(dir.filePath(QStringLiteral("anzeige")), dir.filePath(QStringLiteral("handy")));
        ablage.dbzkd = QStringLiteral("1");
        QDir().mkpath(ablage.verzeichnis);
        QDir().mkpath(ablage.verzeichnispocko);
        uhr.festsetzen(demo::standardJetzt());
        protokoll.setOrdner(kontext.tsdir);
    }

    // One cycle on a thread of its own, as the program runs it (a cycle on the main thread would read an Access
    // file's newest snapshot at once and import in the background, as the windows do).
    Messung zyklus() {
        Messung m;
        std::thread([this, &m] { m = zyklusHier(); }).join();
        return m;
    }

private:
    Messung zyklusHier() {
        Datenzyklus z({kontext, ablage, liste, protokoll, uhr, statistik, fehler, http, meldungen, abbruch, resend,
                       exportFabrik(&protokoll, &meldungen)});
        QElapsedTimer gesamt;
        QElapsedTimer ermittlung;
        qint64 ermittlungNs = 0;
        qint64 oeffnenNs = 0;
        QObject::connect(&z, &Datenzyklus::letzteAktualisierung, &z, [&]() {
            oeffnenNs = gesamt.nsecsElapsed();
            ermittlung.start();
        });
        QObject::connect(&z, &Datenzyklus::baumNeu, &z,
                         [&ermittlung, &ermittlungNs]() { ermittlungNs = ermittlung.nsecsElapsed(); });
        anweisungen = 0;
        anweisungenNs = 0;
        const Verbindung::Zaehler vorher = Verbindung::zaehler();
        gesamt.start();
        z.Execute();
        const Verbindung::Zaehler nachher = Verbindung::zaehler();
        Messung m;
        m.zyklusMs = static_cast<double>(gesamt.nsecsElapsed()) / 1e6;
        m.ermittlungMs = static_cast<double>(ermittlungNs) / 1e6;
        m.oeffnenMs = static_cast<double>(oeffnenNs) / 1e6;
        m.anweisungen = anweisungen;
        m.sqlMs = static_cast<double>(anweisungenNs) / 1e6;
        m.abfragenMs = static_cast<double>(nachher.nanosekunden - vorher.nanosekunden) / 1e6;
        m.vorbereitet = nachher.vorbereitet - vorher.vorbereitet;
        m.wiederverwendet = nachher.wiederverwendet - vorher.wiederverwendet;
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

public:
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
    const QString dbpfad;
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

} // namespace quenda::bench
