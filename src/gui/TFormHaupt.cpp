#include "TFormHaupt.h"

#include "AuslosungTree.h"
#include "Diagrammausschnitt.h"
#include "TFormAblage.h"
#include "TFormDB_connect.h"
#include "TFormInfo.h"
#include "TFormIntervall.h"
#include "TFormPraesent.h"
#include "TFormProfil.h"
#include "TFormTurwahl.h"
#include "TFormWarnung.h"
#include "Zielstatusanzeige.h"
#include "db/Turnierauswahl.h"
#include "export/Exportfabrik.h"
#include "presentation/Praesentationsmodell.h"
#include "settings/AblageDatei.h"
#include "transfer/Anzeigesteuerung.h"
#include "transfer/Transfersteuerung.h"
#include "transfer/Versionspruefung.h"
#include "transfer/Zielstatus.h"
#include "util/Programmdatei.h"
#include "util/Programmuhr.h"
#include "util/QuendaError.h"
#include "util/Routinen.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>
#include <QUrl>
#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChart>
#include <QtCharts/QValueAxis>

namespace quenda {

TFormHaupt::TFormHaupt(Programmuhr& uhr, QWidget* parent)
    // Made when a cycle asks for them: the log and the message output they report through exist by then.
    : TFormHaupt(
          uhr,
          [this](TDM& zyklusDm, const Turnierkontext& k, Staging& s) {
              return exportFabrik(&protokoll, &meldungen)(zyklusDm, k, s);
          },
          parent) {}

TFormHaupt::TFormHaupt(Programmuhr& uhr, ExporteurFabrik fabrik, QWidget* parent)
    : QMainWindow(parent), protokoll(uhr), meldungen(this), m_uhr(uhr) {
    // FormCreate
    exepath = QCoreApplication::applicationDirPath();
    QDir::setCurrent(exepath);
    prgversion = programmdateiLesen(exepath).version;
    kontext.apppath = appdata_pfad() + QStringLiteral("/quenda20/");
    objliste = objektArten();
    steuerung =
        new Transfersteuerung(AusloList, protokoll, uhr, statistik, fehler, http, meldungen, std::move(fabrik), this);
    layoutAnlegen();
    transferAnbinden();
    Memo1->clear();
    connect(&protokoll, &Ereignisprotokoll::memoZeile, Memo1, &QPlainTextEdit::appendPlainText);
    Timer1 = new QTimer(this);
    connect(Timer1, &QTimer::timeout, this, &TFormHaupt::Timer1Timer);
    Timer1->start(1000);
    Timer1Timer();
}

TFormHaupt::~TFormHaupt() {
    // The cycle thread writes into members of this window (statistics, event log): it must be done before
    // they go, also when the window is destroyed without being closed.
    if (steuerung->laeuft()) {
        steuerung->stoppen();
    }
    steuerung->warten();
}

void TFormHaupt::fensterAnlegen(const std::function<void(int)>& fortschritt) {
    fortschritt(10);
    FormDB_connect = new TFormDB_connect(this);
    // A pick is offered as a change: the choice comes up, the connected tournament preselected when the same
    // database is picked again.
    FormDB_connect->setVerbinden([this](const QString& pfad) {
        return DBConnect(pfad, pfad == kontext.dbpath ? kontext.dbturid : 0, true) == Anschluss::Verbunden;
    });
    fortschritt(20);
    FormTurwahl = new TFormTurwahl(meldungen, this);
    fortschritt(30);
    fortschritt(40);
    FormPraesent = new TFormPraesent(kontext, dm, meldungen, this);
    FormPraesent->setUebertragen([this]() { BitBtn11Click(); });
    FormPraesent->setRefresh([this]() { RefreshAnzeigeWebserver1Click(); });
    fortschritt(60);
    fortschritt(80);
    FormInfo = new TFormInfo(prgversion, QCoreApplication::applicationFilePath(), this);
    FormWarnung = new TFormWarnung(fehler, this);
    fortschritt(100);
}

void TFormHaupt::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    FormShow();
    // Shown, then activated: also where no window manager sends an activation.
    QTimer::singleShot(0, this, &TFormHaupt::FormActivate);
}

