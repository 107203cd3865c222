#include "PraesentationHilfen.h"
#include "presentation/Praesentation.h"
#include "util/QuendaError.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quenda;
using namespace quenda::test;

namespace {

BildschirmListe beispiel() {
    TBildschirm b{0, 0, 1920, 1080, 1, {}, {}};
    TEbene e{0, 0, 1920, 1080, 1, 30, 20, 2, {}, {}};
    TBereich r{10, 20, 900, 500, 1, 1, 0, 0, 1, {}, {}};
    TPObjekt o{0, 15, 1, 12, {}, {}};
    o.AuslosungList.push_back({QStringLiteral("0"), 0, 1});
    r.ObjektList.push_back(o);
    e.BereichList.push_back(r);
    b.EbeneList.push_back(e);
    return {b};
}

} // namespace

TEST(ConfigDatei, writesTheExactBytesOfASmallConfiguration) {
    const QByteArray erwartet =
        "\xEF\xBB\xBF"
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
        "<Turnier>\r\n"
        "  <Turniername bez=\"S\xC3\xBC"
        "dpark-Pokal 2026\"/>\r\n"
        "  <bildschirm id=\"1\" x=\"0\" y=\"0\" wd=\"1920\" hg=\"1080\" backgroundimage=\"\">\r\n"
        "    <ebene id=\"1\" x=\"0\" y=\"0\" wd=\"1920\" hg=\"1080\" beginn=\"30\" dauer=\"20\" "
        "border=\"2\" backgroundimage=\"\">\r\n"
        "      <bereich id=\"1\" x=\"10\" y=\"20\" wd=\"900\" hg=\"500\" sc=\"1\" nd=\"0\" "
        "gd=\"0\" rh=\"1\" backgroundimage=\"\">\r\n"
        "        <objekt id=\"1\" objid=\"0\" dauer=\"15\" fontgr=\"12\" werbungimage=\"\">\r\n"
        "          <auslosung id=\"1\" aslid=\"0\" typ=\"0\"/>\r\n"
        "        </objekt>\r\n"
        "      </bereich>\r\n"
        "    </ebene>\r\n"
        "  </bildschirm>\r\n"
        "</Turnier>\r\n";
    EXPECT_EQ(configText(QStringLiteral("Südpark-Pokal 2026"), beispiel()), erwartet);
}

TEST(ConfigDatei, emptyModelWritesOnlyTheTournamentNameAndReadsBackEmpty) {
    QTemporaryDir dir;
    const QString pfad = dir.filePath(QStringLiteral("config_quenda.xml"));
    ConfigSave(pfad, QStringLiteral("T"), {});
    EXPECT_EQ(lesen(pfad), QByteArray("\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<Turnier>\r\n"
                                      "  <Turniername bez=\"T\"/>\r\n</Turnier>\r\n"));
    BildschirmListe liste;
    KnotenMerken knoten;
    EXPECT_EQ(ConfigLoad(pfad, liste, nullptr, &knoten).status, Ladeergebnis::Status::Geladen);
    EXPECT_TRUE(liste.empty());
    EXPECT_TRUE(knoten.knoten_.isEmpty());
}

