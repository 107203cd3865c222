#include "TestTurnier.h"
#include "Turnierkontext.h"
#include "db/TDM.h"
#include "demo/FesteIds.h"
#include "demo/Generator.h"
#include "draws/AusloList.h"
#include "draws/AuslosungErmittlung.h"
#include "settings/TAblage.h"
#include "util/Ereignisprotokoll.h"
#include "util/Programmuhr.h"
#include "util/TextDatei.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <map>

using namespace quenda;
using namespace quenda::test;
namespace fest = quenda::demo::fest;

namespace {

// The detection pass on a tournament from the demo generator, whose fixed ids carry the cases of the
// three-hour rule, the release states and the other tournament.
class ErmittlungGeneriert : public ::testing::TestWithParam<demo::Groesse> {
protected:
    void SetUp() override {
        demo::Generator({1, GetParam(), demo::standardJetzt()}).erzeugen(dbpfad);
        QDir().mkpath(tsdir);
        uhr.festsetzen(demo::standardJetzt());
        protokoll.setOrdner(tsdir);
        kontext = {dbpfad, static_cast<int>(fest::turnier), QStringLiteral("Südpark-Pokal 2026"), tsdir, {}};
        tdm.oeffnen(dbpfad);
    }

    void pass() {
        ermittlung.Auslosung_Ermittlung();
        uhr.vorstellen(60);
    }

    void aendern(const char* sql) {
        Verbindung db;
        db.oeffnen(dbpfad, Verbindung::Modus::Schreiben);
        db.ausfuehren(QString::fromLatin1(sql));
    }

    bool verfolgt(qint64 id, int typdaten) const {
        return liste.FindAuslosung(static_cast<int>(id), typdaten) != nichtGefunden;
    }

    // Released draws by al_id: their betrieb as the list holds it.
    std::map<int, int> auslosungen() const {
        std::map<int, int> betrieb;
        for (const TAuslosung& a : liste) {
            if (a.typdaten == typdatenGruppe) {
                betrieb[a.al_id] = a.betrieb;
            }
        }
        return betrieb;
    }

    QStringList datei(const char* name) const {
        return textdatei::lesen(QDir(tsdir).filePath(QString::fromLatin1(name)));
    }
    bool vorhanden(const char* name) const { return QFile::exists(QDir(tsdir).filePath(QString::fromLatin1(name))); }
    void anlegen(const QStringList& namen) const {
        for (const QString& name : namen) {
            QFile f(QDir(tsdir).filePath(name));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        }
    }

