#pragma once

#include <QtGlobal>

// Ids that every generated database has, whatever its size and seed, so that tests can find the cases
// they need. The reference time "jetzt" is the generator's --now (default 2026-12-09 09:00:00).
namespace quenda::demo::fest {

inline constexpr qint64 turnier = 1;      // "Südpark-Pokal 2026"
inline constexpr qint64 fremdTurnier = 2; // "Kreisrangliste 2026": nothing of it may show up in turnier 1

// Competitions of tournament 1 (Konkurrenz.kn_id).
inline constexpr qint64 knHerrenA = 1;      // singles, started jetzt-2h, draws 1 and 2
inline constexpr qint64 knDamenA = 2;       // singles, started jetzt-1h, draw 3
inline constexpr qint64 knHerrenDoppel = 3; // doubles (typ 2), started jetzt-90min, draws 4 and 5
inline constexpr qint64 knMixed = 4;        // doubles with typ 3, no draw, starts jetzt+2h (tracked)
inline constexpr qint64 knJungenU15 = 5;    // no draw, starts jetzt+1h (tracked)
inline constexpr qint64 knMaedchenU15 = 6;  // no draw, starts jetzt+5h (not yet tracked)
inline constexpr qint64 knSenioren60 = 7;   // no draw, startdatetime NULL
inline constexpr qint64 knHerrenB = 8;      // unreleased draw 6 (al_freigabe 0), started jetzt-30min
inline constexpr qint64 knJungenU18 = 9;    // no draw, starts exactly jetzt+180min (tracked)
inline constexpr qint64 knMaedchenU18 = 10; // no draw, starts jetzt+181min (not tracked)
inline constexpr qint64 knSenioren70 = 11;  // no entries, starts jetzt+30min (never tracked)
inline constexpr qint64 knDamenB = 12;      // released draw 7 and unreleased draw 8, starts jetzt+1h
inline constexpr qint64 knSenioren50 = 13;  // no draw, starts at midnight after jetzt's day

// Draws (al_conf.al_id).
inline constexpr qint64 alHerrenAVorrunde = 1;  // groups, in operation, "Vorrunde", turopt 31, sglopt 15
inline constexpr qint64 alHerrenAEndrunde = 2;  // knock-out 16 with 3 byes, in operation, turopt 7, final gse 4
inline constexpr qint64 alDamenA = 3;           // groups, released only, al_bez NULL, turopt and sglopt NULL
inline constexpr qint64 alDoppelVorrunde = 4;   // doubles groups, in operation, turopt 0, sglopt 7
inline constexpr qint64 alDoppelEndrunde = 5;   // doubles knock-out 8 with 2 byes, in operation, turopt 31
inline constexpr qint64 alHerrenB = 6;          // groups, not released (al_freigabe 0)
inline constexpr qint64 alDamenBVorrunde = 7;   // groups, released only, al_bez '', turopt 31, sglopt 8
inline constexpr qint64 alDamenBTrostrunde = 8; // knock-out 8 without byes, al_freigabe NULL, turopt 0

// Groups (al_systemfeld.syf_id).
inline constexpr qint64 syfSchaufenster = 1; // draw 1 group 1: 6 starters, a game in every state (below)
inline constexpr qint64 syfDreierPatt = 2;   // draw 1 group 2: positions 1>2, 2>3, 3>1 (each 3:1, equal balls),
                                             // all beat 4 by 3:0; ranked by the exchange sort: 3, 1, 2, 4
inline constexpr qint64 syfGesperrt = 3;     // draw 1 group 3: 5 starters, position 2 blocked (sperre 1)
inline constexpr qint64 syfOhneErgebnis = 4; // draw 1 group 4: 4 starters, every game open (state 0)
inline constexpr qint64 syfHerrenAKo = 5;    // draw 2: byes at positions 2, 6 and 10
inline constexpr qint64 syfDoppelKo = 10;    // draw 5: byes at positions 2 and 6
inline constexpr qint64 syfDamenBKo = 16;    // draw 8

// Games of group 1 (sb_ergebnisse.erg_id), game number = erg_id.
inline constexpr qint64 ergSonderSaetze = 1; // state 4, sets "-0;7;-12;0;9" (3:2), table 7 kept, not occupied
inline constexpr qint64 ergTischFertig = 2;  // state 4, sets 5;8;11 (3:0), still occupies table 4
inline constexpr qint64 ergOhneSaetze = 3;   // state 4 with 0:0 and NULL sets (walk-over), no table
inline constexpr qint64 ergAufgerufen = 4;   // state 2 on table 1
inline constexpr qint64 ergLaeuft = 5;       // state 3 on table 2, 1:1
inline constexpr qint64 ergUnterbrochen = 6; // state 33 on table 5, 2:1
inline constexpr qint64 ergInPlanung = 7;    // state 22 on table 3
inline constexpr qint64 ergStatus5 = 8;      // state 5, 1:3, gse NULL
inline constexpr qint64 ergStatus1 = 9;      // state 1
inline constexpr qint64 ergUngelistet = 10;  // state 9 (listed nowhere)
inline constexpr qint64 ergTischNull = 11;   // state 0, ts_id 0 (no such table)
inline constexpr qint64 ergEigeneGse = 13;   // state 0, its own gse 4 (the draw has 3)

// Halls of tournament 1: layout 1 holds tables 1..8 (more in larger sizes); table 6 is blocked and free.
inline constexpr qint64 habHaupt = 1;
inline constexpr qint64 tischGesperrt = 6;

// Players, clubs and the pair with clubs that differ only in letter case.
inline constexpr qint64 slApostroph = 1; // "D'Angelo, Luca", club 1
inline constexpr qint64 slUmlaut = 2;    // "Jäger, Jürgen", club 2
inline constexpr qint64 vereinSued = 1;  // "TTV Süd"
inline constexpr qint64 vereinSUED = 2;  // "TTV SÜD"
inline constexpr qint64 amdSuedPaar = 1; // pair of players 1 and 2 in competition 3, same region

} // namespace quenda::demo::fest
