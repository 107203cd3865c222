#include "db/Snapshotverwaltung.h"
#include "db/TDM.h"
#include "support/MdbTestHilfen.h"
#include "support/MiniTurnier.h"
#include "util/QuendaError.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QThread>

using namespace quenda;
using namespace mdbtest;

namespace {

const QByteArray echtesProgramm = QUENDA_MDBIMPORT_PROGRAMM;

// A tournament kept as SQLite (where the test changes it) and written to a .mdb after every change.
class Snapshots : public ::testing::Test {
protected:
    void SetUp() override {
        qputenv("QUENDA_MDBIMPORT", echtesProgramm);
        verwaltung().beenden();
        verwaltung().setzeOrdner(dir.filePath(QStringLiteral("cache")));
        verwaltung().setzeZeitlimit(60000);
        verwaltung().setzeAuffrischabstand(5000);
        sqlite = dir.filePath(QStringLiteral("turnier.sqlite"));
        mdb = dir.filePath(QStringLiteral("turnier.mdb"));
        miniTurnierAnlegen(sqlite);
        ASSERT_TRUE(mdbSchreiben(sqlite, mdb));
    }
    void TearDown() override {
        verwaltung().beenden();
        qputenv("QUENDA_MDBIMPORT", echtesProgramm);
    }

    static Snapshotverwaltung& verwaltung() { return Snapshotverwaltung::instanz(); }

    // Renames the first tournament and writes the file again.
    void umbenennen(const QString& name) {
        {
            Verbindung v;
            v.oeffnen(sqlite, Verbindung::Modus::Schreiben);
            v.ausfuehren(QStringLiteral("UPDATE turniere SET tur_bez = '%1' WHERE t_id = 1").arg(name));
        }
        ASSERT_TRUE(mdbSchreiben(sqlite, mdb));
    }

    static QString name(TDM& dm) {
        dm.SQLAbfrage3(QStringLiteral("select t.tur_bez from turniere t where t.t_id=1"));
        return dm.QuerySQL3.feld(QStringLiteral("tur_bez")).alsText();
    }

    // A stand-in for the importer: a shell script around the real one.
    QString skript(const char* name, const QString& inhalt) {
        const QString pfad = dir.filePath(QString::fromUtf8(name));
        QFile f(pfad);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QStringLiteral("#!/bin/sh\n%1\n").arg(inhalt).toUtf8());
        f.close();
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
        return pfad;
    }

    QStringList snapshotDateien() const {
        QStringList dateien;
        const QDir basis(dir.filePath(QStringLiteral("cache")));
        for (const QString& ordner : basis.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            dateien += QDir(basis.filePath(ordner)).entryList(QDir::Files);
        }
        return dateien;
    }

    QTemporaryDir dir;
    QString sqlite;
    QString mdb;
};

} // namespace

TEST_F(Snapshots, anUnchangedFileIsNotImportedAgainAChangedOneIsEvenWithSameSizeAndTime) {
    const int vorher = verwaltung().importe();
    const auto erster = verwaltung().aktuell(mdb).snapshot;
    EXPECT_EQ(verwaltung().aktuell(mdb).snapshot, erster);
    EXPECT_EQ(verwaltung().importe() - vorher, 1);

    // Same length, and the modification time put back: only the content tells.
    const QFileInfo alt(mdb);
    const QDateTime zeit = alt.lastModified();
    umbenennen(QStringLiteral("Hallenturnier Sü!"));
    QFile f(mdb);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(zeit, QFileDevice::FileModificationTime));
    f.close();
    ASSERT_EQ(QFileInfo(mdb).size(), alt.size());
    ASSERT_EQ(QFileInfo(mdb).lastModified(), zeit);

    TDM dm;
    dm.oeffnen(mdb, TDM::Frische::Aktuell);
    EXPECT_EQ(verwaltung().importe() - vorher, 2);
    EXPECT_EQ(name(dm), QStringLiteral("Hallenturnier Sü!"));
    EXPECT_TRUE(dm.importHinweis().isEmpty());
}

