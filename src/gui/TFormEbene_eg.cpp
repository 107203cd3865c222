#include "TFormEbene_eg.h"

#include <QGridLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

namespace quenda {

TFormEbene_eg::TFormEbene_eg(MeldungsAusgabe& meldungen, QWidget* parent)
    : Elementdialog(QStringLiteral("Ebene Neu/Ändern"), meldungen, parent) {
    lage = new Lagefelder(QStringLiteral("Ebene"), this);
    inhalt()->addWidget(lage);
    auto* raster = new QGridLayout;
    Edit1 = bildzeile(raster, 0, QStringLiteral("Hintergrund - Datei"));
    SpinEdit1 = zahlfeld(this, 5, 0, 86400);
    SpinEdit2 = zahlfeld(this, 5, 0, 86400);
    SpinEdit3 = zahlfeld(this, 1, 0, 20);
    raster->addWidget(new QLabel(QStringLiteral("Anzeige Intervall in Sek."), this), 1, 0);
    raster->addWidget(SpinEdit1, 1, 1, Qt::AlignLeft);
    raster->addWidget(new QLabel(QStringLiteral("Anzeigedauer in Sek."), this), 2, 0);
    raster->addWidget(SpinEdit2, 2, 1, Qt::AlignLeft);
    raster->addWidget(new QLabel(QStringLiteral("Randstärke"), this), 3, 0);
    raster->addWidget(SpinEdit3, 3, 1, Qt::AlignLeft);
    inhalt()->addLayout(raster);
}

} // namespace quenda
