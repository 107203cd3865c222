#include "TFormEbene_eg.h"

#include "presentation/Praesentationsmodell.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

namespace quenda {

TFormEbene_eg::TFormEbene_eg(MeldungsAusgabe& meldungen, QWidget* parent)
    : Elementdialog(QStringLiteral("Ebene Neu/Ändern"), meldungen, parent) {
    lage = new Lagefelder(QStringLiteral("Ebene"), this);
    inhalt()->addWidget(lage);
    auto* raster = new QGridLayout;
    hintergrund = bildzeile(raster, 0, QStringLiteral("Hintergrund - Datei"), QStringLiteral("hintergrund"));
    anzeigeIntervall = zahlfeld(this, 5, 0, 86400);
    anzeigedauer = zahlfeld(this, 5, 0, 86400);
    randstaerke = zahlfeld(this, 1, 0, 20);
    anzeigeIntervall->setObjectName(QStringLiteral("anzeigeIntervall"));
    anzeigedauer->setObjectName(QStringLiteral("anzeigedauer"));
    randstaerke->setObjectName(QStringLiteral("randstaerke"));
    raster->addWidget(new QLabel(QStringLiteral("Anzeige Intervall in Sek."), this), 1, 0);
    raster->addWidget(anzeigeIntervall, 1, 1, Qt::AlignLeft);
    raster->addWidget(new QLabel(QStringLiteral("Anzeigedauer in Sek."), this), 2, 0);
    raster->addWidget(anzeigedauer, 2, 1, Qt::AlignLeft);
    raster->addWidget(new QLabel(QStringLiteral("Randstärke"), this), 3, 0);
    raster->addWidget(randstaerke, 3, 1, Qt::AlignLeft);
    inhalt()->addLayout(raster);
}

void TFormEbene_eg::obereGrenzen(int breite, int hoehe) {
    lage->obereGrenzen(breite, hoehe);
}

void TFormEbene_eg::zeigen(const TEbene& e, int bildschirmBreite, int bildschirmHoehe) {
    lage->zeigen(lageVon(e), bildschirmBreite, bildschirmHoehe);
    hintergrund->setText(e.backgroundimage);
    anzeigeIntervall->setValue(e.beginn);
    anzeigedauer->setValue(e.dauer);
    randstaerke->setValue(e.border);
}

void TFormEbene_eg::lesen(TEbene& e) const {
    lageUebernehmen(e, lage->werte());
    e.backgroundimage = hintergrund->text();
    e.beginn = anzeigeIntervall->value();
    e.dauer = anzeigedauer->value();
    e.border = randstaerke->value();
}

} // namespace quenda
