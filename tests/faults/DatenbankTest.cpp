#include "StoerHilfen.h"

#include <sqlite3.h>

using namespace quenda;
using namespace quenda::test;

namespace {

// Directory targets; the database or the working folder is damaged between or inside cycles while the
// tournament goes on, and put right again.
class Datenbank : public ::testing::Test {
protected:
    void SetUp() override {
        QDir().mkpath(web);
        QDir().mkpath(pocko);
        v.verzeichnisse(web, pocko);
        v.zyklen(2); // new draws are due from their second cycle on
        ASSERT_GT(v.gezaehlt(3), 20) << v.memo.join(u'\n');
    }
    QStringList abgleichen() const {
        return abgleich(v.kontext.tsdir, web + QStringLiteral("/zkdstoer/upload"),
                        pocko + QStringLiteral("/zkdstoer/upload"));
    }
    // The cycle after the damage ends its exports with a message, and nothing it kept is garbage.
    void gestoerterZyklus() {
        const qsizetype vorher = v.memo.size();
        v.zyklen(1);
        const QStringList neu = v.memo.mid(vorher);
        EXPECT_GE(neu.size(), 2) << "the error is reported before the end line: " << neu.join(u'\n');
    }

    Veroeffentlichung v;
    const QString web = v.dir.filePath(QStringLiteral("web"));
    const QString pocko = v.dir.filePath(QStringLiteral("pocko"));
};

TEST_F(Datenbank, aLockedDatabaseDelaysPublishingUntilTheLockIsGone) {
    v.spielen(8);
    v.simulatorSchliessen();
    sqlite3* sperre = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(v.db).constData(), &sperre), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(sperre, "PRAGMA journal_mode=DELETE; BEGIN EXCLUSIVE", nullptr, nullptr, nullptr),
              SQLITE_OK);
    gestoerterZyklus();
    sqlite3_exec(sperre, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(sperre);
    v.zyklen(2);
    EXPECT_EQ(abgleichen(), QStringList());
}

TEST_F(Datenbank, aTruncatedOrCorruptedFileIsReportedAndTheRestoredOneIsPublished) {
    for (const bool gekuerzt : {true, false}) {
        SCOPED_TRACE(gekuerzt ? "truncated" : "corrupted");
        v.spielen(8);
        v.simulatorSchliessen();
        const QString sicherung = v.db + QStringLiteral(".sicher");
        QFile::remove(sicherung);
        ASSERT_TRUE(QFile::copy(v.db, sicherung));
        {
            QFile datei(v.db);
            ASSERT_TRUE(datei.open(QIODevice::ReadWrite));
            if (gekuerzt) {
                datei.resize(datei.size() / 3);
            } else {
                // Every page after the first two overwritten: the schema survives, the rows do not.
                const qint64 seite = 4096;
                for (qint64 pos = 2 * seite; pos < datei.size(); pos += seite) {
                    datei.seek(pos + 100);
                    datei.write(QByteArray(200, '\x5a'));
                }
            }
        }
        gestoerterZyklus();
        QFile::remove(v.db);
        ASSERT_TRUE(QFile::rename(sicherung, v.db));
        v.zyklen(2);
        EXPECT_EQ(abgleichen(), QStringList());
    }
}

TEST_F(Datenbank, aDatabaseReplacedBetweenCyclesIsPublishedAsItIsNow) {
    v.spielen(20);
    v.simulatorSchliessen();
    // The tournament desk restores an older copy: the targets show that state again.
    const QString neu = v.db + QStringLiteral(".neu");
    ASSERT_TRUE(QFile::copy(demoVorlage(), neu));
    ASSERT_EQ(std::rename(QFile::encodeName(neu).constData(), QFile::encodeName(v.db).constData()), 0);
    v.zyklen(1);
    v.spielen(5);
    v.zyklen(1);
    EXPECT_EQ(abgleichen(), QStringList());
}

TEST_F(Datenbank, aWorkingFolderDeletedWhileRunningIsMadeAgainAndRefilled) {
    v.zwischen = [this](int zyklus) {
        v.spielen(5);
        if (zyklus == v.zyklus && zyklus % 3 == 2) {
            QDir(v.kontext.tsdir).removeRecursively(); // between two cycles
        }
    };
    std::atomic<bool> einmal{true};
    v.imZyklus = [&](int datei) {
        if (datei == 4 && einmal.exchange(false)) {
            QDir(v.kontext.tsdir).removeRecursively(); // in the middle of one
        }
    };
    v.zyklen(5);
    v.imZyklus = {};
    v.zwischen = {};
    v.zyklen(2);
    EXPECT_TRUE(QFile::exists(v.pfad(QStringLiteral("protokoll_20261209.pzk"))));
    EXPECT_EQ(abgleichen(), QStringList());
}

} // namespace
