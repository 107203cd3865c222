#include "ExportHilfen.h"

using namespace quenda;
using namespace quenda::test;

namespace {

const QString stempel = QStringLiteral("20261209090000");

struct Golden {
    const char* beschreibung;
    int al_id;
    int syf_id;
    int typ;
    int betrieb;
    bool gruppe;
    QStringList dateien;   // expected hand-overs in order, each compared with tests/data/export/erwartet
    const char* tabspiele; // expected tabspieleliste, "" when not compared
};

// Runs the draw's exporters as the cycle does and compares every handed-over file byte for byte with
// the file written by hand.
class GoldenDateien : public ::testing::TestWithParam<Golden> {};

TEST_P(GoldenDateien, matchTheHandWrittenFilesByteForByte) {
    const Golden& g = GetParam();
    SCOPED_TRACE(g.beschreibung);
    Exportumfeld u;
    gruppeExportieren(u.ex, g.al_id, g.syf_id, g.typ, g.betrieb, g.gruppe, stempel);

    ASSERT_EQ(u.staging.namen(), g.dateien);
    for (const StagingMerken::Abgabe& a : u.staging.abgaben) {
        SCOPED_TRACE(a.name);
        EXPECT_EQ(a.stempel, stempel);
        EXPECT_EQ(a.ziel, g.betrieb + 2);
        const QString erwartet = a.name.chopped(8) + QStringLiteral(".txt");
        EXPECT_EQ(a.inhalt, dateiInhalt(testdaten(QStringLiteral("erwartet/") + erwartet)));
        EXPECT_FALSE(QFile::exists(QDir(u.kontext.tsdir).filePath(a.name)));
    }
    if (*g.tabspiele) {
        EXPECT_EQ(textdatei::kodieren(u.ex.tabspieleliste),
                  dateiInhalt(testdaten(QStringLiteral("erwartet/") + QString::fromLatin1(g.tabspiele))));
    }
    EXPECT_TRUE(u.log.isEmpty()) << u.log.join(u'\n');
}

INSTANTIATE_TEST_SUITE_P(
    Turnier, GoldenDateien,
    ::testing::Values(Golden{"singles group, unnamed draw, every option on",
                             7,
                             70,
                             1,
                             1,
                             true,
                             {QStringLiteral("spiele_0007_01_01_org.txt"), QStringLiteral("spiele_0007_01_02_org.txt"),
                              QStringLiteral("spiele_0007_01_03_org.txt"), QStringLiteral("tabelle_0007_01_org.txt"),
                              QStringLiteral("starter_0007_01_org.txt"), QStringLiteral("spielraster_0007_01_org.txt"),
                              QStringLiteral("tabspiele_0007_01_org.txt")},
                             "tabspiele_0007_01.txt"},
                      Golden{"doubles group, al_bez empty, club and region",
                             9,
                             90,
                             2,
                             1,
                             true,
                             {QStringLiteral("spiele_0009_02_01_org.txt"), QStringLiteral("tabelle_0009_02_org.txt"),
                              QStringLiteral("starter_0009_02_org.txt"), QStringLiteral("spielraster_0009_02_org.txt"),
                              QStringLiteral("tabspiele_0009_02_org.txt")},
                             "tabspiele_0009_02.txt"},
                      Golden{"named knock-out draw with a bye, options NULL, released only",
                             8,
                             80,
                             1,
                             0,
                             false,
                             {QStringLiteral("spiele_0008_01_01_org.txt"), QStringLiteral("spiele_0008_01_02_org.txt"),
                              QStringLiteral("kofeld_0008_org.txt"), QStringLiteral("starter_0008_01_org.txt"),
                              QStringLiteral("spielraster_0008_01_org.txt")},
                             ""}),
    [](const ::testing::TestParamInfo<Golden>& info) { return "auslosung" + std::to_string(info.param.al_id); });

TEST(GoldenTeilnehmer, singlesAndDoublesMatchTheHandWrittenFiles) {
    const std::pair<int, int> konkurrenzen[] = {{1, 1}, {2, 2}};
    for (const auto& [kn_id, typ] : konkurrenzen) {
        SCOPED_TRACE(kn_id);
        Exportumfeld u;
        u.ex.Objdaten_Teilnehmerliste(kn_id, typ, stempel);
        const QString name = QStringLiteral("teilnehmer_000%1").arg(kn_id);
        ASSERT_EQ(u.staging.namen(), QStringList{name + QStringLiteral("_org.txt")});
        EXPECT_EQ(u.staging.abgaben.at(0).ziel, 3);
        EXPECT_EQ(u.staging.abgaben.at(0).inhalt,
                  dateiInhalt(testdaten(QStringLiteral("erwartet/") + name + QStringLiteral(".txt"))));
    }
}

TEST(GoldenTischbelegung, aHallOfFourTablesMatchesTheHandWrittenFiles) {
    Exportumfeld u;
    u.ex.Objdaten_Tischbelegung(stempel);
    ASSERT_EQ(u.staging.namen(), (QStringList{QStringLiteral("tischspiel_0005_04_org.txt"),
                                              QStringLiteral("tischbelegung_0005_org.txt")}));
    for (const StagingMerken::Abgabe& a : u.staging.abgaben) {
        SCOPED_TRACE(a.name);
        EXPECT_EQ(a.ziel, 3);
        EXPECT_EQ(a.stempel, stempel);
        EXPECT_EQ(a.inhalt,
                  dateiInhalt(testdaten(QStringLiteral("erwartet/") + a.name.chopped(8) + QStringLiteral(".txt"))));
    }
    EXPECT_TRUE(u.log.isEmpty()) << u.log.join(u'\n');
}

} // namespace
