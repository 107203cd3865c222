#include "TFormObjekt_eg.h"

#include "presentation/Praesentationsmodell.h"
#include "util/MeldungsAusgabe.h"
#include "util/Routinen.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QVBoxLayout>

namespace quenda {

TFormObjekt_eg::TFormObjekt_eg(MeldungsAusgabe& meldungen, QWidget* parent)
    : Elementdialog(QStringLiteral("Objekt Neu/Ändern "), meldungen, parent) {
    auto* raster = new QGridLayout;
    ComboBox1 = new QComboBox(this);
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    dauer = zahlfeld(this, 1, 0, 600);
    fontgr = zahlfeld(this, 1, 6, 50);
    fontgr->setValue(6);
    raster->addWidget(new QLabel(QStringLiteral("Objekt"), this), 0, 0);
    raster->addWidget(ComboBox1, 0, 1, 1, 2);
    raster->addWidget(new QLabel(QStringLiteral("Anzeigedauer in Sekunden"), this), 1, 0);
    raster->addWidget(dauer, 1, 1, Qt::AlignLeft);
    raster->addWidget(new QLabel(QStringLiteral("Schriftgröße"), this), 2, 0);
    raster->addWidget(fontgr, 2, 1, Qt::AlignLeft);
    Edit1 = bildzeile(raster, 3, QStringLiteral("Werbung - ImageDatei"));
    raster->addWidget(new QLabel(QStringLiteral("Meldung"), this), 4, 0, Qt::AlignTop);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setMinimumSize(420, 140);
    raster->addWidget(Memo1, 4, 1, 1, 2);
    inhalt()->addLayout(raster);
    artenFuellen(objektArten());
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, &TFormObjekt_eg::artGewaehlt);
    connect(ComboBox1, &QComboBox::editTextChanged, this, &TFormObjekt_eg::artGewaehlt);
}

void TFormObjekt_eg::artenFuellen(const QStringList& objliste) {
    const QString gewaehlt = ComboBox1->currentText();
    ComboBox1->clear();
    ComboBox1->addItems(objliste);
    ComboBox1->setCurrentIndex(ComboBox1->findText(gewaehlt));
    artGewaehlt();
}

int TFormObjekt_eg::artIndex() const {
    return ComboBox1->findText(ComboBox1->currentText(), Qt::MatchExactly);
}

void TFormObjekt_eg::artGewaehlt() {
    Memo1->setEnabled(artIndex() == objektartMeldung);
}

bool TFormObjekt_eg::pruefen() {
    if (!eingabe_prf(ComboBox1->currentText(), QStringLiteral("Objekt"), m_meldungen)) {
        return false;
    }
    // A typed name that is none of the kinds would give the display pages an object they cannot show.
    if (artIndex() < 0) {
        m_meldungen.meldung(QStringLiteral("Die Objektart „%1“ gibt es nicht. Bitte eine Objektart aus der Liste "
                                           "wählen.")
                                .arg(ComboBox1->currentText()));
        return false;
    }
    return true;
}

} // namespace quenda
