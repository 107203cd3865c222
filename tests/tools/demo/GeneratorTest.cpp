#include "support/DemoHilfen.h"

#include "demo/FesteIds.h"
#include "demo/Pruefung.h"
#include "demo/Saetze.h"

#include <gtest/gtest.h>

#include <QDir>
#include <map>
#include <set>

using namespace quenda;
using namespace quenda::demo;
using namespace quenda::demo::test;

namespace {

constexpr Groesse alleGroessen[] = {Groesse::Klein, Groesse::Mittel, Groesse::Gross};

} // namespace

TEST(Generator, sameSeedGivesTheSameFileByteForByte) {
    QTemporaryDir ordner;
    for (Groesse groesse : alleGroessen) {
        SCOPED_TRACE(groesseText(groesse).toStdString());
        const QByteArray a = lesen(erzeugen(ordner, QStringLiteral("a.db"), groesse, 42));
        const QByteArray b = lesen(erzeugen(ordner, QStringLiteral("b.db"), groesse, 42));
        const QByteArray c = lesen(erzeugen(ordner, QStringLiteral("c.db"), groesse, 43));
        ASSERT_FALSE(a.isEmpty());
        EXPECT_TRUE(a == b);
        EXPECT_FALSE(a == c);
    }
}

TEST(Generator, replacesAnExistingFileAndLeavesNoWorkingFile) {
    QTemporaryDir ordner;
    const QString pfad = erzeugen(ordner, QStringLiteral("demo.db"), Groesse::Klein, 1);
    erzeugen(ordner, QStringLiteral("demo.db"), Groesse::Klein, 2);
    EXPECT_TRUE(lesen(pfad) == lesen(erzeugen(ordner, QStringLiteral("frisch.db"), Groesse::Klein, 2)));
    EXPECT_EQ(QDir(ordner.path()).entryList(QDir::Files).size(), 2);
}

TEST(Generator, everyDatabasePassesTheIntegrityCheck) {
    QTemporaryDir ordner;
    for (Groesse groesse : alleGroessen) {
        for (quint64 seed : {1u, 2u, 3u}) {
            const Befund befund = pruefeDatei(erzeugen(ordner, QStringLiteral("demo.db"), groesse, seed));
            EXPECT_TRUE(befund.ok()) << groesseText(groesse).toStdString() << " seed " << seed << ":\n"
                                     << befund.text().toStdString();
        }
    }
}

TEST(Generator, sizesFitTheirPurposeAndTheSummaryTellsTheTruth) {
    QTemporaryDir ordner;
    std::map<Groesse, Teilsumme> summen;
    for (Groesse groesse : alleGroessen) {
        const QString pfad = ordner.filePath(groesseText(groesse));
        const Uebersicht uebersicht = Generator({5, groesse, standardJetzt()}).erzeugen(pfad);
        const Teilsumme& s = uebersicht.turnier;
        summen[groesse] = s;
        Datenbank db(pfad);
        const QByteArray spiele = "SELECT count(*) FROM sb_ergebnisse e JOIN al_systemfeld f ON f.syf_id = e.syf_id "
                                  "JOIN al_conf a ON a.al_id = f.al_id JOIN Konkurrenz k ON k.kn_id = a.kn_id "
                                  "JOIN Klassen kl ON kl.kl_id = k.kl_id WHERE kl.t_id = ";
        EXPECT_EQ(db.text(spiele + "1").toInt(), s.spiele);
        EXPECT_EQ(db.text(spiele + "2").toInt(), uebersicht.fremd.spiele);
        EXPECT_EQ(db.text("SELECT count(*) FROM tk_turnierhallen WHERE t_id = 1").toInt(), s.hallenaufbauten);
        EXPECT_EQ(db.text("SELECT count(*) FROM sb_tischbelegung").toInt(), s.belegungen + uebersicht.fremd.belegungen);
    }
    const Teilsumme& klein = summen[Groesse::Klein];
    const Teilsumme& gross = summen[Groesse::Gross];
    EXPECT_EQ(klein.spieler, 80);
    EXPECT_LE(klein.gruppen, 20);
    EXPECT_EQ(gross.spieler, 2000);
    EXPECT_GE(gross.gruppen, 300);
    EXPECT_GE(gross.spiele, 5500);
    EXPECT_LE(gross.spiele, 7000);
    EXPECT_EQ(gross.hallenaufbauten, 4);
    EXPECT_EQ(gross.tische, 80);
    EXPECT_GT(summen[Groesse::Mittel].spiele, klein.spiele);
    EXPECT_LT(summen[Groesse::Mittel].spiele, gross.spiele);
}

