// TFormHaupt — the main window
#pragma once

#include "GuiMeldungen.h"
#include "Turnierkontext.h"
#include "db/TDM.h"
#include "draws/AusloList.h"
#include "settings/TAblage.h"
#include "transfer/Exporteure.h"
#include "transfer/Fehlerzustand.h"
#include "transfer/Statistik.h"
#include "transfer/TINDY.h"
#include "util/Ereignisprotokoll.h"

#include <QMainWindow>
#include <QStringList>
#include <functional>

class QAction;
class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QTimer;
class QChart;

namespace quenda {

class Programmuhr;
class AuslosungTree;
class TFormDB_connect;
class TFormInfo;
class TFormPraesent;
class TFormTurwahl;
class TFormWarnung;
class Zielstatusanzeige;
class Anzeigesteuerung;
class Transfersteuerung;

// The main window, hub of the program (UI thread): connection step, menu, status display. Its parts have
// object names ("menueStarten", "abrufHinweis", …) by which tests and the screenshot program find them.
class TFormHaupt : public QMainWindow {
    Q_OBJECT
public:
    // The transfer publishes through the program's exporters, or through those fabrik makes (tests).
    explicit TFormHaupt(Programmuhr& uhr, QWidget* parent = nullptr);
    TFormHaupt(Programmuhr& uhr, ExporteurFabrik fabrik, QWidget* parent = nullptr);
    ~TFormHaupt() override;

    // Creates the dialogs in start-up order, reporting progress 10 … 100.
    void fensterAnlegen(const std::function<void(int)>& fortschritt);

    // Connection step on the first activation; later activations do nothing, also after a failed step.
    void verbindenBeimStart(); // FormActivate
    // A database to open at start instead of the stored one ("quenda --db PATH"); stored once connected.
    void setStartpfad(const QString& pfad) { m_startpfad = pfad; }

    // Date and time in the status bar from the program clock (every second).
    void uhrzeitAnzeigen(); // Timer1Timer
    // Redraws the chart of the transfers from the statistics of the cycles.
    void diagrammZeichnen(const QList<quenda::Zyklusstatistik>& zyklen); // ChartUpdate
    // Shows the pending transfer failure in the warning window.
    void warnungZeigen(); // Warnung
    // Reads the log mode back into the menu tick and the banner.
    void logmodusLesen(); // LogCheck
    // The editor's "Übertragung Konfiguration zum Webserver".
    void konfigurationUebertragen(); // BitBtn11Click

    // The storage settings as "Webserver Ablage" leaves them (the file is not written).
    void setAblage(const TAblage& werte) { ablage = werte; }

    const Turnierkontext& turnierkontext() const { return kontext; }
    QString programmversion() const { return version; }
    // True once the connection step ran (whatever its outcome).
    bool verbindungsschrittGelaufen() const { return !verbindungsschrittOffen; }
    // True when the window closes because the connection step found no database or tournament.
    bool programmEndet() const { return beendenAngefordert; }
    // True while no transfer cycle runs.
    bool threadfrei() const;
    // The number of cycles since the tournament was connected (ubcount).
    int uebertragungen() const { return statistik.ubcount(); }
    // Whether the window's own connection finds the tournament.
    bool turnierLesbar(int id);
    // The failure state the cycles and the configuration transfer set and the warning window clears.
    Fehlerzustand& fehlerzustand() { return fehler; }
    // The controller of the transfer, whose signals this window shows.
    Transfersteuerung& transfersteuerung() { return *steuerung; }

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void layoutAnlegen();
    QWidget* kopfbereichAnlegen();
    QWidget* linkeSpalteAnlegen();
    QWidget* diagrammAnlegen();
    void menueAnlegen();
    void statusleisteAnlegen();
    void benutzerordnerAnlegen();  // FormShow
    void gespeichertesVerbinden(); // startconnect

    // The menu's handlers.
    void uebertragungStarten();  // Starten1Click
    void uebertragungStoppen();  // Stoppen1Click
    void ablageBearbeiten();     // WebserverAblage1Click
    void intervalleBearbeiten(); // IntervallDatenaktualisierung1Click
    void profileVerwalten();     // Profile1Click
    void anzeigeAktualisieren(); // RefreshAnzeigeWebserver1Click
    // an: the tick the action has just toggled to, the negation of the read-back state.
    void logmodusSchalten(bool an); // LOGAnzeigeWebserver1Click
    // Opens the presentation editor (also while a transfer runs).
    void praesentationOeffnen(); // Prsentation2Click
    // "Turnier-Datenbank wechseln": a pick that does not connect leaves the connected tournament as it was.
    void datenbankWechseln(); // Datenbank1Click
    void infoZeigen();        // Info1Click
    void handbuchOeffnen();   // Handbuch1Click
    void updatePruefen();     // Update1Click

