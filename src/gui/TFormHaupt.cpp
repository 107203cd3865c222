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
    : QMainWindow(parent), m_uhr(uhr), protokoll(uhr), meldungen(this) {
    // FormCreate
    programmordner = QCoreApplication::applicationDirPath();
    QDir::setCurrent(programmordner);
    version = programmdateiLesen(programmordner).version;
    kontext.apppath = appdata_pfad() + QStringLiteral("/quenda20/");
    objektarten = objektArten();
    steuerung =
        new Transfersteuerung(auslosungen, protokoll, uhr, statistik, fehler, http, meldungen, std::move(fabrik), this);
    layoutAnlegen();
    transferAnbinden();
    memo->clear();
    connect(&protokoll, &Ereignisprotokoll::memoZeile, memo, &QPlainTextEdit::appendPlainText);
    uhrzeitTimer = new QTimer(this);
    connect(uhrzeitTimer, &QTimer::timeout, this, &TFormHaupt::uhrzeitAnzeigen);
    uhrzeitTimer->start(1000);
    uhrzeitAnzeigen();
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
    datenbankDialog = new TFormDB_connect(this);
    // A pick is offered as a change: the choice comes up, the connected tournament preselected when the same
    // database is picked again.
    datenbankDialog->setVerbinden([this](const QString& pfad) {
        return DBConnect(pfad, pfad == kontext.dbpath ? kontext.dbturid : 0, true) == Anschluss::Verbunden;
    });
    fortschritt(20);
    turnierwahl = new TFormTurwahl(meldungen, this);
    fortschritt(30);
    fortschritt(40);
    praesentation = new TFormPraesent(kontext, datenbank, meldungen, this);
    praesentation->setUebertragen([this]() { konfigurationUebertragen(); });
    praesentation->setRefresh([this]() { anzeigeAktualisieren(); });
    fortschritt(60);
    fortschritt(80);
    infofenster = new TFormInfo(version, QCoreApplication::applicationFilePath(), this);
    infofenster->setObjectName(QStringLiteral("infofenster"));
    warnfenster = new TFormWarnung(fehler, this);
    warnfenster->setObjectName(QStringLiteral("warnfenster"));
    fortschritt(100);
}

void TFormHaupt::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    benutzerordnerAnlegen();
    // Shown, then activated: also where no window manager sends an activation.
    QTimer::singleShot(0, this, &TFormHaupt::verbindenBeimStart);
}

void TFormHaupt::benutzerordnerAnlegen() {
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
        QTimer::singleShot(0, this, &TFormHaupt::verbindenBeimStart);
    }
}

void TFormHaupt::infoZeigen() {
    infofenster->hide();
    infofenster->exec();
}

void TFormHaupt::handbuchOeffnen() {
    // A missing manual or no PDF viewer is not reported.
    QDesktopServices::openUrl(
        QUrl::fromLocalFile(QDir(programmordner).filePath(QStringLiteral("handbuch/hb_quenda20.pdf"))));
}

void TFormHaupt::uhrzeitAnzeigen() {
    const QDateTime jetzt = m_uhr.jetzt();
    statusfelder[2]->setText(wochentagDatum(jetzt.date()));
    statusfelder[3]->setText(jetzt.time().toString(QStringLiteral("HH:mm:ss")));
}

bool TFormHaupt::threadfrei() const {
    return steuerung->threadfrei();
}

void TFormHaupt::transferAnbinden() {
    connect(steuerung, &Transfersteuerung::laeuftGeaendert, this, &TFormHaupt::menueFuerTransfer);
    connect(steuerung, &Transfersteuerung::warnung, this, &TFormHaupt::warnungZeigen);
    connect(steuerung, &Transfersteuerung::zyklusBeginnt, this, [this]() {
        abrufHinweis->show();
        memoKuerzen();
    });
    connect(steuerung, &Transfersteuerung::exporteEnde, this, [this]() {
        aktualisierungWebserver->setChecked(false);
        abrufHinweis->hide();
    });
    connect(steuerung, &Transfersteuerung::statistikNeu, this, &TFormHaupt::diagrammZeichnen);
    connect(steuerung, &Transfersteuerung::zielstatusNeu, m_zielstatus, &Zielstatusanzeige::zeigen);
    connect(steuerung, &Transfersteuerung::letzteAktualisierung, letzteAktualisierung, &QLabel::setText);
    connect(steuerung, &Transfersteuerung::baumNeu, auslosungsbaum, &AuslosungTree::aufbauen);
    connect(aktualisierungWebserver, &QCheckBox::toggled, steuerung, &Transfersteuerung::setResend);
}

