#include "TFormPraesent.h"

#include "RadioGroup.h"
#include "TFormAuslo_eg.h"
#include "TFormBereich_eg.h"
#include "TFormBildschirm_eg.h"
#include "TFormEbene_eg.h"
#include "TFormObjekt_eg.h"
#include "Turnierkontext.h"
#include "presentation/Knotentexte.h"
#include "presentation/Meldungsdatei.h"
#include "presentation/Namensabfragen.h"
#include "util/MeldungsAusgabe.h"
#include "util/QuendaError.h"
#include "util/Routinen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTreeWidget>

namespace quenda {

namespace {

void lageLesen(const Lagefelder* lage, int& x, int& y, int& wd, int& hg) {
    x = lage->x1->value();
    y = lage->y1->value();
    wd = lage->b1->value();
    hg = lage->h1->value();
}

// "Ändern" keeps the limits of the parent but widens them to the element's own values, so that opening and
// confirming the dialog never alters a value read from the file.
void lageSetzen(Lagefelder* lage, int x, int y, int wd, int hg, int elternBreite, int elternHoehe, bool begrenzt) {
    if (begrenzt) {
        Elementdialog::grenzen(lage->x1, std::min(0, x), std::max(elternBreite, x));
        Elementdialog::grenzen(lage->b1, std::min(0, wd), std::max(elternBreite, wd));
        Elementdialog::grenzen(lage->y1, std::min(0, y), std::max(elternHoehe, y));
        Elementdialog::grenzen(lage->h1, std::min(0, hg), std::max(elternHoehe, hg));
    }
    lage->x1->setValue(x);
    lage->y1->setValue(y);
    lage->b1->setValue(wd);
    lage->h1->setValue(hg);
}

int haken(const QCheckBox* box) {
    return box->isChecked() ? 1 : 0;
}

qint64 zahlOderFehler(const QString& text) {
    const auto zahl = ganzeZahl(text);
    if (!zahl) {
        throw ConversionError(QStringLiteral("„%1“ ist kein gültiger ganzzahliger Wert.").arg(text));
    }
    return *zahl;
}

QString auswahlText(const QComboBox* liste) {
    return liste->currentData().toString();
}

} // namespace

// Screens

void TFormPraesent::NeuerBildschirm() {
    TFormBildschirm_eg* d = FormBildschirm_eg;
    d->lage->obereGrenzen(0, 0);
    if (d->exec() != QDialog::Accepted) {
        return;
    }
    TBildschirm b;
    lageLesen(d->lage, b.x, b.y, b.wd, b.hg);
    b.backgroundimage = d->Edit1->text();
    const int id = praesentation.neuerBildschirm(b);
    knotenAnfuegen(TreeView1->topLevelItem(0), {id, 0, 0, 0, 0}, knotentext(praesentation.BildschirmList.back()));
    ConfigSave();
}

void TFormPraesent::AendernBildschirm() {
    TBildschirm* b = praesentation.bildschirm();
    if (!b) {
        return;
    }
    TFormBildschirm_eg* d = FormBildschirm_eg;
    lageSetzen(d->lage, b->x, b->y, b->wd, b->hg, 0, 0, false);
    d->Edit1->setText(b->backgroundimage);
    if (d->exec() != QDialog::Accepted) {
        return;
    }
    lageLesen(d->lage, b->x, b->y, b->wd, b->hg);
    b->backgroundimage = d->Edit1->text();
    beschriften(ausgewaehlt(), knotentext(*b));
    ConfigSave();
}

void TFormPraesent::LoeschenBildschirm() {
    if (!loeschenBestaetigt(
            QStringLiteral("Soll Bildschirm ID: %1 wirklich gelöscht werden ?").arg(praesentation.bildschirmID))) {
        return;
    }
    praesentation.loeschen();
    knotenLoeschen();
    ConfigSave();
}

// Layers

void TFormPraesent::NeueEbene() {
    const TBildschirm* b = praesentation.bildschirm();
    if (!b) {
        return;
    }
    TFormEbene_eg* d = FormEbene_eg;
    d->lage->obereGrenzen(b->wd, b->hg);
    if (d->exec() != QDialog::Accepted) {
        return;
    }
    TEbene e;
    lageLesen(d->lage, e.x, e.y, e.wd, e.hg);
    e.backgroundimage = d->Edit1->text();
    e.beginn = d->SpinEdit1->value();
    e.dauer = d->SpinEdit2->value();
    e.border = d->SpinEdit3->value();
    const int id = praesentation.neueEbene(e);
    knotenAnfuegen(ausgewaehlt(), {praesentation.bildschirmID, id, 0, 0, 0},
                   knotentext(praesentation.bildschirm()->EbeneList.back()));
    ConfigSave();
}

void TFormPraesent::AendernEbene() {
    TEbene* e = praesentation.ebene();
    if (!e) {
        return;
    }
    TFormEbene_eg* d = FormEbene_eg;
    const TBildschirm* b = praesentation.bildschirm();
    lageSetzen(d->lage, e->x, e->y, e->wd, e->hg, b->wd, b->hg, true);
    d->Edit1->setText(e->backgroundimage);
    d->SpinEdit1->setValue(e->beginn);
    d->SpinEdit2->setValue(e->dauer);
    d->SpinEdit3->setValue(e->border);
    if (d->exec() != QDialog::Accepted) {
        return;
    }
    lageLesen(d->lage, e->x, e->y, e->wd, e->hg);
    e->backgroundimage = d->Edit1->text();
    e->beginn = d->SpinEdit1->value();
    e->dauer = d->SpinEdit2->value();
    e->border = d->SpinEdit3->value();
    beschriften(ausgewaehlt(), knotentext(*e));
    ConfigSave();
}

void TFormPraesent::LoeschenEbene() {
    const Praesentation& p = praesentation;
    if (!loeschenBestaetigt(QStringLiteral("Soll Bildschirm ID: %1 Ebene ID: %2 wirklich gelöscht werden ?")
                                .arg(p.bildschirmID)
                                .arg(p.ebeneID))) {
        return;
    }
    praesentation.loeschen();
    knotenLoeschen();
    ConfigSave();
}

// Areas

namespace {

void optionenSetzen(TFormBereich_eg* d, const TBereich& r) {
    d->CheckBox1->setChecked(r.sc == 1);
    d->CheckBox2->setChecked(r.nd == 1);
    d->CheckBox3->setChecked(r.gd == 1);
    d->CheckBox4->setChecked(r.rh == 1);
}

void bereichLesen(const TFormBereich_eg* d, TBereich& r) {
    lageLesen(d->lage, r.x, r.y, r.wd, r.hg);
    r.sc = haken(d->CheckBox1);
    r.nd = haken(d->CheckBox2);
    r.gd = haken(d->CheckBox3);
    r.rh = haken(d->CheckBox4);
    r.backgroundimage = d->Edit1->text();
}

} // namespace

void TFormPraesent::NeuerBereich() {
    const TEbene* e = praesentation.ebene();
    if (!e) {
        return;
    }
    TFormBereich_eg* d = FormBereich_eg;
    d->lage->obereGrenzen(e->wd, e->hg);
    if (d->exec() != QDialog::Accepted) {
        return;
    }
    TBereich r;
    bereichLesen(d, r);
    const int id = praesentation.neuerBereich(r);
    knotenAnfuegen(ausgewaehlt(), {praesentation.bildschirmID, praesentation.ebeneID, id, 0, 0},
                   knotentext(praesentation.ebene()->BereichList.back()));
    ConfigSave();
}

void TFormPraesent::AendernBereich() {
    TBereich* r = praesentation.bereich();
    if (!r) {
        return;
    }
    TFormBereich_eg* d = FormBereich_eg;
    const TEbene* e = praesentation.ebene();
    lageSetzen(d->lage, r->x, r->y, r->wd, r->hg, e->wd, e->hg, true);
    optionenSetzen(d, *r);
    d->Edit1->setText(r->backgroundimage);
    if (d->exec() != QDialog::Accepted) {
        return;
    }
    bereichLesen(d, *r);
    beschriften(ausgewaehlt(), knotentext(*r));
    ConfigSave();
}

void TFormPraesent::LoeschenBereich() {
    const Praesentation& p = praesentation;
    if (!loeschenBestaetigt(
            QStringLiteral("Soll Bildschirm ID: %1 Ebene ID: %2 Bereich ID: %3 wirklich gelöscht werden ?")
                .arg(p.bildschirmID)
                .arg(p.ebeneID)
                .arg(p.bereichID))) {
        return;
    }
    praesentation.loeschen();
    knotenLoeschen();
    ConfigSave();
}

// Objects

void TFormPraesent::NeuesObjekt() {
    if (!praesentation.bereich()) {
        return;
    }
    TFormObjekt_eg* d = FormObjekt_eg;
    d->Memo1->clear();
    d->memoKodierung = Meldungskodierung::Ansi;
    if (d->exec() != QDialog::Accepted) {
        return;
    }
    TPObjekt o;
    o.objid = d->artIndex();
    o.dauer = d->dauer->value();
    o.fontgr = d->fontgr->value();
    o.werbungimage = d->Edit1->text();
    const int id = praesentation.neuesObjekt(o);
    const Praesentation& p = praesentation;
    knotenAnfuegen(ausgewaehlt(), {p.bildschirmID, p.ebeneID, p.bereichID, id, 0},
                   knotentext(praesentation.bereich()->ObjektList.back()));
    if (o.objid == objektartMeldung) {
        versuchen([&]() {
            MeldungSave(m_kontext.tsdir, meldungDateiname(p.bildschirmID, p.ebeneID, p.bereichID, id, true),
                        {d->Memo1->toPlainText(), d->memoKodierung});
        });
    }
    // Saved also when the message file failed: the object itself must not get lost.
    ConfigSave();
}

void TFormPraesent::AendernObjekt() {
    TPObjekt* o = praesentation.objekt();
    if (!o) {
        return;
    }
    const Praesentation& p = praesentation;
    const QString orgName = meldungDateiname(p.bildschirmID, p.ebeneID, p.bereichID, p.objektID, true);
    TFormObjekt_eg* d = FormObjekt_eg;
    d->ComboBox1->setCurrentIndex(o->objid >= 0 && o->objid < d->ComboBox1->count() ? o->objid : -1);
    d->dauer->setValue(o->dauer);
    d->Edit1->setText(o->werbungimage);
    d->fontgr->setValue(o->fontgr);
    d->Memo1->clear();
    d->memoKodierung = Meldungskodierung::Ansi;
    if (o->objid == objektartMeldung && !versuchen([&]() {
            const Meldungstext meldung = MeldungLoad(m_kontext.tsdir, orgName);
            d->Memo1->setPlainText(meldung.text);
            d->memoKodierung = meldung.kodierung;
        })) {
        return;
    }
    if (d->exec() != QDialog::Accepted) {
        return;
    }
    o->objid = d->artIndex();
    o->dauer = d->dauer->value();
    o->werbungimage = d->Edit1->text();
    o->fontgr = d->fontgr->value();
    beschriften(ausgewaehlt(), knotentext(*o));
    if (o->objid == objektartMeldung) {
        versuchen([&]() { MeldungSave(m_kontext.tsdir, orgName, {d->Memo1->toPlainText(), d->memoKodierung}); });
    }
    ConfigSave();
}

void TFormPraesent::LoeschenObjekt() {
    const Praesentation& p = praesentation;
    if (!loeschenBestaetigt(QStringLiteral("Soll Bildschirm ID: %1 Ebene ID: %2 Bereich ID: %3 Objekt ID: %4 "
                                           "wirklich gelöscht werden ?")
                                .arg(p.bildschirmID)
                                .arg(p.ebeneID)
                                .arg(p.bereichID)
                                .arg(p.objektID))) {
        return;
    }
    if (const TPObjekt* o = praesentation.objekt(); o && o->objid == objektartMeldung) {
        MeldungDelete(m_kontext.tsdir, meldungDateiname(p.bildschirmID, p.ebeneID, p.bereichID, p.objektID, true));
        MeldungDelete(m_kontext.tsdir, meldungDateiname(p.bildschirmID, p.ebeneID, p.bereichID, p.objektID, false));
    }
    praesentation.loeschen();
    knotenLoeschen();
    ConfigSave();
}

// Draw references

namespace {

// Reads the reference from the dialog by the kind of its object; returns the caption's name part.
QString referenzLesen(const TFormAuslo_eg* d, TAuslo& a, Namensabfrage& namen) {
    switch (referenzart(d->art)) {
    case Referenzart::Halle:
        a.aslid = auswahlText(d->ComboBox2);
        return d->ComboBox2->currentText();
    case Referenzart::Konkurrenz:
        a.aslid = auswahlText(d->ComboBox3);
        return d->ComboBox3->currentText();
    case Referenzart::Auslosung:
        break;
    }
    a.aslid = d->RadioGroup2->itemIndex() == 1 ? d->gewaehlteAuslosungen() : QStringLiteral("0");
    a.typ = std::max(0, d->RadioGroup1->itemIndex());
    return namen.Auslosung_bez(a.aslid);
}

} // namespace

void TFormPraesent::NeueAuslosung() {
    const TPObjekt* o = praesentation.objekt();
    if (!o) {
        return;
    }
    TFormAuslo_eg* d = FormAuslo_eg;
    d->art = o->objid;
    d->hakenEntfernen();
    d->RadioGroup1->setItemIndex(0);
    d->RadioGroup2->setItemIndex(0);
    if (d->exec() != QDialog::Accepted) {
        return;
    }
    TAuslo a;
    QString name;
    if (!versuchen([&]() { name = referenzLesen(d, a, *m_namen); })) {
        return;
    }
    a.id = praesentation.neueAuslosung(a);
    const Praesentation& p = praesentation;
    knotenAnfuegen(ausgewaehlt(), {p.bildschirmID, p.ebeneID, p.bereichID, p.objektID, a.id},
                   referenzKnotentext(a, o->objid, name));
    ConfigSave();
}

void TFormPraesent::AendernAuslosung() {
    TAuslo* a = praesentation.auslo();
    if (!a) {
        return;
    }
    const int objid = praesentation.objekt()->objid;
    TFormAuslo_eg* d = FormAuslo_eg;
    d->art = objid;
    d->hakenEntfernen();
    // Ids come from a hand-editable file: one that is not a number stops here, before anything changes.
    const bool gefuellt = versuchen([&]() {
        switch (referenzart(objid)) {
        case Referenzart::Halle:
            d->halleWaehlen(zahlOderFehler(a->aslid));
            break;
        case Referenzart::Konkurrenz:
            d->konkurrenzWaehlen(zahlOderFehler(a->aslid));
            break;
        case Referenzart::Auslosung: {
            const QStringList teile = zeile_zerlegen(a->aslid, u'-');
            if (teile.value(0) == QStringLiteral("0")) {
                d->RadioGroup2->setItemIndex(0);
                break;
            }
            for (const QString& teil : teile) {
                if (teil.isEmpty()) {
                    break;
                }
                d->auslosungAnhaken(zahlOderFehler(teil));
            }
            d->RadioGroup2->setItemIndex(1);
            break;
        }
        }
        d->RadioGroup1->setItemIndex(a->typ);
    });
    if (!gefuellt || d->exec() != QDialog::Accepted) {
        return;
    }
    TAuslo neu = *a;
    QString name;
    if (!versuchen([&]() { name = referenzLesen(d, neu, *m_namen); })) {
        return;
    }
    if (referenzart(objid) != Referenzart::Auslosung) {
        neu.typ = a->typ;
    }
    *a = neu;
    beschriften(ausgewaehlt(), referenzKnotentext(*a, objid, name));
    ConfigSave();
}

void TFormPraesent::LoeschenAuslosung() {
    const Praesentation& p = praesentation;
    if (!loeschenBestaetigt(QStringLiteral("Soll Bildschirm ID: %1 Ebene ID: %2 Bereich ID: %3 Objekt ID: %4 "
                                           "Auslosung ID: %5 wirklich gelöscht werden ?")
                                .arg(p.bildschirmID)
                                .arg(p.ebeneID)
                                .arg(p.bereichID)
                                .arg(p.objektID)
                                .arg(p.ausloID))) {
        return;
    }
    praesentation.loeschen();
    knotenLoeschen();
    ConfigSave();
}

} // namespace quenda
