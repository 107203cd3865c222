#include "export/Gruppentabelle.h"

#include <utility>

namespace quenda {

bool rangiertVor(const Tabelleneintrag& a, const Tabelleneintrag& b, bool baelle, const Direktvergleich& vergleich) {
    if (a.sperre != b.sperre) {
        return b.sperre < a.sperre;
    }
    if (a.spieleGewonnen != b.spieleGewonnen) {
        return b.spieleGewonnen > a.spieleGewonnen;
    }
    if (a.spieleVerloren != b.spieleVerloren) {
        return b.spieleVerloren < a.spieleVerloren;
    }
    const qint64 saetzeA = a.saetzeGewonnen - a.saetzeVerloren;
    const qint64 saetzeB = b.saetzeGewonnen - b.saetzeVerloren;
    if (saetzeA != saetzeB) {
        return saetzeB > saetzeA;
    }
    if (baelle) {
        const qint64 baelleA = a.baelleGewonnen - a.baelleVerloren;
        const qint64 baelleB = b.baelleGewonnen - b.baelleVerloren;
        if (baelleA != baelleB) {
            return baelleB > baelleA;
        }
    }
    return vergleich(a.posnr, b.posnr);
}

void tabelle_sort(std::vector<Tabelleneintrag>& eintraege, bool baelle, const Direktvergleich& vergleich) {
    const std::size_t n = eintraege.size();
    for (std::size_t i = 0; i + 1 < n; ++i) {
        for (std::size_t j = i + 1; j < n; ++j) {
            if (rangiertVor(eintraege[i], eintraege[j], baelle, vergleich)) {
                std::swap(eintraege[i], eintraege[j]);
            }
        }
    }
}

} // namespace quenda
