#include "db/TDM.h"
#include "draws/Auslosungsabfragen.h"
#include "export/Exportabfragen.h"
#include "support/MiniTurnier.h"
#include "util/QuendaError.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quenda;

namespace {

const QString konkurrenzen = QStringLiteral(
    "SELECT Konkurrenz.kn_id, Konkurrenz.kl_id, Konkurrenz.kn_bez, Konkurrenz.startdatetime, Konkurrenz.typ, (select "
    "count(*) from amklasse where konkurrenz.kn_id=amklasse.kn_id) as grmax FROM (Konkurrenz INNER JOIN Klassen ON "
    "Konkurrenz.kl_id = Klassen.kl_id) LEFT JOIN al_conf ON Konkurrenz.kn_id = al_conf.kn_id WHERE Klassen.t_id=1 AND "
    "(al_conf.al_freigabe=0 OR al_conf.al_freigabe Is Null) order by Konkurrenz.kn_id");

class Abfragen : public ::testing::Test {
protected:
    void SetUp() override {
        pfad = dir.filePath(QStringLiteral("turnier.sqlite"));
        miniTurnierAnlegen(pfad);
        tdm.oeffnen(pfad);
    }

    // Every row of a one-column result, read as text.
    QStringList spalte(Abfrage& q, const char* name) {
        QStringList werte;
        q.first();
        for (int i = 0; i < q.rowCount(); ++i) {
            werte.append(q.feld(QString::fromLatin1(name)).alsText());
            q.next();
        }
        return werte;
    }

    QTemporaryDir dir;
    QString pfad;
    TDM tdm;
};

} // namespace

TEST_F(Abfragen, drawLabelHasTheDrawNameOnlyWhenItIsNotEmpty) {
    const struct {
        int al_id;
        const char* label;
    } faelle[] = {{7, "Herren A [RG]"}, {8, "Herren A [KO] - Endrunde"}, {9, "Mixed [RG]"}};
    for (const auto& f : faelle) {
        tdm.SQLAbfrage2(abfragen::auslosungszeile(f.al_id));
        ASSERT_EQ(tdm.QuerySQL2.rowCount(), 1);
        EXPECT_EQ(tdm.QuerySQL2.feld(QStringLiteral("kn_bez")).alsText(), QString::fromLatin1(f.label));
        // al.* beside the alias: the draw's own columns stay readable, NULL options read as NULL.
        EXPECT_EQ(tdm.QuerySQL2.feld(QStringLiteral("AL_ID")).alsInt(), f.al_id);
    }
    tdm.SQLAbfrage2(abfragen::auslosungszeile(7));
    EXPECT_EQ(tdm.QuerySQL2.feld(QStringLiteral("turopt")).alsInt(), 31);
    EXPECT_TRUE(tdm.QuerySQL2.feld(QStringLiteral("sglopt")).istNull());
    EXPECT_EQ(tdm.QuerySQL2.feld(QStringLiteral("sglopt")).alsText(), QString());
}

TEST_F(Abfragen, singlesStarterFieldKeepsByesThroughTheNestedLeftJoins) {
    tdm.SQLAbfrage1(abfragen::starterfeld(70, 1));
    Abfrage& q = tdm.QuerySQL1;
    ASSERT_EQ(q.rowCount(), 3);
    EXPECT_EQ(spalte(q, "starter"), QStringList({QStringLiteral("Müller, Jörg"), QStringLiteral("O'Neil, Anna"),
                                                 QStringLiteral("-------Freilos------- ")}));
    EXPECT_EQ(spalte(q, "stnr"), QStringList({QStringLiteral("12"), QStringLiteral("7"), QString()}));
    EXPECT_EQ(spalte(q, "verein"), QStringList({QStringLiteral("TTC Süd"), QStringLiteral("TTC SÜD"), QString()}));
    q.first();
    q.next();
    q.next();
    EXPECT_TRUE(q.feld(QStringLiteral("zd_gebiet")).istNull());
    EXPECT_EQ(q.feld(QStringLiteral("amkd_id")).alsInt(), 111111);
}

