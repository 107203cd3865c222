#include "ExportHilfen.h"

using namespace quenda;
using namespace quenda::test;

namespace {

const QString stempel = QStringLiteral("20261209090000");
const QString runde1 = QStringLiteral("spiele_0007_01_01_org.txt");

QString t(const char* text) {
    return QString::fromUtf8(text);
}

TEST(Objdaten_Spiele, theOptionBitsFillTheOptionalFieldsAndKeepTheirSeparators) {
    const std::pair<const char*, const char*> faelle[] = {
        {"NULL", "Herren A [RG]|1|1|1. Runde|Müller, Jörg||Bauer, Anna|||3|4|70|1|3|3 : 1||1"},
        {"0", "Herren A [RG]|1|1|1. Runde|Müller, Jörg||Bauer, Anna|||3|4|70|1|3|3 : 1||1"},
        {"1", "Herren A [RG]|1|1|1. Runde|Müller, Jörg|TTC Süd|Bauer, Anna|Post SV||3|4|70|1|3|3 : 1||1"},
        {"2", "Herren A [RG]|1|1|1. Runde|Müller, Jörg [Nord]||Bauer, Anna [Süd]|||3|4|70|1|3|3 : 1||1"},
        {"4", "Herren A [RG]|1|1|1. Runde|[12] Müller, Jörg||[7] Bauer, Anna|||3|4|70|1|3|3 : 1||1"},
        {"8", "Herren A [RG]|1|1|1. Runde|Müller, Jörg||Bauer, Anna||09.12.2026 10:00:00|3|4|70|1|3|3 : 1||1"},
        {"16", "Herren A [RG]|1|1|1. Runde|Müller, Jörg||Bauer, Anna|||3|4|70|1|3|3 : 1|7;-9;11;5;;;|1"},
        {"31", "Herren A [RG]|1|1|1. Runde|[12] Müller, Jörg [Nord]|TTC Süd|[7] Bauer, Anna [Süd]|Post "
               "SV|09.12.2026 10:00:00|3|4|70|1|3|3 : 1|7;-9;11;5;;;|1"},
    };
    for (const auto& [turopt, zeile] : faelle) {
        SCOPED_TRACE(turopt);
        Exportumfeld u(QStringLiteral("UPDATE al_conf SET turopt=%1 WHERE al_id=7").arg(t(turopt)));
        u.ex.Objdaten_Spiele(7, 70, 1, 1, stempel);
        EXPECT_EQ(u.staging.zeilen(runde1).value(0), t(zeile));
    }
}

TEST(Objdaten_Spiele, theDrawLabelHasTheSystemAndTheDrawNameOnlyWhenThereIsOne) {
    const std::tuple<const char*, int, const char*> faelle[] = {
        {"NULL", 1, "Herren A [RG]"},
        {"''", 1, "Herren A [RG]"},
        {"'Vorrunde'", 1, "Herren A [RG] - Vorrunde"},
        {"NULL", 2, "Herren A [KO]"},
        {"'Vorrunde'", 3, "Herren A [KO] - Vorrunde"},
    };
    for (const auto& [al_bez, sy_typ, bezeichnung] : faelle) {
        SCOPED_TRACE(al_bez);
        Exportumfeld u(
            QStringLiteral("UPDATE al_conf SET al_bez=%1, sy_typ=%2 WHERE al_id=7").arg(t(al_bez)).arg(sy_typ));
        u.ex.Objdaten_Spiele(7, 70, 1, 1, stempel);
        const QStringList felder = u.felder(runde1).value(0);
        EXPECT_EQ(felder.value(0), t(bezeichnung));
        EXPECT_EQ(felder.value(12), QString::number(sy_typ));
    }
}

TEST(Objdaten_Spiele, doublesShowOneClubForAPairOfOneClubAndBothJoinedOtherwise) {
    Exportumfeld u(QStringLiteral("UPDATE al_conf SET turopt=31 WHERE al_id=9"));
    u.ex.Objdaten_Spiele(9, 90, 2, 1, stempel);
    const QStringList felder = u.felder(QStringLiteral("spiele_0009_02_01_org.txt")).value(0);
    EXPECT_EQ(felder.mid(4, 4), (QStringList{t("[21-22] Klein, M. - Groß, L. [Nord]"), t("TTC Süd"),
                                             t("[23-24] Lang, O. - Kurz, I. [Süd:Nord]"), t("Post SV-SV Öhringen")}));
    EXPECT_EQ(felder.value(15), t("-5;11;-7;;;;"));
}

TEST(Objdaten_Spiele, aGroupWithoutListedGamesWritesNoFileAndNoLines) {
    Exportumfeld u(QStringLiteral("UPDATE sb_ergebnisse SET status=9 WHERE syf_id=70"));
    u.ex.Objdaten_Spiele(7, 70, 1, 1, stempel);
    EXPECT_TRUE(u.staging.abgaben.isEmpty());
    EXPECT_TRUE(u.ex.tabspieleliste.isEmpty());
    EXPECT_TRUE(QDir(u.kontext.tsdir).isEmpty());
}

TEST(Objdaten_Spiele, aMissingDefaultSetsToWinEndsTheExportAfterTheRoundsHandedOverBefore) {
    // The third round's only game has no sets to win of its own and the draw has no default either; it is
    // found before the second round's file is handed over.
    Exportumfeld u(QStringLiteral("UPDATE al_conf SET gse=NULL WHERE al_id=7; "
                                  "UPDATE sb_ergebnisse SET gse=3 WHERE erg_id IN (2, 3); "
                                  "UPDATE sb_ergebnisse SET gse=0 WHERE erg_id=5"));
    EXPECT_THROW(u.ex.Objdaten_Spiele(7, 70, 1, 1, stempel), ConversionError);
    EXPECT_EQ(u.staging.namen(), QStringList{runde1});
}

} // namespace
