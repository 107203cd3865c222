#pragma once

#include "demo/JetSchreiber.h"

#include <QString>
#include <vector>

namespace quenda::demo {

// The tables of a SQLite tournament file for the Jet writer, in the order they were created, read from one
// consistent state (copied through SQLite's backup while a writer may be at work on the file). Column
// types follow the declared ones: INTEGER becomes Long Integer (Double when a value needs more), REAL
// Double, DATETIME Date/Time, TEXT Text (Memo when a value is longer than 255 characters); the yes/no
// column "anwesend" becomes Yes/No.
//
// With seit, every table holds the rows of that earlier file as Access laid them out at its last
// compaction, and the state of pfad as the day's edits since then (rows matched by their rowid): deleted
// rows, changed rows (moved when they grew) and added ones. Throws QuendaError.
std::vector<JetTabelle> jetTabellenAusSqlite(const QString& pfad, const QString& seit = {});

} // namespace quenda::demo
