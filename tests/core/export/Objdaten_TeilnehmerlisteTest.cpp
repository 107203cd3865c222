#include "ExportHilfen.h"

using namespace quenda;
using namespace quenda::test;

namespace {

const QString stempel = QStringLiteral("20261209090000");

void schreiben(const QString& pfad, const QByteArray& inhalt) {
    QFile datei(pfad);
    ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
    datei.write(inhalt);
}

TEST(Teilnehmerliste, twelveRegistrationsGiveTwelveLinesNumberedInDatabaseOrder) {
    QString neue;
    for (int i = 9; i <= 16; ++i) {
        neue += QStringLiteral("INSERT INTO Spieler VALUES (%1, 'Spieler%1', 'Vorname');"
                               "INSERT INTO anmeldung VALUES (%1, %1, 2, 1, '%1', %2);"
                               "INSERT INTO amklasse VALUES (%3, %1, 1);")
                    .arg(i)
                    .arg(i % 2 == 0 ? -1 : 0)
                    .arg(100 + i);
    }
    Exportumfeld u(neue);
    u.ex.Objdaten_Teilnehmerliste(1, 1, stempel);
    const QList<QStringList> zeilen = u.felder(QStringLiteral("teilnehmer_0001_org.txt"));
    ASSERT_EQ(zeilen.size(), 12);
    for (int i = 0; i < zeilen.size(); ++i) {
        EXPECT_EQ(zeilen.at(i).size(), 8);
        EXPECT_EQ(zeilen.at(i).value(1), QString::number(i + 1));
        EXPECT_EQ(zeilen.at(i).value(3), QStringLiteral("0"));
    }
    EXPECT_EQ(zeilen.last().mid(2),
              (QStringList{QStringLiteral("-1"), QStringLiteral("0"), QStringLiteral("Spieler16, Vorname"),
                           QStringLiteral("[Nord]"), QStringLiteral("Post SV"), QStringLiteral("1")}));
}

TEST(Teilnehmerliste, aRegistrationWithoutRegionIsNotListedAndAnEmptyListIsStillHandedOver) {
    Exportumfeld u(QStringLiteral("UPDATE anmeldung SET zdg_id=9 WHERE am_id=1; DELETE FROM amdoppel"));
    u.ex.Objdaten_Teilnehmerliste(1, 1, stempel);
    u.ex.Objdaten_Teilnehmerliste(2, 2, stempel);
    EXPECT_EQ(u.staging.zeilen(QStringLiteral("teilnehmer_0001_org.txt")).size(), 3);
    EXPECT_TRUE(u.staging.zeilen(QStringLiteral("teilnehmer_0002_org.txt")).isEmpty());
}

TEST(TabelleSpiele, aGroupWithoutListedGamesBeginsItsCombinedFileWithTheTableMarker) {
    Exportumfeld u(QStringLiteral("UPDATE sb_ergebnisse SET status=9 WHERE syf_id=90"));
    u.ex.Objdaten_Spiele(9, 90, 2, 0, stempel);
    u.ex.tabspieleliste.append(QStringLiteral("[TABELLE]"));
    u.ex.Objdaten_Tabelle(9, 90, 2, 0, stempel);
    u.ex.Objdaten_TabelleSpiele(9, 90, 0, stempel);
    const StagingMerken::Abgabe& a = u.staging.abgaben.last();
    EXPECT_EQ(a.name, QStringLiteral("tabspiele_0009_02_org.txt"));
    EXPECT_EQ(a.ziel, 2);
    const QStringList zeilen = u.staging.zeilen(a.name);
    ASSERT_EQ(zeilen.size(), 3);
    EXPECT_EQ(zeilen.first(), QStringLiteral("[TABELLE]"));
}

TEST(Meldung, aMessageWrittenBetweenTwoCyclesIsHandedOverOnce) {
    Exportumfeld u;
    const QDir tsdir(u.kontext.tsdir);
    const QString meldung = QStringLiteral("meldung_01_02_03_04_org.txt");
    schreiben(tsdir.filePath(meldung), "Bitte Ruhe\r\n");
    schreiben(tsdir.filePath(QStringLiteral("meldung_1_2_3_4_org.txt")), "x");
    schreiben(tsdir.filePath(QStringLiteral("meldung_01_02_03_04.txt")), "alt");
    ASSERT_TRUE(tsdir.mkdir(QStringLiteral("meldung_05_06_07_08_org.txt")));

    u.ex.Objdaten_Meldung(stempel);
    ASSERT_EQ(u.staging.namen(), QStringList{meldung});
    EXPECT_EQ(u.staging.abgaben.at(0).ziel, 3);
    EXPECT_EQ(u.staging.abgaben.at(0).inhalt, QByteArray("Bitte Ruhe\r\n"));

    u.ex.Objdaten_Meldung(QStringLiteral("20261209090100"));
    EXPECT_EQ(u.staging.abgaben.size(), 1);

    schreiben(tsdir.filePath(meldung), "Finale an Tisch 1\r\n");
    u.ex.Objdaten_Meldung(QStringLiteral("20261209090200"));
    ASSERT_EQ(u.staging.abgaben.size(), 2);
    EXPECT_EQ(u.staging.abgaben.at(1).inhalt, QByteArray("Finale an Tisch 1\r\n"));
}

} // namespace
