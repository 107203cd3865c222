#include "support/DemoHilfen.h"

#include "demo/FesteIds.h"
#include "demo/Pruefung.h"
#include "demo/Simulator.h"

#include "util/QuendaError.h"

#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <thread>

using namespace quenda;
using namespace quenda::demo;
using namespace quenda::demo::test;

namespace {

using Aktion = Simulator::Aktion;

// Every row the other tournament owns, with its content.
QStringList fremdeZeilen(const QString& pfad) {
    Datenbank db(pfad);
    QStringList zeilen;
    for (const auto& [tabelle, rowids] : erreichbar(db.handle(), fest::fremdTurnier)) {
        for (qint64 rowid : rowids) {
            const QByteArray sql = "SELECT * FROM " + tabelle.toUtf8() + " WHERE rowid = " + QByteArray::number(rowid);
            const std::vector<Zeile> inhalt = db.sql().abfragen(sql.constData());
            QStringList werte;
            for (const DbWert& wert : inhalt.at(0)) {
                werte.append(istNull(wert) ? QStringLiteral("NULL") : text(wert));
            }
            zeilen.append(tabelle + u':' + werte.join(u'|'));
        }
    }
    return zeilen;
}

} // namespace

TEST(Simulator, keepsTheDatabaseConsistentWhileMakingEveryKindOfChange) {
    QTemporaryDir ordner;
    const QString pfad = erzeugen(ordner, QStringLiteral("live.db"), Groesse::Klein, 3);
    Simulator simulator(pfad, {5, standardJetzt(), 30, fest::turnier});
    std::set<Aktion> gesehen;
    for (int i = 1; i <= 600; ++i) {
        const Simulator::Schritt schritt = simulator.schritt();
        gesehen.insert(schritt.aktion);
        if (i % 20 == 0) {
            const Befund befund = pruefeDatei(pfad);
            ASSERT_TRUE(befund.ok()) << "after step " << i << " (" << schritt.text.toStdString() << "):\n"
                                     << befund.text().toStdString();
        }
    }
    for (Aktion aktion : {Aktion::Aufrufen, Aktion::Beginnen, Aktion::Satz, Aktion::Unterbrechen, Aktion::Fortsetzen,
                          Aktion::TischFrei, Aktion::Korrektur, Aktion::Betrieb, Aktion::Freigabe}) {
        EXPECT_TRUE(gesehen.contains(aktion)) << "never happened: action " << static_cast<int>(aktion);
    }
    // Released draws come into operation and their games get played: the knock-out reaches its final.
    Datenbank db(pfad);
    EXPECT_EQ(db.text("SELECT count(*) FROM al_conf WHERE al_id <= 8 AND (al_freigabe IS NULL OR al_freigabe = 0)"),
              QStringLiteral("0"));
    EXPECT_EQ(db.text("SELECT sp1 <> 0 AND sp2 <> 0 FROM sb_ergebnisse WHERE syf_id = 5 ORDER BY sp_id DESC LIMIT 1"),
              QStringLiteral("1"));
}

TEST(Simulator, sameSeedPlaysTheSameTournament) {
    QTemporaryDir ordner;
    const QString a = erzeugen(ordner, QStringLiteral("a.db"), Groesse::Mittel, 2);
    const QString b = erzeugen(ordner, QStringLiteral("b.db"), Groesse::Mittel, 2);
    QStringList protokollA;
    QStringList protokollB;
    {
        Simulator simA(a, {9, standardJetzt(), 30, fest::turnier});
        Simulator simB(b, {9, standardJetzt(), 30, fest::turnier});
        for (int i = 0; i < 150; ++i) {
            protokollA.append(simA.schritt().text);
            protokollB.append(simB.schritt().text);
        }
    }
    EXPECT_EQ(protokollA, protokollB);
    EXPECT_TRUE(lesen(a) == lesen(b));
}

TEST(Simulator, leavesTheOtherTournamentAlone) {
    QTemporaryDir ordner;
    const QString pfad = erzeugen(ordner, QStringLiteral("live.db"), Groesse::Klein, 4);
    const QStringList vorher = fremdeZeilen(pfad);
    {
        Simulator simulator(pfad, {1, standardJetzt(), 30, fest::turnier});
        for (int i = 0; i < 400; ++i) {
            simulator.schritt();
        }
    }
    EXPECT_EQ(fremdeZeilen(pfad), vorher);
}

// Every step changes several rows (a game and its table, a result and the next knock-out game); a reader
// that looks between two of them would see a game at a table without occupancy or a winner that has not
// moved on. The quick reads below look for exactly that, as often as they can while the steps run.
TEST(Simulator, aReaderNeverSeesAHalfDoneStep) {
    QTemporaryDir ordner;
    const QString pfad = erzeugen(ordner, QStringLiteral("live.db"), Groesse::Klein, 6);
    std::atomic<bool> fertig = false;
    std::string fehler;
    std::thread schreiber([&] {
        try {
            Simulator simulator(pfad, {2, standardJetzt(), 30, fest::turnier});
            for (int i = 0; i < 400; ++i) {
                simulator.schritt();
            }
        } catch (const QuendaError& e) {
            fehler = e.message().toStdString();
        }
        fertig = true;
    });
    Datenbank db(pfad);
    const QByteArray halbfertig =
        "SELECT (SELECT count(*) FROM sb_ergebnisse e WHERE e.status IN (2, 3, 22, 33) AND NOT EXISTS (SELECT 1 FROM "
        "sb_tischbelegung b WHERE b.erg_id = e.erg_id)) + (SELECT count(*) FROM sb_tischbelegung b JOIN sb_ergebnisse "
        "e ON e.erg_id = b.erg_id WHERE e.status NOT IN (2, 3, 22, 33, 4) OR e.ts_id <> b.ts_id) + (SELECT count(*) "
        "FROM sb_ergebnisse e WHERE e.syf_id = 5 AND e.status = 1 AND e.sp1 <> 0 AND e.sp2 <> 0)";
    int lesungen = 0;
    QString gesehen = QStringLiteral("0");
    while (!fertig && gesehen == u"0") {
        gesehen = db.text(halbfertig);
        ++lesungen;
    }
    schreiber.join();
    EXPECT_EQ(gesehen, QStringLiteral("0")) << "half-done rows after " << lesungen << " reads";
    EXPECT_EQ(fehler, "");
    EXPECT_TRUE(pruefeDatei(pfad).ok());
}
