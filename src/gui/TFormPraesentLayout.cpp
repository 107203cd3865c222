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
    TreeView1 = new QTreeWidget(this);
    TreeView1->setHeaderHidden(true);
    TreeView1->setMinimumWidth(320);
    // The column is as wide as the longest caption, with a scroll bar, so that the "[id]" at the end of a
    // long reference is never elided.
    TreeView1->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    TreeView1->header()->setStretchLastSection(false);
    TreeView1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    auto* oben = new QSplitter(Qt::Horizontal);
    oben->addWidget(TreeView1);
    oben->addWidget(panelAnlegen());
    oben->setStretchFactor(0, 1);
    oben->setStretchFactor(1, 1);

    auto* unten = new QWidget;
    auto* untenLayout = new QVBoxLayout(unten);
    auto* knoepfe = new QHBoxLayout;
    BitBtn11 = new QPushButton(QStringLiteral("Übertragung Konfiguration zum Webserver"), unten);
    BitBtn1 = new QPushButton(QStringLiteral("Refresh Anzeige Webserver"), unten);
    knoepfe->addWidget(BitBtn11);
    knoepfe->addWidget(BitBtn1);
    knoepfe->addStretch();
    untenLayout->addLayout(knoepfe);
    WebImage = new quenda::WebImage(praesentation, this, unten);
    WebImage->setMinimumHeight(200);
    untenLayout->addWidget(WebImage, 1, Qt::AlignLeft);

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
    Label1 = fettesLabel(panel);
    Label2 = fettesLabel(panel);
    BitBtn2 = new QPushButton(QStringLiteral("Neu Bildschirm"), panel);
    BitBtn3 = new QPushButton(QStringLiteral("Ändern"), panel);
    BitBtn4 = new QPushButton(QStringLiteral("Löschen"), panel);
    for (QPushButton* knopf : {BitBtn2, BitBtn3, BitBtn4}) {
        knopf->setAutoDefault(false);
    }
    kopf->addWidget(Label1);
    kopf->addSpacing(12);
    kopf->addWidget(Label2);
    kopf->addStretch();
    kopf->addWidget(BitBtn2);
    kopf->addWidget(BitBtn3);
    kopf->addWidget(BitBtn4);
    layout->addLayout(kopf);

    // Position box: the four values around a rectangle.
    Positionsbox = new QFrame(panel);
    static_cast<QFrame*>(Positionsbox)->setFrameShape(QFrame::StyledPanel);
    auto* lage = new QGridLayout(Positionsbox);
    PosX = new QLabel(Positionsbox);
    PosY = new QLabel(Positionsbox);
    Breite = new QLabel(Positionsbox);
    Hoehe = new QLabel(Positionsbox);
    auto* rechteck = new QFrame(Positionsbox);
    rechteck->setFrameShape(QFrame::Box);
    rechteck->setMinimumSize(140, 70);
    lage->addWidget(PosY, 0, 1, Qt::AlignHCenter);
    lage->addWidget(PosX, 1, 0, Qt::AlignRight);
    lage->addWidget(rechteck, 1, 1);
    lage->addWidget(Hoehe, 1, 2, Qt::AlignLeft);
    lage->addWidget(Breite, 2, 1, Qt::AlignHCenter);
    layout->addWidget(Positionsbox);

    Bildschirmbox = wertebox(panel, {QStringLiteral("Hintergrund - Datei")}, {&BildschirmBild});
    Ebenenbox = wertebox(panel,
                         {QStringLiteral("Hintergrund - Datei"), QStringLiteral("Anzeige Intervall in Sek."),
                          QStringLiteral("Anzeigedauer in Sek."), QStringLiteral("Randstärke")},
                         {&EbeneBild, &EbeneBeginn, &EbeneDauer, &EbeneBorder});
    Bereichsbox = wertebox(panel, {QStringLiteral("Hintergrund - Datei")}, {&BereichBild});
    auto* optionen = new QGroupBox(QStringLiteral("Anzeige Optionen"), Bereichsbox);
    auto* optionenLayout = new QGridLayout(optionen);
    const QStringList optionenTexte = {QStringLiteral("Aktiviert"), QStringLiteral("NEXT-Display "),
                                       QStringLiteral("GAUGE-Display"),
                                       QStringLiteral("Objekte sortiert sonst aktuell")};
    for (int i = 0; i < 4; ++i) {
        BereichOption[i] = new QCheckBox(optionenTexte.at(i), optionen);
        BereichOption[i]->setEnabled(false);
        optionenLayout->addWidget(BereichOption[i], i / 2, i % 2);
    }
    static_cast<QGridLayout*>(Bereichsbox->layout())->addWidget(optionen, 1, 0, 1, 2);
    Objektbox = wertebox(panel,
                         {QStringLiteral("Objekt"), QStringLiteral("Werbung - Image Datei"),
                          QStringLiteral("Anzeige Dauer in Sek."), QStringLiteral("Schriftgröße")},
                         {&ObjektArt, &ObjektBild, &ObjektDauer, &ObjektFont});
    Referenzbox =
        wertebox(panel, {QStringLiteral("Auslosung"), QStringLiteral("Auslosungstyp")}, {&ReferenzName, &TypText});
    auto* referenzRaster = static_cast<QGridLayout*>(Referenzbox->layout());
    ReferenzKopf = static_cast<QLabel*>(referenzRaster->itemAtPosition(0, 0)->widget());
    TypKopf = static_cast<QLabel*>(referenzRaster->itemAtPosition(1, 0)->widget());
    for (QWidget* box : {Bildschirmbox, Ebenenbox, Bereichsbox, Objektbox, Referenzbox}) {
        layout->addWidget(box);
    }
    layout->addStretch();
    return panel;
}

