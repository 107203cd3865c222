#include "db/TDM.h"

#include "db/Snapshotverwaltung.h"
#include "util/QuendaError.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QThread>

namespace quenda {

TDM::TDM()
    : QuerySQL1(ADOConnectionTURDB), QuerySQL2(ADOConnectionTURDB), QuerySQL3(ADOConnectionTURDB),
      QAuslosung(ADOConnectionTURDB), QSpieldaten(ADOConnectionTURDB) {}

void TDM::oeffnen(const QString& pfad) {
    const QCoreApplication* app = QCoreApplication::instance();
    const bool hauptthread = app && QThread::currentThread() == app->thread();
    oeffnen(pfad, hauptthread ? Frische::Vorhanden : Frische::Aktuell);
}

void TDM::oeffnen(const QString& pfad, Frische frische) {
    schliessen();
    if (QFileInfo(pfad).isFile() && !Verbindung::istSqliteDatei(pfad)) {
        snapshotOeffnen(pfad, frische);
        return;
    }
    ADOConnectionTURDB.oeffnen(pfad);
}

void TDM::snapshotOeffnen(const QString& pfad, Frische frische) {
    Snapshotverwaltung& verwaltung = Snapshotverwaltung::instanz();
    Snapshotverwaltung::Stand stand =
        frische == Frische::Aktuell ? verwaltung.aktuell(pfad) : verwaltung.vorhanden(pfad);
    try {
        // A snapshot is complete before it gets its name and is never written again.
        ADOConnectionTURDB.oeffnen(stand.snapshot->pfad(), Verbindung::Modus::Unveraenderlich);
    } catch (const DatabaseError& e) {
        // Name the user's file, not the snapshot (e.g. an Access file without the tournament tables).
        throw DatabaseError(QString(e.message()).replace(stand.snapshot->pfad(), pfad));
    }
    m_quelle = pfad;
    m_snapshot = std::move(stand.snapshot);
    m_folgen = frische == Frische::Vorhanden;
    m_importHinweis = stand.hinweis;
}

void TDM::neuerenSnapshotNehmen() {
    if (!m_folgen) {
        return;
    }
    std::shared_ptr<const Snapshot> neu = Snapshotverwaltung::instanz().neuester(m_quelle);
    if (!neu || neu == m_snapshot) {
        return;
    }
    // Every result is fetched whole when opened, so the other query objects keep theirs.
    try {
        ADOConnectionTURDB.oeffnen(neu->pfad(), Verbindung::Modus::Unveraenderlich);
    } catch (const DatabaseError&) {
        ADOConnectionTURDB.oeffnen(
            m_snapshot->pfad(), Verbindung::Modus::Unveraenderlich); // the cycle reports what is wrong with the new one
        return;
    }
    m_snapshot = std::move(neu);
}

void TDM::schliessen() {
    for (Abfrage* query : {&QuerySQL1, &QuerySQL2, &QuerySQL3, &QAuslosung, &QSpieldaten}) {
        query->setzeText(QString());
    }
    ADOConnectionTURDB.schliessen();
    m_quelle.clear();
    m_snapshot.reset();
    m_folgen = false;
    m_importHinweis.clear();
}

void TDM::abfrage(Abfrage& query, const QString& sql, int modus) {
    neuerenSnapshotNehmen();
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
