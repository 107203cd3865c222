#include "TFormBereich_eg.h"

#include "presentation/Praesentationsmodell.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

namespace quenda {

namespace {

QCheckBox* option(const QString& text, const QString& name, QWidget* eltern) {
    auto* box = new QCheckBox(text, eltern);
    box->setObjectName(name);
    return box;
}

int haken(const QCheckBox* box) {
    return box->isChecked() ? 1 : 0;
}

} // namespace

TFormBereich_eg::TFormBereich_eg(MeldungsAusgabe& meldungen, QWidget* parent)
    : Elementdialog(QStringLiteral("Bereich Neu/Ändern"), meldungen, parent) {
    auto* optionen = new QGroupBox(QStringLiteral("Anzeige Optionen"), this);
    auto* spalten = new QGridLayout(optionen);
    aktiviert = option(QStringLiteral("Aktiviert"), QStringLiteral("aktiviert"), optionen);
    nextDisplay = option(QStringLiteral("NEXT-Display "), QStringLiteral("nextDisplay"), optionen);
    gaugeDisplay = option(QStringLiteral("GAUGE-Display"), QStringLiteral("gaugeDisplay"), optionen);
    sortiert = option(QStringLiteral("Objekte sortiert sonst aktuell"), QStringLiteral("sortiert"), optionen);
    spalten->addWidget(aktiviert, 0, 0);
    spalten->addWidget(nextDisplay, 0, 1);
    spalten->addWidget(gaugeDisplay, 1, 0);
    spalten->addWidget(sortiert, 1, 1);
    inhalt()->addWidget(optionen);
    lage = new Lagefelder(QStringLiteral("Bildschirm/Bereich"), this);
    inhalt()->addWidget(lage);
    auto* raster = new QGridLayout;
    hintergrund = bildzeile(raster, 0, QStringLiteral("Hintergrund - Datei"), QStringLiteral("hintergrund"));
    inhalt()->addLayout(raster);
}

void TFormBereich_eg::obereGrenzen(int breite, int hoehe) {
    lage->obereGrenzen(breite, hoehe);
}

void TFormBereich_eg::zeigen(const TBereich& r, int ebeneBreite, int ebeneHoehe) {
    lage->zeigen(lageVon(r), ebeneBreite, ebeneHoehe);
    aktiviert->setChecked(r.sc == 1);
    nextDisplay->setChecked(r.nd == 1);
    gaugeDisplay->setChecked(r.gd == 1);
    sortiert->setChecked(r.rh == 1);
    hintergrund->setText(r.backgroundimage);
}

void TFormBereich_eg::lesen(TBereich& r) const {
    lageUebernehmen(r, lage->werte());
    r.sc = haken(aktiviert);
    r.nd = haken(nextDisplay);
    r.gd = haken(gaugeDisplay);
    r.rh = haken(sortiert);
    r.backgroundimage = hintergrund->text();
}

} // namespace quenda