void TFormHaupt::memoKuerzen() {
    // Keeps the memo small over a long day: above 1000 entries the 101 oldest go. An entry is one text
    // block, however many screen lines it wraps to.
    if (memo->document()->blockCount() > 1000) {
        QTextCursor cursor(memo->document());
        cursor.movePosition(QTextCursor::Start);
        cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor, 101);
        cursor.removeSelectedText();
    }
}

void TFormHaupt::menueFuerTransfer(bool laeuft) {
    const bool verbunden = kontext.dbturid > 0;
    menueStarten->setEnabled(verbunden && !laeuft);
    menueStoppen->setEnabled(laeuft);
    menueAblage->setEnabled(verbunden && !laeuft);
    menueIntervall->setEnabled(verbunden && !laeuft);
    menueProfile->setEnabled(verbunden && !laeuft);
    menueDatenbank->setEnabled(!laeuft);
    menueRefresh->setEnabled(verbunden); // also while a transfer runs
    menueLogmodus->setEnabled(verbunden);
    menueUpdate->setEnabled(!laeuft);
}

void TFormHaupt::uebertragungStarten() {
    steuerung->setTurnier(kontext, ablage);
    steuerung->setResend(aktualisierungWebserver->isChecked());
    try {
        steuerung->starten();
    } catch (const QuendaError& e) {
        fehlerZeigen(e.message());
    }
}

void TFormHaupt::uebertragungStoppen() {
    steuerung->stoppen();
    warnfenster->hide();
}

void TFormHaupt::ablageBearbeiten() {
    TFormAblage::WebserverAblage(this, kontext.tsdir, ablage, meldungen, m_uhr);
    zielstatusLaden(); // a target may have been switched on or off
}

void TFormHaupt::zielstatusLaden() {
    m_zielstatus->zeigen(ZielstatusLoad(kontext.tsdir, ablage));
    m_zielstatus->show();
}

void TFormHaupt::intervalleBearbeiten() {
    try {
        TFormIntervall::IntervallDatenaktualisierung(this, datenbank, kontext, auslosungen, m_uhr, protokoll,
                                                     meldungen);
    } catch (const QuendaError& e) {
        fehlerZeigen(e.message());
    }
}

void TFormHaupt::profileVerwalten() {
    TFormProfil dialog(kontext, ablage, meldungen, m_uhr, this);
    dialog.exec();
}

void TFormHaupt::warnungZeigen() {
    warnfenster->SetWarnung(fehler.wfehler(), fehler.wmeldung());
}

Anzeigesteuerung TFormHaupt::anzeigesteuerung() {
    return Anzeigesteuerung(kontext, ablage, protokoll, statistik, fehler, m_uhr, http);
}

void TFormHaupt::anzeigeAktualisieren() {
    try {
        anzeigesteuerung().RefreshAnzeige();
    } catch (const QuendaError& e) {
        fehlerZeigen(e.message());
    }
}

void TFormHaupt::logmodusSchalten(bool an) {
    logAnzeigen(!an); // the tick shows what was read back, not the request
    try {
        logAnzeigen(anzeigesteuerung().LogOnOff_setzen(an));
    } catch (const QuendaError& e) {
        fehlerZeigen(e.message());
    }
}

void TFormHaupt::logmodusLesen() {
    try {
        logAnzeigen(anzeigesteuerung().LogCheck());
    } catch (const QuendaError& e) {
        fehlerZeigen(e.message()); // the tick keeps its state
    }
}

void TFormHaupt::logAnzeigen(bool an) {
    menueLogmodus->setChecked(an);
    logmodusHinweis->setVisible(an);
}

void TFormHaupt::updatePruefen() {
    Versionspruefung(http, meldungen).Update1Click(version, programmdateiLesen(programmordner).dienst);
}

void TFormHaupt::diagrammZeichnen(const QList<Zyklusstatistik>& zyklen) {
    auto* reihen = qobject_cast<QBarSeries*>(diagramm->series().value(0));
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
    for (QAbstractAxis* achse : diagramm->axes()) {
        diagramm->removeAxis(achse);
        delete achse;
    }
    auto* x = new QBarCategoryAxis(diagramm);
    x->append(ausschnitt.kategorien);
    x->setLabelsAngle(-90);
    x->setLabelsColor(Qt::white);
    if (ausschnitt.erster > 0) {
        x->setTitleText(ausschnitt.hinweis);
        x->setTitleBrush(Qt::white);
    }
    auto* y = new QValueAxis(diagramm);
    y->setRange(0, ausschnitt.hoechster);
    y->setTickType(QValueAxis::TicksDynamic);
    y->setTickAnchor(0);
    y->setTickInterval(ausschnitt.schritt);
    y->setLabelFormat(QStringLiteral("%d"));
    y->setLabelsColor(Qt::white);
    diagramm->addAxis(x, Qt::AlignBottom);
    diagramm->addAxis(y, Qt::AlignLeft);
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
