// Layout, menu and status bar of the main window.
#include "AuslosungTree.h"
#include "Stil.h"
#include "TFormHaupt.h"
#include "Zielstatusanzeige.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>

namespace quenda {

namespace {

QLabel* fett(const QString& text, QWidget* eltern) {
    auto* label = new QLabel(text, eltern);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    return label;
}

QLabel* farbig(const QString& text, const QColor& farbe, QWidget* eltern) {
    QLabel* label = fett(text, eltern);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, farbe);
    label->setPalette(p);
    return label;
}

QSplitter* splitter(Qt::Orientation richtung, QWidget* eltern) {
    auto* s = new QSplitter(richtung, eltern);
    s->setHandleWidth(5);
    s->setStyleSheet(QStringLiteral("QSplitter::handle { background-color: #8FA7BE; }"));
    s->setChildrenCollapsible(false);
    return s;
}

} // namespace

void TFormHaupt::layoutAnlegen() {
    setWindowTitle(QStringLiteral("Quenda"));
    auto* senkrecht = splitter(Qt::Vertical, this);
    // The band on top: the connected tournament, and below it whether each display is current.
    auto* oben = new QWidget(senkrecht);
    auto* obenLayout = new QVBoxLayout(oben);
    obenLayout->setContentsMargins(0, 0, 0, 0);
    obenLayout->setSpacing(0);
    obenLayout->addWidget(kopfbereichAnlegen());
    m_zielstatus = new Zielstatusanzeige(oben);
    m_zielstatus->hide(); // until a tournament is connected
    obenLayout->addWidget(m_zielstatus);
    senkrecht->addWidget(oben);
    auto* waagrecht = splitter(Qt::Horizontal, senkrecht);
    waagrecht->addWidget(linkeSpalteAnlegen());
    auto* rechts = splitter(Qt::Vertical, waagrecht);
    rechts->addWidget(diagrammAnlegen());
    memo = new QPlainTextEdit(rechts);
    memo->setReadOnly(true);
    memo->setMaximumBlockCount(0);
    memo->setObjectName(QStringLiteral("memo"));
    rechts->addWidget(memo);
    rechts->setSizes({380, 260});
    waagrecht->addWidget(rechts);
    waagrecht->setSizes({185, 684});
    waagrecht->setStretchFactor(1, 1);
    senkrecht->addWidget(waagrecht);
    senkrecht->setSizes({140, 602});
    senkrecht->setStretchFactor(1, 1);
    setCentralWidget(senkrecht);
    menueAnlegen();
    statusleisteAnlegen();

    QSize groesse(869, 742);
    if (const QScreen* bildschirm = QGuiApplication::primaryScreen()) {
        const QRect frei = bildschirm->availableGeometry();
        groesse = groesse.boundedTo(frei.size() - QSize(0, 70));
        resize(groesse);
        move(frei.center() - rect().center());
    } else {
        resize(groesse);
    }
}

