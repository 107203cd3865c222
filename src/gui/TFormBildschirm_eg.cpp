#include "TFormBildschirm_eg.h"

#include "presentation/Praesentationsmodell.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace quenda {

TFormBildschirm_eg::TFormBildschirm_eg(MeldungsAusgabe& meldungen, QWidget* parent)
    : Elementdialog(QStringLiteral("Bildschirm Neu/Ändern"), meldungen, parent) {
    lage = new Lagefelder(QStringLiteral("Bildschirm/Bereich"), this);
    inhalt()->addWidget(lage);
    auto* raster = new QGridLayout;
    hintergrund = bildzeile(raster, 0, QStringLiteral("Hintergrund - Datei"), QStringLiteral("hintergrund"));
    inhalt()->addLayout(raster);
}

void TFormBildschirm_eg::obereGrenzen(int breite, int hoehe) {
    lage->obereGrenzen(breite, hoehe);
}

void TFormBildschirm_eg::zeigen(const TBildschirm& b) {
    lage->zeigen(lageVon(b));
    hintergrund->setText(b.backgroundimage);
}

void TFormBildschirm_eg::lesen(TBildschirm& b) const {
    lageUebernehmen(b, lage->werte());
    b.backgroundimage = hintergrund->text();
}

} // namespace quenda
