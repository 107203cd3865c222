#pragma once

#include "Turnierkontext.h"
#include "db/Turnierauswahl.h"
#include "demo/FesteIds.h"
#include "demo/Generator.h"
#include "demo/OrdnerAblage.h"
#include "demo/Simulator.h"
#include "draws/AusloList.h"
#include "export/Exportfabrik.h"
#include "settings/AblageDatei.h"
#include "support/DemoVorlage.h"
#include "support/HttpHilfen.h"
#include "transfer/Exporteure.h"
#include "transfer/Fehlerzustand.h"
#include "transfer/Staging.h"
#include "transfer/Statistik.h"
#include "transfer/TINDY.h"
#include "transfer/Transfersteuerung.h"
#include "transfer/Webserverupload.h"

#include "support/ZipLesen.h"
#include <QCoreApplication>
#include <QDirIterator>
#include <QEventLoop>
#include <QRegularExpression>
#include <QTimer>
#include <functional>
#include <sys/mount.h>

// Shared by the fault tests: a publishing run in this process with the real exporters, uploads and HTTP
// client, a hook into the middle of a cycle, and the comparison of what the targets hold with tsdir.
namespace quenda::test {

inline void anwendung() {
    static int argc = 1;
    static char name[] = "test_faults";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
}

// Staging of the cycle with a hook before every data file an exporter hands over (on the cycle thread).
class StagingHaken : public Staging {
public:
    StagingHaken(Staging& ziel, std::function<void(int)> haken) : m_ziel(ziel), m_haken(std::move(haken)) {}
    void DateiAnlage(const QString& name, const QString& stempel, int ziel) override {
        if (m_haken) {
            m_haken(++m_anzahl);
        }
        m_ziel.DateiAnlage(name, stempel, ziel);
    }

private:
    Staging& m_ziel;
    std::function<void(int)> m_haken;
    int m_anzahl = 0;
};

// Publishes a copy of the generated tournament, cycle by cycle, with simulated time (no waiting).
// Between cycles the test changes the world (zwischen), inside a cycle the staging hook (imZyklus) can.
class Veroeffentlichung {
public:
    Veroeffentlichung() {
        anwendung();
        QFile::copy(demoVorlage(), db);
        QFile::setPermissions(db, QFile::ReadOwner | QFile::WriteOwner);
        kontext = {db,
                   static_cast<int>(demo::fest::turnier),
                   QStringLiteral("Südpark-Pokal 2026"),
                   turnierauswahl::tsdirFuer(db, static_cast<int>(demo::fest::turnier)),
                   {}};
        uhr.festsetzen(demo::standardJetzt());
        protokoll.setOrdner(kontext.tsdir);
        QObject::connect(&protokoll, &Ereignisprotokoll::memoZeile, &m_empfaenger,
                         [this](const QString& zeile) { memo.append(zeile); });
        http.setZeitlimits(2000, 2000);
        ablage.dbzkd = QStringLiteral("stoer");
    }

    // Both targets as folders below the given storage roots (which may be mount points).
    void verzeichnisse(const QString& web, const QString& pocko) {
        const QString zkd = ablage.dbzkd;
        ablage = demo::ordnerAblage(web, pocko);
        ablage.dbzkd = zkd;
    }
    // Both targets through the control script at basis (the phones' files as one archive per cycle).
    void server(const QString& basis) {
        ablage.anzweb = 1;
        ablage.aktiv = 2;
        ablage.host = basis;
        ablage.steuerdatei = QStringLiteral("web");
        ablage.pocko = 1;
        ablage.aktivpocko = 2;
        ablage.hostpocko = basis;
        ablage.steuerdateipocko = QStringLiteral("web");
    }

