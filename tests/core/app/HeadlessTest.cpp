#include "app/HeadlessModus.h"
#include "demo/Generator.h"
#include "demo/OrdnerAblage.h"
#include "demo/Zeit.h"
#include "settings/AblageDatei.h"
#include "support/HeadlessAufruf.h"
#include "support/MiniTurnier.h"
#include "util/Programmuhr.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

using namespace quenda;
using namespace quenda::test;

namespace {

Ergebnis<HeadlessOptionen> lesen(std::initializer_list<const char*> argumente) {
    QStringList liste{QStringLiteral("quenda")};
    for (const char* a : argumente) {
        liste.append(QString::fromUtf8(a));
    }
    return headless::optionenLesen(liste);
}

class Headless : public ::testing::Test {
protected:
    void SetUp() override {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.filePath(QStringLiteral("cfg")));
        db = dir.filePath(QStringLiteral("turnier.sqlite"));
        miniTurnierAnlegen(db);
    }

    // Connection only unless the test asks for cycles.
    int laufen(HeadlessOptionen o) {
        if (o.zyklen < 0) {
            o.zyklen = 0;
        }
        out.clear();
        err.clear();
        QTextStream o1(&out), o2(&err);
        return headless::ausfuehren(o, uhr, o1, o2);
    }

    QTemporaryDir dir;
    QString db;
    Programmuhr uhr;
    QString out, err;
};

} // namespace

TEST(HeadlessOptionen, readsEveryOptionAndRejectsNonsense) {
    const auto gelesen = lesen({"--headless", "--db", "/x/t.mdb", "--tournament", "3", "--cycles", "5", "--fake-time",
                                "2026-12-09 09:00:00", "--resend"});
    ASSERT_TRUE(gelesen.ok()) << gelesen.fehler().toStdString();
    const HeadlessOptionen& o = gelesen.wert();
    EXPECT_EQ(o.db, QStringLiteral("/x/t.mdb"));
    EXPECT_EQ(o.turnier, 3);
    EXPECT_EQ(o.zyklen, 5);
    EXPECT_EQ(o.fakeZeit, QStringLiteral("2026-12-09 09:00:00"));
    EXPECT_TRUE(o.resend);
    for (auto falsch : {std::initializer_list<const char*>{"--headless", "--tournament", "x"},
                        std::initializer_list<const char*>{"--headless", "--cycles", "-1"},
                        std::initializer_list<const char*>{"--headless", "--fake-time", "9 Uhr"},
                        std::initializer_list<const char*>{"--headless", "--unbekannt"},
                        std::initializer_list<const char*>{"--headless", "frei"}}) {
        const auto falschGelesen = lesen(falsch);
        EXPECT_FALSE(falschGelesen.ok());
        EXPECT_FALSE(falschGelesen.fehler().isEmpty());
    }
}

TEST_F(Headless, connectsTheNamedTournamentAndCreatesItsWorkingFolder) {
    HeadlessOptionen o;
    o.db = db;
    o.turnier = 2;
    o.fakeZeit = QStringLiteral("2026-12-09 09:00:00");
    EXPECT_EQ(laufen(o), headless::exitOk) << err.toStdString();
    EXPECT_TRUE(QDir(dir.filePath(QStringLiteral("qnda002turnier/images"))).exists());
    EXPECT_TRUE(out.startsWith(QStringLiteral("2026-12-09 09:00:00 Turnier 2 \"Anderes Turnier\"")))
        << out.toStdString();
}

TEST_F(Headless, ambiguousOrUnknownTournamentListsTheTournaments) {
    HeadlessOptionen o;
    o.db = db;
    EXPECT_EQ(laufen(o), headless::exitTurnier);
    EXPECT_TRUE(err.contains(QStringLiteral("  1  Hallenturnier Süd\n"))) << err.toStdString();
    EXPECT_TRUE(err.contains(QStringLiteral("  2  Anderes Turnier\n")));
    o.turnier = 7;
    EXPECT_EQ(laufen(o), headless::exitTurnier);
    EXPECT_TRUE(err.contains(QStringLiteral("7"))) << err.toStdString();
}

