// TBildschirm, TEbene, TBereich, TPObjekt, TAuslo — the presentation's elements (screens down to draw references)
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace quenda {

// The presentation configuration: screens, their layers, areas, objects and draw references. Owned by the
// presentation editor (UI thread) while it is open; every element owns its child list by value.

struct TAuslo {
    QString aslid; // "0" = all; draw ids joined by "-", one hall id or one competition id
    int typ = 0;   // draws: 0 tables and knock-out fields, 1 tables only, 2 knock-out fields only
    int id = 0;
};

struct TPObjekt {
    int objid = 0; // index into objektArten()
    int dauer = 0;
    int id = 0;
    int fontgr = 0;
    QString werbungimage;
    std::vector<TAuslo> AuslosungList;
};

struct TBereich {
    int x = 0, y = 0, wd = 0, hg = 0;
    int id = 0;
    int sc = 0, nd = 0, gd = 0, rh = 0; // display options, 1 = ticked
    QString backgroundimage;
    std::vector<TPObjekt> ObjektList;
};

struct TEbene {
    int x = 0, y = 0, wd = 0, hg = 0;
    int id = 0;
    int beginn = 0, dauer = 0, border = 0;
    QString backgroundimage;
    std::vector<TBereich> BereichList;
};

struct TBildschirm {
    int x = 0, y = 0, wd = 0, hg = 0;
    int id = 0;
    QString backgroundimage;
    std::vector<TEbene> EbeneList;
};

using BildschirmListe = std::vector<TBildschirm>;

// The id path of a tree node; the first zero ends the path (all zero: the root).
struct TNodeInfo {
    int bs_id = 0;
    int eb_id = 0;
    int br_id = 0;
    int obj_id = 0;
    int asl_id = 0;
};

enum class Ebenenstufe { Wurzel, Bildschirm, Ebene, Bereich, Objekt, Auslosung };
Ebenenstufe stufe(const TNodeInfo& info);

// A new element's id: the last sibling's id + 1, or 1 for an empty list. The last one, not the largest:
// ids deleted in the middle of a list are not reused while a later sibling exists.
template <typename T>
int naechsteId(const std::vector<T>& liste) {
    return liste.empty() ? 1 : liste.back().id + 1;
}

// The ten object kinds, index = objid.
const QStringList& objektArten();
constexpr int objektartMeldung = 6;

enum class Referenzart { Auslosung, Halle, Konkurrenz };
// Kinds 4 and 5 reference halls, kind 8 competitions, every other kind draws.
Referenzart referenzart(int objid);

// The shown texts of a draw reference's typ (0 to 2); empty for any other value.
QString auslosungstypText(int typ);

} // namespace quenda
