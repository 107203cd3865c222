#include "export/Direktervergleich.h"
#include "ExportHilfen.h"
#include "support/DemoHilfen.h"

#include <optional>

using namespace quenda;
using namespace quenda::test;

namespace {

// The direct comparison as a statement per pair defines it: the game with x first and y second when there is
// exactly one, else the one with y first when there is exactly one, else false. nullopt when a value that
// decides is no number.
std::optional<bool> jePaar(TDM& dm, int x, int y, int syf_id) {
    const auto spiele = [&](int erster, int zweiter) {
        dm.SQLAbfrage3(QStringLiteral("SELECT erg.sg, erg.sv FROM sb_ergebnisse erg INNER JOIN sy_spiel sp ON "
                                      "erg.sp_id = sp.sp_id WHERE erg.syf_id=%1 AND sp.sp_idgv1=%2 AND sp.sp_idgv2=%3")
                           .arg(syf_id)
                           .arg(erster)
                           .arg(zweiter));
        return dm.QuerySQL3.rowCount();
    };
    try {
        const auto wert = [&](const char* spalte) { return dm.QuerySQL3.feld(QString::fromLatin1(spalte)).alsInt64(); };
        if (spiele(x, y) == 1) {
            return wert("sv") > wert("sg");
        }
        if (spiele(y, x) == 1) {
            return wert("sg") > wert("sv");
        }
        return false;
    } catch (const ConversionError&) {
        return std::nullopt;
    }
}

std::optional<bool> einmalGelesen(Direktervergleich& vergleich, int x, int y) {
    try {
        return vergleich(x, y);
    } catch (const ConversionError&) {
        return std::nullopt;
    }
}

// Every ordered pair of positions 0..n+1 of the group (positions without a starter included).
void allePaareVergleichen(TDM& dm, int syf_id, int n) {
    Direktervergleich vergleich(dm, syf_id);
    for (int x = 0; x <= n + 1; ++x) {
        for (int y = 0; y <= n + 1; ++y) {
            ASSERT_EQ(einmalGelesen(vergleich, x, y), jePaar(dm, x, y, syf_id))
                << "group " << syf_id << ", x " << x << ", y " << y;
        }
    }
}

} // namespace

TEST(Direktervergleich, answersEveryPairAsTheStatementPerPairDoesIncludingDoubledRunningAndBrokenGames) {
    // Group 200: 1-2 once; 2-3 twice (neither order decides); 4-3 under way; 1-5 without a set count;
    // 4-5 and 5-4 once each; 6 has no game; a game slot without positions.
    Exportumfeld u(QStringLiteral(R"(
        INSERT INTO al_conf VALUES (20, 1, 'Test', 1, 1, 1, 3, 0, 0);
        INSERT INTO al_systemfeld VALUES (200, 20, 1, 1, 6);
        INSERT INTO sy_spiel VALUES (9001, 1, 1, 2), (9002, 1, 2, 3), (9003, 1, 2, 3), (9004, 1, 4, 3),
                                    (9005, 1, 1, 5), (9006, 1, 4, 5), (9007, 1, 5, 4), (9008, 1, NULL, 1);
        INSERT INTO sb_ergebnisse (erg_id, syf_id, sp_id, sp1, sp2, status, sg, sv) VALUES
            (900, 200, 9001, 1, 2, 4, 3, 1), (901, 200, 9002, 2, 3, 4, 1, 3), (902, 200, 9003, 2, 3, 4, 3, 0),
            (903, 200, 9004, 4, 3, 2, 1, 2), (904, 200, 9005, 1, 5, 4, NULL, 2), (905, 200, 9006, 4, 5, 4, 0, 3),
            (906, 200, 9007, 5, 4, 1, 0, 0), (907, 200, 9008, 0, 1, 4, 3, 0);)"));
    allePaareVergleichen(u.dm, 200, 6);
}

TEST(Direktervergleich, answersEveryPairOfEveryGroupOfAGeneratedTournamentAsTheStatementPerPairDoes) {
    QTemporaryDir dir;
    const QString pfad = demo::test::erzeugen(dir, QStringLiteral("t.db"), demo::Groesse::Klein, 5);
    TDM dm;
    dm.oeffnen(pfad);
    dm.SQLAbfrage2(QStringLiteral("SELECT syf.syf_id, (select max(sf.posnr) from al_starterfeld sf where "
                                  "sf.syf_id=syf.syf_id) AS n FROM al_systemfeld syf INNER JOIN al_conf al ON "
                                  "syf.al_id = al.al_id WHERE al.sy_typ=1"));
    ASSERT_GT(dm.QuerySQL2.rowCount(), 0);
    for (Abfrage& g = dm.QuerySQL2; !g.eof(); g.next()) {
        allePaareVergleichen(dm, g.feld(QStringLiteral("syf_id")).alsInt(), g.feld(QStringLiteral("n")).alsInt());
    }
}
