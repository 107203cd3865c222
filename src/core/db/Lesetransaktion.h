#pragma once

struct sqlite3;

namespace quenda {

class Verbindung;

// One read transaction over a unit of work (a draw group's export, the table occupancy): its statements see
// one state of the file and pay SQLite's file lock and change check once instead of one each. Begun deferred,
// so the shared lock comes with the first statement and waits for a writer as any statement does; ended by
// beenden() or when the guard goes, also when a statement in the unit threw.
//
// While it holds the lock the tournament program cannot commit: keep it to reads and work in memory, never
// around a file written, a delivery or anything that waits. Does nothing on a connection no one else writes
// (an immutable snapshot) or one already in a transaction (that transaction's owner ends it).
// Owned by the thread of its connection.
class Lesetransaktion {
public:
    explicit Lesetransaktion(Verbindung& verbindung);
    ~Lesetransaktion();
    Lesetransaktion(const Lesetransaktion&) = delete;
    Lesetransaktion& operator=(const Lesetransaktion&) = delete;

    // Ends the transaction (a read transaction has nothing to keep or lose); never throws.
    void beenden() noexcept;
    // True while this guard holds a transaction open.
    bool aktiv() const { return m_db != nullptr; }

private:
    Verbindung& m_verbindung;
    sqlite3* m_db = nullptr; // the connection it was begun on: a reopened connection is not ended by mistake
};

} // namespace quenda
