#include "TFormBildschirm_eg.h"

#include <QGridLayout>
#include <QVBoxLayout>

namespace quenda {

TFormBildschirm_eg::TFormBildschirm_eg(MeldungsAusgabe& meldungen, QWidget* parent)
    : Elementdialog(QStringLiteral("Bildschirm Neu/Ändern"), meldungen, parent) {
    lage = new Lagefelder(QStringLiteral("Bildschirm/Bereich"), this);
    inhalt()->addWidget(lage);
    auto* raster = new QGridLayout;
    Edit1 = bildzeile(raster, 0, QStringLiteral("Hintergrund - Datei"));
    inhalt()->addLayout(raster);
}

} // namespace quenda
