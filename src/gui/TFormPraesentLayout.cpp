#include "TFormPraesent.h"

#include "TFormAuslo_eg.h"
#include "WebImage.h"
#include "presentation/Knotentexte.h"
#include "presentation/Namensabfragen.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quenda {

namespace {

QLabel* fettesLabel(QWidget* eltern) {
    auto* label = new QLabel(eltern);
    QFont fett = label->font();
    fett.setBold(true);
    label->setFont(fett);
    return label;
}

// A box of header/value rows; returns the value labels in order.
QWidget* wertebox(QWidget* eltern, const QStringList& koepfe, const QList<QLabel**>& werte) {
    auto* box = new QFrame(eltern);
    box->setFrameShape(QFrame::StyledPanel);
    auto* raster = new QGridLayout(box);
    for (int i = 0; i < koepfe.size(); ++i) {
        raster->addWidget(new QLabel(koepfe.at(i), box), i, 0);
        *werte.at(i) = fettesLabel(box);
        (*werte.at(i))->setTextInteractionFlags(Qt::TextSelectableByMouse);
        raster->addWidget(*werte.at(i), i, 1);
    }
    raster->setColumnStretch(1, 1);
    return box;
}

} // namespace

void TFormPraesent::layoutAnlegen() {
    baum = new QTreeWidget(this);
    baum->setObjectName(QStringLiteral("baum"));
    baum->setHeaderHidden(true);
    baum->setMinimumWidth(320);
    // The column is as wide as the longest caption, with a scroll bar, so that the "[id]" at the end of a
    // long reference is never elided.
    baum->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    baum->header()->setStretchLastSection(false);
    baum->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    auto* oben = new QSplitter(Qt::Horizontal);
    oben->addWidget(baum);
    oben->addWidget(panelAnlegen());
    oben->setStretchFactor(0, 1);
    oben->setStretchFactor(1, 1);

    auto* unten = new QWidget;
    auto* untenLayout = new QVBoxLayout(unten);
    auto* knoepfe = new QHBoxLayout;
    uebertragungKonfiguration = new QPushButton(QStringLiteral("Übertragung Konfiguration zum Webserver"), unten);
    refreshAnzeige = new QPushButton(QStringLiteral("Refresh Anzeige Webserver"), unten);
    uebertragungKonfiguration->setObjectName(QStringLiteral("uebertragungKonfiguration"));
    refreshAnzeige->setObjectName(QStringLiteral("refreshAnzeige"));
    knoepfe->addWidget(uebertragungKonfiguration);
    knoepfe->addWidget(refreshAnzeige);
    knoepfe->addStretch();
    untenLayout->addLayout(knoepfe);
    vorschau = new quenda::WebImage(m_praesentation, this, unten);
    vorschau->setObjectName(QStringLiteral("vorschau"));
    vorschau->setMinimumHeight(200);
    untenLayout->addWidget(vorschau, 1, Qt::AlignLeft);

    auto* teiler = new QSplitter(Qt::Vertical);
    teiler->addWidget(oben);
    teiler->addWidget(unten);
    teiler->setStretchFactor(0, 1);
    teiler->setStretchFactor(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(teiler);
    // Return on a tree node must not send the configuration or open a dialog: no button of the editor is
    // a default button, each one acts on an explicit click (or Space on the focused button) only.
    for (QPushButton* knopf : findChildren<QPushButton*>()) {
        knopf->setAutoDefault(false);
        knopf->setDefault(false);
    }
    resize(1200, 720);
}

QWidget* TFormPraesent::panelAnlegen() {
    auto* panel = new QWidget;
    auto* layout = new QVBoxLayout(panel);
    auto* kopf = new QHBoxLayout;
    elementArt = fettesLabel(panel);
    elementId = fettesLabel(panel);
    neuKnopf = new QPushButton(QStringLiteral("Neu Bildschirm"), panel);
    aendernKnopf = new QPushButton(QStringLiteral("Ändern"), panel);
    loeschenKnopf = new QPushButton(QStringLiteral("Löschen"), panel);
    for (QPushButton* knopf : {neuKnopf, aendernKnopf, loeschenKnopf}) {
        knopf->setAutoDefault(false);
    }
    kopf->addWidget(elementArt);
    kopf->addSpacing(12);
    kopf->addWidget(elementId);
    kopf->addStretch();
    kopf->addWidget(neuKnopf);
    kopf->addWidget(aendernKnopf);
    kopf->addWidget(loeschenKnopf);
    layout->addLayout(kopf);

    // Position box: the four values around a rectangle.
    positionsbox = new QFrame(panel);
    static_cast<QFrame*>(positionsbox)->setFrameShape(QFrame::StyledPanel);
    auto* lage = new QGridLayout(positionsbox);
    lageX = new QLabel(positionsbox);
    lageY = new QLabel(positionsbox);
    lageBreite = new QLabel(positionsbox);
    lageHoehe = new QLabel(positionsbox);
    auto* rechteck = new QFrame(positionsbox);
    rechteck->setFrameShape(QFrame::Box);
    rechteck->setMinimumSize(140, 70);
    lage->addWidget(lageY, 0, 1, Qt::AlignHCenter);
    lage->addWidget(lageX, 1, 0, Qt::AlignRight);
    lage->addWidget(rechteck, 1, 1);
    lage->addWidget(lageHoehe, 1, 2, Qt::AlignLeft);
    lage->addWidget(lageBreite, 2, 1, Qt::AlignHCenter);
    layout->addWidget(positionsbox);

    bildschirmbox = wertebox(panel, {QStringLiteral("Hintergrund - Datei")}, {&bildschirmBild});
    ebenenbox = wertebox(panel,
                         {QStringLiteral("Hintergrund - Datei"), QStringLiteral("Anzeige Intervall in Sek."),
                          QStringLiteral("Anzeigedauer in Sek."), QStringLiteral("Randstärke")},
                         {&ebeneBild, &ebeneBeginn, &ebeneDauer, &ebeneBorder});
    bereichsbox = wertebox(panel, {QStringLiteral("Hintergrund - Datei")}, {&bereichBild});
    auto* optionen = new QGroupBox(QStringLiteral("Anzeige Optionen"), bereichsbox);
    auto* optionenLayout = new QGridLayout(optionen);
    const QStringList optionenTexte = {QStringLiteral("Aktiviert"), QStringLiteral("NEXT-Display "),
                                       QStringLiteral("GAUGE-Display"),
                                       QStringLiteral("Objekte sortiert sonst aktuell")};
    for (int i = 0; i < 4; ++i) {
        bereichOptionen[i] = new QCheckBox(optionenTexte.at(i), optionen);
        bereichOptionen[i]->setEnabled(false);
        optionenLayout->addWidget(bereichOptionen[i], i / 2, i % 2);
    }
    static_cast<QGridLayout*>(bereichsbox->layout())->addWidget(optionen, 1, 0, 1, 2);
    objektbox = wertebox(panel,
                         {QStringLiteral("Objekt"), QStringLiteral("Werbung - Image Datei"),
                          QStringLiteral("Anzeige Dauer in Sek."), QStringLiteral("Schriftgröße")},
                         {&objektArt, &objektBild, &objektDauer, &objektFont});
    referenzbox =
        wertebox(panel, {QStringLiteral("Auslosung"), QStringLiteral("Auslosungstyp")}, {&referenzName, &typText});
    auto* referenzRaster = static_cast<QGridLayout*>(referenzbox->layout());
    referenzKopf = static_cast<QLabel*>(referenzRaster->itemAtPosition(0, 0)->widget());
    typKopf = static_cast<QLabel*>(referenzRaster->itemAtPosition(1, 0)->widget());
    for (QWidget* box : {bildschirmbox, ebenenbox, bereichsbox, objektbox, referenzbox}) {
        layout->addWidget(box);
    }
    layout->addStretch();
    // Names for the tests, which find the panel's parts with findChild.
    elementArt->setObjectName(QStringLiteral("elementArt"));
    elementId->setObjectName(QStringLiteral("elementId"));
    neuKnopf->setObjectName(QStringLiteral("neu"));
    aendernKnopf->setObjectName(QStringLiteral("aendern"));
    loeschenKnopf->setObjectName(QStringLiteral("loeschen"));
    positionsbox->setObjectName(QStringLiteral("positionsbox"));
    bildschirmbox->setObjectName(QStringLiteral("bildschirmbox"));
    ebenenbox->setObjectName(QStringLiteral("ebenenbox"));
    bereichsbox->setObjectName(QStringLiteral("bereichsbox"));
    objektbox->setObjectName(QStringLiteral("objektbox"));
    referenzbox->setObjectName(QStringLiteral("referenzbox"));
    lageX->setObjectName(QStringLiteral("lageX"));
    lageY->setObjectName(QStringLiteral("lageY"));
    lageBreite->setObjectName(QStringLiteral("lageBreite"));
    lageHoehe->setObjectName(QStringLiteral("lageHoehe"));
    bildschirmBild->setObjectName(QStringLiteral("bildschirmBild"));
    ebeneBild->setObjectName(QStringLiteral("ebeneBild"));
    ebeneBeginn->setObjectName(QStringLiteral("ebeneBeginn"));
    ebeneDauer->setObjectName(QStringLiteral("ebeneDauer"));
    ebeneBorder->setObjectName(QStringLiteral("ebeneBorder"));
    bereichBild->setObjectName(QStringLiteral("bereichBild"));
    objektArt->setObjectName(QStringLiteral("objektArt"));
    objektBild->setObjectName(QStringLiteral("objektBild"));
    objektDauer->setObjectName(QStringLiteral("objektDauer"));
    objektFont->setObjectName(QStringLiteral("objektFont"));
    referenzKopf->setObjectName(QStringLiteral("referenzKopf"));
    referenzName->setObjectName(QStringLiteral("referenzName"));
    typKopf->setObjectName(QStringLiteral("typKopf"));
    typText->setObjectName(QStringLiteral("typText"));
    for (int i = 0; i < 4; ++i) {
        bereichOptionen[i]->setObjectName(QStringLiteral("bereichOption%1").arg(i + 1));
    }
    return panel;
}

void TFormPraesent::Anzeigedaten() {
    for (QWidget* w :
         std::initializer_list<QWidget*>{elementArt, elementId, positionsbox, bildschirmbox, ebenenbox, bereichsbox,
                                         objektbox, referenzbox, aendernKnopf, loeschenKnopf}) {
        w->hide();
    }
    neuKnopf->show();
    neuKnopf->setText(QStringLiteral("Neu Bildschirm"));
    if (!ausgewaehlt()) {
        return;
    }
    loeschenKnopf->setEnabled(ausgewaehlt()->childCount() == 0);
    versuchen([this]() { panelFuellen(); });
}

void TFormPraesent::panelFuellen() {
    Praesentation& p = m_praesentation;
    const Ebenenstufe ebene = stufe(nodeInfo(ausgewaehlt()));
    if (ebene == Ebenenstufe::Wurzel) {
        return;
    }
    auto lageZeigen = [this](int x, int y, int wd, int hg) {
        lageX->setText(QStringLiteral("Pos. X: %1 px").arg(x));
        lageY->setText(QStringLiteral("Pos. Y: %1 px").arg(y));
        lageBreite->setText(QStringLiteral("Breite: %1 px").arg(wd));
        lageHoehe->setText(QStringLiteral("Höhe: %1 px").arg(hg));
        positionsbox->show();
    };
    auto kopf = [this](const QString& art, int id, const QString& neu) {
        elementArt->setText(art);
        elementId->setText(QStringLiteral("ID: %1").arg(id));
        elementArt->show();
        elementId->show();
        aendernKnopf->show();
        loeschenKnopf->show();
        neuKnopf->setText(neu);
        neuKnopf->setVisible(!neu.isEmpty());
    };
    switch (ebene) {
    case Ebenenstufe::Wurzel:
        return;
    case Ebenenstufe::Bildschirm:
        if (const TBildschirm* b = p.bildschirm()) {
            kopf(QStringLiteral("BILDSCHIRM"), p.bildschirmID, QStringLiteral("Neu Ebene"));
            lageZeigen(b->x, b->y, b->wd, b->hg);
            bildschirmBild->setText(b->backgroundimage);
            bildschirmbox->show();
        }
        return;
    case Ebenenstufe::Ebene:
        if (const TEbene* e = p.ebene()) {
            kopf(QStringLiteral("EBENE"), p.ebeneID, QStringLiteral("Neu Bereich"));
            lageZeigen(e->x, e->y, e->wd, e->hg);
            ebeneBild->setText(e->backgroundimage);
            ebeneBeginn->setText(QString::number(e->beginn));
            ebeneDauer->setText(QString::number(e->dauer));
            ebeneBorder->setText(QString::number(e->border));
            ebenenbox->show();
        }
        return;
    case Ebenenstufe::Bereich:
        if (const TBereich* r = p.bereich()) {
            kopf(QStringLiteral("BEREICH"), p.bereichID, QStringLiteral("Neu Objekt"));
            lageZeigen(r->x, r->y, r->wd, r->hg);
            bereichBild->setText(r->backgroundimage);
            const int optionen[4] = {r->sc, r->nd, r->gd, r->rh};
            for (int i = 0; i < 4; ++i) {
                bereichOptionen[i]->setChecked(optionen[i] == 1);
            }
            bereichsbox->show();
        }
        return;
    case Ebenenstufe::Objekt:
        if (const TPObjekt* o = p.objekt()) {
            kopf(QStringLiteral("OBJEKT"), p.objektID, QStringLiteral("Neu Auslosung/Halle"));
            objektArt->setText(objektArten().value(o->objid));
            objektBild->setText(o->werbungimage);
            objektDauer->setText(QString::number(o->dauer));
            objektFont->setText(QString::number(o->fontgr));
            objektbox->show();
        }
        return;
    case Ebenenstufe::Auslosung:
        if (const TAuslo* a = p.auslo()) {
            referenzZeigen(*a, p.objekt()->objid);
        }
        return;
    }
}

void TFormPraesent::referenzZeigen(const TAuslo& a, int objid) {
    const QString kind = referenzartName(objid);
    elementArt->setText(kind.toUpper());
    elementId->setText(QStringLiteral("ID: %1").arg(m_praesentation.ausloID));
    for (QWidget* w : std::initializer_list<QWidget*>{elementArt, elementId, aendernKnopf, loeschenKnopf}) {
        w->show();
    }
    neuKnopf->hide();
    referenzKopf->setText(kind);
    referenzName->setText(referenzname(a, objid, *m_namen));
    const bool auslosung = referenzart(objid) == Referenzart::Auslosung;
    typKopf->setVisible(auslosung);
    typText->setVisible(auslosung);
    const QString typ = auslosungstypText(a.typ);
    typText->setText(typ.isEmpty() ? QString::number(a.typ) : typ); // only a hand-edited file holds others
    referenzbox->show();
}

} // namespace quenda
