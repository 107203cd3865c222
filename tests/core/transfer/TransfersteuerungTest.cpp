#include "transfer/Transfersteuerung.h"
#include "ZyklusHilfen.h"
#include "db/Verbindung.h"
#include "draws/IntervallDatei.h"
#include "transfer/Sofortausloeser.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QSemaphore>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>

using namespace quenda;
using namespace quenda::test;

namespace {

// The cycle runs on its own thread and reports through queued signals: the tests spin the event loop of
// an application object, with generous safety limits that are no timing requirement.
constexpr int frist = 30000;

class Steuerung : public ::testing::Test {
protected:
    Steuerung() {
        anwendung();
        steuerung.setTurnier({u.dbpfad, static_cast<int>(demo::fest::turnier), QStringLiteral("Südpark-Pokal 2026"),
                              QString(), QString()},
                             u.ablage);
        QObject::connect(&steuerung, &Transfersteuerung::zyklusFertig, [this](int) { ++fertig; });
    }
    ~Steuerung() override {
        freigabe.release(100); // never leave a cycle blocked behind a failed check
        steuerung.stoppen();
        steuerung.warten();
    }

    static void anwendung() {
        static int argc = 1;
        static char name[] = "test_transfer";
        static char* argv[] = {name, nullptr};
        static QCoreApplication app(argc, argv);
    }

    // Makes the cycle wait in the exporter call that matches, once; the test then knows it is running.
    void anhaltenBei(const QString& anfang) {
        u.aufzeichnung.beiAufruf = [this, anfang,
                                    einmal = std::make_shared<std::atomic<bool>>(true)](const QString& aufruf) {
            if (aufruf.startsWith(anfang) && einmal->exchange(false)) {
                betreten.release();
                freigabe.acquire();
            }
        };
    }

    int startzeilen() const { return u.memo.filter(QStringLiteral(" Start Übertragung")).size(); }

