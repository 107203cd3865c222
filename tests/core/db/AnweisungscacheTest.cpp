#include "db/TDM.h"
#include "support/MiniTurnier.h"
#include "util/QuendaError.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace quenda;

namespace {

// Statements prepared and reused by this thread's connections since the call.
struct Zaehlung {
    Verbindung::Zaehler anfang = Verbindung::zaehler();
    qint64 vorbereitet() const { return Verbindung::zaehler().vorbereitet - anfang.vorbereitet; }
    qint64 wiederverwendet() const { return Verbindung::zaehler().wiederverwendet - anfang.wiederverwendet; }
};

class Anweisungen : public ::testing::Test {
protected:
    void SetUp() override {
        pfad = dir.filePath(QStringLiteral("turnier.sqlite"));
        miniTurnierAnlegen(pfad);
        tdm.oeffnen(pfad);
    }

    QString spielerName(int sl_id) {
        tdm.SQLAbfrage1(QStringLiteral("select s.name from Spieler s where s.sl_id=") + QString::number(sl_id));
        return tdm.QuerySQL1.rowCount() == 1 ? tdm.QuerySQL1.feld(QStringLiteral("name")).alsText() : QString();
    }

    QTemporaryDir dir;
    QString pfad;
    TDM tdm;
};

} // namespace

TEST_F(Anweisungen, textsThatDifferOnlyInTheirIdsArePreparedOnceAndGiveEachTheirOwnRows) {
    const Zaehlung z;
    EXPECT_EQ(spielerName(1), QStringLiteral("Müller"));
    EXPECT_EQ(spielerName(2), QStringLiteral("O'Neil"));
    EXPECT_EQ(spielerName(99), QString());
    EXPECT_EQ(spielerName(1), QStringLiteral("Müller"));
    EXPECT_EQ(z.vorbereitet(), 1);
    EXPECT_EQ(z.wiederverwendet(), 3);
}

TEST_F(Anweisungen, aTextColumnComparedWithAnIdKeepsItsResult) {
    // stnr is TEXT: the number is compared as the text '12', bound or written.
    for (int runde = 0; runde < 2; ++runde) {
        tdm.SQLAbfrage1(QStringLiteral("select am.am_id from anmeldung am where am.stnr=12"));
        ASSERT_EQ(tdm.QuerySQL1.rowCount(), 1);
        EXPECT_EQ(tdm.QuerySQL1.feld(QStringLiteral("am_id")).alsInt(), 1);
    }
}

TEST_F(Anweisungen, theCacheKeepsTheMostRecentlyUsedWithinItsCapacity) {
    tdm.ADOConnectionTURDB.anweisungen().setzeKapazitaet(2);
    const QString a = QStringLiteral("select t.t_id from turniere t where t.t_id=1");
    const QString b = QStringLiteral("select v.v_id from Verein v where v.v_id=1");
    const QString c = QStringLiteral("select k.kl_id from Klassen k where k.kl_id=1");
    const Zaehlung z;
    for (const QString& sql : {a, b, a, c, a, b}) {
        tdm.SQLAbfrage2(sql);
        EXPECT_EQ(tdm.QuerySQL2.rowCount(), 1) << sql.toStdString();
    }
    // a, b prepared; a reused; c prepared and b dropped; a reused; b prepared again.
    EXPECT_EQ(z.vorbereitet(), 4);
    EXPECT_EQ(z.wiederverwendet(), 2);
    EXPECT_EQ(tdm.ADOConnectionTURDB.anweisungen().groesse(), 2U);
}

TEST_F(Anweisungen, aKeptStatementHoldsNoReadLockSoTheTournamentProgramCanWriteAndTheNextRunSeesIt) {
    EXPECT_EQ(spielerName(4), QStringLiteral("Bader"));
    {
        Verbindung schreiber;
        schreiber.oeffnen(pfad, Verbindung::Modus::Schreiben);
        sqlite3_busy_timeout(schreiber.handle(), 0); // a lock left by the reader fails at once
        schreiber.ausfuehren(QStringLiteral("UPDATE Spieler SET name='Becker' WHERE sl_id=4"));
    }
    EXPECT_EQ(spielerName(4), QStringLiteral("Becker"));
}

TEST_F(Anweisungen, aStatementReadsTheFileTheConnectionHasNowAfterItWasOpenedAgain) {
    EXPECT_EQ(spielerName(1), QStringLiteral("Müller"));
    const QString zweite = dir.filePath(QStringLiteral("zweite.sqlite"));
    miniTurnierAnlegen(zweite);
    {
        Verbindung schreiber;
        schreiber.oeffnen(zweite, Verbindung::Modus::Schreiben);
        schreiber.ausfuehren(QStringLiteral("UPDATE Spieler SET name='Maier' WHERE sl_id=1"));
    }
    tdm.oeffnen(zweite);
    EXPECT_EQ(spielerName(1), QStringLiteral("Maier"));
}

TEST_F(Anweisungen, anErrorWhileRunningAKeptStatementNamesTheStatementAsWritten) {
    // mid() with a start below 1 fails while the row is read: the second id hits the row with ti_nr 0.
    const QString sql = QStringLiteral("select mid('abc', t.ti_nr) as m from zd_tische t where t.ts_id=");
    tdm.SQLAbfrage1(sql + QStringLiteral("50"));
    EXPECT_EQ(tdm.QuerySQL1.feld(QStringLiteral("m")).alsText(), QStringLiteral("c"));
    Verbindung schreiber;
    schreiber.oeffnen(pfad, Verbindung::Modus::Schreiben);
    schreiber.ausfuehren(QStringLiteral("INSERT INTO zd_tische VALUES (51, 5, 0, 0, 0, 0, 0)"));
    try {
        tdm.SQLAbfrage1(sql + QStringLiteral("51"));
        FAIL() << "no error";
    } catch (const DatabaseError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("mid:"))) << e.message().toStdString();
        EXPECT_TRUE(e.message().endsWith(sql + QStringLiteral("51"))) << e.message().toStdString();
    }
    EXPECT_FALSE(tdm.QuerySQL1.istOffen());
    tdm.SQLAbfrage1(sql + QStringLiteral("50")); // the failed statement is usable again
    EXPECT_EQ(tdm.QuerySQL1.feld(QStringLiteral("m")).alsText(), QStringLiteral("c"));
}
