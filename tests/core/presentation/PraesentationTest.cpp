#include "presentation/Praesentation.h"
#include "PraesentationHilfen.h"

#include <gtest/gtest.h>

using namespace quenda;
using namespace quenda::test;

namespace {

std::vector<int> ids(const BildschirmListe& liste) {
    std::vector<int> ergebnis;
    for (const auto& b : liste) {
        ergebnis.push_back(b.id);
    }
    return ergebnis;
}

} // namespace

TEST(Praesentation, newIdsFollowTheLastSiblingNotTheLargest) {
    Praesentation p;
    EXPECT_EQ(p.neuerBildschirm({}), 1);
    EXPECT_EQ(p.neuerBildschirm({}), 2);
    EXPECT_EQ(p.neuerBildschirm({}), 3);
    EXPECT_EQ(p.neuerBildschirm({}), 4);

    p.auswaehlen({4, 0, 0, 0, 0});
    p.loeschen();
    EXPECT_EQ(p.neuerBildschirm({}), 4); // the last one's id is given again

    p.auswaehlen({2, 0, 0, 0, 0});
    p.loeschen();
    EXPECT_EQ(ids(p.BildschirmList), (std::vector<int>{1, 3, 4}));
    EXPECT_EQ(p.neuerBildschirm({}), 5); // a gap in the middle is not reused
}

TEST(Praesentation, idsAreCountedPerParent) {
    Praesentation p;
    p.neuerBildschirm({});
    p.neuerBildschirm({});
    p.auswaehlen({1, 0, 0, 0, 0});
    EXPECT_EQ(p.neueEbene({}), 1);
    p.auswaehlen({2, 0, 0, 0, 0});
    EXPECT_EQ(p.neueEbene({}), 1); // screen 2's own first layer
    p.auswaehlen({2, 1, 0, 0, 0});
    EXPECT_EQ(p.neuerBereich({}), 1);
    p.auswaehlen({2, 1, 1, 0, 0});
    EXPECT_EQ(p.neuesObjekt({}), 1);
    p.auswaehlen({2, 1, 1, 1, 0});
    EXPECT_EQ(p.neueAuslosung({QStringLiteral("0"), 0, 0}), 1);
    EXPECT_EQ(p.neueAuslosung({QStringLiteral("7-12"), 1, 0}), 2);
    EXPECT_EQ(p.objekt()->AuslosungList.back().aslid, QStringLiteral("7-12"));
}

TEST(Praesentation, selectionFindsPositionsAndStopsAtTheFirstMissingLevel) {
    Praesentation p;
    p.neuerBildschirm({});
    p.neuerBildschirm({});
    p.neuerBildschirm({});
    p.auswaehlen({2, 0, 0, 0, 0});
    p.loeschen();
    p.auswaehlen({3, 0, 0, 0, 0});
    EXPECT_EQ(p.bs_Item, 2);
    EXPECT_EQ(p.eb_Item, Praesentation::nichtGefunden);
    EXPECT_EQ(p.auswahlstufe, Ebenenstufe::Bildschirm);

    p.neueEbene({});
    p.auswaehlen({3, 1, 0, 0, 0});
    p.neuerBereich({});
    p.auswaehlen({3, 1, 1, 0, 0});
    EXPECT_EQ(p.br_Item, 1);
    EXPECT_EQ(p.obj_Item, Praesentation::nichtGefunden);
    // The root finds nothing; the lower levels keep their earlier values.
    p.auswaehlen({});
    EXPECT_EQ(p.bs_Item, Praesentation::nichtGefunden);
    EXPECT_EQ(p.br_Item, 1);
    EXPECT_EQ(p.bildschirm(), nullptr);
    EXPECT_EQ(p.Bildschirm_Item(0), Praesentation::nichtGefunden);
}

TEST(Praesentation, deletingAScreenFreesItsWholeSubtree) {
    Praesentation p;
    p.neuerBildschirm({});
    p.auswaehlen({1, 0, 0, 0, 0});
    p.neueEbene({});
    p.auswaehlen({1, 1, 0, 0, 0});
    p.neuerBereich({});
    p.auswaehlen({1, 1, 1, 0, 0});
    p.neuesObjekt({});
    p.auswaehlen({1, 1, 1, 1, 0});
    p.neueAuslosung({});
    p.auswaehlen({1, 1, 1, 1, 1});
    p.loeschen();
    EXPECT_TRUE(p.objekt()->AuslosungList.empty());
    p.auswaehlen({1, 0, 0, 0, 0});
    p.loeschen();
    EXPECT_TRUE(p.BildschirmList.empty());
}