TEST_F(Abfragen, doublesStarterFieldJoinsPairsWithJetSemantics) {
    tdm.SQLAbfrage1(abfragen::starterfeld(90, 2));
    Abfrage& q = tdm.QuerySQL1;
    ASSERT_EQ(q.rowCount(), 2);
    // Clubs that differ only in letter case are one club; a NULL first name makes the whole name NULL.
    EXPECT_EQ(spalte(q, "verein"), QStringList({QStringLiteral("TTC Süd"), QStringLiteral("Post SV")}));
    EXPECT_EQ(spalte(q, "starter"), QStringList({QStringLiteral("Müller, Jörg - O'Neil, Anna"), QString()}));
    EXPECT_EQ(spalte(q, "stnr"), QStringList({QStringLiteral("12/7"), QString()}));
    EXPECT_EQ(spalte(q, "zd_gebiet"), QStringList({QStringLiteral("Nord"), QStringLiteral("Ost")}));
    q.first();
    q.next();
    EXPECT_EQ(q.feld(QStringLiteral("sperre")).alsInt(), 1);
}

TEST_F(Abfragen, correlatedCountsAndIsNullWork) {
    tdm.SQLAbfrage2(abfragen::auslosungen(1));
    Abfrage& q = tdm.QuerySQL2;
    ASSERT_EQ(q.rowCount(), 2) << "draw 9 is not released";
    EXPECT_EQ(spalte(q, "al_id"), QStringList({QStringLiteral("7"), QStringLiteral("8")}));
    EXPECT_EQ(spalte(q, "anz"), QStringList({QStringLiteral("1"), QStringLiteral("4")}));
    EXPECT_EQ(spalte(q, "splerl"), QStringList({QStringLiteral("1"), QStringLiteral("0")}));

    tdm.SQLAbfrage2(konkurrenzen);
    EXPECT_EQ(spalte(tdm.QuerySQL2, "kn_bez"), QStringList{QStringLiteral("Mixed")});
    EXPECT_EQ(spalte(tdm.QuerySQL2, "grmax"), QStringList{QStringLiteral("0")});
}

TEST_F(Abfragen, textComparisonIgnoresCaseButNotAccentsAndSortsGerman) {
    tdm.SQLAbfrage1(QStringLiteral("SELECT v.verein FROM Verein v WHERE v.verein='ttc süd' ORDER BY v.v_id"));
    EXPECT_EQ(spalte(tdm.QuerySQL1, "verein"), QStringList({QStringLiteral("TTC Süd"), QStringLiteral("TTC SÜD")}));
    tdm.SQLAbfrage1(QStringLiteral("SELECT v.verein FROM Verein v WHERE v.verein='TTC Sud'"));
    EXPECT_EQ(tdm.QuerySQL1.rowCount(), 0);
    tdm.SQLAbfrage1(QStringLiteral("SELECT s.name FROM Spieler s ORDER BY s.name"));
    EXPECT_EQ(spalte(tdm.QuerySQL1, "name"), QStringList({QStringLiteral("Ärzte"), QStringLiteral("Bader"),
                                                          QStringLiteral("Müller"), QStringLiteral("O'Neil")}));
}

TEST_F(Abfragen, bridgeFunctionsFollowJetIncludingNull) {
    tdm.SQLAbfrage1(QStringLiteral(
        "SELECT cStr(syp.sp_idgv1)+'.' as p1, cstr(erg.sg)+' : '+cstr(erg.sv) as sa, mid(sp.vorname,1,1)+'.' as vi, "
        "mid(sp.name,2) as rest, mid(sp.name,9,3) as leer, cstr(erg.ts_id)+'x' as ohne, 0 as amid12, '---' as md "
        "FROM (sb_ergebnisse erg INNER JOIN sy_spiel syp ON erg.sp_id = syp.sp_id), Spieler sp "
        "WHERE erg.erg_id=500 and sp.sl_id in (1, 3) order by sp.sl_id"));
    Abfrage& q = tdm.QuerySQL1;
    ASSERT_EQ(q.rowCount(), 2);
    EXPECT_EQ(q.feld(QStringLiteral("p1")).alsText(), QStringLiteral("1."));
    EXPECT_EQ(q.feld(QStringLiteral("sa")).alsText(), QStringLiteral("3 : 1"));
    EXPECT_EQ(q.feld(QStringLiteral("vi")).alsText(), QStringLiteral("J."));
    EXPECT_EQ(q.feld(QStringLiteral("rest")).alsText(), QStringLiteral("üller"));
    EXPECT_EQ(q.feld(QStringLiteral("leer")).alsText(), QString());
    EXPECT_TRUE(q.feld(QStringLiteral("ohne")).istNull());
    EXPECT_EQ(q.feld(QStringLiteral("amid12")).alsInt(), 0);
    EXPECT_EQ(q.feld(QStringLiteral("md")).alsText(), QStringLiteral("---"));
    q.next();
    EXPECT_TRUE(q.feld(QStringLiteral("vi")).istNull()) << "mid of NULL, then + : NULL";
}

