#include "transfer/Transfersteuerung.h"

#include "db/Turnierauswahl.h"
#include "draws/IntervallDatei.h"
#include "transfer/Fehlerzustand.h"
#include "transfer/TINDY.h"
#include "util/Ereignisprotokoll.h"
#include "util/Programmuhr.h"
#include "util/QuendaError.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QEventLoop>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <stdexcept>

namespace quenda {

Transfersteuerung::Transfersteuerung(AusloList& liste, Ereignisprotokoll& protokoll, Programmuhr& uhr,
                                     Statistik& statistik, Fehlerzustand& fehler, HttpSender& http,
                                     MeldungsAusgabe& meldungen, ExporteurFabrik fabrik, QObject* parent)
    : QObject(parent), m_liste(liste), m_protokoll(protokoll), m_uhr(uhr), m_statistik(statistik), m_fehler(fehler),
      m_http(http), m_meldungen(meldungen), m_fabrik(std::move(fabrik)) {
    if (!m_fabrik) {
        // Every cycle would stage the draw lists as sent and publish no data file.
        throw std::invalid_argument("Transfersteuerung without exporters");
    }
    qRegisterMetaType<quenda::Zyklusstatistik>();
    qRegisterMetaType<QList<quenda::Zyklusstatistik>>();
    qRegisterMetaType<quenda::AuslosungsBaum>();
    qRegisterMetaType<quenda::Zielzustaende>();
    m_timer = new QTimer(this);
    m_timer->setInterval(60000);
    connect(m_timer, &QTimer::timeout, this, &Transfersteuerung::tick);
    m_sofortTimer = new QTimer(this);
    m_sofortTimer->setSingleShot(true);
    connect(m_sofortTimer, &QTimer::timeout, this, &Transfersteuerung::sofortPruefen);
    m_msUhr = [] { return QDateTime::currentMSecsSinceEpoch(); };
}

void Transfersteuerung::setSofortUhr(std::function<qint64()> uhr, qint64 ruheMs, qint64 abstandMs) {
    m_msUhr = std::move(uhr);
    m_ausloeser = Sofortausloeser(ruheMs, abstandMs);
}

namespace {

QPair<qint64, qint64> dateistand(const QString& pfad) {
    const QFileInfo info(pfad);
    return {info.exists() ? info.size() : -1, info.exists() ? info.lastModified().toMSecsSinceEpoch() : -1};
}

} // namespace

void Transfersteuerung::beobachten(bool an) {
    delete m_beobachter;
    m_beobachter = nullptr;
    m_sofortTimer->stop();
    m_ausloeser.zuruecksetzen();
    if (!an) {
        return;
    }
    // The folder too: the desk's program (or a copy) may replace the file, which ends a watch on the file.
    m_beobachter = new QFileSystemWatcher(this);
    m_beobachter->addPath(m_kontext.dbpath);
    m_beobachter->addPath(QFileInfo(m_kontext.dbpath).absolutePath());
    connect(m_beobachter, &QFileSystemWatcher::fileChanged, this, &Transfersteuerung::datenbankGeaendert);
    connect(m_beobachter, &QFileSystemWatcher::directoryChanged, this, &Transfersteuerung::datenbankGeaendert);
    m_dbStand = dateistand(m_kontext.dbpath);
}

void Transfersteuerung::datenbankGeaendert() {
    if (!m_laeuft || !m_sofort) {
        return;
    }
    if (m_beobachter && !m_beobachter->files().contains(m_kontext.dbpath) && QFileInfo::exists(m_kontext.dbpath)) {
        m_beobachter->addPath(m_kontext.dbpath);
    }
    // Other files of the folder change as well (the working folder's neighbours, temporary copies).
    const QPair<qint64, qint64> stand = dateistand(m_kontext.dbpath);
    if (stand == m_dbStand) {
        return;
    }
    m_dbStand = stand;
    m_ausloeser.aenderung(m_msUhr());
    sofortPlanen();
}

void Transfersteuerung::sofortPlanen() {
    const std::optional<qint64> faellig = m_ausloeser.faelligUm();
    if (!faellig || !m_laeuft) {
        return;
    }
    m_sofortTimer->start(static_cast<int>(std::clamp<qint64>(*faellig - m_msUhr(), 0, 60000)));
}

void Transfersteuerung::sofortPruefen() {
    const std::optional<qint64> faellig = m_ausloeser.faelligUm();
    if (!m_laeuft || !faellig) {
        return;
    }
    if (m_msUhr() < *faellig) {
        sofortPlanen();
        return;
    }
    if (!m_threadfrei.load() || m_thread) {
        return; // the end of the running cycle plans it again
    }
    m_ausloeser.gestartet(m_msUhr());
    zyklusAnstossen(true);
}

Transfersteuerung::~Transfersteuerung() {
    m_timer->stop();
    m_abbruch = true;
    aufraeumen();
}

void Transfersteuerung::setTurnier(const Turnierkontext& kontext, const TAblage& ablage) {
    m_kontext = kontext;
    m_ablage = ablage;
}

void Transfersteuerung::starten() {
    m_kontext.tsdir = turnierauswahl::tsdirFuer(m_kontext.dbpath, m_kontext.dbturid);
    turnierauswahl::tsdirAnlegen(m_kontext.tsdir);
    m_sofort = SofortLoad(m_kontext.tsdir);
    m_fehler.leeren();
    m_laeuft = true;
    Q_EMIT laeuftGeaendert(true);
    if (!m_simuliert) {
        m_timer->start();
    }
    beobachten(m_sofort && !m_simuliert);
    tick();
}

void Transfersteuerung::stoppen() {
    m_timer->stop();
    beobachten(false);
    m_laeuft = false;
    Q_EMIT laeuftGeaendert(false);
    if (!m_threadfrei.load()) {
        m_abbruch = true;
    }
    m_fehler.leeren();
}

void Transfersteuerung::tick() {
    zyklusAnstossen(false);
}

void Transfersteuerung::zyklusAnstossen(bool sofort) {
    // Stopped, a cycle still runs, or its thread is not wound up yet (threadfrei turns true on the cycle
    // thread before the wind-up reaches this thread): the tick is dropped.
    if (!m_laeuft || !m_threadfrei.load() || m_thread) {
        return;
    }
    m_threadfrei = false;
    if (!m_fehler.wfehler().isEmpty()) {
        Q_EMIT warnung(m_fehler.wfehler(), m_fehler.wmeldung());
    }
    m_zyklusStart = m_uhr.jetzt();
    try {
        // A working folder deleted while the transfer runs is made again, so publishing resumes by itself.
        turnierauswahl::tsdirAnlegen(m_kontext.tsdir);
        m_protokoll.memoUndProtokoll(zeitText(m_zyklusStart) +
                                     (sofort ? QStringLiteral(" Start Übertragung (sofort bei Änderung)")
                                             : QStringLiteral(" Start Übertragung")));
    } catch (const QuendaError& e) {
        m_protokoll.memo(zeitText(m_zyklusStart) + u' ' + e.message());
    }
    Q_EMIT zyklusBeginnt();
    zyklusStarten(sofort);
}

void Transfersteuerung::zyklusStarten(bool sofort) {
    m_abbruch = false;
    ZyklusUmgebung umgebung{m_kontext, m_ablage, m_liste,     m_protokoll, m_uhr,    m_statistik,
                            m_fehler,  m_http,   m_meldungen, m_abbruch,   m_resend, m_fabrik};
    umgebung.sofort = sofort;
    umgebung.fingerabdruecke = m_beobachter != nullptr;
    auto* zyklus = new Datenzyklus(std::move(umgebung));
    m_zyklus = zyklus;
    connect(zyklus, &Datenzyklus::letzteAktualisierung, this, &Transfersteuerung::letzteAktualisierung);
    connect(zyklus, &Datenzyklus::baumNeu, this, &Transfersteuerung::baumNeu);
    connect(zyklus, &Datenzyklus::exporteEnde, this, &Transfersteuerung::exporteEnde);
    connect(zyklus, &Datenzyklus::statistikNeu, this, &Transfersteuerung::statistikNeu);
    connect(zyklus, &Datenzyklus::zielstatusNeu, this, &Transfersteuerung::zielstatusNeu);
    m_thread = QThread::create([this, zyklus]() {
        try {
            zyklus->Execute();
        } catch (const QuendaError& e) {
            m_protokoll.memo(zeitText(m_uhr.jetzt()) + u' ' + e.message());
        } catch (...) {
        }
        httpThreadBeenden();
        m_threadfrei = true; // the very last step, also when the closing steps failed
    });
    zyklus->moveToThread(m_thread);
    connect(m_thread, &QThread::finished, this, [this]() {
        aufraeumen();
        zyklusBeendet();
    });
    m_thread->start();
}

void Transfersteuerung::aufraeumen() {
    if (!m_thread) {
        return;
    }
    m_thread->wait(); // finished is sent just before the thread has really ended
    delete m_zyklus;
    m_zyklus = nullptr;
    delete m_thread;
    m_thread = nullptr;
}

void Transfersteuerung::zyklusBeendet() {
    const int ubcount = m_statistik.ubcount();
    Q_EMIT zyklusFertig(ubcount);
    sofortPlanen(); // a change that came during the cycle
    if (m_simuliert && m_laeuft) {
        // Program time: exactly 60 s from one cycle start to the next, without waiting.
        m_uhr.festsetzen(m_zyklusStart.addSecs(60));
        QTimer::singleShot(0, this, &Transfersteuerung::tick);
    }
}

void Transfersteuerung::warten() {
    while (!m_threadfrei.load() || m_thread) {
        QEventLoop schleife;
        QTimer::singleShot(20, &schleife, &QEventLoop::quit);
        schleife.exec();
    }
}

} // namespace quenda
