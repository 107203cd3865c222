#include "export/Gruppentabelle.h"

#include <gtest/gtest.h>
#include <set>
#include <utility>

using namespace quenda;

namespace {

Tabelleneintrag eintrag(int posnr, int sperre, qint64 gewonnen, qint64 verloren, qint64 saetze, qint64 baelle) {
    Tabelleneintrag e;
    e.posnr = posnr;
    e.sperre = sperre;
    e.spieleGewonnen = gewonnen;
    e.spieleVerloren = verloren;
    e.saetzeGewonnen = saetze; // the set and ball differences against 0 lost
    e.baelleGewonnen = baelle;
    return e;
}

struct Fall {
    const char* beschreibung;
    std::vector<Tabelleneintrag> eintraege;
    bool baelle;
    std::set<std::pair<int, int>> siege; // (winner, loser) of the direct games
    std::vector<int> rangfolge;          // posnr by rank
};

TEST(tabelle_sort, ranksByTheCascadeAndTheExchangeSort) {
    const Fall faelle[] = {
        {"non-transitive direct comparisons: A beat B, B beat C, C beat A",
         {eintrag(1, 0, 1, 1, 0, 0), eintrag(2, 0, 1, 1, 0, 0), eintrag(3, 0, 1, 1, 0, 0)},
         false,
         {{1, 2}, {2, 3}, {3, 1}},
         {3, 1, 2}},
        {"the same in another start order gives another ranking",
         {eintrag(2, 0, 1, 1, 0, 0), eintrag(3, 0, 1, 1, 0, 0), eintrag(1, 0, 1, 1, 0, 0)},
         false,
         {{1, 2}, {2, 3}, {3, 1}},
         {1, 2, 3}},
        {"more games won ranks ahead despite more games lost",
         {eintrag(1, 0, 1, 0, 9, 99), eintrag(2, 0, 2, 2, 0, 0)},
         true,
         {{1, 2}},
         {2, 1}},
        {"with equal games won fewer games lost ranks ahead",
         {eintrag(1, 0, 1, 2, 9, 99), eintrag(2, 0, 1, 1, 0, 0)},
         true,
         {{1, 2}},
         {2, 1}},
        {"the block mark comes first",
         {eintrag(1, 1, 3, 0, 9, 99), eintrag(2, 0, 0, 3, 0, 0), eintrag(3, 2, 3, 0, 9, 99)},
         true,
         {},
         {2, 1, 3}},
        {"set difference before balls", {eintrag(1, 0, 1, 1, 1, 99), eintrag(2, 0, 1, 1, 2, 0)}, true, {}, {2, 1}},
        {"ball option on: ball difference before the direct comparison",
         {eintrag(1, 0, 1, 1, 2, -5), eintrag(2, 0, 1, 1, 2, 5)},
         true,
         {{1, 2}},
         {2, 1}},
        {"ball option off: straight to the direct comparison",
         {eintrag(1, 0, 1, 1, 2, -5), eintrag(2, 0, 1, 1, 2, 5)},
         false,
         {{1, 2}},
         {1, 2}},
        {"ties without a direct result keep their order",
         {eintrag(4, 0, 0, 0, 0, 0), eintrag(1, 0, 0, 0, 0, 0)},
         true,
         {},
         {4, 1}},
        {"one entry", {eintrag(1, 0, 0, 0, 0, 0)}, true, {}, {1}},
        {"no entries", {}, true, {}, {}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.beschreibung);
        std::vector<Tabelleneintrag> eintraege = f.eintraege;
        tabelle_sort(eintraege, f.baelle, [&f](int x, int y) { return f.siege.contains({y, x}); });
        std::vector<int> rangfolge;
        for (const Tabelleneintrag& e : eintraege) {
            rangfolge.push_back(e.posnr);
        }
        EXPECT_EQ(rangfolge, f.rangfolge);
    }
}

TEST(tabelle_sort, asksForTheDirectComparisonOnlyWhenEverythingElseTies) {
    std::vector<Tabelleneintrag> eintraege = {eintrag(1, 0, 1, 0, 0, 0), eintrag(2, 0, 0, 1, 0, 0),
                                              eintrag(3, 0, 0, 1, 0, 0)};
    std::vector<std::pair<int, int>> gefragt;
    tabelle_sort(eintraege, false, [&gefragt](int x, int y) {
        gefragt.emplace_back(x, y);
        return false;
    });
    EXPECT_EQ(gefragt, (std::vector<std::pair<int, int>>{{2, 3}}));
}

} // namespace
