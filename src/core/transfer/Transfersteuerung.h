#pragma once

#include "Turnierkontext.h"
#include "draws/AuslosungsBaum.h"
#include "settings/TAblage.h"
#include "transfer/Datenzyklus.h"
#include "transfer/Sofortausloeser.h"
#include "transfer/Statistik.h"

#include <QList>
#include <QObject>
#include <QPair>
#include <atomic>
#include <functional>

class QThread;
class QFileSystemWatcher;
class QTimer;

namespace quenda {

class AusloList;
class Ereignisprotokoll;
class Fehlerzustand;
class HttpSender;
class MeldungsAusgabe;
class Programmuhr;

// "Starten"/"Stoppen", the 60-second timer and the start of one cycle thread at a time. Lives on the UI
// thread (or the headless main thread); the cycle reports back through the signals, which the receivers
// connect with the default (queued across threads) connection.
class Transfersteuerung : public QObject {
    Q_OBJECT
public:
    // fabrik makes the exporters of every cycle; std::invalid_argument when it is empty.
    Transfersteuerung(AusloList& liste, Ereignisprotokoll& protokoll, Programmuhr& uhr, Statistik& statistik,
                      Fehlerzustand& fehler, HttpSender& http, MeldungsAusgabe& meldungen, ExporteurFabrik fabrik,
                      QObject* parent = nullptr);
    ~Transfersteuerung() override;

    // The tournament and settings the next start works with (set while stopped).
    void setTurnier(const Turnierkontext& kontext, const TAblage& ablage);
    // Headless clock: no waiting, the next cycle starts 60 s of program time after the previous start.
    // Extra cycles on a database change need the real clock and are left out then.
    void setSimulierteZeit(bool an) { m_simuliert = an; }
    // "Sofort bei Änderung" as the working folder's config_auslo.xml had it at "Starten": while the transfer
    // runs, a change of the database file starts an extra cycle for the draw groups whose data changed,
    // besides the 60-second cycle.
    bool sofort() const { return m_sofort; }
    // The clock of the extra cycles' timing in milliseconds and their rest and spacing (tests).
    void setSofortUhr(std::function<qint64()> uhr, qint64 ruheMs, qint64 abstandMs);

    // Creates the working folder, clears the failure and starts the timer with a first tick at once.
    // Throws IoError when the folder cannot be created (the timer is then not started).
    void starten(); // Starten1Click
    // Stops the timer; a running cycle finishes its current draw, then closes.
    void stoppen(); // Stoppen1Click
    // The 60-second tick: starts a cycle unless one still runs.
    void tick(); // TimerSpieldatenTimer

    bool laeuft() const { return m_laeuft; }
    bool threadfrei() const { return m_threadfrei.load(); }
    void setResend(bool an) { m_resend = an; }
    bool resend() const { return m_resend.load(); }
    // Waits (handling events) until no cycle runs.
    void warten();

    // The database file may have changed (the file watcher's signals; tests call it directly).
    void datenbankGeaendert();
    // Starts the extra cycle when it is due and no cycle runs (its timer; tests call it directly).
    void sofortPruefen();

Q_SIGNALS:
    void laeuftGeaendert(bool laeuft);
    // A failure of earlier cycles is still pending: show the warning window.
    void warnung(const QString& wfehler, const QString& wmeldung);
    void zyklusBeginnt();
    void exporteEnde();
    void statistikNeu(const QList<quenda::Zyklusstatistik>& zyklen);
    // The time of the detection pass (Label10).
    void letzteAktualisierung(const QString& text);
    void baumNeu(const quenda::AuslosungsBaum& baum);
    void zielstatusNeu(const quenda::Zielzustaende& ziele);
    // The cycle is over and the next tick may start one (threadfrei is true again).
    void zyklusFertig(int ubcount);

private:
    // A tick of the timer or an extra cycle: dropped while a cycle runs.
    void zyklusAnstossen(bool sofort);
    void zyklusStarten(bool sofort);
    void beobachten(bool an);
    void sofortPlanen();
    // Ends the finished cycle's thread and frees it with its cycle object.
    void aufraeumen();
    void zyklusBeendet();

    AusloList& m_liste;
    Ereignisprotokoll& m_protokoll;
    Programmuhr& m_uhr;
    Statistik& m_statistik;
    Fehlerzustand& m_fehler;
    HttpSender& m_http;
    MeldungsAusgabe& m_meldungen;
    ExporteurFabrik m_fabrik;
    Turnierkontext m_kontext;
    TAblage m_ablage;
    QTimer* m_timer;
    QThread* m_thread = nullptr; // the cycle's thread until it is wound up
    Datenzyklus* m_zyklus = nullptr;
    std::atomic<bool> m_threadfrei{true};
    std::atomic<bool> m_abbruch{false};
    std::atomic<bool> m_resend{false};
    bool m_laeuft = false;
    bool m_simuliert = false;
    QDateTime m_zyklusStart;
    bool m_sofort = false;
    QFileSystemWatcher* m_beobachter = nullptr; // the database file and its folder while the transfer runs
    QTimer* m_sofortTimer;
    Sofortausloeser m_ausloeser;
    std::function<qint64()> m_msUhr;
    QPair<qint64, qint64> m_dbStand; // size and modification time last seen
};

} // namespace quenda
