#include "ExportHilfen.h"

#include "demo/FesteIds.h"
#include "demo/Generator.h"
#include "export/Satz.h"

using namespace quenda;
using namespace quenda::test;

namespace {

const QString stempel = QStringLiteral("20261209090000");
const QString halle5 = QStringLiteral("tischbelegung_0005_org.txt");

QString t(const char* text) {
    return QString::fromUtf8(text);
}

TEST(Satzausgabe, listsTheCountedSetsInBracketsAndNothingWithoutSets) {
    struct Fall {
        qint64 sg;
        qint64 sv;
        std::array<const char*, 7> saetze;
        const char* ergebnis;
    };
    const Fall faelle[] = {
        {3, 1, {"7", "-9", "5", "3", "", "", ""}, "[11:7;9:11;11:5;11:3]"},
        {3, 0, {"5", "8", "11", "", "", "", ""}, "[11:5;11:8;13:11]"},
        {0, 0, {"5", "8", "11", "", "", "", ""}, ""},
        {0, 0, {"", "", "", "", "", "", ""}, ""},
        {1, 0, {"5", "8", "", "", "", "", ""}, "[11:5]"},       // only the first sg + sv values count
        {2, 1, {"5", "", "-0", "", "", "", ""}, "[11:5;0:11]"}, // an empty value is left out
        {9, 9, {"1", "2", "3", "4", "5", "6", "7"}, "[11:1;11:2;11:3;11:4;11:5;11:6;11:7]"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.ergebnis);
        std::array<QString, 7> saetze;
        for (std::size_t i = 0; i < saetze.size(); ++i) {
            saetze[i] = t(f.saetze[i]);
        }
        EXPECT_EQ(satzausgabe(f.sg, f.sv, saetze), t(f.ergebnis));
    }
}

TEST(Tischbelegung, groupGamesNameGroupAndRoundAndKnockOutGamesTheRoundAlone) {
    Exportumfeld u(QStringLiteral("UPDATE al_systemfeld SET grnr=3 WHERE syf_id=70; "
                                  "UPDATE sb_ergebnisse SET status=2 WHERE erg_id=10; "
                                  "INSERT INTO sb_tischbelegung VALUES (53, 10, 1)"));
    u.ex.Objdaten_Tischbelegung(stempel);
    const QList<QStringList> zeilen = u.felder(halle5);
    ASSERT_EQ(zeilen.size(), 4);
    EXPECT_EQ(zeilen.at(1).value(6), QStringLiteral("Herren A Gr. 3 2. Runde"));
    EXPECT_EQ(zeilen.at(3).mid(6),
              (QStringList{QStringLiteral("Herren A Finale"), QStringLiteral("09.12.2026 14:30:00"), t("Müller, Jörg"),
                           t("TTC Süd"), QStringLiteral("Bauer, Anna"), QStringLiteral("Post SV"), QString(),
                           QStringLiteral("2")}));
    // The knock-out draw has no options: the per-table line shows bare names.
    EXPECT_EQ(u.staging.zeilen(QStringLiteral("tischspiel_0005_06_org.txt")).value(0),
              t("TISCH|6|Herren A Finale|09.12.2026 14:30:00||Müller, Jörg||||Bauer, Anna||||2"));
}

TEST(Tischbelegung, aDoublesGameShowsEachPairsStartNumbersJoinedByAHyphen) {
    Exportumfeld u(QStringLiteral("UPDATE al_conf SET turopt=4 WHERE al_id=9; "
                                  "UPDATE sb_ergebnisse SET status=33 WHERE erg_id=7; "
                                  "INSERT INTO sb_tischbelegung VALUES (53, 7, 2)"));
    u.ex.Objdaten_Tischbelegung(stempel);
    EXPECT_EQ(u.staging.zeilen(QStringLiteral("tischspiel_0005_06_org.txt")).value(0),
              t("TISCH|6|Mixed Gr. 2 Runde 1|09.12.2026 11:00:00|[21-22]|Klein, M. - Groß, L.|||[23-24]|Lang, O. - "
                "Kurz, I.|||[5:11;13:11;7:11]|33"));
    EXPECT_EQ(u.felder(halle5).at(3).value(8), t("Klein, M. - Groß, L."));
}

TEST(Tischbelegung, anOccupancyWhoseResultIsGoneGetsEmptyGameFields) {
    Exportumfeld u(QStringLiteral("INSERT INTO sb_tischbelegung VALUES (53, 99, 1)"));
    u.ex.Objdaten_Tischbelegung(stempel);
    EXPECT_EQ(u.staging.zeilen(halle5).value(3), QStringLiteral("TISCH|6|40|4|0|1||||||||"));
    EXPECT_EQ(u.staging.zeilen(QStringLiteral("tischspiel_0005_06_org.txt")).value(0),
              QStringLiteral("TISCH|6||||||||||||"));
    EXPECT_TRUE(u.log.isEmpty()) << u.log.join(u'\n');
}

TEST(Tischbelegung, eachHallLayoutGetsItsOwnFileAndNoneGivesTheEmptyFileZero) {
    {
        Exportumfeld u(QStringLiteral("INSERT INTO zd_hallenaufbau VALUES (12, 1, 'Aufbau B', 10, 5); "
                                      "INSERT INTO tk_turnierhallen VALUES (1, 12); "
                                      "INSERT INTO zd_tische VALUES (120, 12, 1, 2, 2, 1, 0)"));
        u.ex.Objdaten_Tischbelegung(stempel);
        EXPECT_EQ(u.staging.namen(), (QStringList{QStringLiteral("tischspiel_0005_04_org.txt"), halle5,
                                                  QStringLiteral("tischbelegung_0012_org.txt")}));
        EXPECT_EQ(u.staging.zeilen(halle5).size(), 4);
        EXPECT_EQ(u.staging.zeilen(QStringLiteral("tischbelegung_0012_org.txt")),
                  (QStringList{QStringLiteral("HALLE|Sporthalle|Am Ring|Aufbau B|10|5"),
                               QStringLiteral("TISCH|1|2|2|1|0||||||||")}));
    }
    Exportumfeld u(QStringLiteral("DELETE FROM tk_turnierhallen"));
    u.ex.Objdaten_Tischbelegung(stempel);
    ASSERT_EQ(u.staging.namen(), QStringList{QStringLiteral("tischbelegung_0000_org.txt")});
    EXPECT_TRUE(u.staging.abgaben.at(0).inhalt.isEmpty());
    EXPECT_EQ(u.staging.abgaben.at(0).ziel, 3);
}

TEST(Tischbelegung, aFaultyTableRowIsLoggedAndTheOtherTablesArePublished) {
    Exportumfeld u(QStringLiteral("UPDATE sb_tischbelegung SET typ=NULL WHERE erg_id=3"));
    u.ex.Objdaten_Tischbelegung(stempel);
    ASSERT_EQ(u.staging.namen(), QStringList{halle5});
    const QStringList zeilen = u.staging.zeilen(halle5);
    ASSERT_EQ(zeilen.size(), 3);
    EXPECT_TRUE(zeilen.at(1).startsWith(QStringLiteral("TISCH|5|")));
    ASSERT_EQ(u.log.size(), 1);
    EXPECT_TRUE(u.log.at(0).contains(QStringLiteral("typ"))) << u.log.at(0);
    ASSERT_EQ(u.hinweise.size(), 1) << "the user is told, without the export waiting for it";
    EXPECT_TRUE(u.hinweise.at(0).contains(QStringLiteral("typ")));
}

// The generated tournament: its first hall layout has a game in every listed state and a finished one
// that still occupies its table; a knock-out field of 16 with 3 byes.
class Generiert : public ::testing::Test {
protected:
    void SetUp() override {
        demo::Generator({1, demo::Groesse::Klein, demo::standardJetzt()}).erzeugen(kontext.dbpath);
        QDir().mkpath(kontext.tsdir);
        dm.oeffnen(kontext.dbpath);
    }

