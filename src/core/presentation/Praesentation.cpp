#include "presentation/Praesentation.h"

#include "util/Programmuhr.h"
#include "util/Routinen.h"

#include <QDir>
#include <QFile>

namespace quenda {

namespace {

template <typename T>
int position(const std::vector<T>* liste, int id) {
    if (!liste) {
        return Praesentation::nichtGefunden;
    }
    for (std::size_t i = 0; i < liste->size(); ++i) {
        if ((*liste)[i].id == id) {
            return static_cast<int>(i) + 1;
        }
    }
    return Praesentation::nichtGefunden;
}

template <typename T>
T* an(std::vector<T>* liste, int pos) {
    if (!liste || pos < 1 || pos > static_cast<int>(liste->size())) {
        return nullptr;
    }
    return &(*liste)[static_cast<std::size_t>(pos - 1)];
}

template <typename T>
int anhaengen(std::vector<T>& liste, T element) {
    element.id = naechsteId(liste);
    liste.push_back(std::move(element));
    return liste.back().id;
}

template <typename T>
void entfernen(std::vector<T>* liste, int pos) {
    if (an(liste, pos)) {
        liste->erase(liste->begin() + (pos - 1));
    }
}

} // namespace

int Praesentation::Bildschirm_Item(int id) const {
    return position(&BildschirmList, id);
}

int Praesentation::Ebene_Item(int id) const {
    auto* b = const_cast<Praesentation*>(this)->bildschirm();
    return position(b ? &b->EbeneList : nullptr, id);
}

int Praesentation::Bereich_Item(int id) const {
    auto* e = const_cast<Praesentation*>(this)->ebene();
    return position(e ? &e->BereichList : nullptr, id);
}

int Praesentation::Objekt_Item(int id) const {
    auto* r = const_cast<Praesentation*>(this)->bereich();
    return position(r ? &r->ObjektList : nullptr, id);
}

int Praesentation::Auslosung_Item(int id) const {
    auto* o = const_cast<Praesentation*>(this)->objekt();
    return position(o ? &o->AuslosungList : nullptr, id);
}

void Praesentation::auswaehlen(const TNodeInfo& info) {
    auswahlstufe = stufe(info);
    bildschirmID = info.bs_id;
    bs_Item = Bildschirm_Item(bildschirmID);
    if (bs_Item == nichtGefunden) {
        return;
    }
    ebeneID = info.eb_id;
    eb_Item = Ebene_Item(ebeneID);
    if (eb_Item == nichtGefunden) {
        return;
    }
    bereichID = info.br_id;
    br_Item = Bereich_Item(bereichID);
    if (br_Item == nichtGefunden) {
        return;
    }
    objektID = info.obj_id;
    obj_Item = Objekt_Item(objektID);
    if (obj_Item == nichtGefunden) {
        return;
    }
    ausloID = info.asl_id;
    asl_Item = Auslosung_Item(ausloID);
}

TBildschirm* Praesentation::bildschirm() {
    return an(&BildschirmList, bs_Item);
}

TEbene* Praesentation::ebene() {
    auto* b = bildschirm();
    return b ? an(&b->EbeneList, eb_Item) : nullptr;
}

TBereich* Praesentation::bereich() {
    auto* e = ebene();
    return e ? an(&e->BereichList, br_Item) : nullptr;
}

TPObjekt* Praesentation::objekt() {
    auto* r = bereich();
    return r ? an(&r->ObjektList, obj_Item) : nullptr;
}

TAuslo* Praesentation::auslo() {
    auto* o = objekt();
    return o ? an(&o->AuslosungList, asl_Item) : nullptr;
}

int Praesentation::neuerBildschirm(TBildschirm b) {
    return anhaengen(BildschirmList, std::move(b));
}

int Praesentation::neueEbene(TEbene e) {
    return anhaengen(bildschirm()->EbeneList, std::move(e));
}

int Praesentation::neuerBereich(TBereich r) {
    return anhaengen(ebene()->BereichList, std::move(r));
}

int Praesentation::neuesObjekt(TPObjekt o) {
    return anhaengen(bereich()->ObjektList, std::move(o));
}

int Praesentation::neueAuslosung(TAuslo a) {
    return anhaengen(objekt()->AuslosungList, std::move(a));
}

void Praesentation::loeschen() {
    switch (auswahlstufe) {
    case Ebenenstufe::Wurzel:
        return;
    case Ebenenstufe::Bildschirm:
        return entfernen(&BildschirmList, bs_Item);
    case Ebenenstufe::Ebene:
        if (auto* b = bildschirm()) {
            entfernen(&b->EbeneList, eb_Item);
        }
        return;
    case Ebenenstufe::Bereich:
        if (auto* e = ebene()) {
            entfernen(&e->BereichList, br_Item);
        }
        return;
    case Ebenenstufe::Objekt:
        if (auto* r = bereich()) {
            entfernen(&r->ObjektList, obj_Item);
        }
        return;
    case Ebenenstufe::Auslosung:
        if (auto* o = objekt()) {
            entfernen(&o->AuslosungList, asl_Item);
        }
        return;
    }
}

void Praesentation::leeren() {
    BildschirmList.clear();
    *this = Praesentation{};
}

Ladeergebnis Praesentation::laden(const QString& tsdir, Namensabfrage* namen, KonfigAufbau* aufbau) {
    leeren();
    m_tsdir = tsdir;
    const Ladeergebnis ergebnis = ConfigLoad(configPfad(tsdir), BildschirmList, namen, aufbau);
    m_sichern =
        ergebnis.status == Ladeergebnis::Status::NichtLadbar || ergebnis.status == Ladeergebnis::Status::Abgebrochen;
    return ergebnis;
}

void Praesentation::speichern(const QString& turniername) {
    const QString pfad = configPfad(m_tsdir);
    if (m_sichern && QFile::exists(pfad)) {
        // The file the editor could not read completely holds the user's work: keep it before it is replaced.
        datei_kopieren(pfad, pfad + QStringLiteral(".bak-") + zeitstempel14(programmuhr().jetzt()));
    }
    m_sichern = false;
    ConfigSave(pfad, turniername, BildschirmList);
}

} // namespace quenda
