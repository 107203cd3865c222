#include "db/TDM.h"

namespace quenda {

TDM::TDM()
    : QuerySQL1(ADOConnectionTURDB), QuerySQL2(ADOConnectionTURDB), QuerySQL3(ADOConnectionTURDB),
      QAuslosung(ADOConnectionTURDB), QSpieldaten(ADOConnectionTURDB) {}

void TDM::oeffnen(const QString& pfad) {
    schliessen();
    ADOConnectionTURDB.oeffnen(pfad);
}

void TDM::schliessen() {
    for (Abfrage* query : {&QuerySQL1, &QuerySQL2, &QuerySQL3, &QAuslosung, &QSpieldaten}) {
        query->setzeText(QString());
    }
    ADOConnectionTURDB.schliessen();
}

void TDM::abfrage(Abfrage& query, const QString& sql, int modus) {
    query.setzeText(sql);
    if (modus != 0) {
        query.oeffnen();
    } else {
        query.ausfuehren();
    }
}

void TDM::SQLAbfrage1(const QString& sql, int modus) {
    abfrage(QuerySQL1, sql, modus);
}

void TDM::SQLAbfrage2(const QString& sql, int modus) {
    abfrage(QuerySQL2, sql, modus);
}

void TDM::SQLAbfrage3(const QString& sql, int modus) {
    abfrage(QuerySQL3, sql, modus);
}

} // namespace quenda