void TFormHaupt::FormShow() {
    for (const QString& ordner : {kontext.apppath, kontext.apppath + QStringLiteral("profil/")}) {
        if (!QDir().mkpath(ordner)) {
            fehlerZeigen(QStringLiteral("Der Ordner %1 kann nicht angelegt werden.").arg(ordner));
        }
    }
}

void TFormHaupt::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        // Queued: the connection step opens modal dialogs, which must not run inside the activation event.
        QTimer::singleShot(0, this, &TFormHaupt::FormActivate);
    }
}

void TFormHaupt::Info1Click() {
    FormInfo->hide();
    FormInfo->exec();
}

void TFormHaupt::Handbuch1Click() {
    // A missing manual or no PDF viewer is not reported.
    QDesktopServices::openUrl(QUrl::fromLocalFile(QDir(exepath).filePath(QStringLiteral("handbuch/hb_quenda20.pdf"))));
}

void TFormHaupt::Timer1Timer() {
    const QDateTime jetzt = m_uhr.jetzt();
    StatusBar1[2]->setText(wochentagDatum(jetzt.date()));
    StatusBar1[3]->setText(jetzt.time().toString(QStringLiteral("HH:mm:ss")));
}

bool TFormHaupt::threadfrei() const {
    return steuerung->threadfrei();
}

void TFormHaupt::transferAnbinden() {
    connect(steuerung, &Transfersteuerung::laeuftGeaendert, this, &TFormHaupt::menueFuerTransfer);
    connect(steuerung, &Transfersteuerung::warnung, this, &TFormHaupt::Warnung);
    connect(steuerung, &Transfersteuerung::zyklusBeginnt, this, [this]() {
        Label7->show();
        memoKuerzen();
    });
    connect(steuerung, &Transfersteuerung::exporteEnde, this, [this]() {
        CheckBoxWebserver->setChecked(false);
        Label7->hide();
    });
    connect(steuerung, &Transfersteuerung::statistikNeu, this, &TFormHaupt::ChartUpdate);
    connect(steuerung, &Transfersteuerung::zielstatusNeu, m_zielstatus, &Zielstatusanzeige::zeigen);
    connect(steuerung, &Transfersteuerung::letzteAktualisierung, Label10, &QLabel::setText);
    connect(steuerung, &Transfersteuerung::baumNeu, TreeView1, &AuslosungTree::aufbauen);
    connect(CheckBoxWebserver, &QCheckBox::toggled, steuerung, &Transfersteuerung::setResend);
}

void TFormHaupt::memoKuerzen() {
    // Keeps the memo small over a long day: above 1000 entries the 101 oldest go. An entry is one text
    // block, however many screen lines it wraps to.
    if (Memo1->document()->blockCount() > 1000) {
        QTextCursor cursor(Memo1->document());
        cursor.movePosition(QTextCursor::Start);
        cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor, 101);
        cursor.removeSelectedText();
    }
}

void TFormHaupt::menueFuerTransfer(bool laeuft) {
    const bool verbunden = kontext.dbturid > 0;
    Starten1->setEnabled(verbunden && !laeuft);
    Stoppen1->setEnabled(laeuft);
    WebserverAblage1->setEnabled(verbunden && !laeuft);
    IntervallDatenaktualisierung1->setEnabled(verbunden && !laeuft);
    Profile1->setEnabled(verbunden && !laeuft);
    Datenbank1->setEnabled(!laeuft);
    RefreshAnzeigeWebserver1->setEnabled(verbunden); // also while a transfer runs
    LOGAnzeigeWebserver1->setEnabled(verbunden);
    Update1->setEnabled(!laeuft);
}

void TFormHaupt::Starten1Click() {
    steuerung->setTurnier(kontext, Ablage);
    steuerung->setResend(CheckBoxWebserver->isChecked());
    try {
        steuerung->starten();
    } catch (const QuendaError& e) {
        fehlerZeigen(e.message());
    }
}

void TFormHaupt::Stoppen1Click() {
    steuerung->stoppen();
    FormWarnung->hide();
}

void TFormHaupt::WebserverAblage1Click() {
    TFormAblage::WebserverAblage(this, kontext.tsdir, Ablage, meldungen, m_uhr);
    zielstatusLaden(); // a target may have been switched on or off
}

void TFormHaupt::zielstatusLaden() {
    m_zielstatus->zeigen(ZielstatusLoad(kontext.tsdir, Ablage));
    m_zielstatus->show();
}

