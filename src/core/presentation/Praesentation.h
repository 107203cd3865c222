// Praesentation (BildschirmList, Bildschirm_Item) — the presentation editor's model and selection
#pragma once

#include "presentation/ConfigDatei.h"
#include "presentation/Praesentationsmodell.h"

#include <QString>

namespace quenda {

// The presentation editor's model and selection state (UI thread): the screens, the selected node's id
// path, the positions of its elements (1-based, 9999 = not found) and the changes the editor makes.
// Elements are always found again through their ids, never kept by reference.
class Praesentation {
public:
    static constexpr int nichtGefunden = 9999;

    BildschirmListe BildschirmList;

    int bildschirmID = 0, ebeneID = 0, bereichID = 0, objektID = 0, ausloID = 0;
    int bs_Item = nichtGefunden, eb_Item = nichtGefunden, br_Item = nichtGefunden, obj_Item = nichtGefunden,
        asl_Item = nichtGefunden;
    Ebenenstufe auswahlstufe = Ebenenstufe::Wurzel;

    // Position look-ups in the lists along the current selection: the first element with that id.
    int Bildschirm_Item(int id) const;
    int Ebene_Item(int id) const;
    int Bereich_Item(int id) const;
    int Objekt_Item(int id) const;
    int Auslosung_Item(int id) const;

    // The selection change: ids and positions down to the first level that is not found; the levels
    // below keep their earlier values.
    void auswaehlen(const TNodeInfo& info);

    // The elements at the selection's positions; nullptr when a position is not valid.
    TBildschirm* bildschirm();
    TEbene* ebene();
    TBereich* bereich();
    TPObjekt* objekt();
    TAuslo* auslo();

    // Appends a new element under the selected parent with the next id and returns that id. The caller
    // checks that the parent exists.
    int neuerBildschirm(TBildschirm b);
    int neueEbene(TEbene e);
    int neuerBereich(TBereich r);
    int neuesObjekt(TPObjekt o);
    int neueAuslosung(TAuslo a);

    // Removes the selected element (by the selection's level) with its subtree.
    void loeschen();

    // Reads the configuration into the (emptied) model. A file that did not load completely is kept aside
    // before the first save overwrites it.
    Ladeergebnis laden(const QString& tsdir, Namensabfrage* namen, KonfigAufbau* aufbau);
    // Writes the configuration. The first save after an incomplete load copies the old file to
    // config_quenda.xml.bak-<yyyymmddhhnnss> first. Throws IoError; the model keeps the change.
    void speichern(const QString& turniername);

    void leeren();

private:
    QString m_tsdir;
    bool m_sichern = false;
};

} // namespace quenda
