#include "ExportHilfen.h"

using namespace quenda;
using namespace quenda::test;

namespace {

const QString stempel = QStringLiteral("20261209090000");
const QString starter8 = QStringLiteral("starter_0008_01_org.txt");
const QString raster8 = QStringLiteral("spielraster_0008_01_org.txt");
const QString kofeld8 = QStringLiteral("kofeld_0008_org.txt");

QString t(const char* text) {
    return QString::fromUtf8(text);
}

TEST(Starterfelder, aByeIsRenderedWithTheOptionBitsInStarterListGridAndKnockOutField) {
    struct Fall {
        const char* turopt;
        const char* name;        // starter line and KO line
        const char* rasterfeld4; // grid: start number, name, club, region
        const char* rasterfeld5;
        const char* rasterfeld7;
    };
    const Fall faelle[] = {
        {"0", "-------Freilos------- ", "", "-------Freilos------- ", ""},
        {"1", "-------Freilos------- ", "", "-------Freilos------- ", ""},
        {"2", "-------Freilos------- []", "", "-------Freilos------- ", "[]"},
        {"4", "[] -------Freilos------- ", "[]", "-------Freilos------- ", ""},
        {"7", "[] -------Freilos------- []", "[]", "-------Freilos------- ", "[]"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.turopt);
        Exportumfeld u(QStringLiteral("UPDATE al_conf SET turopt=%1 WHERE al_id=8").arg(t(f.turopt)));
        u.ex.Objdaten_KOFeld(8, 80, 1, 0, stempel);
        u.ex.Objdaten_Starterliste(8, 80, 1, 0, stempel);
        const QStringList ko = u.felder(kofeld8).value(1);
        const QStringList starter = u.felder(starter8).value(1);
        const QStringList raster = u.felder(raster8).value(1);
        EXPECT_EQ(ko.value(2), t(f.name));
        EXPECT_EQ(ko.value(3), QString());
        EXPECT_EQ(starter.value(3), t(f.name));
        EXPECT_EQ(starter.value(4), QString());
        EXPECT_EQ(raster.mid(3, 4), (QStringList{t(f.rasterfeld4), t(f.rasterfeld5), QString(), t(f.rasterfeld7)}));
    }
}

TEST(Starterfelder, theOptionBitsFillTheOptionalFieldsOfTheGrid) {
    const std::tuple<const char*, const char*, const char*> faelle[] = {
        {"0", "Herren A [RG]|1|1||Müller, Jörg|||70|1", "1|2|1|1. Runde||3|4|70|1|3|3 : 1|"},
        {"1", "Herren A [RG]|1|1||Müller, Jörg|TTC Süd||70|1", "1|2|1|1. Runde||3|4|70|1|3|3 : 1|"},
        {"8", "Herren A [RG]|1|1||Müller, Jörg|||70|1", "1|2|1|1. Runde|09.12.2026 10:00:00|3|4|70|1|3|3 : 1|"},
        {"16", "Herren A [RG]|1|1||Müller, Jörg|||70|1", "1|2|1|1. Runde||3|4|70|1|3|3 : 1|7;-9;11;5;;;"},
    };
    for (const auto& [turopt, starter, spiel] : faelle) {
        SCOPED_TRACE(turopt);
        Exportumfeld u(QStringLiteral("UPDATE al_conf SET turopt=%1 WHERE al_id=7").arg(t(turopt)));
        u.ex.Objdaten_Starterliste(7, 70, 1, 1, stempel);
        const QStringList raster = u.staging.zeilen(QStringLiteral("spielraster_0007_01_org.txt"));
        EXPECT_EQ(raster.value(0), t(starter));
        EXPECT_EQ(raster.value(5), t(spiel));
    }
}

TEST(Starterfelder, aGroupWithoutListedGamesEndsItsGridWithTheResultsMarker) {
    Exportumfeld u(QStringLiteral("UPDATE sb_ergebnisse SET status=9 WHERE syf_id=70"));
    u.ex.Objdaten_Starterliste(7, 70, 1, 1, stempel);
    const QStringList raster = u.staging.zeilen(QStringLiteral("spielraster_0007_01_org.txt"));
    EXPECT_EQ(raster.size(), 5);
    EXPECT_EQ(raster.last(), QStringLiteral("[ERGEBNISSE]"));
    EXPECT_TRUE(u.ex.tabspieleliste.isEmpty());
}

TEST(Starterfelder, aDrawWithoutStartersHandsOverEmptyFilesOfGroupZero) {
    Exportumfeld u(QStringLiteral("DELETE FROM al_starterfeld WHERE syf_id IN (70, 80)"));
    u.ex.Objdaten_Starterliste(7, 70, 1, 1, stempel);
    u.ex.Objdaten_KOFeld(8, 80, 1, 0, stempel);
    EXPECT_EQ(u.staging.namen(), (QStringList{QStringLiteral("starter_0007_00_org.txt"),
                                              QStringLiteral("spielraster_0007_00_org.txt"), kofeld8}));
    EXPECT_TRUE(u.staging.abgaben.at(0).inhalt.isEmpty());
    EXPECT_EQ(u.staging.abgaben.at(1).inhalt, QByteArray("[ERGEBNISSE]\r\n"));
    EXPECT_TRUE(u.staging.abgaben.at(2).inhalt.isEmpty());
    EXPECT_EQ(u.staging.abgaben.at(2).ziel, 2);
}

TEST(Starterfelder, theRunningNumberCountsRowsWhileTheGridKeepsThePositions) {
    Exportumfeld u(QStringLiteral("UPDATE al_starterfeld SET posnr=posnr*2 WHERE syf_id=80"));
    u.ex.Objdaten_KOFeld(8, 80, 1, 0, stempel);
    u.ex.Objdaten_Starterliste(8, 80, 1, 0, stempel);
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(u.felder(kofeld8).value(k).value(1), QString::number(k + 1));
        EXPECT_EQ(u.felder(starter8).value(k).value(2), QString::number(k + 1));
        EXPECT_EQ(u.felder(raster8).value(k).value(2), QString::number(2 * (k + 1)));
    }
}

} // namespace
