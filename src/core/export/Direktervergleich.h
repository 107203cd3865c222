#pragma once

#include "db/Wert.h"

#include <QHash>
#include <optional>

namespace quenda {

class TDM;

// The direct comparison of one group: whether the starter at position y won the game against the starter at
// position x, whatever the game's state — the game with x first and y second when there is exactly one,
// else the one with y first when there is exactly one, else false. The group's games are read once, with one
// statement on QuerySQL1 at the first comparison, so a ranking in which every pair ties costs one statement,
// not one or two per pair. Lives for one table export on the cycle thread.
class Direktervergleich {
public:
    Direktervergleich(TDM& dm, int syf_id) : m_dm(dm), m_syf_id(syf_id) {}

    bool operator()(int x, int y);

private:
    struct Paarung {
        int spiele = 0;
        // Of the first game with this order of positions; converted only when it decides, so a value that
        // is no number stops the export exactly when the per-pair statements stopped it.
        std::optional<Wert> sg;
        std::optional<Wert> sv;
    };

    void lesen();
    const Paarung* paarung(int erster, int zweiter) const;

    TDM& m_dm;
    int m_syf_id;
    bool m_gelesen = false;
    QHash<quint64, Paarung> m_paarungen; // by first and second position
};

} // namespace quenda
