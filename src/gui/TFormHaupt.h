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
#include <atomic>
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

// The main window, hub of the program (UI thread): connection step, menu, status display.
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
    void FormActivate();
    void startconnect();
    // A database to open at start instead of the stored one ("quenda --db PATH"); stored once connected.
    void setStartpfad(const QString& pfad) { m_startpfad = pfad; }

    // "Turnier-Datenbank wechseln": a pick that does not connect leaves the connected tournament as it was.
    void Datenbank1Click();
    void Info1Click();
    void Handbuch1Click();
    void Timer1Timer();
    void Starten1Click();
    void Stoppen1Click();
    void WebserverAblage1Click();
    void IntervallDatenaktualisierung1Click();
    void Profile1Click();
    void ChartUpdate(const QList<quenda::Zyklusstatistik>& zyklen);
    void Warnung();
    void RefreshAnzeigeWebserver1Click();
    // an: the tick the action has just toggled to, the negation of the read-back state.
    void LOGAnzeigeWebserver1Click(bool an);
    // Reads the log mode back into the menu tick and Label8.
    void LogCheck();
    void Update1Click();
    // Opens the presentation editor (also while a transfer runs).
    void Prsentation2Click();
    // The editor's "Übertragung Konfiguration zum Webserver".
    void BitBtn11Click();

    // True while no transfer cycle runs.
    bool threadfrei() const;

    QString exepath;
    QString prgversion;
    bool erststart = true;
    bool appclose = false;

    Turnierkontext kontext;
    QStringList objliste;
    quenda::AusloList AusloList;
    TAblage Ablage;
    Statistik statistik;  // ubcount, ubdate, ubhttp
    Fehlerzustand fehler; // wfehler, wmeldung

    TDM dm; // the UI thread's own connection and query objects
    Ereignisprotokoll protokoll;
    GuiMeldungen meldungen;
    TINDY http{meldungen}; // after meldungen, which it reports through
    Transfersteuerung* steuerung;

    // Widgets the tests and later features read.
    QLabel* Label2;
    QLabel* Label4;
    QLabel* Label6;
    QCheckBox* CheckBoxWebserver;
    QLabel* Label7;
    QLabel* Label8;
    QLabel* Label10;
    AuslosungTree* TreeView1;
    QPlainTextEdit* Memo1;
    QChart* Chart1;
    QLabel* StatusBar1[4];

    QAction* Starten1;
    QAction* Stoppen1;
    QAction* WebserverAblage1;
    QAction* IntervallDatenaktualisierung1;
    QAction* Profile1;
    QAction* RefreshAnzeigeWebserver1;
    QAction* LOGAnzeigeWebserver1;
    QAction* Prsentation2;
    QAction* Datenbank1;
    QAction* Info1;
    QAction* Handbuch1;
    QAction* Update1;

    TFormDB_connect* FormDB_connect = nullptr;
    TFormTurwahl* FormTurwahl = nullptr;
    TFormInfo* FormInfo = nullptr;
    TFormWarnung* FormWarnung = nullptr;
    TFormPraesent* FormPraesent = nullptr;

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
    void FormShow();

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
    QTimer* Timer1;
    Zielstatusanzeige* m_zielstatus = nullptr; // "zielstatusBeamer", "zielstatusHandy"
    bool m_verbindet = false;
    QString m_startpfad;
};

} // namespace quenda
