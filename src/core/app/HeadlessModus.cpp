#include "app/HeadlessModus.h"

#include "Turnierkontext.h"

#include "db/TDM.h"
#include "db/Turnierauswahl.h"
#include "draws/AusloList.h"
#include "export/Exportfabrik.h"
#include "settings/AblageDatei.h"
#include "transfer/Fehlerzustand.h"
#include "transfer/Statistik.h"
#include "transfer/TINDY.h"
#include "transfer/Transfersteuerung.h"
#include "transfer/Zielstatus.h"
#include "util/Ereignisprotokoll.h"
#include "util/MeldungsAusgabe.h"
#include "util/Programmuhr.h"
#include "util/QuendaError.h"
#include "util/Routinen.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QMutex>
#include <QTextStream>
#include <QTimer>
#include <atomic>
#include <csignal>
#include <cstring>

namespace quenda::headless {

bool gewuenscht(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--headless") == 0) {
            return true;
        }
    }
    return false;
}

Ergebnis<HeadlessOptionen> optionenLesen(const QStringList& argumente) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption headless(QStringLiteral("headless"));
    const QCommandLineOption db(QStringLiteral("db"), QString(), QStringLiteral("PFAD"));
    const QCommandLineOption turnier(QStringLiteral("tournament"), QString(), QStringLiteral("ID"));
    const QCommandLineOption zyklen(QStringLiteral("cycles"), QString(), QStringLiteral("N"));
    const QCommandLineOption fake(QStringLiteral("fake-time"), QString(), QStringLiteral("ZEIT"));
    const QCommandLineOption resend(QStringLiteral("resend"));
    parser.addOptions({headless, db, turnier, zyklen, fake, resend});
    if (!parser.parse(argumente)) {
        return Fehlschlag{parser.errorText()};
    }
    if (!parser.positionalArguments().isEmpty()) {
        return Fehlschlag{QStringLiteral("Unbekanntes Argument: ") + parser.positionalArguments().first()};
    }
    HeadlessOptionen o;
    o.db = parser.value(db);
    o.resend = parser.isSet(resend);
    bool ok = true;
    if (parser.isSet(turnier)) {
        o.turnier = parser.value(turnier).toInt(&ok);
        if (!ok || o.turnier <= 0) {
            return Fehlschlag{QStringLiteral("--tournament erwartet eine Turnier-ID größer 0.")};
        }
    }
    if (parser.isSet(zyklen)) {
        o.zyklen = parser.value(zyklen).toInt(&ok);
        if (!ok || o.zyklen < 0) {
            return Fehlschlag{QStringLiteral("--cycles erwartet eine Anzahl ab 0.")};
        }
    }
    if (parser.isSet(fake)) {
        o.fakeZeit = parser.value(fake);
        try {
            datumzeit_lesen(o.fakeZeit);
        } catch (const ConversionError& e) {
            return Fehlschlag{QStringLiteral("--fake-time: ") + e.message()};
        }
    }
    return o;
}