TEST_F(Snapshots, aFileThatChangesWhileItIsReadIsReadAgain) {
    const QString zweite = dir.filePath(QStringLiteral("zweite.mdb"));
    umbenennen(QStringLiteral("Zweiter Stand"));
    ASSERT_TRUE(QFile::rename(mdb, zweite));
    umbenennen(QStringLiteral("Erster Stand"));
    // The first read is overtaken by the tournament desk writing the second state.
    qputenv("QUENDA_MDBIMPORT", skript("schreibend.sh", QStringLiteral("\"%1\" \"$@\" || exit $?\n"
                                                                       "[ -e \"%2.da\" ] || { cp \"%2\" \"%3\"; touch "
                                                                       "\"%2.da\"; }")
                                                            .arg(QString::fromUtf8(echtesProgramm), zweite, mdb))
                                    .toUtf8());
    const int vorher = verwaltung().importe();
    TDM dm;
    dm.oeffnen(mdb, TDM::Frische::Aktuell);
    EXPECT_EQ(verwaltung().importe() - vorher, 2);
    EXPECT_EQ(name(dm), QStringLiteral("Zweiter Stand"));
}

TEST_F(Snapshots, aReadThatFailsWhileTheFileIsBeingWrittenIsReadAgainNotReportedAsDamaged) {
    const QString zweite = dir.filePath(QStringLiteral("zweite.mdb"));
    umbenennen(QStringLiteral("Zweiter Stand"));
    ASSERT_TRUE(QFile::rename(mdb, zweite));
    umbenennen(QStringLiteral("Erster Stand"));
    // The first read fails (a row count that does not match) because the desk is writing the file.
    qputenv("QUENDA_MDBIMPORT",
            skript("halb.sh", QStringLiteral("[ -e \"%2.da\" ] || { cp \"%2\" \"%3\"; touch \"%2.da\"; "
                                             "echo 'Die Datei ist beschädigt: Tabelle x hat 1 statt 2 Zeilen.' >&2; "
                                             "exit 3; }\nexec \"%1\" \"$@\"")
                                  .arg(QString::fromUtf8(echtesProgramm), zweite, mdb))
                .toUtf8());
    const int vorher = verwaltung().importe();
    TDM dm;
    dm.oeffnen(mdb, TDM::Frische::Aktuell);
    EXPECT_EQ(verwaltung().importe() - vorher, 2);
    EXPECT_EQ(name(dm), QStringLiteral("Zweiter Stand"));
    EXPECT_TRUE(dm.importHinweis().isEmpty()) << dm.importHinweis().toStdString();
}

TEST_F(Snapshots, aFailedImportKeepsThePreviousSnapshotInUseAndSaysSo) {
    const struct {
        const char* name;
        const char* skript; // nullptr: the real importer on a damaged file
        const char* grund;
    } faelle[] = {
        {"damaged file", nullptr, "keine Access-Datenbank"},
        {"importer crashes", "kill -SEGV $$", "abgestürzt"},
        {"importer hangs", "exec sleep 30", "Zeitlimit"},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.name);
        verwaltung().beenden();
        qputenv("QUENDA_MDBIMPORT", echtesProgramm);
        umbenennen(QStringLiteral("Guter Stand"));
        TDM gut;
        gut.oeffnen(mdb, TDM::Frische::Aktuell);
        gut.schliessen();
        if (fall.skript) {
            umbenennen(QStringLiteral("Neuer Stand"));
            qputenv("QUENDA_MDBIMPORT", skript("ersatz.sh", QString::fromUtf8(fall.skript)).toUtf8());
            verwaltung().setzeZeitlimit(1000);
        } else {
            QFile f(mdb);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write("kein Access\n");
        }
        TDM dm;
        dm.oeffnen(mdb, TDM::Frische::Aktuell);
        EXPECT_EQ(name(dm), QStringLiteral("Guter Stand"));
        EXPECT_TRUE(dm.importHinweis().contains(mdb)) << dm.importHinweis().toStdString();
        EXPECT_TRUE(dm.importHinweis().contains(QString::fromUtf8(fall.grund))) << dm.importHinweis().toStdString();
        // Without an earlier snapshot the same failure is an error that names the file.
        dm.schliessen();
        verwaltung().beenden();
        try {
            dm.oeffnen(mdb, TDM::Frische::Aktuell);
            ADD_FAILURE() << "no error";
        } catch (const DatabaseError& e) {
            EXPECT_TRUE(e.message().contains(mdb)) << e.message().toStdString();
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(fall.grund))) << e.message().toStdString();
        }
        verwaltung().setzeZeitlimit(60000);
    }
}