    // Runs n cycles; after each one (on this thread, before the next starts) zwischen(cycle number) runs.
    void zyklen(int n) {
        if (n <= 0) {
            return;
        }
        Transfersteuerung steuerung(liste, protokoll, uhr, statistik, fehler, http, meldungen,
                                    [this](TDM& dm, const Turnierkontext& k, Staging& s) {
                                        m_haken = std::make_unique<StagingHaken>(s, imZyklus);
                                        return exportFabrik(&protokoll, &meldungen)(dm, k, *m_haken);
                                    });
        steuerung.setTurnier(kontext, ablage);
        steuerung.setSimulierteZeit(true);
        QEventLoop schleife;
        int gelaufen = 0;
        QObject::connect(&steuerung, &Transfersteuerung::zyklusFertig, &steuerung, [&](int) {
            ++zyklus;
            if (zwischen) {
                zwischen(zyklus);
            }
            if (++gelaufen == n) {
                steuerung.stoppen();
                QTimer::singleShot(0, &schleife, &QEventLoop::quit);
            }
        });
        // The running order moves on by itself; the limit only keeps a broken test from hanging forever.
        QTimer::singleShot(600000, &schleife, [&] {
            ADD_FAILURE() << "cycles did not end";
            steuerung.stoppen();
            schleife.quit();
        });
        m_zeitVorStart = uhr.jetzt();
        steuerung.starten();
        schleife.exec();
        steuerung.warten();
        // The next run starts one minute after the last cycle, as the timer would have.
        uhr.festsetzen(uhr.jetzt().addSecs(60));
    }

    // A few changes of the tournament desk (the simulator's clock follows the program clock).
    void spielen(int schritte) {
        if (!m_simulator) {
            m_simulator = std::make_unique<demo::Simulator>(db, demo::Simulator::Optionen{7, uhr.jetzt()});
        }
        for (int i = 0; i < schritte; ++i) {
            m_simulator->stelleUhr(uhr.jetzt());
            m_simulator->schritt();
        }
    }
    void simulatorSchliessen() { m_simulator.reset(); }

    // Sums of the statistics columns over all cycles (1 phones OK, 2 phones error, 3 screen OK, 4 screen error).
    int gezaehlt(int spalte) const {
        int summe = 0;
        for (const Zyklusstatistik& z : statistik.zyklen()) {
            summe += z.zaehler[spalte - 1];
        }
        return summe;
    }

    QString pfad(const QString& name) const { return QDir(kontext.tsdir).filePath(name); }

    QTemporaryDir dir;
    const QString db = dir.filePath(QStringLiteral("turnier.sqlite"));
    Turnierkontext kontext;
    TAblage ablage;
    Programmuhr uhr;
    Ereignisprotokoll protokoll{uhr};
    AusloList liste;
    Statistik statistik;
    Fehlerzustand fehler;
    MeldungenMerken meldungen;
    TINDY http{meldungen};
    QStringList memo;
    std::function<void(int)> zwischen;
    std::function<void(int)> imZyklus;
    int zyklus = 0;

private:
    QObject m_empfaenger;
    std::unique_ptr<StagingHaken> m_haken;
    std::unique_ptr<demo::Simulator> m_simulator;
    QDateTime m_zeitVorStart;
};

// The newest delivered version of every file in a target's "upload" folder, archives unpacked, by bare
// name; anything that is not a whole stamped file is listed in fremd.
struct Zielstand {
    QMap<QString, QByteArray> neueste;
    QMap<QString, QString> stempel;
    QStringList fremd;

