#pragma once

namespace quenda {

class TDM;

// True when the starter at position y won the game against the starter at position x in group syf_id,
// whatever the game's state: the game with x first and y second when there is exactly one, else the one
// with y first, else false. Runs on QuerySQL1.
bool direktervergleich(TDM& dm, int x, int y, int syf_id);

} // namespace quenda