void TFormPraesent::Anzeigedaten() {
    for (QWidget* w : std::initializer_list<QWidget*>{Label1, Label2, Positionsbox, Bildschirmbox, Ebenenbox,
                                                      Bereichsbox, Objektbox, Referenzbox, BitBtn3, BitBtn4}) {
        w->hide();
    }
    BitBtn2->show();
    BitBtn2->setText(QStringLiteral("Neu Bildschirm"));
    if (!ausgewaehlt()) {
        return;
    }
    BitBtn4->setEnabled(ausgewaehlt()->childCount() == 0);
    versuchen([this]() { panelFuellen(); });
}

void TFormPraesent::panelFuellen() {
    Praesentation& p = praesentation;
    const Ebenenstufe ebene = stufe(nodeInfo(ausgewaehlt()));
    if (ebene == Ebenenstufe::Wurzel) {
        return;
    }
    auto lageZeigen = [this](int x, int y, int wd, int hg) {
        PosX->setText(QStringLiteral("Pos. X: %1 px").arg(x));
        PosY->setText(QStringLiteral("Pos. Y: %1 px").arg(y));
        Breite->setText(QStringLiteral("Breite: %1 px").arg(wd));
        Hoehe->setText(QStringLiteral("Höhe: %1 px").arg(hg));
        Positionsbox->show();
    };
    auto kopf = [this](const QString& art, int id, const QString& neu) {
        Label1->setText(art);
        Label2->setText(QStringLiteral("ID: %1").arg(id));
        Label1->show();
        Label2->show();
        BitBtn3->show();
        BitBtn4->show();
        BitBtn2->setText(neu);
        BitBtn2->setVisible(!neu.isEmpty());
    };
    switch (ebene) {
    case Ebenenstufe::Wurzel:
        return;
    case Ebenenstufe::Bildschirm:
        if (const TBildschirm* b = p.bildschirm()) {
            kopf(QStringLiteral("BILDSCHIRM"), p.bildschirmID, QStringLiteral("Neu Ebene"));
            lageZeigen(b->x, b->y, b->wd, b->hg);
            BildschirmBild->setText(b->backgroundimage);
            Bildschirmbox->show();
        }
        return;
    case Ebenenstufe::Ebene:
        if (const TEbene* e = p.ebene()) {
            kopf(QStringLiteral("EBENE"), p.ebeneID, QStringLiteral("Neu Bereich"));
            lageZeigen(e->x, e->y, e->wd, e->hg);
            EbeneBild->setText(e->backgroundimage);
            EbeneBeginn->setText(QString::number(e->beginn));
            EbeneDauer->setText(QString::number(e->dauer));
            EbeneBorder->setText(QString::number(e->border));
            Ebenenbox->show();
        }
        return;
    case Ebenenstufe::Bereich:
        if (const TBereich* r = p.bereich()) {
            kopf(QStringLiteral("BEREICH"), p.bereichID, QStringLiteral("Neu Objekt"));
            lageZeigen(r->x, r->y, r->wd, r->hg);
            BereichBild->setText(r->backgroundimage);
            const int optionen[4] = {r->sc, r->nd, r->gd, r->rh};
            for (int i = 0; i < 4; ++i) {
                BereichOption[i]->setChecked(optionen[i] == 1);
            }
            Bereichsbox->show();
        }
        return;
    case Ebenenstufe::Objekt:
        if (const TPObjekt* o = p.objekt()) {
            kopf(QStringLiteral("OBJEKT"), p.objektID, QStringLiteral("Neu Auslosung/Halle"));
            ObjektArt->setText(objektArten().value(o->objid));
            ObjektBild->setText(o->werbungimage);
            ObjektDauer->setText(QString::number(o->dauer));
            ObjektFont->setText(QString::number(o->fontgr));
            Objektbox->show();
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
    Label1->setText(kind.toUpper());
    Label2->setText(QStringLiteral("ID: %1").arg(praesentation.ausloID));
    for (QWidget* w : std::initializer_list<QWidget*>{Label1, Label2, BitBtn3, BitBtn4}) {
        w->show();
    }
    BitBtn2->hide();
    ReferenzKopf->setText(kind);
    ReferenzName->setText(referenzname(a, objid, *m_namen));
    const bool auslosung = referenzart(objid) == Referenzart::Auslosung;
    TypKopf->setVisible(auslosung);
    TypText->setVisible(auslosung);
    const QString typ = auslosungstypText(a.typ);
    TypText->setText(typ.isEmpty() ? QString::number(a.typ) : typ); // only a hand-edited file holds others
    Referenzbox->show();
}

} // namespace quenda
