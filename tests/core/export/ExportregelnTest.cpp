#include "db/Wert.h"
#include "export/Dateinamen.h"
#include "export/Namensfeld.h"
#include "export/Optionen.h"
#include "export/Satz.h"
#include "export/Spielwerte.h"
#include "support/QStringDruck.h"
#include "util/QuendaError.h"

#include <QVariant>
#include <gtest/gtest.h>

using namespace quenda;

namespace {

QString t(const char* text) {
    return QString::fromUtf8(text);
}

Wert wert(const QVariant& roh) {
    return Wert(roh, QStringLiteral("spalte"), false);
}

TEST(Satz, turnsAStoredSetIntoThePointsOfBothPlayers) {
    const std::pair<const char*, const char*> faelle[] = {
        {"", ""},         {"  ", ""},       {"-0", "0:11"}, {"0", "11:0"},   {"9", "11:9"},
        {"10", "12:10"},  {"-13", "13:15"}, {"7", "11:7"},  {"-7", "7:11"},  {"12", "14:12"},
        {"-10", "10:12"}, {" 5 ", "11:5"},  {"-9", "9:11"}, {"25", "27:25"},
    };
    for (const auto& [gespeichert, ergebnis] : faelle) {
        SCOPED_TRACE(gespeichert);
        EXPECT_EQ(satz(t(gespeichert)), t(ergebnis));
    }
}

TEST(Satz, aValueThatIsNoWholeNumberIsAConversionError) {
    for (const char* gespeichert : {"x", "1.5", "11:7", "--3", "99999999999"}) {
        SCOPED_TRACE(gespeichert);
        EXPECT_THROW(satz(t(gespeichert)), ConversionError);
    }
}

TEST(Satz, satzbaelleAddsThePointsOfThePlayedSets) {
    const Baelle b = satzbaelle({t("7"), t("-9"), t("-0"), t("12"), t(""), QString(), t(" ")});
    EXPECT_EQ(b.erster, 11 + 9 + 0 + 14);
    EXPECT_EQ(b.zweiter, 7 + 11 + 11 + 12);
    EXPECT_THROW(satzbaelle({t("7"), t("a")}), ConversionError);
}

TEST(Spielwerte, gameNumberIsTheLastThreeCharactersOfTheGameId) {
    const std::pair<const char*, int> faelle[] = {
        {"1023", 23}, {"1100", 100}, {"7", 7}, {"12010", 10}, {"12101", 101}, {"42", 42}, {"1000", 0},
    };
    for (const auto& [sp_id, nummer] : faelle) {
        SCOPED_TRACE(sp_id);
        EXPECT_EQ(spielnummer(t(sp_id)), nummer);
    }
    EXPECT_THROW(spielnummer(QString()), ConversionError);
    EXPECT_THROW(spielnummer(t("1a2b")), ConversionError);
}

TEST(Spielwerte, setsToWinFallBackToTheDrawsDefaultWhenTheGameHasNone) {
    struct Fall {
        QVariant gse;
        QVariant optgse;
        qint64 ergebnis;
    };
    const Fall faelle[] = {
        {qint64(4), qint64(3), 4},  {qint64(0), qint64(3), 3},  {QVariant(), qint64(3), 3},
        {qint64(-1), qint64(2), 2}, {qint64(1), QVariant(), 1},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.gse.toString().toStdString() + "/" + f.optgse.toString().toStdString());
        EXPECT_EQ(gewinnsaetze(wert(f.gse), wert(f.optgse)), f.ergebnis);
    }
    EXPECT_THROW(gewinnsaetze(wert(qint64(0)), wert(QVariant())), ConversionError);
    EXPECT_THROW(gewinnsaetze(wert(QVariant()), wert(QVariant())), ConversionError);
}

TEST(Optionen, bitsAreOnByValueAndNullTurnsEveryBitOff) {
    struct Fall {
        QVariant wert;
        std::array<bool, 5> an; // bits 1, 2, 4, 8, 16
    };
    const Fall faelle[] = {
        {QVariant(), {false, false, false, false, false}}, {qint64(0), {false, false, false, false, false}},
        {qint64(31), {true, true, true, true, true}},      {qint64(6), {false, true, true, false, false}},
        {qint64(8), {false, false, false, true, false}},   {qint64(17), {true, false, false, false, true}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.wert.toString().toStdString());
        const Optionen o(wert(f.wert));
        const int bits[] = {optVerein, optRegion, optStartnummer, optSpielzeit, optSaetze};
        for (std::size_t i = 0; i < 5; ++i) {
            EXPECT_EQ(o.an(bits[i]), f.an[i]) << "bit " << bits[i];
        }
    }
}

TEST(Namensfeld, gameLinesTrimTheWholeFieldStarterLinesKeepTheBlankBeforeTheRegion) {
    struct Fall {
        const char* s;
        const char* n;
        const char* r;
        const char* spiel;
        const char* starter;
    };
    const Fall faelle[] = {
        {"", "Müller, Jörg", "", "Müller, Jörg", "Müller, Jörg "},
        {"[12]", "Müller, Jörg", "", "[12] Müller, Jörg", "[12] Müller, Jörg "},
        {"", "Müller, Jörg", "[Nord]", "Müller, Jörg [Nord]", "Müller, Jörg [Nord]"},
        {"[12]", "Müller, Jörg", "[Nord]", "[12] Müller, Jörg [Nord]", "[12] Müller, Jörg [Nord]"},
        {"", "-------Freilos------- ", "", "-------Freilos-------", "-------Freilos------- "},
        {"[]", "-------Freilos------- ", "[]", "[] -------Freilos-------  []", "[] -------Freilos------- []"},
        {"", "", "", "", " "},
        {"", "\tName\x01 ", "", "Name", "Name "},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.n);
        EXPECT_EQ(namensfeldSpiel(t(f.s), t(f.n), t(f.r)), t(f.spiel));
        EXPECT_EQ(namensfeldStarter(t(f.s), t(f.n), t(f.r)), t(f.starter));
    }
    EXPECT_EQ(trimmen(t("\xC2\xA0x\xC2\xA0")), t("\xC2\xA0x\xC2\xA0")); // a no-break space is no blank
    EXPECT_EQ(klammerTeil(t("Süd"), true), t("[Süd]"));
    EXPECT_EQ(klammerTeil(t("Süd"), false), QString());
    EXPECT_EQ(klammerTeil(QString(), true), t("[]"));
}

TEST(Dateinamen, keyNumbersArePaddedAndLongerNumbersWrittenWhole) {
    const std::pair<QString, const char*> faelle[] = {
        {dateinamen::spiele(12, 1, 3), "spiele_0012_01_03_org.txt"},
        {dateinamen::spiele(12345, 123, 7), "spiele_12345_123_07_org.txt"},
        {dateinamen::tabelle(7, 2), "tabelle_0007_02_org.txt"},
        {dateinamen::starter(7, 0), "starter_0007_00_org.txt"},
        {dateinamen::spielraster(7, 10), "spielraster_0007_10_org.txt"},
        {dateinamen::kofeld(8), "kofeld_0008_org.txt"},
        {dateinamen::tabspiele(1, 1), "tabspiele_0001_01_org.txt"},
        {dateinamen::teilnehmer(3), "teilnehmer_0003_org.txt"},
        {dateinamen::tischbelegung(5), "tischbelegung_0005_org.txt"},
        {dateinamen::tischspiel(5, 3), "tischspiel_0005_03_org.txt"},
    };
    for (const auto& [name, erwartet] : faelle) {
        EXPECT_EQ(name, t(erwartet));
    }
}

} // namespace
