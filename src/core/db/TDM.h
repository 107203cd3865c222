#pragma once

#include "db/Abfrage.h"
#include "db/Verbindung.h"

#include <QString>

namespace quenda {

// The query objects of one thread, on that thread's own connection. The UI thread and the cycle thread
// each have a TDM; nested reads use different query objects (walking QAuslosung while SQLAbfrage2 runs).
class TDM {
public:
    TDM();
    TDM(const TDM&) = delete;
    TDM& operator=(const TDM&) = delete;

    // Opens the tournament database read-only. Throws DatabaseError.
    void oeffnen(const QString& pfad);
    void schliessen();
    bool istOffen() const { return ADOConnectionTURDB.istOffen(); }

    // Replace the statement of their query and run it; mode 0 runs it without keeping a result.
    void SQLAbfrage1(const QString& sql, int modus = 1);
    void SQLAbfrage2(const QString& sql, int modus = 1);
    void SQLAbfrage3(const QString& sql, int modus = 1);

    Verbindung ADOConnectionTURDB;
    Abfrage QuerySQL1;
    Abfrage QuerySQL2;
    Abfrage QuerySQL3;
    Abfrage QAuslosung;
    Abfrage QSpieldaten;

private:
    static void abfrage(Abfrage& query, const QString& sql, int modus);
};

} // namespace quenda
