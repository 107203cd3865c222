// tabelle_sort — the ranking of a round-robin group table
#pragma once

#include <QString>
#include <functional>
#include <vector>

namespace quenda {

// One starter of a group table with the counters of its finished games. A value type of the cycle thread.
struct Tabelleneintrag {
    int stf_id = 0;
    int posnr = 0;
    int grnr = 0;
    QString stnr;      // at most 20 characters
    QString starter;   // at most 200
    QString verein;    // at most 100
    QString zd_gebiet; // at most 50
    int sperre = 0;    // block mark; a higher mark ranks lower
    qint64 spieleGewonnen = 0;
    qint64 spieleVerloren = 0;
    qint64 saetzeGewonnen = 0;
    qint64 saetzeVerloren = 0;
    qint64 baelleGewonnen = 0;
    qint64 baelleVerloren = 0;
};

// Whether the starter at position y won the game against the starter at position x.
using Direktvergleich = std::function<bool(int x, int y)>;

// True when b ranks ahead of a: block mark, games won, games lost, set difference, with the ball option the
// ball difference, and when all these tie the direct comparison with a's posnr as x and b's as y.
bool rangiertVor(const Tabelleneintrag& a, const Tabelleneintrag& b, bool baelle, const Direktvergleich& vergleich);

// Ranks the entries in place with the exchange sort the display pages' rankings are defined by: every
// pair (i, j > i) is compared with the contents of that moment and exchanged when j ranks ahead of i.
// Not stable, and with non-transitive direct comparisons the result depends on exactly this procedure.
void tabelle_sort(std::vector<Tabelleneintrag>& eintraege, bool baelle, const Direktvergleich& vergleich);

} // namespace quenda
