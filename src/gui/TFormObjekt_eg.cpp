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
    objektArt = new QComboBox(this);
    objektArt->setEditable(true);
    objektArt->setInsertPolicy(QComboBox::NoInsert);
    objektArt->setObjectName(QStringLiteral("art"));
    dauer = zahlfeld(this, 1, 0, 600);
    dauer->setObjectName(QStringLiteral("dauer"));
    schriftgroesse = zahlfeld(this, 1, 6, 50);
    schriftgroesse->setObjectName(QStringLiteral("schriftgroesse"));
    schriftgroesse->setValue(6);
    raster->addWidget(new QLabel(QStringLiteral("Objekt"), this), 0, 0);
    raster->addWidget(objektArt, 0, 1, 1, 2);
    raster->addWidget(new QLabel(QStringLiteral("Anzeigedauer in Sekunden"), this), 1, 0);
    raster->addWidget(dauer, 1, 1, Qt::AlignLeft);
    raster->addWidget(new QLabel(QStringLiteral("Schriftgröße"), this), 2, 0);
    raster->addWidget(schriftgroesse, 2, 1, Qt::AlignLeft);
    werbebild = bildzeile(raster, 3, QStringLiteral("Werbung - ImageDatei"), QStringLiteral("werbebild"));
    raster->addWidget(new QLabel(QStringLiteral("Meldung"), this), 4, 0, Qt::AlignTop);
    meldungsfeld = new QPlainTextEdit(this);
    meldungsfeld->setObjectName(QStringLiteral("meldung"));
    meldungsfeld->setMinimumSize(420, 140);
    raster->addWidget(meldungsfeld, 4, 1, 1, 2);
    inhalt()->addLayout(raster);
    artenFuellen(objektArten());
    connect(objektArt, &QComboBox::currentIndexChanged, this, &TFormObjekt_eg::artGewaehlt);
    connect(objektArt, &QComboBox::editTextChanged, this, &TFormObjekt_eg::artGewaehlt);
}

void TFormObjekt_eg::artenFuellen(const QStringList& objliste) {
    const QString gewaehlt = objektArt->currentText();
    objektArt->clear();
    objektArt->addItems(objliste);
    objektArt->setCurrentIndex(objektArt->findText(gewaehlt));
    artGewaehlt();
}

int TFormObjekt_eg::artIndex() const {
    return objektArt->findText(objektArt->currentText(), Qt::MatchExactly);
}

void TFormObjekt_eg::artGewaehlt() {
    meldungsfeld->setEnabled(artIndex() == objektartMeldung);
}

void TFormObjekt_eg::zeigen(const TPObjekt& o) {
    objektArt->setCurrentIndex(o.objid >= 0 && o.objid < objektArt->count() ? o.objid : -1);
    dauer->setValue(o.dauer);
    werbebild->setText(o.werbungimage);
    schriftgroesse->setValue(o.fontgr);
}

void TFormObjekt_eg::lesen(TPObjekt& o) const {
    o.objid = artIndex();
    o.dauer = dauer->value();
    o.fontgr = schriftgroesse->value();
    o.werbungimage = werbebild->text();
}

void TFormObjekt_eg::meldungZeigen(const Meldungstext& meldung) {
    meldungsfeld->setPlainText(meldung.text);
    m_memoKodierung = meldung.kodierung;
}

Meldungstext TFormObjekt_eg::meldung() const {
    return {meldungsfeld->toPlainText(), m_memoKodierung};
}

bool TFormObjekt_eg::pruefen() {
    if (!eingabe_prf(objektArt->currentText(), QStringLiteral("Objekt"), m_meldungen)) {
        return false;
    }
    // A typed name that is none of the kinds would give the display pages an object they cannot show.
    if (artIndex() < 0) {
        m_meldungen.meldung(QStringLiteral("Die Objektart „%1“ gibt es nicht. Bitte eine Objektart aus der Liste "
                                           "wählen.")
                                .arg(objektArt->currentText()));
        return false;
    }
    return true;
}

} // namespace quenda