    Zyklusumfeld u;
    Transfersteuerung steuerung{u.liste, u.protokoll, u.uhr, u.statistik, u.fehler, u.http, u.meldungen, u.fabrik()};
    int fertig = 0;
    QSemaphore betreten;
    QSemaphore freigabe;
};

TEST_F(Steuerung, aTickWhileACycleRunsIsDroppedAndTheNextTickAfterItStartsOne) {
    anhaltenBei(QStringLiteral("Tischbelegung"));
    steuerung.starten();
    ASSERT_TRUE(betreten.tryAcquire(1, frist));
    EXPECT_FALSE(steuerung.threadfrei());

    steuerung.tick();
    EXPECT_EQ(startzeilen(), 1);

    // The cycle's last step is done, but its thread is still being wound up on this thread: a tick in
    // between must neither start a second cycle nor let that wind-up take the new cycle's thread.
    freigabe.release();
    const QDeadlineTimer bis(frist);
    while (!steuerung.threadfrei() && !bis.hasExpired()) {
        QThread::msleep(1);
    }
    ASSERT_TRUE(steuerung.threadfrei());
    steuerung.tick();
    EXPECT_EQ(startzeilen(), 1);
    EXPECT_TRUE(steuerung.threadfrei());

    ASSERT_TRUE(QTest::qWaitFor([this] { return fertig == 1; }, frist));
    EXPECT_TRUE(steuerung.threadfrei());
    EXPECT_EQ(u.statistik.ubcount(), 1);

    // A failure left by the previous cycle is shown by the tick that starts the next one.
    QStringList warnung;
    QObject::connect(&steuerung, &Transfersteuerung::warnung,
                     [&warnung](const QString& wfehler, const QString& wmeldung) { warnung << wfehler << wmeldung; });
    u.fehler.setzen(QStringLiteral("Upload Fehler!"), QStringLiteral("spiele.txt"));
    steuerung.tick();
    ASSERT_TRUE(QTest::qWaitFor([this] { return fertig == 2; }, frist));
    EXPECT_EQ(warnung, (QStringList{QStringLiteral("Upload Fehler!"), QStringLiteral("spiele.txt")}));
    EXPECT_EQ(u.statistik.ubcount(), 2);
    EXPECT_EQ(startzeilen(), 2);
    EXPECT_EQ(u.log().filter(QStringLiteral(" Start Übertragung")).size(), 2);
}

TEST_F(Steuerung, stoppenFinishesTheCurrentDrawAndSkipsTheRest) {
    steuerung.starten();
    ASSERT_TRUE(QTest::qWaitFor([this] { return fertig == 1; }, frist));
    u.uhr.vorstellen(60); // every draw is due now
    u.aufzeichnung.leeren();
    const QString erster = schluessel(u.liste.at(1));
    anhaltenBei(QString()); // the first call of the cycle
    steuerung.tick();
    ASSERT_TRUE(betreten.tryAcquire(1, frist));

    u.fehler.setzen(QStringLiteral("Upload Fehler!"), QStringLiteral("spiele.txt"));
    steuerung.stoppen();
    EXPECT_FALSE(steuerung.laeuft());
    EXPECT_TRUE(u.fehler.wfehler().isEmpty());
    freigabe.release();
    ASSERT_TRUE(QTest::qWaitFor([this] { return fertig == 2; }, frist));

    EXPECT_EQ(reihenfolge(u.aufzeichnung.aufrufe()), QStringList{erster});
    EXPECT_EQ(u.memo.last(), QStringLiteral("2026-12-09 09:01:00 Ende Übertragung"));
    EXPECT_EQ(u.liste.at(1).aktdatetime, QStringLiteral("2026-12-09 09:01:00"));
    EXPECT_EQ(u.liste.at(2).aktdatetime, QStringLiteral("2026-12-09 09:00:00"));
}

TEST_F(Steuerung, simulatedTimeMovesOneMinutePerCycleWithoutWaiting) {
    steuerung.setSimulierteZeit(true);
    QObject::connect(&steuerung, &Transfersteuerung::zyklusFertig, [this](int ubcount) {
        if (ubcount == 3) {
            steuerung.stoppen();
        }
    });

    steuerung.starten();
    ASSERT_TRUE(QTest::qWaitFor([this] { return fertig == 3; }, frist));
    steuerung.warten();

    QStringList beginn;
    for (const Zyklusstatistik& z : u.statistik.zyklen()) {
        beginn << z.datum;
    }
    EXPECT_EQ(beginn, (QStringList{QStringLiteral("09.12.2026 09:00:00"), QStringLiteral("09.12.2026 09:01:00"),
                                   QStringLiteral("09.12.2026 09:02:00")}));
    EXPECT_EQ(u.aufzeichnung.aufrufe().filter(QStringLiteral("Tischbelegung ")),
              (QStringList{QStringLiteral("Tischbelegung 20261209090000 []"),
                           QStringLiteral("Tischbelegung 20261209090100 []"),
                           QStringLiteral("Tischbelegung 20261209090200 []")}));
    EXPECT_EQ(u.uhr.jetzt(), um(9, 2, 0));
    EXPECT_EQ(fertig, 3);
    EXPECT_TRUE(steuerung.threadfrei());
}

} // namespace

