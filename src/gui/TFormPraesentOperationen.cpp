#include "TFormPraesent.h"

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

#include <QTreeWidget>

namespace quenda {

namespace {

qint64 zahlOderFehler(const QString& text) {
    const auto zahl = ganzeZahl(text);
    if (!zahl) {
        throw ConversionError(QStringLiteral("„%1“ ist kein gültiger ganzzahliger Wert.").arg(text));
    }
    return *zahl;
}

} // namespace

// Screens

void TFormPraesent::NeuerBildschirm() {
    TFormBildschirm_eg* d = bildschirmDialog;
    d->obereGrenzen(0, 0);
    if (d->exec() != QDialog::Accepted) {
        return;
    }
    TBildschirm b;
    d->lesen(b);
    const int id = m_praesentation.neuerBildschirm(b);
    knotenAnfuegen(baum->topLevelItem(0), {id, 0, 0, 0, 0}, knotentext(m_praesentation.BildschirmList.back()));
    ConfigSave();
}

void TFormPraesent::AendernBildschirm() {
    TBildschirm* b = m_praesentation.bildschirm();
    if (!b) {
        return;
    }
    TFormBildschirm_eg* d = bildschirmDialog;
    d->zeigen(*b);
    if (d->exec() != QDialog::Accepted) {
        return;
    }
    d->lesen(*b);
    beschriften(ausgewaehlt(), knotentext(*b));
    ConfigSave();
}

void TFormPraesent::LoeschenBildschirm() {
    if (!loeschenBestaetigt(
            QStringLiteral("Soll Bildschirm ID: %1 wirklich gelöscht werden ?").arg(m_praesentation.bildschirmID))) {
        return;
    }
    m_praesentation.loeschen();
    knotenLoeschen();
    ConfigSave();
}

// Layers

void TFormPraesent::NeueEbene() {
    const TBildschirm* b = m_praesentation.bildschirm();
    if (!b) {
        return;
    }
    TFormEbene_eg* d = ebeneDialog;
    d->obereGrenzen(b->wd, b->hg);
    if (d->exec() != QDialog::Accepted) {
        return;
    }
    TEbene e;
    d->lesen(e);
    const int id = m_praesentation.neueEbene(e);
    knotenAnfuegen(ausgewaehlt(), {m_praesentation.bildschirmID, id, 0, 0, 0},
                   knotentext(m_praesentation.bildschirm()->EbeneList.back()));
    ConfigSave();
}

void TFormPraesent::AendernEbene() {
    TEbene* e = m_praesentation.ebene();
    if (!e) {
        return;
    }
    TFormEbene_eg* d = ebeneDialog;
    const TBildschirm* b = m_praesentation.bildschirm();
    d->zeigen(*e, b->wd, b->hg);
    if (d->exec() != QDialog::Accepted) {
        return;
    }
    d->lesen(*e);
    beschriften(ausgewaehlt(), knotentext(*e));
    ConfigSave();
}

void TFormPraesent::LoeschenEbene() {
    const Praesentation& p = m_praesentation;
    if (!loeschenBestaetigt(QStringLiteral("Soll Bildschirm ID: %1 Ebene ID: %2 wirklich gelöscht werden ?")
                                .arg(p.bildschirmID)
                                .arg(p.ebeneID))) {
        return;
    }
    m_praesentation.loeschen();
    knotenLoeschen();
    ConfigSave();
}

// Areas

void TFormPraesent::NeuerBereich() {
    const TEbene* e = m_praesentation.ebene();
    if (!e) {
        return;
    }
    TFormBereich_eg* d = bereichDialog;
    d->obereGrenzen(e->wd, e->hg);
    if (d->exec() != QDialog::Accepted) {
        return;
    }
    TBereich r;
    d->lesen(r);
    const int id = m_praesentation.neuerBereich(r);
    knotenAnfuegen(ausgewaehlt(), {m_praesentation.bildschirmID, m_praesentation.ebeneID, id, 0, 0},
                   knotentext(m_praesentation.ebene()->BereichList.back()));
    ConfigSave();
}

void TFormPraesent::AendernBereich() {
    TBereich* r = m_praesentation.bereich();
    if (!r) {
        return;
    }
    TFormBereich_eg* d = bereichDialog;
    const TEbene* e = m_praesentation.ebene();
    d->zeigen(*r, e->wd, e->hg);
    if (d->exec() != QDialog::Accepted) {
        return;
    }
    d->lesen(*r);
    beschriften(ausgewaehlt(), knotentext(*r));
    ConfigSave();
}

void TFormPraesent::LoeschenBereich() {
    const Praesentation& p = m_praesentation;
    if (!loeschenBestaetigt(
            QStringLiteral("Soll Bildschirm ID: %1 Ebene ID: %2 Bereich ID: %3 wirklich gelöscht werden ?")
                .arg(p.bildschirmID)
                .arg(p.ebeneID)
                .arg(p.bereichID))) {
        return;
    }
    m_praesentation.loeschen();
    knotenLoeschen();
    ConfigSave();
}

// Objects

void TFormPraesent::NeuesObjekt() {
    if (!m_praesentation.bereich()) {
        return;
    }
    TFormObjekt_eg* d = objektDialog;
    d->meldungZeigen({});
    if (d->exec() != QDialog::Accepted) {
        return;
    }
    TPObjekt o;
    d->lesen(o);
    const int id = m_praesentation.neuesObjekt(o);
    const Praesentation& p = m_praesentation;
    knotenAnfuegen(ausgewaehlt(), {p.bildschirmID, p.ebeneID, p.bereichID, id, 0},
                   knotentext(m_praesentation.bereich()->ObjektList.back()));
    if (o.objid == objektartMeldung) {
        versuchen([&]() {
            MeldungSave(m_kontext.tsdir, meldungDateiname(p.bildschirmID, p.ebeneID, p.bereichID, id, true),
                        d->meldung());
        });
    }
    // Saved also when the message file failed: the object itself must not get lost.
    ConfigSave();
}

void TFormPraesent::AendernObjekt() {
    TPObjekt* o = m_praesentation.objekt();
    if (!o) {
        return;
    }
    const Praesentation& p = m_praesentation;
    const QString orgName = meldungDateiname(p.bildschirmID, p.ebeneID, p.bereichID, p.objektID, true);
    TFormObjekt_eg* d = objektDialog;
    d->zeigen(*o);
    d->meldungZeigen({});
    if (o->objid == objektartMeldung &&
        !versuchen([&]() { d->meldungZeigen(MeldungLoad(m_kontext.tsdir, orgName)); })) {
        return;
    }
    if (d->exec() != QDialog::Accepted) {
        return;
    }
    d->lesen(*o);
    beschriften(ausgewaehlt(), knotentext(*o));
    if (o->objid == objektartMeldung) {
        versuchen([&]() { MeldungSave(m_kontext.tsdir, orgName, d->meldung()); });
    }
    ConfigSave();
}

void TFormPraesent::LoeschenObjekt() {
    const Praesentation& p = m_praesentation;
    if (!loeschenBestaetigt(QStringLiteral("Soll Bildschirm ID: %1 Ebene ID: %2 Bereich ID: %3 Objekt ID: %4 "
                                           "wirklich gelöscht werden ?")
                                .arg(p.bildschirmID)
                                .arg(p.ebeneID)
                                .arg(p.bereichID)
                                .arg(p.objektID))) {
        return;
    }
    if (const TPObjekt* o = m_praesentation.objekt(); o && o->objid == objektartMeldung) {
        MeldungDelete(m_kontext.tsdir, meldungDateiname(p.bildschirmID, p.ebeneID, p.bereichID, p.objektID, true));
        MeldungDelete(m_kontext.tsdir, meldungDateiname(p.bildschirmID, p.ebeneID, p.bereichID, p.objektID, false));
    }
    m_praesentation.loeschen();
    knotenLoeschen();
    ConfigSave();
}

// Draw references

namespace {

// Reads the reference from the dialog by the kind of its object; returns the caption's name part.
QString referenzLesen(const TFormAuslo_eg* d, int objid, TAuslo& a, Namensabfrage& namen) {
    a.aslid = d->gewaehlteId();
    if (referenzart(objid) != Referenzart::Auslosung) {
        return d->gewaehlterName();
    }
    a.typ = d->typ();
    return namen.Auslosung_bez(a.aslid);
}

} // namespace

void TFormPraesent::NeueAuslosung() {
    const TPObjekt* o = m_praesentation.objekt();
    if (!o) {
        return;
    }
    TFormAuslo_eg* d = ausloDialog;
    d->neu(o->objid);
    if (d->exec() != QDialog::Accepted) {
        return;
    }
    TAuslo a;
    QString name;
    if (!versuchen([&]() { name = referenzLesen(d, o->objid, a, *m_namen); })) {
        return;
    }
    a.id = m_praesentation.neueAuslosung(a);
    const Praesentation& p = m_praesentation;
    knotenAnfuegen(ausgewaehlt(), {p.bildschirmID, p.ebeneID, p.bereichID, p.objektID, a.id},
                   referenzKnotentext(a, o->objid, name));
    ConfigSave();
}

void TFormPraesent::AendernAuslosung() {
    TAuslo* a = m_praesentation.auslo();
    if (!a) {
        return;
    }
    const int objid = m_praesentation.objekt()->objid;
    TFormAuslo_eg* d = ausloDialog;
    d->aendern(objid);
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
                d->alleAuslosungen(true);
                break;
            }
            for (const QString& teil : teile) {
                if (teil.isEmpty()) {
                    break;
                }
                d->auslosungAnhaken(zahlOderFehler(teil));
            }
            d->alleAuslosungen(false);
            break;
        }
        }
        d->setTyp(a->typ);
    });
    if (!gefuellt || d->exec() != QDialog::Accepted) {
        return;
    }
    TAuslo neu = *a;
    QString name;
    if (!versuchen([&]() { name = referenzLesen(d, objid, neu, *m_namen); })) {
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
    const Praesentation& p = m_praesentation;
    if (!loeschenBestaetigt(QStringLiteral("Soll Bildschirm ID: %1 Ebene ID: %2 Bereich ID: %3 Objekt ID: %4 "
                                           "Auslosung ID: %5 wirklich gelöscht werden ?")
                                .arg(p.bildschirmID)
                                .arg(p.ebeneID)
                                .arg(p.bereichID)
                                .arg(p.objektID)
                                .arg(p.ausloID))) {
        return;
    }
    m_praesentation.loeschen();
    knotenLoeschen();
    ConfigSave();
}

} // namespace quenda
