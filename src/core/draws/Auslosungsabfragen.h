#pragma once

#include <QString>

namespace quenda::abfragen {

// Competitions of the tournament that have no draw or an unreleased one (one row per competition and
// unreleased draw). grmax counts the entries: singles in amklasse, doubles (typ other than 1) in amdoppel.
QString konkurrenzen(int dbturid);

// One row per group of every released draw, with the draw count "anz" and the group's game counts.
QString auslosungen(int dbturid);

// The released draw groups as the interval window refreshes them (no game counts).
QString intervallAuslosungen(int dbturid);

} // namespace quenda::abfragen