    enum class Anschluss { Verbunden, Abgebrochen, Fehler };
    // Opens pfad beside the connected database and picks its tournament: vorgabe is taken without asking
    // when it names one and fragen is false, else the choice comes up (vorgabe preselected). Only when all
    // worked is the new database taken over and stored; a failure is shown and changes nothing.
    Anschluss DBConnect(const QString& pfad, int vorgabe, bool fragen);
    int turwahl(TDM& quelle, const QString& pfad, int vorgabe);
    // Takes over the connected tournament and resets what belongs to the previous one.
    void NeuTurnierDB(const QString& pfad, int id, const QString& name, const QString& tsdir);
    void programmBeenden();
    void fehlerZeigen(const QString& text);
    void transferAnbinden();
    void menueFuerTransfer(bool laeuft);
    void memoKuerzen();
    Anzeigesteuerung anzeigesteuerung();
    void logAnzeigen(bool an);
    void zielstatusLaden();

    Programmuhr& m_uhr;
    QString programmordner;              // exepath
    QString version;                     // prgversion
    bool verbindungsschrittOffen = true; // erststart
    bool beendenAngefordert = false;     // appclose
    bool m_verbindet = false;
    QString m_startpfad;

    Turnierkontext kontext;
    QStringList objektarten; // objliste
    AusloList auslosungen;   // AusloList
    TAblage ablage;          // Ablage
    Statistik statistik;     // ubcount, ubdate, ubhttp
    Fehlerzustand fehler;    // wfehler, wmeldung

    TDM datenbank; // dm, the UI thread's own connection and query objects
    Ereignisprotokoll protokoll;
    GuiMeldungen meldungen;
    TINDY http{meldungen}; // after meldungen, which it reports through
    Transfersteuerung* steuerung;

    QLabel* datenbankPfad;              // Label2
    QLabel* turnierName;                // Label4
    QLabel* turnierId;                  // Label6
    QCheckBox* aktualisierungWebserver; // CheckBoxWebserver, "Aktualisierung Daten zum Webserver"
    QLabel* abrufHinweis;               // Label7, "Daten werden geholt und aktualisiert!"
    QLabel* logmodusHinweis;            // Label8
    QLabel* letzteAktualisierung;       // Label10
    AuslosungTree* auslosungsbaum;      // TreeView1
    QPlainTextEdit* memo;               // Memo1
    QChart* diagramm;                   // Chart1, in its view "diagramm"
    QLabel* statusfelder[4];            // StatusBar1: "statusLinks", "statusTitel", "statusDatum", "statusUhrzeit"
    Zielstatusanzeige* m_zielstatus = nullptr; // "zielstatusBeamer", "zielstatusHandy"
    QTimer* uhrzeitTimer;                      // Timer1

    QAction* menueStarten;       // Starten1
    QAction* menueStoppen;       // Stoppen1
    QAction* menueAblage;        // WebserverAblage1
    QAction* menueIntervall;     // IntervallDatenaktualisierung1
    QAction* menueProfile;       // Profile1
    QAction* menueRefresh;       // RefreshAnzeigeWebserver1
    QAction* menueLogmodus;      // LOGAnzeigeWebserver1
    QAction* menuePraesentation; // Prsentation2
    QAction* menueDatenbank;     // Datenbank1
    QAction* menueInfo;          // Info1
    QAction* menueHandbuch;      // Handbuch1
    QAction* menueUpdate;        // Update1

    TFormDB_connect* datenbankDialog = nullptr; // FormDB_connect
    TFormTurwahl* turnierwahl = nullptr;        // FormTurwahl
    TFormInfo* infofenster = nullptr;           // FormInfo, "infofenster"
    TFormWarnung* warnfenster = nullptr;        // FormWarnung, "warnfenster"
    TFormPraesent* praesentation = nullptr;     // FormPraesent
};

} // namespace quenda