TEST(ConfigDatei, roundTripKeepsIdsOrderValuesAndCaptions) {
    BildschirmListe liste = beispiel();
    liste[0].backgroundimage = QStringLiteral("a&b \"c\" <d>'e'.png");
    liste[0].EbeneList[0].x = -15;
    liste[0].EbeneList[0].BereichList[0].ObjektList[0].werbungimage = QStringLiteral("Zeile1\nZeile2\tTab");
    TBildschirm zweiter{-100, 5, 800, 600, 3, {}, {}};
    TEbene ebene{1, 2, 3, 4, 7, 0, 0, 0, QStringLiteral("x.jpg"), {}};
    TBereich bereich{5, 6, 7, 8, 2, 0, 1, 1, 0, {}, {}};
    TPObjekt halle{4, 0, 9, 50, {}, {}};
    halle.AuslosungList.push_back({QStringLiteral("2"), 0, 1});
    TPObjekt konkurrenz{8, 600, 10, 6, {}, {}};
    konkurrenz.AuslosungList.push_back({QStringLiteral("0"), 0, 4});
    bereich.ObjektList = {halle, konkurrenz};
    ebene.BereichList.push_back(bereich);
    zweiter.EbeneList.push_back(ebene);
    liste.push_back(zweiter);
    liste[0].EbeneList[0].BereichList[0].ObjektList[0].AuslosungList.push_back({QStringLiteral("7-12"), 2, 2});

    QTemporaryDir dir;
    const QString pfad = dir.filePath(QStringLiteral("config_quenda.xml"));
    ConfigSave(pfad, QStringLiteral("A & B"), liste);
    BildschirmListe gelesen;
    NamenOhneDb namen;
    KnotenMerken knoten;
    ASSERT_EQ(ConfigLoad(pfad, gelesen, &namen, &knoten).status, Ladeergebnis::Status::Geladen);
    EXPECT_EQ(configText(QStringLiteral("A & B"), gelesen), configText(QStringLiteral("A & B"), liste));
    EXPECT_EQ(gelesen[0].backgroundimage, liste[0].backgroundimage);
    EXPECT_EQ(gelesen[0].EbeneList[0].BereichList[0].ObjektList[0].werbungimage, QStringLiteral("Zeile1\nZeile2\tTab"));
    EXPECT_EQ(gelesen[1].x, -100);
    EXPECT_EQ(knoten.knoten_, (QStringList{
                                  QStringLiteral("1|1,0,0,0,0|Bildschirm ID:1 x:0 y:0 Breite:1920 Höhe:1080"),
                                  QStringLiteral("2|1,1,0,0,0|Ebene ID:1 x:-15 y:0 Breite:1920 Höhe:1080"),
                                  QStringLiteral("3|1,1,1,0,0|Bereich ID:1 x:10 y:20 Breite:900 Höhe:500"),
                                  QStringLiteral("4|1,1,1,1,0|Objekt ID:1 Objekt:Spiele"),
                                  QStringLiteral("5|1,1,1,1,1|Auslosung ID:1 Auslosung:Auslosung<0> [0]"),
                                  QStringLiteral("5|1,1,1,1,2|Auslosung ID:2 Auslosung:Auslosung<7-12> [7-12]"),
                                  QStringLiteral("1|3,0,0,0,0|Bildschirm ID:3 x:-100 y:5 Breite:800 Höhe:600"),
                                  QStringLiteral("2|3,7,0,0,0|Ebene ID:7 x:1 y:2 Breite:3 Höhe:4"),
                                  QStringLiteral("3|3,7,2,0,0|Bereich ID:2 x:5 y:6 Breite:7 Höhe:8"),
                                  QStringLiteral("4|3,7,2,9,0|Objekt ID:9 Objekt:Tischbelegung"),
                                  QStringLiteral("5|3,7,2,9,1|Halle ID:1 Halle:Halle<2> [2]"),
                                  QStringLiteral("4|3,7,2,10,0|Objekt ID:10 Objekt:Teilnehmer"),
                                  QStringLiteral("5|3,7,2,10,4|Konkurrenz ID:4 Konkurrenz:Konkurrenz<0> [0]"),
                              }));
}

namespace {

Ladeergebnis ladeText(const QByteArray& xml, BildschirmListe& liste) {
    QTemporaryDir dir;
    const QString pfad = dir.filePath(QStringLiteral("config_quenda.xml"));
    schreiben(pfad, xml);
    return ConfigLoad(pfad, liste, nullptr, nullptr);
}

const QByteArray bildschirm1 = R"(<bildschirm id="1" x="0" y="0" wd="10" hg="10" backgroundimage=""/>)";

} // namespace

TEST(ConfigDatei, missingTypReadsAsZeroButOtherMissingValuesStopTheLoad) {
    BildschirmListe liste;
    EXPECT_EQ(ladeText(R"(<Turnier><bildschirm id="1" x="0" y="0" wd="10" hg="10" backgroundimage="">
        <ebene id="1" x="0" y="0" wd="1" hg="1" beginn="0" dauer="0" border="0" backgroundimage="">
        <bereich id="1" x="0" y="0" wd="1" hg="1" sc="0" nd="0" gd="0" rh="0" backgroundimage="">
        <objekt id="1" objid="0" dauer="0" fontgr="6" werbungimage=""><auslosung id="1" aslid="5" typ="x"/>
        <auslosung id="2" aslid="6"/></objekt></bereich></ebene></bildschirm></Turnier>)",
                       liste)
                  .status,
              Ladeergebnis::Status::Geladen);
    const auto& refs = liste[0].EbeneList[0].BereichList[0].ObjektList[0].AuslosungList;
    ASSERT_EQ(refs.size(), 2u);
    EXPECT_EQ(refs[0].typ, 0);
    EXPECT_EQ(refs[1].typ, 0);

    liste.clear();
    const Ladeergebnis ergebnis =
        ladeText("<Turnier>" + bildschirm1 + R"(<bildschirm id="2" x="0" y="0" wd="10" backgroundimage=""/>)" +
                     R"(<bildschirm id="3" x="0" y="0" wd="10" hg="1" backgroundimage=""/>)"
                     "</Turnier>",
                 liste);
    EXPECT_EQ(ergebnis.status, Ladeergebnis::Status::Abgebrochen);
    EXPECT_TRUE(ergebnis.fehler.contains(QStringLiteral("hg"))) << ergebnis.fehler;
    ASSERT_EQ(liste.size(), 1u); // what came before the faulty screen stays
}