TEST(Generator, otherTournamentIsUnreachableFromTheMainOne) {
    QTemporaryDir ordner;
    for (Groesse groesse : {Groesse::Klein, Groesse::Gross}) {
        Datenbank db(erzeugen(ordner, QStringLiteral("demo.db"), groesse, 11));
        const Zeilenmenge haupt = erreichbar(db.handle(), fest::turnier);
        const Zeilenmenge fremd = erreichbar(db.handle(), fest::fremdTurnier);
        for (const auto& [tabelle, zeilen] : fremd) {
            SCOPED_TRACE(tabelle.toStdString());
            if (istGemeinsam(tabelle)) {
                continue;
            }
            // The other tournament has rows everywhere, so the test would notice a leak in any table.
            EXPECT_FALSE(zeilen.empty());
            for (qint64 zeile : zeilen) {
                EXPECT_FALSE(haupt.at(tabelle).contains(zeile)) << "row " << zeile;
            }
        }
    }
}

// The ids of FesteIds.h, checked for sizes, seeds and reference times that differ.
TEST(Generator, fixedCasesAreTheSameWhateverSizeSeedAndTime) {
    struct Variante {
        Groesse groesse;
        quint64 seed;
        QDateTime jetzt;
    };
    const Variante varianten[] = {{Groesse::Klein, 1, standardJetzt()},
                                  {Groesse::Gross, 99, standardJetzt()},
                                  {Groesse::Mittel, 7, QDateTime(QDate(2027, 3, 28), QTime(1, 30), Qt::UTC)}};
    struct Fall {
        const char* was;
        const char* sql; // %1: the reference time
        const char* erwartet;
    };
    const Fall faelle[] = {
        {"states of the showcase group",
         "SELECT group_concat(status, ',') FROM (SELECT status FROM sb_ergebnisse WHERE syf_id = 1 ORDER BY erg_id)",
         "4,4,4,2,3,33,22,5,1,9,0,0,0,0,0"},
        {"special set notation",
         "SELECT s1 || ';' || s2 || ';' || s3 || ';' || s4 || ';' || s5 || ';' || s6 || ';' || s7 || '|' || sg || "
         "':' || sv FROM sb_ergebnisse WHERE erg_id = 1",
         "-0;7;-12;0;9;;|3:2"},
        {"walk-over without sets",
         "SELECT ifnull(s1, 'NULL') || sg || sv || ifnull(ts_id, 'N') FROM sb_ergebnisse WHERE erg_id = 3", "NULL00N"},
        {"own and default winning sets",
         "SELECT group_concat(ifnull(gse, 'NULL'), ',') FROM (SELECT gse FROM sb_ergebnisse WHERE erg_id IN (8, 11, "
         "13) ORDER BY erg_id)",
         "NULL,0,4"},
        {"game without table row", "SELECT ts_id FROM sb_ergebnisse WHERE erg_id = 11", "0"},
        {"occupied tables of the showcase",
         "SELECT group_concat(x, ',') FROM (SELECT b.ts_id || ':' || e.status AS x FROM sb_tischbelegung b JOIN "
         "sb_ergebnisse e ON e.erg_id = b.erg_id WHERE e.syf_id = 1 ORDER BY b.ts_id)",
         "1:2,2:3,3:22,4:4,5:33"},
        {"blocked table is free",
         "SELECT ti_sperre || ':' || (SELECT count(*) FROM sb_tischbelegung WHERE ts_id = 6) FROM zd_tische WHERE "
         "ts_id = 6",
         "-1:0"},
        {"byes",
         "SELECT group_concat(syf_id || '.' || posnr, ',') FROM (SELECT * FROM al_starterfeld WHERE syf_id IN "
         "(5, 10, 16) AND amkd_id = 111111 ORDER BY syf_id, posnr)",
         "5.2,5.6,5.10,10.2,10.6"},
        {"the one blocked starter", "SELECT group_concat(syf_id || '.' || posnr) FROM al_starterfeld WHERE sperre <> 0",
         "3.2"},
        {"draw flags and options",
         "SELECT group_concat(x, ' ') FROM (SELECT ifnull(al_freigabe, 'N') || ifnull(al_betrieb, 'N') || ':' || "
         "ifnull(turopt, 'N') || '/' || ifnull(sglopt, 'N') || ':' || sy_typ AS x FROM al_conf WHERE al_id <= 8 "
         "ORDER BY al_id)",
         "11:31/15:1 11:7/0:2 10:N/N:1 11:0/7:1 11:31/0:2 00:31/15:1 10:31/8:1 NN:0/0:2"},
        {"draw names",
         "SELECT group_concat(ifnull(al_bez, 'NULL'), '|') FROM (SELECT al_bez FROM al_conf WHERE al_id <= 8 ORDER "
         "BY al_id)",
         "Vorrunde|Endrunde|NULL|Vorrunde|Endrunde|Vorrunde||Trostrunde"},
        {"groups of the fixed draws",
         "SELECT group_concat(al_id || '.' || grnr, ' ') FROM (SELECT * FROM al_systemfeld WHERE syf_id <= 16 ORDER "
         "BY syf_id)",
         "1.1 1.2 1.3 1.4 2.1 3.1 3.2 4.1 4.2 5.1 6.1 6.2 6.3 7.1 7.2 8.1"},
        {"competition starts in minutes from the reference time",
         "SELECT group_concat(x, ' ') FROM (SELECT kn_id || '=' || ifnull(CAST(round((julianday(startdatetime) - "
         "julianday('%1')) * 1440) AS INTEGER), 'NULL') AS x FROM Konkurrenz WHERE kn_id <= 12 ORDER BY kn_id)",
         "1=-120 2=-60 3=-90 4=120 5=60 6=300 7=NULL 8=-30 9=180 10=181 11=30 12=60"},
        {"start at midnight after the reference day",
         "SELECT startdatetime = date('%1', '+1 day') || ' 00:00:00' FROM Konkurrenz WHERE kn_id = 13", "1"},
        {"competition types",
         "SELECT group_concat(typ, '') FROM (SELECT typ FROM Konkurrenz WHERE kn_id <= 13 ORDER BY "
         "kn_id)",
         "1123111111111"},
        {"entries of the competitions without draw",
         "SELECT group_concat(x, ' ') FROM (SELECT kn_id || '=' || ((SELECT count(*) FROM amklasse m WHERE m.kn_id = "
         "k.kn_id) + (SELECT count(*) FROM amdoppel d WHERE d.kn_id = k.kn_id)) AS x FROM Konkurrenz k WHERE kn_id IN "
         "(4, 5, 6, 7, 9, 10, 11, 13) ORDER BY kn_id)",
         "4=6 5=8 6=6 7=5 9=6 10=5 11=0 13=5"},
        {"names with apostrophe and umlauts",
         "SELECT group_concat(x, '|') FROM (SELECT name || ', ' || vorname AS x FROM Spieler WHERE sl_id <= 2 ORDER "
         "BY sl_id)",
         "D'Angelo, Luca|Jäger, Jürgen"},
        {"clubs that differ in case",
         "SELECT group_concat(verein, '|') FROM (SELECT verein FROM Verein WHERE v_id <= 2 ORDER BY v_id)",
         "TTV Süd|TTV SÜD"},
        {"pair of those clubs in one region",
         "SELECT d.kn_id || ':' || a1.sl_id || '-' || a2.sl_id || ':' || a1.v_id || '-' || a2.v_id || ':' || "
         "(a1.zdg_id = a2.zdg_id) FROM amdoppel d JOIN anmeldung a1 ON a1.am_id = d.am_id1 JOIN anmeldung a2 ON "
         "a2.am_id = d.am_id2 WHERE d.amd_id = 1",
         "3:1-2:1-2:1"},
        {"knock-out final with its own winning sets",
         "SELECT gse FROM sb_ergebnisse WHERE syf_id = 5 ORDER BY sp_id DESC LIMIT 1", "4"},
        {"tournaments", "SELECT group_concat(tur_bez, '|') FROM (SELECT tur_bez FROM turniere ORDER BY t_id)",
         "Südpark-Pokal 2026|Kreisrangliste 2026"},
        {"main hall layout", "SELECT count(*) >= 8 FROM zd_tische WHERE hab_id = 1", "1"},
    };
    QTemporaryDir ordner;
    for (const Variante& v : varianten) {
        Datenbank db(erzeugen(ordner, QStringLiteral("demo.db"), v.groesse, v.seed, v.jetzt));
        for (const Fall& f : faelle) {
            const QString sql = QString::fromUtf8(f.sql).replace(QStringLiteral("%1"), zeitText(v.jetzt));
            EXPECT_EQ(db.text(sql.toUtf8()), QString::fromUtf8(f.erwartet))
                << f.was << " (" << groesseText(v.groesse).toStdString() << ", seed " << v.seed << ")";
        }
    }
}