void TFormHaupt::IntervallDatenaktualisierung1Click() {
    try {
        TFormIntervall::IntervallDatenaktualisierung(this, dm, kontext, AusloList, m_uhr, protokoll, meldungen);
    } catch (const QuendaError& e) {
        fehlerZeigen(e.message());
    }
}

void TFormHaupt::Profile1Click() {
    TFormProfil dialog(kontext, Ablage, meldungen, m_uhr, this);
    dialog.exec();
}

void TFormHaupt::Warnung() {
    FormWarnung->SetWarnung(fehler.wfehler(), fehler.wmeldung());
}

Anzeigesteuerung TFormHaupt::anzeigesteuerung() {
    return Anzeigesteuerung(kontext, Ablage, protokoll, statistik, fehler, m_uhr, http);
}

void TFormHaupt::RefreshAnzeigeWebserver1Click() {
    try {
        anzeigesteuerung().RefreshAnzeige();
    } catch (const QuendaError& e) {
        fehlerZeigen(e.message());
    }
}

void TFormHaupt::LOGAnzeigeWebserver1Click(bool an) {
    logAnzeigen(!an); // the tick shows what was read back, not the request
    try {
        logAnzeigen(anzeigesteuerung().LogOnOff_setzen(an));
    } catch (const QuendaError& e) {
        fehlerZeigen(e.message());
    }
}

void TFormHaupt::LogCheck() {
    try {
        logAnzeigen(anzeigesteuerung().LogCheck());
    } catch (const QuendaError& e) {
        fehlerZeigen(e.message()); // the tick keeps its state
    }
}

void TFormHaupt::logAnzeigen(bool an) {
    LOGAnzeigeWebserver1->setChecked(an);
    Label8->setVisible(an);
}

void TFormHaupt::Update1Click() {
    Versionspruefung(http, meldungen).Update1Click(prgversion, programmdateiLesen(exepath).dienst);
}

void TFormHaupt::ChartUpdate(const QList<Zyklusstatistik>& zyklen) {
    auto* reihen = qobject_cast<QBarSeries*>(Chart1->series().value(0));
    if (!reihen) {
        return;
    }
    const Diagrammausschnitt ausschnitt = diagrammausschnitt(zyklen);
    const QList<QBarSet*> sets = reihen->barSets();
    for (QBarSet* set : sets) {
        set->remove(0, set->count());
    }
    for (qsizetype i = ausschnitt.erster; i < zyklen.size(); ++i) {
        for (qsizetype k = 0; k < sets.size() && k < 5; ++k) {
            sets[k]->append(zyklen[i].zaehler[static_cast<size_t>(k)]);
        }
    }
    for (QAbstractAxis* achse : Chart1->axes()) {
        Chart1->removeAxis(achse);
        delete achse;
    }
    auto* x = new QBarCategoryAxis(Chart1);
    x->append(ausschnitt.kategorien);
    x->setLabelsAngle(-90);
    x->setLabelsColor(Qt::white);
    if (ausschnitt.erster > 0) {
        x->setTitleText(ausschnitt.hinweis);
        x->setTitleBrush(Qt::white);
    }
    auto* y = new QValueAxis(Chart1);
    y->setRange(0, ausschnitt.hoechster);
    y->setTickType(QValueAxis::TicksDynamic);
    y->setTickAnchor(0);
    y->setTickInterval(ausschnitt.schritt);
    y->setLabelFormat(QStringLiteral("%d"));
    y->setLabelsColor(Qt::white);
    Chart1->addAxis(x, Qt::AlignBottom);
    Chart1->addAxis(y, Qt::AlignLeft);
    reihen->attachAxis(x);
    reihen->attachAxis(y);
}

void TFormHaupt::closeEvent(QCloseEvent* event) {
    // A running cycle finishes first; the window keeps handling events meanwhile so the cycle can report.
    if (steuerung->laeuft()) {
        steuerung->stoppen();
    }
    while (!threadfrei()) {
        QEventLoop warten;
        QTimer::singleShot(1000, &warten, &QEventLoop::quit);
        warten.exec();
    }
    event->accept();
}

void TFormHaupt::fehlerZeigen(const QString& text) {
    QMessageBox::critical(this, QStringLiteral("Quenda"), text);
}

} // namespace quenda
