#include "transfer/Transfersteuerung.h"

#include "db/Turnierauswahl.h"
#include "transfer/Fehlerzustand.h"
#include "transfer/TINDY.h"
#include "util/Ereignisprotokoll.h"
#include "util/Programmuhr.h"
#include "util/QuendaError.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

namespace quenda {

Transfersteuerung::Transfersteuerung(AusloList& liste, Ereignisprotokoll& protokoll, Programmuhr& uhr,
                                     Statistik& statistik, Fehlerzustand& fehler, HttpSender& http,
                                     MeldungsAusgabe& meldungen, QObject* parent)
    : QObject(parent), m_liste(liste), m_protokoll(protokoll), m_uhr(uhr), m_statistik(statistik), m_fehler(fehler),
      m_http(http), m_meldungen(meldungen) {
    qRegisterMetaType<quenda::Zyklusstatistik>();
    qRegisterMetaType<QList<quenda::Zyklusstatistik>>();
    qRegisterMetaType<quenda::AuslosungsBaum>();
    qRegisterMetaType<quenda::Zielzustaende>();
    m_timer = new QTimer(this);
    m_timer->setInterval(60000);
    connect(m_timer, &QTimer::timeout, this, &Transfersteuerung::TimerSpieldatenTimer);
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

void Transfersteuerung::Starten1Click() {
    m_kontext.tsdir = turnierauswahl::tsdirFuer(m_kontext.dbpath, m_kontext.dbturid);
    turnierauswahl::tsdirAnlegen(m_kontext.tsdir);
    m_fehler.leeren();
    m_laeuft = true;
    Q_EMIT laeuftGeaendert(true);
    if (!m_simuliert) {
        m_timer->start();
    }
    TimerSpieldatenTimer();
}

void Transfersteuerung::Stoppen1Click() {
    m_timer->stop();
    m_laeuft = false;
    Q_EMIT laeuftGeaendert(false);
    if (!m_threadfrei.load()) {
        m_abbruch = true;
    }
    m_fehler.leeren();
}

void Transfersteuerung::TimerSpieldatenTimer() {
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
        m_protokoll.memoUndProtokoll(zeitText(m_zyklusStart) + QStringLiteral(" Start Übertragung"));
    } catch (const QuendaError& e) {
        m_protokoll.memo(zeitText(m_zyklusStart) + u' ' + e.message());
    }
    Q_EMIT zyklusBeginnt();
    zyklusStarten();
}

void Transfersteuerung::zyklusStarten() {
    m_abbruch = false;
    ZyklusUmgebung umgebung{m_kontext, m_ablage, m_liste,     m_protokoll, m_uhr,    m_statistik,
                            m_fehler,  m_http,   m_meldungen, m_abbruch,   m_resend, m_fabrik};
    auto* zyklus = new Datenzyklus(std::move(umgebung));
    m_zyklus = zyklus;
    connect(zyklus, &Datenzyklus::label10, this, &Transfersteuerung::label10);
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
    if (m_simuliert && m_laeuft) {
        // Program time: exactly 60 s from one cycle start to the next, without waiting.
        m_uhr.festsetzen(m_zyklusStart.addSecs(60));
        QTimer::singleShot(0, this, &Transfersteuerung::TimerSpieldatenTimer);
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