TEST(ConfigDatei, faultyFilesAreReportedWithoutCrashing) {
    struct Fall {
        const char* name;
        QByteArray xml;
        Ladeergebnis::Status status;
        std::size_t bildschirme;
    };
    const Fall faelle[] = {
        {"not well-formed", "<Turnier>" + bildschirm1, Ladeergebnis::Status::NichtLadbar, 0},
        {"layer before any screen",
         R"(<Turnier><ebene id="1" x="0" y="0" wd="1" hg="1" beginn="0" dauer="0" border="0" backgroundimage=""/></Turnier>)",
         Ladeergebnis::Status::Abgebrochen, 0},
        {"kind outside 0 to 9",
         "<Turnier>" + bildschirm1.chopped(2) +
             R"(><ebene id="1" x="0" y="0" wd="1" hg="1" beginn="0" dauer="0" border="0" backgroundimage="">
             <bereich id="1" x="0" y="0" wd="1" hg="1" sc="0" nd="0" gd="0" rh="0" backgroundimage="">
             <objekt id="1" objid="10" dauer="0" fontgr="6" werbungimage=""/></bereich></ebene></bildschirm></Turnier>)",
         Ladeergebnis::Status::Abgebrochen, 1},
        {"number with a fraction",
         R"(<Turnier><bildschirm id="1" x="0.5" y="0" wd="10" hg="10" backgroundimage=""/></Turnier>)",
         Ladeergebnis::Status::Abgebrochen, 0},
    };
    for (const Fall& fall : faelle) {
        BildschirmListe liste;
        const Ladeergebnis ergebnis = ladeText(fall.xml, liste);
        EXPECT_EQ(ergebnis.status, fall.status) << fall.name;
        EXPECT_FALSE(ergebnis.fehler.isEmpty()) << fall.name;
        EXPECT_EQ(liste.size(), fall.bildschirme) << fall.name;
    }
    BildschirmListe liste;
    EXPECT_EQ(ladeText("kein xml", liste).fehler, QStringLiteral("XML-Datei konnte nicht geladen werden"));
}

TEST(ConfigDatei, twoScreensWithTheSameIdAreBothLoadedAndTheFirstIsFound) {
    Praesentation p;
    QTemporaryDir dir;
    schreiben(dir.filePath(QStringLiteral("config_quenda.xml")),
              "<Turnier>" + bildschirm1 + R"(<bildschirm id="1" x="5" y="0" wd="20" hg="20" backgroundimage=""/>)" +
                  "</Turnier>");
    EXPECT_EQ(p.laden(dir.path(), nullptr, nullptr).status, Ladeergebnis::Status::Geladen);
    ASSERT_EQ(p.BildschirmList.size(), 2u);
    p.auswaehlen({1, 0, 0, 0, 0});
    EXPECT_EQ(p.bs_Item, 1);
    EXPECT_EQ(p.bildschirm()->wd, 10);
}

TEST(ConfigDatei, aFileThatDidNotLoadCompletelyIsKeptAsideBeforeTheFirstSave) {
    QTemporaryDir dir;
    const QString pfad = dir.filePath(QStringLiteral("config_quenda.xml"));
    const QByteArray kaputt = "<Turnier>" + bildschirm1 + R"(<bildschirm id="2" x="?"/></Turnier>)";
    schreiben(pfad, kaputt);
    Praesentation p;
    EXPECT_EQ(p.laden(dir.path(), nullptr, nullptr).status, Ladeergebnis::Status::Abgebrochen);
    p.speichern(QStringLiteral("T"));
    p.speichern(QStringLiteral("T"));
    const QStringList sicherungen = QDir(dir.path()).entryList({QStringLiteral("config_quenda.xml.bak-*")});
    ASSERT_EQ(sicherungen.size(), 1);
    EXPECT_EQ(lesen(dir.filePath(sicherungen.front())), kaputt);
    EXPECT_EQ(lesen(pfad), configText(QStringLiteral("T"), p.BildschirmList));

    // A complete load makes no copy.
    Praesentation q;
    EXPECT_EQ(q.laden(dir.path(), nullptr, nullptr).status, Ladeergebnis::Status::Geladen);
    q.speichern(QStringLiteral("T"));
    EXPECT_EQ(QDir(dir.path()).entryList({QStringLiteral("config_quenda.xml.bak-*")}).size(), 1);
}

TEST(ConfigDatei, tournamentNameIsRewrittenOnlyInAFileThatLoadsCompletely) {
    QTemporaryDir dir;
    const QString pfad = dir.filePath(QStringLiteral("config_quenda.xml"));
    ConfigSave(pfad, QStringLiteral("Alt"), beispiel());
    turniernameSetzen(pfad, QStringLiteral("Neu & Co"));
    EXPECT_EQ(lesen(pfad), configText(QStringLiteral("Neu & Co"), beispiel()));

    const QByteArray kaputt = "<Turnier><Turniername bez=\"Alt\"/>" + bildschirm1;
    schreiben(pfad, kaputt);
    EXPECT_THROW(turniernameSetzen(pfad, QStringLiteral("Neu")), IoError);
    EXPECT_EQ(lesen(pfad), kaputt);
}