TEST_F(Headless, singleTournamentIsTakenWithoutId) {
    {
        Verbindung v;
        v.oeffnen(db, Verbindung::Modus::Schreiben);
        v.ausfuehren(QStringLiteral("DELETE FROM turniere WHERE t_id=2"));
    }
    HeadlessOptionen o;
    o.db = db;
    EXPECT_EQ(laufen(o), headless::exitOk) << err.toStdString();
    EXPECT_TRUE(QDir(dir.filePath(QStringLiteral("qnda001turnier"))).exists());
}

TEST_F(Headless, unusableDatabaseEndsWithStatusOne) {
    HeadlessOptionen o;
    o.db = dir.filePath(QStringLiteral("fehlt.mdb"));
    EXPECT_EQ(laufen(o), headless::exitDatenbank);
    EXPECT_TRUE(err.contains(o.db)) << err.toStdString();
}

TEST_F(Headless, programRunsWithoutAnyDisplay) {
    QProcess p;
    QProcessEnvironment env = isolierteUmgebung(dir.filePath(QStringLiteral("heim")));
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb")); // a QApplication would abort here
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(QUENDA_BINARY), headlessAufruf(db, 0));
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    EXPECT_TRUE(QDir(dir.filePath(QStringLiteral("qnda001turnier"))).exists());

    p.start(QStringLiteral(QUENDA_BINARY), {QStringLiteral("--headless"), QStringLiteral("--bogus")});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), headless::exitAufruf);
}

TEST(HeadlessEndeZuEnde, twoCyclesPublishTheDrawListsWithStampedNames) {
    QTemporaryDir dir;
    const QString db = dir.filePath(QStringLiteral("turnier.sqlite"));
    demo::Generator({1, demo::Groesse::Klein, demo::standardJetzt()}).erzeugen(db);
    const QString tsdir = dir.filePath(QStringLiteral("qnda001turnier"));
    const QString web = dir.filePath(QStringLiteral("web"));
    const QString pocko = dir.filePath(QStringLiteral("pocko"));
    QDir().mkpath(web);
    QDir().mkpath(pocko);
    {
        TAblage ablage;
        QDir().mkpath(tsdir);
        Ablagesave(tsdir, ablage, demo::ordnerAblage(web, pocko), QStringLiteral("e2e"), demo::standardJetzt());
    }
    QProcess p;
    p.setProcessEnvironment(isolierteUmgebung(dir.filePath(QStringLiteral("heim"))));
    p.start(QStringLiteral(QUENDA_BINARY), headlessAufruf(db, 2, QStringLiteral("2026-12-09 09:00:00")));
    ASSERT_TRUE(p.waitForFinished(120000));
    const QString stdoutText = QString::fromUtf8(p.readAllStandardOutput());
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    EXPECT_EQ(stdoutText.count(QStringLiteral("Start Übertragung")), 2) << stdoutText.toStdString();
    EXPECT_TRUE(stdoutText.contains(QStringLiteral("2026-12-09 09:01:00 Ende Übertragung")))
        << stdoutText.toStdString();

    const QStringList webDateien = QDir(web + QStringLiteral("/zkde2e/upload")).entryList(QDir::Files);
    const QStringList pockoDateien = QDir(pocko + QStringLiteral("/zkde2e/upload")).entryList(QDir::Files);
    EXPECT_TRUE(webDateien.contains(QStringLiteral("20261209090000_auslodat.txt")))
        << webDateien.join(u' ').toStdString();
    EXPECT_TRUE(pockoDateien.contains(QStringLiteral("20261209090000_auslodatpocko.txt")))
        << pockoDateien.join(u' ').toStdString();
    EXPECT_FALSE(webDateien.contains(QStringLiteral("20261209090000_auslodatpocko.txt")));
    EXPECT_TRUE(QDir(web + QStringLiteral("/zkde2e/images")).exists());
    EXPECT_TRUE(QFile::exists(tsdir + QStringLiteral("/auslodat.txt")));
    EXPECT_TRUE(QFile::exists(tsdir + QStringLiteral("/protokoll_20261209.pzk")));
}
