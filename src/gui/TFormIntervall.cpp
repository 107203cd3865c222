#include "TFormIntervall.h"

#include "TFormIntervall_eg.h"
#include "Turnierkontext.h"
#include "draws/AusloList.h"
#include "draws/IntervallAbgleich.h"
#include "draws/IntervallDatei.h"
#include "util/MeldungsAusgabe.h"
#include "util/QuendaError.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <set>

namespace quenda {

namespace {

// Each row remembers the 1-based list position of its record.
constexpr int positionRolle = Qt::UserRole;

} // namespace

TFormIntervall::TFormIntervall(AusloList& liste, QString tsdir, MeldungsAusgabe& meldungen, QWidget* parent)
    : QDialog(parent), m_liste(liste), m_tsdir(std::move(tsdir)), m_meldungen(meldungen) {
    setWindowTitle(QStringLiteral("Intervall - Datenaktualisierung Ändern"));
    QPalette farben = palette();
    farben.setColor(QPalette::Window, QColor(0xC0, 0xDC, 0xC0));
    setPalette(farben);
    setAutoFillBackground(true);

    auslosungen = new QTableWidget(0, 2, this);
    auslosungen->setObjectName(QStringLiteral("auslosungen"));
    auslosungen->setHorizontalHeaderLabels({QStringLiteral("Auslosung"), QStringLiteral("Zeit in Minute")});
    auslosungen->horizontalHeaderItem(1)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // The time column is as wide as its header needs, the names take the rest.
    auslosungen->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    auslosungen->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    auslosungen->verticalHeader()->hide();
    auslosungen->setShowGrid(true);
    auslosungen->setSelectionBehavior(QAbstractItemView::SelectRows);
    auslosungen->setSelectionMode(QAbstractItemView::ExtendedSelection);
    auslosungen->setEditTriggers(QAbstractItemView::NoEditTriggers);

    auto* aendern = new QPushButton(QStringLiteral("Zeitintervall ändern"), this);
    aendern->setObjectName(QStringLiteral("zeitintervallAendern"));
    auto* schliessen = new QPushButton(QStringLiteral("&Schließen"), this);
    connect(aendern, &QPushButton::clicked, this, &TFormIntervall::zeitintervallAendern);
    connect(schliessen, &QPushButton::clicked, this, &QDialog::accept);

    // Beyond the 60-second cycle: a result reaches the screens seconds after it was entered.
    sofort = new QCheckBox(QStringLiteral("Sofort bei Änderung"), this);
    sofort->setObjectName(QStringLiteral("sofortBeiAenderung"));
    sofort->setToolTip(QStringLiteral("Eine Änderung der Turnier-Datenbank überträgt die geänderten Gruppen "
                                      "sofort (höchstens alle 10 Sekunden), zusätzlich zum Minutentakt."));
    sofort->setChecked(SofortLoad(m_tsdir));
    connect(sofort, &QCheckBox::toggled, this, &TFormIntervall::speichern);

    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(aendern);
    knoepfe->addWidget(sofort);
    knoepfe->addStretch();
    knoepfe->addWidget(schliessen);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Auslosungen"), this));
    layout->addWidget(auslosungen, 1);
    layout->addLayout(knoepfe);
    resize(380, 420);
}

void TFormIntervall::IntervallDatenaktualisierung(QWidget* parent, TDM& tdm, const Turnierkontext& kontext,
                                                  AusloList& liste, Programmuhr& uhr, Ereignisprotokoll& protokoll,
                                                  MeldungsAusgabe& meldungen) {
    try {
        Intervallspeicher intervalle(kontext.tsdir, protokoll, uhr);
        intervallAuslosungenAbgleichen(tdm, kontext, liste, AusloUmgebung{uhr, protokoll, intervalle});
    } catch (const QuendaError& e) {
        meldungen.meldung(e.message());
        return;
    }
    TFormIntervall fenster(liste, kontext.tsdir, meldungen, parent);
    fenster.exec();
}

void TFormIntervall::showEvent(QShowEvent* event) {
    listeAufbauen();
    QDialog::showEvent(event);
}

void TFormIntervall::listeAufbauen() {
    auslosungen->clearContents();
    auslosungen->setRowCount(m_liste.count());
    for (int p = 1; p <= m_liste.count(); ++p) {
        const TAuslosung& a = m_liste.at(p);
        auto* name = new QTableWidgetItem(a.konkurrenz + u' ' + a.auslosung_bez + QStringLiteral(" Gr. ") +
                                          QString::number(a.gruppe));
        name->setData(positionRolle, p);
        name->setToolTip(name->text());
        auto* zeit = new QTableWidgetItem(QString::number(a.intervall));
        zeit->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auslosungen->setItem(p - 1, 0, name);
        auslosungen->setItem(p - 1, 1, zeit);
    }
}

void TFormIntervall::zeitintervallAendern() {
    std::set<int> zeilen;
    for (const QModelIndex& index : auslosungen->selectionModel()->selectedRows()) {
        zeilen.insert(index.row());
    }
    if (zeilen.empty()) {
        return;
    }
    const int start = zeilen.size() == 1
                          ? m_liste.at(auslosungen->item(*zeilen.begin(), 0)->data(positionRolle).toInt()).intervall
                          : 1;
    TFormIntervall_eg eingabe(start, this);
    if (eingabe.exec() != QDialog::Accepted) {
        return;
    }
    const int intervall = eingabe.wert();
    for (int zeile : zeilen) {
        m_liste.at(auslosungen->item(zeile, 0)->data(positionRolle).toInt()).intervall = intervall;
        auslosungen->item(zeile, 1)->setText(QString::number(intervall));
    }
    speichern();
}

void TFormIntervall::speichern() {
    try {
        Intervallsave(m_tsdir, m_liste, sofort->isChecked());
    } catch (const QuendaError& e) {
        m_meldungen.meldung(e.message());
    }
}

} // namespace quenda