    void nehmen(const QString& name, const QByteArray& inhalt) {
        static const QRegularExpression muster(QStringLiteral("^(\\d{14})_([A-Za-z0-9_]+\\.txt)$"));
        const QRegularExpressionMatch m = muster.match(name);
        if (!m.hasMatch()) {
            fremd.append(name);
            return;
        }
        const QString n = m.captured(2);
        if (!stempel.contains(n) || stempel[n] <= m.captured(1)) {
            stempel[n] = m.captured(1);
            neueste[n] = inhalt;
        }
    }
};

inline Zielstand zielstand(const QString& upload) {
    Zielstand stand;
    for (const QString& name : inhaltVon(upload)) {
        const QString pfad = QDir(upload).filePath(name);
        if (!name.endsWith(QStringLiteral("_pockoupload.zip"))) {
            stand.nehmen(name, lesen(pfad));
            continue;
        }
        const auto eintraege = zipLesen(pfad);
        if (!eintraege) {
            stand.fremd.append(name);
            continue;
        }
        for (const Zipeintrag& e : *eintraege) {
            if (e.ganz) {
                stand.nehmen(e.name, e.inhalt);
            } else {
                stand.fremd.append(name + u'/' + e.name);
            }
        }
    }
    return stand;
}

// The kept data files of a working folder (the program's own lists and logs left out).
inline QStringList behalteneDateien(const QString& tsdir) {
    QStringList namen;
    for (const QString& name : QDir(tsdir).entryList({QStringLiteral("*.txt")}, QDir::Files)) {
        if (!name.endsWith(QStringLiteral("_org.txt"))) {
            namen.append(name);
        }
    }
    return namen;
}

// What "nothing lost" means after the fault is gone: on each target every file's newest delivered version
// equals the kept version in tsdir, every kept file reached a target, nothing half-written or foreign lies
// on a target, and no delivery is still pending. Returns the differences, empty when all is well.
inline QStringList abgleich(const QString& tsdir, const QString& webUpload, const QString& pockoUpload) {
    QStringList fehler;
    const Zielstand web = zielstand(webUpload);
    const Zielstand pocko = zielstand(pockoUpload);
    for (const auto* stand : {&web, &pocko}) {
        const QString ziel = stand == &web ? QStringLiteral("web") : QStringLiteral("pocko");
        for (const QString& f : stand->fremd) {
            fehler.append(ziel + QStringLiteral(": not a whole stamped file: ") + f);
        }
        for (auto it = stand->neueste.begin(); it != stand->neueste.end(); ++it) {
            const QString kept = QDir(tsdir).filePath(it.key());
            if (QFile::exists(kept) && lesen(kept) != it.value()) {
                fehler.append(ziel + QStringLiteral(": newest copy differs from the kept version: ") + it.key() + u' ' +
                              stand->stempel.value(it.key()));
            }
        }
    }
    for (const QString& name : behalteneDateien(tsdir)) {
        // A released draw's starter list has no target: the phones never get starter lists.
        if (!web.neueste.contains(name) && !pocko.neueste.contains(name) &&
            !name.startsWith(QStringLiteral("starter"))) {
            fehler.append(QStringLiteral("never delivered: ") + name);
        }
    }
    for (const bool p : {false, true}) {
        const QString liste = QDir(tsdir).filePath(Webserverupload::offenDatei(p));
        if (QFile::exists(liste) && !textdatei::lesen(liste).isEmpty()) {
            fehler.append(QStringLiteral("still pending: ") + textdatei::lesen(liste).join(u','));
        }
    }
    for (const QString& rest : QDir(tsdir).entryList({QStringLiteral("*_org.txt"), QStringLiteral("*.zip")})) {
        fehler.append(QStringLiteral("left in the working folder: ") + rest);
    }
    return fehler;
}

// A storage root on a file system of its own when this process may mount one (root with the right
// capability): then it can really be made read-only or full. Otherwise a plain folder.
class Speicherwurzel {
public:
    explicit Speicherwurzel(const QString& pfad, int kilobytes = 4096) : pfad(pfad) {
        QDir().mkpath(pfad);
        const QByteArray optionen = "size=" + QByteArray::number(kilobytes) + "k";
        eigenesDateisystem =
            ::mount("tmpfs", QFile::encodeName(pfad).constData(), "tmpfs", 0, optionen.constData()) == 0;
    }
    ~Speicherwurzel() {
        if (eigenesDateisystem) {
            ::umount2(QFile::encodeName(pfad).constData(), MNT_DETACH);
        }
    }
    bool schreibschutz(bool an) {
        if (eigenesDateisystem) {
            return ::mount(nullptr, QFile::encodeName(pfad).constData(), nullptr, MS_REMOUNT | (an ? MS_RDONLY : 0),
                           nullptr) == 0;
        }
        if (::geteuid() == 0) {
            return false; // permissions do not stop root
        }
        return QFile::setPermissions(pfad, an ? QFile::ReadOwner | QFile::ExeOwner
                                              : QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    // Fills the file system up to the last byte (true when it is full now), or frees it again.
    bool voll(bool an) {
        const QString ballast = QDir(pfad).filePath(QStringLiteral(".ballast"));
        if (!an) {
            return QFile::remove(ballast);
        }
        if (!eigenesDateisystem) {
            return false;
        }
        QFile f(ballast);
        f.open(QIODevice::WriteOnly);
        const QByteArray block(4096, 'x');
        while (f.write(block) == block.size() && f.flush()) {
        }
        f.close();
        QFile probe(QDir(pfad).filePath(QStringLiteral(".probe")));
        const bool voll = !probe.open(QIODevice::WriteOnly) || probe.write("x") != 1 || !probe.flush();
        probe.close();
        probe.remove();
        return voll;
    }

    const QString pfad;
    bool eigenesDateisystem = false;
};

} // namespace quenda::test
