// Datenzyklus (Execute) — one transfer cycle on its own thread
#pragma once

#include "draws/AuslosungsBaum.h"
#include "transfer/Exporteure.h"
#include "transfer/Statistik.h"
#include "transfer/Zielstatus.h"

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>

namespace quenda {

class Abgabepuffer;
class AusloList;
class Ereignisprotokoll;
class Fehlerzustand;
class HttpSender;
class MeldungsAusgabe;
class Programmuhr;
class Staging;
class TDM;
struct TAuslosung;
class ZipArchiv;
struct TAblage;
struct Turnierkontext;

// What a cycle works on; everything outlives the cycle.
struct ZyklusUmgebung {
    const Turnierkontext& kontext;
    const TAblage& ablage;
    AusloList& liste;
    Ereignisprotokoll& protokoll;
    Programmuhr& uhr;
    Statistik& statistik;
    Fehlerzustand& fehler;
    HttpSender& http;
    MeldungsAusgabe& meldungen;
    const std::atomic<bool>& abbruch; // "Stoppen": finish the current draw, then close
    std::atomic<bool>& resend;        // check box "Aktualisierung Daten zum Webserver"
    ExporteurFabrik fabrik;           // never empty
    // An extra cycle on a database change: only the draw groups whose data changed (whatever their
    // interval) and the table occupancy.
    bool sofort = false;
    // Keep each exported group's fingerprint, so that extra cycles can tell what changed.
    bool fingerabdruecke = false;
};

// One transfer cycle on the cycle thread: detection pass, the due draws' exports, table occupancy and
// messages, then the closing steps that always run. Reports to the UI only through its signals.
class Datenzyklus : public QObject {
    Q_OBJECT
public:
    explicit Datenzyklus(ZyklusUmgebung umgebung);
    ~Datenzyklus() override;

    void Execute();

    // The due test: minutes between the time of day of aktdatetime and of jetzt (the date is not used).
    // Throws ConversionError when aktdatetime holds no time.
    static bool faellig(const QString& aktdatetime, const QDateTime& jetzt, int intervall);

    // The mark in the working folder while a cycle runs; found at the start of the next one, it tells that
    // the program ended in the middle of a cycle.
    static QString laufmarke();

Q_SIGNALS:
    void letzteAktualisierung(const QString& text);
    void baumNeu(const quenda::AuslosungsBaum& baum);
    // The cycle's exports are over: hide the busy banner, untick the check box.
    void exporteEnde();
    void statistikNeu(const QList<quenda::Zyklusstatistik>& zyklen);
    // The state of both display targets after the cycle (also kept in the working folder).
    void zielstatusNeu(const quenda::Zielzustaende& ziele);

private:
    // Sets the mark, and the resend of every file when the previous cycle left its mark. Throws IoError.
    void laufBeginnen();
    // The exporters hand their files to staging through a buffer: each draw's export and the table occupancy
    // read in one read transaction, their files handed over after it.
    void exporte(TDM& dm, Staging& staging, class Webserverupload& upload);
    void auslosungExportieren(Exporteure& exporteure, TDM& dm, Abgabepuffer& puffer, int position);
    // The exporters of one draw group or participant list.
    void exportieren(Exporteure& ex, const TAuslosung& a);
    // Records the export time (and fingerprint) of an item whose files were handed over.
    void exportiertVermerken(TAuslosung& a, const QByteArray& fingerabdruck);
    // The extra cycle's exports: the groups whose fingerprint changed, then the table occupancy.
    void geaenderteExportieren(Exporteure& exporteure, TDM& dm, Abgabepuffer& puffer);
    // Closes this cycle's archive (deleting it when empty) and sends every archive of the working folder.
    void archivSenden(class Webserverupload& upload, std::unique_ptr<ZipArchiv> archiv);
    QString L() const;
    // Memo and event log in the error trap and the closing steps: a log that cannot be written must not
    // skip what follows.
    void melden(const QString& zeile);
    // Brings the stored state of both targets up to this cycle's deliveries and saves it.
    Zielzustaende zielstatusFortschreiben(class Webserverupload& upload);

    ZyklusUmgebung m_u;
};

} // namespace quenda
