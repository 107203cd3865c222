#include "ExportHilfen.h"
#include "demo/FesteIds.h"
#include "demo/Generator.h"
#include "export/Exportabfragen.h"

#include <map>

using namespace quenda;
using namespace quenda::test;
namespace fest = quenda::demo::fest;

namespace {

const QString stempel = QStringLiteral("20261209090000");

QString t(const char* text) {
    return QString::fromUtf8(text);
}

// Draw 20: a group draw whose groups the tests add; no option on.
const QString testauslosung = QStringLiteral("INSERT INTO al_conf VALUES (20, 1, 'Test', 1, 1, 1, 3, 0, 0);");

// Field 4 (the name) of every table line.
QStringList namen(const QList<QStringList>& zeilen) {
    QStringList liste;
    for (const QStringList& felder : zeilen) {
        liste.append(felder.value(3));
    }
    return liste;
}

TEST(Objdaten_Tabelle, threeStartersTiedAllRoundAreRankedByTheExchangeSortOverTheDirectGames) {
    // Positions 1 beat 2, 2 beat 3, 3 beat 1, each 3:1 with the same points.
    for (const char* sglopt : {"0", "8"}) {
        SCOPED_TRACE(sglopt);
        Exportumfeld u(testauslosung + QStringLiteral(R"(
            UPDATE al_conf SET sglopt=%1 WHERE al_id=20;
            INSERT INTO al_systemfeld VALUES (200, 20, 1, 1, 3);
            INSERT INTO al_starterfeld VALUES (100, 200, 1, 100, 0), (101, 200, 2, 101, 0), (102, 200, 3, 102, 0);
            INSERT INTO sb_ergebnisse (erg_id, syf_id, sp_id, sp1, sp2, status, sg, sv, s1, s2, s3, s4) VALUES
                (100, 200, 1001, 1, 2, 4, 3, 1, '5', '5', '-5', '5'),
                (101, 200, 1006, 2, 3, 4, 3, 1, '5', '5', '-5', '5'),
                (102, 200, 1003, 1, 3, 4, 1, 3, '-5', '-5', '5', '-5');)")
                                           .arg(t(sglopt)));
        u.ex.Objdaten_Tabelle(20, 200, 1, 1, stempel);
        EXPECT_EQ(namen(u.felder(QStringLiteral("tabelle_0020_01_org.txt"))),
                  (QStringList{t("Schäfer, Tim "), t("Müller, Jörg "), t("Bauer, Anna ")}));
    }
}

TEST(Objdaten_Tabelle, equalSetCountsCountAsAWinOfTheSecondPlayer) {
    Exportumfeld u(testauslosung + QStringLiteral(R"(
        INSERT INTO al_systemfeld VALUES (200, 20, 1, 1, 2);
        INSERT INTO al_starterfeld VALUES (100, 200, 1, 100, 0), (101, 200, 2, 101, 0);
        INSERT INTO sb_ergebnisse (erg_id, syf_id, sp_id, sp1, sp2, status, sg, sv, s1, s2, s3, s4) VALUES
            (100, 200, 1001, 1, 2, 4, 2, 2, '5', '5', '-5', '-5');)"));
    u.ex.Objdaten_Tabelle(20, 200, 1, 1, stempel);
    EXPECT_EQ(u.staging.zeilen(QStringLiteral("tabelle_0020_01_org.txt")),
              (QStringList{t("Herren A [RG] - Test|1|1|Bauer, Anna ||||2|2|1|0|0|0|200|1"),
                           t("Herren A [RG] - Test|1|2|Müller, Jörg ||||2|2|0|1|0|0|200|1")}));
}

TEST(Objdaten_Tabelle, aByeIsAnEntryWithEmptyStartNumberClubAndRegion) {
    const std::pair<const char*, const char*> faelle[] = {
        {"0", "-------Freilos------- |"},
        {"4", "[] -------Freilos------- |"},
        {"6", "[] -------Freilos------- []|"},
        {"7", "[] -------Freilos------- []|"},
    };
    for (const auto& [sglopt, felder] : faelle) {
        SCOPED_TRACE(sglopt);
        Exportumfeld u(testauslosung + QStringLiteral(R"(
            UPDATE al_conf SET sglopt=%1 WHERE al_id=20;
            INSERT INTO al_systemfeld VALUES (200, 20, 1, 1, 2);
            INSERT INTO al_starterfeld VALUES (100, 200, 1, 111111, 0), (101, 200, 2, 101, 0);)")
                                           .arg(t(sglopt)));
        u.ex.Objdaten_Tabelle(20, 200, 1, 1, stempel);
        const QList<QStringList> zeilen = u.felder(QStringLiteral("tabelle_0020_01_org.txt"));
        ASSERT_EQ(zeilen.size(), 2);
        EXPECT_EQ(zeilen[0].mid(3, 2).join(u'|'), t(felder));
    }
}

TEST(Objdaten_Tabelle, resultsAreCreditedByPositionNumberWhateverTheNumbering) {
    // Positions 3, 7 and 12; position 12 beat 3. A result for position 5, which has no starter, is left
    // out and logged.
    Exportumfeld u(testauslosung + QStringLiteral(R"(
        INSERT INTO al_systemfeld VALUES (200, 20, 1, 4, 3);
        INSERT INTO al_starterfeld VALUES (100, 200, 3, 100, 0), (101, 200, 7, 101, 0), (102, 200, 12, 102, 0);
        INSERT INTO sy_spiel VALUES (5001, 11, 3, 12), (5002, 11, 5, 7);
        INSERT INTO sb_ergebnisse (erg_id, syf_id, sp_id, sp1, sp2, status, sg, sv, s1, s2, s3) VALUES
            (100, 200, 5001, 3, 12, 4, 0, 3, '-1', '-2', '-3'),
            (101, 200, 5002, 5, 7, 4, 3, 0, '1', '2', '3');)"));
    u.ex.Objdaten_Tabelle(20, 200, 1, 1, stempel);
    EXPECT_EQ(u.staging.zeilen(QStringLiteral("tabelle_0020_04_org.txt")),
              (QStringList{t("Herren A [RG] - Test|4|1|Schäfer, Tim ||||3|0|1|0|0|0|200|1"),
                           t("Herren A [RG] - Test|4|2|Bauer, Anna ||||0|0|0|0|0|0|200|1"),
                           t("Herren A [RG] - Test|4|3|Müller, Jörg ||||0|3|0|1|0|0|200|1")}));
    ASSERT_EQ(u.log.size(), 1);
    EXPECT_TRUE(u.log[0].contains(QStringLiteral("Positionen 5 und 7"))) << u.log[0];
}

TEST(Objdaten_Tabelle, aGroupOfMoreThanEighteenStartersIsRankedWhole) {
    // Twenty starters; position 20 beat 19, every other game is unplayed.
    Exportumfeld u(testauslosung + QStringLiteral(R"(
        INSERT INTO al_systemfeld VALUES (200, 20, 1, 1, 20);
        WITH RECURSIVE z(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM z WHERE n < 20)
            INSERT INTO Spieler SELECT 100 + n, 'Spieler' || n, 'Vorname' FROM z;
        INSERT INTO anmeldung SELECT sl_id, sl_id, 1, 1, NULL, -1 FROM Spieler WHERE sl_id > 100;
        INSERT INTO amklasse SELECT 1000 + am_id, am_id, 1 FROM anmeldung WHERE am_id > 100;
        INSERT INTO al_starterfeld SELECT amk_id, 200, amk_id - 1100, amk_id, 0 FROM amklasse WHERE amk_id > 1100;
        INSERT INTO sy_spiel VALUES (5001, 11, 20, 19);
        INSERT INTO sb_ergebnisse (erg_id, syf_id, sp_id, sp1, sp2, status, sg, sv, s1, s2, s3) VALUES
            (100, 200, 5001, 20, 19, 4, 3, 0, '1', '2', '3');)"));
    u.ex.Objdaten_Tabelle(20, 200, 1, 1, stempel);
    // Position 1 is carried to the end by the first exchange and overtakes 19 (one game lost) at the last.
    QStringList erwartet = {QStringLiteral("Spieler20, Vorname ")};
    for (int n = 2; n <= 18; ++n) {
        erwartet.append(QStringLiteral("Spieler%1, Vorname ").arg(n));
    }
    erwartet << QStringLiteral("Spieler1, Vorname ") << QStringLiteral("Spieler19, Vorname ");
    EXPECT_EQ(namen(u.felder(QStringLiteral("tabelle_0020_01_org.txt"))), erwartet);
    EXPECT_TRUE(u.log.isEmpty());
}

TEST(Objdaten_Tabelle, aGroupWithoutStartersWritesAnEmptyFileNamedByItsOwnGroupNumber) {
    Exportumfeld u(testauslosung + QStringLiteral("INSERT INTO al_systemfeld VALUES (200, 20, 1, 6, 0);"));
    u.ex.tabspieleliste = QStringList{QStringLiteral("[TABELLE]")};
    u.ex.Objdaten_Tabelle(20, 200, 1, 0, stempel);
    ASSERT_EQ(u.staging.namen(), QStringList{QStringLiteral("tabelle_0020_06_org.txt")});
    EXPECT_TRUE(u.staging.abgaben[0].inhalt.isEmpty());
    EXPECT_EQ(u.staging.abgaben[0].ziel, 2);
    EXPECT_EQ(u.ex.tabspieleliste, QStringList{QStringLiteral("[TABELLE]")});
}

TEST(Objdaten_Tabelle, aSetValueThatIsNoNumberEndsTheExportWithoutAFile) {
    // Even with the ball columns off, the balls are counted.
    Exportumfeld u(QStringLiteral("UPDATE sb_ergebnisse SET s2='x' WHERE erg_id=4; UPDATE al_conf SET sglopt=0"));
    EXPECT_THROW(u.ex.Objdaten_Tabelle(7, 70, 1, 1, stempel), ConversionError);
    EXPECT_TRUE(u.staging.abgaben.isEmpty());
}

// The generated tournament's fixed cases, with the rows the demo generator writes.
class TabelleGeneriert : public ::testing::Test {
protected:
    void SetUp() override {
        demo::Generator({1, demo::Groesse::Klein, demo::standardJetzt()}).erzeugen(kontext.dbpath);
        QDir().mkpath(kontext.tsdir);
        dm.oeffnen(kontext.dbpath);
    }

    // The positions in rank order, found by the starters' names.
    std::vector<int> rangfolge(int syf_id) {
        std::map<QString, int> position;
        dm.SQLAbfrage1(abfragen::starterfeld(syf_id, 1));
        for (Abfrage& q = dm.QuerySQL1; !q.eof(); q.next()) {
            position[q.feld(QStringLiteral("starter")).alsText()] = q.feld(QStringLiteral("posnr")).alsInt();
        }
        ex.Objdaten_Tabelle(static_cast<int>(fest::alHerrenAVorrunde), syf_id, 1, 1, stempel);
        std::vector<int> ergebnis;
        for (const StagingMerken::Abgabe& a : staging.abgaben) {
            for (const QString& zeile :
                 textdatei::vonAnsi(a.inhalt).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
                const QString name = zeile.split(u'|').value(3);
                int gefunden = 0;
                for (const auto& [starter, posnr] : position) {
                    if (name.contains(starter)) {
                        gefunden = posnr;
                    }
                }
                ergebnis.push_back(gefunden);
            }
        }
        return ergebnis;
    }

    QTemporaryDir dir;
    Turnierkontext kontext{dir.filePath(QStringLiteral("demo.db")), 1, {}, dir.filePath(QStringLiteral("qnda")), {}};
    TDM dm;
    StagingMerken staging{kontext.tsdir};
    Objdatenexport ex{dm, kontext, staging};
};

TEST_F(TabelleGeneriert, theThreeWayTieIsRankedThreeOneTwoFour) {
    EXPECT_EQ(rangfolge(static_cast<int>(fest::syfDreierPatt)), (std::vector<int>{3, 1, 2, 4}));
}

TEST_F(TabelleGeneriert, theBlockedStarterRanksLast) {
    const std::vector<int> folge = rangfolge(static_cast<int>(fest::syfGesperrt));
    ASSERT_EQ(folge.size(), 5U);
    EXPECT_EQ(folge.back(), 2);
}

} // namespace
