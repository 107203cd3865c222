#pragma once

#include <QString>
#include <optional>
#include <vector>

namespace quenda::demo {

class Sql;

// The game systems (sy_systeme, sy_runden, sy_spiel) are templates shared by every tournament of a
// database. Their ids are fixed: a group of n starters uses system n - 2 (n = 3..18), a knock-out field of
// F positions (4..128) system 17 + log2(F / 4). Round ids are system * 100 + round number; game slot ids
// are system * 1000 + game number, so the last three digits of sp_id are the game number.
inline constexpr int kleinsteGruppe = 3;
inline constexpr int groessteGruppe = 18;
inline constexpr int kleinstesKoFeld = 4;
inline constexpr int groesstesKoFeld = 128;

int gruppenSystem(int starter);
int koSystem(int feld);
inline int rundenId(int syId, int runde) {
    return syId * 100 + runde;
}
inline int spielId(int syId, int nummer) {
    return syId * 1000 + nummer;
}

// One game of a round robin: round and the two positions, first side first.
struct Paarung {
    int runde;
    int pos1;
    int pos2;
};
// Every game of a group of n, ordered by round; the game number is the index + 1.
std::vector<Paarung> jederGegenJeden(int starter);
int gruppenRunden(int starter);

// Knock-out: game numbers run round by round, round r of a field F has F / 2^r games. A slot of round 1
// names its two positions; the slots of later rounds name none (0), their sides are the winners.
int koRunden(int feld);
int koRunde(int feld, int nummer);
// Position of the first side of a round-1 game.
int koErstePosition(int nummer);
struct KoFolge {
    int nummer; // game number of the next game
    int seite;  // 1: the winner plays first there, 2: second
};
std::optional<KoFolge> koNachfolger(int feld, int nummer);
QString koRundenName(int feld, int runde);

// Writes every system template.
void systemeAnlegen(Sql& sql);

} // namespace quenda::demo
