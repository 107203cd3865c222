#pragma once

#include "GuiMeldungen.h"
#include "Turnierkontext.h"
#include "db/TDM.h"
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
class QTreeWidget;
class QChart;

namespace quenda {

class Programmuhr;
class TFormDB_connect;
class TFormInfo;
class TFormTurwahl;

// The main window, hub of the program (UI thread): connection step, menu, status display.
class TFormHaupt : public QMainWindow {
    Q_OBJECT
public:
    explicit TFormHaupt(Programmuhr& uhr, QWidget* parent = nullptr);
    ~TFormHaupt() override;

    // Creates the dialogs in start-up order, reporting progress 10 … 100.
    void fensterAnlegen(const std::function<void(int)>& fortschritt);

    // Connection step on the first activation; later activations do nothing.
    void FormActivate();
    void startconnect();
    void DBConnect();
    void NeuTurnierDB();
    int turwahl();

    void Datenbank1Click();
    void Info1Click();
    void Handbuch1Click();
    void Timer1Timer();

    QString exepath;
    QString prgversion;
    bool erststart = true;
    std::atomic<bool> threadfrei{true};
    bool appclose = false;

    Turnierkontext kontext;
    QString wfehler;
    QString wmeldung;
    QStringList objliste;

    TDM dm; // the UI thread's own connection and query objects
    Ereignisprotokoll protokoll;
    GuiMeldungen meldungen;

    // Widgets the tests and later features read.
    QLabel* Label2;
    QLabel* Label4;
    QLabel* Label6;
    QCheckBox* CheckBoxWebserver;
    QLabel* Label7;
    QLabel* Label8;
    QLabel* Label10;
    QTreeWidget* TreeView1;
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
    void programmBeenden();
    void fehlerZeigen(const QString& text);

    Programmuhr& m_uhr;
    QTimer* Timer1;
    bool m_verbindet = false;
};

} // namespace quenda
