#include "PraesentationHilfen.h"
#include "db/TDM.h"
#include "demo/FesteIds.h"
#include "support/DemoHilfen.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quenda;
using namespace quenda::test;

namespace {

class NamenAufDemo : public ::testing::Test {
protected:
    void SetUp() override {
        dm.oeffnen(demo::test::erzeugen(dir, QStringLiteral("t.sqlite"), demo::Groesse::Klein, 1),
                   TDM::Frische::Aktuell);
    }
    QTemporaryDir dir;
    TDM dm;
    Namensabfragen namen{dm, static_cast<int>(demo::fest::turnier)};
};

} // namespace

TEST_F(NamenAufDemo, hallsCompetitionsAndDrawsAreNamed) {
    struct Fall {
        QString ergebnis;
        QString erwartet;
    };
    const Fall faelle[] = {
        {namen.Halle_bez(QStringLiteral("1")),
         QStringLiteral("Sporthalle Am Südpark Südparkweg 12, 50939 Köln - Aufbau Turniertag 1")},
        {namen.Halle_bez(QStringLiteral("99")), QStringLiteral("nicht gefunden")},
        {namen.Konkurrenz_bez(QStringLiteral("2")), QStringLiteral("Damen A")},
        {namen.Konkurrenz_bez(QStringLiteral("0")), QStringLiteral("ALLE Konkurrenzen")},
        {namen.Konkurrenz_bez(QStringLiteral("99")), QStringLiteral("nicht gefunden")},
        {namen.Auslosung_bez(QStringLiteral("0")), QStringLiteral("ALLE Auslosungen")},
        {namen.Auslosung_bez(QStringLiteral("1-4")), QStringLiteral("Herren A Vorrunde,Herren-Doppel Vorrunde")},
        // Draw 6 is not released: an empty place between the commas.
        {namen.Auslosung_bez(QStringLiteral("1-6-4")), QStringLiteral("Herren A Vorrunde,,Herren-Doppel Vorrunde")},
        {namen.Auslosung_bez(QString()), QString()},
    };
    for (const Fall& fall : faelle) {
        EXPECT_EQ(fall.ergebnis, fall.erwartet);
    }
}

TEST_F(NamenAufDemo, idsThatAreNoNumbersNeverReachAStatement) {
    for (const QString& id : {QStringLiteral("1 or 1=1"), QStringLiteral("1; DROP TABLE x"), QStringLiteral("")}) {
        EXPECT_EQ(namen.Halle_bez(id), QStringLiteral("nicht gefunden"));
        EXPECT_EQ(namen.Konkurrenz_bez(id), QStringLiteral("nicht gefunden"));
    }
    EXPECT_EQ(namen.Auslosung_bez(QStringLiteral("1-x")), QStringLiteral("Herren A Vorrunde,nicht gefunden"));
    EXPECT_EQ(namen.Auslosung_bez(QStringLiteral("1-0 or 1=1")), QStringLiteral("Herren A Vorrunde,nicht gefunden"));
}

TEST_F(NamenAufDemo, dialogListsHoldOnlyThisTournamentInStatementOrder) {
    const Referenzlisten listen = referenzlistenLaden(dm, static_cast<int>(demo::fest::turnier));
    QStringList draws;
    for (const auto& e : listen.auslosungen) {
        draws.append(e.id + u'=' + e.text);
    }
    EXPECT_EQ(draws,
              (QStringList{QStringLiteral("2=Herren A Endrunde"), QStringLiteral("1=Herren A Vorrunde"),
                           QStringLiteral("5=Herren-Doppel Endrunde"), QStringLiteral("4=Herren-Doppel Vorrunde")}));
    ASSERT_EQ(listen.hallen.size(), 2);
    EXPECT_EQ(listen.hallen[1].id, QStringLiteral("2"));
    EXPECT_EQ(listen.hallen[1].text, QStringLiteral("Dreifachhalle Nord Nordring 3, 50733 Köln - Aufbau Turniertag 2"));
    ASSERT_EQ(listen.konkurrenzen.size(), 14); // "ALLE Konkurrenzen" and the 13 competitions of tournament 1
    EXPECT_EQ(listen.konkurrenzen[0].text, QStringLiteral("ALLE Konkurrenzen"));
    EXPECT_EQ(listen.konkurrenzen[0].id, QStringLiteral("0"));
    EXPECT_EQ(listen.konkurrenzen[1].text, QStringLiteral("Damen A"));
}
