#pragma once

#include <QString>
#include <array>

namespace quenda {

// One stored set result (the loser's points, signed from the first player's view; "-0" lost 0:11) as the
// first player's points, ":" and the second player's points; empty for a set not played.
// Throws ConversionError for a value that is no whole number.
QString satz(const QString& wert);

struct Baelle {
    qint64 erster = 0;  // points of the first player
    qint64 zweiter = 0; // points of the second player
};

// The points of both players over the seven stored set values of one game.
Baelle satzbaelle(const std::array<QString, 7>& saetze);

// The set list of a game: "[" + the formatted sets among the first sg + sv values (at most seven), the
// empty ones left out, joined by ";" + "]"; empty when no set remains.
QString satzausgabe(qint64 sg, qint64 sv, const std::array<QString, 7>& saetze);

} // namespace quenda
