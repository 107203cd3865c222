#include "db/Lesetransaktion.h"

#include "db/Verbindung.h"

#include <sqlite3.h>

namespace quenda {

Lesetransaktion::Lesetransaktion(Verbindung& verbindung) : m_verbindung(verbindung) {
    sqlite3* db = verbindung.handle();
    if (!db || verbindung.unveraenderlich() || !sqlite3_get_autocommit(db)) {
        return;
    }
    // Should BEGIN fail, the unit reads statement by statement as it did without the guard.
    if (sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK) {
        m_db = db;
    }
}

Lesetransaktion::~Lesetransaktion() {
    beenden();
}

void Lesetransaktion::beenden() noexcept {
    sqlite3* db = m_db;
    m_db = nullptr;
    if (!db || m_verbindung.handle() != db || sqlite3_get_autocommit(db)) {
        return; // never begun, the connection closed or reopened since, or SQLite ended it on an error
    }
    if (sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK && !sqlite3_get_autocommit(db)) {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr); // the lock must not outlive the unit
    }
}

} // namespace quenda