TEST_F(Snapshots, uiLookUpsUseTheNewestSnapshotAndNeverWaitForAnImport) {
    TDM ui;
    ui.oeffnen(mdb, TDM::Frische::Vorhanden); // no snapshot yet: this one import is waited for
    EXPECT_EQ(name(ui), QStringLiteral("Hallenturnier Süd"));
    umbenennen(QStringLiteral("Neuer Name"));
    // A slow importer: a look-up that waited for it would already see the new name.
    qputenv("QUENDA_MDBIMPORT",
            skript("langsam.sh", QStringLiteral("sleep 2; exec \"%1\" \"$@\"").arg(QString::fromUtf8(echtesProgramm)))
                .toUtf8());
    verwaltung().setzeAuffrischabstand(0);
    EXPECT_EQ(name(ui), QStringLiteral("Hallenturnier Süd"));
    QString gesehen;
    for (int i = 0; i < 600 && gesehen != QStringLiteral("Neuer Name"); ++i) {
        QThread::msleep(50);
        gesehen = name(ui);
    }
    EXPECT_EQ(gesehen, QStringLiteral("Neuer Name"));
}

TEST_F(Snapshots, snapshotsDoNotAccumulateAndLeftoversOfEndedRunsAreRemoved) {
    // What a crashed run left: its folder with a lock file of a process that no longer runs, and a
    // folder whose lock file is gone.
    const QDir basis(dir.filePath(QStringLiteral("cache")));
    ASSERT_TRUE(basis.mkpath(QStringLiteral("4242-tot")));
    ASSERT_TRUE(basis.mkpath(QStringLiteral("4343-verwaist")));
    QFile(basis.filePath(QStringLiteral("4242-tot/snapshot-1.sqlite"))).open(QIODevice::WriteOnly);
    QProcess beendet;
    beendet.start(QStringLiteral("true"));
    ASSERT_TRUE(beendet.waitForStarted());
    const qint64 toterProzess = beendet.processId();
    ASSERT_TRUE(beendet.waitForFinished());
    QFile sperre(basis.filePath(QStringLiteral("4242-tot.lock")));
    ASSERT_TRUE(sperre.open(QIODevice::WriteOnly));
    sperre.write(QStringLiteral("%1\nquenda\n%2\n").arg(toterProzess).arg(QSysInfo::machineHostName()).toUtf8());
    sperre.close();

    {
        TDM dm;
        for (const char* stand : {"Eins", "Zwei", "Drei"}) {
            umbenennen(QString::fromUtf8(stand));
            dm.oeffnen(mdb, TDM::Frische::Aktuell);
            EXPECT_EQ(name(dm), QString::fromUtf8(stand));
            EXPECT_EQ(snapshotDateien().size(), 1) << snapshotDateien().join(u' ').toStdString();
        }
        EXPECT_FALSE(basis.exists(QStringLiteral("4242-tot")));
        EXPECT_FALSE(basis.exists(QStringLiteral("4242-tot.lock")));
        EXPECT_FALSE(basis.exists(QStringLiteral("4343-verwaist")));
    }
    verwaltung().beenden();
    EXPECT_EQ(basis.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
}
