#pragma once

#include <QString>
#include <QStringList>
#include <map>
#include <set>

struct sqlite3;

namespace quenda::demo {

// The result of an integrity check: one line per violation, "rule: what and where".
struct Befund {
    QStringList fehler;

    bool ok() const { return fehler.isEmpty(); }
    QString text() const { return fehler.join(u'\n'); }
};

// Checks a demo database the way the program relies on it: every foreign key resolves (byes, "no table"
// and knock-out sides not yet known excepted), starters belong to their competition, the positions of a
// group run 1..n, games match their system, sg/sv agree with the stored sets and the state, knock-out
// winners have moved on, table occupancies are consistent, nobody plays at two tables at once, times are
// readable, and no row belongs to two tournaments. Opens the file read-only and reads in one transaction,
// so it may run while the simulator writes. Throws DatabaseError when the file cannot be read.
Befund pruefeDatei(const QString& pfad);
Befund pruefe(sqlite3* db);

// Rows (by rowid, per table name) reachable from one tournament along the joins the program's statements
// make: down from the tournament to classes, competitions, entries, draws, groups, starters, games and
// players; from its hall layouts to tables, occupancies and the games on them. Uses temporary tables on
// the connection.
using Zeilenmenge = std::map<QString, std::set<qint64>>;
Zeilenmenge erreichbar(sqlite3* db, qint64 t_id);

// Tables whose rows all tournaments share (the game-system templates).
bool istGemeinsam(const QString& tabelle);

} // namespace quenda::demo