TEST_F(Abfragen, duplicateColumnNamesOfNestedJoinsAreReadByTheirPlainName) {
    tdm.SQLAbfrage1(QStringLiteral(
        "SELECT * FROM ((al_starterfeld AS sf1 INNER JOIN al_systemfeld AS syf ON sf1.syf_id = syf.syf_id) "
        "INNER JOIN (al_starterfeld AS sf2 INNER JOIN al_conf al ON al.al_id = 7) ON sf2.syf_id = syf.syf_id) "
        "WHERE sf1.posnr=1 and sf2.posnr=2 and syf.syf_id=70"));
    Abfrage& q = tdm.QuerySQL1;
    ASSERT_EQ(q.rowCount(), 1);
    EXPECT_EQ(q.spalten().count(QStringLiteral("posnr")), 2);
    EXPECT_EQ(q.feld(QStringLiteral("posnr")).alsInt(), 1) << "the first column of a name wins";
    EXPECT_EQ(q.feld(QStringLiteral("stf_id")).alsInt(), 1);
}

TEST_F(Abfragen, dateTimeColumnsReadInGermanFormAlsoThroughJoins) {
    tdm.SQLAbfrage1(QStringLiteral(
        "SELECT erg.spielzeit, kn.startdatetime, erg.erg_id FROM ((sb_ergebnisse erg INNER JOIN al_systemfeld syf ON "
        "erg.syf_id = syf.syf_id) INNER JOIN al_conf al ON syf.al_id = al.al_id) INNER JOIN Konkurrenz kn ON "
        "al.kn_id = kn.kn_id order by erg.erg_id"));
    Abfrage& q = tdm.QuerySQL1;
    ASSERT_EQ(q.rowCount(), 2);
    EXPECT_EQ(q.feld(QStringLiteral("spielzeit")).alsText(), QStringLiteral("09.12.2026 10:30:00"));
    EXPECT_EQ(q.feld(QStringLiteral("startdatetime")).alsDatumZeit().time(), QTime(10, 0));
    q.next();
    EXPECT_EQ(q.feld(QStringLiteral("spielzeit")).alsText(), QStringLiteral("11:15:00")) << "time alone";
    EXPECT_THROW(q.feld(QStringLiteral("startdatetime")).alsDatumZeit(), ConversionError);
    EXPECT_EQ(q.feld(QStringLiteral("startdatetime")).alsText(), QString());

    tdm.SQLAbfrage1(QStringLiteral("SELECT kn.startdatetime FROM Konkurrenz kn WHERE kn.kn_id=10"));
    EXPECT_EQ(tdm.QuerySQL1.feld(QStringLiteral("startdatetime")).alsText(), QStringLiteral("09.12.2026 10:00:00"));
}

TEST_F(Abfragen, walkingQAuslosungKeepsItsPositionWhileQuerySQL2Runs) {
    Abfrage& q = tdm.QAuslosung;
    q.setzeText(abfragen::auslosungen(1));
    q.oeffnen();
    q.first();
    const int zeilen = q.rowCount();
    ASSERT_EQ(zeilen, 2);
    QStringList gesehen;
    for (int i = 0; i < zeilen; ++i) {
        const int alId = q.feld(QStringLiteral("al_id")).alsInt();
        tdm.SQLAbfrage2(abfragen::auslosungszeile(alId));
        tdm.SQLAbfrage2(QStringLiteral("select al.* from al_conf al where al.al_id=0"));
        EXPECT_EQ(tdm.QuerySQL2.rowCount(), 0);
        gesehen.append(QString::number(alId) + u'/' + q.feld(QStringLiteral("syf_id")).alsText());
        q.next();
    }
    EXPECT_EQ(gesehen, QStringList({QStringLiteral("7/70"), QStringLiteral("8/80")}));
    EXPECT_TRUE(q.eof());
}

TEST_F(Abfragen, otherTournamentStaysApart) {
    tdm.SQLAbfrage2(QStringLiteral("select t.* from turniere t where t.t_id=1"));
    EXPECT_EQ(tdm.QuerySQL2.feld(QStringLiteral("tur_bez")).alsText(), QStringLiteral("Hallenturnier Süd"));
    tdm.SQLAbfrage2(QStringLiteral("SELECT Konkurrenz.kn_bez, Konkurrenz.kn_id FROM Konkurrenz INNER JOIN Klassen ON "
                                   "Konkurrenz.kl_id = Klassen.kl_id WHERE Klassen.t_id=1 order by Konkurrenz.kn_bez"));
    EXPECT_EQ(spalte(tdm.QuerySQL2, "kn_bez"), QStringList({QStringLiteral("Herren A"), QStringLiteral("Mixed")}));
}

