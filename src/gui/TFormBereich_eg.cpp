#include "TFormBereich_eg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>

namespace quenda {

TFormBereich_eg::TFormBereich_eg(MeldungsAusgabe& meldungen, QWidget* parent)
    : Elementdialog(QStringLiteral("Bereich Neu/Ändern"), meldungen, parent) {
    auto* optionen = new QGroupBox(QStringLiteral("Anzeige Optionen"), this);
    auto* spalten = new QGridLayout(optionen);
    CheckBox1 = new QCheckBox(QStringLiteral("Aktiviert"), optionen);
    CheckBox2 = new QCheckBox(QStringLiteral("NEXT-Display "), optionen);
    CheckBox3 = new QCheckBox(QStringLiteral("GAUGE-Display"), optionen);
    CheckBox4 = new QCheckBox(QStringLiteral("Objekte sortiert sonst aktuell"), optionen);
    spalten->addWidget(CheckBox1, 0, 0);
    spalten->addWidget(CheckBox2, 0, 1);
    spalten->addWidget(CheckBox3, 1, 0);
    spalten->addWidget(CheckBox4, 1, 1);
    inhalt()->addWidget(optionen);
    lage = new Lagefelder(QStringLiteral("Bildschirm/Bereich"), this);
    inhalt()->addWidget(lage);
    auto* raster = new QGridLayout;
    Edit1 = bildzeile(raster, 0, QStringLiteral("Hintergrund - Datei"));
    inhalt()->addLayout(raster);
}

} // namespace quenda
