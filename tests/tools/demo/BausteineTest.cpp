#include "demo/Saetze.h"
#include "demo/Systeme.h"
#include "demo/Zufall.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace quenda::demo;

TEST(Systeme, roundRobinPairsEveryTwoStartersOnceWithNobodyTwiceInARoundOrAlwaysFirst) {
    for (int n = kleinsteGruppe; n <= groessteGruppe; ++n) {
        SCOPED_TRACE(n);
        std::set<std::pair<int, int>> paare;
        std::map<int, std::set<int>> jeRunde;
        std::map<int, int> zuerst;
        for (const Paarung& p : jederGegenJeden(n)) {
            ASSERT_GE(p.pos1, 1);
            ASSERT_LE(p.pos2, n);
            ASSERT_NE(p.pos1, p.pos2);
            EXPECT_TRUE(paare.insert({std::min(p.pos1, p.pos2), std::max(p.pos1, p.pos2)}).second);
            EXPECT_TRUE(jeRunde[p.runde].insert(p.pos1).second);
            EXPECT_TRUE(jeRunde[p.runde].insert(p.pos2).second);
            ++zuerst[p.pos1];
        }
        EXPECT_EQ(paare.size(), static_cast<std::size_t>(n * (n - 1) / 2));
        EXPECT_EQ(jeRunde.size(), static_cast<std::size_t>(gruppenRunden(n)));
        for (int pos = 1; pos <= n; ++pos) {
            EXPECT_LT(zuerst[pos], n - 1) << "position " << pos << " always plays first";
            EXPECT_GT(zuerst[pos], 0) << "position " << pos << " never plays first";
        }
    }
}

TEST(Systeme, knockOutWinnersMoveToTheRightSideOfTheNextGame) {
    struct Fall {
        int feld;
        int nummer;
        int runde;
        std::optional<KoFolge> folge;
    };
    const Fall faelle[] = {
        {16, 1, 1, KoFolge{9, 1}},  {16, 2, 1, KoFolge{9, 2}},   {16, 8, 1, KoFolge{12, 2}},
        {16, 9, 2, KoFolge{13, 1}}, {16, 14, 3, KoFolge{15, 2}}, {16, 15, 4, std::nullopt},
        {4, 2, 1, KoFolge{3, 2}},   {4, 3, 2, std::nullopt},     {128, 127, 7, std::nullopt},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(testing::Message() << f.feld << "/" << f.nummer);
        EXPECT_EQ(koRunde(f.feld, f.nummer), f.runde);
        const auto folge = koNachfolger(f.feld, f.nummer);
        ASSERT_EQ(folge.has_value(), f.folge.has_value());
        if (folge) {
            EXPECT_EQ(folge->nummer, f.folge->nummer);
            EXPECT_EQ(folge->seite, f.folge->seite);
        }
    }
    EXPECT_EQ(koRundenName(16, 1), QStringLiteral("Achtelfinale"));
    EXPECT_EQ(koRundenName(64, 2), QStringLiteral("2. Runde"));
    EXPECT_EQ(koRundenName(64, 6), QStringLiteral("Finale"));
}

TEST(Saetze, onlyTheStoredNotationIsRead) {
    const std::pair<const char*, std::optional<Satz>> faelle[] = {
        {"7", Satz{true, 7}},   {"-7", Satz{false, 7}},   {"0", Satz{true, 0}}, {"-0", Satz{false, 0}},
        {"12", Satz{true, 12}}, {"-13", Satz{false, 13}}, {"", std::nullopt},   {" 7", std::nullopt},
        {"+7", std::nullopt},   {"07", std::nullopt},     {"-", std::nullopt},  {"11:7", std::nullopt},
        {"7 ", std::nullopt},   {"123", std::nullopt},
    };
    for (const auto& [text, erwartet] : faelle) {
        SCOPED_TRACE(text);
        EXPECT_EQ(satzLesen(QString::fromLatin1(text)), erwartet);
        if (erwartet) {
            EXPECT_EQ(satzText(*erwartet), QString::fromLatin1(text));
        }
    }
}

TEST(Saetze, randomResultsEndWithTheWinnersDecidingSet) {
    for (int gse = 2; gse <= 4; ++gse) {
        for (quint64 seed = 0; seed < 300; ++seed) {
            Zufall zufall(seed);
            const bool erster = seed % 2 == 0;
            const std::vector<Satz> saetze = zufallsErgebnis(zufall, gse, erster);
            const Spielstand stand = zaehlen(saetze);
            ASSERT_EQ(erster ? stand.sg : stand.sv, gse);
            ASSERT_LT(erster ? stand.sv : stand.sg, gse);
            ASSERT_EQ(saetze.back().ersterGewinnt, erster);
            for (const Satz& s : saetze) {
                ASSERT_EQ(satzLesen(satzText(s)), s);
            }
            const Spielstand laufend = zaehlen(zufallsZwischenstand(zufall, gse));
            ASSERT_LT(std::max(laufend.sg, laufend.sv), gse);
        }
    }
}

TEST(Zufall, rangesStayInsideTheirBoundsAndHitBothEnds) {
    Zufall zufall(7);
    std::set<int> gesehen;
    for (int i = 0; i < 2000; ++i) {
        const int wert = zufall.bereich(-3, 3);
        ASSERT_GE(wert, -3);
        ASSERT_LE(wert, 3);
        gesehen.insert(wert);
    }
    EXPECT_EQ(gesehen.size(), 7u);
    EXPECT_EQ(Zufall(7).naechste(), Zufall(7).naechste());
    EXPECT_NE(Zufall(7, 1).naechste(), Zufall(7, 2).naechste());
}
