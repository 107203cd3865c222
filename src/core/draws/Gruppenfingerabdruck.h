#pragma once

#include <QByteArray>

namespace quenda {

class TDM;

// A cheap test whether the data of a draw group changed since its last export: a hash over its games
// (players, state, sets, table, times) and its starter field, from two indexed statements. Runs on the
// thread that owns the TDM (the cycle thread) and uses its QuerySQL1.
QByteArray gruppenFingerabdruck(TDM& tdm, int syf_id);

} // namespace quenda
