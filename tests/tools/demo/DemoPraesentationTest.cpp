#include "demo/DemoPraesentation.h"
#include "support/DemoHilfen.h"

#include "presentation/ConfigDatei.h"
#include "presentation/Meldungsdatei.h"

#include <QDir>
#include <gtest/gtest.h>
#include <set>

using namespace quenda;
using namespace quenda::demo;
using namespace quenda::demo::test;

TEST(DemoPraesentation, oneScreenShowsEveryObjectKindOfTheTournamentsOwnHallAndDraws) {
    QTemporaryDir ordner;
    const QString db = erzeugen(ordner, QStringLiteral("t.db"), Groesse::Klein, 1);
    const QString tsdir = ordner.filePath(QStringLiteral("qnda001t"));
    demoPraesentationSchreiben(db, 1, tsdir);

    BildschirmListe liste;
    ASSERT_EQ(ConfigLoad(configPfad(tsdir), liste, nullptr, nullptr).status, Ladeergebnis::Status::Geladen);
    ASSERT_EQ(liste.size(), 1u);
    Datenbank d(db);
    const QString halle = d.text("SELECT min(hab_id) FROM tk_turnierhallen WHERE t_id = 1");
    std::set<int> arten;
    for (const TEbene& e : liste[0].EbeneList) {
        for (const TBereich& b : e.BereichList) {
            EXPECT_LE(e.x + b.x + b.wd, liste[0].wd) << "inside the screen";
            EXPECT_LE(e.y + b.y + b.hg, liste[0].hg);
            for (const TPObjekt& o : b.ObjektList) {
                arten.insert(o.objid);
                ASSERT_EQ(o.AuslosungList.size(), 1u);
                EXPECT_EQ(o.AuslosungList[0].aslid,
                          referenzart(o.objid) == Referenzart::Halle ? halle : QStringLiteral("0"));
            }
        }
    }
    EXPECT_EQ(arten, (std::set<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_TRUE(MeldungLoad(tsdir, meldungDateiname(1, 1, 1, 1, true)).text.contains(QStringLiteral("Siegerehrung")));
    for (const char* bild : {"hintergrund.bmp", "werbung.bmp"}) {
        EXPECT_TRUE(lesen(QDir(tsdir).filePath(QStringLiteral("images/") + QString::fromLatin1(bild))).startsWith("BM"))
            << bild;
    }
}