// Group 2 of draw 1: equal in games, sets and balls, and the direct comparisons form a cycle.
TEST(Generator, threeWayTieIsLeftToTheDirectComparison) {
    QTemporaryDir ordner;
    Datenbank db(erzeugen(ordner, QStringLiteral("demo.db"), Groesse::Klein, 3));
    struct Stand {
        int siege = 0;
        int saetze = 0;
        int baelle = 0;
    };
    std::map<int, Stand> stand;
    std::set<std::pair<int, int>> siege; // winner, loser
    for (const Zeile& z : db.sql().abfragen("SELECT sp1, sp2, s1, s2, s3, s4, s5, s6, s7 FROM sb_ergebnisse WHERE "
                                            "syf_id = 2 AND status = 4")) {
        const int p = static_cast<int>(zahl(z[0]));
        const int q = static_cast<int>(zahl(z[1]));
        std::vector<Satz> saetze;
        for (std::size_t i = 2; i < z.size(); ++i) {
            if (const auto s = satzLesen(text(z[i]))) {
                saetze.push_back(*s);
                const int verlierer = s->verliererPunkte;
                const int gewinner = verlierer >= 10 ? verlierer + 2 : 11;
                stand[p].baelle += s->ersterGewinnt ? gewinner - verlierer : verlierer - gewinner;
                stand[q].baelle -= s->ersterGewinnt ? gewinner - verlierer : verlierer - gewinner;
            }
        }
        const Spielstand s = zaehlen(saetze);
        stand[p].saetze += s.sg - s.sv;
        stand[q].saetze += s.sv - s.sg;
        const auto [sieger, verlierer] = s.sg > s.sv ? std::pair(p, q) : std::pair(q, p);
        stand[sieger].siege += 1;
        siege.insert({sieger, verlierer});
    }
    ASSERT_EQ(siege.size(), 6u);
    for (int pos : {2, 3}) {
        EXPECT_EQ(stand[pos].siege, stand[1].siege);
        EXPECT_EQ(stand[pos].saetze, stand[1].saetze);
        EXPECT_EQ(stand[pos].baelle, stand[1].baelle);
    }
    EXPECT_LT(stand[4].siege, stand[1].siege);
    EXPECT_TRUE(siege.contains({1, 2}));
    EXPECT_TRUE(siege.contains({2, 3}));
    EXPECT_TRUE(siege.contains({3, 1}));
}