namespace {

TEST_F(Steuerung, aDatabaseChangeStartsOneExtraCycleForTheChangedGroupAtMostOneEveryTenSeconds) {
    qint64 ms = 0;
    steuerung.setSofortUhr([&ms] { return ms; }, 2000, 10000);
    Intervallsave(u.tsdir, AusloList{}, true);
    steuerung.starten();
    ASSERT_TRUE(steuerung.sofort());
    ASSERT_TRUE(QTest::qWaitFor([this] { return fertig == 1; }, frist));
    // A regular cycle with everything due: each group's state is known from here on.
    u.uhr.vorstellen(60);
    steuerung.tick();
    ASSERT_TRUE(QTest::qWaitFor([this] { return fertig == 2; }, frist));
    u.aufzeichnung.leeren();

    Verbindung db;
    db.oeffnen(u.dbpfad, Verbindung::Modus::Schreiben);
    const auto ergebnis = [&](int satz) {
        db.ausfuehren(QStringLiteral("UPDATE sb_ergebnisse SET s1 = '%1' WHERE erg_id = (SELECT MIN(erg_id) FROM "
                                     "sb_ergebnisse WHERE syf_id = %2)")
                          .arg(satz)
                          .arg(demo::fest::syfSchaufenster));
        QFile datei(u.dbpfad); // a new modification time even within the same millisecond tick of the file system
        datei.open(QIODevice::ReadWrite);
        datei.setFileTime(QDateTime::fromMSecsSinceEpoch(1700000000000 + satz * 1000),
                          QFileDevice::FileModificationTime);
    };
    // Results entered one after the other: the extra cycle waits until they have rested for two seconds.
    for (int i = 0; i < 4; ++i) {
        ms = i * 1000;
        ergebnis(5 + i);
        steuerung.datenbankGeaendert();
    }
    ms = 4999;
    steuerung.sofortPruefen();
    EXPECT_EQ(fertig, 2);
    ms = 5000;
    steuerung.sofortPruefen();
    ASSERT_TRUE(QTest::qWaitFor([this] { return fertig == 3; }, frist));
    EXPECT_EQ(u.memo.filter(QStringLiteral("Start Übertragung (sofort bei Änderung)")).size(), 1);
    EXPECT_EQ(reihenfolge(u.aufzeichnung.aufrufe()),
              (QStringList{QStringLiteral("G%1").arg(demo::fest::syfSchaufenster), QStringLiteral("Tischbelegung")}));

    // More changes soon after: at most one extra cycle every ten seconds.
    u.aufzeichnung.leeren();
    ms = 6000;
    ergebnis(11);
    steuerung.datenbankGeaendert();
    ms = 14999;
    steuerung.sofortPruefen();
    EXPECT_EQ(fertig, 3);
    ms = 15000;
    steuerung.sofortPruefen();
    ASSERT_TRUE(QTest::qWaitFor([this] { return fertig == 4; }, frist));
    EXPECT_EQ(reihenfolge(u.aufzeichnung.aufrufe()),
              (QStringList{QStringLiteral("G%1").arg(demo::fest::syfSchaufenster), QStringLiteral("Tischbelegung")}));

    // Nothing changed since: no extra cycle.
    ms = 40000;
    steuerung.sofortPruefen();
    steuerung.datenbankGeaendert();
    steuerung.sofortPruefen();
    EXPECT_EQ(fertig, 4);
}

TEST_F(Steuerung, withoutTheSwitchADatabaseChangeStartsNothing) {
    qint64 ms = 0;
    steuerung.setSofortUhr([&ms] { return ms; }, 2000, 10000);
    steuerung.starten();
    ASSERT_FALSE(steuerung.sofort());
    ASSERT_TRUE(QTest::qWaitFor([this] { return fertig == 1; }, frist));
    QFile datei(u.dbpfad);
    datei.open(QIODevice::ReadWrite);
    datei.setFileTime(QDateTime::fromMSecsSinceEpoch(1700000000000), QFileDevice::FileModificationTime);
    steuerung.datenbankGeaendert();
    ms = 60000;
    steuerung.sofortPruefen();
    EXPECT_EQ(fertig, 1);
    EXPECT_EQ(startzeilen(), 1);
}

// Without exporters every cycle would stage its draw lists as sent and publish no data file.
TEST(Transfersteuerung, isRefusedWithoutExporters) {
    Zyklusumfeld u;
    EXPECT_THROW((Transfersteuerung{u.liste, u.protokoll, u.uhr, u.statistik, u.fehler, u.http, u.meldungen, {}}),
                 std::invalid_argument);
}

TEST(Sofortausloeser, changesWaitForRestAndExtraCyclesKeepTheirDistance) {
    Sofortausloeser a(2000, 10000);
    EXPECT_FALSE(a.faelligUm());
    a.aenderung(0);
    a.aenderung(1500);
    EXPECT_EQ(a.faelligUm(), 3500);
    a.gestartet(3500);
    EXPECT_FALSE(a.faelligUm());
    a.aenderung(4000);
    EXPECT_EQ(a.faelligUm(), 13500) << "ten seconds after the last start";
    a.aenderung(12000);
    EXPECT_EQ(a.faelligUm(), 14000) << "two seconds of rest after the last change";
    a.zuruecksetzen();
    EXPECT_FALSE(a.faelligUm());
}

} // namespace
