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
    Memo1 = new QPlainTextEdit(rechts);
    Memo1->setReadOnly(true);
    Memo1->setMaximumBlockCount(0);
    rechts->addWidget(Memo1);
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
    Label2 = new QLabel(kopf);
    Label4 = new QLabel(kopf);
    Label6 = new QLabel(kopf);
    for (QLabel* label : {Label2, Label4, Label6}) {
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    raster->addWidget(fett(QStringLiteral("Datenbank:"), kopf), 0, 0);
    raster->addWidget(Label2, 0, 1, 1, 2);
    raster->addWidget(fett(QStringLiteral("Turnier:"), kopf), 1, 0);
    raster->addWidget(Label4, 1, 1);
    raster->addWidget(fett(QStringLiteral("Turnier ID:"), kopf), 2, 0);
    raster->addWidget(Label6, 2, 1);
    CheckBoxWebserver = new QCheckBox(QStringLiteral("Aktualisierung Daten zum Webserver"), kopf);
    raster->addWidget(CheckBoxWebserver, 2, 2, Qt::AlignRight);
    Label7 = new QLabel(QStringLiteral("Daten werden geholt und aktualisiert!"), kopf);
    Label8 = new QLabel(QStringLiteral("LOG-MODUS für Anzeige Webserver eingeschaltet!"), kopf);
    for (QLabel* banner : {Label7, Label8}) {
        stil::alsWarnbanner(banner);
        banner->hide();
    }
    raster->addWidget(Label7, 0, 3, Qt::AlignRight);
    raster->addWidget(Label8, 1, 3, Qt::AlignRight);
    raster->setColumnStretch(1, 1);
    return kopf;
}

QWidget* TFormHaupt::linkeSpalteAnlegen() {
    auto* spalte = new QWidget(this);
    spalte->setMinimumWidth(150);
    auto* layout = new QVBoxLayout(spalte);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(new QLabel(QStringLiteral("Letzte Aktualisierung:"), spalte));
    Label10 = fett(QStringLiteral("----"), spalte);
    layout->addWidget(Label10);
    auto* legende = new QHBoxLayout;
    legende->addWidget(farbig(QStringLiteral("FREIGABE"), stil::freigabeBlau, spalte));
    legende->addWidget(farbig(QStringLiteral("BETRIEB"), stil::betriebGruen, spalte));
    legende->addStretch();
    layout->addLayout(legende);
    TreeView1 = new AuslosungTree(spalte);
    layout->addWidget(TreeView1, 1);
    return spalte;
}

QWidget* TFormHaupt::diagrammAnlegen() {
    Chart1 = new QChart;
    Chart1->setTitle(QStringLiteral("Übertragungen"));
    Chart1->setTitleBrush(Qt::white);
    QLinearGradient verlauf(0, 0, 0, 1);
    verlauf.setCoordinateMode(QGradient::ObjectBoundingMode);
    verlauf.setColorAt(0, QColor(0x3A, 0x3A, 0x3A));
    verlauf.setColorAt(1, Qt::black);
    Chart1->setBackgroundBrush(verlauf);
    Chart1->legend()->setLabelColor(Qt::white);
    Chart1->legend()->setAlignment(Qt::AlignBottom);
    Chart1->setMargins(QMargins(4, 4, 4, 4));
    auto* reihen = new QBarSeries(Chart1);
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
    Chart1->addSeries(reihen);
    auto* ansicht = new QChartView(Chart1, this);
    ansicht->setRenderHint(QPainter::Antialiasing);
    ansicht->setMinimumHeight(160);
    return ansicht;
}

void TFormHaupt::menueAnlegen() {
    QMenu* transfer = menuBar()->addMenu(QStringLiteral("Daten-Transfer"));
    transfer->setToolTipsVisible(true);
    Starten1 = transfer->addAction(QStringLiteral("Starten"));
    Stoppen1 = transfer->addAction(QStringLiteral("Stoppen"));
    transfer->addSeparator();
    WebserverAblage1 = transfer->addAction(QStringLiteral("Webserver Ablage"));
    IntervallDatenaktualisierung1 = transfer->addAction(QStringLiteral("Intervall Datenaktualisierung"));
    Profile1 = transfer->addAction(QStringLiteral("Profile"));
    transfer->addSeparator();
    RefreshAnzeigeWebserver1 = transfer->addAction(QStringLiteral("Refresh Anzeige Webserver"));
    LOGAnzeigeWebserver1 = transfer->addAction(QStringLiteral("LOG Anzeige Webserver"));
    LOGAnzeigeWebserver1->setCheckable(true);
    Prsentation2 = menuBar()->addAction(QStringLiteral("Präsentation"));
    QMenu* einstellungen = menuBar()->addMenu(QStringLiteral("Einstellungen"));
    Datenbank1 = einstellungen->addAction(QStringLiteral("Turnier-Datenbank wechseln"));
    QMenu* hilfe = menuBar()->addMenu(QStringLiteral("Hilfe"));
    hilfe->setToolTipsVisible(true);
    Info1 = hilfe->addAction(QStringLiteral("Info"));
    Handbuch1 = hilfe->addAction(QStringLiteral("Handbuch Turnier-Velmar"));
    Update1 = hilfe->addAction(QStringLiteral("Update Prüfung"));

    // Need a connected tournament first.
    for (QAction* nachVerbindung : {Starten1, Stoppen1, WebserverAblage1, IntervallDatenaktualisierung1, Profile1,
                                    RefreshAnzeigeWebserver1, LOGAnzeigeWebserver1}) {
        nachVerbindung->setEnabled(false);
    }
    connect(Starten1, &QAction::triggered, this, &TFormHaupt::Starten1Click);
    connect(Stoppen1, &QAction::triggered, this, &TFormHaupt::Stoppen1Click);
    connect(WebserverAblage1, &QAction::triggered, this, &TFormHaupt::WebserverAblage1Click);
    connect(IntervallDatenaktualisierung1, &QAction::triggered, this, &TFormHaupt::IntervallDatenaktualisierung1Click);
    connect(Profile1, &QAction::triggered, this, &TFormHaupt::Profile1Click);
    connect(Datenbank1, &QAction::triggered, this, &TFormHaupt::Datenbank1Click);
    connect(Info1, &QAction::triggered, this, &TFormHaupt::Info1Click);
    connect(Handbuch1, &QAction::triggered, this, &TFormHaupt::Handbuch1Click);
    connect(RefreshAnzeigeWebserver1, &QAction::triggered, this, &TFormHaupt::RefreshAnzeigeWebserver1Click);
    connect(LOGAnzeigeWebserver1, &QAction::triggered, this, &TFormHaupt::LOGAnzeigeWebserver1Click);
    connect(Update1, &QAction::triggered, this, &TFormHaupt::Update1Click);
    connect(Prsentation2, &QAction::triggered, this, &TFormHaupt::Prsentation2Click);
}

void TFormHaupt::statusleisteAnlegen() {
    const int breiten[4] = {420, 250, 100, 70};
    for (int i = 0; i < 4; ++i) {
        StatusBar1[i] = new QLabel(this);
        StatusBar1[i]->setFixedWidth(breiten[i]);
        StatusBar1[i]->setFrameShape(QFrame::StyledPanel);
        statusBar()->addWidget(StatusBar1[i]);
    }
    StatusBar1[3]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    StatusBar1[1]->setText(QStringLiteral("Live-Daten für die Turnierpräsentation"));
}

} // namespace quenda