QWidget* TFormHaupt::kopfbereichAnlegen() {
    auto* kopf = new QWidget(this);
    kopf->setAutoFillBackground(true);
    QPalette p = kopf->palette();
    p.setColor(QPalette::Window, stil::geldgruen);
    kopf->setPalette(p);
    kopf->setMinimumHeight(89);
    auto* raster = new QGridLayout(kopf);
    raster->setContentsMargins(10, 6, 10, 6);
    datenbankPfad = new QLabel(kopf);
    turnierName = new QLabel(kopf);
    turnierId = new QLabel(kopf);
    datenbankPfad->setObjectName(QStringLiteral("datenbankPfad"));
    turnierName->setObjectName(QStringLiteral("turnierName"));
    turnierId->setObjectName(QStringLiteral("turnierId"));
    for (QLabel* label : {datenbankPfad, turnierName, turnierId}) {
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    raster->addWidget(fett(QStringLiteral("Datenbank:"), kopf), 0, 0);
    raster->addWidget(datenbankPfad, 0, 1, 1, 2);
    raster->addWidget(fett(QStringLiteral("Turnier:"), kopf), 1, 0);
    raster->addWidget(turnierName, 1, 1);
    raster->addWidget(fett(QStringLiteral("Turnier ID:"), kopf), 2, 0);
    raster->addWidget(turnierId, 2, 1);
    aktualisierungWebserver = new QCheckBox(QStringLiteral("Aktualisierung Daten zum Webserver"), kopf);
    aktualisierungWebserver->setObjectName(QStringLiteral("aktualisierungWebserver"));
    raster->addWidget(aktualisierungWebserver, 2, 2, Qt::AlignRight);
    abrufHinweis = new QLabel(QStringLiteral("Daten werden geholt und aktualisiert!"), kopf);
    logmodusHinweis = new QLabel(QStringLiteral("LOG-MODUS für Anzeige Webserver eingeschaltet!"), kopf);
    abrufHinweis->setObjectName(QStringLiteral("abrufHinweis"));
    logmodusHinweis->setObjectName(QStringLiteral("logmodusHinweis"));
    for (QLabel* banner : {abrufHinweis, logmodusHinweis}) {
        stil::alsWarnbanner(banner);
        banner->hide();
    }
    raster->addWidget(abrufHinweis, 0, 3, Qt::AlignRight);
    raster->addWidget(logmodusHinweis, 1, 3, Qt::AlignRight);
    raster->setColumnStretch(1, 1);
    return kopf;
}

QWidget* TFormHaupt::linkeSpalteAnlegen() {
    auto* spalte = new QWidget(this);
    spalte->setMinimumWidth(150);
    auto* layout = new QVBoxLayout(spalte);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(new QLabel(QStringLiteral("Letzte Aktualisierung:"), spalte));
    letzteAktualisierung = fett(QStringLiteral("----"), spalte);
    letzteAktualisierung->setObjectName(QStringLiteral("letzteAktualisierung"));
    layout->addWidget(letzteAktualisierung);
    auto* legende = new QHBoxLayout;
    legende->addWidget(farbig(QStringLiteral("FREIGABE"), stil::freigabeBlau, spalte));
    legende->addWidget(farbig(QStringLiteral("BETRIEB"), stil::betriebGruen, spalte));
    legende->addStretch();
    layout->addLayout(legende);
    auslosungsbaum = new AuslosungTree(spalte);
    auslosungsbaum->setObjectName(QStringLiteral("auslosungsbaum"));
    layout->addWidget(auslosungsbaum, 1);
    return spalte;
}

QWidget* TFormHaupt::diagrammAnlegen() {
    diagramm = new QChart;
    diagramm->setTitle(QStringLiteral("Übertragungen"));
    diagramm->setTitleBrush(Qt::white);
    QLinearGradient verlauf(0, 0, 0, 1);
    verlauf.setCoordinateMode(QGradient::ObjectBoundingMode);
    verlauf.setColorAt(0, QColor(0x3A, 0x3A, 0x3A));
    verlauf.setColorAt(1, Qt::black);
    diagramm->setBackgroundBrush(verlauf);
    diagramm->legend()->setLabelColor(Qt::white);
    diagramm->legend()->setAlignment(Qt::AlignBottom);
    diagramm->setMargins(QMargins(4, 4, 4, 4));
    auto* reihen = new QBarSeries(diagramm);
    const struct {
        const char16_t* name;
        QColor farbe;
    } sets[] = {{u"POCKO OK", QColor(0x00, 0xFF, 0x00)},
                {u"POCKO ERROR", QColor(0xFF, 0x00, 0x00)},
                {u"VELMAR OK", QColor(0x00, 0x80, 0x00)},
                {u"VELMAR ERROR", QColor(0xFF, 0x00, 0xFF)},
                {u"KEINE AKTUALISIERUNGEN", QColor(Qt::black)}};
    for (const auto& s : sets) {
        auto* set = new QBarSet(QString::fromUtf16(s.name), reihen);
        set->setColor(s.farbe);
        set->setBorderColor(s.farbe == Qt::black ? QColor(Qt::white) : s.farbe);
        reihen->append(set);
    }
    reihen->setBarWidth(0.5); // five bars of 10 % of the category each
    diagramm->addSeries(reihen);
    auto* ansicht = new QChartView(diagramm, this);
    ansicht->setObjectName(QStringLiteral("diagramm"));
    ansicht->setRenderHint(QPainter::Antialiasing);
    ansicht->setMinimumHeight(160);
    return ansicht;
}

void TFormHaupt::menueAnlegen() {
    QMenu* transfer = menuBar()->addMenu(QStringLiteral("Daten-Transfer"));
    transfer->setToolTipsVisible(true);
    menueStarten = transfer->addAction(QStringLiteral("Starten"));
    menueStoppen = transfer->addAction(QStringLiteral("Stoppen"));
    transfer->addSeparator();
    menueAblage = transfer->addAction(QStringLiteral("Webserver Ablage"));
    menueIntervall = transfer->addAction(QStringLiteral("Intervall Datenaktualisierung"));
    menueProfile = transfer->addAction(QStringLiteral("Profile"));
    transfer->addSeparator();
    menueRefresh = transfer->addAction(QStringLiteral("Refresh Anzeige Webserver"));
    menueLogmodus = transfer->addAction(QStringLiteral("LOG Anzeige Webserver"));
    menueLogmodus->setCheckable(true);
    menuePraesentation = menuBar()->addAction(QStringLiteral("Präsentation"));
    QMenu* einstellungen = menuBar()->addMenu(QStringLiteral("Einstellungen"));
    menueDatenbank = einstellungen->addAction(QStringLiteral("Turnier-Datenbank wechseln"));
    QMenu* hilfe = menuBar()->addMenu(QStringLiteral("Hilfe"));
    hilfe->setToolTipsVisible(true);
    menueInfo = hilfe->addAction(QStringLiteral("Info"));
    menueHandbuch = hilfe->addAction(QStringLiteral("Handbuch Turnier-Velmar"));
    menueUpdate = hilfe->addAction(QStringLiteral("Update Prüfung"));

    const std::pair<QAction*, const char16_t*> namen[] = {
        {menueStarten, u"menueStarten"},     {menueStoppen, u"menueStoppen"},
        {menueAblage, u"menueAblage"},       {menueIntervall, u"menueIntervall"},
        {menueProfile, u"menueProfile"},     {menueRefresh, u"menueRefresh"},
        {menueLogmodus, u"menueLogmodus"},   {menuePraesentation, u"menuePraesentation"},
        {menueDatenbank, u"menueDatenbank"}, {menueInfo, u"menueInfo"},
        {menueHandbuch, u"menueHandbuch"},   {menueUpdate, u"menueUpdate"}};
    for (const auto& [aktion, name] : namen) {
        aktion->setObjectName(QString::fromUtf16(name));
    }

    // Need a connected tournament first.
    for (QAction* nachVerbindung :
         {menueStarten, menueStoppen, menueAblage, menueIntervall, menueProfile, menueRefresh, menueLogmodus}) {
        nachVerbindung->setEnabled(false);
    }
    connect(menueStarten, &QAction::triggered, this, &TFormHaupt::uebertragungStarten);
    connect(menueStoppen, &QAction::triggered, this, &TFormHaupt::uebertragungStoppen);
    connect(menueAblage, &QAction::triggered, this, &TFormHaupt::ablageBearbeiten);
    connect(menueIntervall, &QAction::triggered, this, &TFormHaupt::intervalleBearbeiten);
    connect(menueProfile, &QAction::triggered, this, &TFormHaupt::profileVerwalten);
    connect(menueDatenbank, &QAction::triggered, this, &TFormHaupt::datenbankWechseln);
    connect(menueInfo, &QAction::triggered, this, &TFormHaupt::infoZeigen);
    connect(menueHandbuch, &QAction::triggered, this, &TFormHaupt::handbuchOeffnen);
    connect(menueRefresh, &QAction::triggered, this, &TFormHaupt::anzeigeAktualisieren);
    connect(menueLogmodus, &QAction::triggered, this, &TFormHaupt::logmodusSchalten);
    connect(menueUpdate, &QAction::triggered, this, &TFormHaupt::updatePruefen);
    connect(menuePraesentation, &QAction::triggered, this, &TFormHaupt::praesentationOeffnen);
}

void TFormHaupt::statusleisteAnlegen() {
    const int breiten[4] = {420, 250, 100, 70};
    const char16_t* namen[4] = {u"statusLinks", u"statusTitel", u"statusDatum", u"statusUhrzeit"};
    for (int i = 0; i < 4; ++i) {
        statusfelder[i] = new QLabel(this);
        statusfelder[i]->setObjectName(QString::fromUtf16(namen[i]));
        statusfelder[i]->setFixedWidth(breiten[i]);
        statusfelder[i]->setFrameShape(QFrame::StyledPanel);
        statusBar()->addWidget(statusfelder[i]);
    }
    statusfelder[3]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    statusfelder[1]->setText(QStringLiteral("Live-Daten für die Turnierpräsentation"));
}

} // namespace quenda