namespace {

std::atomic<bool> stoppSignal{false};

extern "C" void signalBehandeln(int) {
    stoppSignal = true;
}

// Lines from both threads, each written whole.
class Ausgabe : public MeldungsAusgabe {
public:
    explicit Ausgabe(QTextStream& strom) : m_strom(strom) {}
    void meldung(const QString& text) override { zeile(text); }
    void zeile(const QString& text) {
        QMutexLocker lock(&m_mutex);
        m_strom << text << Qt::endl;
    }

private:
    QMutex m_mutex;
    QTextStream& m_strom;
};

// Runs "Starten" until the asked number of cycles or a stop signal; returns the exit status.
int transferLaufen(const HeadlessOptionen& optionen, const Turnierkontext& kontext, Programmuhr& uhr, QTextStream& out,
                   QTextStream& err) {
    Ausgabe memo(out);
    Ausgabe meldungen(err);
    TAblage ablage;
    if (const Ergebnis<void> geladen = AblageLoad(kontext.tsdir, ablage); !geladen.ok()) {
        meldungen.meldung(geladen.fehler());
        // Publishing with what a broken file left would stage the files as sent while no target got them.
        meldungen.zeile(QStringLiteral("Die Einstellungen %1 konnten nicht geladen werden; die Übertragung startet "
                                       "nicht.")
                            .arg(QDir(kontext.tsdir).filePath(ablageDateiname())));
        return exitEinstellungen;
    }
    if (optionen.zyklen == 0) {
        return exitOk; // connected only: no event loop or timer is needed (nor may exist without an application)
    }
    AusloList liste;
    Ereignisprotokoll protokoll(uhr);
    protokoll.setOrdner(kontext.tsdir);
    QObject::connect(
        &protokoll, &Ereignisprotokoll::memoZeile, &protokoll, [&memo](const QString& zeile) { memo.zeile(zeile); },
        Qt::DirectConnection);
    Statistik statistik;
    Fehlerzustand fehler;
    TINDY http(meldungen);
    Transfersteuerung steuerung(liste, protokoll, uhr, statistik, fehler, http, meldungen,
                                exportFabrik(&protokoll, &meldungen));
    steuerung.setTurnier(kontext, ablage);
    steuerung.setSimulierteZeit(!optionen.fakeZeit.isEmpty());
    steuerung.setResend(optionen.resend);
    QObject::connect(&steuerung, &Transfersteuerung::warnung, &steuerung,
                     [&meldungen](const QString& wfehler, const QString& wmeldung) {
                         meldungen.zeile(QStringLiteral("Warnung - Fehler bei Übermittlung der Daten: ") + wfehler +
                                         u' ' + wmeldung);
                     });

    // One line per display target after each cycle: whether the screens are current.
    QObject::connect(&steuerung, &Transfersteuerung::zielstatusNeu, &steuerung, [&memo](const Zielzustaende& ziele) {
        for (const bool pocko : {false, true}) {
            memo.zeile(zielstatusZeile(pocko, ziele[pocko ? 1 : 0]));
        }
    });

    QEventLoop schleife;
    const auto beenden = [&]() {
        if (steuerung.laeuft()) {
            steuerung.stoppen();
        }
        steuerung.warten();
        schleife.quit();
    };
    QObject::connect(&steuerung, &Transfersteuerung::zyklusFertig, &steuerung, [&](int anzahl) {
        if (optionen.zyklen >= 0 && anzahl >= optionen.zyklen) {
            QTimer::singleShot(0, &steuerung, beenden);
        }
    });
    QTimer signalPruefung;
    QObject::connect(&signalPruefung, &QTimer::timeout, &steuerung, [&]() {
        if (stoppSignal.load()) {
            signalPruefung.stop();
            beenden();
        }
    });
    signalPruefung.start(100);
    std::signal(SIGINT, signalBehandeln);
    std::signal(SIGTERM, signalBehandeln);

    steuerung.starten();
    schleife.exec();
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    return exitOk;
}

void turniereAuflisten(const QList<turnierauswahl::Turnier>& liste, QTextStream& err) {
    err << "Turniere der Datenbank (--tournament ID):\n";
    for (const turnierauswahl::Turnier& t : liste) {
        err << "  " << t.t_id << "  " << t.tur_bez << '\n';
    }
}

} // namespace

int ausfuehren(const HeadlessOptionen& optionen, Programmuhr& uhr, QTextStream& out, QTextStream& err) {
    if (!optionen.fakeZeit.isEmpty()) {
        uhr.festsetzen(datumzeit_lesen(optionen.fakeZeit));
    }
    const QString dbpath = optionen.db.isEmpty() ? turnierauswahl::gespeicherterPfad() : optionen.db;
    TDM dm;
    Turnierkontext kontext;
    try {
        if (!QFileInfo(dbpath).isFile()) {
            throw DatabaseError(QStringLiteral("Die Datenbank %1 wurde nicht gefunden.").arg(dbpath));
        }
        dm.oeffnen(dbpath);
    } catch (const QuendaError& e) {
        err << e.message() << '\n';
        return exitDatenbank;
    }
    try {
        const QList<turnierauswahl::Turnier> liste = turnierauswahl::turniere(dm);
        int id = optionen.turnier > 0 ? optionen.turnier : turnierauswahl::gespeicherteTurnierId();
        if (optionen.turnier <= 0 && (id <= 0 || !turnierauswahl::turnierVorhanden(dm, id))) {
            id = liste.size() == 1 ? liste.first().t_id : 0;
        }
        if (id <= 0 || !turnierauswahl::turnierVorhanden(dm, id)) {
            err << (id > 0 ? QStringLiteral("Das Turnier %1 gibt es in der Datenbank nicht.\n").arg(id)
                           : QStringLiteral("Bitte das Turnier mit --tournament wählen.\n"));
            turniereAuflisten(liste, err);
            return exitTurnier;
        }
        kontext.dbpath = dbpath;
        kontext.dbturid = id;
        kontext.dbturnier = turnierauswahl::turnierName(dm, id);
        kontext.tsdir = turnierauswahl::tsdirFuer(dbpath, id);
        turnierauswahl::tsdirAnlegen(kontext.tsdir);
        out << zeitText(uhr.jetzt()) << " Turnier " << id << " \"" << kontext.dbturnier
            << "\" verbunden, Arbeitsordner " << kontext.tsdir << Qt::endl;
    } catch (const QuendaError& e) {
        err << e.message() << Qt::endl;
        return exitDatenbank;
    }
    dm.schliessen();
    try {
        return transferLaufen(optionen, kontext, uhr, out, err);
    } catch (const QuendaError& e) {
        err << e.message() << Qt::endl;
        return exitDatenbank;
    }
}

} // namespace quenda::headless