TEST_F(Abfragen, conversionErrorsNameTheColumn) {
    tdm.SQLAbfrage1(
        QStringLiteral("SELECT erg.s2, erg.s5, erg.sg, erg.spieldauer FROM sb_ergebnisse erg WHERE erg.erg_id=500"));
    Abfrage& q = tdm.QuerySQL1;
    EXPECT_EQ(q.feld(QStringLiteral("s2")).alsInt(), -9) << "a text holding a number converts";
    try {
        q.feld(QStringLiteral("spieldauer")).alsInt();
        FAIL() << "NULL read as a whole number";
    } catch (const ConversionError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("spieldauer"))) << e.message().toStdString();
    }
    EXPECT_EQ(q.feld(QStringLiteral("s5")).alsText(), QString());
    EXPECT_THROW(q.feld(QStringLiteral("gibtsnicht")), DatabaseError);
}

TEST_F(Abfragen, failingStatementReportsSqliteMessageAndStatement) {
    const QString sql = QStringLiteral("select x.nix from turniere x");
    try {
        tdm.SQLAbfrage3(sql);
        FAIL() << "no error";
    } catch (const DatabaseError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("no such column"))) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(sql));
    }
    EXPECT_FALSE(tdm.QuerySQL3.istOffen());
    EXPECT_EQ(tdm.QuerySQL3.rowCount(), 0);
}

TEST_F(Abfragen, emptyResultHasNoRows) {
    tdm.SQLAbfrage1(QStringLiteral("select t.* from turniere t where t.t_id=99"));
    EXPECT_EQ(tdm.QuerySQL1.rowCount(), 0);
    EXPECT_TRUE(tdm.QuerySQL1.eof());
    EXPECT_THROW(tdm.QuerySQL1.feld(QStringLiteral("t_id")), DatabaseError);
}

TEST(Verbindung, openingReportsWhatIsWrongWithThePath) {
    QTemporaryDir dir;
    const QString fehlt = dir.filePath(QStringLiteral("fehlt.mdb"));
    const QString keine = dir.filePath(QStringLiteral("keine.mdb"));
    const QString leer = dir.filePath(QStringLiteral("leer.sqlite"));
    QFile datei(keine);
    ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
    datei.write("Standard Jet DB and more");
    datei.close();
    {
        Verbindung v;
        v.anlegen(leer);
        v.ausfuehren(QStringLiteral("DROP TABLE sb_tischbelegung; DROP TABLE zd_tische"));
    }
    for (const QString& pfad : {fehlt, keine, leer}) {
        Verbindung v;
        try {
            v.oeffnen(pfad);
            FAIL() << pfad.toStdString();
        } catch (const DatabaseError& e) {
            EXPECT_TRUE(e.message().contains(pfad)) << e.message().toStdString();
        }
        EXPECT_FALSE(v.istOffen());
    }
    Verbindung v;
    try {
        v.oeffnen(leer);
    } catch (const DatabaseError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("sb_tischbelegung, zd_tische"))) << e.message().toStdString();
    }
}

TEST(Verbindung, accessFileIsNotOpenedDirectly) {
    const QString mdb = QStringLiteral(QUENDA_TEST_DATA "/mdb/DateTestDatabase.mdb");
    ASSERT_TRUE(QFile::exists(mdb)) << "sample file missing: " << mdb.toStdString();
    EXPECT_TRUE(Verbindung::istAccessDatei(mdb));
    Verbindung v;
    try {
        v.oeffnen(mdb);
        FAIL();
    } catch (const DatabaseError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("Access"))) << e.message().toStdString();
    }
}

TEST(Verbindung, recognisesSqliteFilesByTheirHeaderAndOpensThemReadOnly) {
    QTemporaryDir dir;
    const QString pfad = dir.filePath(QStringLiteral("turnier.db3"));
    miniTurnierAnlegen(pfad);
    EXPECT_TRUE(Verbindung::istSqliteDatei(pfad));
    Verbindung v;
    v.oeffnen(pfad);
    EXPECT_THROW(v.ausfuehren(QStringLiteral("DELETE FROM turniere")), DatabaseError);
}
