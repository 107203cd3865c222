#pragma once

#include "demo/FesteIds.h"
#include "demo/Zeit.h"
#include "demo/Zufall.h"

#include <QDateTime>
#include <QString>
#include <memory>
#include <optional>
#include <set>

namespace quenda {
class Verbindung;
}

namespace quenda::demo {

class Sql;

// Changes a demo database the way the tournament-management program does during a tournament: calls games
// to tables, starts them, records sets and results, clears tables, puts released draws into operation,
// releases draws and now and then corrects a result. Each step is one short write transaction that leaves
// the database consistent (see Pruefung.h), so the program may read the file at any moment.
// Owned and used by one thread.
class Simulator {
public:
    struct Optionen {
        quint64 seed = 1;
        QDateTime jetzt = standardJetzt(); // the clock of the first step
        int sekundenJeSchritt = 30;        // the clock advances this much at the start of each step
        qint64 turnier = fest::turnier;
    };

    enum class Aktion {
        Leerlauf, // nothing left to do
        Aufrufen,
        Beginnen,
        Satz,
        Unterbrechen,
        Fortsetzen,
        TischFrei,
        Korrektur,
        Betrieb,
        Freigabe
    };

    struct Schritt {
        Aktion aktion = Aktion::Leerlauf;
        QString text;
    };

    // Opens the database for writing. Throws DatabaseError.
    Simulator(const QString& pfad, Optionen optionen);
    ~Simulator();
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    // One change, committed before it returns. Throws DatabaseError (the step is then rolled back), e.g. when
    // a reader holds the file longer than the busy timeout.
    Schritt schritt();
    const QDateTime& jetzt() const { return m_jetzt; }
    // Sets the clock, e.g. to the wall clock before each step of a live run.
    void stelleUhr(const QDateTime& jetzt) { m_jetzt = jetzt; }

private:
    Schritt waehlen();
    std::optional<Schritt> ausfuehren(Aktion aktion);
    // Each action returns nothing when there is nothing for it to do.
    std::optional<Schritt> tischFrei();
    std::optional<Schritt> aufrufen();
    std::optional<Schritt> beginnen();
    std::optional<Schritt> satz();
    std::optional<Schritt> unterbrechen(bool fortsetzen);
    std::optional<Schritt> korrektur();
    std::optional<Schritt> betrieb();
    std::optional<Schritt> freigabe();
    // Registrations in games at a table (2, 3, 33), with mitPlanung also in games planned for one (22).
    std::set<qint64> beschaeftigteSpieler(bool mitPlanung);
    void koWeiter(qint64 erg_id);
    int gewinnChanceFuer(qint64 erg_id);

    std::unique_ptr<Verbindung> m_verbindung;
    std::unique_ptr<Sql> m_sql;
    Optionen m_optionen;
    Zufall m_zufall;
    QDateTime m_jetzt;
};

} // namespace quenda::demo