    QTemporaryDir dir;
    Turnierkontext kontext{dir.filePath(QStringLiteral("demo.db")),
                           static_cast<int>(demo::fest::turnier),
                           {},
                           dir.filePath(QStringLiteral("qnda")),
                           {}};
    TDM dm;
    StagingMerken staging{kontext.tsdir};
    QStringList log;
    Objdatenexport ex{dm, kontext, staging, [this](const QString& zeile) { log.append(zeile); }};
};

TEST_F(Generiert, theHallFileLeavesOutTheFinishedGameAndEveryTableWithAGameGetsItsFile) {
    ex.Objdaten_Tischbelegung(stempel);
    EXPECT_TRUE(log.isEmpty()) << log.join(u'\n');
    const QString halle = QStringLiteral("tischbelegung_0001_org.txt");
    QStringList tische;
    for (const QString& zeile : staging.zeilen(halle).mid(1)) {
        const QStringList felder = zeile.split(u'|');
        EXPECT_EQ(felder.size(), 14) << zeile.toStdString();
        tische.append(felder.value(1));
        if (felder.value(1) == QStringLiteral("3")) {
            EXPECT_TRUE(zeile.endsWith(QStringLiteral("| Spiel in Planung |||||||22"))) << zeile.toStdString();
        }
    }
    EXPECT_FALSE(tische.contains(QStringLiteral("4")));
    EXPECT_TRUE(tische.contains(QStringLiteral("6")));
    for (const char* tisch : {"01", "02", "05"}) {
        const QString name = QStringLiteral("tischspiel_0001_%1_org.txt").arg(QString::fromLatin1(tisch));
        ASSERT_TRUE(staging.namen().contains(name)) << name.toStdString();
        EXPECT_EQ(staging.zeilen(name).value(0).split(u'|').size(), 14);
    }
    EXPECT_FALSE(staging.namen().contains(QStringLiteral("tischspiel_0001_03_org.txt")));
    // Each hall layout has its own file, handed over after the per-table files of that layout.
    const QStringList namen = staging.namen();
    ASSERT_TRUE(namen.contains(QStringLiteral("tischbelegung_0002_org.txt")));
    for (qsizetype i = namen.indexOf(halle); i < namen.size(); ++i) {
        EXPECT_FALSE(namen.at(i).startsWith(QStringLiteral("tischspiel_0001_"))) << namen.at(i).toStdString();
    }
}

TEST_F(Generiert, aKnockOutFieldOfSixteenWithThreeByesHasSixteenLines) {
    ex.Objdaten_KOFeld(static_cast<int>(demo::fest::alHerrenAEndrunde), static_cast<int>(demo::fest::syfHerrenAKo), 1,
                       1, stempel);
    const QStringList zeilen = staging.zeilen(QStringLiteral("kofeld_0002_org.txt"));
    ASSERT_EQ(zeilen.size(), 16);
    // turopt 7: start number and region brackets stay empty, the club is empty.
    EXPECT_EQ(zeilen.filter(QStringLiteral("|[] -------Freilos------- []||")).size(), 3);
}

} // namespace
