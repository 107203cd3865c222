#pragma once

#include <QString>
#include <optional>
#include <vector>

namespace quenda::demo {

class Zufall;

// One played set as the tournament database stores it: the loser's points, signed from the first side's
// view ("7" = won 11:7, "-7" = lost 7:11, "0" = won 11:0, "-0" = lost 0:11, "12" = won 14:12).
struct Satz {
    bool ersterGewinnt = true;
    int verliererPunkte = 0;

    bool operator==(const Satz&) const = default;
};

QString satzText(const Satz& satz);
// The stored text of a set; nothing when it is not in the stored notation (an empty text is no set).
std::optional<Satz> satzLesen(const QString& text);

struct Spielstand {
    int sg = 0; // sets won by the first side
    int sv = 0; // sets won by the second side
};
Spielstand zaehlen(const std::vector<Satz>& saetze);

Satz zufallsSatz(Zufall& zufall, bool ersterGewinnt);
// A complete game to gse winning sets; the winner takes the last set.
std::vector<Satz> zufallsErgebnis(Zufall& zufall, int gse, bool ersterGewinnt);
// A game under way: neither side has reached gse sets (possibly no set yet).
std::vector<Satz> zufallsZwischenstand(Zufall& zufall, int gse);
// Playing strength 0..99 of an entry (amkd_id), the same in the generator and the simulator.
int staerke(qint64 eintragId);
// Chance in percent that the first side wins, from two playing strengths.
int gewinnChance(int staerke1, int staerke2);

} // namespace quenda::demo