    QTemporaryDir dir;
    const QString dbpfad = dir.filePath(QStringLiteral("demo.db"));
    const QString tsdir = dir.filePath(QStringLiteral("qnda001demo"));
    Programmuhr uhr;
    Ereignisprotokoll protokoll{uhr};
    TDM tdm;
    Turnierkontext kontext;
    TAblage ablage;
    AusloList liste;
    StagingMerken staging{tsdir};
    AuslosungErmittlung ermittlung{tdm, kontext, ablage, liste, protokoll, uhr, staging};
};

TEST_P(ErmittlungGeneriert, tracksTheCompetitionsAndDrawsTheirStateCallsFor) {
    pass();

    const std::pair<qint64, bool> teilnehmer[] = {
        {fest::knHerrenA, false},     // every draw released
        {fest::knMixed, true},        // doubles with typ 3, its pairs count
        {fest::knJungenU15, true},    // starts in one hour
        {fest::knMaedchenU15, false}, // five hours ahead
        {fest::knSenioren60, false},  // no start time
        {fest::knHerrenB, true},      // started, draw not released
        {fest::knJungenU18, true},    // exactly three hours ahead
        {fest::knMaedchenU18, false}, // one minute more
        {fest::knSenioren70, false},  // no entries
        {fest::knDamenB, true},       // one released and one unreleased draw
        {fest::knSenioren50, false},  // midnight after today
    };
    for (const auto& [kn_id, erwartet] : teilnehmer) {
        EXPECT_EQ(verfolgt(kn_id, typdatenTeilnehmer), erwartet) << "kn_id " << kn_id;
    }
    const std::map<int, int> betrieb = auslosungen();
    const std::pair<qint64, int> draws[] = {
        {fest::alHerrenAVorrunde, 1}, {fest::alHerrenAEndrunde, 1},   {fest::alDamenA, 0},
        {fest::alDoppelVorrunde, 1},  {fest::alDoppelEndrunde, 1},    {fest::alHerrenB, -1},
        {fest::alDamenBVorrunde, 0},  {fest::alDamenBTrostrunde, -1},
    };
    for (const auto& [al_id, erwartet] : draws) {
        const auto it = betrieb.find(static_cast<int>(al_id));
        EXPECT_EQ(it == betrieb.end() ? -1 : it->second, erwartet) << "al_id " << al_id;
    }

    // Participant lists first by kn_id, then the groups by class, draw and group number.
    int letzteKn = 0;
    std::tuple<int, int, int> letzteGruppe{0, 0, 0};
    bool gruppen = false;
    for (const TAuslosung& a : liste) {
        if (a.typdaten == typdatenTeilnehmer) {
            EXPECT_FALSE(gruppen);
            EXPECT_LT(letzteKn, a.syf_id);
            letzteKn = a.syf_id;
        } else {
            gruppen = true;
            const std::tuple<int, int, int> schluessel{a.kl_id, a.al_id, a.gruppe};
            EXPECT_LT(letzteGruppe, schluessel);
            letzteGruppe = schluessel;
        }
    }

    // The screen list holds what is in operation and the participant lists, the phone list every group.
    const QStringList anzeige = datei("auslodat.txt");
    const QStringList pocko = datei("auslodatpocko.txt");
    int anzeigeZeilen = 0;
    int pockoZeilen = 0;
    for (const TAuslosung& a : liste) {
        anzeigeZeilen += a.betrieb == 1 || a.typdaten == typdatenTeilnehmer;
        pockoZeilen += a.typdaten == typdatenGruppe;
    }
    EXPECT_EQ(anzeige.size(), anzeigeZeilen + 1);
    EXPECT_EQ(pocko.size(), pockoZeilen + 1);
    EXPECT_EQ(anzeige.value(0), QStringLiteral("Südpark-Pokal 2026"));
    const auto mitDamenA = [](const QStringList& zeilen) {
        return std::count_if(zeilen.begin() + 1, zeilen.end(), [](const QString& z) {
            return z.split(u'|').value(1) == QString::number(fest::alDamenA);
        });
    };
    EXPECT_EQ(mitDamenA(anzeige), 0);
    EXPECT_GT(mitDamenA(pocko), 0);

    EXPECT_EQ(protokoll.ordner(), tsdir);
    const QStringList log = datei("protokoll_20261209.pzk");
    EXPECT_EQ(log.filter(QStringLiteral("OHNE STARTZEIT [ID: %1 ]").arg(fest::knSenioren60)).size(), 1);
}

TEST_P(ErmittlungGeneriert, releaseAndWithdrawalOfDrawsMoveItemsAndTheirFiles) {
    pass();
    ASSERT_TRUE(verfolgt(fest::knHerrenB, typdatenTeilnehmer));
    anlegen({QStringLiteral("teilnehmer_0008.txt"), QStringLiteral("spiele_0001_01_01.txt"),
             QStringLiteral("tabelle_0001_02.txt"), QStringLiteral("starter_0001_03.txt"),
             QStringLiteral("tabspiele_0001_04.txt"), QStringLiteral("kofeld_0001.txt"),
             QStringLiteral("spielraster_0001_01.txt"), QStringLiteral("starter_0002_01.txt"),
             QStringLiteral("spiele.txt")});

    aendern("UPDATE al_conf SET al_freigabe = 1 WHERE al_id = 6; UPDATE al_conf SET al_freigabe = 0 WHERE al_id = 1");
    pass();

    EXPECT_FALSE(verfolgt(fest::knHerrenB, typdatenTeilnehmer));
    EXPECT_FALSE(vorhanden("teilnehmer_0008.txt"));
    EXPECT_EQ(auslosungen().count(static_cast<int>(fest::alHerrenB)), 1u);
    EXPECT_EQ(liste.at(liste.count()).al_id, fest::alHerrenB); // newcomers go to the end
    EXPECT_EQ(auslosungen().count(static_cast<int>(fest::alHerrenAVorrunde)), 0u);
    for (const char* weg :
         {"spiele_0001_01_01.txt", "tabelle_0001_02.txt", "starter_0001_03.txt", "tabspiele_0001_04.txt"}) {
        EXPECT_FALSE(vorhanden(weg)) << weg;
    }
    for (const char* bleibt : {"kofeld_0001.txt", "spielraster_0001_01.txt", "starter_0002_01.txt", "spiele.txt"}) {
        EXPECT_TRUE(vorhanden(bleibt)) << bleibt;
    }
}

INSTANTIATE_TEST_SUITE_P(Groessen, ErmittlungGeneriert, ::testing::Values(demo::Groesse::Klein, demo::Groesse::Mittel),
                         [](const auto& info) { return demo::groesseText(info.param).toStdString(); });

} // namespace
